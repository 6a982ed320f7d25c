#include "common/SafeFile.h"

#include <QDir>
#include <QFileInfo>
#include <QUuid>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unistd.h>

namespace common {

SafeFile::SafeFile(QString path)
    : m_path(std::move(path))
{
    // A link to a file is followed, so that the file it leads to is replaced, not the link.
    if (const QFileInfo link(m_path); link.isSymLink() && link.exists())
        m_path = link.canonicalFilePath();
    const QFileInfo target(m_path);
    // Hidden and unique, in the target's folder so that the final move is a rename.
    m_work.setFileName(target.absoluteDir().filePath(
        QStringLiteral(".%1.%2.part").arg(target.fileName(), QUuid::createUuid().toString(QUuid::Id128).left(12))));
}

SafeFile::~SafeFile()
{
    if (!m_done) {
        m_work.close();
        m_work.remove();
    }
}

namespace {

// What the system said about the call that just failed, else what Qt says.
QString systemReason(const QFile& file)
{
    return errno != 0 ? QString::fromLocal8Bit(std::strerror(errno)) : file.errorString();
}

} // namespace

bool SafeFile::fail(const QString& reason)
{
    m_error = reason;
    m_work.close();
    m_work.remove();
    m_done = true;
    return false;
}

bool SafeFile::open()
{
    // New only: never through a link or file someone put there. Permissions as any new file
    // gets them (0666 less the umask); an existing target's are kept.
    if (!m_work.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return fail(m_work.errorString());
    const QFileInfo target(m_path);
    if (target.exists())
        m_work.setPermissions(target.permissions());
    return true;
}

bool SafeFile::commit()
{
    if (m_done || !m_work.isOpen())
        return fail(m_error.isEmpty() ? QStringLiteral("the file was not opened") : m_error);
    const qint64 written = m_work.pos();
    errno = 0;
    if (!m_work.flush() || m_work.error() != QFileDevice::NoError)
        return fail(systemReason(m_work));
    errno = 0;
    if (::fsync(m_work.handle()) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    // A write the system took but did not keep shows as a shorter file.
    if (m_work.size() != written)
        return fail(QStringLiteral("only %1 of %2 bytes were written").arg(m_work.size()).arg(written));
    m_work.close();
    if (std::rename(QFile::encodeName(m_work.fileName()).constData(), QFile::encodeName(m_path).constData()) != 0)
        return fail(QString::fromLocal8Bit(std::strerror(errno)));
    m_done = true;
    return true;
}

QString SafeFile::write(const QString& path, const QByteArray& data)
{
    SafeFile file(path);
    if (!file.open())
        return file.error();
    errno = 0;
    if (file.device()->write(data) != data.size()) {
        file.fail(systemReason(file.m_work));
        return file.error();
    }
    return file.commit() ? QString() : file.error();
}

} // namespace common
