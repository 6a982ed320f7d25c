#include "mainwindow/RecordEditor.h"
#include "store/RecordTraits.h"

#include "mainwindow/EditorSupport.h"

#include "gui/ListText.h"

#include <QComboBox>
#include <QLineEdit>

namespace editor {

void RecordEditor::fill(const QList<store::Entry>& entries)
{
    fillPickList(pickList(), entries, texts().placeholder, entries == m_entries);
    m_entries = entries;
    for (const Relation& r : std::as_const(relations)) {
        if (!r.namesOnly) {
            fillRelationList(r.list, entries, r.keepText);
            continue;
        }
        QList<store::Entry> names;
        names.reserve(entries.size());
        for (const store::Entry& e : entries)
            names.append(store::Entry { 0, e.text });
        fillRelationList(r.list, names, r.keepText);
    }
    shown.count = qint32(entries.size());
}

QString RecordEditor::nameShown() const
{
    return nameBox()->text();
}

std::function<void()> keepRelation(QComboBox* list, const QString& shownText, bool loaded, const RecordEditor* owner)
{
    // The relation of the record that was showing, or else the record picked on the owner's tab.
    if (loaded) {
        const int index = list->currentIndex();
        return [list, index, shownText] {
            list->setCurrentIndex(index);
            gui::setListText(list, shownText);
        };
    }
    if (owner && owner->shown.loaded) {
        const store::Key key = owner->shown.key;
        return [list, key, owner] {
            list->setCurrentIndex(list->findData(key));
            gui::setListText(list, owner->nameShown());
        };
    }
    return {};
}

void RecordEditor::openForAdd()
{
    enablePictures(false);
    if (QComboBox* status = statusList())
        status->setCurrentIndex(0);
    nameBox()->setFocus();
}

void RecordEditor::openForUpdate()
{
    enablePictures(false);
    nameBox()->setFocus();
}

} // namespace editor
