// The time line window and its date window driven as a user drives them: opening from the main
// window, choosing project and style, paging, clicking names, correcting dates; the file read back
// through a connection of the test's own.

#include "project/ProjectSession.h"
#include "support/FormFixture.h"
#include "support/PlanWriter.h"

#include "gui/Dialogs.h"
#include "gui/ListText.h"

#include "store/Store.h"
#include "timeline/DateUpdateForm.h"
#include "timeline/PageLayout.h"
#include "timeline/TimeLineForm.h"
#include "timeline/TimeLineModel.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTreeView>
#include <QPushButton>
#include <QSqlQuery>
#include <QStatusBar>
#include <QtTest>

using testing::child;
using testing::FormFixture;
using testing::PlanWriter;
using timeline::DateUpdateForm;
using timeline::TimeLineForm;

namespace {

QStringList boxTexts()
{
    QStringList texts;
    for (const gui::ShownBox& b : gui::DialogSeam::shownBoxes())
        texts << b.text;
    return texts;
}

QStringList entries(const QListWidget* list)
{
    QStringList texts;
    for (int i = 0; i < list->count(); ++i)
        texts << list->item(i)->text();
    return texts;
}

// Runs act on the modal window of type W once it is up; schedule it, then open the window. Polls
// rather than waits, so that windows opened meanwhile run their own loops undisturbed.
template <class W, class Act> void whenModal(Act act, int triesLeft = 500)
{
    QTimer::singleShot(10, [act, triesLeft] {
        if (auto* window = qobject_cast<W*>(QApplication::activeModalWidget()))
            act(window);
        else if (triesLeft > 0)
            whenModal<W>(act, triesLeft - 1);
    });
}

// The time line has read its project list and shows what to do next.
bool setUp(const QWidget& timeLine)
{
    return child<QComboBox>(timeLine, "CboStyle")->count() == 2
        && !testing::labelText(timeLine, "SbStatusPanel1").isEmpty();
}

QString panel(const QWidget& timeLine, int n)
{
    return testing::labelText(timeLine, qPrintable(QStringLiteral("SbStatusPanel%1").arg(n)));
}

// The page the chart shows, worked out from the file as the chart's own rules would.
timeline::PageLayout expectedPage(const store::Database& db, qint32 car, const QString& name)
{
    const store::Store store(db);
    timeline::TimeLineModel model;
    model.load(store, car);
    model.computeSpan(timeline::Style::Detail);
    return timeline::layoutPage(model, 1, name);
}

void clickEntry(QListWidget* list, int row)
{
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

enum Box { TargetStart, TargetStop, TargetEffort, ActualStart, ActualStop, ActualEffort };

QLineEdit* box(DateUpdateForm& f, int which)
{
    QLineEdit* const boxes[]
        = { child<QLineEdit>(f, "ActivityTargetStartDate"), child<QLineEdit>(f, "ActivityTargetStopDate"),
              child<QLineEdit>(f, "ActivityTargetEffort"), child<QLineEdit>(f, "ActivityActualStartDate"),
              child<QLineEdit>(f, "ActivityActualStopDate"), child<QLineEdit>(f, "ActivityActualEffort") };
    return boxes[which];
}

} // namespace

class TestTimeLine : public QObject
{
    Q_OBJECT

    FormFixture* m_f = nullptr;
    std::unique_ptr<store::Database> m_db; // the test's own connection to the file
    std::unique_ptr<PlanWriter> m_plan;
    // What the main window hands the time line: the file and its current car.
    std::unique_ptr<project::ProjectSession> m_session;

    QMainWindow& w() { return m_f->form(); }

    QVariant value(const QString& sql, const QVariant& key)
    {
        QSqlQuery q = m_db->run(sql, { key });
        return q.next() ? q.value(0) : QVariant();
    }

    // A time line on the file, set up as the first activation would, on the given project.
    std::unique_ptr<TimeLineForm> openOn(qint32 car)
    {
        auto form = std::make_unique<TimeLineForm>(*m_session, car);
        form->show();
        form->activateWindow();
        if (!QTest::qWaitFor([&] { return setUp(*form); }))
            qWarning("the time line did not set itself up");
        return form;
    }

    std::unique_ptr<DateUpdateForm> dateWindowOn(qint32 activity)
    {
        auto form = std::make_unique<DateUpdateForm>(*m_session, activity);
        form->show();
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form.get()))
            qWarning("the date window did not become active");
        QTest::qWait(0); // the first activation runs from the event loop
        return form;
    }

private Q_SLOTS:
    void init()
    {
        m_f = new FormFixture;
        QVERIFY(m_f->start());
        m_db = store::Database::open(m_f->databasePath());
        m_plan = std::make_unique<PlanWriter>(*m_db);
        m_session = std::make_unique<project::ProjectSession>(*m_db);
    }

    void cleanup()
    {
        m_plan.reset();
        m_session.reset();
        m_db.reset();
        delete m_f;
        m_f = nullptr;
    }

    // The menu opens the window modally on the car picked in the main window; Quit returns.
    void opensFromTheMenuOnTheMainWindowsCar()
    {
        m_f->openCar(1);
        QStringList seen;
        whenModal<TimeLineForm>([&](TimeLineForm* t) {
            if (!QTest::qWaitFor([t] { return setUp(*t); }))
                return;
            seen << t->windowTitle() << gui::listText(child<QComboBox>(*t, "CboCar"))
                 << child<QComboBox>(*t, "CboStyle")->currentText()
                 << QString::number(child<QListWidget>(*t, "LbName")->count())
                 << child<QListWidget>(*t, "LbName")->item(1)->text()
                 << child<QListWidget>(*t, "LbName")->item(2)->text() << panel(*t, 1) << panel(*t, 2) << panel(*t, 3)
                 << panel(*t, 4) << QString::number(child<QPushButton>(*t, "CmdNext")->isEnabled())
                 << QString::number(child<QPushButton>(*t, "CmdPrevious")->isEnabled());
            QTest::mouseClick(child<QPushButton>(*t, "CmdReturn"), Qt::LeftButton);
        });
        child<QAction>(w(), "mnuTimeLine")->trigger();
        QCOMPARE(seen,
            QStringList({ "Gear-Log Project Time Line", "1956 F-100 Pickup", "Show Activity Detail", "26",
                "Teardown & Assessment", "       Photograph and tag parts",
                "Click On An Activity To Display Date information", "5  Phases", "20  Activities", "Page  1  Of  1",
                "0", "0" }));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QVERIFY(boxTexts().isEmpty());
    }

    // With no project chosen anywhere the window waits for a choice; the one shown last wins over
    // the main window's, and a project that is gone is passed over.
    void preselection_data()
    {
        QTest::addColumn<bool>("shownBefore");
        QTest::addColumn<bool>("mainHasCar");
        QTest::addColumn<QString>("listText");
        QTest::newRow("nothing") << false << false << "<Select A Project Car>";
        QTest::newRow("main window's car") << false << true << "1956 F-100 Pickup";
        QTest::newRow("shown before wins") << true << true << "Coupe";
    }

    void preselection()
    {
        QFETCH(bool, shownBefore);
        QFETCH(bool, mainHasCar);
        const qint32 coupe = m_plan->evenCar(QStringLiteral("Coupe"), 1, 1);
        m_session->setCurrentCar(mainHasCar ? 1 : 0);
        auto form = openOn(shownBefore ? coupe : 0);
        QTEST(gui::listText(child<QComboBox>(*form, "CboCar")), "listText");
        QCOMPARE(panel(*form, 1),
            mainHasCar ? QStringLiteral("Click On An Activity To Display Date information")
                       : QStringLiteral("Select A Project To Display"));
        QCOMPARE(child<QListWidget>(*form, "LbName")->count(), mainHasCar ? (shownBefore ? 3 : 26) : 0);
        QCOMPARE(child<QComboBox>(*form, "CboStyle")->count(), 2);
        QCOMPARE(child<QComboBox>(*form, "CboStyle")->itemText(1), QStringLiteral("Show Phase Summary"));

        m_db->run(QStringLiteral("DELETE FROM Car WHERE carid = ?"), { coupe });
        form = openOn(coupe);
        QCOMPARE(gui::listText(child<QComboBox>(*form, "CboCar")),
            mainHasCar ? QStringLiteral("1956 F-100 Pickup") : QStringLiteral("<Select A Project Car>"));
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("tip");
        QTest::addColumn<QRect>("pixels"); // the twips of the layout at 96 DPI
        QTest::newRow("CboCar") << "CboCar"
                                << ""
                                << "Click On A Project To Display Time Line" << QRect(8, 8, 337, 21);
        QTest::newRow("CboStyle") << "CboStyle"
                                  << ""
                                  << "Click On A Selection To Display 'Detail' Or 'Summary' Information"
                                  << QRect(360, 8, 209, 21);
        QTest::newRow("CmdReturn") << "CmdReturn"
                                   << "Quit"
                                   << "Click To Return To Gear-Log Main Screen" << QRect(584, 8, 57, 20);
        QTest::newRow("Label2") << "Label2"
                                << " -----------------  Target  ---------------"
                                << "" << QRect(192, 32, 145, 13);
        QTest::newRow("Label1")
            << "Label1"
            << "Phase / Activity                                     Start Date   Stop Date   Effort"
            << "" << QRect(8, 47, 329, 13);
        QTest::newRow("LbName") << "LbName"
                                << ""
                                << "Click On An Activity To Display And Update Date Infromation"
                                << QRect(8, 60, 185, 444);
        QTest::newRow("LbStartDate") << "LbStartDate"
                                     << ""
                                     << "" << QRect(192, 60, 57, 444);
        QTest::newRow("LbStopDate") << "LbStopDate"
                                    << ""
                                    << "" << QRect(248, 60, 57, 444);
        QTest::newRow("LbEffort") << "LbEffort"
                                  << ""
                                  << "" << QRect(304, 60, 41, 444);
        QTest::newRow("CmdPrevious") << "CmdPrevious"
                                     << "Previous"
                                     << "Click To Display The Previous Page Of Information" << QRect(720, 507, 57, 21);
        QTest::newRow("CmdNext") << "CmdNext"
                                 << "Next"
                                 << "Click To Display The Next Page Of Information" << QRect(720, 529, 57, 21);
    }

    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        auto form = openOn(0);
        QCOMPARE(form->logicalDpiX(), 96);
        auto* control = form->findChild<QWidget*>(name);
        QVERIFY(control);
        QTEST(control->toolTip(), "tip");
        QTEST(control->geometry(), "pixels");
        if (auto* b = qobject_cast<QPushButton*>(control))
            QCOMPARE(b->text(), caption);
        if (auto* l = qobject_cast<QLabel*>(control))
            QCOMPARE(l->text(), caption);
    }

    // Entries are 195 twips high and stand beside their bars.
    void listsAlignWithTheRows()
    {
        m_session->setCurrentCar(1);
        auto form = openOn(0);
        for (QListWidget* list : { child<QListWidget>(*form, "LbName"), child<QListWidget>(*form, "LbStartDate"),
                 child<QListWidget>(*form, "LbStopDate"), child<QListWidget>(*form, "LbEffort") }) {
            QCOMPARE(list->count(), 26);
            for (int row : { 0, 1, 25 }) {
                const QRect entry = list->visualItemRect(list->item(row));
                QCOMPARE(entry.height(), 13);
                const int top = list->viewport()->mapTo(form.get(), entry.topLeft()).y();
                const double barTop = (910 + 195 * row) / 15.0;
                QVERIFY2(qAbs(top - barTop) <= 1.5, qPrintable(QStringLiteral("row %1 at %2").arg(row).arg(top)));
            }
        }
        QCOMPARE(child<QListWidget>(*form, "LbStartDate")->item(2)->text(), QStringLiteral("03/01/25"));
        QCOMPARE(child<QListWidget>(*form, "LbEffort")->item(0)->text(), QStringLiteral("383"));
    }

    // The chart is painted from the page's twips at the screen's 15 twips a pixel, in the bar colours.
    void chartColours()
    {
        m_session->setCurrentCar(1);
        auto form = openOn(0);
        const QImage shot = form->grab().toImage();
        const timeline::PageLayout page = expectedPage(*m_db, 1, QStringLiteral("1956 F-100 Pickup"));
        QCOMPARE(child<QListWidget>(*form, "LbName")->count(), page.rows.size());
        // Inside a target bar, above its actual bar; inside an actual bar.
        const auto targetPixel = [&](int row) {
            const QRectF bar = *page.rows.at(row).target;
            return shot.pixelColor(int((bar.left() + 45) / 15), int((bar.top() + 30) / 15));
        };
        const auto actualPixel = [&](int row) {
            const QRectF bar = *page.rows.at(row).actual;
            return shot.pixelColor(int((bar.left() + 30) / 15), int(bar.center().y() / 15));
        };
        QCOMPARE(targetPixel(0), QColor(0, 128, 0));
        QCOMPARE(targetPixel(1), QColor(128, 128, 255));
        QCOMPARE(targetPixel(2), QColor(255, 255, 255));
        QCOMPARE(actualPixel(2), form->palette().color(QPalette::WindowText));
        // The legend: Project green at 120, 7640; Phase light blue at 120, 7920.
        QCOMPARE(shot.pixelColor(20, 517), QColor(0, 128, 0));
        QCOMPARE(shot.pixelColor(20, 536), QColor(128, 128, 255));
        QCOMPARE(shot.pixelColor(148, 517), QColor(255, 255, 255));
        QCOMPARE(shot.pixelColor(148, 537), form->palette().color(QPalette::WindowText));
    }

    // 34 rows below the project row: 33 on page 1, the last on page 2 under its phase again.
    void paging()
    {
        const qint32 car = m_plan->evenCar(QStringLiteral("Long"), 2, 16);
        auto form = openOn(car);
        QCOMPARE(child<QListWidget>(*form, "LbName")->count(), 34);
        QCOMPARE(panel(*form, 4), QStringLiteral("Page  1  Of  2"));
        QVERIFY(child<QPushButton>(*form, "CmdNext")->isEnabled());
        QVERIFY(!child<QPushButton>(*form, "CmdPrevious")->isEnabled());

        QTest::mouseClick(child<QPushButton>(*form, "CmdNext"), Qt::LeftButton);
        QCOMPARE(entries(child<QListWidget>(*form, "LbName")), QStringList({ "Long", "Phase 1", "       A1.15" }));
        QCOMPARE(entries(child<QListWidget>(*form, "LbStartDate")), QStringList({ "01/01/03", "", "01/16/03" }));
        QCOMPARE(panel(*form, 4), QStringLiteral("Page  2  Of  2"));
        QVERIFY(!child<QPushButton>(*form, "CmdNext")->isEnabled());
        QVERIFY(child<QPushButton>(*form, "CmdPrevious")->isEnabled());
        QCOMPARE(child<QListWidget>(*form, "LbName")->count(), 3);

        QTest::mouseClick(child<QPushButton>(*form, "CmdPrevious"), Qt::LeftButton);
        QCOMPARE(child<QListWidget>(*form, "LbName")->count(), 34);
        QCOMPARE(child<QListWidget>(*form, "LbName")->item(33)->text(), QStringLiteral("       A1.14"));
        QCOMPARE(panel(*form, 4), QStringLiteral("Page  1  Of  2"));
    }

    // Activities in priority order interleave their phases; every one is listed once, under its phase.
    void interleavedPhasesPageThrough()
    {
        const qint32 car = m_plan->car(QStringLiteral("Interleaved"));
        QSet<QString> expected;
        QList<qint32> phases;
        for (int p = 0; p < 3; ++p)
            phases << m_plan->phase(car, QStringLiteral("Phase %1").arg(p), p + 1);
        for (int seq = 1; seq <= 25; ++seq) {
            for (int p = 0; p < 3; ++p) {
                const QString name = QStringLiteral("A%1.%2").arg(p).arg(seq);
                m_plan->activity(car, phases.at(p), name, seq, QDate(2004, 2, 1), QDate(2004, 2, 20));
                expected.insert(QStringLiteral("       ") + name);
            }
        }
        auto form = openOn(car);
        QCOMPARE(panel(*form, 4), QStringLiteral("Page  1  Of  3"));
        QStringList listed;
        for (int page = 1; page <= 3; ++page) {
            if (page > 1)
                QTest::mouseClick(child<QPushButton>(*form, "CmdNext"), Qt::LeftButton);
            QString phase;
            for (const QString& name : entries(child<QListWidget>(*form, "LbName")).mid(1)) {
                if (!name.startsWith(QLatin1Char(' '))) {
                    phase = name.back();
                    continue;
                }
                QCOMPARE(name.mid(8, 1), phase);
                listed << name;
            }
        }
        QCOMPARE(listed.size(), 75);
        QCOMPARE(QSet<QString>(listed.begin(), listed.end()), expected);
    }

    void styles()
    {
        const qint32 car = m_plan->evenCar(QStringLiteral("Long"), 2, 16);
        auto form = openOn(car);
        QTest::mouseClick(child<QPushButton>(*form, "CmdNext"), Qt::LeftButton);
        child<QComboBox>(*form, "CboStyle")->setCurrentIndex(1);
        Q_EMIT child<QComboBox>(*form, "CboStyle")->activated(1);
        QCOMPARE(entries(child<QListWidget>(*form, "LbName")), QStringList({ "Long", "Phase 0", "Phase 1" }));
        QCOMPARE(entries(child<QListWidget>(*form, "LbEffort")), QStringList({ "160", "", "" }));
        QCOMPARE(panel(*form, 4), QStringLiteral("Page  1  Of  1"));
        QVERIFY(!child<QPushButton>(*form, "CmdNext")->isEnabled());
        // Any row of the summary is a phase or the project.
        for (int row = 0; row < 3; ++row)
            clickEntry(child<QListWidget>(*form, "LbName"), row);
        QTRY_COMPARE(boxTexts(), QStringList(3, QStringLiteral("Cannot update 'Phase' Information")));
    }

    // The project and phase rows cannot be changed here; a phase name with leading blanks is still a phase.
    void clickOnAPhaseRow_data()
    {
        QTest::addColumn<int>("row");
        QTest::newRow("project") << 0;
        QTest::newRow("phase") << 1;
        QTest::newRow("phase with blanks") << 3;
    }

    void clickOnAPhaseRow()
    {
        const qint32 car = m_plan->car(QStringLiteral("Blanks"));
        m_plan->activity(car, m_plan->phase(car, QStringLiteral("Body"), 1), QStringLiteral("Rust"), 1,
            QDate(2003, 1, 1), QDate(2003, 1, 31));
        m_plan->phase(car, QStringLiteral("   Indented"), 2);
        auto form = openOn(car);
        QCOMPARE(child<QListWidget>(*form, "LbName")->item(3)->text(), QStringLiteral("   Indented"));
        QFETCH(int, row);
        clickEntry(child<QListWidget>(*form, "LbName"), row);
        QTRY_COMPARE(boxTexts(), QStringList { QStringLiteral("Cannot update 'Phase' Information") });
        QCOMPARE(panel(*form, 1), QStringLiteral("Click On An Activity To Display Date information"));
    }

    // A project without dates keeps the previous chart and lists; a long one is cut with one notice.
    void projectsWithoutDatesAndTooLong()
    {
        const qint32 empty = m_plan->car(QStringLiteral("AAA Empty"));
        m_plan->activity(empty, m_plan->phase(empty, QStringLiteral("P"), 1), QStringLiteral("Undated"), 1);
        const qint32 longCar = m_plan->car(QStringLiteral("AAB Long"));
        m_plan->activity(longCar, m_plan->phase(longCar, QStringLiteral("P"), 1), QStringLiteral("Years"), 1,
            QDate(2000, 1, 1), QDate(2004, 8, 27));
        m_session->setCurrentCar(1);
        auto form = openOn(0);
        const QStringList sample = entries(child<QListWidget>(*form, "LbName"));

        m_f->pick(child<QComboBox>(*form, "CboCar"), empty);
        QCOMPARE(boxTexts(), QStringList { QStringLiteral("There Are No Dates Entered For This Project") });
        QCOMPARE(entries(child<QListWidget>(*form, "LbName")), sample);
        QCOMPARE(child<QListWidget>(*form, "LbName")->count(), 26);

        gui::DialogSeam::reset();
        m_f->pick(child<QComboBox>(*form, "CboCar"), longCar);
        QCOMPARE(boxTexts(), QStringList { QStringLiteral("Only Displaying The First 53 Months Of The Project") });
        QCOMPARE(
            child<QListWidget>(*form, "LbStopDate")->item(0)->text(), QStringLiteral("05/31/04")); // cut to 1,612 days
        QCOMPARE(child<QListWidget>(*form, "LbStopDate")->item(2)->text(), QStringLiteral("08/27/04"));
    }

    // The whole round: pick, open the time line, click an activity on page 2, correct it, save.
    // The chart comes back on page 1 in detail style with the new dates; the main window starts over.
    void correctingDatesFromTheChart()
    {
        const qint32 car = m_plan->evenCar(QStringLiteral("Long"), 2, 16);
        const qint32 target
            = value(QStringLiteral("SELECT ActivityID FROM Activity WHERE Description = ?"), QStringLiteral("A1.15"))
                  .toInt();
        QVERIFY(m_f->restart()); // the list was filled before the project was written
        m_f->pick(child<QComboBox>(w(), "carDescription"), car);

        QStringList seen;
        whenModal<TimeLineForm>([&](TimeLineForm* t) {
            if (!QTest::qWaitFor([t] { return setUp(*t); }))
                return;
            QTest::mouseClick(child<QPushButton>(*t, "CmdNext"), Qt::LeftButton);
            bool saved = false;
            whenModal<DateUpdateForm>([&](DateUpdateForm* d) {
                seen << d->windowTitle() << child<QLineEdit>(*d, "ActivityDescription")->text()
                     << child<QLineEdit>(*d, "ActivityTargetStartDate")->text() << panel(*t, 1);
                m_f->type(child<QLineEdit>(*d, "ActivityTargetStartDate"), QStringLiteral("2/1/2003"));
                m_f->type(child<QLineEdit>(*d, "ActivityTargetStopDate"), QStringLiteral("2/28/2003"));
                QTest::mouseClick(child<QPushButton>(*d, "CmdUpdate"), Qt::LeftButton);
                saved = true;
            });
            clickEntry(child<QListWidget>(*t, "LbName"), 2);
            if (!QTest::qWaitFor([&] { return saved; }))
                return;
            seen << panel(*t, 4) << child<QComboBox>(*t, "CboStyle")->currentText()
                 << gui::listText(child<QComboBox>(*t, "CboCar")) << panel(*t, 1)
                 << QString::number(child<QListWidget>(*t, "LbName")->count());
            QTest::mouseClick(child<QPushButton>(*t, "CmdNext"), Qt::LeftButton);
            seen << child<QListWidget>(*t, "LbName")->item(2)->text()
                 << child<QListWidget>(*t, "LbStartDate")->item(2)->text()
                 << child<QListWidget>(*t, "LbStopDate")->item(2)->text();
            QTest::mouseClick(child<QPushButton>(*t, "CmdReturn"), Qt::LeftButton);
        });
        child<QAction>(w(), "mnuTimeLine")->trigger();

        QCOMPARE(seen,
            QStringList({ "GearLog  -  Activity Date Maintenance", "A1.15", "1/16/2003",
                "Updating Activity Information", "Page  1  Of  2", "Show Activity Detail", "Long",
                "Click On An Activity To Display Date information", "34", "       A1.15", "02/01/03", "02/28/03" }));
        QCOMPARE(value(QStringLiteral("SELECT targetstartdate FROM Activity WHERE ActivityID = ?"), target),
            QVariant(QStringLiteral("2003-02-01")));
        // Back in the main window, which has started over, its lists filled once again.
        QCOMPARE(gui::listText(child<QComboBox>(w(), "carDescription")), QStringLiteral("<Select A Project Car>"));
        QCOMPARE(child<QTabWidget>(w(), "tbproject")->currentIndex(), 0);
        QCOMPARE(child<QLineEdit>(w(), "projectDescription")->text(), QString());
        QVERIFY(!child<QTabWidget>(w(), "TbDisplay")->isEnabled());
        QCOMPARE(child<QTreeView>(w(), "TvMaterials")->model()->rowCount(), 0);
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("100001"));
        QCOMPARE(child<QComboBox>(w(), "ActivityStatus")->count(), 4);
    }

    // Cancelling keeps the page, the style and the file as they were.
    void cancellingKeepsThePage()
    {
        const qint32 car = m_plan->evenCar(QStringLiteral("Long"), 2, 16);
        auto form = openOn(car);
        QTest::mouseClick(child<QPushButton>(*form, "CmdNext"), Qt::LeftButton);
        bool cancelled = false;
        whenModal<DateUpdateForm>([&](DateUpdateForm* d) {
            m_f->type(child<QLineEdit>(*d, "ActivityTargetStartDate"), QStringLiteral("2/1/2003"));
            QTest::mouseClick(child<QPushButton>(*d, "CmdCancel"), Qt::LeftButton);
            cancelled = true;
        });
        clickEntry(child<QListWidget>(*form, "LbName"), 2);
        QVERIFY(QTest::qWaitFor([&] { return cancelled; }));
        QCOMPARE(panel(*form, 4), QStringLiteral("Page  2  Of  2"));
        QCOMPARE(panel(*form, 1), QStringLiteral("Click On An Activity Name To Update Dates"));
        QCOMPARE(child<QListWidget>(*form, "LbStartDate")->item(2)->text(), QStringLiteral("01/16/03"));
        QCOMPARE(
            value(QStringLiteral("SELECT COUNT(*) FROM Activity WHERE carid = ? AND targetstartdate = '2003-02-01'"),
                car),
            QVariant(0));
    }

    void quitClearsTheSetUp()
    {
        m_session->setCurrentCar(1);
        auto form = openOn(0);
        m_f->pickText(child<QComboBox>(*form, "CboStyle"), QStringLiteral("Show Phase Summary"));
        QTest::mouseClick(child<QPushButton>(*form, "CmdReturn"), Qt::LeftButton);
        QVERIFY(!form->isVisible());
    }

    // What the date window shows: dates as M/d/yyyy, empty efforts as "0", a missing activity as such.
    void dateWindowShowsTheActivity()
    {
        const qint32 car = m_plan->car(QStringLiteral("Coupe"));
        const qint32 job = m_plan->activity(
            car, m_plan->phase(car, QStringLiteral("P"), 1), QStringLiteral("Rust"), 1, QDate(2003, 5, 1), QDate());
        auto form = dateWindowOn(job);
        QCOMPARE(child<QLineEdit>(*form, "ActivityDescription")->text(), QStringLiteral("Rust"));
        QCOMPARE(child<QLineEdit>(*form, "ActivityTargetStartDate")->text(), QStringLiteral("5/1/2003"));
        QCOMPARE(child<QLineEdit>(*form, "ActivityTargetStopDate")->text(), QString());
        QCOMPARE(child<QLineEdit>(*form, "ActivityTargetEffort")->text(), QStringLiteral("0"));
        QCOMPARE(child<QLineEdit>(*form, "ActivityActualEffort")->text(), QStringLiteral("0"));
        QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(*form, "ActivityTargetStartDate"));
        QTRY_COMPARE(child<QLineEdit>(*form, "ActivityTargetStartDate")->selectedText(), QStringLiteral("5/1/2003"));
        QCOMPARE(child<QLineEdit>(*form, "ActivityTargetStartDate")->toolTip(),
            QStringLiteral("Enter The Anticipated Start Date.  Example:  '12/31/2002'"));
        QCOMPARE(child<QLabel>(*form, "Label33")->text(),
            QStringLiteral(" -----------------------   Activity Information  -----------------------"));
        QCOMPARE(child<QLineEdit>(*form, "ActivityActualEffort")->geometry(),
            QRect(232, 88, 65, 19)); // 3480, 1320, 975 x 285
        QCOMPARE(child<QPushButton>(*form, "CmdUpdate")->text(), QStringLiteral("Save"));
        QCOMPARE(child<QPushButton>(*form, "CmdCancel")->toolTip(),
            QStringLiteral("This Button Will Cancel Any Changes Made"));

        form = dateWindowOn(987654);
        QCOMPARE(child<QLineEdit>(*form, "ActivityDescription")->text(), QStringLiteral("<Activity Not Available>"));
        QCOMPARE(child<QLineEdit>(*form, "ActivityTargetEffort")->text(), QString());
        QTest::mouseClick(child<QPushButton>(*form, "CmdUpdate"), Qt::LeftButton);
        QCOMPARE(
            boxTexts(), QStringList { QStringLiteral("This Activity Is No Longer Available - Nothing Was Saved") });
        QVERIFY(form->isVisible());
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>(*form, "CmdCancel"));
        QVERIFY(form->result() != QDialog::Accepted);
    }

    void dateRules_data()
    {
        QTest::addColumn<QStringList>("typed"); // the six boxes: target start, stop, effort, actual start, stop, effort
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus");
        QTest::newRow("all empty") << QStringList { "", "", "", "", "", "" } << "" << -1;
        QTest::newRow("start without stop") << QStringList { "5/1/2003", "", "12", "5/3/03", "", "2.5" } << "" << -1;
        QTest::newRow("same day") << QStringList { "5/1/2003", "5/1/2003", "1", "", "", "" } << "" << -1;
        QTest::newRow("stop before start") << QStringList { "5/1/2003", "4/30/2003", "", "", "", "" }
                                           << "The Target Stop Date Is Before The Target Start Date" << int(TargetStop);
        QTest::newRow("target stop alone") << QStringList { "", "4/30/2003", "", "", "", "" }
                                           << "If You Have A Stop Date You Must Have A Start Date" << int(TargetStart);
        QTest::newRow("actual stop alone") << QStringList { "", "", "", "", "6/1/2003", "" }
                                           << "If You Have A Stop Date You Must Have A Start Date" << int(ActualStart);
        QTest::newRow("actual stop before start")
            << QStringList { "", "", "", "6/2/2003", "6/1/2003", "" }
            << "The Actual Stop Date Is Before The Actual Start Date" << int(ActualStop);
        QTest::newRow("effort 12a") << QStringList { "", "", "12a", "", "", "" } << "The Target Effort Is Not A Number"
                                    << int(TargetEffort);
        QTest::newRow("actual effort x") << QStringList { "", "", "3", "", "", "x" }
                                         << "The Actual Effort Is Not A Number" << int(ActualEffort);
        QTest::newRow("target start 13/1")
            << QStringList { "13/1/2003", "", "", "", "", "" }
            << "The Target Start Date Is Not A Valid Date '99/99/9999'" << int(TargetStart);
        QTest::newRow("actual stop 2/30") << QStringList { "", "", "", "2/1/2003", "2/30/2003", "" }
                                          << "The Actual Stop Date Is Not A Valid Date '99/99/9999'" << int(ActualStop);
    }

    // Refusals say why and select the box; a pass writes the six values, Null for empty dates.
    void dateRules()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, message);
        QFETCH(int, focus);
        const qint32 car = m_plan->car(QStringLiteral("Coupe"));
        const qint32 job = m_plan->activity(car, m_plan->phase(car, QStringLiteral("P"), 1), QStringLiteral("Rust"), 1,
            QDate(2002, 1, 1), QDate(2002, 2, 1), 40);
        m_db->run(QStringLiteral("UPDATE Activity SET actualstartdate = '2002-01-05', note1 = 'kept' "
                                 "WHERE ActivityID = ?"),
            { job });
        auto form = dateWindowOn(job);
        for (int b = 0; b < 6; ++b)
            m_f->type(box(*form, b), typed.at(b));
        QTest::mouseClick(child<QPushButton>(*form, "CmdUpdate"), Qt::LeftButton);

        QCOMPARE(boxTexts(), message.isEmpty() ? QStringList() : QStringList { message });
        if (!message.isEmpty()) {
            QCOMPARE(gui::DialogSeam::shownBoxes().first().icon, gui::Icon::Information);
            QCOMPARE(QApplication::focusWidget(), box(*form, focus));
            QCOMPARE(box(*form, focus)->selectedText(), typed.at(focus));
            QCOMPARE(value(QStringLiteral("SELECT targetstopdate FROM Activity WHERE ActivityID = ?"), job),
                QVariant(QStringLiteral("2002-02-01")));
            QVERIFY(form->result() != QDialog::Accepted);
            QVERIFY(form->isVisible());
            return;
        }
        QCOMPARE(form->result(), int(QDialog::Accepted));
        const char* const columns[] = { "targetstartdate", "targetstopdate", "targeteffort", "actualstartdate",
            "actualstopdate", "actualeffort" };
        for (int b = 0; b < 6; ++b) {
            const QVariant stored = value(
                QStringLiteral("SELECT %1 FROM Activity WHERE ActivityID = ?").arg(QLatin1String(columns[b])), job);
            const bool effort = b == TargetEffort || b == ActualEffort;
            if (effort)
                QCOMPARE(stored.toDouble(), typed.at(b).isEmpty() ? 0.0 : typed.at(b).toDouble());
            else if (typed.at(b).isEmpty())
                QVERIFY2(stored.isNull(), columns[b]);
            else
                QVERIFY2(!stored.isNull(), columns[b]);
        }
        QCOMPARE(box(*form, TargetEffort)->text(),
            typed.at(TargetEffort).isEmpty() ? QStringLiteral("0") : typed.at(TargetEffort));
        // Nothing but the six fields is touched.
        QCOMPARE(value(QStringLiteral("SELECT note1 FROM Activity WHERE ActivityID = ?"), job),
            QVariant(QStringLiteral("kept")));
        QVERIFY(value(QStringLiteral("SELECT auditdate FROM Activity WHERE ActivityID = ?"), job).isNull());
    }

    void sampleProjectIsRefused()
    {
        const qint32 job = value(QStringLiteral("SELECT ActivityID FROM Activity WHERE carid = ?"), 1).toInt();
        const QVariant before = value(QStringLiteral("SELECT targetstartdate FROM Activity WHERE ActivityID = ?"), job);
        auto form = dateWindowOn(job);
        m_f->type(child<QLineEdit>(*form, "ActivityTargetStartDate"), QStringLiteral("1/1/2025"));
        QTest::mouseClick(child<QPushButton>(*form, "CmdUpdate"), Qt::LeftButton);
        QCOMPARE(boxTexts(), QStringList { QStringLiteral("Cannot Update The Gear-Log Demo Car") });
        QCOMPARE(gui::DialogSeam::shownBoxes().first().icon, gui::Icon::None);
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>(*form, "CmdCancel"));
        QVERIFY(form->isVisible());
        QCOMPARE(value(QStringLiteral("SELECT targetstartdate FROM Activity WHERE ActivityID = ?"), job), before);
        QVERIFY(form->result() != QDialog::Accepted);
    }

    // The activity went away while the window was open (another program, say): nothing is written.
    void activityGoneBeforeSaving()
    {
        const qint32 car = m_plan->car(QStringLiteral("Coupe"));
        const qint32 job = m_plan->activity(car, m_plan->phase(car, QStringLiteral("P"), 1), QStringLiteral("Rust"), 1);
        auto form = dateWindowOn(job);
        m_db->run(QStringLiteral("DELETE FROM Activity WHERE ActivityID = ?"), { job });
        m_f->type(child<QLineEdit>(*form, "ActivityTargetStartDate"), QStringLiteral("1/1/2004"));
        QTest::mouseClick(child<QPushButton>(*form, "CmdUpdate"), Qt::LeftButton);
        QCOMPARE(
            boxTexts(), QStringList { QStringLiteral("This Activity Is No Longer Available - Nothing Was Saved") });
        QVERIFY(form->isVisible());
        QCOMPARE(value(QStringLiteral("SELECT COUNT(*) FROM Activity WHERE ActivityID = ?"), job), QVariant(0));
        QVERIFY(form->result() != QDialog::Accepted);
    }
};

QTEST_MAIN(TestTimeLine)
#include "TestTimeLine.moc"
