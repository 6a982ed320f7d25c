#include "support/TestDatabase.h"

#include "store/Database.h"
#include "store/SampleProject.h"

#include <QFile>
#include <QtTest>

namespace testing {

QString TestDatabase::copySample(const QString& name)
{
    // The sample database is drawn once per test executable; every test gets its own copy.
    static QTemporaryDir masterDir;
    static const QString master = [] {
        const QString p = masterDir.filePath(QStringLiteral("Master.mdb"));
        store::createSampleDatabase(p);
        return p;
    }();
    const QString target = path(name);
    QFile::remove(target);
    if (!QFile::copy(master, target))
        qFatal("could not copy the sample database");
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

QString TestDatabase::createEmpty(const QString& name)
{
    const QString target = path(name);
    QFile::remove(target);
    store::Database::create(target);
    return target;
}

} // namespace testing
