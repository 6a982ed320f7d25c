#pragma once

#include "common/Progress.h"
#include <QDateTime>
#include <QList>
#include <QString>

namespace store {

// A copy in the "backups" folder beside a database, as the restore window lists it.
struct BackupEntry
{
    QString path;
    QDateTime made; // when the copy was written
    qint64 projects = -1; // -1: the copy cannot be read
};

// Why a database on a server has no backups of ours: the server's own tools keep them.
QString serverBackups();

// Every database file in the backups folder beside the database, the newest first.
QList<BackupEntry> listBackups(const QString& databasePath);

// Puts the backup in place of the database, safely:
//  - the backup is checked first (it must open as a GearLog database);
//  - the database must not be open in another program, and its log is written into the file
//    first, so that the file set aside holds every committed change; a file too damaged to open
//    is set aside with its log and index files as they are;
//  - the database is set aside (never deleted) in the backups folder as
//    "<name>-before-restore-<date>-<time>.<ext>";
//  - the backup goes in under a working name, is synced, and replaces the database by a rename,
//    so that a crash at any point leaves either the old file or the backup in place, whole, with
//    no stale log or index beside it.
// Answers the path of the file set aside. Throws StoreError with the reason; nothing is changed then.
// progress counts the bytes of the backup copied.
QString restoreBackup(const QString& databasePath, const QString& backupPath, const common::Progress& progress = {});

} // namespace store
