// Draws the pictures the README shows from the real windows, offscreen, on a fresh sample database,
// so that they stay current: gearlog_screenshots FOLDER writes main-window.png, report-page.png and
// time-line.png there. The clock is fixed so that the pictures change only when the windows do.

#include "app/Session.h"
#include "app/Startup.h"
#include "common/Clock.h"
#include "gui/Dialogs.h"
#include "reports/ReportRenderer.h"
#include "reports/Reports.h"
#include "store/SampleProject.h"
#include "store/Store.h"
#include "timeline/TimeLineForm.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPageLayout>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

bool save(QWidget& window, const QDir& folder, const char* name)
{
    QTest::qWait(200); // let queued layout and painting settle
    const QString path = folder.filePath(QLatin1String(name));
    if (!window.grab().save(path)) {
        std::fprintf(stderr, "gearlog_screenshots: could not write %s\n", qPrintable(path));
        return false;
    }
    std::printf("Wrote %s\n", qPrintable(path));
    return true;
}

void choose(QWidget& window, const char* list, int index)
{
    auto* box = window.findChild<QComboBox*>(QLatin1String(list));
    if (!box)
        qFatal("no list %s", list);
    box->setCurrentIndex(index);
    Q_EMIT box->activated(index);
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: gearlog_screenshots FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.exists() && !QDir().mkpath(folder.path())) {
        std::fprintf(stderr, "gearlog_screenshots: could not make the folder %s\n", argv[1]);
        return 1;
    }
    gui::DialogSeam::setTestMode(true); // nothing may wait for a click here
    common::Clock::setFixed(QDateTime(QDate(2025, 10, 20), QTime(10, 30)));
    QTemporaryDir work;
    const QString database = work.filePath(QStringLiteral("ShopData.mdb"));
    store::createSampleDatabase(database, work.filePath(QStringLiteral("Pictures")));
    QSettings settings(work.filePath(QStringLiteral("settings.ini")), QSettings::IniFormat);
    auto session = app::startGearLog(database, settings, {}, false);
    if (!session || !QTest::qWaitFor([&] { return session->window().isStarted(); }, 10000))
        return 1;

    // The main window on the sample car's materials, a component shown beside its assembly's tree.
    QMainWindow& window = session->window();
    window.resize(1180, 720);
    window.show();
    choose(window, "carDescription", 0);
    window.findChild<QTabWidget*>(QStringLiteral("tbproject"))->setCurrentIndex(2);
    choose(window, "componentDescription", 4);
    bool ok = save(window, folder, "main-window.png");

    // The first page of the materials list as the print preview shows it.
    const store::Store store(session->database());
    const reports::ReportDocument document
        = reports::materialsList(store, { 1, QStringLiteral("1956 F-100 Pickup"), common::Clock::now().date() });
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageMargins(reports::reportMargins(), QPageLayout::Millimeter);
    QPrintPreviewWidget preview(&printer);
    QObject::connect(&preview, &QPrintPreviewWidget::paintRequested,
        [&document](QPrinter* p) { reports::renderReport(document, *p); });
    preview.resize(1100, 760);
    preview.show();
    preview.updatePreview();
    preview.fitToWidth();
    ok = save(preview, folder, "report-page.png") && ok;

    timeline::TimeLineForm timeLine(session->project(), 1, &window);
    timeLine.resize(1100, 760);
    timeLine.show();
    ok = save(timeLine, folder, "time-line.png") && ok;
    return ok ? 0 : 1;
}
