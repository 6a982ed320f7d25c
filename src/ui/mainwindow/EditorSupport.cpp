#include "mainwindow/EditorSupport.h"
#include "store/RecordTraits.h"

#include "common/Formats.h"
#include "common/Status.h"
#include "common/Totals.h"
#include "gui/ListText.h"
#include "gui/NotesEdit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QStandardItemModel>

namespace editor {

namespace {

// Adds the entries at the end of the list, each as addItem would make it, in one insertion: one
// at a time, the list and its views take in every entry on its own.
void appendEntries(QComboBox* list, const QList<store::Entry>& entries)
{
    auto* model = qobject_cast<QStandardItemModel*>(list->model());
    if (!model || list->rootModelIndex().isValid() || list->modelColumn() != 0
        || list->count() + entries.size() > list->maxCount()) {
        for (const store::Entry& e : entries)
            list->addItem(e.text, e.key);
        return;
    }
    QList<QStandardItem*> items;
    items.reserve(entries.size());
    for (const store::Entry& e : entries) {
        auto* item = new QStandardItem(e.text);
        item->setData(e.key, Qt::UserRole);
        items.append(item);
    }
    model->invisibleRootItem()->appendRows(items);
}

} // namespace

void fillPickList(QComboBox* list, const QList<store::Entry>& entries, const QString& placeholder, bool unchanged)
{
    const QSignalBlocker block(list);
    if (!unchanged || list->count() != entries.size()) {
        list->clear();
        appendEntries(list, entries);
    }
    list->setPlaceholderText(entries.isEmpty() ? QStringLiteral("<No Entries>") : placeholder);
    list->setCurrentIndex(-1);
    list->setEnabled(!entries.isEmpty());
}

void fillRelationList(QComboBox* list, const QList<store::Entry>& entries, bool keepText)
{
    const QSignalBlocker block(list);
    const QString text = gui::listText(list);
    list->clear();
    appendEntries(list, entries);
    gui::setListText(list, keepText ? text : QString());
}

QString moneyText(const std::optional<common::Money>& value, const QString& pattern)
{
    return value ? common::formatNumber(*value, pattern) : QStringLiteral("0");
}

void showStatus(QComboBox* list, QLineEdit* box, std::optional<qint32> code, bool noneInBox)
{
    const QSignalBlocker block(list);
    const QString text = code ? common::statusText(*code) : QString();
    if (text.isEmpty()) {
        list->setPlaceholderText(common::NoStatusText);
        list->setCurrentIndex(-1);
        box->setText(noneInBox ? common::NoStatusText : QString());
        return;
    }
    list->setCurrentIndex(*code);
    box->setText(text);
}

void showDescription(QComboBox* list, QLineEdit* box, const QString& description, store::Key key)
{
    box->setText(description);
    const QSignalBlocker block(list);
    const int index = list->findData(key);
    if (index >= 0)
        list->setCurrentIndex(index);
    else
        gui::setListText(list, description);
}

void showCosts(const rollup::Costs& c, QLineEdit* target, QLineEdit* actual)
{
    target->setText(c.overflow ? common::TooLargeText : common::formatNumber(c.target, common::fmt::Cost));
    actual->setText(c.overflow ? common::TooLargeText : common::formatNumber(c.actual, common::fmt::Cost));
}

void showPlan(const rollup::Plan& p, std::initializer_list<QLineEdit*> boxes)
{
    const QString texts[6] = {
        common::formatHours(p.targetEffort),
        common::formatHours(p.actualEffort),
        common::formatDate(p.targetStart),
        common::formatDate(p.actualStart),
        common::formatDate(p.targetStop),
        common::formatDate(p.actualStop),
    };
    int i = 0;
    for (QLineEdit* box : boxes)
        box->setText(texts[i++]);
}

void showStarts(const rollup::Starts& starts, QLineEdit* target, QLineEdit* actual)
{
    target->setText(common::formatDate(starts.target));
    actual->setText(common::formatDate(starts.actual));
}

void swapForEditing(bool browsing, std::initializer_list<QWidget*> browse, std::initializer_list<QWidget*> edit)
{
    // Every widget shown would have its page laid out at once: the page is laid out once, after
    // the swap, before anything is painted.
    QList<QLayout*> held;
    for (const auto& widgets : { browse, edit }) {
        for (QWidget* w : widgets) {
            QLayout* layout = w->parentWidget() ? w->parentWidget()->layout() : nullptr;
            if (layout && layout->isEnabled() && !held.contains(layout)) {
                layout->setEnabled(false);
                held.append(layout);
            }
        }
    }
    for (QWidget* w : browse) {
        w->setVisible(browsing);
        w->setEnabled(browsing);
    }
    for (QWidget* w : edit) {
        w->setVisible(!browsing);
        w->setEnabled(!browsing);
    }
    // As Qt does on its own: a page not showing is laid out when it is shown.
    for (QLayout* layout : std::as_const(held)) {
        layout->setEnabled(true);
        if (layout->parentWidget()->isVisible())
            layout->activate();
    }
}

void clearPage(QWidget* page)
{
    static const QStringList zeroed = {
        QStringLiteral("CarPurchasePrice"),
        QStringLiteral("CarResaleValue"),
        QStringLiteral("CarTotalBudget"),
        QStringLiteral("CarTargetCost"),
        QStringLiteral("CarActualCost"),
        QStringLiteral("CarTargetEffort"),
        QStringLiteral("CarActualEffort"),
        QStringLiteral("AssemblyTargetCost"),
        QStringLiteral("AssemblyActualCost"),
        QStringLiteral("ComponentTargetCost"),
        QStringLiteral("ComponentActualCost"),
        QStringLiteral("PhaseTargetCost"),
        QStringLiteral("PhaseTargetEffort"),
        QStringLiteral("PhaseActualCost"),
        QStringLiteral("PhaseActualEffort"),
        QStringLiteral("ActivityTargetCost"),
        QStringLiteral("ActivityTargetEffort"),
        QStringLiteral("ActivityActualCost"),
        QStringLiteral("ActivityActualEffort"),
    };
    for (QLineEdit* box : page->findChildren<QLineEdit*>()) {
        if (qobject_cast<QComboBox*>(box->parentWidget()))
            continue; // the edit line of a drop-down list: cleared with its list below
        box->setText(zeroed.contains(box->objectName()) ? QStringLiteral("0") : QString());
    }
    for (QComboBox* list : page->findChildren<QComboBox*>()) {
        const QSignalBlocker block(list);
        gui::setListText(list, QString());
    }
    for (gui::NotesEdit* notes : page->findChildren<gui::NotesEdit*>())
        notes->clear();
    for (QCheckBox* box : page->findChildren<QCheckBox*>())
        box->setChecked(false);
    for (QListWidget* list : page->findChildren<QListWidget*>())
        list->clear();
}

} // namespace editor
