// The time line drawn to files without its window: a PNG a page, one PDF, SVG and JSON, the
// refusals of bad requests, and the program itself run from the command line without a display.

#include "support/Peek.h"
#include "support/PlanWriter.h"
#include "support/TestDatabase.h"

#include "common/Clock.h"
#include "timeline/TimeLineExport.h"

#include <QDir>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

#include <sys/stat.h>

using testing::contents;
using timeline::ExportRequest;

namespace {

struct Run
{
    int status = -1;
    QString out, err;
};

// Whether anything darker than the grid's grey, a bar's outline, is drawn in row 3 of the chart
// (from y 1,495 twips).
bool inkInRow3(const QImage& image)
{
    for (int y = 101; y <= 111; ++y)
        for (int x = 360; x < image.width(); ++x)
            if (image.pixelColor(x, y).lightness() < 100)
                return true;
    return false;
}

// Whether the first page's content is clipped to the whole page filling 11 x 8.5 inches less half an
// inch round: 10 x 7 inches, 0.25 inch down, in the writer's 1/1200 inch.
bool pdfFilled(const QByteArray& pdf)
{
    for (qsizetype at = pdf.indexOf("stream\n"); at >= 0; at = pdf.indexOf("stream\n", at + 1)) {
        const QByteArray packed = pdf.mid(at + 7, pdf.indexOf("endstream", at) - at - 7);
        if (qUncompress(QByteArray("\0\x10\0\0", 4) + packed).contains("0 300 m\n12000 300 l\n12000 8700 l\n0 8700 l"))
            return true;
    }
    return false;
}

} // namespace

class TestTimeLineExport : public QObject
{
    Q_OBJECT

    testing::TestDatabase m_files;
    QString m_database;
    qint32 m_long = 0; // 34 rows: two pages in detail, one in summary
    qint32 m_undated = 0;
    qint32 m_small = 0; // one activity with characters SVG must escape
    qint32 m_now = 0; // around the real date, for the program run on its own clock

    QString path(const QString& name) const { return m_files.path(name); }

    // What the program would answer and print on its standard output and error.
    static Run exportWith(const ExportRequest& request)
    {
        Run run;
        QTextStream out(&run.out), err(&run.err);
        run.status = timeline::exportTimeLine(request, out, err);
        return run;
    }
    Run exportWith(store::Key car, const QString& output, bool summary = false)
    {
        return exportWith({ m_database, QString::number(car), summary, path(output) });
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
        m_small = plan.car(QStringLiteral("Small plan"));
        plan.activity(m_small, plan.phase(m_small, QStringLiteral("Paint"), 1), QStringLiteral("Spray & <polish>"), 1,
            QDate(2002, 1, 15), QDate(2002, 2, 14), 12);
        m_now = plan.car(QStringLiteral("Now"));
        const QDate today = common::Clock::now().date();
        plan.activity(m_now, plan.phase(m_now, QStringLiteral("P"), 1), QStringLiteral("A"), 1, today.addDays(-20),
            today.addDays(20));
    }

    void cleanup() { common::Clock::setFixed(std::nullopt); }

    // A numbered PNG a page at 96 DPI, or one PDF; each page drawn as the window shows it.
    void documents_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("summary");
        QTest::addColumn<int>("pages");
        QTest::newRow("detail png") << "long.png" << false << 2;
        QTest::newRow("summary png") << "summary.png" << true << 1;
        QTest::newRow("detail pdf, upper case") << "detail.PDF" << false << 2;
    }

    void documents()
    {
        QFETCH(QString, name);
        QFETCH(bool, summary);
        QFETCH(int, pages);
        const Run run = exportWith(m_long, name, summary);
        QCOMPARE(run.status, timeline::ExportDone);
        QCOMPARE(run.err, QString());
        if (!name.endsWith(QLatin1String(".png"))) {
            QCOMPARE(run.out, QStringLiteral("Wrote %1\n").arg(path(name)));
            const QString pdf = QString::fromLatin1(contents(path(name)));
            QCOMPARE(int(pdf.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)")))), pages);
            QVERIFY(pdfFilled(contents(path(name))));
            return;
        }
        const auto page
            = [&](int n) { return path(QFileInfo(name).completeBaseName() + QStringLiteral("-%1.png").arg(n)); };
        QString wrote;
        for (int n = 1; n <= pages; ++n) {
            wrote += QStringLiteral("Wrote %1\n").arg(page(n));
            // 12,000 x 8,400 twips; the project bar from 1/1/2003 at x 5,380 twips in row 0 from y 910.
            const QImage drawn(page(n));
            QCOMPARE(drawn.size(), QSize(800, 560));
            QCOMPARE(drawn.pixelColor(362, 63), QColor(0, 128, 0));
        }
        QCOMPARE(run.out, wrote);
        // Row 3 holds an activity on the first page of the detail only.
        QCOMPARE(inkInRow3(QImage(page(1))), !summary);
        QCOMPARE(inkInRow3(QImage(page(pages))), pages == 1 && !summary);
    }

    // Each page as SVG in twips, its texts escaped; the layout as JSON.
    void vectorAndLayoutFiles()
    {
        QCOMPARE(exportWith(m_small, QStringLiteral("plan.svg")).status, timeline::ExportDone);
        const QByteArray drawn = contents(path(QStringLiteral("plan-1.svg")));
        QVERIFY(drawn.contains("viewBox=\"0 0 12000 8400\""));
        QVERIFY(drawn.contains("Spray &amp; &lt;polish&gt;"));

        QCOMPARE(exportWith(m_small, QStringLiteral("plan.json")).status, timeline::ExportDone);
        const QJsonObject layout = QJsonDocument::fromJson(contents(path(QStringLiteral("plan.json")))).object();
        QCOMPARE(layout[u"figures"][u"targetDays"].toInt(), 31);
        QCOMPARE(layout[u"pages"][0][u"rows"].toArray().size(), 3); // the project, its phase, the activity
    }

    // Today's line through the middle of its day (1 February 2002: 31.5 days of 106.5 twips right of
    // 5,380), drawn as SVG and PNG.
    void todayLine()
    {
        common::Clock::setFixed(QDateTime(QDate(2002, 2, 1), QTime(0, 0)));
        for (const char* name : { "today.svg", "today.png" })
            QCOMPARE(exportWith(m_small, QLatin1String(name)).status, timeline::ExportDone);
        QVERIFY(contents(path(QStringLiteral("today-1.svg")))
                    .contains(R"(<line id="today" x1="8734.75" y1="900" x2="8734.75" y2="7530")"));
        QCOMPARE(QImage(path(QStringLiteral("today-1.png"))).pixelColor(582, 250), QColor(220, 0, 0));
    }

    void refusals_data()
    {
        QTest::addColumn<QStringList>("request"); // car, output, database
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("message");
        // clang-format off
        QTest::newRow("no output") << QStringList { "1", "" } << 2 << "needs --output FILE.png or FILE.pdf";
        QTest::newRow("gif") << QStringList { "1", "x.gif" } << 2 << "must be a .png, .pdf, .svg or .json file";
        QTest::newRow("car 0") << QStringList { "0", "x.png" } << 2 << "the number of a project, not '0'";
        QTest::newRow("no database") << QStringList { "1", "x.png", "Missing.mdb" } << 1 << "could not be opened";
        QTest::newRow("no dates") << QStringList { QString::number(m_undated), "x.png" } << 1 << QStringLiteral("No Dates");
        QTest::newRow("no folder, png") << QStringList { "1", "nowhere/x.png" } << 1 << "could not write";
        QTest::newRow("no folder, pdf") << QStringList { "1", "nowhere/x.pdf" } << 1 << "could not write";
        // clang-format on
    }

    // Nothing is written and nothing is said on standard output; a missing database is not made.
    void refusals()
    {
        QFETCH(QStringList, request);
        QFETCH(QString, message);
        const QString database = request.value(2);
        const Run run = exportWith({ database.isEmpty() ? m_database : path(database), request.at(0), false,
            request.at(1).isEmpty() ? QString() : path(request.at(1)) });
        QTEST(run.status, "status");
        QVERIFY2(run.err.startsWith(QStringLiteral("gearlog: ")) && run.err.contains(message), qPrintable(run.err));
        QCOMPARE(run.out, QString());
        QVERIFY(!QFile::exists(path(QStringLiteral("x-1.png"))));
        QVERIFY(database.isEmpty() || !QFile::exists(path(database)));
    }

    // The program itself, with no display at all: its exit codes, and nothing written on a refusal.
    void commandLine_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said"); // on standard output when done, else on standard error
        // clang-format off
        QTest::newRow("summary as pdf") << QStringList { "--car", "1", "--summary", "--output", "ok.pdf" } << 0 << "Wrote ";
        QTest::newRow("no car") << QStringList { "--output", "none.pdf" } << 2 << "needs --car ID";
        QTest::newRow("unknown car") << QStringList { "--car", "999", "--output", "none.pdf" } << 1 << "no project number 999";
        QTest::newRow("today") << QStringList { "--car", QString::number(m_now), "--output", "now.json" } << 0 << "Wrote ";
        QTest::newRow("no today") << QStringList { "--car", QString::number(m_now), "--no-today", "--output", "not.json" } << 0 << "Wrote ";
        // clang-format on
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, exitCode);
        arguments.last() = path(arguments.last());
        QProcess gearlog;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : { "DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM" })
            env.remove(QLatin1String(name));
        gearlog.setProcessEnvironment(env);
        gearlog.start(QStringLiteral(GEARLOG_PROGRAM),
            QStringList { QStringLiteral("--timeline"), QStringLiteral("--database"), m_database } + arguments);
        QVERIFY(gearlog.waitForFinished(30000));
        QCOMPARE(gearlog.exitStatus(), QProcess::NormalExit);
        QCOMPARE(gearlog.exitCode(), exitCode);
        QCOMPARE(QFile::exists(arguments.last()), exitCode == 0);
        if (arguments.last().endsWith(QLatin1String(".json"))) // today's line by the program's own clock
            QCOMPARE(QJsonDocument::fromJson(contents(arguments.last()))[u"today"].isNull(),
                arguments.contains(QStringLiteral("--no-today")));
        QFETCH(QString, said);
        QVERIFY((exitCode ? gearlog.readAllStandardError() : gearlog.readAllStandardOutput()).contains(said.toUtf8()));
    }

    // A pipe, a device or a folder named as the output of any command is refused at once and left
    // as it was: a pipe would hang the program, and the others would be replaced by a file.
    void specialOutputs()
    {
        QVERIFY(::mkfifo(QFile::encodeName(path(QStringLiteral("pipe.pdf"))).constData(), 0600) == 0);
        QVERIFY(QDir().mkpath(path(QStringLiteral("folder.csv"))));
        const QList<QStringList> commands { { "--timeline", "--car", "1" }, { "--report", "materials", "--car", "1" },
            { "--csv", "materials", "--car", "1" }, { "--export-project", "--car", "1" } };
        for (const QString& output :
            { path(QStringLiteral("pipe.pdf")), path(QStringLiteral("folder.csv")), QStringLiteral("/dev/null") }) {
            for (const QStringList& command : commands) {
                QProcess gearlog;
                gearlog.start(QStringLiteral(GEARLOG_PROGRAM),
                    command
                        + QStringList { QStringLiteral("--database"), m_database, QStringLiteral("--output"), output });
                QVERIFY2(gearlog.waitForFinished(30000), qPrintable(command.first() + output));
                QCOMPARE(gearlog.exitCode(), 1);
                QVERIFY(gearlog.readAllStandardError().contains("is not a regular file"));
            }
        }
        QVERIFY(!QFileInfo(path(QStringLiteral("pipe.pdf"))).isFile());
        QVERIFY(QFileInfo(path(QStringLiteral("folder.csv"))).isDir());

        // A regular file is written and named; --list-projects gives the number --car takes.
        const QStringList suffixes { ".pdf", ".txt", ".csv", ".json" };
        for (qsizetype i = 0; i < commands.size(); ++i) {
            const QString output = path(QStringLiteral("told") + suffixes.at(i));
            QProcess gearlog;
            gearlog.start(QStringLiteral(GEARLOG_PROGRAM),
                commands.at(i)
                    + QStringList { QStringLiteral("--database"), m_database, QStringLiteral("--output"), output });
            QVERIFY(gearlog.waitForFinished(30000));
            QCOMPARE(QString::fromUtf8(gearlog.readAllStandardOutput()), QStringLiteral("Wrote %1\n").arg(output));
        }
        QProcess list;
        list.start(QStringLiteral(GEARLOG_PROGRAM),
            { QStringLiteral("--list-projects"), QStringLiteral("--database"), m_database });
        QVERIFY(list.waitForFinished(30000));
        QVERIFY(list.readAllStandardOutput().startsWith(
            "1  1956 F-100 Pickup  (Ford F-100 Big Window 1956)  7 assemblies, "));
        // --find: kind, project (none for a supplier), record number and description, tab-separated.
        QProcess found;
        found.start(QStringLiteral(GEARLOG_PROGRAM), { "--find", "SEAT COVER", "--database", m_database });
        QVERIFY(found.waitForFinished(30000) && found.exitCode() == 0);
        QCOMPARE(found.readAllStandardOutput(),
            QByteArray("Component\t1\t26\tBench seat cover\nSupplier\t\t4\tHeartland Upholstery Co.\n"));
    }
};

QTEST_MAIN(TestTimeLineExport)
#include "TestTimeLineExport.moc"
