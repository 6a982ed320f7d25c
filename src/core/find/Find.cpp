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

// Projects read by one statement: few enough that the first hits come at once, enough that a
// text found nowhere costs a few dozen statements rather than one for every kind of every project.
constexpr int ProjectsAtOnce = 16;

// The rows that may hold the text, read by one statement run again for each run of projects (all
// their kinds, through the (carid, Description) indexes) or once for the suppliers. Columns: kind,
// project, key, name, the three notes fields, catalog page, supplier.
class Reader
{
public:
    // Reads the projects when given sources, the suppliers when not.
    Reader(const store::Database& database, const QString& pattern, bool projects)
        : m_pattern(pattern)
        , m_projects(projects)
    {
        // SQLite's LIKE already ignores ASCII case; elsewhere (PostgreSQL) that takes ILIKE.
        const QString like = database.connection().driverName() == QStringLiteral("QSQLITE")
            ? QStringLiteral(" LIKE ? ESCAPE '\\'")
            : QStringLiteral(" ILIKE ? ESCAPE '\\'");
        QStringList marks;
        for (int i = 0; i < ProjectsAtOnce; ++i)
            marks << QStringLiteral("?");
        QStringList selects;
        const auto select = [&](const Source& source) {
            const bool component = source.kind == Kind::Component;
            const QString name = QLatin1String(source.name);
            QStringList tests { name + like };
            if (component)
                tests << QStringLiteral("catalogpage") + like << QStringLiteral("SupplierName") + like;
            // Most records have no notes: joining three Nulls for each of them would cost more than
            // the rest of the test.
            tests << QStringLiteral("((note1 IS NOT NULL OR note2 IS NOT NULL OR note3 IS NOT NULL) AND "
                                    "(COALESCE(note1, '') || COALESCE(note2, '') || COALESCE(note3, ''))")
                    + like + QLatin1Char(')');
            m_binds << Bind { m_projects ? ProjectsAtOnce : 0, int(tests.size()) };
            selects << QStringLiteral("SELECT %1, %2, %3, %4, note1, note2, note3, %5 FROM %6 WHERE %7(%8)")
                           .arg(int(source.kind))
                           .arg(m_projects ? QStringLiteral("carid") : QStringLiteral("0"), QLatin1String(source.key),
                               name,
                               component ? QStringLiteral("catalogpage, SupplierName") : QStringLiteral("NULL, NULL"),
                               QLatin1String(source.table),
                               m_projects ? QStringLiteral("carid IN (%1) AND ").arg(marks.join(QStringLiteral(", ")))
                                          : QString(),
                               tests.join(QStringLiteral(" OR ")));
        };
        if (m_projects) {
            for (const Source& source : ProjectSources)
                select(source);
        } else {
            select(SupplierSource);
        }
        m_query = database.prepare(selects.join(QStringLiteral(" UNION ALL ")) + QStringLiteral(" ORDER BY 2, 1, 3"));
    }

    // Reads the given projects (at most ProjectsAtOnce), or the suppliers.
    void run(const QList<store::Key>& projects = {})
    {
        int at = 0;
        for (const Bind& bind : m_binds) {
            for (int i = 0; i < bind.projects; ++i)
                m_query.bindValue(at++, projects.value(i, projects.isEmpty() ? 0 : projects.last()));
            for (int i = 0; i < bind.patterns; ++i)
                m_query.bindValue(at++, m_pattern);
        }
        store::Database::run(m_query);
    }
    bool next() { return m_query.next(); }

    // The row standing, when it holds the text.
    std::optional<Hit> hit(const QString& text) const
    {
        const auto holds = [&text](const QString& field) { return field.contains(text, Qt::CaseInsensitive); };
        const QString name = m_query.value(3).toString();
        Field field;
        if (holds(name))
            field = Field::Name;
        else if (holds(common::joinNotes(
                     { m_query.value(4).toString(), m_query.value(5).toString(), m_query.value(6).toString() })))
            field = Field::Notes;
        else if (holds(m_query.value(7).toString()))
            field = Field::CatalogPage;
        else if (holds(m_query.value(8).toString()))
            field = Field::Supplier;
        else
            return std::nullopt;
        std::optional<store::Key> project;
        if (m_projects)
            project = m_query.value(1).toLongLong();
        return Hit { Kind(m_query.value(0).toInt()), project, m_query.value(2).toLongLong(), name, field };
    }

private:
    struct Bind
    {
        int projects;
        int patterns;
    };
    QString m_pattern;
    bool m_projects;
    QList<Bind> m_binds; // what each statement of the union takes, in order
    QSqlQuery m_query;
};

} // namespace

Found findRecords(const store::Database& database, const QString& text, std::optional<int> limit)
{
    Found found;
    if (text.isEmpty())
        return found;
    const QString pattern = likePattern(text);
    // Reads on until the hits are complete; false then.
    const auto take = [&found, limit, &text](Reader& reader) {
        while (reader.next()) {
            std::optional<Hit> hit = reader.hit(text);
            if (!hit)
                continue;
            if (limit && found.hits.size() >= *limit) {
                found.more = true;
                return false;
            }
            found.hits.append(std::move(*hit));
        }
        return true;
    };

    // A few projects at a time, so that the first hits come without reading every table through.
    QList<store::Key> projects;
    for (QSqlQuery cars = database.run(QStringLiteral("SELECT carid FROM Car ORDER BY carid")); cars.next();)
        projects.append(cars.value(0).toLongLong());
    {
        Reader reader(database, pattern, true);
        for (qsizetype first = 0; first < projects.size(); first += ProjectsAtOnce) {
            reader.run(projects.mid(first, ProjectsAtOnce));
            if (!take(reader))
                return found;
        }
    }
    Reader suppliers(database, pattern, false);
    suppliers.run();
    take(suppliers);
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
