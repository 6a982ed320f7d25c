// The time line and date windows driven as a user drives them, the file read back on its own connection.

#include "project/ProjectSession.h"
#include "support/FormFixture.h"
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
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

using testing::boxTexts;
using testing::child;
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

// The time line has read its projects and says what to do; the date window has focused its first box.
bool setUp(const TimeLineForm& timeLine)
{
    return child<QComboBox>(timeLine, "CboStyle")->count() == 2
        && !testing::labelText(timeLine, "SbStatusPanel1").isEmpty();
}

bool setUp(const DateUpdateForm& dates)
{
    return QApplication::focusWidget() == child<QLineEdit>(dates, "ActivityTargetStartDate");
}

QString page(const QWidget& timeLine)
{
    return testing::labelText(timeLine, "SbStatusPanel4");
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

class TestTimeLine : public testing::FormTest
{
    Q_OBJECT

    std::unique_ptr<store::Database> m_db; // the test's own connection to the file
    std::unique_ptr<testing::PlanWriter> m_plan;
    // What the main window hands the time line: the file and its current car.
    std::unique_ptr<project::ProjectSession> m_session;

    // The page picture, the zoom it is drawn at (its width against the page's 12,000 twips at 15 a
    // pixel), and a place on the whole page (twips) on the picture, which starts 450 twips down.
    static QWidget* picture(const QWidget& timeLine) { return child<QWidget>(timeLine, "TimeLinePage"); }
    static double zoomShown(const QWidget& timeLine) { return picture(timeLine)->width() / 800.0; }
    static QPoint atTwips(const QWidget& timeLine, double x, double y)
    {
        return QPointF(x / 15 * zoomShown(timeLine), (y - 450) / 15 * zoomShown(timeLine)).toPoint();
    }

    // A window on the file as the main window opens it, once its first activation has run.
    template <class W> std::unique_ptr<W> openOn(store::Key key)
    {
        auto form = std::make_unique<W>(*m_session, key);
        form->show();
        form->activateWindow();
        if (!QTest::qWaitFor([&] { return setUp(*form); }))
            qWarning("%s did not set itself up", W::staticMetaObject.className());
        return form;
    }

private Q_SLOTS:
    void init()
    {
        QVERIFY(fresh().start());
        m_db = store::Database::open(m_f->databasePath());
        m_plan = std::make_unique<testing::PlanWriter>(*m_db);
        m_session = std::make_unique<project::ProjectSession>(*m_db);
    }

    void cleanup()
    {
        m_plan.reset();
        m_session.reset();
        m_db.reset();
        FormTest::cleanup();
    }

    // The project shown last wins over the main window's; a project that is gone is passed over.
    void preselection()
    {
        const auto shows = [this](store::Key key) {
            auto form = openOn<TimeLineForm>(key);
            return gui::listText(child<QComboBox>(*form, "CboCar")) + QLatin1Char(' ')
                + QString::number(child<QListWidget>(*form, "LbName")->count());
        };
        const qint32 coupe = m_plan->evenCar(QStringLiteral("Coupe"), 1, 1);
        QCOMPARE(shows(0), QStringLiteral("<Select A Project Car> 0"));
        m_session->setCurrentCar(1);
        QCOMPARE(shows(0), QStringLiteral("1956 F-100 Pickup 26"));
        QCOMPARE(shows(coupe), QStringLiteral("Coupe 3"));
        m_db->run(QStringLiteral("DELETE FROM Car WHERE carid = ?"), { coupe });
        QCOMPARE(shows(coupe), QStringLiteral("1956 F-100 Pickup 26"));
    }

    // 34 rows: 33 on page 1, the last on page 2 under its phase again; the summary starts over on one page.
    // Project and phase rows (even named with leading blanks) cannot be changed in either style; a
    // project without dates says so and keeps the chart.
    void paging()
    {
        const qint32 undated = m_plan->car(QStringLiteral("Undated"));
        m_plan->activity(undated, m_plan->phase(undated, QStringLiteral("P"), 1), QStringLiteral("No dates"), 1);
        const store::Key car = m_plan->evenCar(QStringLiteral("Long"), 2, 16);
        m_db->run(QStringLiteral("UPDATE Phase SET Description = '   Phase 1' WHERE Description = 'Phase 1'"));
        auto form = openOn<TimeLineForm>(car);
        const auto refused = [&](int row) {
            gui::DialogSeam::reset();
            clickName(*form, row);
            return QTest::qWaitFor(
                [] { return boxTexts() == QStringList { QStringLiteral("Cannot update 'Phase' Information") }; });
        };
        // The project bar from 1/1/2003 at x 5,380 twips in row 0 from y 910; the last entry of every
        // list beside row 33, at the window's zoom and zoomed in.
        QCOMPARE(picture(*form)->grab().toImage().pixelColor(atTwips(*form, 5410, 1000)), QColor(0, 128, 0));
        for (const bool zoomed : { false, true }) {
            if (zoomed)
                QTest::keyClick(form.get(), Qt::Key_Plus, Qt::ControlModifier);
            for (const char* name : { "LbName", "LbStartDate", "LbStopDate", "LbEffort" }) {
                auto* list = child<QListWidget>(*form, name);
                QCOMPARE(list->count(), 34);
                const QPoint top
                    = list->viewport()->mapTo(picture(*form), list->visualItemRect(list->item(33)).topLeft());
                QVERIFY2(qAbs(top.y() - atTwips(*form, 0, 910 + 195 * 33).y()) <= 1, name);
            }
        }
        QCOMPARE(page(*form), QStringLiteral("Page  1  Of  2"));
        QVERIFY(!child<QPushButton>(*form, "CmdPrevious")->isEnabled());
        QVERIFY(refused(0));
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::keyClick(form.get(), Qt::Key_PageDown); // as Next
        QCOMPARE(entries(*form, "LbName"), QStringList({ "Long", "   Phase 1", "       A1.15" }));
        QCOMPARE(entries(*form, "LbStartDate"), QStringList({ "01/01/03", "", "01/16/03" }));
        QVERIFY(!child<QPushButton>(*form, "CmdNext")->isEnabled());
        QVERIFY(refused(1));
        QTest::keyClick(form.get(), Qt::Key_PageUp); // as Previous
        QCOMPARE(page(*form), QStringLiteral("Page  1  Of  2"));

        click(*form, "CmdNext");
        m_f->pickText(child<QComboBox>(*form, "CboStyle"), QStringLiteral("Show Phase Summary"));
        QCOMPARE(entries(*form, "LbName"), QStringList({ "Long", "Phase 0", "   Phase 1" }));
        QCOMPARE(entries(*form, "LbEffort"), QStringList({ "160", "", "" }));
        QCOMPARE(page(*form), QStringLiteral("Page  1  Of  1"));
        QVERIFY(refused(2));

        gui::DialogSeam::reset();
        m_f->pick(child<QComboBox>(*form, "CboCar"), undated);
        QCOMPARE(boxTexts(), QStringList { QStringLiteral("There Are No Dates Entered For This Project") });
        QCOMPARE(entries(*form, "LbName"), QStringList({ "Long", "Phase 0", "   Phase 1" }));
    }

    // At any size the whole page shows, centred and filling the room one way, the chart scaled with it:
    // the line of the fixture's today (2 April 2026, 397.5 days of 10.65 twips right of 5,380) under
    // the project bar, and showing below the last row.
    void fitsTheWindow()
    {
        m_session->setCurrentCar(1);
        auto form = openOn<TimeLineForm>(0);
        for (const QSize size : { QSize(700, 520), QSize(1300, 760) }) {
            form->resize(size);
            QTRY_COMPARE(form->size(), size);
            const QRect room = child<QScrollArea>(*form, "TimeLineView")->viewport()->rect();
            const QRect page = picture(*form)->geometry();
            QVERIFY(room.contains(page) && std::min(room.width() - page.width(), room.height() - page.height()) <= 14);
            QVERIFY(qAbs(page.left() + page.right() - room.right()) <= 1);
            QVERIFY(qAbs(page.top() + page.bottom() - room.bottom()) <= 1);
            const QImage drawn = picture(*form)->grab().toImage();
            const int x = int((5380 + 397.5 * 10.65) / 15 * zoomShown(*form)); // the pixel of the line's middle
            QCOMPARE(drawn.pixelColor(x, atTwips(*form, 0, 935).y()), QColor(0, 128, 0)); // the bar over it
            QCOMPARE(drawn.pixelColor(x, atTwips(*form, 0, 910 + 195 * 30).y()), QColor(220, 0, 0));
        }
    }

    // Ctrl++ (or Ctrl+=) and Ctrl+- step by a quarter of the real size from where the page is, within
    // 25% to 400%; Ctrl+0 fits the window again. Past the window, the page scrolls.
    void zoomKeys_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<double>("zoom"); // 0: fitted to the window
        QTest::newRow("in twice, with =") << "+=" << 1.25;
        QTest::newRow("out to the least") << "-----" << 0.25;
        QTest::newRow("in to the most") << QString(16, u'+') << 4.0;
        QTest::newRow("in, then fit") << "++0" << 0.0;
    }

    void zoomKeys()
    {
        QFETCH(QString, keys);
        QFETCH(double, zoom);
        auto form = openOn<TimeLineForm>(m_plan->evenCar(QStringLiteral("Long"), 2, 16));
        form->resize(760, 600);
        QTRY_COMPARE(form->size(), QSize(760, 600));
        const double fitted = zoomShown(*form);
        QVERIFY(fitted > 0.75 && fitted < 1);
        const QMap<QChar, Qt::Key> typed { { u'+', Qt::Key_Plus }, { u'=', Qt::Key_Equal }, { u'-', Qt::Key_Minus },
            { u'0', Qt::Key_0 } };
        for (const QChar key : keys)
            QTest::keyClick(form.get(), typed.value(key), Qt::ControlModifier);
        QVERIFY(qAbs(zoomShown(*form) - (zoom > 0 ? zoom : fitted)) < 0.002);
        QTRY_COMPARE(child<QScrollArea>(*form, "TimeLineView")->verticalScrollBar()->isVisible(), zoom > fitted);
    }

    // From the menu: an activity clicked on page 2 and cancelled keeps the page; corrected and saved, the
    // chart comes back on page 1 in detail with the new dates, the main window starts over, and Undo names
    // the change.
    void correctingDatesFromTheChart()
    {
        const store::Key car = m_plan->evenCar(QStringLiteral("Long"), 2, 16);
        QVERIFY(m_f->restart()); // the list was filled before the project was written
        m_f->pick(child<QComboBox>(m_f->form(), "carDescription"), car);

        QStringList seen;
        whenModal<TimeLineForm>([&](TimeLineForm* t) {
            if (!QTest::qWaitFor([t] { return setUp(*t); }))
                return;
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
                seen << page(*t) << entries(*t, "LbStartDate").value(2);
            }
            seen << child<QComboBox>(*t, "CboStyle")->currentText();
            click(*t, "CmdNext");
            seen << entries(*t, "LbName").value(2) << entries(*t, "LbStartDate").value(2)
                 << entries(*t, "LbStopDate").value(2);
            click(*t, "CmdReturn");
        });
        child<QAction>(m_f->form(), "mnuTimeLine")->trigger();

        QCOMPARE(seen,
            QStringList({ "A1.15", "Page  2  Of  2", "01/16/03", "A1.15", "Page  1  Of  2", "01/01/03",
                "Show Activity Detail", "       A1.15", "02/01/03", "02/28/03" }));
        QCOMPARE(m_f->buttonPattern(), QStringLiteral("100001"));
        QCOMPARE(child<QAction>(m_f->form(), "mnuUndo")->text(), "&Undo Change Dates of Activity 'A1.15'");
    }

    // The six boxes show and write their own columns, empty dates as Null, nothing else touched. A
    // refusal (a bad value, the sample, an activity gone before or while open) focuses the box
    // (selected) or Cancel, and writes nothing.
    void saving_data()
    {
        QTest::addColumn<QString>("activity");
        QTest::addColumn<QStringList>("typed"); // the six boxes, in the order of timeBoxes
        QTest::addColumn<QString>("message");
        QTest::addColumn<QString>("focus");
        QTest::addColumn<QString>("stored");
        const QStringList start { "1/1/2025", "", "", "", "", "" };
        const QString gone = QStringLiteral("This Activity Is No Longer Available - Nothing Was Saved");
        // clang-format off
        QTest::newRow("all empty") << "own" << QStringList { "", "", "", "", "", "" } << "" << ""
                                   << "- - 0 - - 0 kept -";
        QTest::newRow("start without stop") << "own" << QStringList { "5/1/2003", "", "12", "5/3/03", "", "2.5" }
                                            << "" << "" << "2003-05-01 - 12 2003-05-03 - 2.5 kept -";
        QTest::newRow("actual stop before start") << "own" << QStringList { "", "", "", "6/2/2003", "6/1/2003", "" }
            << "The Actual Stop Date Is Before The Actual Start Date" << "ActivityActualStopDate" << "unchanged";
        QTest::newRow("sample project") << "sample" << start << "Cannot Update The Gear-Log Demo Car" << "CmdCancel"
                                        << "unchanged";
        QTest::newRow("missing at open") << "missing" << start << gone << "CmdCancel" << "unchanged";
        QTest::newRow("deleted while open") << "deleted" << start << gone << "CmdCancel" << "";
        // clang-format on
    }

    void saving()
    {
        QFETCH(QString, activity);
        QFETCH(QStringList, typed);
        QFETCH(QString, message);
        QFETCH(QString, focus);
        const bool own = activity == QStringLiteral("own") || activity == QStringLiteral("deleted");
        const store::Key car = m_plan->car(QStringLiteral("Coupe"));
        const store::Key job = own ? m_plan->activity(car, m_plan->phase(car, QStringLiteral("P"), 1),
                                   QStringLiteral("Rust"), 1, QDate(2002, 1, 1), QDate(2002, 2, 1), 40)
            : activity == QStringLiteral("missing")
            ? 987654
            : m_f->peek().count(QStringLiteral("SELECT MIN(ActivityID) FROM Activity WHERE carid = 1"));
        m_db->run(QStringLiteral("UPDATE Activity SET actualstartdate = '2002-01-05', note1 = 'kept' "
                                 "WHERE ActivityID = ? AND carid <> 1"),
            { job });
        const QString row = QStringLiteral(
            "SELECT COALESCE(CAST(targetstartdate AS VARCHAR(30)), '-') || ' ' || COALESCE(CAST(targetstopdate AS "
            "VARCHAR(30)), '-') || ' ' || COALESCE(targeteffort, 0) || ' ' || COALESCE(CAST(actualstartdate AS "
            "VARCHAR(30)), '-') || ' ' || COALESCE(CAST(actualstopdate AS VARCHAR(30)), '-') || ' ' || "
            "COALESCE(actualeffort, 0) || ' ' || COALESCE(note1, '-') || ' ' || COALESCE(CAST(auditdate AS "
            "VARCHAR(30)), '-') FROM Activity WHERE ActivityID = ?");
        const testing::Peek peek = m_f->peek();
        // Whole hours read as 12.0 from a file and 12 from a server.
        const auto read = [&] {
            return peek.value(row, { job })
                .toString()
                .replace(QRegularExpression(QStringLiteral("\\.0(?= )")), QString());
        };
        const QString before = read();
        auto form = openOn<DateUpdateForm>(job);
        if (activity == QStringLiteral("deleted"))
            m_db->run(QStringLiteral("DELETE FROM Activity WHERE ActivityID = ?"), { job });
        QStringList shown;
        for (int b = 0; b < 6; ++b) {
            shown << child<QLineEdit>(*form, timeBoxes[b])->text();
            m_f->type(child<QLineEdit>(*form, timeBoxes[b]), typed.at(b));
        }
        if (own)
            QCOMPARE(shown, QStringList({ "1/1/2002", "2/1/2002", "40", "1/5/2002", "", "0" }));
        click(*form, "CmdUpdate");

        QCOMPARE(boxTexts(), message.isEmpty() ? QStringList() : QStringList { message });
        QCOMPARE(form->result() == QDialog::Accepted, message.isEmpty());
        if (!focus.isEmpty()) {
            QCOMPARE(QApplication::focusWidget()->objectName(), focus);
            if (auto* box = qobject_cast<QLineEdit*>(QApplication::focusWidget()))
                QCOMPARE(box->selectedText(), box->text());
        }
        const QString after = read();
        QTEST(after == before ? QStringLiteral("unchanged") : after, "stored");
    }
};

QTEST_MAIN(TestTimeLine)
#include "TestTimeLine.moc"
