#pragma once

#include <QDialog>

class QListWidget;
class QPushButton;

namespace copy {

// File > Restore Backup: the backups beside the database, newest first, with the day and time
// each was made and the projects it holds. Restore asks once more, then says which backup the
// program should put in place (restoreChosen); the program closes the database to do it.
class RestoreBackupForm : public QDialog
{
    Q_OBJECT

public:
    RestoreBackupForm(const QString& databasePath, QWidget* parent);

Q_SIGNALS:
    void restoreChosen(const QString& backupPath);

private:
    void restore();

    QString m_databasePath;
    QListWidget* m_list = nullptr;
    QPushButton* m_restore = nullptr;
};

} // namespace copy
