#pragma once

#include <QString>

namespace store {

// Checks made on a database file's bytes before the engine opens it, so that nothing is written
// to a file they refuse.

// True when a file cut short is covered by its write-ahead log: every page the last committed
// transaction counts is either in the file or in the log. Reads the 24-byte frame headers of the
// log, never the pages: the cost follows the log's size, not the file's. A file without a log (or
// with an empty one) is checked after opening, against the page count the engine gives.
bool logCoversFile(const QString& path);

// The side file exists and holds something: "-wal" or "-journal".
bool sideFileHasContent(const QString& path, const char* suffix);

} // namespace store
