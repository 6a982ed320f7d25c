#include "gui/FieldChecks.h"

#include "common/Formats.h"
#include "common/Parse.h"
#include "gui/Dialogs.h"

#include <QComboBox>
#include <QLineEdit>

#include <cmath>

namespace editor {

namespace {

constexpr int SelectionLength = 50;

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

const QString StopWithoutStart = QStringLiteral("If You Have A Stop Date You Must Have A Start Date");

} // namespace

bool refuse(QWidget* parent, QWidget* control, const QString& message, Focus focus)
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

void zeroWhenEmpty(QLineEdit* box)
{
    if (box->text().isEmpty())
        box->setText(QStringLiteral("0"));
}

bool checkActivityTimes(QWidget* parent, const ActivityTimes& b)
{
    zeroWhenEmpty(b.targetEffort);
    zeroWhenEmpty(b.actualEffort);
    if (!common::isNumeric(b.targetEffort->text()))
        return refuse(parent, b.targetEffort, QStringLiteral("The Target Effort Is Not A Number"));
    if (!common::isNumeric(b.actualEffort->text()))
        return refuse(parent, b.actualEffort, QStringLiteral("The Actual Effort Is Not A Number"));
    // No total of hours may overflow, however many activities a project has.
    constexpr double MaxEffort = 999999;
    for (QLineEdit* box : { b.targetEffort, b.actualEffort }) {
        if (std::abs(common::numberValue(box->text()).value_or(0)) > MaxEffort)
            return refuse(parent, box, QStringLiteral("The Effort Is Too Large (At Most 999,999 Hours)"));
    }
    if (filledButNotDate(b.targetStart))
        return refuse(parent, b.targetStart, QStringLiteral("The Target Start Date Is Not A Valid Date '99/99/9999'"));
    if (filledButNotDate(b.targetStop))
        return refuse(parent, b.targetStop, QStringLiteral("The Target Stop Date Is Not A Valid Date '99/99/9999'"));
    if (!b.targetStop->text().isEmpty() && b.targetStart->text().isEmpty())
        return refuse(parent, b.targetStart, StopWithoutStart);
    if (stopBeforeStart(b.targetStart, b.targetStop))
        return refuse(parent, b.targetStop, QStringLiteral("The Target Stop Date Is Before The Target Start Date"));
    if (filledButNotDate(b.actualStart))
        return refuse(parent, b.actualStart, QStringLiteral("The Actual Start Date Is Not A Valid Date '99/99/9999'"));
    if (filledButNotDate(b.actualStop))
        return refuse(parent, b.actualStop, QStringLiteral("The Actual Stop Date Is Not A Valid Date '99/99/9999'"));
    if (!b.actualStop->text().isEmpty() && b.actualStart->text().isEmpty())
        return refuse(parent, b.actualStart, StopWithoutStart);
    if (stopBeforeStart(b.actualStart, b.actualStop))
        return refuse(parent, b.actualStop, QStringLiteral("The Actual Stop Date Is Before The Actual Start Date"));
    return true;
}

} // namespace editor
