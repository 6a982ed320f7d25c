#pragma once

#include <QString>

namespace store {

class Database;

// Writes the sample project (car 1) with its suppliers into a database that has no rows yet, in one
// transaction. Picture files are written into pictureFolder and stored by their full paths.
// storedFolder, when given, is where the pictures will be found later (an installed program's
// data folder, written into through a staging folder): the stored paths name it instead.
void seedSampleProject(const Database& database, const QString& pictureFolder, const QString& storedFolder = {});

// A new database file at path holding the schema and the sample project, pictures in a "Pictures"
// folder beside it. Refuses an existing file (StoreError); leaves no file behind when it fails.
void createSampleDatabase(const QString& path, const QString& storedPictureFolder = {});

} // namespace store
