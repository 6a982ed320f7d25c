#include "project/History.h"

#include "store/Activity.h"
#include "store/Assembly.h"
#include "store/Car.h"
#include "store/Component.h"
#include "store/Phase.h"
#include "store/Supplier.h"

namespace project {

store::RowImages rowImages(const store::Database& database, Kind kind)
{
    switch (kind) {
    case Kind::Car:
        return store::RowImages::of<store::Car>(database);
    case Kind::Assembly:
        return store::RowImages::of<store::Assembly>(database);
    case Kind::Component:
        return store::RowImages::of<store::Component>(database);
    case Kind::Phase:
        return store::RowImages::of<store::Phase>(database);
    case Kind::Activity:
        return store::RowImages::of<store::Activity>(database);
    case Kind::Supplier:
        break;
    }
    return store::RowImages::of<store::Supplier>(database);
}

QString changeText(const QString& verb, Kind kind, const QString& name)
{
    static const char* const kinds[] = { "Project", "Assembly", "Component", "Phase", "Activity", "Supplier" };
    // A menu item, not a page: long names are cut short.
    constexpr qsizetype longest = 40;
    QString shown = name.simplified();
    if (shown.size() > longest)
        shown = shown.left(longest - 1) + QChar(0x2026);
    return QStringLiteral("%1 %2 '%3'").arg(verb, QLatin1String(kinds[int(kind)]), shown);
}

qint64 Change::bytes() const
{
    qint64 total = qint64(sizeof(Change)) + text.size() * qint64(sizeof(QChar));
    for (const RowChange& row : rows) {
        total += qint64(sizeof(RowChange));
        if (row.before)
            total += store::RowImages::bytes(*row.before);
        if (row.after)
            total += store::RowImages::bytes(*row.after);
    }
    return total;
}

History::History(int maxChanges, qint64 maxBytes)
    : m_maxChanges(maxChanges)
    , m_maxBytes(maxBytes)
{
}

void History::add(Change change)
{
    forgetRedoable();
    const qint64 bytes = change.bytes();
    m_changes.push_back({ std::move(change), bytes });
    m_bytes += bytes;
    m_next = m_changes.size();
    // A change larger than the whole allowance goes too: nothing is held rather than too much.
    while (!m_changes.empty() && (m_changes.size() > std::size_t(m_maxChanges) || m_bytes > m_maxBytes))
        dropOldest();
}

void History::dropOldest()
{
    m_bytes -= m_changes.front().bytes;
    m_changes.pop_front();
    if (m_next > 0)
        --m_next;
}

void History::forgetUndoable()
{
    while (m_next > 0)
        dropOldest();
}

void History::forgetRedoable()
{
    while (m_changes.size() > m_next) {
        m_bytes -= m_changes.back().bytes;
        m_changes.pop_back();
    }
}

void History::clear()
{
    m_changes.clear();
    m_next = 0;
    m_bytes = 0;
}

} // namespace project
