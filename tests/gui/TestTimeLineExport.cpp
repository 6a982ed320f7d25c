// The time line drawn to files without its window: a PNG a page or one PDF, the refusals of bad
// requests, and the program itself run from the command line without a display.

#include "support/PlanWriter.h"
#include "support/TestDatabase.h"

#include "timeline/TimeLineExport.h"

#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QtTest>

#include "store/Store.h"

using timeline::ExportRequest;

namespace {

struct Run
{
    int status = -1;
    QString out;
    QString err;
};

Run exportWith(const ExportRequest& request)
{
    Run run;
    QTextStream out(&run.out);
    QTextStream err(&run.err);
    run.status = timeline::exportTimeLine(request, out, err);
    return run;
}

int pdfPages(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray pdf = file.readAll();
    if (!pdf.startsWith("%PDF"))
        return -1;
    return int(QString::fromLatin1(pdf).count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

// Pixels darker than the grid's grey in a band of the chart: bar outlines and actual bars.
int darkPixels(const QImage& image, int top, int bottom)
{
    int dark = 0;
    for (int y = top; y <= bottom; ++y) {
        for (int x = 360; x < image.width(); ++x)
            dark += image.pixelColor(x, y).lightness() < 100 ? 1 : 0;
    }
    return dark;
}

} // namespace

class TestTimeLineExport : public QObject
{
    Q_OBJECT

    testing::TestDatabase m_files;
    QString m_database;
    qint32 m_long = 0; // 34 rows: two pages in detail, one in summary
    qint32 m_undated = 0;
    qint32 m_years = 0; // longer than 53 months

    ExportRequest request(qint32 car, const QString& output, bool summary = false) const
    {
        return { m_database, QString::number(car), summary, m_files.path(output) };
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_database = m_files.copySample();
        auto db = store::Database::open(m_database);
        testing::PlanWriter plan(*db);
        m_long = plan.evenCar(QStringLiteral("Long"), 2, 16);
        m_undated = plan.car(QStringLiteral("Undated"));
        plan.activity(m_undated, plan.phase(m_undated, QStringLiteral("P"), 1), QStringLiteral("No dates"), 1);
        m_years = plan.car(QStringLiteral("Years"));
        plan.activity(m_years, plan.phase(m_years, QStringLiteral("P"), 1), QStringLiteral("Long haul"), 1,
            QDate(2001, 1, 1), QDate(2009, 1, 1));
    }

    // A numbered PNG a page, 96 DPI, the page drawn as the window shows it.
    void pngPages()
    {
        const Run run = exportWith(request(m_long, QStringLiteral("long.png")));
        QCOMPARE(run.status, timeline::ExportDone);
        QCOMPARE(run.err, QString());
        const QString first = m_files.path(QStringLiteral("long-1.png"));
        const QString second = m_files.path(QStringLiteral("long-2.png"));
        QCOMPARE(run.out, QStringLiteral("Wrote %1\nWrote %2\n").arg(first, second));
        QVERIFY(!QFile::exists(m_files.path(QStringLiteral("long-3.png"))));

        const QImage one(first);
        const QImage two(second);
        QCOMPARE(one.size(), QSize(800, 560)); // 12,000 x 8,400 twips
        QCOMPARE(one.dotsPerMeterX(), 3780);
        // The project bar from 1/1/2003 starts at x 5380 twips; row 0 from y 910.
        QCOMPARE(one.pixelColor(362, 63), QColor(0, 128, 0));
        QCOMPARE(two.pixelColor(362, 63), QColor(0, 128, 0));
        // Row 3 (from y 1495 twips) holds an activity on page 1; page 2 ends after row 2.
        QVERIFY(darkPixels(one, 101, 111) > 0);
        QCOMPARE(darkPixels(two, 101, 111), 0);
        // Some text is drawn in the name list.
        bool ink = false;
        for (int x = 10; x < 180 && !ink; ++x)
            ink = one.pixelColor(x, 67).lightness() < 128;
        QVERIFY(ink);
    }

    void pdfDocument_data()
    {
        QTest::addColumn<bool>("summary");
        QTest::addColumn<int>("pages");
        QTest::newRow("detail") << false << 2;
        QTest::newRow("summary") << true << 1;
    }

    void pdfDocument()
    {
        QFETCH(bool, summary);
        const QString name = summary ? QStringLiteral("summary.PDF") : QStringLiteral("detail.pdf");
        const Run run = exportWith(request(m_long, name, summary));
        QCOMPARE(run.status, timeline::ExportDone);
        QCOMPARE(run.out, QStringLiteral("Wrote %1\n").arg(m_files.path(name)));
        QTEST(pdfPages(m_files.path(name)), "pages");
    }

    void summaryPng()
    {
        const Run run = exportWith(request(m_long, QStringLiteral("summary.png"), true));
        QCOMPARE(run.status, timeline::ExportDone);
        QCOMPARE(run.out.count(QStringLiteral("Wrote")), 1);
    }

    // Over 53 months: the chart is cut, said once, and still written.
    void longProjectIsCut()
    {
        const Run run = exportWith(request(m_years, QStringLiteral("years.png")));
        QCOMPARE(run.status, timeline::ExportDone);
        QCOMPARE(run.err, QStringLiteral("gearlog: Only Displaying The First 53 Months Of The Project\n"));
        QVERIFY(QFile::exists(m_files.path(QStringLiteral("years-1.png"))));
    }

    void refusals_data()
    {
        QTest::addColumn<QString>("car");
        QTest::addColumn<QString>("output");
        QTest::addColumn<QString>("database");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        QTest::newRow("no output") << "1"
                                   << ""
                                   << "" << 2 << "--timeline needs --output FILE.png or FILE.pdf";
        QTest::newRow("gif") << "1"
                             << "x.gif"
                             << "" << 2 << "the output must be a .png, .pdf, .svg or .json file";
        QTest::newRow("no car") << ""
                                << "x.png"
                                << "" << 2 << "--timeline needs --car ID";
        QTest::newRow("car abc") << "abc"
                                 << "x.png"
                                 << "" << 2 << "--car wants the number of a project, not 'abc'";
        QTest::newRow("car 0") << "0"
                               << "x.png"
                               << "" << 2 << "--car wants the number of a project, not '0'";
        QTest::newRow("car -3") << "-3"
                                << "x.png"
                                << "" << 2 << "--car wants the number of a project, not '-3'";
        QTest::newRow("no database") << "1"
                                     << "x.png"
                                     << "Missing.mdb" << 1 << "Missing.mdb could not be opened";
        QTest::newRow("unknown car") << "999"
                                     << "x.png"
                                     << "" << 1 << "there is no project number 999";
        QTest::newRow("no folder") << "1"
                                   << "nowhere/x.png"
                                   << "" << 1 << "could not write";
        QTest::newRow("no folder, pdf") << "1"
                                        << "nowhere/x.pdf"
                                        << "" << 1 << "could not write";
    }

    void refusals()
    {
        QFETCH(QString, car);
        QFETCH(QString, output);
        QFETCH(QString, database);
        QFETCH(QString, message);
        const ExportRequest r { database.isEmpty() ? m_database : m_files.path(database), car, false,
            output.isEmpty() ? QString() : m_files.path(output) };
        const Run run = exportWith(r);
        QTEST(run.status, "status");
        QVERIFY2(run.err.startsWith(QStringLiteral("gearlog: ")) && run.err.contains(message), qPrintable(run.err));
        QCOMPARE(run.out, QString());
        QVERIFY(!QFile::exists(m_files.path(QStringLiteral("x-1.png"))));
        QVERIFY(!QFile::exists(m_files.path(database)) || database.isEmpty());
    }

    void projectWithoutDates()
    {
        const Run run = exportWith(request(m_undated, QStringLiteral("undated.png")));
        QCOMPARE(run.status, timeline::ExportFailed);
        QCOMPARE(run.err, QStringLiteral("gearlog: There Are No Dates Entered For This Project\n"));
        QVERIFY(!QFile::exists(m_files.path(QStringLiteral("undated-1.png"))));
    }

    // The program itself, with no display at all.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("written");
        QTest::newRow("sample as png") << QStringList { "--car", "1", "--output", "sample.png" } << 0 << "sample-1.png";
        QTest::newRow("summary as pdf") << QStringList { "--car", "1", "--summary", "--output", "plan.pdf" } << 0
                                        << "plan.pdf";
        QTest::newRow("no car") << QStringList { "--output", "none.png" } << 2 << "";
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, written);
        for (QString& a : arguments) {
            if (a.endsWith(QLatin1String(".png")) || a.endsWith(QLatin1String(".pdf")))
                a = m_files.path(a);
        }
        QProcess gearlog;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("DISPLAY"));
        env.remove(QStringLiteral("WAYLAND_DISPLAY"));
        env.remove(QStringLiteral("QT_QPA_PLATFORM"));
        gearlog.setProcessEnvironment(env);
        gearlog.start(QStringLiteral(GEARLOG_PROGRAM),
            QStringList { QStringLiteral("--timeline"), QStringLiteral("--database"), m_database } + arguments);
        QVERIFY(gearlog.waitForFinished(30000));
        QCOMPARE(gearlog.exitStatus(), QProcess::NormalExit);
        QTEST(gearlog.exitCode(), "exitCode");
        if (written.isEmpty()) {
            QVERIFY(gearlog.readAllStandardError().contains("gearlog: --timeline needs --car ID"));
            return;
        }
        QVERIFY(QFile::exists(m_files.path(written)));
        QVERIFY(gearlog.readAllStandardOutput().contains("Wrote "));
    }

    // Each page as SVG in twips; the computed layout as JSON, with figures worked out by hand.
    void vectorAndLayoutFiles()
    {
        testing::TestDatabase files;
        const QString path = files.createEmpty();
        {
            auto db = store::Database::open(path);
            const store::Store s(*db);
            store::Car car;
            car.Description = QStringLiteral("Small plan");
            const qint32 carid = s.cars.add(car);
            store::Phase phase;
            phase.carid = carid;
            phase.Description = QStringLiteral("Paint");
            phase.prioritysequence = 1;
            const qint32 phaseid = s.phases.add(phase);
            store::Activity job;
            job.carid = carid;
            job.PhaseID = phaseid;
            job.prioritysequence = 1;
            job.Description = QStringLiteral("Spray & <polish>");
            job.targetstartdate = QDate(2002, 1, 15);
            job.targetstopdate = QDate(2002, 2, 14);
            job.targeteffort = 12;
            s.activities.add(job);
        }
        QString said;
        QTextStream out(&said);
        QTextStream err(&said);
        const QString svg = files.path(QStringLiteral("plan.svg"));
        QCOMPARE(timeline::exportTimeLine({ path, QStringLiteral("1"), false, svg }, out, err), 0);
        QFile page(files.path(QStringLiteral("plan-1.svg")));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QByteArray drawn = page.readAll();
        QVERIFY(drawn.contains("viewBox=\"0 0 12000 8400\""));
        QVERIFY(drawn.contains("Spray &amp; &lt;polish&gt;"));

        const QString json = files.path(QStringLiteral("plan.json"));
        QCOMPARE(timeline::exportTimeLine({ path, QStringLiteral("1"), false, json }, out, err), 0);
        QFile layoutFile(json);
        QVERIFY(layoutFile.open(QIODevice::ReadOnly));
        const QJsonObject layout = QJsonDocument::fromJson(layoutFile.readAll()).object();
        const QJsonObject figures = layout.value(QStringLiteral("figures")).toObject();
        QCOMPARE(figures.value(QStringLiteral("targetDays")).toInt(), 31); // both ends counted
        QCOMPARE(figures.value(QStringLiteral("targetMonths")).toInt(), 2); // never fewer than two
        QCOMPARE(figures.value(QStringLiteral("axisStart")).toString(), QStringLiteral("2002-01-01"));
        QCOMPARE(figures.value(QStringLiteral("pageCount")).toInt(), 1);
        const double dayScale = figures.value(QStringLiteral("dayScale")).toDouble();
        const QJsonObject first = layout.value(QStringLiteral("pages")).toArray().at(0).toObject();
        const QJsonArray rows = first.value(QStringLiteral("rows")).toArray();
        QCOMPARE(rows.size(), 3); // the project, its phase, the activity
        const QJsonObject bar = rows.at(2).toObject().value(QStringLiteral("target")).toObject();
        // The bar starts 14 days after the axis start at 5,380 twips.
        QCOMPARE(bar.value(QStringLiteral("left")).toDouble(), 5380 + 14 * dayScale);
        QCOMPARE(first.value(QStringLiteral("gridLines")).toArray().at(0).toObject().value(QStringLiteral("x1")).toDouble(),
                 5380.0);
        const QJsonObject label = first.value(QStringLiteral("monthLabels")).toArray().at(0).toObject();
        QCOMPARE(label.value(QStringLiteral("text")).toString(), QStringLiteral("1/02"));
        QCOMPARE(label.value(QStringLiteral("left")).toDouble(), 5260.0); // a one-digit month
    }
};

QTEST_MAIN(TestTimeLineExport)
#include "TestTimeLineExport.moc"
