#pragma once

class QLineEdit;

namespace gui {

// A box that selects its text from the start when it receives the focus, so that typing replaces
// the entry; also when the focus comes with a mouse click.
void selectTextOnFocus(QLineEdit* box, int length = 50);

} // namespace gui
