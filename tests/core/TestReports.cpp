// The four printed reports as text: columns, formats, page breaks and totals, on small projects
// made here. Expected lines are put together from column positions, independently of the renderer.

#include "exchange/Csv.h"
#include "reports/ReportDocument.h"
#include "reports/Reports.h"
#include "store/Database.h"
#include "store/Store.h"
#include "support/TestDatabase.h"
#include "timeline/PageLayout.h"
#include "timeline/TimeLineModel.h"

#include <QtTest>

using common::Money;
using namespace reports;
using namespace Qt::StringLiterals;

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

// A project of its own in a new database; the helpers fill only what the reports print.
struct Project
{
    testing::TestDatabase files;
    std::unique_ptr<store::Database> db = store::Database::open(files.createEmpty());
    store::Store s { *db };
    const store::Key carid = s.cars.add({ .Description = u"Report car"_s });

    qint32 assembly(const QString& name, std::optional<qint32> status = 1)
    {
        return s.assemblies.add({ .carid = carid, .Description = name, .Status = status });
    }
    qint32 phase(const QString& name, qint32 sequence)
    {
        return s.phases.add({ .carid = carid, .prioritysequence = sequence, .Description = name });
    }
    qint32 activity(store::Key phase, const QString& name, qint32 sequence, QDate ts = {}, QDate tp = {}, QDate as = {},
        QDate ap = {}, std::optional<double> te = {}, std::optional<double> ae = {})
    {
        return s.activities.add({ 0, carid, phase, sequence, name, {}, ts, tp, te, as, ap, ae });
    }
    qint32 component(store::Key assembly, const QString& name, std::optional<qint32> quantity, const char* target,
        const char* actual, std::optional<store::Key> activity = {}, const QString& supplier = {}, bool wish = false,
        std::optional<qint32> status = 0)
    {
        const auto money = [](const char* text) { return text ? Money::parse(QLatin1String(text)) : std::nullopt; };
        return s.components.add({ 0, carid, assembly, activity, name, status, supplier, u"p7"_s, quantity,
            money(target), money(actual), wish ? 1 : 0 });
    }

    ReportRequest request() const { return { carid, u"Report car"_s, Today }; }
};

} // namespace

class TestReports : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textColumns()
    {
        ReportDocument d;
        d.pages = { Page { { Line { { { 0, "abc" }, { 6, "x" } } }, Line { { { 3, "long text" }, { 5, "y" } } } } },
            Page { { Line {} } } };
        // Column 5 has been passed: "y" goes to column 5 of a new line.
        QCOMPARE(renderText(d), u"abc  x\n  long text\n    y\n\f\n"_s);
    }

    void materialsListLines()
    {
        Project p;
        const qint32 body = p.assembly(u"Body"_s, 2);
        p.assembly(u"Axle"_s, std::nullopt);
        const qint32 ph = p.phase(u"Paint"_s, 1);
        const store::Key job = p.activity(ph, u"Spray"_s, 1, QDate(2026, 5, 1), QDate(2026, 5, 20), QDate(2026, 5, 3));
        p.component(body, u"Paint"_s, 2, "617.28", "600", job, u"Acme"_s, false, 1);
        p.component(body, u"Tape"_s, std::nullopt, nullptr, nullptr);
        const ReportDocument d = reports::materialsList(p.s, p.request());
        QCOMPARE(d.orientation, Orientation::Landscape);
        QCOMPARE(d.pages.size(), 1);
        const QStringList lines = pageLines(d, 0);
        QCOMPARE(lines.at(0), at({ { 1, "Date:      03/09/2026" }, { 65, "MATERIALS LIST" }, { 138, "Page:  1" } }));
        QCOMPARE(lines.mid(1, 2), QStringList({ "Project:  Report car", "" }));
        QCOMPARE(
            lines.at(3), at({ { 45, "-----  Target Information  ----" }, { 81, "-----  Actual Informaton  -----" } }));
        QCOMPARE(lines.at(5), QString(178, QLatin1Char('-')));
        // Assemblies by description: Axle (no components, Null status), then Body.
        QCOMPARE(lines.mid(6, 2), QStringList({ "", "Axle" }));
        QCOMPARE(lines.at(9), at({ { 1, "Body" }, { 45, "1,235" }, { 80, "1,200" }, { 138, "Completed" } }));
        QCOMPARE(lines.at(10),
            at({ { 5, "Paint" }, { 36, "2" }, { 47, "1,235" }, { 54, "5/1/2026" }, { 67, "5/20/2026" }, { 84, "1,200" },
                { 91, "5/3/2026" }, { 120, "Acme" }, { 145, "In Process" } }));
        // No quantity, no costs, no activity: all of those print empty.
        QCOMPARE(lines.at(11), at({ { 5, "Tape" }, { 145, "Not Started" } }));
        QCOMPARE(lines.at(12), QString());
        QCOMPARE(lines.at(13), at({ { 1, "Report Totals:" }, { 47, "1,235" }, { 84, "1,200" } }));
    }

    void emptyProjects()
    {
        Project p;
        const QStringList materials = pageLines(reports::materialsList(p.s, p.request()), 0);
        QCOMPARE(materials.at(7), at({ { 1, "Report Totals:" }, { 47, "0" }, { 84, "0" } }));
        const QStringList plan = pageLines(reports::projectPlan(p.s, p.request()), 0);
        QCOMPARE(plan.at(7), u"Report Totals:"_s);
        const QStringList status = pageLines(workStatus(p.s, p.request(), -1), 0);
        QCOMPARE(status.last(), QString());
        QCOMPARE(status.at(status.size() - 2), at({ { 1, "Report Totals:" }, { 60, ".00" }, { 75, ".00" } }));
        // The wish list of a project with nothing wished for has no heading at all.
        const ReportDocument wish = reports::wishList(p.s, p.request());
        QCOMPARE(wish.pages.size(), 1);
        QCOMPARE(pageLines(wish, 0),
            QStringList({ QString(), at({ { 1, "Supplier Total" }, { 97, ".00" } }), QString(),
                at({ { 1, "Report Totals:" }, { 97, ".00" } }), QString() }));
    }

    // 33 body lines a landscape page: the assembly counts 2, each component 1; the next line after
    // a full page starts a new page with its heading and is not counted.
    void pageBreaks()
    {
        Project p;
        const qint32 a = p.assembly(u"Chassis"_s);
        for (int i = 0; i < 40; ++i)
            p.component(a, u"Part %1"_s.arg(i, 2, 10, QLatin1Char('0')), 1, "1", "1");
        const ReportDocument d = reports::materialsList(p.s, p.request());
        QCOMPARE(d.pages.size(), 2);
        const QStringList first = pageLines(d, 0);
        QVERIFY(
            first.contains(at({ { 5, "Part 30" }, { 36, "1" }, { 47, "1" }, { 84, "1" }, { 145, "Not Started" } })));
        QVERIFY(!first.join(QLatin1Char('\n')).contains(u"Part 31"_s));
        const QStringList second = pageLines(d, 1);
        QVERIFY(second.at(0).endsWith(u"Page:  2"_s));
        QVERIFY(second.at(6).contains(u"Part 31"_s));

        // The status report allows 46 on a portrait page.
        const ReportDocument s = workStatus(p.s, p.request(), -1);
        QCOMPARE(s.orientation, Orientation::Portrait);
        QCOMPARE(s.pages.size(), 1);
        for (int i = 40; i < 47; ++i)
            p.component(a, u"Part %1"_s.arg(i), 1, "1", "1");
        const ReportDocument longer = workStatus(p.s, p.request(), -1);
        QCOMPARE(longer.pages.size(), 2);
        QVERIFY(pageLines(longer, 1).at(5).contains(u"Part 44"_s));
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
        const qint32 engine = p.assembly(u"Engine"_s, 2);
        p.assembly(u"Brakes"_s, 1);
        p.assembly(u"Trim"_s, std::nullopt);
        p.component(engine, u"Piston"_s, 0, "12.5", nullptr, {}, {}, false, 3);
        const QStringList lines = pageLines(workStatus(p.s, p.request(), filter), 0);
        QCOMPARE(lines.at(0),
            at({ { 1, "Date:      03/09/2026" }, { 36, "ASSEMBLY & COMPONENT STATUS REPORT" }, { 100, "Page:  1" } }));
        QCOMPARE(lines.at(1), at({ { 1, "Project:  Report car" }, { 55, name } }));
        QCOMPARE(
            lines.at(3), at({ { 37, "Quantity" }, { 49, "Target Cost" }, { 63, "Actual Cost" }, { 99, "Status" } }));
        QStringList printed; // the assembly lines: no indent, and not the totals
        for (const QString& line : lines.mid(5)) {
            if (!line.isEmpty() && !line.startsWith(u' ') && !line.startsWith(u"Report"_s))
                printed << line.section(u"  "_s, 0, 0);
        }
        QCOMPARE(printed, assemblies);
        if (assemblies.contains(u"Engine"_s)) {
            const int i = int(lines.indexOf(at({ { 1, "Engine" }, { 99, "Completed" } })));
            QVERIFY(i > 0);
            QCOMPARE(lines.at(i + 1),
                at({ { 5, "Piston" }, { 46, "0" }, { 60, ".00" }, { 75, ".00" }, { 104, "On Hold" } }));
            QCOMPARE(lines.at(i + 2), at({ { 60, ".00" }, { 75, ".00" } }));
        }
    }

    void projectPlanLines()
    {
        Project p;
        const qint32 a = p.assembly(u"Engine"_s);
        const store::Key first = p.phase(u"Strip"_s, 2);
        p.phase(u"Plan"_s, 1);
        const qint32 pull = p.activity(first, u"Pull"_s, 1, QDate(2026, 1, 5), QDate(2026, 1, 9), QDate(2026, 1, 6),
            QDate(2026, 1, 8), 10.5, 11.5);
        p.activity(
            first, u"Clean"_s, 2, QDate(2026, 1, 12), QDate(2026, 1, 20), QDate(2026, 1, 13), {}, 4, std::nullopt);
        p.component(a, u"Hoist"_s, 1, "150", "140", pull);
        p.component(a, u"Loose"_s, 1, "999", "999"); // attached to nothing: in no total
        const QStringList lines = pageLines(reports::projectPlan(p.s, p.request()), 0);
        QCOMPARE(lines.at(0), at({ { 1, "Date:      03/09/2026" }, { 66, "PROJECT PLAN" }, { 133, "Page:  1" } }));
        QCOMPARE(lines.at(5), QString(184, QLatin1Char('-')));
        QCOMPARE(lines.at(7), u"Plan"_s);
        // Efforts are whole hours, halves to even: 10.5 is 10, 11.5 is 12.
        QCOMPARE(lines.at(9),
            at({ { 1, "Strip" }, { 65, "150" }, { 72, "1/5/2026" }, { 86, "1/20/2026" }, { 99, "14" }, { 110, "140" },
                { 117, "1/6/2026" }, { 144, "12" } }));
        QCOMPARE(lines.at(11),
            at({ { 5, "Pull" }, { 68, "150" }, { 76, "1/5/2026" }, { 90, "1/9/2026" }, { 104, "10" }, { 115, "140" },
                { 123, "1/6/2026" }, { 137, "1/8/2026" }, { 151, "12" } }));
        QCOMPARE(lines.at(12), at({ { 10, "Hoist" }, { 56, "1" }, { 68, "150" }, { 115, "140" } }));
        QCOMPARE(lines.at(14),
            at({ { 5, "Clean" }, { 76, "1/12/2026" }, { 90, "1/20/2026" }, { 104, "4" }, { 123, "1/13/2026" } }));
        QCOMPARE(lines.at(16), at({ { 1, "Report Totals:" }, { 68, "150" }, { 115, "140" } }));
    }

    // Rows written by another program past the editor's limits: no output aborts; a total or
    // line past what money or whole hours hold shows "(too large)", the others their figures.
    void figuresPastTheirRange()
    {
        Project p;
        const qint32 big = p.assembly(u"Big"_s);
        const qint32 small = p.assembly(u"Small"_s);
        const qint32 ph = p.phase(u"Strip"_s, 1);
        const store::Key job = p.activity(ph, u"Grind"_s, 1, Today, Today, {}, {}, 5e15);
        p.activity(ph, u"Sand"_s, 2, Today, Today, {}, {}, 5e15);
        p.component(big, u"Gold"_s, 3, "400000000000000", nullptr, job, {}, true);
        p.component(small, u"Nut"_s, 1, "10", nullptr);
        const auto has = [](const ReportDocument& d, const QString& what) { return renderText(d).contains(what); };
        const ReportDocument materials = materialsList(p.s, p.request());
        QVERIFY(has(materials, at({ { 1, "Report Totals:" }, { 47, "(too large)" } })));
        QVERIFY(has(materials, at({ { 5, "Nut" }, { 36, "1" }, { 47, "10" } })));
        const ReportDocument plan = projectPlan(p.s, p.request());
        // The phase's cost and hours, Grind's cost, the Gold line and the report total.
        QCOMPARE(renderText(plan).count(u"(too large)"_s), 5);
        QVERIFY(has(plan, u"5,000,000,000,000,000"_s)); // one activity's hours
        QVERIFY(has(workStatus(p.s, p.request(), -1), u"(too large)"_s));
        QVERIFY(has(wishList(p.s, p.request()), at({ { 1, "Report Totals:" }, { 97, "(too large)" } })));
        QVERIFY(exchange::materialsCsv(p.s, p.carid).contains(",(too large),"));
        timeline::TimeLineModel model;
        model.load(p.s, p.carid);
        model.computeSpan(timeline::Style::Detail);
        QCOMPARE(timeline::layoutPage(model, 1, u"Report car"_s).rows.at(0).effort, u"(too large)"_s);
    }

    void wishListLines()
    {
        Project p;
        const qint32 a = p.assembly(u"Body"_s);
        p.s.suppliers.add(
            { 0, "Acme Parts", "1 Main St", {}, "Dayton", "OH", "45402", "555-0100", {}, "www.acme.example", "C-12" });
        p.component(a, u"Mirror"_s, 3, "12.5", nullptr, {}, u"Acme Parts"_s, true);
        p.component(a, u"Badge"_s, 1, "20", nullptr, {}, u"Acme Parts"_s, true);
        p.component(a, u"Trim"_s, 2, "5", nullptr, {}, u"Zed Unknown"_s, true);
        p.component(a, u"Rag"_s, 4, "1", nullptr, {}, QString(), true);
        p.component(a, u"Not wanted"_s, 1, "100", nullptr, {}, u"Acme Parts"_s, false);
        const ReportDocument d = reports::wishList(p.s, p.request());
        QCOMPARE(d.pages.size(), 2);
        const QStringList first = pageLines(d, 0);
        // The component without a supplier comes first, with a total of its own, then Acme's block.
        QCOMPARE(first.at(0),
            at({ { 1, "Rag" }, { 37, "p7" }, { 49, "Not Started" }, { 71, "4" }, { 81, "1.00" }, { 97, "4.00" } }));
        QCOMPARE(first.at(2), at({ { 1, "Supplier Total" }, { 97, "4.00" } }));
        QCOMPARE(first.at(3), at({ { 1, "Date:      03/09/2026" }, { 50, "WISH LIST" }, { 100, "Page:  1" } }));
        QCOMPARE(first.mid(6, 7),
            QStringList(
                { "Name:      Acme Parts", "Address:   1 Main St", "Address:", "Address:   Dayton,  OH    45402",
                    "Catalog:   C-12", "Tele Nbr:  555-0100", "Website:   www.acme.example" }));
        QCOMPARE(first.at(15), QString(126, QLatin1Char('-')));
        QCOMPARE(first.at(17),
            at({ { 1, "Badge" }, { 37, "p7" }, { 49, "Not Started" }, { 71, "1" }, { 81, "20.00" }, { 97, "20.00" } }));
        QCOMPARE(first.at(18),
            at({ { 1, "Mirror" }, { 37, "p7" }, { 49, "Not Started" }, { 71, "3" }, { 81, "12.50" },
                { 97, "37.50" } }));
        QCOMPARE(first.at(20), at({ { 1, "Supplier Total" }, { 97, "57.50" } }));
        // A supplier without a record: its name, and nothing else known.
        const QStringList second = pageLines(d, 1);
        QVERIFY(second.at(0).endsWith(u"Page:  2"_s));
        QCOMPARE(second.mid(3, 4), QStringList({ "Name:      Zed Unknown", "Address:", "Address:", "Address:   ," }));
        QCOMPARE(second.at(second.size() - 2), at({ { 1, "Report Totals:" }, { 97, "71.50" } }));
    }
};

QTEST_GUILESS_MAIN(TestReports)
#include "TestReports.moc"
