#pragma once

#include "store/Database.h"

#include <QString>
#include <memory>

class QSettings;
class QWidget;

namespace store {
class StoreError;
}

namespace app {

// The database to open when none is named: the one beside the program when there is one (a build
// tree, a portable copy); otherwise the user's own in their data folder, made on the first start
// from the installed sample.
QString defaultDatabasePath();

// The box text for one error the engine reported while opening.
QString openErrorText(const store::StoreError& error);

// Opens the project database for the main window. On failure shows one box per error, in the
// order they were found, and answers null; nothing is created.
std::unique_ptr<store::Database> OpenProjectDatabase(const QString& path, QWidget* parent = nullptr,
                                                     const store::OpenOptions& options = {});

// Everything before the event loop: opens the database, or shows why not and
// "Sorry - the database could not be opened" and answers false. On success the main window is
// shown and owned by the returned session.
class Session;
// Unless told otherwise, the day's backup of the database is made in the background.
std::unique_ptr<Session> startGearLog(const QString& databasePath, QSettings& settings,
                                      const store::OpenOptions& options = {}, bool dailyBackup = true);

// File > Restore Backup: the session (window and database) is closed, the backup put in place,
// and GearLog started again on the same file, saying what was done or why nothing was. The
// session must stay where it is while the program runs.
void handleRestores(std::unique_ptr<Session>& session, QSettings& settings);

} // namespace app
