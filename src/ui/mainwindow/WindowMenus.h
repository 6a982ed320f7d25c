#pragma once

class QAction;
class QMainWindow;
class QMenu;

namespace editor {

// The main window's menu bar. Every menu, item and separator carries its member's name as its
// objectName.
struct WindowMenus
{
    explicit WindowMenus(QMainWindow* window);

    // The menus a record being edited locks, with the Time Line.
    void setCommandsEnabled(bool enabled);

    QMenu* mnuFile = nullptr;
    QAction* mnudash1 = nullptr;
    QAction* mnuCreate = nullptr;
    QAction* mnucopy = nullptr;
    QAction* mnuExportProject = nullptr;
    QAction* mnuImportProject = nullptr;
    QAction* mnuRestoreBackup = nullptr;
    QAction* mnuFind = nullptr;
    QAction* mnDash7 = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuEdit = nullptr;
    QAction* mnuUndo = nullptr;
    QAction* mnuRedo = nullptr;
    QMenu* mnuPreferences = nullptr;
    QAction* mnuDash2 = nullptr;
    QMenu* mnuImage = nullptr;
    QAction* MnuActualSize = nullptr;
    QAction* MnuShrinkToFit = nullptr;
    QAction* mnudash12 = nullptr;
    QMenu* MnuSetProjectPlan = nullptr;
    QAction* mnuExpandView = nullptr;
    QAction* mnuCompressView = nullptr;
    QAction* mnuDash9 = nullptr;
    QAction* mnuSetBackgroundColor = nullptr;
    QAction* mnuSetDefaultColors = nullptr;
    QMenu* mnuReports = nullptr;
    QAction* mnudash3 = nullptr;
    QAction* MnuMaterialsList = nullptr;
    QAction* MnuProjectPlan = nullptr;
    QAction* MnuStatusReport = nullptr;
    QAction* MnuWishList = nullptr;
    QAction* MnuBudgetCharts = nullptr;
    QAction* mnuTimeLine = nullptr;
    QMenu* mnuHelp = nullptr;
    QAction* mnudash6 = nullptr;
    QAction* mnuAbout = nullptr;
    QAction* mnuOverview = nullptr;
    QAction* mnudash5 = nullptr;
    QAction* mnutableofcontents = nullptr;
};

} // namespace editor
