// The preferences kept across starts, the colour commands, the fields that select their text when
// entered, and help.

#include "support/FormFixture.h"
#include "support/Modal.h"
#include "support/Peek.h"

#include "app/Session.h"
#include "app/Startup.h"
#include "gui/Dialogs.h"
#include "gui/HelpViewer.h"
#include "gui/NotesEdit.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTreeView>
#include <QtTest>

using testing::boxTexts;
using testing::child;
using testing::FormFixture;

namespace {

QColor windowColour(const QWidget* w)
{
    return w->palette().color(QPalette::Window);
}

QColor buttonFace()
{
    return QApplication::palette().color(QPalette::Button);
}

QString helpFile(const char* name)
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QLatin1String(name));
}

} // namespace

class TestPreferences : public QObject
{
    Q_OBJECT

    FormFixture* m_f = nullptr;
    QMainWindow& w() { return m_f->form(); }

    QString settingsText()
    {
        QFile f(m_f->files().path(QStringLiteral("settings.ini")));
        return f.open(QIODevice::ReadOnly | QIODevice::Text) ? QString::fromUtf8(f.readAll()) : QString();
    }

    // Starts again on the same files, with these values stored first ("key=value|..."; empty: none).
    void restart(const QString& stored = QString())
    {
        m_f->stop();
        for (const QString& pair : stored.split(QLatin1Char('|'), Qt::SkipEmptyParts))
            m_f->settings().setValue(
                QStringLiteral("STARTUP/") + pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
        QVERIFY(m_f->start(m_f->databasePath()));
    }

    void chooseColour(std::optional<QColor> colour)
    {
        gui::DialogSeam::queueColor(colour);
        child<QAction>(w(), "mnuSetBackgroundColor")->trigger();
    }

    // Runs a help command; answers the page the help window showed, empty when none came up.
    QUrl shownHelp(const std::function<void()>& command)
    {
        QUrl source;
        testing::inModal<gui::HelpViewer>(command, [&](gui::HelpViewer& viewer) {
            source = child<QTextBrowser>(viewer, "HelpText")->source();
            child<QPushButton>(viewer, "CmdOK")->click();
        });
        return source;
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

    void defaults_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::newRow("first start") << "";
        QTest::newRow("edited by hand into nonsense") << "BACKCOLOR=light blue|STRETCH=sometimes|TREEVIEW=Z";
    }

    // Nothing usable stored: button-face background, pictures fitted, expanded trees; nothing written.
    void defaults()
    {
        QFETCH(QString, stored);
        restart(stored);
        QCOMPARE(windowColour(&w()), buttonFace());
        QCOMPARE(windowColour(child<QTabWidget>(w(), "tbproject")), buttonFace());
        Q_EMIT child<QMenu>(w(), "mnuImage")->aboutToShow(); // the menu shows the picture mode in force
        QVERIFY(m_f->action("MnuShrinkToFit")->isChecked());
        m_f->openCar(1);
        const testing::Node car = testing::treeNode(child<QTreeView>(w(), "TvMaterials"), project::Kind::Car, 1);
        QVERIFY(car && car->childCount() > 0);
        QVERIFY(car->child(0)->isExpanded());
        if (stored.isEmpty())
            QCOMPARE(m_f->settings().allKeys(), QStringList());
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
        restart(QStringLiteral("BACKCOLOR=") + stored);
        QCOMPARE(windowColour(&w()), QApplication::palette().color(QPalette::ColorRole(role)));
    }

    // A chosen colour goes on the window and both tab areas, is written as BACKCOLOR in the
    // 0x00BBGGRR form and comes back at the next start; the default colour writes button face back.
    void chosenColourKept()
    {
        const QColor navy(0x10, 0x20, 0x60);
        chooseColour(navy);
        QCOMPARE(boxTexts(), QStringList());
        QVERIFY2(settingsText().contains(QStringLiteral("BACKCOLOR=6299664")), qPrintable(settingsText()));
        QCOMPARE(child<QLabel>(w(), "LblReseq")->palette().color(QPalette::WindowText), QColor(Qt::white)); // legible
        restart();
        for (QWidget* target : std::initializer_list<QWidget*> {
                 &w(), child<QTabWidget>(w(), "tbproject"), child<QTabWidget>(w(), "TbDisplay") })
            QCOMPARE(windowColour(target), navy);

        child<QAction>(w(), "mnuSetDefaultColors")->trigger();
        QCOMPARE(windowColour(child<QTabWidget>(w(), "tbproject")), buttonFace());
        QVERIFY(settingsText().contains(QStringLiteral("BACKCOLOR=-2147483633")));
        restart();
        QCOMPARE(windowColour(&w()), buttonFace());
    }

    // Cancelling the colour dialog changes nothing, writes nothing and says nothing.
    void cancelledColour()
    {
        chooseColour(QColor(Qt::red));
        chooseColour(std::nullopt);
        QCOMPARE(gui::DialogSeam::colorDialogsShown(), 2);
        QCOMPARE(boxTexts(), QStringList());
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

    // Entering a field, from the keyboard or by the mouse, selects its first characters up to the
    // field's length.
    void focusSelection_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("length"); // of the text put in
        QTest::addColumn<int>("selected");
        QTest::newRow("notes, 120 of 150") << "CarNotes" << 120 << 120;
        QTest::newRow("make") << "CarMake" << 4 << 4;
        QTest::newRow("description past 50") << "CarDisplayDescription" << 60 << 50;
        QTest::newRow("empty") << "CarModel" << 0 << 0;
    }

    void focusSelection()
    {
        QFETCH(QString, field);
        QFETCH(int, length);
        QFETCH(int, selected);
        m_f->press(0); // Add: the car's fields open for typing
        QWidget* target = child<QWidget>(w(), qPrintable(field));
        auto* line = qobject_cast<QLineEdit*>(target);
        auto* notes = qobject_cast<gui::NotesEdit*>(target);
        QString text;
        for (int i = 0; i < length; ++i)
            text += QLatin1Char("abcdefghij"[i % 10]);
        line ? line->setText(text) : notes->setText(text);
        const auto selectedText = [&] { return line ? line->selectedText() : notes->textCursor().selectedText(); };
        w().activateWindow();
        auto* elsewhere = child<QLineEdit>(w(), "projectDescription");

        elsewhere->setFocus();
        target->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(selectedText(), text.left(selected));
        // A mouse click would otherwise place the cursor.
        elsewhere->setFocus();
        QTRY_VERIFY(!target->hasFocus());
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(5, 5));
        QTRY_COMPARE(selectedText(), text.left(selected));
    }

    void help_data()
    {
        QTest::addColumn<int>("tab"); // -1: Help > Table Of Contents; otherwise F1 on that tab
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("anchor");
        QTest::newRow("table of contents") << -1 << "Gear-Log.html"
                                           << "";
        QTest::newRow("F1 on the car tab") << 0 << "Help/Gear-Log.html"
                                           << "car";
        QTest::newRow("F1 on the supplier tab") << 5 << "Help/Gear-Log.html"
                                                << "suppliers";
    }

    // The table of contents is the help of the program's folder; F1 opens the Help folder's at the
    // showing tab's section.
    void help()
    {
        QFETCH(int, tab);
        QFETCH(QString, file);
        m_f->openCar(1);
        m_f->showTab(qMax(tab, 0));
        w().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w()));
        const QUrl shown = shownHelp([&] {
            if (tab < 0)
                child<QAction>(w(), "mnutableofcontents")->trigger();
            else
                QTest::keyClick(&w(), Qt::Key_F1);
        });
        QCOMPARE(shown.toLocalFile(), helpFile(qPrintable(file)));
        QTEST(shown.fragment(), "anchor");
        QCOMPARE(QApplication::activeModalWidget(), nullptr);
    }

    // Every section context help can ask for is in the help file.
    void helpSections()
    {
        QFile f(helpFile("Help/Gear-Log.html"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString html = QString::fromUtf8(f.readAll());
        for (const char* anchor :
            { "car", "assemblies", "components", "phases", "activities", "suppliers", "pictures" })
            QVERIFY2(html.contains(QStringLiteral("name=\"%1\"").arg(QLatin1String(anchor))), anchor);
    }

    // No help file: nothing is shown, and nothing is said.
    void missingHelp()
    {
        QTemporaryDir empty;
        qputenv("GEARLOG_HELP_FOLDER", QFile::encodeName(empty.path()));
        QCOMPARE(shownHelp([this] { child<QAction>(w(), "mnutableofcontents")->trigger(); }), QUrl());
        QCOMPARE(boxTexts(), QStringList());
    }
};

QTEST_MAIN(TestPreferences)
#include "TestPreferences.moc"
