// The budget and spending charts' window from the Reports menu, and the charts drawn to files by the
// program itself, refusing what the time line export refuses with the same exit statuses.

#include "support/FormFixture.h"
#include "support/Modal.h"
#include "support/PlanWriter.h"

#include "charts/BudgetChartsForm.h"
#include "gui/Dialogs.h"

#include <QHelpEvent>
#include <QImage>
#include <QProcess>
#include <QPushButton>
#include <QTabBar>
#include <QToolTip>
#include <QtTest>

using testing::child;

namespace {

// Hovers the chart all over, and answers the tooltips shown.
QStringList hoverTips(QWidget* view)
{
    QStringList tips;
    for (int y = 2; y < view->height(); y += 5)
        for (int x = 2; x < view->width(); x += 10) {
            QHelpEvent hover(QEvent::ToolTip, QPoint(x, y), view->mapToGlobal(QPoint(x, y)));
            QApplication::sendEvent(view, &hover);
            if (QToolTip::isVisible() && !tips.contains(QToolTip::text()))
                tips << QToolTip::text();
        }
    QToolTip::hideText();
    return tips;
}

int run(const QStringList& arguments)
{
    QProcess gearlog;
    gearlog.start(QStringLiteral(GEARLOG_PROGRAM), arguments);
    return gearlog.waitForFinished(30000) ? gearlog.exitCode() : -1;
}

} // namespace

class TestBudgetCharts : public testing::FormTest
{
    Q_OBJECT

private Q_SLOTS:
    // Without a project picked the window asks for one; with one, each chart in turn, hovered for its
    // figures, at two sizes.
    void window()
    {
        m_f->action("MnuBudgetCharts")->trigger();
        QCOMPARE(gui::DialogSeam::shownBoxes().size(), 1);
        QCOMPARE(gui::DialogSeam::shownBoxes().at(0).text, QStringLiteral("Please Select A Project Car To Work With"));
        m_f->openCar(1);
        QVERIFY(testing::inModal<charts::BudgetChartsForm>([&] { m_f->action("MnuBudgetCharts")->trigger(); },
            [&](charts::BudgetChartsForm& form) {
                auto* tabs = child<QTabBar>(form, "tabCharts");
                auto* view = child<QWidget>(form, "chartView");
                QCOMPARE(tabs->count(), 4);
                const QStringList expected { "Total Budget: $18,000.00",
                    "Body & Paint (In Process): target cost $1,638.90",
                    "Jan 2026: planned $1,305.40, actual $1,233.26 (cumulative)", "Engine Rebuild: planned 48 Hours" };
                for (const QSize& size : { QSize(1100, 760), QSize(640, 480) }) {
                    form.resize(size);
                    for (int i = 0; i < tabs->count(); ++i) {
                        QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(i).center());
                        QCOMPARE(view->accessibleName(), tabs->tabText(i));
                        QVERIFY(QTest::qWaitForWindowExposed(&form));
                        const QImage shown = view->grab().toImage();
                        QCOMPARE(shown.size(), view->size());
                        QVERIFY2(hoverTips(view).join(u'|').contains(expected.at(i)), qPrintable(expected.at(i)));
                    }
                }
                QTest::mouseClick(child<QPushButton>(form, "cmdClose"), Qt::LeftButton);
            }));
    }

    // Each format, by the window's Save As and by the program; a project without dates is drawn too.
    void files_data()
    {
        QTest::addColumn<QString>("chart");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("budget png") << "budget"
                                    << "b.png" << QByteArray("\x89PNG");
        QTest::newRow("assemblies svg") << "assemblies"
                                        << "a.svg" << QByteArray("<?xml");
        QTest::newRow("spending pdf") << "spending"
                                      << "s.PDF" << QByteArray("%PDF");
        QTest::newRow("hours json") << "hours"
                                    << "h.json" << QByteArray("{");
    }

    void files()
    {
        QFETCH(QString, chart);
        QFETCH(QString, name);
        QFETCH(QByteArray, start);
        const auto undated = testing::PlanWriter(*store::Database::open(m_f->databasePath())).car("Nothing dated");
        for (const QString& car : { QStringLiteral("1"), QString::number(undated) }) {
            const QString output = m_f->files().path(car + name);
            QCOMPARE(run({ "--chart", chart, "--car", car, "--database", m_f->databasePath(), "--output", output }), 0);
            QFile file(output);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY(file.readAll().startsWith(start));
        }
        const QString saved = m_f->files().path("saved-" + name);
        m_f->openCar(1);
        QVERIFY(testing::inModal<charts::BudgetChartsForm>([&] { m_f->action("MnuBudgetCharts")->trigger(); },
            [&](charts::BudgetChartsForm& form) {
                auto* tabs = child<QTabBar>(form, "tabCharts");
                QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(int(*charts::chartNamed(chart))).center());
                gui::DialogSeam::queueFileName(saved);
                QTest::mouseClick(child<QPushButton>(form, "cmdSaveAs"), Qt::LeftButton);
                gui::DialogSeam::queuePrint(m_f->files().path("printed.pdf"));
                QTest::mouseClick(child<QPushButton>(form, "cmdPrint"), Qt::LeftButton);
            }));
        QVERIFY(QFileInfo(saved).size() > 0);
        QVERIFY(testing::contents(m_f->files().path("printed.pdf")).startsWith("%PDF"));
        QVERIFY(gui::DialogSeam::shownBoxes().isEmpty());
    }

    // The same kind of mistake gets the same exit status from --chart as from --timeline; nothing is
    // written.
    void refusals_data()
    {
        QTest::addColumn<QString>("chart");
        QTest::addColumn<QString>("car");
        QTest::addColumn<QString>("output");
        QTest::addColumn<int>("status");
        QTest::newRow("unknown chart") << "pie"
                                       << "1"
                                       << "x.txt" << 2;
        QTest::newRow("no project number") << "budget"
                                           << ""
                                           << "x.png" << 2;
        QTest::newRow("not a number") << "hours"
                                      << "1x"
                                      << "x.png" << 2;
        QTest::newRow("no such project") << "budget"
                                         << "999"
                                         << "x.png" << 1;
        QTest::newRow("not a chart file") << "budget"
                                          << "1"
                                          << "x.txt" << 2;
        QTest::newRow("no such folder") << "budget"
                                        << "1"
                                        << "missing/x.png" << 1;
        QTest::newRow("a folder") << "budget"
                                  << "1"
                                  << "folder.png" << 1;
    }

    void refusals()
    {
        QFETCH(QString, chart);
        QFETCH(QString, car);
        QFETCH(QString, output);
        QFETCH(int, status);
        QDir(m_f->files().dir().path()).mkdir("folder.png");
        const QStringList common { "--car", car, "--database", m_f->databasePath(), "--output",
            m_f->files().path(output) };
        QCOMPARE(run(QStringList { "--chart", chart } + common), status);
        QCOMPARE(run(QStringList { "--timeline" } + common), status);
        QVERIFY(!QFileInfo(m_f->files().path(output)).isFile());
    }
};

QTEST_MAIN(TestBudgetCharts)
#include "TestBudgetCharts.moc"
