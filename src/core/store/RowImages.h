#pragma once

#include "store/Database.h"
#include "store/RecordTraits.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <utility>

namespace store {

// A row's column values exactly as the database gives them, its key apart: what a change is
// taken back to, written back as read so that old files' odd stored forms survive too.
using Image = QList<QVariant>;
using KeyedImage = std::pair<Key, Image>;

// The rows of one table as images, read and written by key in as few statements as the engine's
// bound-parameter limits allow.
class RowImages
{
public:
    enum class Hold { None, Share, Update };

    RowImages(const Database& database, const char* table, const char* keyColumn, const QStringList& columns);
    template <class Rec> static RowImages of(const Database& database)
    {
        return RowImages(database, Rec::Table, Rec::KeyColumn, Rec::columns());
    }

    const QStringList& columns() const { return m_columns; }
    // The column's place in an image; -1 when the table has no such column.
    qsizetype column(const char* name) const { return m_columns.indexOf(QLatin1String(name)); }

    // The rows holding the value in the column, by key.
    QList<KeyedImage> where(const char* column, const QVariant& value) const;
    // The rows of those keys that exist, held until the transaction ends where the engine can.
    QHash<Key, Image> find(const QList<Key>& keys, Hold hold = Hold::None) const;
    // The keys of the rows whose column holds one of the values.
    QList<Key> keysWhere(const char* column, const QList<Key>& values) const;

    void remove(const QList<Key>& keys) const;
    void insert(const QList<KeyedImage>& rows) const;
    void rewrite(Key key, const Image& image) const;

    // Roughly what an image takes in memory.
    static qint64 bytes(const Image& image);
    // Equal values, Null equal only to Null.
    static bool same(const Image& a, const Image& b);

private:
    QString select() const;
    template <class F> void inParts(const QList<Key>& keys, F&& each) const;

    const Database& m_db;
    QString m_table;
    QString m_key;
    QStringList m_columns;
};

} // namespace store
