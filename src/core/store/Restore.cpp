#include "store/Restore.h"

#include "common/Clock.h"
#include "common/SafeFile.h"
#include "store/Database.h"
#include "store/ServerAddress.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace store {

namespace {

const QString Source = QStringLiteral("GearLog restore");
const char* const SideFiles[] = { "-wal", "-shm", "-journal" };

[[noreturn]] void refuse(const QString& why)
{
    throw StoreError(code::Error, why, Source);
}

QString systemError()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

// Renames are only lasting once the folder itself is on disk.
void syncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

qint64 projectCount(const QString& path)
{
    const auto db = Database::open(path, { .busyTimeoutMs = 2000, .readOnly = true });
    QSqlQuery q = db->run(QStringLiteral("SELECT COUNT(*) FROM Car"));
    return q.next() ? q.value(0).toLongLong() : 0;
}

// Writes the log into the file and closes it; false when the file cannot be opened at all.
// Refuses a file in use by another program.
bool settleLog(const QString& path)
{
    try {
        {
            const auto db = Database::open(path, { .busyTimeoutMs = 2000 });
            if (db->isReadOnly())
                refuse(QStringLiteral("The database '%1' cannot be written, so no backup can be put in its place.")
                           .arg(path));
            QSqlQuery q = db->run(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)"));
            if (q.next() && q.value(0).toInt() != 0)
                refuse(
                    QStringLiteral("The database '%1' is in use by another program; close it there first.").arg(path));
        }
        // The last connection to close removes the log; one still there belongs to another program.
        for (const char* side : { "-wal", "-journal" }) {
            const QFileInfo log(path + QLatin1String(side));
            if (log.exists() && log.size() > 0)
                refuse(
                    QStringLiteral("The database '%1' is in use by another program; close it there first.").arg(path));
        }
        return true;
    } catch (const OpenFailure&) {
        return false;
    }
}

QString asideName(const QDir& folder, const QFileInfo& database)
{
    const QString stamp = common::Clock::now().toString(QStringLiteral("yyyy-MM-dd-HHmmss"));
    QString name;
    for (int n = 1;; ++n) {
        name = QStringLiteral("%1-before-restore-%2%3.%4")
                   .arg(database.completeBaseName(), stamp, n > 1 ? QStringLiteral("-%1").arg(n) : QString(),
                       database.suffix());
        bool taken = folder.exists(name);
        for (const char* side : SideFiles)
            taken = taken || folder.exists(name + QLatin1String(side));
        if (!taken)
            return folder.filePath(name);
    }
}

// A whole copy made through the safe writer; empty when done, else the reason. progress counts
// the bytes copied.
QString copyFile(const QString& from, const QString& to, const common::Progress& progress = {})
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return source.errorString();
    common::SafeFile copy(to);
    if (!copy.open())
        return copy.error();
    common::ProgressCount copied(progress, source.size());
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(1 << 20);
        if (chunk.isEmpty())
            return source.errorString();
        if (copy.device()->write(chunk) != chunk.size())
            return copy.device()->errorString();
        copied.step(chunk.size());
    }
    return copy.commit() ? QString() : copy.error();
}

// The file under a second name, without copying when the file system allows.
void keepAs(const QString& from, const QString& to)
{
    if (::link(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0)
        return;
    const QString failure = copyFile(from, to);
    if (!failure.isEmpty())
        refuse(QStringLiteral("The database could not be set aside: %1").arg(failure));
}

} // namespace

QList<BackupEntry> listBackups(const QString& databasePath)
{
    const QDir folder(QFileInfo(databasePath).absoluteDir().filePath(QStringLiteral("backups")));
    QList<BackupEntry> entries;
    const QString suffix = QFileInfo(databasePath).suffix();
    for (const QFileInfo& file : folder.entryInfoList({ QStringLiteral("*.") + suffix }, QDir::Files)) {
        BackupEntry e { file.absoluteFilePath(), file.lastModified(), -1 };
        try {
            e.projects = projectCount(e.path);
        } catch (const StoreError&) {
        } catch (const OpenFailure&) {
        }
        entries.append(e);
    }
    std::sort(entries.begin(), entries.end(), [](const BackupEntry& a, const BackupEntry& b) {
        return a.made != b.made ? a.made > b.made : a.path > b.path;
    });
    return entries;
}

QString serverBackups()
{
    return QStringLiteral("A database on a server is backed up by the server (pg_dump); GearLog keeps no "
                          "backups of it.");
}

QString restoreBackup(const QString& databasePath, const QString& backupPath, const common::Progress& progress)
{
    if (ServerAddress::isUrl(databasePath))
        refuse(serverBackups());
    const QFileInfo database(databasePath);
    const QFileInfo backup(backupPath);
    if (!database.isFile())
        refuse(QStringLiteral("The database '%1' does not exist.").arg(databasePath));
    if (backup.absoluteFilePath() == database.absoluteFilePath())
        refuse(QStringLiteral("The backup is the database itself."));
    try {
        projectCount(backupPath);
    } catch (const OpenFailure& e) {
        refuse(QStringLiteral("'%1' is not a GearLog database that can be restored: %2")
                   .arg(backupPath, e.errors().isEmpty() ? QString() : e.errors().first().message()));
    } catch (const StoreError& e) {
        refuse(QStringLiteral("'%1' is not a GearLog database that can be restored: %2").arg(backupPath, e.message()));
    }

    // A file too damaged to open is set aside as it is, with its log and index.
    settleLog(databasePath);
    QDir folder(database.absoluteDir().filePath(QStringLiteral("backups")));
    if (!folder.exists() && !QDir(database.absolutePath()).mkpath(QStringLiteral("backups")))
        refuse(QStringLiteral("The folder '%1' could not be made to set the database aside.").arg(folder.path()));

    // 1. The backup beside the database, whole and on disk, under a working name.
    const QString incoming = database.absoluteDir().filePath(QStringLiteral(".%1.restoring").arg(database.fileName()));
    QFile::remove(incoming);
    const QString failure = copyFile(backupPath, incoming, progress);
    if (!failure.isEmpty())
        refuse(QStringLiteral("The backup could not be copied beside the database: %1").arg(failure));

    // 2. The database set aside, with its log and index when it could not be opened to settle them.
    const QString aside = asideName(folder, database);
    try {
        keepAs(database.absoluteFilePath(), aside);
        for (const char* side : SideFiles) {
            const QString from = database.absoluteFilePath() + QLatin1String(side);
            if (QFileInfo::exists(from) && !QFile::rename(from, aside + QLatin1String(side)))
                refuse(QStringLiteral("The file '%1' could not be moved aside: %2").arg(from, systemError()));
        }
        syncFolder(folder.absolutePath());
    } catch (...) {
        QFile::remove(incoming);
        throw;
    }

    // 3. The backup takes the database's name in one step.
    if (::rename(QFile::encodeName(incoming).constData(), QFile::encodeName(database.absoluteFilePath()).constData())
        != 0) {
        const QString why = systemError();
        QFile::remove(incoming);
        refuse(QStringLiteral("The backup could not be put in place (the database is unchanged and a copy of it "
                              "is in '%1'): %2")
                   .arg(aside, why));
    }
    syncFolder(database.absolutePath());
    return aside;
}

} // namespace store
