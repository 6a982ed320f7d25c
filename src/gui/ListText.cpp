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
    list->setCurrentIndex(index);
    if (index < 0)
        list->setPlaceholderText(text);
}

} // namespace gui
