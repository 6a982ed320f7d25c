#pragma once

#include <QString>

namespace store {

// The pictures of the sample project, drawn by the program itself.
struct SamplePicturePaths
{
    QString car;
    QString assembly;
    QString component;
};

// Draws the pictures into folder (made when missing) as PNG files and answers their full paths.
// Throws StoreError when a file cannot be written.
SamplePicturePaths writeSamplePictures(const QString& folder);

} // namespace store
