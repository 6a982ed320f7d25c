#pragma once

#include <QString>

class QLineEdit;
class QWidget;

namespace editor {

enum class Focus { Only, SelectText };

// Shows why in an information box titled "GearLog", moves the focus to the control and, unless told
// otherwise, selects its text so that typing replaces it. Always answers false.
bool refuse(QWidget* parent, QWidget* control, const QString& message, Focus focus = Focus::SelectText);

void zeroWhenEmpty(QLineEdit* box);

// The boxes of an activity's planned and actual times.
struct ActivityTimes
{
    QLineEdit* targetStart;
    QLineEdit* targetStop;
    QLineEdit* targetEffort;
    QLineEdit* actualStart;
    QLineEdit* actualStop;
    QLineEdit* actualEffort;
};

// The effort and date rules of an activity, in their order: empty efforts become "0", then the
// first fault is refused. Shared by the main window and the date window of the time line.
bool checkActivityTimes(QWidget* parent, const ActivityTimes& boxes);

} // namespace editor
