#pragma once

#include <QDialog>

class QPushButton;

namespace app {

// Product name and version.
class AboutGearLog : public QDialog
{
    Q_OBJECT
public:
    // database: which database the window is on, as Database::describe() gives it.
    explicit AboutGearLog(QWidget* parent = nullptr, const QString& database = {});
    QPushButton* CmdOK = nullptr;
};

} // namespace app
