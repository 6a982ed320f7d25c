#pragma once

#include "project/Kind.h"
#include "store/RowImages.h"

#include <QList>
#include <QString>
#include <deque>
#include <optional>

namespace project {

// One row a change touched: how it stood before and after (none where it did not exist).
struct RowChange
{
    Kind kind = Kind::Car;
    store::Key key = 0;
    std::optional<store::Image> before;
    std::optional<store::Image> after;
};

// One change a user made, as the rows it touched and what the Edit menu calls it.
struct Change
{
    QString text;
    // The project the change belongs to, shown again when it is taken back; 0 for a supplier.
    store::Key carid = 0;
    QList<RowChange> rows;

    qint64 bytes() const;
};

// The images of a kind's table.
store::RowImages rowImages(const store::Database& database, Kind kind);
// What the Edit menu calls a change of one record: "Delete Project 'Blue Coupe'".
QString changeText(const QString& verb, Kind kind, const QString& name);

// The changes that can be undone and redone, newest last. Kept small: at most a number of changes
// and of bytes of rows, the oldest going first.
class History
{
public:
    static constexpr int MaxChanges = 100;
    static constexpr qint64 MaxBytes = 50LL * 1024 * 1024;

    explicit History(int maxChanges = MaxChanges, qint64 maxBytes = MaxBytes);

    // A change just made: what could be redone is forgotten.
    void add(Change change);
    bool canUndo() const { return m_next > 0; }
    bool canRedo() const { return m_next < m_changes.size(); }
    // The change the next undo takes back, and the one the next redo makes again.
    const Change& toUndo() const { return m_changes.at(m_next - 1).change; }
    const Change& toRedo() const { return m_changes.at(m_next).change; }
    void undone() { --m_next; }
    void redone() { ++m_next; }
    // An undo that could not be made: that change and all before it are forgotten.
    void forgetUndoable();
    // A redo that could not be made: that change and all after it are forgotten.
    void forgetRedoable();
    void clear();

    qsizetype size() const { return qsizetype(m_changes.size()); }
    qint64 bytes() const { return m_bytes; }

private:
    struct Held
    {
        Change change;
        qint64 bytes;
    };
    void dropOldest();

    std::deque<Held> m_changes;
    std::size_t m_next = 0; // the changes before it are done, those from it undone
    qint64 m_bytes = 0;
    int m_maxChanges;
    qint64 m_maxBytes;
};

} // namespace project
