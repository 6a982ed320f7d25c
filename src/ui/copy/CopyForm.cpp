#include "copy/CopyForm.h"

#include "common/Clock.h"
#include "copy/ProjectCopy.h"
#include "gui/BusyWork.h"
#include "gui/Dialogs.h"
#include "project/ProjectSession.h"
#include "store/Store.h"
#include "store/StoreError.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace copy {

copyForm::copyForm(project::ProjectSession& session, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
{
    setObjectName(QStringLiteral("copyForm"));
    setWindowTitle(QStringLiteral("Copy Project"));
    setModal(true);

    cboFromName = new QComboBox(this);
    cboFromName->setObjectName(QStringLiteral("cboFromName"));
    cboFromName->setMinimumContentsLength(30);
    cboFromName->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cboFromName->setMaxVisibleItems(20);
    txtToName = new QLineEdit(this);
    txtToName->setObjectName(QStringLiteral("txtToName"));
    txtCopyStatus = new QLineEdit(this);
    txtCopyStatus->setObjectName(QStringLiteral("txtCopyStatus"));
    txtCopyStatus->setReadOnly(true);
    txtCopyStatus->setFocusPolicy(Qt::NoFocus);
    cmdApplyCopy = new QPushButton(QStringLiteral("Copy"), this);
    cmdApplyCopy->setObjectName(QStringLiteral("cmdApplyCopy"));
    cmdApplyCopy->setAutoDefault(false);
    cmdCancelCopy = new QPushButton(QStringLiteral("Quit"), this);
    cmdCancelCopy->setObjectName(QStringLiteral("cmdCancelCopy"));
    cmdCancelCopy->setAutoDefault(false);

    auto* grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Select The Project To Copy From"), this), 0, 0);
    grid->addWidget(cboFromName, 1, 0);
    grid->addWidget(new QLabel(QStringLiteral("Enter The Name Of The New Project"), this), 2, 0);
    grid->addWidget(txtToName, 3, 0);
    grid->addWidget(new QLabel(QStringLiteral("Copy Status"), this), 4, 0);
    grid->addWidget(txtCopyStatus, 5, 0);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdApplyCopy);
    buttons->addWidget(cmdCancelCopy);
    grid->addLayout(buttons, 6, 0);
    grid->setRowMinimumHeight(2, 28);

    connect(cboFromName, &QComboBox::activated, this, &copyForm::cboFromName_Click);
    connect(txtToName, &QLineEdit::textChanged, this, &copyForm::txtToName_Change);
    connect(cmdApplyCopy, &QPushButton::clicked, this, &copyForm::cmdApplyCopy_Click);
    connect(cmdCancelCopy, &QPushButton::clicked, this, &copyForm::cmdCancelCopy_Click);

    // Form_Load.
    cmdApplyCopy->setEnabled(false);
    loadCboFromName();
    newProjectName.clear();
    setMinimumWidth(420);
}

void copyForm::loadCboFromName()
{
    cboFromName->clear();
    const QList<store::Entry> cars = m_session.store().cars.allEntries(store::Order::Key);
    for (const store::Entry& car : cars)
        cboFromName->addItem(car.text, car.key);
    cboFromName->setEnabled(!cars.isEmpty());
    if (cars.isEmpty()) {
        cmdCancelCopy->setEnabled(true);
        cmdApplyCopy->setEnabled(false);
    }
    cboFromName->setPlaceholderText(cars.isEmpty() ? QStringLiteral("<No Entries>")
                                                   : QStringLiteral("<Select A Project To Copy>"));
    cboFromName->setCurrentIndex(-1);
}

void copyForm::cboFromName_Click()
{
    if (cboFromName->currentIndex() < 0)
        return;
    sourceCarID = cboFromName->currentData().toLongLong();
    txtToName->setFocus();
}

void copyForm::txtToName_Change()
{
    // Copy stays as it was while the box is empty; pressing it then is refused.
    if (!txtToName->text().isEmpty())
        cmdApplyCopy->setEnabled(true);
    else
        gui::MessageBox::notice(this, QStringLiteral("Please Enter A Name For The New Project"));
}

void copyForm::cmdApplyCopy_Click()
{
    newProjectName = txtToName->text();
    if (copyRoutine())
        accept();
    else
        newProjectName.clear();
}

void copyForm::cmdCancelCopy_Click()
{
    newProjectName.clear();
    reject();
}

bool copyForm::copyRoutine()
{
    const QString name = txtToName->text();
    if (const QString why = refusal(sourceCarID, name); !why.isEmpty()) {
        gui::MessageBox::notice(this, why);
        if (sourceCarID == 0)
            cboFromName->setFocus();
        else
            txtToName->setFocus();
        return false;
    }
    try {
        const gui::BusyWork busy(this, QStringLiteral("Copying the project"), QStringLiteral("records"));
        newCarID = m_session.copyProject(sourceCarID, name, common::Clock::now().date(), busy.progress());
    } catch (const store::StoreError& e) {
        newCarID = 0;
        gui::MessageBox::show(this, gui::AppTitle,
                              QStringLiteral("The project could not be copied; nothing was written.\n\n%1\n(Error #%2, %3)")
                                  .arg(e.message())
                                  .arg(e.code())
                                  .arg(e.source()),
                              gui::Icon::Warning, gui::Buttons::Ok, gui::Answer::Ok);
        return false;
    }
    txtCopyStatus->setText(QStringLiteral("New Project '") + name + QStringLiteral("' Created"));
    return true;
}

} // namespace copy
