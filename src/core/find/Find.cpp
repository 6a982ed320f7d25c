#include "find/Find.h"

#include "common/Notes.h"
#include "store/Database.h"

#include <QSqlQuery>
#include <QStringList>
#include <bitset>
#include <memory>
#include <vector>

namespace search {

using project::Kind;

namespace {

// The database's LIKE ignores the case of ASCII letters only and compares every other character
// exactly: it narrows the rows to read, and the program's own folding (the one common::compareNames
// uses) decides. A character LIKE cannot stand in for becomes its "any one character".
struct FoldTables
{
    std::vector<bool> shared; // code points whose folded form some other code point has too
    std::bitset<128> reachedFromOutside; // ASCII characters something beyond ASCII folds onto (the Kelvin sign)
};

const FoldTables& foldTables()
{
    static const FoldTables tables = [] {
        FoldTables t;
        t.shared.assign(0x110000, false);
        for (char32_t c = 0; c < 0x110000; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            const char32_t folded = QChar::toCaseFolded(c);
            if (folded == c)
                continue;
            t.shared[c] = true;
            t.shared[folded] = true;
            if (c >= 0x80 && folded < 0x80)
                t.reachedFromOutside.set(folded);
        }
        return t;
    }();
    return tables;
}

// A LIKE pattern (escape character '\') that every text holding `text` matches.
QString likePattern(const QString& text)
{
    const FoldTables& fold = foldTables();
    QString pattern = QStringLiteral("%");
    for (const char32_t c : text.toUcs4()) {
        const bool exact
            = c < 0x80 ? !fold.reachedFromOutside.test(QChar::toCaseFolded(c)) : c < 0x110000 && !fold.shared[c];
        if (!exact) {
            pattern += QLatin1Char('_');
            continue;
        }
        if (c == U'%' || c == U'_' || c == U'\\')
            pattern += QLatin1Char('\\');
        pattern += QString::fromUcs4(&c, 1);
    }
    return pattern + QLatin1Char('%');
}

struct Source
{
    Kind kind;
    const char* table;
    const char* key;
    const char* name;
};

// The kinds of a project in the order a project's hits come.
const Source ProjectSources[] = {
    { Kind::Car, "Car", "carid", "Description" },
    { Kind::Assembly, "Assembly", "assemblyid", "Description" },
    { Kind::Component, "Component", "componentid", "Description" },
    { Kind::Phase, "Phase", "PhaseID", "Description" },
    { Kind::Activity, "Activity", "ActivityID", "Description" },
};
const Source SupplierSource = { Kind::Supplier, "Supplier", "supplierid", "Name" };

// The rows of one table that may hold the text, by project and key, read one at a time.
class Cursor
{
public:
    Cursor(const store::Database& database, const Source& source, const QString& pattern)
        : m_source(source)
        , m_component(source.kind == Kind::Component)
    {
        // SQLite's LIKE already ignores ASCII case; elsewhere (PostgreSQL) that takes ILIKE.
        const QString like = database.connection().driverName() == QStringLiteral("QSQLITE")
            ? QStringLiteral(" LIKE ? ESCAPE '\\'")
            : QStringLiteral(" ILIKE ? ESCAPE '\\'");
        const QString key = QLatin1String(source.key);
        const QString name = QLatin1String(source.name);
        const bool project = source.kind != Kind::Supplier;
        QString columns = QStringLiteral("%1, %2, %3, note1, note2, note3")
                              .arg(key, project ? QStringLiteral("carid") : QStringLiteral("0"), name);
        QStringList tests { name + like };
        if (m_component) {
            columns += QStringLiteral(", catalogpage, SupplierName");
            tests << QStringLiteral("catalogpage") + like << QStringLiteral("SupplierName") + like;
        }
        // Most records have no notes: joining three Nulls for each of them would cost more than the
        // rest of the test.
        tests << QStringLiteral("((note1 IS NOT NULL OR note2 IS NOT NULL OR note3 IS NOT NULL) AND (COALESCE(note1, "
                                "'') || COALESCE(note2, '') || COALESCE(note3, ''))")
                + like + QLatin1Char(')');
        // By the (carid, Description) indexes, a project at a time: the first hits come without
        // reading the whole table.
        const QString order = project && source.kind != Kind::Car ? QStringLiteral("carid, ") + key : key;
        m_query = database.prepare(
            QStringLiteral("SELECT %1 FROM %2 WHERE %3 ORDER BY %4")
                .arg(columns, QLatin1String(source.table), tests.join(QStringLiteral(" OR ")), order));
        for (int i = 0; i < tests.size(); ++i)
            m_query.bindValue(i, pattern);
        store::Database::run(m_query);
        next();
    }

    bool atEnd() const { return m_atEnd; }
    store::Key carid() const { return m_query.value(1).toLongLong(); }
    void next() { m_atEnd = !m_query.next(); }

    // The row standing, when it holds the text.
    std::optional<Hit> hit(const QString& text) const
    {
        const auto holds = [&text](const QString& field) { return field.contains(text, Qt::CaseInsensitive); };
        const QString name = m_query.value(2).toString();
        Field field;
        if (holds(name))
            field = Field::Name;
        else if (holds(common::joinNotes(
                     { m_query.value(3).toString(), m_query.value(4).toString(), m_query.value(5).toString() })))
            field = Field::Notes;
        else if (m_component && holds(m_query.value(6).toString()))
            field = Field::CatalogPage;
        else if (m_component && holds(m_query.value(7).toString()))
            field = Field::Supplier;
        else
            return std::nullopt;
        std::optional<store::Key> project;
        if (m_source.kind != Kind::Supplier)
            project = carid();
        return Hit { m_source.kind, project, m_query.value(0).toLongLong(), name, field };
    }

private:
    Source m_source;
    bool m_component;
    QSqlQuery m_query;
    bool m_atEnd = true;
};

} // namespace

Found findRecords(const store::Database& database, const QString& text, std::optional<int> limit)
{
    Found found;
    if (text.isEmpty())
        return found;
    const QString pattern = likePattern(text);
    // False once the hits are complete.
    const auto take = [&found, limit](std::optional<Hit> hit) {
        if (!hit)
            return true;
        if (limit && found.hits.size() >= *limit) {
            found.more = true;
            return false;
        }
        found.hits.append(std::move(*hit));
        return true;
    };

    // One reading of each table, merged by project.
    std::vector<std::unique_ptr<Cursor>> cursors;
    for (const Source& source : ProjectSources)
        cursors.push_back(std::make_unique<Cursor>(database, source, pattern));
    for (;;) {
        std::optional<store::Key> project;
        for (const auto& c : cursors) {
            if (!c->atEnd() && (!project || c->carid() < *project))
                project = c->carid();
        }
        if (!project)
            break;
        for (const auto& c : cursors) {
            for (; !c->atEnd() && c->carid() == *project; c->next()) {
                if (!take(c->hit(text)))
                    return found;
            }
        }
    }
    cursors.clear();
    for (Cursor suppliers(database, SupplierSource, pattern); !suppliers.atEnd(); suppliers.next()) {
        if (!take(suppliers.hit(text)))
            break;
    }
    return found;
}

QString kindName(Kind kind)
{
    switch (kind) {
    case Kind::Car:
        return QStringLiteral("Car");
    case Kind::Assembly:
        return QStringLiteral("Assembly");
    case Kind::Component:
        return QStringLiteral("Component");
    case Kind::Phase:
        return QStringLiteral("Phase");
    case Kind::Activity:
        return QStringLiteral("Activity");
    case Kind::Supplier:
        break;
    }
    return QStringLiteral("Supplier");
}

QString fieldName(Kind kind, Field field)
{
    switch (field) {
    case Field::Name:
        break;
    case Field::Notes:
        return QStringLiteral("Notes");
    case Field::CatalogPage:
        return QStringLiteral("Catalog page");
    case Field::Supplier:
        return QStringLiteral("Supplier");
    }
    return kind == Kind::Supplier ? QStringLiteral("Name") : QStringLiteral("Description");
}

} // namespace search
