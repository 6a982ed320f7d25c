#pragma once

#include "common/Money.h"
#include "project/Rollups.h"
#include "store/Table.h"

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class QComboBox;
class QLineEdit;
class QWidget;

namespace editor {

// What the record tabs share: how lists are filled and values are shown.

// Fills a pick list with key-carrying entries and no entry chosen; an empty list is locked.
// Entries the same as the list holds (unchanged) are not added again.
void fillPickList(
    QComboBox* list, const QList<store::Entry>& entries, const QString& placeholder, bool unchanged = false);
// A relation list holds the same entries, with the same keys, as the pick list it shadows.
void fillRelationList(QComboBox* list, const QList<store::Entry>& entries, bool keepText);
// An amount in its display pattern; a Null amount shows "0".
QString moneyText(const std::optional<common::Money>& value, const QString& pattern);
// A status code into its list and display box; a Null or unknown code shows "< None >".
void showStatus(QComboBox* list, QLineEdit* box, std::optional<qint32> code, bool noneInBox);
// The description into its box, and its entry chosen in the pick list (by key; names repeat).
void showDescription(QComboBox* list, QLineEdit* box, const QString& description, store::Key key);
// Totals: target and actual cost ("(too large)" past what money holds), and efforts and dates in
// the order target effort, actual effort, target start, actual start, target stop, actual stop.
void showCosts(const rollup::Costs& costs, QLineEdit* target, QLineEdit* actual);
void showPlan(const rollup::Plan& plan, std::initializer_list<QLineEdit*> boxes);
void showStarts(const rollup::Starts& starts, QLineEdit* target, QLineEdit* actual);
// Empties a record tab's page: boxes blank (the money and effort boxes "0"), lists with nothing
// chosen, notes, the wish-list box and the attached components cleared.
void clearPage(QWidget* page);
// A new record's relation, put back once its fields are cleared: the one of the record that was
// showing (the list's entry and text as they stood), or else the record shown on the owner's tab.
class RecordEditor;
std::function<void()> keepRelation(QComboBox* list, const QString& shownText, bool loaded, const RecordEditor* owner);
// Browsing shows the pick list and the display boxes, editing the name box and the relation lists.
void swapForEditing(bool browsing, std::initializer_list<QWidget*> browse, std::initializer_list<QWidget*> edit);

} // namespace editor
