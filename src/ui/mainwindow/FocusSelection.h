#pragma once

class QWidget;

namespace editor {

// Entering one of the window's text fields selects its first characters, so that typing replaces
// them: notes 150, picture paths 100, the other texts 50. Every such field must be built already.
void prepareFocusSelection(QWidget* window);

} // namespace editor
