// The command buttons and the commands of the File menu.

#include "editor/Form1.h"

#include "app/AboutGearLog.h"
#include "app/GearLogOverview.h"

#include <QTabWidget>

namespace editor {

void Form1::cmdButton_Click(int index)
{
    ProcessCMD(index);
}

void Form1::ProcessCMD(int index)
{
    currentTab = tbproject->currentIndex() + 1;
    switch (index) {
    case 5:
        quitroutine();
        break;
    default:
        // Add, Update, Cancel, Save and Delete arrive with the record editor.
        break;
    }
}

void Form1::mnuAbout_Click()
{
    app::AboutGearLog about(this);
    about.exec();
}

void Form1::mnuOverview_Click()
{
    app::GearLogOverview overview(this);
    overview.exec();
}

void Form1::CreateNewCar()
{
    tbproject->setCurrentIndex(0);
    ProcessCMD(0);
}

} // namespace editor
