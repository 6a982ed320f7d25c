// Timings of the main operations at 10, 100 and 1,000 projects; `make bench` runs it.
//
//   gearlog_bench                      generates (or reuses) the databases, runs every size in a
//                                      process of its own, prints the table, writes JSON
//   gearlog_bench --size N --db FILE   times every operation on one database (a copy: it changes it)
//   gearlog_bench --size 10 --check    makes a small database, runs each operation once and checks
//                                      its result; part of the test suite
//   gearlog_bench --sizes 10,100       the same for other sizes
//   ... --only PREFIX[,PREFIX...]      times only the operations whose names start with a PREFIX; for
//                                      counting instructions, e.g. under callgrind with
//                                      --collect-atstart=no --toggle-collect='*Runner::measured*'

#include "BenchDatabase.h"
#include "Generator.h"

#include "app/Session.h"
#include "app/Startup.h"
#include "charts/ChartExport.h"
#include "charts/ChartScene.h"
#include "copy/DatabaseCopy.h"
#include "copy/ProjectCopy.h"
#include "gui/Dialogs.h"
#include "project/ProjectSession.h"
#include "reports/ReportExport.h"
#include "reports/ReportRenderer.h"
#include "reports/Reports.h"
#include "store/ServerAddress.h"
#include "store/Store.h"
#include "timeline/PageLayout.h"
#include "timeline/TimeLineModel.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMainWindow>
#include <QPainter>
#include <QPdfWriter>
#include <QProcess>
#include <QPushButton>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <QTreeView>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <sys/resource.h>

namespace {

// Runs each operation once unmeasured, then `repeat` times, and keeps the median.
class Runner
{
public:
    Runner(int repeat, bool check, const QString& only)
        : m_repeat(repeat)
        , m_check(check)
        , m_only(only.split(QLatin1Char(','), Qt::SkipEmptyParts))
    {
    }

    // setup(i), when given, runs before each measured run and is not counted.
    template <class F> void time(const char* name, F&& run, const std::function<void(int)>& setup = {})
    {
        if (!m_only.isEmpty() && std::none_of(m_only.cbegin(), m_only.cend(), [name](const QString& prefix) {
                return QLatin1String(name).startsWith(prefix);
            }))
            return;
        if (!m_check) {
            if (setup)
                setup(-1);
            measured(run, -1); // warm-up
        }
        QList<double> ms;
        for (int i = 0; i < m_repeat; ++i) {
            if (setup)
                setup(i);
            const qint64 statements = store::Database::statementCount();
            QElapsedTimer timer;
            timer.start();
            measured(run, i);
            ms << double(timer.nsecsElapsed()) / 1e6;
            m_statements.insert(QLatin1String(name), store::Database::statementCount() - statements);
        }
        std::sort(ms.begin(), ms.end());
        m_results.insert(QLatin1String(name), ms.at(ms.size() / 2));
    }
    const QJsonObject& results() const { return m_results; }
    // The statements each operation ran to the database, the last time.
    const QJsonObject& statements() const { return m_statements; }

private:
    // Out of line, under a name of its own, so that a profiler can count the operation alone.
    template <class F> Q_NEVER_INLINE void measured(F& run, int i) { run(i); }

    int m_repeat;
    bool m_check;
    QStringList m_only;
    QJsonObject m_results;
    QJsonObject m_statements;
};

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "gearlog_bench: %s\n", what);
    std::exit(1);
}

void expect(bool ok, const char* what)
{
    if (!ok)
        fail(what);
}

// The window's control with that objectName, wherever it sits.
template <class W> W* child(const QWidget& window, const char* name)
{
    W* found = window.findChild<W*>(QLatin1String(name));
    if (!found)
        fail(name);
    return found;
}

// What the user does and waits for: the pick, or the click, and everything it set off.
void pick(QComboBox* list, store::Key key)
{
    const int index = list->findData(key);
    expect(index >= 0, "no such entry");
    list->setCurrentIndex(index);
    Q_EMIT list->activated(index);
    QCoreApplication::processEvents();
}

void press(const QWidget& window, int button)
{
    QTest::mouseClick(
        child<QPushButton>(window, qPrintable(QStringLiteral("cmdButton%1").arg(button))), Qt::LeftButton);
    QCoreApplication::processEvents();
}

// Shown, with the project count in the status bar: the first activation has run.
bool started(const QWidget& window)
{
    return window.isVisible() && child<QLabel>(window, "sbStatusPanel3")->text().startsWith(QLatin1String("Entries"));
}

double peakMemoryMB()
{
    rusage usage {};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// Every operation on one database of `size` projects (keys 2 to size + 1; 1 is the sample).
QJsonObject runSize(const QString& path, int size, int repeat, bool check, const QString& only)
{
    Runner runner(repeat, check, only);
    QTemporaryDir scratch;
    QSettings settings(scratch.filePath(QStringLiteral("bench.ini")), QSettings::IniFormat);
    const auto project = [size](int i) { return 2 + (qMax(i, 0) * 37) % size; };

    runner.time("start-up to the shown window", [&](int) {
        auto session = app::startGearLog(path, settings, {}, false);
        expect(session && QTest::qWaitFor([&] { return started(session->window()); }, 10000), "no start");
        QCoreApplication::processEvents();
    });

    auto session = app::startGearLog(path, settings, {}, false);
    expect(session && QTest::qWaitFor([&] { return started(session->window()); }, 10000), "no start");
    const QMainWindow& w = session->window();
    runner.time("pick a car: lists, trees, totals", [&](int i) {
        pick(child<QComboBox>(w, "carDescription"), project(i + 1));
        expect(child<QComboBox>(w, "componentDescription")->count() == 1000
                && child<QComboBox>(w, "ActivityDescription")->count() == 500
                && child<QTreeView>(w, "TvMaterials")->model()->rowCount() == 1,
            "the pick did not fill the lists");
    });
    runner.time(
        "save a component whose cost changed",
        [&](int i) {
            press(w, 1); // Update
            child<QLineEdit>(w, "ComponentTargetCost")->setText(QString::number(10 + i + 2));
            press(w, 3); // Save
            const store::Key key = child<QComboBox>(w, "componentDescription")->currentData().toInt();
            QSqlQuery stored = session->database().run(
                QStringLiteral("SELECT targetcost FROM Component WHERE componentid = ?"), { key });
            expect(child<QPushButton>(w, "cmdButton0")->isEnabled() && !child<QPushButton>(w, "cmdButton3")->isEnabled()
                    && stored.next() && stored.value(0).toLongLong() == qint64(10 + i + 2) * 10000,
                "the save did not go through");
        },
        [&](int i) {
            pick(child<QComboBox>(w, "carDescription"), project(i + 2));
            child<QTabWidget>(w, "tbproject")->setCurrentIndex(2);
            QCoreApplication::processEvents();
            pick(child<QComboBox>(w, "componentDescription"),
                child<QComboBox>(w, "componentDescription")->itemData(0).toInt());
        });

    // File > Find on every project: a text held by ten components of each project, then one held
    // by none. Timed until the list shows what was found.
    const auto find = [&](const QString& text, int rows) {
        child<QAction>(w, "mnuFind")->trigger();
        const QWidget* form = child<QWidget>(w, "FindForm");
        child<QLineEdit>(*form, "FindText")->setText(text);
        QTest::mouseClick(child<QPushButton>(*form, "cmdFind"), Qt::LeftButton);
        QCoreApplication::processEvents();
        expect(child<QTableWidget>(*form, "FindResults")->rowCount() == rows, "the find listed the wrong records");
    };
    runner.time("find: first 200 of many", [&](int) { find(QStringLiteral("fuel PART 1"), qMin(200, 10 * size)); });
    runner.time("find: nothing found", [&](int) { find(QStringLiteral("Flux capacitor"), 0); });

    const store::Store store(session->database());
    runner.time("copy a project", [&](int i) {
        const store::Key copied
            = copy::copyProject(store, project(i + 3), QStringLiteral("Bench copy"), QDate(2026, 4, 2));
        expect(store.components.forCar(copied, store::Order::Key).size() == 1000, "the copy is incomplete");
    });

    // Deleted as the window does, each row read first for the undo; then the first project deleted
    // (not measured) and its deletion undone: every row back under its key.
    project::ProjectSession history(session->database());
    int deleted = 0;
    runner.time("delete a car with everything under it", [&](int) {
        const store::Key carid = size + 1 - deleted++;
        expect(history.remove(project::Kind::Car, carid) && !store.cars.find(carid), "the car is still there");
    });
    runner.time(
        "undo the deletion of a car",
        [&](int) {
            history.undo();
            expect(store.components.forCar(2, store::Order::Key).size() == 1000
                    && store.activities.forCar(2, store::Order::Key).size() == 500,
                "the undo did not bring the car back");
        },
        [&](int) { expect(history.remove(project::Kind::Car, 2), "the car to delete is gone"); });

    const reports::ReportRequest request { 2, QStringLiteral("Bench"), QDate(2026, 4, 2) };
    const std::pair<const char*, std::function<reports::ReportDocument()>> builders[4] = {
        { "materials list", [&] { return reports::materialsList(store, request); } },
        { "project plan", [&] { return reports::projectPlan(store, request); } },
        { "status report", [&] { return reports::workStatus(store, request, -1); } },
        { "wish list", [&] { return reports::wishList(store, request); } },
    };
    for (const auto& [name, build] : builders) {
        runner.time(qPrintable(QStringLiteral("%1 to text").arg(QLatin1String(name))),
            [&](int) { expect(reports::renderText(build()).size() > 100, "an empty report"); });
        runner.time(qPrintable(QStringLiteral("%1 to PDF").arg(QLatin1String(name))), [&](int) {
            QPdfWriter pdf(scratch.filePath(QStringLiteral("r.pdf")));
            pdf.setPageMargins(reports::reportMargins(), QPageLayout::Millimeter);
            expect(reports::renderReport(build(), pdf), "the PDF was not written");
        });
    }

    runner.time("time line model and every page laid out", [&](int) {
        timeline::TimeLineModel model;
        model.load(store, 2);
        model.computeSpan(timeline::Style::Detail);
        expect(model.pageCount() > 0, "no time line pages");
        for (int page = 1; page <= model.pageCount(); ++page)
            timeline::layoutPage(model, page, QStringLiteral("Bench"));
    });

    // Reports > Budget And Spending Charts on a project of 1,000 components and 500 activities: its
    // figures read and worked out, the window shown and the first chart drawn.
    runner.time(
        "budget charts window to the first chart",
        [&](int) {
            bool drawn = false;
            QTimer::singleShot(0, [&] {
                QWidget* form = QApplication::activeModalWidget();
                expect(form && child<QWidget>(*form, "chartView")->accessibleName() == QLatin1String("Budget"),
                    "no chart window");
                QCoreApplication::processEvents();
                drawn = form->isVisible();
                form->close();
            });
            child<QAction>(w, "MnuBudgetCharts")->trigger();
            expect(drawn, "the chart was not drawn");
        },
        [&](int) { pick(child<QComboBox>(w, "carDescription"), 2); });

    runner.time("every chart's figures, laid out and drawn", [&](int) {
        const std::optional<charts::ChartFigures> figures = charts::loadFigures(store, 2);
        expect(figures && figures->assemblies.size() == 20, "no chart figures");
        QImage image(charts::FileWidth, charts::FileHeight, QImage::Format_RGB32);
        QPainter painter(&image);
        for (charts::Chart chart : charts::AllCharts)
            charts::paintScene(painter, charts::layoutChart(*figures, chart, image.size()), image.rect());
    });

    QJsonObject result;
    result.insert(QStringLiteral("size"), size);
    result.insert(QStringLiteral("operations"), runner.results());
    result.insert(QStringLiteral("statements"), runner.statements());
    result.insert(QStringLiteral("peakMemoryMB"), peakMemoryMB());
    return result;
}

QString dataFile(int size)
{
    const QDir folder(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../bench-data")));
    QDir().mkpath(folder.path());
    return folder.filePath(QStringLiteral("gearlog-bench-v%1-%2.mdb").arg(bench::GeneratorVersion).arg(size));
}

// The figures the other figures are held to, and the large single-project cases.
void runSpecialCases(QTextStream& out)
{
    QTemporaryDir dir;
    const QString reportPath = dir.filePath(QStringLiteral("Report.mdb"));
    bench::buildDatabase(reportPath, bench::Shape { 1, 20, 10000, 10, 500 });
    QString said;
    QTextStream err(&said);
    for (const char* output : { "m.txt", "m.pdf" }) {
        QList<double> ms;
        for (int i = 0; i < 3; ++i) {
            QElapsedTimer timer;
            timer.start();
            const reports::ExportRequest request { reportPath, QStringLiteral("materials"), QStringLiteral("2"),
                QString(), dir.filePath(QLatin1String(output)) };
            expect(reports::exportReport(request, err) == 0, "the report failed");
            ms << double(timer.nsecsElapsed()) / 1e6;
        }
        std::sort(ms.begin(), ms.end());
        out << QStringLiteral("%1 %2 ms\n")
                   .arg(QStringLiteral("materials list of 10,000 components to %1:")
                            .arg(QLatin1String(output).endsWith(QLatin1String("pdf")) ? QStringLiteral("PDF")
                                                                                      : QStringLiteral("text")),
                       -62)
                   .arg(ms.at(1), 0, 'f', 1);
    }
}

// A line of the printed table: the label, then right-aligned cells.
QString tableLine(const QString& label, const QStringList& cells)
{
    QString line = QStringLiteral("%1").arg(label, -44);
    for (const QString& cell : cells)
        line += QStringLiteral(" %1").arg(cell, 9);
    return line + QLatin1Char('\n');
}

QString figure(double value, int decimals)
{
    return QString::number(value, 'f', decimals);
}

// One size's run in a process of its own, on a file or a server database.
QJsonObject runChild(int size, const QString& database, int repeat)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(),
        { QStringLiteral("--size"), QString::number(size), QStringLiteral("--db"), database, QStringLiteral("--repeat"),
            QString::number(repeat) });
    expect(child.waitForFinished(-1) && child.exitCode() == 0, "a size failed");
    return QJsonDocument::fromJson(child.readAllStandardOutput()).object();
}

// The largest size once more on a private PostgreSQL server, the file's database copied onto it;
// empty, with the reason printed, when no server can be started.
QJsonObject runOnServer(const QString& data, int size, int repeat, QTextStream& out)
{
    QTemporaryDir state;
    const QString script = QStringLiteral(GEARLOG_SERVER_SCRIPT);
    QProcess server;
    server.setProcessChannelMode(QProcess::MergedChannels);
    server.start(QStringLiteral("bash"), { script, QStringLiteral("start"), state.path() });
    server.waitForFinished(-1);
    QFile urlFile(state.filePath(QStringLiteral("url")));
    if (server.exitCode() != 0 || !urlFile.open(QIODevice::ReadOnly)) {
        out << "server: not measured: " << server.readAll() << "\n";
        return {};
    }
    const QString maintenance = QString::fromUtf8(urlFile.readAll()).trimmed();
    const QString url = QString(maintenance).replace(QStringLiteral("/postgres?"), QStringLiteral("/gearlog_bench?"));
    {
        const store::ServerAddress address = store::ServerAddress::parse(maintenance);
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("bench-maintenance"));
        db.setHostName(address.host);
        db.setDatabaseName(address.database);
        expect(db.open() && QSqlQuery(db).exec(QStringLiteral("CREATE DATABASE gearlog_bench")),
            "could not make the server database");
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-maintenance"));
    out << "copying " << size << " projects onto a private PostgreSQL server...\n";
    out.flush();
    QElapsedTimer copying;
    copying.start();
    copy::copyDatabase(data, url);
    out << "copied in " << copying.elapsed() / 1000 << " s\n";
    out.flush();
    const QJsonObject result = runChild(size, url, repeat);
    server.start(QStringLiteral("bash"), { script, QStringLiteral("stop"), state.path() });
    server.waitForFinished(-1);
    return result;
}

int orchestrate(int repeat, const QList<int>& sizes)
{
    QTextStream out(stdout);
    QJsonArray all;
    QMap<int, QJsonObject> bySize;
    for (int size : sizes) {
        const QString data = dataFile(size);
        if (!QFile::exists(data)) {
            out << "generating " << size << " projects...\n";
            out.flush();
            bench::generateDatabase(data, size);
        }
        // Deleting and copying change the file: each run works on a copy.
        QTemporaryDir dir;
        const QString copy = dir.filePath(QStringLiteral("bench.mdb"));
        expect(QFile::copy(data, copy), "could not copy the bench database");
        const QJsonObject result = runChild(size, copy, repeat);
        bySize.insert(size, result);
        all.append(result);
    }

    const QLocale english(QLocale::English);
    QStringList header;
    for (int size : sizes)
        header << english.toString(size);
    out << tableLine(QStringLiteral("operation (median ms)"), header << header.last() + u'/' + header.first());
    const QJsonObject first = bySize.value(sizes.first()).value(QStringLiteral("operations")).toObject();
    for (const QString& name : first.keys()) {
        const auto at = [&](int size) {
            return bySize.value(size).value(QStringLiteral("operations")).toObject().value(name).toDouble();
        };
        QStringList cells;
        for (int size : sizes)
            cells << figure(at(size), 1);
        const double smallest = at(sizes.first());
        out << tableLine(name, cells << figure(smallest > 0 ? at(sizes.last()) / smallest : 0.0, 2));
    }
    QStringList memory;
    for (int size : sizes)
        memory << figure(bySize.value(size).value(QStringLiteral("peakMemoryMB")).toDouble(), 0);
    out << tableLine(QStringLiteral("peak memory (MB)"), memory);
    runSpecialCases(out);

    // The largest size side by side on a file and on a server, with the statements each ran.
    const int largest = sizes.last();
    const QJsonObject onServer = runOnServer(dataFile(largest), largest, repeat, out);
    if (!onServer.isEmpty()) {
        all.append(onServer);
        out << tableLine(QStringLiteral("at %1 projects (median ms, statements)").arg(english.toString(largest)),
            { QStringLiteral("file"), QStringLiteral("server"), QStringLiteral("stmts"), QStringLiteral("stmts") });
        const QJsonObject file = bySize.value(largest);
        const auto value = [](const QJsonObject& run, const char* part, const QString& name) {
            return run.value(QLatin1String(part)).toObject().value(name).toDouble();
        };
        for (const QString& name : file.value(QStringLiteral("operations")).toObject().keys()) {
            out << tableLine(name,
                { figure(value(file, "operations", name), 1), figure(value(onServer, "operations", name), 1),
                    figure(value(file, "statements", name), 0), figure(value(onServer, "statements", name), 0) });
        }
    }

    QFile json(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("../bench-results.json")));
    if (json.open(QIODevice::WriteOnly))
        json.write(QJsonDocument(all).toJson());
    out << "written " << QFileInfo(json).absoluteFilePath() << "\n";
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gui::DialogSeam::setTestMode(true);
    const QStringList args = QCoreApplication::arguments();
    const auto value = [&](const char* name, const QString& fallback) {
        const qsizetype i = args.indexOf(QLatin1String(name));
        return i >= 0 && i + 1 < args.size() ? args.at(i + 1) : fallback;
    };
    const int repeat = value("--repeat", QStringLiteral("5")).toInt();
    if (!args.contains(QStringLiteral("--size"))) {
        QList<int> sizes;
        for (const QString& size : value("--sizes", QStringLiteral("10,100,1000")).split(QLatin1Char(',')))
            sizes << size.toInt();
        std::sort(sizes.begin(), sizes.end());
        expect(sizes.first() > 0, "--sizes takes numbers of projects, as 10,100,1000");
        return orchestrate(repeat, sizes);
    }

    const int size = value("--size", QStringLiteral("10")).toInt();
    const bool check = args.contains(QStringLiteral("--check"));
    QTemporaryDir dir;
    QString path = value("--db", QString());
    if (path.isEmpty()) {
        path = dir.filePath(QStringLiteral("bench.mdb"));
        bench::generateDatabase(path, size);
    }
    const QJsonObject result = runSize(path, size, check ? 1 : repeat, check, value("--only", QString()));
    if (check) {
        const int ran = int(result.value(QStringLiteral("operations")).toObject().size());
        std::printf("%d passed, 0 failed\n", ran);
        return ran >= 15 && gui::DialogSeam::shownBoxes().isEmpty() ? 0 : 1;
    }
    std::printf("%s", QJsonDocument(result).toJson(QJsonDocument::Compact).constData());
    return 0;
}
