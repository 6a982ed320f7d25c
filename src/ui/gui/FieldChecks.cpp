#include "gui/FieldChecks.h"

#include "gui/Dialogs.h"
#include "gui/ListText.h"

#include <QComboBox>
#include <QLineEdit>

namespace editor {

namespace {

constexpr int SelectionLength = 50;

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

bool refuse(QWidget* parent, const project::Refusal& refusal, const QWidget* scope)
{
    QWidget* control = scope->findChild<QWidget*>(refusal.field);
    Q_ASSERT(control);
    if (!control)
        control = parent; // the message matters more than where the cursor lands
    return refuse(parent, control, refusal.message, refusal.selectText ? Focus::SelectText : Focus::Only);
}

void showText(QLineEdit* box, const QString& text)
{
    if (box->text() != text)
        box->setText(text);
}

project::RelationField relationField(const QComboBox* list)
{
    project::RelationField field;
    field.text = gui::listText(list);
    if (field.text.isEmpty())
        return field; // no relation
    const int current = list->currentIndex();
    if (current >= 0 && list->itemText(current) == field.text) {
        field.pickedKey = list->itemData(current).toLongLong();
        return field; // the entries are only looked through for a name typed
    }
    field.entries.reserve(list->count());
    for (int i = 0; i < list->count(); ++i)
        field.entries.append({ list->itemData(i).toLongLong(), list->itemText(i) });
    return field;
}

project::TimeFields ActivityTimes::texts() const
{
    return { targetStart->text(), targetStop->text(), targetEffort->text(), actualStart->text(), actualStop->text(),
        actualEffort->text() };
}

void ActivityTimes::show(const project::TimeFields& tidied) const
{
    showText(targetStart, tidied.targetStart);
    showText(targetStop, tidied.targetStop);
    showText(targetEffort, tidied.targetEffort);
    showText(actualStart, tidied.actualStart);
    showText(actualStop, tidied.actualStop);
    showText(actualEffort, tidied.actualEffort);
}

bool checkActivityTimes(QWidget* parent, const ActivityTimes& boxes)
{
    const auto checked = project::checkTimes(boxes.texts());
    boxes.show(checked.fields);
    return checked.refusal ? refuse(parent, *checked.refusal, parent) : true;
}

} // namespace editor
