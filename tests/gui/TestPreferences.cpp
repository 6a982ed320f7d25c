// The preferences kept across starts, the colour commands, the fields that select their text when
// entered, and help.

#include "support/FormFixture.h"
#include "support/Modal.h"
#include "support/Peek.h"

#include "app/Session.h"
#include "app/Startup.h"
#include "gui/Colors.h"
#include "gui/Dialogs.h"
#include "gui/HelpViewer.h"
#include "gui/NotesEdit.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QStatusBar>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeView>
#include <QtTest>

using testing::boxTexts;
using testing::child;
using testing::FormFixture;
using testing::Peek;

namespace {

QString settingsText(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(f.readAll()) : QString();
}

QColor windowColour(const QWidget* w)
{
    return w->palette().color(QPalette::Window);
}

// What a help command showed: the file and anchor of the help window, or nothing.
struct ShownHelp
{
    bool shown = false;
    QUrl source;
    QString text;
};

} // namespace

class TestPreferences : public QObject
{
    Q_OBJECT

    FormFixture* m_f = nullptr;
    QMainWindow& w() { return m_f->form(); }
    QString settingsPath() const { return m_f->files().path(QStringLiteral("settings.ini")); }

    void restart()
    {
        m_f->stop();
        QVERIFY(m_f->start(m_f->databasePath()));
    }

    // Runs a help command and notes what the help window showed, closing it with its button.
    ShownHelp help(const std::function<void()>& command)
    {
        ShownHelp seen;
        seen.shown = testing::inModal<gui::HelpViewer>(command, [&](gui::HelpViewer& viewer) {
            seen.source = child<QTextBrowser>(viewer, "HelpText")->source();
            seen.text = child<QTextBrowser>(viewer, "HelpText")->toPlainText();
            child<QPushButton>(viewer, "CmdOK")->click();
        });
        return seen;
    }

private Q_SLOTS:
    void init()
    {
        m_f = new FormFixture;
        QVERIFY(m_f->start());
    }

    void cleanup()
    {
        delete m_f;
        m_f = nullptr;
        qunsetenv("GEARLOG_HELP_FOLDER");
    }

    // A first start: button-face background, stretched pictures, expanded trees; nothing written.
    void emptySettings()
    {
        QCOMPARE(windowColour(&w()), QApplication::palette().color(QPalette::Button));
        QCOMPARE(windowColour(child<QTabWidget>(w(), "tbproject")), QApplication::palette().color(QPalette::Button));
        QVERIFY(child<QLabel>(w(), "Image1")->hasScaledContents());
        m_f->openCar(1);
        testing::Node car = testing::treeNode(child<QTreeView>(w(), "TvMaterials"), project::Kind::Car, 1);
        QVERIFY(car && car->childCount() > 0);
        QVERIFY(car->child(0)->isExpanded());
        QVERIFY(m_f->settings().allKeys().isEmpty());
    }

    // Values edited by hand that make no sense fall back to the defaults.
    void unreadableValues()
    {
        m_f->stop();
        m_f->settings().setValue(QStringLiteral("STARTUP/BACKCOLOR"), QStringLiteral("light blue"));
        m_f->settings().setValue(QStringLiteral("STARTUP/STRETCH"), QStringLiteral("sometimes"));
        m_f->settings().setValue(QStringLiteral("STARTUP/TREEVIEW"), QStringLiteral("Z"));
        QVERIFY(m_f->start(m_f->databasePath()));
        QCOMPARE(windowColour(&w()), QApplication::palette().color(QPalette::Button));
        QVERIFY(child<QLabel>(w(), "Image1")->hasScaledContents());
        m_f->openCar(1);
        testing::Node car = testing::treeNode(child<QTreeView>(w(), "TvMaterials"), project::Kind::Car, 1);
        QVERIFY(car && car->childCount() > 0);
        QVERIFY(car->child(0)->isExpanded());
    }

    // System colours in their stored form are the palette's colours.
    void systemColours_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("role");
        QTest::newRow("button face") << "-2147483633" << int(QPalette::Button);
        QTest::newRow("highlight") << "-2147483635" << int(QPalette::Highlight);
        QTest::newRow("window background") << "-2147483643" << int(QPalette::Base);
        QTest::newRow("button shadow") << "-2147483632" << int(QPalette::Mid);
    }

    void systemColours()
    {
        QFETCH(QString, stored);
        QFETCH(int, role);
        m_f->stop();
        m_f->settings().setValue(QStringLiteral("STARTUP/BACKCOLOR"), stored);
        QVERIFY(m_f->start(m_f->databasePath()));
        QCOMPARE(windowColour(&w()), QApplication::palette().color(QPalette::ColorRole(role)));
    }

    // A chosen colour is applied to the window and both tab areas, written as BACKCOLOR in the
    // 0x00BBGGRR form, and restored at the next start; the default colour writes button face back.
    void chosenColourKept()
    {
        const QColor navy(0x10, 0x20, 0x60);
        gui::DialogSeam::queueColor(navy);
        child<QAction>(w(), "mnuSetBackgroundColor")->trigger();
        QCOMPARE(gui::DialogSeam::colorDialogsShown(), 1);
        QVERIFY(boxTexts().isEmpty());
        for (QWidget* target : std::initializer_list<QWidget*> {
                 &w(), child<QTabWidget>(w(), "tbproject"), child<QTabWidget>(w(), "TbDisplay") })
            QCOMPARE(windowColour(target), navy);
        QVERIFY2(settingsText(settingsPath()).contains(QStringLiteral("BACKCOLOR=6299664")), qPrintable(settingsText(settingsPath())));
        // Text on the colour stays legible; the menus and status bar keep the system's colours.
        QCOMPARE(child<QLabel>(w(), "LblReseq")->palette().color(QPalette::WindowText), QColor(Qt::white));
        QCOMPARE(windowColour(w().statusBar()), QApplication::palette().color(QPalette::Window));

        restart();
        QCOMPARE(windowColour(&w()), navy);
        QCOMPARE(windowColour(child<QTabWidget>(w(), "TbDisplay")), navy);

        child<QAction>(w(), "mnuSetDefaultColors")->trigger();
        QCOMPARE(windowColour(&w()), QApplication::palette().color(QPalette::Button));
        QCOMPARE(windowColour(child<QTabWidget>(w(), "tbproject")), QApplication::palette().color(QPalette::Button));
        QVERIFY(settingsText(settingsPath()).contains(QStringLiteral("BACKCOLOR=-2147483633")));
        restart();
        QCOMPARE(windowColour(&w()), QApplication::palette().color(QPalette::Button));
    }

    // Cancelling the colour dialog changes nothing, writes nothing and says nothing.
    void cancelledColour()
    {
        gui::DialogSeam::queueColor(QColor(Qt::red));
        child<QAction>(w(), "mnuSetBackgroundColor")->trigger();
        gui::DialogSeam::queueColor(std::nullopt);
        child<QAction>(w(), "mnuSetBackgroundColor")->trigger();
        QCOMPARE(gui::DialogSeam::colorDialogsShown(), 2);
        QVERIFY(boxTexts().isEmpty());
        QCOMPARE(windowColour(&w()), QColor(Qt::red));
        QCOMPARE(m_f->settings().value(QStringLiteral("STARTUP/BACKCOLOR")).toString(), QStringLiteral("255"));
    }

    // Settings that cannot be written: the colour is shown for this session, and the user is told.
    void colourNotWritten()
    {
        m_f->stop();
        QFile blocker(m_f->files().path(QStringLiteral("blocker")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QSettings unwritable(m_f->files().path(QStringLiteral("blocker/settings.ini")), QSettings::IniFormat);
        auto session = app::startGearLog(m_f->databasePath(), unwritable);
        QVERIFY(session);
        gui::DialogSeam::queueColor(QColor(0x20, 0x80, 0x20));
        child<QAction>(session->window(), "mnuSetBackgroundColor")->trigger();
        QCOMPARE(boxTexts(), QStringList { QStringLiteral("Background color change error has occurrred") });
        QCOMPARE(windowColour(&session->window()), QColor(0x20, 0x80, 0x20));
    }

    // Entering a field selects its first characters, up to the field's length.
    void focusSelection_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("length"); // of the text put in
        QTest::addColumn<int>("selected");
        QTest::newRow("notes, 120 of 150") << 0 << "CarNotes" << 120 << 120;
        QTest::newRow("notes, all 150") << 5 << "SupplierNotes" << 150 << 150;
        QTest::newRow("make, Ford") << 0 << "CarMake" << 4 << 4;
        QTest::newRow("description past 50") << 0 << "CarDisplayDescription" << 60 << 50;
        QTest::newRow("car picture path, 100") << 0 << "carImagePath" << 100 << 100;
        QTest::newRow("assembly picture path, 80") << 1 << "AssemblyImagePath" << 80 << 80;
        QTest::newRow("component picture path, 50 of 80") << 2 << "ComponentImagePath" << 80 << 50;
        QTest::newRow("date") << 4 << "ActivityTargetStartDate" << 10 << 10;
        QTest::newRow("supplier e-mail, 30") << 5 << "supplieremail" << 30 << 30;
        QTest::newRow("empty") << 0 << "CarModel" << 0 << 0;
    }

    void focusSelection()
    {
        QFETCH(int, tab);
        QFETCH(QString, field);
        QFETCH(int, length);
        QFETCH(int, selected);
        // The Car tab with a new car open for typing; elsewhere the field opened as an edit would.
        m_f->openCar(1);
        m_f->showTab(tab);
        if (tab == 0)
            m_f->press(0);
        auto* target = w().findChild<QWidget*>(field);
        QVERIFY(target);
        target->setEnabled(true);
        QVERIFY(target->isVisible());
        QString text;
        for (int i = 0; i < length; ++i)
            text += QLatin1Char("abcdefghij"[i % 10]);
        const auto selectedText = [target] {
            if (auto* line = qobject_cast<QLineEdit*>(target))
                return line->selectedText();
            return static_cast<gui::NotesEdit*>(target)->textCursor().selectedText();
        };
        if (auto* line = qobject_cast<QLineEdit*>(target))
            line->setText(text);
        else
            static_cast<gui::NotesEdit*>(target)->setText(text);
        w().activateWindow();

        // From the keyboard...
        child<QLineEdit>(w(), "projectDescription")->setFocus();
        target->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(selectedText(), text.left(selected));

        // ...and by the mouse, whose click would otherwise place the cursor.
        child<QLineEdit>(w(), "projectDescription")->setFocus();
        QTRY_VERIFY(!target->hasFocus());
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(5, 5));
        QTRY_COMPARE(selectedText(), text.left(selected));
    }

    // Help > Table Of Contents shows the help of the program's folder from its start.
    void tableOfContents()
    {
        const ShownHelp seen = help([this] { child<QAction>(w(), "mnutableofcontents")->trigger(); });
        QVERIFY(seen.shown);
        QCOMPARE(seen.source.toLocalFile(), QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Gear-Log.html")));
        QVERIFY(seen.source.fragment().isEmpty());
        QVERIFY(seen.text.contains(QStringLiteral("Copying a project")));
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    // F1 shows the help of the Help folder at the section of the showing tab.
    void contextHelp_data()
    {
        QTest::addColumn<int>("tab");
        QTest::addColumn<QString>("anchor");
        QTest::newRow("car") << 0 << "car";
        QTest::newRow("supplier") << 5 << "suppliers";
    }

    void contextHelp()
    {
        QFETCH(int, tab);
        QFETCH(QString, anchor);
        m_f->openCar(1);
        m_f->showTab(tab);
        w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w()));
        const ShownHelp seen = help([this] { QTest::keyClick(&w(), Qt::Key_F1); });
        QVERIFY(seen.shown);
        QCOMPARE(seen.source.toLocalFile(),
                 QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Help/Gear-Log.html")));
        QCOMPARE(seen.source.fragment(), anchor);
    }

    // Every section context help can ask for is in the help file.
    void helpSections()
    {
        QFile f(QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("Help/Gear-Log.html")));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(f.readAll());
        for (const char* anchor : { "car", "assemblies", "components", "phases", "activities", "suppliers", "pictures" })
            QVERIFY2(html.contains(QStringLiteral("name=\"%1\"").arg(QLatin1String(anchor))), anchor);
    }

    // No help file: nothing is shown, and nothing is said.
    void missingHelp()
    {
        QTemporaryDir empty;
        qputenv("GEARLOG_HELP_FOLDER", QFile::encodeName(empty.path()));
        const ShownHelp seen = help([this] { child<QAction>(w(), "mnutableofcontents")->trigger(); });
        QVERIFY(!seen.shown);
        QVERIFY(boxTexts().isEmpty());
    }
};

QTEST_MAIN(TestPreferences)
#include "TestPreferences.moc"
