// The time line window and its date window driven as a user drives them: choosing the project,
// paging, clicking names, correcting dates; the file read back through a connection of our own.

#include "project/ProjectSession.h"
#include "support/FormFixture.h"
#include "support/Peek.h"
#include "support/PlanWriter.h"

#include "gui/Dialogs.h"
#include "gui/ListText.h"

#include "timeline/DateUpdateForm.h"
#include "timeline/TimeLineForm.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

using testing::boxTexts;
using testing::child;
using testing::FormFixture;
using testing::PlanWriter;
using timeline::DateUpdateForm;
using timeline::TimeLineForm;

namespace {

QStringList entries(const QWidget& window, const char* list)
{
    const QListWidget* l = child<QListWidget>(window, list);
    QStringList texts;
    for (int i = 0; i < l->count(); ++i)
        texts << l->item(i)->text();
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

// The time line has read its project list and shows what to do next; the date window has put
// the focus in its first box.
bool setUp(const TimeLineForm& timeLine)
{
    return child<QComboBox>(timeLine, "CboStyle")->count() == 2
        && !testing::labelText(timeLine, "SbStatusPanel1").isEmpty();
}

bool setUp(const DateUpdateForm& dates)
{
    return QApplication::focusWidget() == child<QLineEdit>(dates, "ActivityTargetStartDate");
}

QString panel(const QWidget& timeLine, int n)
{
    return testing::labelText(timeLine, qPrintable(QStringLiteral("SbStatusPanel%1").arg(n)));
}

void click(const QWidget& window, const char* button)
{
    QTest::mouseClick(child<QPushButton>(window, button), Qt::LeftButton);
}

void clickName(const QWidget& timeLine, int row)
{
    auto* list = child<QListWidget>(timeLine, "LbName");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
}

const char* const timeBoxes[] = { "ActivityTargetStartDate", "ActivityTargetStopDate", "ActivityTargetEffort",
    "ActivityActualStartDate", "ActivityActualStopDate", "ActivityActualEffort" };

} // namespace

class TestTimeLine : public QObject
{
    Q_OBJECT

    FormFixture* m_f = nullptr;
    std::unique_ptr<store::Database> m_db; // the test's own connection to the file
    std::unique_ptr<PlanWriter> m_plan;
    // What the main window hands the time line: the file and its current car.
    std::unique_ptr<project::ProjectSession> m_session;

    QVariant value(const QString& sql, const QVariant& key)
    {
        QSqlQuery q = m_db->run(sql, { key });
        return q.next() ? q.value(0) : QVariant();
    }

    // A window on the file as the main window opens it, once its first activation has run.
    template <class W> std::unique_ptr<W> openOn(qint32 key)
    {
        auto form = std::make_unique<W>(*m_session, key);
        form->show();
        form->activateWindow();
        if (!QTest::qWaitFor([&] { return setUp(*form); }))
            qWarning("%s did not set itself up", W::staticMetaObject.className());
        return form;
    }

    qint32 rustJob(const QDate& start = {}, const QDate& stop = {}, std::optional<double> effort = {})
    {
        const qint32 car = m_plan->car(QStringLiteral("Coupe"));
        return m_plan->activity(
            car, m_plan->phase(car, QStringLiteral("P"), 1), QStringLiteral("Rust"), 1, start, stop, effort);
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

    // The project shown last wins over the main window's; a project that is gone is passed over.
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
        auto form = openOn<TimeLineForm>(shownBefore ? coupe : 0);
        QTEST(gui::listText(child<QComboBox>(*form, "CboCar")), "listText");
        QCOMPARE(child<QListWidget>(*form, "LbName")->count(), mainHasCar ? (shownBefore ? 3 : 26) : 0);

        m_db->run(QStringLiteral("DELETE FROM Car WHERE carid = ?"), { coupe });
        form = openOn<TimeLineForm>(coupe);
        QCOMPARE(gui::listText(child<QComboBox>(*form, "CboCar")),
            mainHasCar ? QStringLiteral("1956 F-100 Pickup") : QStringLiteral("<Select A Project Car>"));
    }

    // 34 rows below the project row: 33 on page 1, the last on page 2 under its phase again.
    // The summary style starts over on its single page.
    void paging()
    {
        auto form = openOn<TimeLineForm>(m_plan->evenCar(QStringLiteral("Long"), 2, 16));
        // Painted at 15 twips a pixel: the project bar from 1/1/2003 at x 5,380 twips in row 0 from
        // y 910, its first phase's in row 1; the last entry of every list beside row 33.
        const QImage shot = form->grab().toImage();
        QCOMPARE(shot.pixelColor(362, 63), QColor(0, 128, 0));
        QCOMPARE(shot.pixelColor(362, 76), QColor(128, 128, 255));
        for (const char* name : { "LbName", "LbStartDate", "LbStopDate", "LbEffort" }) {
            auto* list = child<QListWidget>(*form, name);
            QCOMPARE(list->count(), 34);
            const int top = list->viewport()->mapTo(form.get(), list->visualItemRect(list->item(33)).topLeft()).y();
            QVERIFY2(qAbs(top - (910 + 195 * 33) / 15.0) <= 1.5, name);
        }
        QCOMPARE(panel(*form, 4), QStringLiteral("Page  1  Of  2"));
        QVERIFY(!child<QPushButton>(*form, "CmdPrevious")->isEnabled());

        click(*form, "CmdNext");
        QCOMPARE(entries(*form, "LbName"), QStringList({ "Long", "Phase 1", "       A1.15" }));
        QCOMPARE(entries(*form, "LbStartDate"), QStringList({ "01/01/03", "", "01/16/03" }));
        QCOMPARE(panel(*form, 4), QStringLiteral("Page  2  Of  2"));
        QVERIFY(!child<QPushButton>(*form, "CmdNext")->isEnabled());

        click(*form, "CmdPrevious");
        QCOMPARE(entries(*form, "LbName").value(33), QStringLiteral("       A1.14"));
        QCOMPARE(panel(*form, 4), QStringLiteral("Page  1  Of  2"));

        click(*form, "CmdNext");
        m_f->pickText(child<QComboBox>(*form, "CboStyle"), QStringLiteral("Show Phase Summary"));
        QCOMPARE(entries(*form, "LbName"), QStringList({ "Long", "Phase 0", "Phase 1" }));
        QCOMPARE(entries(*form, "LbEffort"), QStringList({ "160", "", "" }));
        QCOMPARE(panel(*form, 4), QStringLiteral("Page  1  Of  1"));
        QVERIFY(!child<QPushButton>(*form, "CmdNext")->isEnabled());
    }

    // Project and phase rows cannot be changed here, in either style; a phase named with leading
    // blanks is still a phase, and a summary row is never taken for the activity below it in detail.
    void clickOnAPhaseRow_data()
    {
        QTest::addColumn<bool>("summary");
        QTest::addColumn<int>("row");
        QTest::newRow("project") << false << 0;
        QTest::newRow("phase") << false << 1;
        QTest::newRow("phase with blanks") << false << 3;
        QTest::newRow("summary row 2") << true << 2;
    }

    void clickOnAPhaseRow()
    {
        QFETCH(bool, summary);
        QFETCH(int, row);
        const qint32 car = m_plan->car(QStringLiteral("Blanks"));
        m_plan->activity(car, m_plan->phase(car, QStringLiteral("Body"), 1), QStringLiteral("Rust"), 1,
            QDate(2003, 1, 1), QDate(2003, 1, 31));
        m_plan->phase(car, QStringLiteral("   Indented"), 2);
        auto form = openOn<TimeLineForm>(car);
        if (summary)
            m_f->pickText(child<QComboBox>(*form, "CboStyle"), QStringLiteral("Show Phase Summary"));
        QCOMPARE(entries(*form, "LbName").value(summary ? 2 : 3), QStringLiteral("   Indented"));
        clickName(*form, row);
        QTRY_COMPARE(boxTexts(), QStringList { QStringLiteral("Cannot update 'Phase' Information") });
    }

    // A project without dates says so and keeps the chart shown before.
    void projectWithoutDates()
    {
        const qint32 empty = m_plan->car(QStringLiteral("AAA Empty"));
        m_plan->activity(empty, m_plan->phase(empty, QStringLiteral("P"), 1), QStringLiteral("Undated"), 1);
        m_session->setCurrentCar(1);
        auto form = openOn<TimeLineForm>(0);
        const QStringList sample = entries(*form, "LbName");
        m_f->pick(child<QComboBox>(*form, "CboCar"), empty);
        QCOMPARE(boxTexts(), QStringList { QStringLiteral("There Are No Dates Entered For This Project") });
        QCOMPARE(entries(*form, "LbName"), sample);
    }

    // The whole round from the main window's menu: click an activity on page 2 and cancel, which
    // keeps the page; click it again, correct it, save. The chart comes back on page 1 in detail
    // style with the new dates; the main window starts over.
    void correctingDatesFromTheChart()
    {
        const qint32 car = m_plan->evenCar(QStringLiteral("Long"), 2, 16);
        const qint32 target
            = value(QStringLiteral("SELECT ActivityID FROM Activity WHERE Description = ?"), QStringLiteral("A1.15"))
                  .toInt();
        QVERIFY(m_f->restart()); // the list was filled before the project was written
        m_f->pick(child<QComboBox>(m_f->form(), "carDescription"), car);

        QStringList seen;
        whenModal<TimeLineForm>([&](TimeLineForm* t) {
            if (!QTest::qWaitFor([t] { return setUp(*t); }))
                return;
            seen << gui::listText(child<QComboBox>(*t, "CboCar"));
            click(*t, "CmdNext");
            for (const char* button : { "CmdCancel", "CmdUpdate" }) {
                bool done = false;
                whenModal<DateUpdateForm>([&](DateUpdateForm* d) {
                    seen << child<QLineEdit>(*d, "ActivityDescription")->text();
                    m_f->type(child<QLineEdit>(*d, "ActivityTargetStartDate"), QStringLiteral("2/1/2003"));
                    m_f->type(child<QLineEdit>(*d, "ActivityTargetStopDate"), QStringLiteral("2/28/2003"));
                    click(*d, button);
                    done = true;
                });
                clickName(*t, 2);
                if (!QTest::qWaitFor([&] { return done; }))
                    return;
                seen << panel(*t, 4) << entries(*t, "LbStartDate").value(2);
            }
            seen << child<QComboBox>(*t, "CboStyle")->currentText();
            click(*t, "CmdNext");
            seen << entries(*t, "LbName").value(2) << entries(*t, "LbStartDate").value(2)
                 << entries(*t, "LbStopDate").value(2);
            click(*t, "CmdReturn");
        });
        child<QAction>(m_f->form(), "mnuTimeLine")->trigger();

        QCOMPARE(seen,
            QStringList({ "Long", "A1.15", "Page  2  Of  2", "01/16/03", "A1.15", "Page  1  Of  2", "01/01/03",
                "Show Activity Detail", "       A1.15", "02/01/03", "02/28/03" }));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(value(QStringLiteral("SELECT targetstartdate FROM Activity WHERE ActivityID = ?"), target),
            QVariant(QStringLiteral("2003-02-01")));
        QCOMPARE(
            gui::listText(child<QComboBox>(m_f->form(), "carDescription")), QStringLiteral("<Select A Project Car>"));
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("100001"));
    }

    // The six boxes show their own columns, dates as M/d/yyyy and an empty effort as "0", and are
    // written to them, empty dates as Null; a refusal says why, selects the box and writes nothing.
    // Nothing but the six fields is touched.
    void dateRules_data()
    {
        QTest::addColumn<QStringList>("typed"); // the six boxes, in the order of timeBoxes
        QTest::addColumn<QString>("message");
        QTest::addColumn<int>("focus");
        QTest::addColumn<QString>("stored");
        const QString kept = QStringLiteral("2002-01-01 2002-02-01 40.0 2002-01-05 - 0 kept");
        QTest::newRow("all empty") << QStringList { "", "", "", "", "", "" } << "" << 0 << "- - 0.0 - - 0.0 kept";
        QTest::newRow("start without stop") << QStringList { "5/1/2003", "", "12", "5/3/03", "", "2.5" } << "" << 0
                                            << "2003-05-01 - 12.0 2003-05-03 - 2.5 kept";
        QTest::newRow("actual stop before start")
            << QStringList { "", "", "", "6/2/2003", "6/1/2003", "" }
            << "The Actual Stop Date Is Before The Actual Start Date" << 4 << kept;
        QTest::newRow("actual effort x") << QStringList { "", "", "3", "", "", "x" }
                                         << "The Actual Effort Is Not A Number" << 5 << kept;
    }

    void dateRules()
    {
        QFETCH(QStringList, typed);
        QFETCH(QString, message);
        QFETCH(int, focus);
        const qint32 job = rustJob(QDate(2002, 1, 1), QDate(2002, 2, 1), 40);
        m_db->run(QStringLiteral("UPDATE Activity SET actualstartdate = '2002-01-05', note1 = 'kept' "
                                 "WHERE ActivityID = ?"),
            { job });
        auto form = openOn<DateUpdateForm>(job);
        QStringList shown;
        for (int b = 0; b < 6; ++b)
            shown << child<QLineEdit>(*form, timeBoxes[b])->text();
        QCOMPARE(shown, QStringList({ "1/1/2002", "2/1/2002", "40", "1/5/2002", "", "0" }));
        QTRY_COMPARE(child<QLineEdit>(*form, timeBoxes[0])->selectedText(), QStringLiteral("1/1/2002"));
        for (int b = 0; b < 6; ++b)
            m_f->type(child<QLineEdit>(*form, timeBoxes[b]), typed.at(b));
        click(*form, "CmdUpdate");

        QCOMPARE(boxTexts(), message.isEmpty() ? QStringList() : QStringList { message });
        QCOMPARE(form->result() == QDialog::Accepted, message.isEmpty());
        if (!message.isEmpty()) {
            QCOMPARE(QApplication::focusWidget(), child<QLineEdit>(*form, timeBoxes[focus]));
            QCOMPARE(child<QLineEdit>(*form, timeBoxes[focus])->selectedText(), typed.at(focus));
        }
        QTEST(
            value(QStringLiteral("SELECT COALESCE(targetstartdate, '-') || ' ' || COALESCE(targetstopdate, '-') "
                                 "|| ' ' || COALESCE(targeteffort, 0) || ' ' || COALESCE(actualstartdate, '-') || ' ' "
                                 "|| COALESCE(actualstopdate, '-') || ' ' || COALESCE(actualeffort, 0) || ' ' || "
                                 "note1 FROM Activity WHERE ActivityID = ? AND auditdate IS NULL"),
                job)
                .toString(),
            "stored");
    }

    // Save is refused for the sample project and for an activity that is not there, whether it was
    // missing when the window opened or went away (another program, say) while it was open.
    void saveRefused_data()
    {
        QTest::addColumn<QString>("activity");
        QTest::addColumn<QString>("message");
        const QString gone = QStringLiteral("This Activity Is No Longer Available - Nothing Was Saved");
        QTest::newRow("sample project") << QStringLiteral("sample")
                                        << QStringLiteral("Cannot Update The Gear-Log Demo Car");
        QTest::newRow("missing at open") << QStringLiteral("missing") << gone;
        QTest::newRow("deleted while open") << QStringLiteral("deleted") << gone;
    }

    void saveRefused()
    {
        QFETCH(QString, activity);
        const qint32 job = activity == QStringLiteral("sample")
            ? value(QStringLiteral("SELECT ActivityID FROM Activity WHERE carid = ?"), 1).toInt()
            : activity == QStringLiteral("missing") ? 987654
                                                    : rustJob();
        const QString row = QStringLiteral("SELECT COUNT(*) || ' ' || COALESCE(MAX(targetstartdate), '-') FROM "
                                           "Activity WHERE ActivityID = ?");
        const QVariant before = value(row, job);
        auto form = openOn<DateUpdateForm>(job);
        if (activity == QStringLiteral("deleted"))
            m_db->run(QStringLiteral("DELETE FROM Activity WHERE ActivityID = ?"), { job });
        m_f->type(child<QLineEdit>(*form, "ActivityTargetStartDate"), QStringLiteral("1/1/2025"));
        click(*form, "CmdUpdate");
        QFETCH(QString, message);
        QCOMPARE(boxTexts(), QStringList { message });
        QVERIFY(form->isVisible());
        QCOMPARE(QApplication::focusWidget(), child<QPushButton>(*form, "CmdCancel"));
        QCOMPARE(value(row, job), activity == QStringLiteral("deleted") ? QVariant(QStringLiteral("0 -")) : before);
    }
};

QTEST_MAIN(TestTimeLine)
#include "TestTimeLine.moc"
