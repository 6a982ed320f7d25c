#include "store/SamplePictures.h"

#include "store/StoreError.h"

#include <QDir>
#include <QImage>

namespace store {

SamplePicturePaths writeSamplePictures(const QString& folder)
{
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral(".")))
        throw StoreError(code::CantOpen, QStringLiteral("The folder '%1' could not be made.").arg(folder),
                         QStringLiteral("GearLog sample pictures"));
    SamplePicturePaths paths;
    QImage image(64, 48, QImage::Format_RGB32);
    image.fill(Qt::darkRed);
    paths.car = dir.absoluteFilePath(QStringLiteral("sample-car.png"));
    image.save(paths.car);
    paths.assembly = paths.car;
    paths.component = paths.car;
    return paths;
}

} // namespace store
