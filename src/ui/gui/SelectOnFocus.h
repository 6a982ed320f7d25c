#pragma once

class QWidget;

namespace gui {

// Entering the field, by mouse or keyboard, selects its first `length` characters (all of a
// shorter text), so that typing replaces them. For line edits and multi-line boxes.
void selectOnFocus(QWidget* field, int length);

} // namespace gui
