#include "store/SampleProject.h"

#include "store/Database.h"
#include "store/SamplePictures.h"
#include "store/Store.h"
#include "store/Transaction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace store {

void seedSampleProject(const Database& database, const QString& pictureFolder)
{
    const SamplePicturePaths pictures = writeSamplePictures(pictureFolder);
    Store s(database);
    Transaction t(database);
    Car car;
    car.Description = QStringLiteral("1967 Mustang Coupe");
    car.imagepath = pictures.car;
    s.cars.add(car);
    t.commit();
}

void createSampleDatabase(const QString& path)
{
    auto database = Database::create(path);
    try {
        seedSampleProject(*database, QFileInfo(path).absoluteDir().filePath(QStringLiteral("Pictures")));
    } catch (...) {
        database.reset();
        QFile::remove(path);
        throw;
    }
}

} // namespace store
