// Timings of the main operations on large databases; `make bench` runs it.

#include "BenchDatabase.h"

#include "app/Session.h"
#include "app/Startup.h"
#include "copy/ProjectCopy.h"
#include "store/Store.h"
#include "gui/Dialogs.h"
#include "reports/ReportExport.h"
#include "store/Store.h"
#include "timeline/PageLayout.h"
#include "timeline/TimeLineForm.h"
#include "timeline/TimeLineModel.h"

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QElapsedTimer>
#include <QImage>
#include <QSettings>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>
#include <algorithm>
#include <cstdio>

namespace {

struct Figures
{
    double median = 0;
    double worst = 0;
};

template <class F>
Figures measure(int runs, F&& run)
{
    QList<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer timer;
        timer.start();
        run();
        ms << double(timer.nsecsElapsed()) / 1e6;
    }
    std::sort(ms.begin(), ms.end());
    return { ms.at(ms.size() / 2), ms.last() };
}

void report(const char* what, const Figures& f, double limitMs)
{
    std::printf("%-60s median %8.1f ms   worst %8.1f ms   limit %6.0f ms   %s\n", what, f.median, f.worst, limitMs,
                f.worst <= limitMs ? "ok" : "OVER");
}

} // namespace

// Picks the car in the main window as a user would and waits until its lists are filled.
void pickCar(editor::Form1& w, qint32 carid)
{
    const int index = w.carDescription->findData(carid);
    w.carDescription->setCurrentIndex(index);
    Q_EMIT w.carDescription->activated(index);
}

Figures measurePick(const QString& path, QSettings& settings, int cars)
{
    auto session = app::startGearLog(path, settings, {}, false);
    if (!session || !QTest::qWaitFor([&] { return session->window().initialized; }, 10000))
        qFatal("the main window did not start");
    editor::Form1& w = session->window();
    int next = 0;
    return measure(9, [&] {
        // A different car each time, spread over the file, so nothing is served from the last pick.
        pickCar(w, 2 + (next++ * 97) % cars);
        if (w.componentCount != 1000 || w.activityCount != 500)
            qFatal("unexpected list sizes %d %d", w.componentCount, w.activityCount);
    });
}

// Both trees and every roll-up of the shown car, with a phase, activity, assembly and component picked.
Figures measureTreesAndTotals(const QString& path, QSettings& settings)
{
    auto session = app::startGearLog(path, settings, {}, false);
    if (!session || !QTest::qWaitFor([&] { return session->window().initialized; }, 10000))
        qFatal("the main window did not start");
    editor::Form1& w = session->window();
    pickCar(w, 5);
    w.currentAssemblyID = w.assemblyDescription->itemData(0).toInt();
    w.currentPhaseID = w.phaseDescription->itemData(0).toInt();
    w.currentActivityID = w.ActivityDescription->itemData(0).toInt();
    return measure(9, [&] {
        w.UpdateMaterialsTree();
        w.UpdateProjectTree();
        w.CalculateCarInfo();
        w.CalculateAssemblyInfo();
        w.CalculateComponentInfo();
        w.CalculatePhaseInfo();
        w.CalculateActivityInfo();
        if (w.activityOrderTable.size() != 500)
            qFatal("unexpected plan size");
    });
}

// The time line of a project of 1,000 activities: read, spanned, paged and every page laid out.
Figures measureTimeLineModel(const QString& path, qint32 carid)
{
    auto db = store::Database::open(path);
    const store::Store s(*db);
    return measure(9, [&] {
        timeline::TimeLineModel model;
        model.load(s, carid);
        model.computeSpan(timeline::Style::Detail);
        for (int page = 1; page <= model.pageCount(); ++page)
            timeline::layoutPage(model, page, QStringLiteral("Spread project"));
        if (model.activities().size() != 1000)
            qFatal("unexpected time line size");
    });
}

// One page of the time line window painted again, and paging to the next page (lists refilled, painted).
std::pair<Figures, Figures> measureTimeLineWindow(const QString& path, qint32 carid)
{
    auto db = store::Database::open(path);
    timeline::TimeLineForm::selectedCarID = carid;
    timeline::TimeLineForm form(*db);
    form.show();
    form.Form_Activate();
    if (form.LbName->count() != 34)
        qFatal("the time line did not show a full page");
    // Rendered into an image: the headless screen would skip a repaint of a window nobody sees.
    QImage screen(form.size(), QImage::Format_ARGB32_Premultiplied);
    const Figures repaint = measure(9, [&] { form.render(&screen); });
    const Figures next = measure(9, [&] {
        if (form.currentPage() == form.model().pageCount())
            form.CmdPrevious_Click();
        else
            form.CmdNext_Click();
        form.render(&screen);
    });
    return { repaint, next };
}

// Copies one project of 20 assemblies, 1,000 components, 10 phases and 500 activities; a fresh
// source each run, so that every copy reads a project of the same size.
Figures measureCopy(const QString& path)
{
    auto db = store::Database::open(path);
    const store::Store store(*db);
    int next = 0;
    return measure(9, [&] {
        const qint32 source = 2 + (next++ * 97) % 10;
        const qint32 copied = copy::copyProject(store, source, QStringLiteral("Bench copy"), QDate(2026, 4, 2));
        if (store.components.forCar(copied, store::Order::Key).size() != 1000
            || store.activities.forCar(copied, store::Order::Key).size() != 500)
            qFatal("the copy is incomplete");
    });
}

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gui::DialogSeam::setTestMode(true);
    QTemporaryDir dir;
    QSettings settings(dir.filePath(QStringLiteral("bench.ini")), QSettings::IniFormat);

    const bench::Shape big { 1000, 20, 1000, 10, 500 };
    const bench::Shape few { 10, 20, 1000, 10, 500 };
    const QString bigPath = dir.filePath(QStringLiteral("Big.mdb"));
    const QString fewPath = dir.filePath(QStringLiteral("Few.mdb"));
    QElapsedTimer build;
    build.start();
    bench::buildDatabase(bigPath, big);
    bench::buildDatabase(fewPath, few);
    std::printf("built 1,000 + 10 projects of 20 assemblies, 1,000 components, 10 phases, 500 activities in %.1f s\n",
                double(build.elapsed()) / 1000.0);

    const Figures startup = measure(7, [&] {
        auto session = app::startGearLog(bigPath, settings, {}, false);
        if (!session || !QTest::qWaitFor([&] { return session->window().initialized; }, 10000))
            qFatal("the main window did not start");
    });
    report("start-up to the shown main window, 1,000 projects", startup, 500);
    report("pick a car (1,000 components, 500 activities), 1,000 projects", measurePick(bigPath, settings, 1000), 50);
    report("pick a car (1,000 components, 500 activities), 10 projects", measurePick(fewPath, settings, 10), 50);
    report("both trees and all roll-ups of one car, 1,000 projects", measureTreesAndTotals(bigPath, settings), 100);
    report("both trees and all roll-ups of one car, 10 projects", measureTreesAndTotals(fewPath, settings), 100);

    // One project of 10,000 components for the materials list.
    const QString reportPath = dir.filePath(QStringLiteral("Report.mdb"));
    bench::buildDatabase(reportPath, bench::Shape { 1, 20, 10000, 10, 500 });
    QString said;
    QTextStream err(&said);
    const auto exportTo = [&](const char* name) {
        const reports::ExportRequest request { reportPath, QStringLiteral("materials"), QStringLiteral("2"), QString(),
                                               dir.filePath(QLatin1String(name)) };
        if (reports::exportReport(request, err) != 0)
            qFatal("the report failed: %s", qPrintable(said));
    };
    report("materials list of 10,000 components to text", measure(5, [&] { exportTo("m.txt"); }), 500);
    report("materials list of 10,000 components to PDF", measure(3, [&] { exportTo("m.pdf"); }), 2000);
    const int spread = bench::addSpreadProject(bigPath, 50, 20);
    report("time line: load, span and lay out all pages, 1,000 activities", measureTimeLineModel(bigPath, spread), 50);
    const auto [repaint, next] = measureTimeLineWindow(bigPath, spread);
    report("time line: repaint a page of the window", repaint, 16);
    report("time line: next page, lists filled and repainted", next, 16);
    report("copy a project (1,000 components, 500 activities), 10 projects", measureCopy(fewPath), 1000);
    report("copy a project (1,000 components, 500 activities), 1,000 projects", measureCopy(bigPath), 1000);
    return gui::DialogSeam::shownBoxes().isEmpty() ? 0 : 1;
}
