#include "app/AboutGearLog.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace app {

AboutGearLog::AboutGearLog(QWidget* parent, const QString& database)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("AboutGearLog"));
    setWindowTitle(QStringLiteral("About Gear-Log"));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    auto* name = new QLabel(QStringLiteral("<h2>Gear-Log</h2>"), this);
    name->setAlignment(Qt::AlignCenter);
    auto* version = new QLabel(QStringLiteral("Version %1").arg(QStringLiteral(GEARLOG_VERSION)), this);
    version->setObjectName(QStringLiteral("LblVersion"));
    version->setAlignment(Qt::AlignCenter);
    auto* line = new QLabel(QStringLiteral("A planner for car restoration projects."), this);
    line->setAlignment(Qt::AlignCenter);
    auto* where = new QLabel(QStringLiteral("Database: ") + database, this);
    where->setObjectName(QStringLiteral("LblDatabase"));
    where->setAlignment(Qt::AlignCenter);
    where->setWordWrap(true);
    where->setTextInteractionFlags(Qt::TextSelectableByMouse);
    where->setVisible(!database.isEmpty());
    CmdOK = new QPushButton(QStringLiteral("OK"), this);
    CmdOK->setObjectName(QStringLiteral("CmdOK"));
    CmdOK->setDefault(true);
    connect(CmdOK, &QPushButton::clicked, this, &QDialog::accept);
    layout->addWidget(name);
    layout->addWidget(version);
    layout->addWidget(line);
    layout->addWidget(where);
    layout->addWidget(CmdOK, 0, Qt::AlignCenter);
    setFixedSize(sizeHint().expandedTo(QSize(360, 180)));
}

} // namespace app
