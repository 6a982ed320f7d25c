#pragma once

#include "store/RecordTraits.h"

#include <QDialog>
#include <QString>

class QComboBox;
class QLineEdit;
class QPushButton;

namespace project {
class ProjectSession;
}

namespace copy {

// The copy window: a whole project duplicated under a new name. Opened modally from the main
// window, which shows the new project (by its key, newCarID) once the window has closed.
class copyForm : public QDialog
{
    Q_OBJECT

public:
    explicit copyForm(project::ProjectSession& session, QWidget* parent = nullptr);

    void loadCboFromName();
    void cboFromName_Click();
    void txtToName_Change();
    void cmdApplyCopy_Click();
    void cmdCancelCopy_Click();
    // Answers true when the project was copied; otherwise the user was told why.
    bool copyRoutine();

    store::Key sourceCarID = 0;
    store::Key newCarID = 0;
    // The name of the project just created; empty when nothing was copied.
    QString newProjectName;

    QComboBox* cboFromName = nullptr;
    QLineEdit* txtToName = nullptr;
    QLineEdit* txtCopyStatus = nullptr;
    QPushButton* cmdApplyCopy = nullptr;
    QPushButton* cmdCancelCopy = nullptr;

private:
    project::ProjectSession& m_session;
};

} // namespace copy
