#pragma once

#include <QDate>
#include <QString>

namespace store {

// Keeps a consistent copy of the database in a "backups" folder beside it, at most one a day,
// named after the file and the day (ShopData-2026-12-06.mdb), and only the newest `keep` of them.
// The copy is made by SQLite itself from a snapshot, so writes going on meanwhile do no harm.
// Answers the path of the copy made, or an empty text when today's exists already or none could
// be made (a read-only folder, say): a backup never stands in the user's way.
QString backupDaily(const QString& databasePath, const QDate& today, int keep = 5);

} // namespace store
