// Checks of a record before it is saved: the first rule that fails says why and puts the cursor there.

#include "mainwindow/Form1.h"

#include "common/Parse.h"
#include "gui/FieldChecks.h"
#include "gui/ListText.h"

#include <QComboBox>
#include <QLineEdit>

#include <cmath>

namespace editor {

namespace {

constexpr int DescriptionLength = 30;

void cutDescription(QLineEdit* box)
{
    if (box->text().size() > DescriptionLength)
        box->setText(box->text().left(DescriptionLength));
}

bool filledButNotNumeric(const QLineEdit* box)
{
    return !box->text().isEmpty() && !common::isNumeric(box->text());
}

// The largest amounts accepted: every total of a project, however large, stays exact.
constexpr double MaxCarMoney = 999999999; // whole dollars
constexpr double MaxUnitCost = 9999999.99;
constexpr double MaxQuantity = 999999;

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
    return checkActivityTimes(this, { ActivityTargetStartDate, ActivityTargetStopDate, ActivityTargetEffort,
                                      ActivityActualStartDate, ActivityActualStopDate, ActivityActualEffort });
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
