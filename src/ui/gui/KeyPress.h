#pragma once

#include <QKeySequence>

#include <initializer_list>

class QAbstractButton;
class QWidget;

namespace gui {

// A key that presses a button of the window, through the same path as a click, so that checks and
// messages are the same. With several buttons the first one enabled and showing is pressed; a key
// whose buttons are all disabled or hidden does nothing. Captions stay as they are.
void pressOnKey(QWidget* window, const QKeySequence& keys, std::initializer_list<QAbstractButton*> buttons);

} // namespace gui
