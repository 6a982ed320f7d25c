#include "store/FileChecks.h"

#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QtEndian>

namespace store {

namespace {

constexpr qint64 FileHeaderSize = 100;
constexpr qint64 LogHeaderSize = 32;
constexpr qint64 FrameHeaderSize = 24;

quint32 bigEndian32(const char* bytes)
{
    return qFromBigEndian<quint32>(bytes);
}

} // namespace

bool sideFileHasContent(const QString& path, const char* suffix)
{
    const QFileInfo side(path + QLatin1String(suffix));
    return side.exists() && side.size() > 0;
}

bool logCoversFile(const QString& path)
{
    QFile log(path + QStringLiteral("-wal"));
    QFile file(path);
    if (!log.open(QIODevice::ReadOnly) || !file.open(QIODevice::ReadOnly))
        return true; // nothing to compare against: the engine's own checks answer
    const QByteArray header = file.read(FileHeaderSize);
    const QByteArray logHeader = log.read(LogHeaderSize);
    if (header.size() < FileHeaderSize || logHeader.size() < LogHeaderSize)
        return true;
    const quint32 magic = bigEndian32(logHeader.constData());
    if (magic != 0x377f0682 && magic != 0x377f0683)
        return true; // not a log the engine would read either
    const qint64 pageSize = bigEndian32(logHeader.constData() + 8);
    if (pageSize < 512 || pageSize > 65536)
        return true;

    // Pages written by committed transactions; the last commit gives the file's length in pages.
    QSet<quint32> logged;
    QSet<quint32> pending;
    quint32 committedPages = 0;
    const QByteArray salts = logHeader.mid(16, 8);
    for (qint64 at = LogHeaderSize;; at += FrameHeaderSize + pageSize) {
        if (!log.seek(at))
            break;
        const QByteArray frame = log.read(FrameHeaderSize);
        if (frame.size() < FrameHeaderSize || frame.mid(8, 8) != salts || log.size() < at + FrameHeaderSize + pageSize)
            break; // a frame of an earlier log, or one cut short: the engine stops there as well
        pending.insert(bigEndian32(frame.constData()));
        const quint32 pagesAfterCommit = bigEndian32(frame.constData() + 4);
        if (pagesAfterCommit != 0) {
            logged.unite(pending);
            pending.clear();
            committedPages = pagesAfterCommit;
        }
    }
    if (committedPages == 0) {
        // No commit in the log: the file's own header tells its length, when it is kept current.
        const quint32 changeCounter = bigEndian32(header.constData() + 24);
        if (bigEndian32(header.constData() + 92) != changeCounter)
            return true;
        committedPages = bigEndian32(header.constData() + 28);
    }
    const qint64 pagesInFile = file.size() / pageSize;
    for (qint64 page = pagesInFile + 1; page <= qint64(committedPages); ++page) {
        if (!logged.contains(quint32(page)))
            return false;
    }
    return true;
}

} // namespace store
