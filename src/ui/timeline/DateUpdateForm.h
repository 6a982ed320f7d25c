#pragma once

#include "store/Activity.h"

#include <QDialog>
#include <memory>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace project {
class ProjectSession;
}

namespace timeline {

// Corrects one activity's planned and actual dates and efforts from the time line.
class DateUpdateForm : public QDialog
{
    Q_OBJECT

public:
    // Opens on the activity with that key. exec() answers Accepted once a change was saved.
    DateUpdateForm(project::ProjectSession& session, store::Key activityToMaintain, QWidget* parent = nullptr);
    ~DateUpdateForm() override;

    void Form_Load();
    void Form_Activate();
    void CmdUpdate_Click();
    void CmdCancel_Click();
    bool ValidateActivity();

    QLineEdit* ActivityDescription = nullptr;
    QLabel* Label33 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label5 = nullptr;
    QLineEdit* ActivityTargetStartDate = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* ActivityActualStartDate = nullptr;
    QLineEdit* ActivityTargetStopDate = nullptr;
    QLabel* Label16 = nullptr;
    QLineEdit* ActivityActualStopDate = nullptr;
    QLineEdit* ActivityTargetEffort = nullptr;
    QLabel* Label9 = nullptr;
    QLineEdit* ActivityActualEffort = nullptr;
    QPushButton* CmdUpdate = nullptr;
    QPushButton* CmdCancel = nullptr;

    // Cancel, Escape and closing the window all leave the record and the time line as they were.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildWindow();
    void showActivity();
    void refuseSave(const QString& message);

    project::ProjectSession& m_session;
    const store::Key m_activityToMaintain;
    std::optional<store::Activity> m_activity; // none when the activity was not found
    bool m_activated = false;
};

} // namespace timeline
