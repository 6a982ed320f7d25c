#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

namespace common {

// A file written whole or not at all: the bytes go into a new file beside the target, which
// replaces the target only once every byte is written and on disk. Until then, and after any
// failure, the target stays as it was and the partial file is removed. Every write is checked:
// a full disk, a file size limit or a vanished folder is an error with its reason.
class SafeFile
{
public:
    explicit SafeFile(QString path);
    ~SafeFile();
    SafeFile(const SafeFile&) = delete;
    SafeFile& operator=(const SafeFile&) = delete;

    // Opens the working file; false with error() set when it cannot be made.
    bool open();
    // Where writers that want a device (PDF, PNG) write; open() first.
    QIODevice* device() { return &m_work; }
    // Flushes, checks that all that was written is in the file, syncs it and moves it into
    // place. False with error() set otherwise; the target is then untouched.
    bool commit();
    // The reason of the last failure, e.g. "No space left on device".
    const QString& error() const { return m_error; }

    // All of it in one go: an empty text on success, else the reason.
    static QString write(const QString& path, const QByteArray& data);

private:
    bool fail(const QString& reason);

    QString m_path;
    QFile m_work;
    QString m_error;
    bool m_done = false;
};

} // namespace common
