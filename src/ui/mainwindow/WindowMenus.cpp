#include "mainwindow/WindowMenus.h"

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace editor {

namespace {

// Member and objectName stay the same word.
#define NAMED(member) member, #member

} // namespace

WindowMenus::WindowMenus(QMainWindow* window)
{
    QMenuBar* bar = window->menuBar();
    auto menu = [](QMenu*& member, const char* name, QWidget* parent, const QString& title) {
        member = new QMenu(title, parent);
        member->setObjectName(QLatin1String(name));
        member->menuAction()->setObjectName(QLatin1String(name));
        return member;
    };
    auto item = [window](QAction*& member, const char* name, QMenu* into, const QString& caption) {
        member = new QAction(caption, window);
        member->setObjectName(QLatin1String(name));
        into->addAction(member);
    };
    auto dash = [window](QAction*& member, const char* name, QMenu* into) {
        member = new QAction(window);
        member->setObjectName(QLatin1String(name));
        member->setSeparator(true);
        into->addAction(member);
    };

    bar->addMenu(menu(NAMED(mnuFile), bar, QStringLiteral("&File")));
    dash(NAMED(mnudash1), mnuFile);
    item(NAMED(mnuCreate), mnuFile, QStringLiteral("&Create New Project"));
    item(NAMED(mnucopy), mnuFile, QStringLiteral("Copy &Project"));
    item(NAMED(mnuExportProject), mnuFile, QStringLiteral("&Export Project..."));
    item(NAMED(mnuImportProject), mnuFile, QStringLiteral("&Import Project..."));
    item(NAMED(mnuRestoreBackup), mnuFile, QStringLiteral("&Restore Backup..."));
    item(NAMED(mnuFind), mnuFile, QStringLiteral("&Find..."));
    mnuFind->setShortcut(QKeySequence::Find);
    dash(NAMED(mnDash7), mnuFile);
    item(NAMED(mnuExit), mnuFile, QStringLiteral("E&xit"));
    mnuExit->setShortcut(QKeySequence::Quit);

    bar->addMenu(menu(NAMED(mnuEdit), bar, QStringLiteral("&Edit")));
    item(NAMED(mnuUndo), mnuEdit, QStringLiteral("&Undo"));
    mnuUndo->setShortcut(QKeySequence::Undo);
    item(NAMED(mnuRedo), mnuEdit, QStringLiteral("&Redo"));
    mnuRedo->setShortcuts({ QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y) });

    bar->addMenu(menu(NAMED(mnuPreferences), bar, QStringLiteral("&Preferences")));
    dash(NAMED(mnuDash2), mnuPreferences);
    mnuPreferences->addMenu(menu(NAMED(mnuImage), mnuPreferences, QStringLiteral("Set Image Option")));
    item(NAMED(MnuActualSize), mnuImage, QStringLiteral("&Actual Size"));
    item(NAMED(MnuShrinkToFit), mnuImage, QStringLiteral("&Size To Fit"));
    dash(NAMED(mnudash12), mnuPreferences);
    mnuPreferences->addMenu(menu(NAMED(MnuSetProjectPlan), mnuPreferences, QStringLiteral("Set Tree View")));
    item(NAMED(mnuExpandView), MnuSetProjectPlan, QStringLiteral("&Expand View"));
    item(NAMED(mnuCompressView), MnuSetProjectPlan, QStringLiteral("&Compress View"));
    dash(NAMED(mnuDash9), mnuPreferences);
    item(NAMED(mnuSetBackgroundColor), mnuPreferences, QStringLiteral("Set &Background Color"));
    item(NAMED(mnuSetDefaultColors), mnuPreferences, QStringLiteral("Set &Default Color"));

    bar->addMenu(menu(NAMED(mnuReports), bar, QStringLiteral("&Reports")));
    dash(NAMED(mnudash3), mnuReports);
    item(NAMED(MnuMaterialsList), mnuReports, QStringLiteral("Print Materials List"));
    item(NAMED(MnuProjectPlan), mnuReports, QStringLiteral("Print Project Plan"));
    item(NAMED(MnuStatusReport), mnuReports, QStringLiteral("Print Status Report"));
    item(NAMED(MnuWishList), mnuReports, QStringLiteral("Print Wish List"));
    item(NAMED(MnuBudgetCharts), mnuReports, QStringLiteral("Budget And Spending Charts..."));

    mnuTimeLine = new QAction(QStringLiteral("&Time Line"), window);
    mnuTimeLine->setObjectName(QStringLiteral("mnuTimeLine"));
    bar->addAction(mnuTimeLine);

    bar->addMenu(menu(NAMED(mnuHelp), bar, QStringLiteral("&Help")));
    dash(NAMED(mnudash6), mnuHelp);
    item(NAMED(mnuAbout), mnuHelp, QStringLiteral("&About Gear-Log"));
    item(NAMED(mnuOverview), mnuHelp, QStringLiteral("&Overview"));
    dash(NAMED(mnudash5), mnuHelp);
    item(NAMED(mnutableofcontents), mnuHelp, QStringLiteral("&Table Of Contents"));
}

void WindowMenus::setCommandsEnabled(bool enabled)
{
    for (QMenu* m : { mnuFile, mnuEdit, mnuPreferences, mnuReports })
        m->menuAction()->setEnabled(enabled);
    mnuTimeLine->setEnabled(enabled);
}

#undef NAMED

} // namespace editor
