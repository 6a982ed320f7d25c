// The four printed reports as text: columns, formats, page breaks and totals, on small projects
// made here. Expected lines are put together from column positions, independently of the renderer.

#include "reports/ReportDocument.h"
#include "reports/Reports.h"
#include "store/Database.h"
#include "store/Store.h"
#include "support/TestDatabase.h"

#include <QtTest>

using common::Money;
using namespace reports;

namespace {

// A line from (column, text) pairs: each text starts at its 1-based column.
QString at(std::initializer_list<std::pair<int, QString>> parts)
{
    QString line;
    for (const auto& [column, text] : parts) {
        if (line.size() < column - 1)
            line += QString(column - 1 - line.size(), QLatin1Char(' '));
        line += text;
    }
    return line;
}

QStringList pageLines(const ReportDocument& d, int page)
{
    return renderText(ReportDocument { d.orientation, { d.pages.at(page) } }).split(QLatin1Char('\n'));
}

const QDate Today(2026, 3, 9);

class Project
{
public:
    Project()
        : m_db(store::Database::open(m_files.createEmpty()))
        , s(*m_db)
    {
        store::Car car;
        car.Description = QStringLiteral("Report car");
        carid = s.cars.add(car);
    }

    qint32 assembly(const QString& name, std::optional<qint32> status = 1)
    {
        store::Assembly a;
        a.carid = carid;
        a.Description = name;
        a.Status = status;
        return s.assemblies.add(a);
    }
    qint32 phase(const QString& name, qint32 sequence)
    {
        store::Phase p;
        p.carid = carid;
        p.Description = name;
        p.prioritysequence = sequence;
        return s.phases.add(p);
    }
    qint32 activity(qint32 phase, const QString& name, qint32 sequence, QDate ts = {}, QDate tp = {}, QDate as = {},
                    QDate ap = {}, std::optional<double> te = {}, std::optional<double> ae = {})
    {
        store::Activity a;
        a.carid = carid;
        a.PhaseID = phase;
        a.Description = name;
        a.prioritysequence = sequence;
        a.targetstartdate = ts;
        a.targetstopdate = tp;
        a.actualstartdate = as;
        a.actualstopdate = ap;
        a.targeteffort = te;
        a.actualeffort = ae;
        return s.activities.add(a);
    }
    qint32 component(qint32 assembly, const QString& name, std::optional<qint32> quantity, const char* target,
                     const char* actual, std::optional<qint32> activity = {}, const QString& supplier = {},
                     bool wish = false, std::optional<qint32> status = 0)
    {
        store::Component c;
        c.carid = carid;
        c.assemblyid = assembly;
        c.Description = name;
        c.quantity = quantity;
        if (target)
            c.targetcost = Money::parse(QLatin1String(target));
        if (actual)
            c.actualcost = Money::parse(QLatin1String(actual));
        c.ActivityID = activity;
        c.SupplierName = supplier;
        c.wishlist = wish ? 1 : 0;
        c.Status = status;
        c.catalogpage = QStringLiteral("p7");
        return s.components.add(c);
    }

    ReportRequest request() const { return { carid, QStringLiteral("Report car"), Today }; }

private:
    testing::TestDatabase m_files;
    std::unique_ptr<store::Database> m_db;

public:
    store::Store s;
    qint32 carid = 0;
};

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textColumns()
    {
        ReportDocument d;
        d.pages = { Page { { Line { { { 0, QStringLiteral("abc") }, { 6, QStringLiteral("x") } } },
                             Line { { { 3, QStringLiteral("long text") }, { 5, QStringLiteral("y") } } } } },
                    Page { { Line {} } } };
        // Column 5 has been passed: "y" goes to column 5 of a new line.
        QCOMPARE(renderText(d), QStringLiteral("abc  x\n  long text\n    y\n\f\n"));
    }

    void materialsListLines()
    {
        Project p;
        const qint32 body = p.assembly(QStringLiteral("Body"), 2);
        const qint32 empty = p.assembly(QStringLiteral("Axle"), std::nullopt);
        const qint32 ph = p.phase(QStringLiteral("Paint"), 1);
        const qint32 job = p.activity(ph, QStringLiteral("Spray"), 1, QDate(2026, 5, 1), QDate(2026, 5, 20),
                                      QDate(2026, 5, 3));
        p.component(body, QStringLiteral("Paint"), 2, "617.28", "600", job, QStringLiteral("Acme"), false, 1);
        p.component(body, QStringLiteral("Tape"), std::nullopt, nullptr, nullptr);
        const ReportDocument d = reports::materialsList(p.s, p.request());
        QCOMPARE(d.orientation, Orientation::Landscape);
        QCOMPARE(d.pages.size(), 1);
        const QStringList lines = pageLines(d, 0);
        QCOMPARE(lines.at(0), at({ { 1, QStringLiteral("Date:      03/09/2026") }, { 65, QStringLiteral("MATERIALS LIST") },
                                   { 138, QStringLiteral("Page:  1") } }));
        QCOMPARE(lines.at(1), QStringLiteral("Project:  Report car"));
        QCOMPARE(lines.at(2), QString());
        QCOMPARE(lines.at(3), at({ { 45, QStringLiteral("-----  Target Information  ----") },
                                   { 81, QStringLiteral("-----  Actual Informaton  -----") } }));
        QCOMPARE(lines.at(5), QString(178, QLatin1Char('-')));
        // Assemblies by description: Axle (no components, Null status), then Body.
        QCOMPARE(lines.at(6), QString());
        QCOMPARE(lines.at(7), QStringLiteral("Axle"));
        QCOMPARE(lines.at(9), at({ { 1, QStringLiteral("Body") }, { 45, QStringLiteral("1,235") },
                                   { 80, QStringLiteral("1,200") }, { 138, QStringLiteral("Completed") } }));
        QCOMPARE(lines.at(10), at({ { 5, QStringLiteral("Paint") }, { 36, QStringLiteral("2") },
                                    { 47, QStringLiteral("1,235") }, { 54, QStringLiteral("5/1/2026") },
                                    { 67, QStringLiteral("5/20/2026") }, { 84, QStringLiteral("1,200") },
                                    { 91, QStringLiteral("5/3/2026") }, { 120, QStringLiteral("Acme") },
                                    { 145, QStringLiteral("In Process") } }));
        // No quantity, no costs, no activity: all of those print empty.
        QCOMPARE(lines.at(11), at({ { 5, QStringLiteral("Tape") }, { 145, QStringLiteral("Not Started") } }));
        QCOMPARE(lines.at(12), QString());
        QCOMPARE(lines.at(13), at({ { 1, QStringLiteral("Report Totals:") }, { 47, QStringLiteral("1,235") },
                                    { 84, QStringLiteral("1,200") } }));
        Q_UNUSED(empty);
    }

    void emptyProjects()
    {
        Project p;
        const QStringList materials = pageLines(reports::materialsList(p.s, p.request()), 0);
        QCOMPARE(materials.at(7), at({ { 1, QStringLiteral("Report Totals:") }, { 47, QStringLiteral("0") },
                                       { 84, QStringLiteral("0") } }));
        const QStringList plan = pageLines(reports::projectPlan(p.s, p.request()), 0);
        QCOMPARE(plan.at(7), QStringLiteral("Report Totals:"));
        const QStringList status = pageLines(workStatus(p.s, p.request(), -1), 0);
        QCOMPARE(status.last(), QString());
        QCOMPARE(status.at(status.size() - 2), at({ { 1, QStringLiteral("Report Totals:") }, { 60, QStringLiteral(".00") },
                                                    { 75, QStringLiteral(".00") } }));
        // The wish list of a project with nothing wished for has no heading at all.
        const ReportDocument wish = reports::wishList(p.s, p.request());
        QCOMPARE(wish.pages.size(), 1);
        QCOMPARE(pageLines(wish, 0),
                 QStringList({ QString(), at({ { 1, QStringLiteral("Supplier Total") }, { 97, QStringLiteral(".00") } }),
                               QString(), at({ { 1, QStringLiteral("Report Totals:") }, { 97, QStringLiteral(".00") } }),
                               QString() }));
    }

    // 33 body lines a landscape page: the assembly counts 2, each component 1; the next line after
    // a full page starts a new page with its heading and is not counted.
    void pageBreaks()
    {
        Project p;
        const qint32 a = p.assembly(QStringLiteral("Chassis"));
        for (int i = 0; i < 40; ++i)
            p.component(a, QStringLiteral("Part %1").arg(i, 2, 10, QLatin1Char('0')), 1, "1", "1");
        const ReportDocument d = reports::materialsList(p.s, p.request());
        QCOMPARE(d.pages.size(), 2);
        const QStringList first = pageLines(d, 0);
        QVERIFY(first.contains(at({ { 5, QStringLiteral("Part 30") }, { 36, QStringLiteral("1") },
                                    { 47, QStringLiteral("1") }, { 84, QStringLiteral("1") },
                                    { 145, QStringLiteral("Not Started") } })));
        QVERIFY(!first.join(QLatin1Char('\n')).contains(QStringLiteral("Part 31")));
        const QStringList second = pageLines(d, 1);
        QVERIFY(second.at(0).endsWith(QStringLiteral("Page:  2")));
        QVERIFY(second.at(6).contains(QStringLiteral("Part 31")));
        QVERIFY(second.join(QLatin1Char('\n')).contains(QStringLiteral("Report Totals:")));

        // The status report allows 46 on a portrait page.
        const ReportDocument s = workStatus(p.s, p.request(), -1);
        QCOMPARE(s.orientation, Orientation::Portrait);
        QCOMPARE(s.pages.size(), 1);
        for (int i = 40; i < 47; ++i)
            p.component(a, QStringLiteral("Part %1").arg(i), 1, "1", "1");
        const ReportDocument longer = workStatus(p.s, p.request(), -1);
        QCOMPARE(longer.pages.size(), 2);
        QVERIFY(pageLines(longer, 1).at(5).contains(QStringLiteral("Part 44")));
    }

    void statusReport_data()
    {
        QTest::addColumn<int>("filter");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QStringList>("assemblies");
        QTest::newRow("all") << -1 << "Select All" << QStringList({ "Brakes", "Engine", "Trim" });
        QTest::newRow("completed") << 2 << "Completed" << QStringList({ "Engine" });
        QTest::newRow("on hold") << 3 << "On Hold" << QStringList();
    }

    void statusReport()
    {
        QFETCH(int, filter);
        QFETCH(QString, name);
        QFETCH(QStringList, assemblies);
        Project p;
        const qint32 engine = p.assembly(QStringLiteral("Engine"), 2);
        p.assembly(QStringLiteral("Brakes"), 1);
        p.assembly(QStringLiteral("Trim"), std::nullopt);
        p.component(engine, QStringLiteral("Piston"), 0, "12.5", nullptr, {}, {}, false, 3);
        const QStringList lines = pageLines(workStatus(p.s, p.request(), filter), 0);
        QCOMPARE(lines.at(0), at({ { 1, QStringLiteral("Date:      03/09/2026") },
                                   { 36, QStringLiteral("ASSEMBLY & COMPONENT STATUS REPORT") },
                                   { 100, QStringLiteral("Page:  1") } }));
        QCOMPARE(lines.at(1), at({ { 1, QStringLiteral("Project:  Report car") }, { 55, name } }));
        QCOMPARE(lines.at(3), at({ { 37, QStringLiteral("Quantity") }, { 49, QStringLiteral("Target Cost") },
                                   { 63, QStringLiteral("Actual Cost") }, { 99, QStringLiteral("Status") } }));
        QStringList printed;
        for (const QString& line : lines.mid(5)) {
            if (!line.isEmpty() && !line.startsWith(QLatin1Char(' ')) && !line.startsWith(QStringLiteral("Report")))
                printed << line.left(line.indexOf(QStringLiteral("  ")) < 0 ? line.size() : line.indexOf(QStringLiteral("  ")));
        }
        QCOMPARE(printed, assemblies);
        if (assemblies.contains(QStringLiteral("Engine"))) {
            const int i = int(lines.indexOf(at({ { 1, QStringLiteral("Engine") }, { 99, QStringLiteral("Completed") } })));
            QVERIFY(i > 0);
            QCOMPARE(lines.at(i + 1), at({ { 5, QStringLiteral("Piston") }, { 46, QStringLiteral("0") },
                                           { 60, QStringLiteral(".00") }, { 75, QStringLiteral(".00") },
                                           { 104, QStringLiteral("On Hold") } }));
            QCOMPARE(lines.at(i + 2), at({ { 60, QStringLiteral(".00") }, { 75, QStringLiteral(".00") } }));
        }
    }

    void projectPlanLines()
    {
        Project p;
        const qint32 a = p.assembly(QStringLiteral("Engine"));
        const qint32 first = p.phase(QStringLiteral("Strip"), 2);
        const qint32 empty = p.phase(QStringLiteral("Plan"), 1);
        const qint32 pull = p.activity(first, QStringLiteral("Pull"), 1, QDate(2026, 1, 5), QDate(2026, 1, 9),
                                       QDate(2026, 1, 6), QDate(2026, 1, 8), 10.5, 11.5);
        p.activity(first, QStringLiteral("Clean"), 2, QDate(2026, 1, 12), QDate(2026, 1, 20), QDate(2026, 1, 13), {},
                   4, std::nullopt);
        p.component(a, QStringLiteral("Hoist"), 1, "150", "140", pull);
        p.component(a, QStringLiteral("Loose"), 1, "999", "999"); // attached to nothing: in no total
        const QStringList lines = pageLines(reports::projectPlan(p.s, p.request()), 0);
        QCOMPARE(lines.at(0), at({ { 1, QStringLiteral("Date:      03/09/2026") }, { 66, QStringLiteral("PROJECT PLAN") },
                                   { 133, QStringLiteral("Page:  1") } }));
        QCOMPARE(lines.at(5), QString(184, QLatin1Char('-')));
        QCOMPARE(lines.at(7), QStringLiteral("Plan"));
        // Efforts are whole hours, halves to even: 10.5 is 10, 11.5 is 12.
        QCOMPARE(lines.at(9), at({ { 1, QStringLiteral("Strip") }, { 65, QStringLiteral("150") },
                                   { 72, QStringLiteral("1/5/2026") }, { 86, QStringLiteral("1/20/2026") },
                                   { 99, QStringLiteral("14") }, { 110, QStringLiteral("140") },
                                   { 117, QStringLiteral("1/6/2026") }, { 144, QStringLiteral("12") } }));
        QCOMPARE(lines.at(11), at({ { 5, QStringLiteral("Pull") }, { 68, QStringLiteral("150") },
                                    { 76, QStringLiteral("1/5/2026") }, { 90, QStringLiteral("1/9/2026") },
                                    { 104, QStringLiteral("10") }, { 115, QStringLiteral("140") },
                                    { 123, QStringLiteral("1/6/2026") }, { 137, QStringLiteral("1/8/2026") },
                                    { 151, QStringLiteral("12") } }));
        QCOMPARE(lines.at(12), at({ { 10, QStringLiteral("Hoist") }, { 56, QStringLiteral("1") },
                                    { 68, QStringLiteral("150") }, { 115, QStringLiteral("140") } }));
        QCOMPARE(lines.at(14), at({ { 5, QStringLiteral("Clean") }, { 76, QStringLiteral("1/12/2026") },
                                    { 90, QStringLiteral("1/20/2026") }, { 104, QStringLiteral("4") },
                                    { 123, QStringLiteral("1/13/2026") } }));
        QCOMPARE(lines.at(16), at({ { 1, QStringLiteral("Report Totals:") }, { 68, QStringLiteral("150") },
                                    { 115, QStringLiteral("140") } }));
        Q_UNUSED(empty);
    }

    void wishListLines()
    {
        Project p;
        const qint32 a = p.assembly(QStringLiteral("Body"));
        store::Supplier acme;
        acme.Name = QStringLiteral("Acme Parts");
        acme.address1 = QStringLiteral("1 Main St");
        acme.city = QStringLiteral("Dayton");
        acme.State = QStringLiteral("OH");
        acme.Zip = QStringLiteral("45402");
        acme.Telephone = QStringLiteral("555-0100");
        acme.Email = QStringLiteral("www.acme.example");
        acme.CatalogNbr = QStringLiteral("C-12");
        p.s.suppliers.add(acme);
        p.component(a, QStringLiteral("Mirror"), 3, "12.5", nullptr, {}, QStringLiteral("Acme Parts"), true);
        p.component(a, QStringLiteral("Badge"), 1, "20", nullptr, {}, QStringLiteral("Acme Parts"), true);
        p.component(a, QStringLiteral("Trim"), 2, "5", nullptr, {}, QStringLiteral("Zed Unknown"), true);
        p.component(a, QStringLiteral("Rag"), 4, "1", nullptr, {}, QString(), true);
        p.component(a, QStringLiteral("Not wanted"), 1, "100", nullptr, {}, QStringLiteral("Acme Parts"), false);
        const ReportDocument d = reports::wishList(p.s, p.request());
        QCOMPARE(d.pages.size(), 2);
        const QStringList first = pageLines(d, 0);
        // The component without a supplier comes first, with a total of its own, then Acme's block.
        QCOMPARE(first.at(0), at({ { 1, QStringLiteral("Rag") }, { 37, QStringLiteral("p7") },
                                   { 49, QStringLiteral("Not Started") }, { 71, QStringLiteral("4") },
                                   { 81, QStringLiteral("1.00") }, { 97, QStringLiteral("4.00") } }));
        QCOMPARE(first.at(2), at({ { 1, QStringLiteral("Supplier Total") }, { 97, QStringLiteral("4.00") } }));
        QCOMPARE(first.at(3), at({ { 1, QStringLiteral("Date:      03/09/2026") }, { 50, QStringLiteral("WISH LIST") },
                                   { 100, QStringLiteral("Page:  1") } }));
        QCOMPARE(first.at(6), QStringLiteral("Name:      Acme Parts"));
        QCOMPARE(first.at(7), QStringLiteral("Address:   1 Main St"));
        QCOMPARE(first.at(8), QStringLiteral("Address:"));
        QCOMPARE(first.at(9), QStringLiteral("Address:   Dayton,  OH    45402"));
        QCOMPARE(first.at(10), QStringLiteral("Catalog:   C-12"));
        QCOMPARE(first.at(11), QStringLiteral("Tele Nbr:  555-0100"));
        QCOMPARE(first.at(12), QStringLiteral("Website:   www.acme.example"));
        QCOMPARE(first.at(15), QString(126, QLatin1Char('-')));
        QCOMPARE(first.at(17), at({ { 1, QStringLiteral("Badge") }, { 37, QStringLiteral("p7") },
                                    { 49, QStringLiteral("Not Started") }, { 71, QStringLiteral("1") },
                                    { 81, QStringLiteral("20.00") }, { 97, QStringLiteral("20.00") } }));
        QCOMPARE(first.at(18), at({ { 1, QStringLiteral("Mirror") }, { 37, QStringLiteral("p7") },
                                    { 49, QStringLiteral("Not Started") }, { 71, QStringLiteral("3") },
                                    { 81, QStringLiteral("12.50") }, { 97, QStringLiteral("37.50") } }));
        QCOMPARE(first.at(20), at({ { 1, QStringLiteral("Supplier Total") }, { 97, QStringLiteral("57.50") } }));
        // A supplier without a record: its name, and nothing else known.
        const QStringList second = pageLines(d, 1);
        QVERIFY(second.at(0).endsWith(QStringLiteral("Page:  2")));
        QCOMPARE(second.at(3), QStringLiteral("Name:      Zed Unknown"));
        QCOMPARE(second.at(6), QStringLiteral("Address:   ,"));
        QCOMPARE(second.at(second.size() - 2), at({ { 1, QStringLiteral("Report Totals:") },
                                                    { 97, QStringLiteral("71.50") } }));
    }
};

QTEST_GUILESS_MAIN(TestReports)
#include "TestReports.moc"
