#include "gui/ListText.h"

#include <QComboBox>
#include <QLineEdit>

namespace gui {

QString listText(const QComboBox* list)
{
    if (list->isEditable())
        return list->lineEdit()->text();
    if (list->currentIndex() < 0)
        return list->placeholderText();
    return list->currentText();
}

void setListText(QComboBox* list, const QString& text)
{
    if (list->isEditable()) {
        list->setCurrentIndex(-1);
        list->setEditText(text);
        return;
    }
    const int index = list->findText(text, Qt::MatchExactly);
    // The placeholder goes first: an empty one set while no entry is chosen makes Qt choose the first.
    if (index < 0)
        list->setPlaceholderText(text);
    list->setCurrentIndex(index);
}

} // namespace gui
