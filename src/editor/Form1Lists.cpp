// Filling the pick lists: projects, suppliers and the status lists.

#include "editor/Form1.h"

#include "common/Status.h"
#include "gui/ListText.h"
#include "store/Store.h"

#include <QComboBox>

namespace editor {

namespace {

const QString NoEntries = QStringLiteral("<No Entries>");

// Fills a list with key-carrying entries and no entry chosen; an empty list is locked.
void fillPickList(QComboBox* list, const QList<store::Entry>& entries, const QString& placeholder)
{
    const QSignalBlocker block(list);
    list->clear();
    for (const store::Entry& e : entries)
        list->addItem(e.text, e.key);
    list->setPlaceholderText(entries.isEmpty() ? NoEntries : placeholder);
    list->setCurrentIndex(-1);
    list->setEnabled(!entries.isEmpty());
}

} // namespace

void Form1::loadCarDescription()
{
    const QList<store::Entry> cars = m_store->cars.allEntries(store::Order::Description);
    fillPickList(carDescription, cars, QStringLiteral("<Select A Project Car>"));
    carCount = qint32(cars.size());
}

void Form1::loadsuppliercombo()
{
    const QList<store::Entry> suppliers = m_store->suppliers.allEntries(store::Order::Key);
    // Supplier entries carry no key: components name their supplier by name.
    QList<store::Entry> names;
    names.reserve(suppliers.size());
    for (const store::Entry& e : suppliers)
        names.append(store::Entry { 0, e.text });
    fillPickList(SupplierName, names, QStringLiteral("<Select A Supplier>"));
    {
        const QSignalBlocker block(ComponentSupplierName);
        ComponentSupplierName->clear();
        for (const store::Entry& e : suppliers)
            ComponentSupplierName->addItem(e.text);
        gui::setListText(ComponentSupplierName, QString());
    }
    supplierCount = qint32(suppliers.size());
}

void Form1::loadStatusCombos()
{
    // Cleared first: a restart of the window after date changes fills them again.
    for (QComboBox* list : { phaseStatus, ActivityStatus, AssemblyStatus, ComponentStatus }) {
        const QSignalBlocker block(list);
        list->clear();
        list->addItems(common::statusTexts());
        list->setCurrentIndex(-1);
    }
}

} // namespace editor
