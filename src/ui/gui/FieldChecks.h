#pragma once

#include "project/RecordRules.h"

#include <QString>

class QComboBox;
class QLineEdit;
class QWidget;

namespace editor {

enum class Focus { Only, SelectText };

// Shows why in an information box titled "GearLog", moves the focus to the control and, unless told
// otherwise, selects its text so that typing replaces it. Always answers false.
bool refuse(QWidget* parent, QWidget* control, const QString& message, Focus focus = Focus::SelectText);
// The same for a refusal of the rules: its field is the control of that objectName under `scope`.
bool refuse(QWidget* parent, const project::Refusal& refusal, const QWidget* scope);

// Puts a tidied text back into its box; a box that already shows it is left alone, cursor and all.
void showText(QLineEdit* box, const QString& text);

// A relation list as the rules read it: its text, the picked entry while the text is still that
// entry's, and its entries.
project::RelationField relationField(const QComboBox* list);

// The boxes of an activity's planned and actual times.
struct ActivityTimes
{
    QLineEdit* targetStart;
    QLineEdit* targetStop;
    QLineEdit* targetEffort;
    QLineEdit* actualStart;
    QLineEdit* actualStop;
    QLineEdit* actualEffort;

    project::TimeFields texts() const;
    void show(const project::TimeFields& tidied) const;
};

// The effort and date rules of an activity: the tidied efforts go back into their boxes, then the
// first fault is refused. The date window of the time line checks its boxes with this.
bool checkActivityTimes(QWidget* parent, const ActivityTimes& boxes);

} // namespace editor
