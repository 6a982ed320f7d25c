#include "store/Backup.h"

#include "store/Database.h"
#include "store/StoreError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace store {

namespace {

// Copies the database into target through SQLite, reading a snapshot of it. Opened as every
// reader opens it, so that a file we may not write gets nothing left beside it. Empty when done,
// else the reason.
QString copyDatabase(const QString& source, const QString& target)
{
    try {
        const auto db = Database::open(source, { .busyTimeoutMs = 10000, .readOnly = true });
        db->run(QStringLiteral("VACUUM INTO ?"), { target });
        return QString();
    } catch (const StoreError& e) {
        return e.message();
    } catch (const OpenFailure& e) {
        return e.errors().isEmpty() ? QStringLiteral("the database could not be read") : e.errors().first().message();
    }
}

} // namespace

BackupOutcome backupDaily(const QString& databasePath, const QDate& today, int keep)
{
    const QFileInfo database(databasePath);
    const QString folderPath = database.absoluteDir().filePath(QStringLiteral("backups"));
    const auto failed = [&folderPath](const QString& why) {
        return BackupOutcome { QString(), QStringLiteral("No backup was made in %1: %2").arg(folderPath, why) };
    };
    const QFileInfo folderInfo(folderPath);
    if (folderInfo.exists() && !folderInfo.isDir())
        return failed(QStringLiteral("a file of that name is in the way"));
    QDir folder(folderPath);
    if (!folder.exists() && !QDir(database.absolutePath()).mkpath(QStringLiteral("backups")))
        return failed(QStringLiteral("the folder could not be made"));
    const QString stem = database.completeBaseName() + QLatin1Char('-');
    const QString suffix = QLatin1Char('.') + database.suffix();
    const QString name = stem + today.toString(Qt::ISODate) + suffix;
    if (folder.exists(name))
        return {};

    // Written under a working name first: a copy cut short never looks like a backup.
    const QString working = folder.filePath(name + QStringLiteral(".part"));
    QFile::remove(working);
    QString failure = copyDatabase(databasePath, working);
    if (failure.isEmpty() && !QFile::rename(working, folder.filePath(name)))
        failure = QStringLiteral("the copy could not be renamed");
    if (!failure.isEmpty()) {
        QFile::remove(working);
        return failed(failure);
    }

    // The newest by the time they were made, not by the date in their names (a clock set
    // wrong once must not make each new day's copy the first to go); today's always stays.
    QFileInfoList others = folder.entryInfoList({ stem + QStringLiteral("\?\?\?\?-\?\?-\?\?") + suffix }, QDir::Files);
    others.removeIf([&name](const QFileInfo& f) { return f.fileName() == name; });
    std::sort(others.begin(), others.end(), [](const QFileInfo& a, const QFileInfo& b) {
        const QDateTime madeA = a.lastModified();
        const QDateTime madeB = b.lastModified();
        return madeA != madeB ? madeA > madeB : a.fileName() > b.fileName();
    });
    while (others.size() > keep - 1)
        QFile::remove(others.takeLast().absoluteFilePath());
    return { folder.filePath(name), QString() };
}

} // namespace store
