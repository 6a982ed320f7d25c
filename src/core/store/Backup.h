#pragma once

#include <QDate>
#include <QString>

namespace store {

// Keeps a consistent copy of the database in a "backups" folder beside it, at most one a day,
// named after the file and the day (ShopData-2026-12-06.mdb), and only the newest `keep` of them.
// The copy is made by SQLite itself from a snapshot, so writes going on meanwhile do no harm.
// A backup never stands in the user's way: a failure (a read-only folder, a file named "backups",
// a full disk) is answered as a sentence to show, and the next start tries again.
struct BackupOutcome
{
    QString path; // the copy made; empty when today's exists already or on failure
    QString failure; // why none could be made; empty otherwise
};
BackupOutcome backupDaily(const QString& databasePath, const QDate& today, int keep = 5);

} // namespace store
