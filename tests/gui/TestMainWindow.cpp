// The main window as the user meets it: fields locked and cleared between edits, the notes limit,
// the status bar clock, the preferences kept across starts, and the information and help windows.

#include "support/FormFixture.h"
#include "support/Modal.h"

#include "app/Session.h"
#include "app/Startup.h"
#include "gui/Dialogs.h"
#include "gui/NotesEdit.h"
#include "project/ProjectSession.h"
#include "store/ServerAddress.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeView>
#include <QtTest>

using testing::boxTexts;
using testing::child;

namespace {

enum Button { Add = 0, Update = 1, Cancel = 2, Save = 3 };

QColor windowColour(const QWidget* w)
{
    return w->palette().color(QPalette::Window);
}

QString helpFile(const QString& name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

} // namespace

class TestMainWindow : public testing::FormTest
{
    Q_OBJECT

    QTabWidget* tabs(const char* name = "tbproject") { return child<QTabWidget>(w(), name); }
    void own(int tab, const QString& typed) { m_f->add(tab, typed); } // the sample may not be changed

    // Starts again on the same files, with "key=value|..." stored first.
    void restart(const QString& stored = QString())
    {
        m_f->stop();
        for (const QString& pair : stored.split(QLatin1Char('|'), Qt::SkipEmptyParts))
            m_f->settings().setValue(
                "STARTUP/" + pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
        QVERIFY(m_f->start(m_f->databasePath()));
    }

    // Runs a command that opens a modal window; answers its objectName and, for help, the page
    // shown; closes it with its OK button.
    QString modal(const std::function<void()>& command)
    {
        QString seen;
        testing::inModal<QDialog>(command, [&](QDialog& window) {
            seen = window.objectName();
            if (auto* help = window.findChild<QTextBrowser*>("HelpText"))
                seen += " " + help->source().toLocalFile() + "#" + help->source().fragment();
            if (auto* where = window.findChild<QLabel*>("LblDatabase"))
                seen += " " + where->text();
            child<QPushButton>(window, "CmdOK")->click();
        });
        return seen;
    }

private Q_SLOTS:
    // Nothing can be moved or attached before a car is picked; while editing no other record can be
    // picked; while browsing nothing can be typed that would not be saved; totals are never typed into.
    void lockingFields()
    {
        for (const char* name : { "cmdMoveUp", "cmdMoveDown", "cmdAttachComponent", "cmdDone" })
            QVERIFY2(!child<QPushButton>(w(), name)->isEnabled(), name);
        own(0, "CarDisplayDescription=Locks");
        const char* const lists[] = { "carDescription", "assemblyDescription", "componentDescription",
            "phaseDescription", "ActivityDescription", "SupplierName" };
        for (int tab = 0; tab < 6; ++tab) {
            m_f->showTab(tab);
            for (const bool editing : { true, false }) {
                m_f->press(editing ? Add : Cancel);
                QVERIFY2(child<QWidget>(w(), lists[tab])->isHidden() == editing, lists[tab]);
                for (const char* name : { "CarMake", "ComponentQuantity", "ActivityTargetStartDate", "supplierfax" })
                    QVERIFY2(editing || !child<QWidget>(w(), name)->isEnabled(), name);
                QVERIFY(child<QLineEdit>(w(), "CarTargetCost")->isReadOnly());
            }
        }
    }

    // Add starts from empty boxes, so nothing of the record shown slips into the new one.
    void addStartsEmpty()
    {
        own(0, "CarDisplayDescription=Shown|CarMake=Ford|CarNotes=note");
        own(1, "AssemblyDisplayDescription=Engine");
        m_f->showTab(2);
        m_f->press(Add);
        m_f->type("ComponentDisplayDescription=Fan|ComponentAssembly=Engine|ComponentQuantity=2");
        child<QCheckBox>(w(), "ComponentWishList")->setFocus();
        QTest::keyClick(child<QCheckBox>(w(), "ComponentWishList"), Qt::Key_Space);
        m_f->press(Save);
        own(2, "ComponentDisplayDescription=Belt");
        own(0, "CarDisplayDescription=Fresh");
        QCOMPARE(
            m_f->peek()
                .value(
                    "SELECT COALESCE(Car.make, '') || COALESCE(Car.note1, '') || wishlist || '|' || quantity FROM Car, "
                    "Component WHERE Car.Description = 'Fresh' AND Component.Description = 'Belt'")
                .toString(),
            "0|0");
    }

    // Notes stop at 150 however they arrive, so nothing is lost past the three stored parts of 50;
    // a paste in the middle keeps what was there and drops what does not fit.
    void notesLimit()
    {
        m_f->press(Add);
        auto* notes = child<gui::NotesEdit>(w(), "CarNotes");
        QTest::keyClicks(notes, QString(149, QLatin1Char('a')) + "bcd");
        QCOMPARE(notes->text(), QString(149, QLatin1Char('a')) + "b");
        notes->setText("0123456789");
        QTextCursor c = notes->textCursor();
        c.setPosition(5);
        notes->setTextCursor(c);
        notes->insertPlainText(QString(200, QLatin1Char('z')));
        QCOMPARE(notes->text(), "01234" + QString(140, QLatin1Char('z')) + "56789");
    }

    void storedPreferences_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("role"); // of the palette colour expected
        QTest::newRow("first start") << "" << int(QPalette::Button);
        QTest::newRow("edited by hand into nonsense")
            << "BACKCOLOR=light blue|STRETCH=sometimes|TREEVIEW=Z" << int(QPalette::Button);
        QTest::newRow("highlight") << "BACKCOLOR=-2147483635" << int(QPalette::Highlight);
        QTest::newRow("button shadow") << "BACKCOLOR=-2147483632" << int(QPalette::Mid);
    }

    // System colours show as the palette's; anything unusable falls back to button face, fitted pictures
    // and expanded trees; a first start writes nothing.
    void storedPreferences()
    {
        QFETCH(QString, stored);
        QFETCH(int, role);
        restart(stored);
        QCOMPARE(windowColour(tabs()), QApplication::palette().color(QPalette::ColorRole(role)));
        Q_EMIT child<QMenu>(w(), "mnuImage")->aboutToShow(); // the menu shows the picture mode in force
        QVERIFY(m_f->action("MnuShrinkToFit")->isChecked());
        m_f->openCar(1);
        const testing::Node car = testing::treeNode(child<QTreeView>(w(), "TvMaterials"), project::Kind::Car, 1);
        QVERIFY(car && car.childCount() > 0 && car.child(0).isExpanded());
        if (stored.isEmpty())
            QCOMPARE(m_f->settings().allKeys(), QStringList());
    }

    // A chosen colour goes on the window and both tab areas, is written as 0x00BBGGRR and comes back at
    // the next start; a cancelled choice changes nothing; the default colour writes button face back.
    void chosenColourKept()
    {
        const QColor navy(0x10, 0x20, 0x60);
        gui::DialogSeam::queueColor(navy);
        gui::DialogSeam::queueColor(std::nullopt);
        for (int i = 0; i < 2; ++i)
            m_f->action("mnuSetBackgroundColor")->trigger();
        QCOMPARE(boxTexts(), QStringList());
        QCOMPARE(m_f->settings().value("STARTUP/BACKCOLOR").toString(), "6299664");
        QCOMPARE(child<QLabel>(w(), "LblReseq")->palette().color(QPalette::WindowText), QColor(Qt::white)); // legible
        restart();
        for (QWidget* target : std::initializer_list<QWidget*> { &w(), tabs(), tabs("TbDisplay") })
            QCOMPARE(windowColour(target), navy);

        child<QAction>(w(), "mnuSetDefaultColors")->trigger();
        QCOMPARE(windowColour(tabs()), QApplication::palette().color(QPalette::Button));
        QCOMPARE(m_f->settings().value("STARTUP/BACKCOLOR").toString(), "-2147483633");
    }

    // Settings that cannot be written: the colour is shown for this session, and the user is told.
    void colourNotWritten()
    {
        m_f->stop();
        QVERIFY(QFile(m_f->files().path("blocker")).open(QIODevice::WriteOnly)); // a file where a folder should be
        QSettings unwritable(m_f->files().path("blocker/settings.ini"), QSettings::IniFormat);
        auto session = app::startGearLog(m_f->databasePath(), unwritable);
        QVERIFY(session);
        gui::DialogSeam::queueColor(QColor(0x20, 0x80, 0x20));
        child<QAction>(session->window(), "mnuSetBackgroundColor")->trigger();
        QCOMPARE(boxTexts(), QStringList { "Background color change error has occurrred" });
        QCOMPARE(windowColour(&session->window()), QColor(0x20, 0x80, 0x20));
    }

    void modalWindows_data()
    {
        QTest::addColumn<QString>("menu"); // empty: F1 on the car tab
        QTest::addColumn<QString>("shown"); // empty: no help file, nothing comes up
        // clang-format off
        QTest::newRow("about") << "mnuAbout" << "AboutGearLog Database: %1";
        QTest::newRow("overview") << "mnuOverview" << "GearLogOverview";
        QTest::newRow("contents") << "mnutableofcontents" << "HelpViewer " + helpFile("Gear-Log.html") + "#";
        QTest::newRow("F1 on the car tab") << "" << "HelpViewer " + helpFile("Help/Gear-Log.html") + "#car";
        QTest::newRow("no help file") << "mnutableofcontents" << "";
        // clang-format on
    }

    // Each opens modally and closes with OK; contents is the program folder's help, F1 the Help folder's
    // at the tab's section; no box is shown, not even without help files.
    void modalWindows()
    {
        QFETCH(QString, menu);
        QFETCH(QString, shown);
        QTemporaryDir empty;
        if (shown.isEmpty())
            qputenv("GEARLOG_HELP_FOLDER", QFile::encodeName(empty.path()));
        const auto restore = qScopeGuard([] { qunsetenv("GEARLOG_HELP_FOLDER"); });
        m_f->openCar(1);
        w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w()));
        // Which database the window is on: the file, or the database on its server.
        const QString path = m_f->databasePath();
        const QString where = testing::onServer() ? store::ServerAddress::parse(path).describe() + " (PostgreSQL)"
                                                  : QFileInfo(path).absoluteFilePath();
        if (shown.contains("%1"))
            shown = shown.arg(where);
        QCOMPARE(w().statusBar()->toolTip(), "Database: " + where);
        QCOMPARE(modal([&] {
            if (menu.isEmpty())
                QTest::keyClick(&w(), Qt::Key_F1);
            else
                m_f->action(qPrintable(menu))->trigger();
        }),
            shown);
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
        QCOMPARE(boxTexts(), QStringList());
    }

    // Another person's saves show without a restart, on the tab and record shown: by themselves
    // from a server, on the window's next activation from a file. An edit in progress keeps what
    // was typed; the change shows once it is cancelled.
    void othersChangesShown()
    {
        own(0, "CarDisplayDescription=Shared");
        const qint32 body = m_f->add(1, "AssemblyDisplayDescription=Body");
        const auto other = store::Database::open(m_f->databasePath());
        project::ProjectSession elsewhere(*other);
        const auto rename = [&](const char* name) {
            auto row = elsewhere.store().assemblies.load(body);
            row->record.Description = name;
            QCOMPARE(elsewhere.update(row->record, row->snapshot), project::ProjectSession::SaveOutcome::Saved);
            if (!testing::onServer()) {
                QEvent activated(QEvent::ActivationChange);
                QApplication::sendEvent(&w(), &activated);
            }
        };
        const auto listed = [&] { return m_f->list(1)->currentText(); };
        w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w()));
        rename("Frame");
        QVERIFY(QTest::qWaitFor([&] { return listed() == "Frame"; }));
        QCOMPARE(tabs()->currentIndex(), 1);
        QCOMPARE(m_f->shown("AssemblyDisplayDescription"), "Frame");
        QCOMPARE(m_f->panelText(3), "Entries =  1");

        m_f->press(Update);
        m_f->type("AssemblyDisplayDescription=Typed");
        rename("Chassis");
        QTest::qWait(300);
        QCOMPARE(m_f->shown("AssemblyDisplayDescription"), "Typed");
        QCOMPARE(m_f->buttonPattern(), "001100");
        m_f->press(Cancel);
        QCOMPARE(listed(), "Chassis");
        QCOMPARE(m_f->shown("AssemblyDisplayDescription"), "Chassis");
    }

    // Keys press the command buttons as a click does, and nothing while their button is off.
    void keyboard()
    {
        w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w()));
        const QString idle = m_f->buttonPattern();
        const auto key = [this](QKeyCombination k) { QTest::keyClick(&w(), k.key(), k.keyboardModifiers()); };
        key(Qt::CTRL | Qt::Key_S);
        key(Qt::ALT | Qt::Key_D);
        QCOMPARE(m_f->buttonPattern() + boxTexts().join(""), idle);
        key(Qt::ALT | Qt::Key_A);
        QVERIFY(m_f->buttonPattern() != idle);
        key(Qt::Key(Qt::Key_Escape));
        QCOMPARE(m_f->buttonPattern(), idle);
        key(Qt::ALT | Qt::Key_A);
        m_f->type("CarDisplayDescription=By Keys");
        key(Qt::CTRL | Qt::Key_S);
        QCOMPARE(m_f->peek().count("SELECT COUNT(*) FROM Car WHERE Description = 'By Keys'"), 1);
        QCOMPARE(child<QAction>(w(), "mnuExit")->shortcut(), QKeySequence(QKeySequence::Quit));
    }

    // A field entered by Tab or a click selects what it holds (up to its limit), so typing replaces it.
    void focusSelection_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("length");
        QTest::addColumn<int>("selected");
        QTest::newRow("notes") << "CarNotes" << 120 << 120;
        QTest::newRow("description past its limit") << "CarDisplayDescription" << 60 << 50;
    }

    void focusSelection()
    {
        QFETCH(QString, field);
        QFETCH(int, length);
        QFETCH(int, selected);
        m_f->press(Add);
        QWidget* target = child<QWidget>(w(), qPrintable(field));
        auto* line = qobject_cast<QLineEdit*>(target);
        auto* notes = qobject_cast<gui::NotesEdit*>(target);
        const QString text = QString(length, QLatin1Char('x'));
        line ? line->setText(text) : notes->setText(text);
        const auto selectedText = [&] { return line ? line->selectedText() : notes->textCursor().selectedText(); };
        w().activateWindow();
        auto* elsewhere = child<QLineEdit>(w(), "projectDescription");
        elsewhere->setFocus();
        target->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(selectedText(), text.left(selected));
        elsewhere->setFocus();
        QTRY_VERIFY(!target->hasFocus());
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(5, 5));
        QTRY_COMPARE(selectedText(), text.left(selected));
    }
};

QTEST_MAIN(TestMainWindow)
#include "TestMainWindow.moc"
