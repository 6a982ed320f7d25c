// Timings of the main operations on large databases; `make bench` runs it.

#include "BenchDatabase.h"

#include "app/Session.h"
#include "app/Startup.h"
#include "gui/Dialogs.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QSettings>
#include <QTemporaryDir>
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

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    gui::DialogSeam::setTestMode(true);
    QTemporaryDir dir;

    const QString path = dir.filePath(QStringLiteral("Bench.mdb"));
    QElapsedTimer build;
    build.start();
    bench::buildDatabase(path, bench::Shape {});
    std::printf("built 1,000 projects (5 assemblies, 20 components, 4 phases, 10 activities each) in %.1f s\n",
                double(build.elapsed()) / 1000.0);

    QSettings settings(dir.filePath(QStringLiteral("bench.ini")), QSettings::IniFormat);
    const Figures startup = measure(7, [&] {
        auto session = app::startGearLog(path, settings);
        if (!session || !QTest::qWaitFor([&] { return session->window().initialized; }, 10000))
            qFatal("the main window did not start");
    });
    report("start-up to the shown main window, 1,000 projects", startup, 500);
    return gui::DialogSeam::shownBoxes().isEmpty() ? 0 : 1;
}
