#pragma once

class QLineEdit;

namespace gui {

// Gives a date box a small calendar button at its right end. The calendar opens on the box's date
// (today when the box holds none or something that is not a date); a date picked there is written
// into the box as typed dates are shown, and the box keeps the focus. Alt+Down opens it from the
// keyboard, Escape closes it without a change. The button shows only while the box can be edited;
// typing works as before.
void addDatePicker(QLineEdit* box);

} // namespace gui
