#pragma once

#include <QString>

namespace common {

// Descriptions and names compared as people read them: case ignored for every letter, not only
// the ASCII ones the database's NOCASE folds ("Ölpumpe" and "ölpumpe" are the same name). An
// empty name (stored as Null) comes first. For ASCII names the order is the database's own.
int compareNames(const QString& a, const QString& b);
inline bool sameName(const QString& a, const QString& b)
{
    return compareNames(a, b) == 0;
}

// In that order, ties by key: how every list of records by name is ordered.
inline bool nameLess(const QString& a, qint64 keyA, const QString& b, qint64 keyB)
{
    const int order = compareNames(a, b);
    return order != 0 ? order < 0 : keyA < keyB;
}

} // namespace common
