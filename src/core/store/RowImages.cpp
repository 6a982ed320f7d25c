#include "store/RowImages.h"

#include <QSqlQuery>
#include <algorithm>

namespace store {

namespace {

// Well under SQLite's smallest limit of bound values per statement (999) and PostgreSQL's.
constexpr qsizetype MaxBound = 900;

void bindAll(QSqlQuery& q, const QList<QVariant>& values)
{
    for (qsizetype i = 0; i < values.size(); ++i)
        q.bindValue(int(i), values.at(i));
}

QString marks(qsizetype count)
{
    QStringList m;
    for (qsizetype i = 0; i < count; ++i)
        m << QStringLiteral("?");
    return m.join(QStringLiteral(", "));
}

QList<KeyedImage> readAll(QSqlQuery& q, qsizetype columns)
{
    QList<KeyedImage> rows;
    while (q.next()) {
        Image image;
        image.reserve(columns);
        for (qsizetype i = 1; i <= columns; ++i)
            image.append(q.value(int(i)));
        rows.append({ q.value(0).toLongLong(), std::move(image) });
    }
    return rows;
}

} // namespace

RowImages::RowImages(const Database& database, const char* table, const char* keyColumn, const QStringList& columns)
    : m_db(database)
    , m_table(QLatin1String(table))
    , m_key(QLatin1String(keyColumn))
    , m_columns(columns)
{
}

QString RowImages::select() const
{
    return QStringLiteral("SELECT %1, %2 FROM %3").arg(m_key, m_columns.join(QStringLiteral(", ")), m_table);
}

template <class F> void RowImages::inParts(const QList<Key>& keys, F&& each) const
{
    for (qsizetype from = 0; from < keys.size(); from += MaxBound) {
        const QList<Key> part = keys.mid(from, MaxBound);
        QList<QVariant> values;
        values.reserve(part.size());
        for (const Key key : part)
            values.append(key);
        each(QStringLiteral("(%1)").arg(marks(part.size())), values);
    }
}

QList<KeyedImage> RowImages::where(const char* column, const QVariant& value) const
{
    QSqlQuery q
        = m_db.prepare(select() + QStringLiteral(" WHERE %1 = ? ORDER BY %2").arg(QLatin1String(column), m_key));
    bindAll(q, { value });
    Database::run(q);
    return readAll(q, m_columns.size());
}

QHash<Key, Image> RowImages::find(const QList<Key>& keys, Hold hold) const
{
    QHash<Key, Image> found;
    const QString lock = hold == Hold::None ? QString() : m_db.dialect().holdRows(hold == Hold::Update);
    inParts(keys, [&](const QString& list, const QList<QVariant>& values) {
        QSqlQuery q = m_db.prepare(select() + QStringLiteral(" WHERE %1 IN %2").arg(m_key, list) + lock);
        bindAll(q, values);
        Database::run(q);
        for (KeyedImage& row : readAll(q, m_columns.size()))
            found.insert(row.first, std::move(row.second));
    });
    return found;
}

QList<Key> RowImages::keysWhere(const char* column, const QList<Key>& values) const
{
    QList<Key> keys;
    inParts(values, [&](const QString& list, const QList<QVariant>& bound) {
        QSqlQuery q = m_db.prepare(
            QStringLiteral("SELECT %1 FROM %2 WHERE %3 IN %4").arg(m_key, m_table, QLatin1String(column), list));
        bindAll(q, bound);
        Database::run(q);
        while (q.next())
            keys.append(q.value(0).toLongLong());
    });
    return keys;
}

void RowImages::remove(const QList<Key>& keys) const
{
    inParts(keys, [&](const QString& list, const QList<QVariant>& values) {
        QSqlQuery q = m_db.prepare(QStringLiteral("DELETE FROM %1 WHERE %2 IN %3").arg(m_table, m_key, list));
        bindAll(q, values);
        Database::run(q);
    });
}

void RowImages::insert(const QList<KeyedImage>& rows) const
{
    // Many rows to a statement: a car's thousand components go back in a few dozen round trips.
    const qsizetype perRow = m_columns.size() + 1;
    const qsizetype perStatement = std::max<qsizetype>(1, MaxBound / perRow);
    const QString head
        = QStringLiteral("INSERT INTO %1 (%2, %3) VALUES ").arg(m_table, m_key, m_columns.join(QStringLiteral(", ")));
    const QString one = QStringLiteral("(%1)").arg(marks(perRow));
    for (qsizetype from = 0; from < rows.size(); from += perStatement) {
        const qsizetype count = std::min(perStatement, rows.size() - from);
        QStringList tuples;
        QList<QVariant> values;
        for (qsizetype i = from; i < from + count; ++i) {
            tuples << one;
            values << rows.at(i).first << rows.at(i).second;
        }
        QSqlQuery q = m_db.prepare(head + tuples.join(QStringLiteral(", ")));
        bindAll(q, values);
        Database::run(q);
    }
}

void RowImages::rewrite(Key key, const Image& image) const
{
    QStringList sets;
    for (const QString& c : m_columns)
        sets << c + QStringLiteral(" = ?");
    QSqlQuery q = m_db.prepare(
        QStringLiteral("UPDATE %1 SET %2 WHERE %3 = ?").arg(m_table, sets.join(QStringLiteral(", ")), m_key));
    bindAll(q, image + QList<QVariant> { key });
    Database::run(q);
}

qint64 RowImages::bytes(const Image& image)
{
    qint64 total = qint64(sizeof(Image)) + image.size() * qint64(sizeof(QVariant));
    for (const QVariant& v : image) {
        if (v.typeId() == QMetaType::QString)
            total += v.toString().size() * qint64(sizeof(QChar));
        else if (v.typeId() == QMetaType::QByteArray)
            total += v.toByteArray().size();
    }
    return total;
}

bool RowImages::same(const Image& a, const Image& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (a.at(i).isNull() != b.at(i).isNull() || (!a.at(i).isNull() && a.at(i) != b.at(i)))
            return false;
    }
    return true;
}

} // namespace store
