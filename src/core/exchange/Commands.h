#pragma once

#include <QString>

class QTextStream;

namespace exchange {

// The command-line forms of export, import and the CSV lists. Each answers the process exit
// status and says what went wrong on err (what it did on out).
int exportProjectCommand(const QString& databasePath, const QString& car, const QString& output, QTextStream& err);
int importProjectCommand(const QString& databasePath, const QString& file, QTextStream& out, QTextStream& err);
int csvCommand(const QString& databasePath, const QString& list, const QString& car, const QString& output,
               QTextStream& err);
// The backups beside the database with their dates and project counts; then, given a file, puts
// it in place of the database, setting the database aside.
int listBackupsCommand(const QString& databasePath, QTextStream& out);
// Every project's number (what --car takes), description, make, model, year and counts.
int listProjectsCommand(const QString& databasePath, QTextStream& out, QTextStream& err);
// Every record of every project, and every supplier, holding the text (see search::findRecords):
// one a line, kind, project number (empty for a supplier), record number and description,
// separated by tabs. Finding nothing is no failure.
int findCommand(const QString& databasePath, const QString& text, QTextStream& out, QTextStream& err);
int restoreBackupCommand(const QString& databasePath, const QString& backup, QTextStream& out, QTextStream& err);

} // namespace exchange
