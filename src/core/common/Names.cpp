#include "common/Names.h"

namespace common {

int compareNames(const QString& a, const QString& b)
{
    if (a.isEmpty() != b.isEmpty())
        return a.isEmpty() ? -1 : 1;
    // Unicode case folding, letter by letter; equal folded names compare equal.
    return QString::compare(a, b, Qt::CaseInsensitive);
}

} // namespace common
