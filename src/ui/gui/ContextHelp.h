#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace gui {

// Help > Table Of Contents: the help of the program's folder, from its start.
void showHelpContents(QWidget* parent);

// F1 on the window shows the help of the Help folder at the section `section` names when pressed
// (from the start when it names none). The shortcut belongs to the window.
void installContextHelp(QWidget* window, std::function<QString()> section);

} // namespace gui
