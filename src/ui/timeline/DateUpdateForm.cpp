#include "timeline/DateUpdateForm.h"

#include "common/Formats.h"
#include "gui/DatePicker.h"
#include "gui/Dialogs.h"
#include "gui/FieldChecks.h"
#include "gui/SelectOnFocus.h"
#include "gui/StoreErrors.h"
#include "gui/Twips.h"
#include "project/ProjectSession.h"
#include "store/Store.h"
#include "timeline/ChartPainter.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace timeline {

namespace {

#define NAMED(member) member, #member

QString shortDate(const QDate& date)
{
    return common::formatDate(date, common::DateForm::Short);
}

QString effortText(const std::optional<double>& hours)
{
    return hours ? common::plainNumber(*hours) : QStringLiteral("0");
}

editor::ActivityTimes timeBoxes(const DateUpdateForm& form)
{
    return { form.ActivityTargetStartDate, form.ActivityTargetStopDate, form.ActivityTargetEffort,
        form.ActivityActualStartDate, form.ActivityActualStopDate, form.ActivityActualEffort };
}

} // namespace

DateUpdateForm::DateUpdateForm(project::ProjectSession& session, store::Key activityToMaintain, QWidget* parent)
    : QDialog(parent)
    , m_session(session)
    , m_activityToMaintain(activityToMaintain)
{
    buildWindow();
    Form_Load();
}

DateUpdateForm::~DateUpdateForm() = default;

void DateUpdateForm::buildWindow()
{
    setObjectName(QStringLiteral("DateUpdateForm"));
    setWindowTitle(QStringLiteral("GearLog  -  Activity Date Maintenance"));
    setModal(true);
    setFont(listFont()); // the layout in twips is made for small type
    setFixedSize(gui::Twips(*this).pixels(QRectF(0, 0, 5175, 2625)).size());

    gui::placed(NAMED(ActivityDescription), this, { 720, 120, 3735, 285 });
    ActivityDescription->setReadOnly(true); // only the dates and efforts are saved
    gui::placed(NAMED(Label33), this, { 720, 480, 3735, 255 },
        QStringLiteral(" -----------------------   Activity Information  -----------------------"));
    gui::placed(NAMED(Label8), this, { 660, 780, 615, 255 }, QStringLiteral("Target"));
    gui::placed(NAMED(Label5), this, { 3900, 780, 615, 255 }, QStringLiteral("Actual"));
    gui::placed(NAMED(ActivityTargetStartDate), this, { 240, 1065, 1455, 285 }, QString(),
        QStringLiteral("Enter The Anticipated Start Date.  Example:  '12/31/2002'"));
    gui::placed(NAMED(Label4), this, { 1800, 1080, 1575, 255 }, QStringLiteral("------ Start Date -----"));
    gui::placed(NAMED(ActivityActualStartDate), this, { 3480, 1065, 1455, 285 }, QString(),
        QStringLiteral("Enter The Actual Start Date.  Example:  '12/31/2002'"));
    gui::placed(NAMED(ActivityTargetStopDate), this, { 240, 1395, 1455, 285 }, QString(),
        QStringLiteral("Enter The Anticipated Completion Date.  Example:  '12/31/2002'"));
    gui::placed(NAMED(Label16), this, { 1800, 1410, 1575, 255 }, QStringLiteral("------ Stop Date -----"));
    gui::placed(NAMED(ActivityActualStopDate), this, { 3480, 1395, 1455, 285 }, QString(),
        QStringLiteral("Enter The Actual Completion Date.  Example:  '12/31/2002'"));
    gui::placed(NAMED(ActivityTargetEffort), this, { 240, 1725, 1455, 285 }, QString(),
        QStringLiteral("The Anticipated Number Of Hours Required To Complete The Activity"));
    gui::placed(NAMED(Label9), this, { 1800, 1740, 1575, 255 }, QStringLiteral("--- Effort (Hours) ---"));
    gui::placed(NAMED(ActivityActualEffort), this, { 3480, 1725, 1455, 285 }, QString(),
        QStringLiteral("The Actual Number Of Hours Required To Complete The Activity"));
    gui::placed(NAMED(CmdUpdate), this, { 1440, 2130, 975, 375 }, QStringLiteral("Save"),
        QStringLiteral("This Button Will Apply Your Changes"));
    gui::placed(NAMED(CmdCancel), this, { 2760, 2130, 975, 375 }, QStringLiteral("Cancel"),
        QStringLiteral("This Button Will Cancel Any Changes Made"));
    CmdUpdate->setAutoDefault(false);
    CmdCancel->setAutoDefault(false);
    // Two columns of boxes of one width (room for the longest date beside its calendar button)
    // under their centred captions, the row captions centred between them, rows at an even pitch.
    for (QLabel* caption : { Label33, Label8, Label5, Label4, Label16, Label9 })
        caption->setAlignment(Qt::AlignCenter);

    // Tab order: the Target column, then the Actual column, then the buttons.
    QWidget* order[] = { ActivityTargetStartDate, ActivityTargetStopDate, ActivityTargetEffort, ActivityActualStartDate,
        ActivityActualStopDate, ActivityActualEffort, CmdUpdate, CmdCancel };
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    for (QLineEdit* box : { ActivityTargetStartDate, ActivityTargetStopDate, ActivityTargetEffort,
             ActivityActualStartDate, ActivityActualStopDate, ActivityActualEffort })
        gui::selectOnFocus(box, 50);
    for (QLineEdit* box :
        { ActivityTargetStartDate, ActivityTargetStopDate, ActivityActualStartDate, ActivityActualStopDate })
        gui::addDatePicker(box);

    connect(CmdUpdate, &QPushButton::clicked, this, &DateUpdateForm::CmdUpdate_Click);
    connect(CmdCancel, &QPushButton::clicked, this, &DateUpdateForm::CmdCancel_Click);
}

void DateUpdateForm::Form_Load()
{
    gui::guarded(this, QStringLiteral("reading the activity"),
        [this] { m_activity = m_session.store().activities.find(m_activityToMaintain); });
    showActivity();
}

void DateUpdateForm::showActivity()
{
    if (!m_activity) {
        ActivityDescription->setText(QStringLiteral("<Activity Not Available>"));
        return;
    }
    const store::Activity& a = *m_activity;
    ActivityDescription->setText(a.Description);
    ActivityTargetStartDate->setText(shortDate(a.targetstartdate));
    ActivityTargetStopDate->setText(shortDate(a.targetstopdate));
    ActivityActualStartDate->setText(shortDate(a.actualstartdate));
    ActivityActualStopDate->setText(shortDate(a.actualstopdate));
    ActivityTargetEffort->setText(effortText(a.targeteffort));
    ActivityActualEffort->setText(effortText(a.actualeffort));
}

void DateUpdateForm::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (!m_activated)
        QTimer::singleShot(0, this, &DateUpdateForm::Form_Activate);
}

void DateUpdateForm::Form_Activate()
{
    m_activated = true;
    ActivityTargetStartDate->setFocus(Qt::OtherFocusReason);
}

bool DateUpdateForm::ValidateActivity()
{
    return editor::checkActivityTimes(this, timeBoxes(*this));
}

void DateUpdateForm::refuseSave(const QString& message)
{
    gui::MessageBox::notice(this, message);
    CmdCancel->setFocus(Qt::OtherFocusReason);
}

void DateUpdateForm::CmdUpdate_Click()
{
    const QString gone = QStringLiteral("This Activity Is No Longer Available - Nothing Was Saved");
    if (!m_activity)
        return refuseSave(gone);
    if (m_activity->carid == store::Store::SampleCarId)
        return refuseSave(QStringLiteral("Cannot Update The Gear-Log Demo Car"));
    if (!ValidateActivity())
        return;

    store::Activity changed = *m_activity;
    project::applyTimes(timeBoxes(*this).texts(), changed);
    bool written = false;
    if (!gui::guarded(
            this, QStringLiteral("saving the dates"), [&] { written = m_session.changeActivityTimes(changed); }))
        return;
    if (!written)
        return refuseSave(gone);

    accept();
}

void DateUpdateForm::CmdCancel_Click()
{
    reject();
}

void DateUpdateForm::reject()
{
    QDialog::reject();
}

} // namespace timeline
