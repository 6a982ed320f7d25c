#pragma once

#include <QString>

class QComboBox;

namespace gui {

// What a drop-down list shows as its text: the edit text of an editable list, the current entry
// of a plain one, or its placeholder ("<No Entries>", "<Select A Project Car>") when none is chosen.
QString listText(const QComboBox* list);

// Sets that text: on an editable list the edit text; on a plain one the matching entry, or the
// placeholder with no entry chosen when no entry has that text.
void setListText(QComboBox* list, const QString& text);

} // namespace gui
