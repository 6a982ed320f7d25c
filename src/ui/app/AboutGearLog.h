#pragma once

#include <QDialog>

class QPushButton;

namespace app {

// Product name and version.
class AboutGearLog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutGearLog(QWidget* parent = nullptr);
    QPushButton* CmdOK = nullptr;
};

} // namespace app
