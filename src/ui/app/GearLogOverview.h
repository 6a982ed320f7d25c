#pragma once

#include <QDialog>

class QPushButton;

namespace app {

// A short description of what the program does.
class GearLogOverview : public QDialog
{
    Q_OBJECT
public:
    explicit GearLogOverview(QWidget* parent = nullptr);
    QPushButton* CmdOK = nullptr;
};

} // namespace app
