// Checks of a record before it is saved: the first rule that fails says why and puts the cursor there.

#include "editor/Form1.h"

#include "common/Formats.h"
#include "common/Parse.h"
#include "gui/Dialogs.h"
#include "gui/ListText.h"

#include <QComboBox>
#include <QLineEdit>

#include <cmath>

namespace editor {

namespace {

constexpr int DescriptionLength = 30;
constexpr int SelectionLength = 50;

enum class Focus { Only, SelectText };

// Shows why, moves the focus to the control and, unless told otherwise, selects its text so that
// typing replaces it. Always answers false.
bool refuse(QWidget* parent, QWidget* control, const QString& message, Focus focus = Focus::SelectText)
{
    gui::MessageBox::information(parent, message, gui::AppTitle);
    control->setFocus(Qt::OtherFocusReason);
    if (focus == Focus::SelectText) {
        QLineEdit* edit = qobject_cast<QLineEdit*>(control);
        if (auto* list = qobject_cast<QComboBox*>(control); list && list->isEditable())
            edit = list->lineEdit();
        if (edit)
            edit->setSelection(0, SelectionLength);
    }
    return false;
}

void cutDescription(QLineEdit* box)
{
    if (box->text().size() > DescriptionLength)
        box->setText(box->text().left(DescriptionLength));
}

void zeroWhenEmpty(QLineEdit* box)
{
    if (box->text().isEmpty())
        box->setText(QStringLiteral("0"));
}

bool filledButNotNumeric(const QLineEdit* box)
{
    return !box->text().isEmpty() && !common::isNumeric(box->text());
}

bool filledButNotDate(const QLineEdit* box)
{
    return !box->text().isEmpty() && !common::isDate(box->text());
}

// Both dates given and the stop sorts before the start, compared as YYYY/MM/DD texts.
bool stopBeforeStart(const QLineEdit* start, const QLineEdit* stop)
{
    if (start->text().isEmpty() || stop->text().isEmpty())
        return false;
    const auto from = common::parseDate(start->text());
    const auto to = common::parseDate(stop->text());
    if (!from || !to)
        return false;
    return common::formatDate(*to, common::DateForm::Sortable) < common::formatDate(*from, common::DateForm::Sortable);
}

// The largest amounts accepted: every total of a project, however large, stays exact.
constexpr double MaxCarMoney = 999999999; // whole dollars
constexpr double MaxUnitCost = 9999999.99;
constexpr double MaxQuantity = 999999;
constexpr double MaxEffort = 999999; // hours

bool tooLarge(const QLineEdit* box, double limit)
{
    const auto value = common::numberValue(box->text());
    return value && std::abs(*value) > limit;
}

QString tooLargeText(const char* what, const char* limit)
{
    return QStringLiteral("The %1 Is Too Large (At Most %2)").arg(QLatin1String(what), QLatin1String(limit));
}

const QString NoDescription = QStringLiteral("You Have To Enter A Description!");
const QString BadStatus = QStringLiteral("You Have Selected An Invalid 'Status' Code!");
const QString StopWithoutStart = QStringLiteral("If You Have A Stop Date You Must Have A Start Date");

} // namespace

std::optional<qint32> Form1::relationKey(QComboBox* list) const
{
    const QString text = gui::listText(list);
    if (text.isEmpty())
        return std::nullopt;
    const int current = list->currentIndex();
    if (current >= 0 && list->itemText(current) == text)
        return list->itemData(current).toInt();
    // Typed rather than picked: the first of the car's entries with that name, case ignored.
    const int typed = list->findText(text, Qt::MatchFixedString);
    if (typed >= 0)
        return list->itemData(typed).toInt();
    return std::nullopt;
}

bool Form1::validateCar()
{
    if (CarDisplayDescription->text().isEmpty())
        return refuse(this, CarDisplayDescription, NoDescription, Focus::Only);
    cutDescription(CarDisplayDescription);
    if (filledButNotNumeric(CarPurchasePrice))
        return refuse(this, CarPurchasePrice, QStringLiteral("The Purchase Price Is Not A Number"));
    if (filledButNotNumeric(CarResaleValue))
        return refuse(this, CarResaleValue, QStringLiteral("The Car Resale Is Not A Number"));
    if (filledButNotNumeric(CarTotalBudget))
        return refuse(this, CarTotalBudget, QStringLiteral("The Car Total Budget Is Not A Number"));
    for (QLineEdit* box : { CarPurchasePrice, CarResaleValue, CarTotalBudget }) {
        if (tooLarge(box, MaxCarMoney))
            return refuse(this, box, tooLargeText("Amount", "$999,999,999"));
    }
    return true;
}

// Assemblies and phases: a name and a status.
static bool validateNameAndStatus(QWidget* parent, QLineEdit* name, QComboBox* status)
{
    if (name->text().isEmpty())
        return refuse(parent, name, NoDescription, Focus::Only);
    cutDescription(name);
    if (status->currentIndex() < 0)
        return refuse(parent, status, BadStatus);
    return true;
}

bool Form1::validateAssembly()
{
    return validateNameAndStatus(this, AssemblyDisplayDescription, AssemblyStatus);
}

bool Form1::validatePhase()
{
    return validateNameAndStatus(this, PhaseDisplayDescription, phaseStatus);
}

bool Form1::validateComponent()
{
    if (ComponentDisplayDescription->text().isEmpty())
        return refuse(this, ComponentDisplayDescription, NoDescription, Focus::Only);
    cutDescription(ComponentDisplayDescription);
    if (ComponentStatus->currentIndex() < 0)
        return refuse(this, ComponentStatus, BadStatus);
    zeroWhenEmpty(ComponentQuantity);
    // A count that does not fit the stored whole number is no more a quantity than "12a".
    const auto quantity = common::numberValue(ComponentQuantity->text());
    if (!quantity)
        return refuse(this, ComponentQuantity, QStringLiteral("The Quantity Is Not A Number"));
    if (std::abs(*quantity) > MaxQuantity)
        return refuse(this, ComponentQuantity, tooLargeText("Quantity", "999,999"));
    // Owner and activity are looked up among this car's entries only.
    if (!relationKey(ComponentAssembly))
        return refuse(this, ComponentAssembly, QStringLiteral("Please Select A Valid 'Assembly'"));
    if (!gui::listText(ComponentActivity).isEmpty() && !relationKey(ComponentActivity))
        return refuse(this, ComponentActivity, QStringLiteral("Please Select A Valid 'Activity'"));
    zeroWhenEmpty(ComponentTargetCost);
    if (!common::isNumeric(ComponentTargetCost->text()))
        return refuse(this, ComponentTargetCost, QStringLiteral("The Target Cost Is Not A Number"));
    if (tooLarge(ComponentTargetCost, MaxUnitCost))
        return refuse(this, ComponentTargetCost, tooLargeText("Target Cost", "9,999,999.99"));
    zeroWhenEmpty(ComponentActualCost);
    if (!common::isNumeric(ComponentActualCost->text()))
        return refuse(this, ComponentActualCost, QStringLiteral("The Actual Cost Is Not A Number"));
    if (tooLarge(ComponentActualCost, MaxUnitCost))
        return refuse(this, ComponentActualCost, tooLargeText("Actual Cost", "9,999,999.99"));
    const double target = common::numberValue(ComponentTargetCost->text()).value_or(0);
    const double actual = common::numberValue(ComponentActualCost->text()).value_or(0);
    if ((target > 0 || actual > 0) && std::llround(*quantity) == 0)
        return refuse(this, ComponentQuantity, QStringLiteral("The Quantity Cannot = 0,  if Cost > 0"));
    return true;
}

bool Form1::ValidateActivity()
{
    if (ActivityDisplayDescription->text().isEmpty())
        return refuse(this, ActivityDisplayDescription, NoDescription);
    cutDescription(ActivityDisplayDescription);
    if (ActivityStatus->currentIndex() < 0)
        return refuse(this, ActivityStatus, BadStatus);
    if (!relationKey(ActivityPhase))
        return refuse(this, ActivityPhase, QStringLiteral("Please Select A Valid 'Phase'"));
    zeroWhenEmpty(ActivityTargetEffort);
    zeroWhenEmpty(ActivityActualEffort);
    if (!common::isNumeric(ActivityTargetEffort->text()))
        return refuse(this, ActivityTargetEffort, QStringLiteral("The Target Effort Is Not A Number"));
    if (!common::isNumeric(ActivityActualEffort->text()))
        return refuse(this, ActivityActualEffort, QStringLiteral("The Actual Effort Is Not A Number"));
    for (QLineEdit* box : { ActivityTargetEffort, ActivityActualEffort }) {
        if (tooLarge(box, MaxEffort))
            return refuse(this, box, tooLargeText("Effort", "999,999 Hours"));
    }
    if (filledButNotDate(ActivityTargetStartDate))
        return refuse(this, ActivityTargetStartDate,
                      QStringLiteral("The Target Start Date Is Not A Valid Date '99/99/9999'"));
    if (filledButNotDate(ActivityTargetStopDate))
        return refuse(this, ActivityTargetStopDate,
                      QStringLiteral("The Target Stop Date Is Not A Valid Date '99/99/9999'"));
    if (!ActivityTargetStopDate->text().isEmpty() && ActivityTargetStartDate->text().isEmpty())
        return refuse(this, ActivityTargetStartDate, StopWithoutStart);
    if (stopBeforeStart(ActivityTargetStartDate, ActivityTargetStopDate))
        return refuse(this, ActivityTargetStopDate,
                      QStringLiteral("The Target Stop Date Is Before The Target Start Date"));
    if (filledButNotDate(ActivityActualStartDate))
        return refuse(this, ActivityActualStartDate,
                      QStringLiteral("The Actual Start Date Is Not A Valid Date '99/99/9999'"));
    if (filledButNotDate(ActivityActualStopDate))
        return refuse(this, ActivityActualStopDate,
                      QStringLiteral("The Actual Stop Date Is Not A Valid Date '99/99/9999'"));
    if (!ActivityActualStopDate->text().isEmpty() && ActivityActualStartDate->text().isEmpty())
        return refuse(this, ActivityActualStartDate, StopWithoutStart);
    if (stopBeforeStart(ActivityActualStartDate, ActivityActualStopDate))
        return refuse(this, ActivityActualStopDate,
                      QStringLiteral("The Actual Stop Date Is Before The Actual Start Date"));
    return true;
}

bool Form1::validateSupplier()
{
    if (SupplierDisplayName->text().isEmpty())
        return refuse(this, SupplierDisplayName, QStringLiteral("You Have To Enter A Name!"), Focus::Only);
    cutDescription(SupplierDisplayName);
    return true;
}

bool Form1::validateCurrentTab()
{
    switch (currentTab) {
    case 1:
        return validateCar();
    case 2:
        return validateAssembly();
    case 3:
        return validateComponent();
    case 4:
        return validatePhase();
    case 5:
        return ValidateActivity();
    case 6:
        return validateSupplier();
    default:
        return false;
    }
}

} // namespace editor
