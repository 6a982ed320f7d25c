#include "app/GearLogOverview.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

GearLogOverview::GearLogOverview(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("GearLogOverview"));
    setWindowTitle(QStringLiteral("Gear-Log Overview"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(this);
    text->setObjectName(QStringLiteral("LblOverview"));
    text->setWordWrap(true);
    text->setText(QStringLiteral(
        "<p>Gear-Log keeps the plan of a car restoration or build in one place.</p>"
        "<p><b>Materials.</b> Each project car is split into assemblies (engine, brakes, body...) and their "
        "components: the parts and services you need, with supplier, catalog page, quantity, what you expect "
        "to pay and what you paid, and whether the part is still on your wish list.</p>"
        "<p><b>Work plan.</b> The work is split into phases and their activities, in the order you choose, "
        "with planned and actual start and finish dates and hours. A component can be attached to the "
        "activity that needs it.</p>"
        "<p>Gear-Log adds up costs, dates and hours for every assembly, phase and the whole car, shows the "
        "project as a materials tree and a project plan, prints a materials list, the project plan, a status "
        "report and a wish list by supplier, and draws a month-by-month time line.</p>"
        "<p>The sample project can be looked at, printed and copied, but not changed: copy it to start your "
        "own, or create a new project from the File menu.</p>"));
    CmdOK = new QPushButton(QStringLiteral("OK"), this);
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    CmdOK->setDefault(true);
    connect(CmdOK, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(text);
    layout->addWidget(CmdOK, 0, Qt::AlignCenter);
    resize(540, 330);
}

} // namespace app
