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

} // namespace exchange
