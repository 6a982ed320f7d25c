// The session's history: what each change touched, and undoing and redoing it.
#include "project/ProjectSession.h"

#include "store/StoreError.h"
#include "store/Transaction.h"

#include <iterator>
#include <map>
#include <set>

namespace project {

namespace {

using store::Image;
using store::Key;
using Hold = store::RowImages::Hold;
using Row = std::pair<Kind, Key>;

// How rows hang from one another: the child's column holds the parent's key.
struct Link
{
    Kind child;
    const char* column;
    Kind parent;
};
constexpr Link Links[] = {
    { Kind::Assembly, "carid", Kind::Car },
    { Kind::Component, "carid", Kind::Car },
    { Kind::Phase, "carid", Kind::Car },
    { Kind::Activity, "carid", Kind::Car },
    { Kind::Component, "assemblyid", Kind::Assembly },
    { Kind::Activity, "PhaseID", Kind::Phase },
    { Kind::Component, "ActivityID", Kind::Activity },
};

// Written parents first, deleted children first.
constexpr Kind ParentsFirst[]
    = { Kind::Supplier, Kind::Car, Kind::Assembly, Kind::Phase, Kind::Activity, Kind::Component };

Key reference(const Image& image, qsizetype column)
{
    return column < 0 || image.at(column).isNull() ? 0 : image.at(column).toLongLong();
}

store::StoreError stale(bool undoing)
{
    return store::StoreError(store::code::Stale,
        undoing ? QStringLiteral("Someone else changed these records since; nothing was undone. The changes "
                                 "before this one can no longer be undone.")
                : QStringLiteral("Someone else changed these records since; nothing was redone. The changes "
                                 "after this one can no longer be redone."),
        QStringLiteral("GearLog"));
}

bool touchesSample(const RowChange& row, qsizetype carColumn)
{
    for (const auto* image : { &row.before, &row.after }) {
        if (*image && reference(**image, carColumn) == store::Store::SampleCarId)
            return true;
    }
    return row.kind == Kind::Car && row.key == store::Store::SampleCarId;
}

} // namespace

std::optional<Image> ProjectSession::image(Kind kind, Key key, Hold hold) const
{
    const QHash<Key, Image> found = rowImages(m_store.db, kind).find({ key }, hold);
    return found.contains(key) ? std::optional<Image>(found.value(key)) : std::nullopt;
}

QList<RowChange> ProjectSession::rowsOfCar(Key carid) const
{
    QList<RowChange> rows;
    for (Kind kind : { Kind::Car, Kind::Assembly, Kind::Component, Kind::Phase, Kind::Activity }) {
        for (store::KeyedImage& row : rowImages(m_store.db, kind).where("carid", carid))
            rows.append({ kind, row.first, std::nullopt, std::move(row.second) });
    }
    return rows;
}

void ProjectSession::remember(Change change)
{
    m_history.add(std::move(change));
    emit historyChanged();
}

Key ProjectSession::undo()
{
    return replay(true);
}

Key ProjectSession::redo()
{
    return replay(false);
}

Key ProjectSession::replay(bool undoing)
{
    requireWritable();
    if (undoing ? !m_history.canUndo() : !m_history.canRedo())
        return 0;
    const Change& change = undoing ? m_history.toUndo() : m_history.toRedo();
    try {
        apply(change, undoing);
    } catch (const store::StoreError& e) {
        if (e.code() == store::code::Stale) {
            undoing ? m_history.forgetUndoable() : m_history.forgetRedoable();
            emit historyChanged();
        }
        throw;
    }
    // Said as the change itself was: once for each kind of each project it touched.
    std::set<std::pair<Key, Kind>> touched;
    for (const RowChange& row : change.rows) {
        const auto& image = row.after ? row.after : row.before;
        const Key car
            = row.kind == Kind::Car ? row.key : reference(*image, rowImages(m_store.db, row.kind).column("carid"));
        touched.insert({ car, row.kind });
    }
    const Key carid = change.carid;
    // The one record written, if it still stands.
    Key single = 0;
    if (change.rows.size() == 1 && (undoing ? change.rows.front().before : change.rows.front().after))
        single = change.rows.front().key;
    undoing ? m_history.undone() : m_history.redone();
    for (const auto& [car, kind] : touched)
        announce(kind, car, single);
    forgetVanished();
    emit historyChanged();
    return carid;
}

void ProjectSession::apply(const Change& change, bool undoing) const
{
    const auto expected = undoing ? &RowChange::after : &RowChange::before;
    const auto wanted = undoing ? &RowChange::before : &RowChange::after;
    std::map<Kind, store::RowImages> tables;
    for (Kind kind : ParentsFirst)
        tables.emplace(kind, rowImages(m_store.db, kind));
    for (const RowChange& row : change.rows) {
        if (touchesSample(row, tables.at(row.kind).column("carid")))
            throw store::StoreError(store::code::ReadOnly,
                QStringLiteral("The Gear-Log Demo Project Cannot Be Changed"), QStringLiteral("GearLog"));
    }

    store::Transaction t(m_store.db);
    // What the rows hold now, held against others until the end: it must be what the change left.
    std::map<Kind, QList<Key>> keys;
    for (const RowChange& row : change.rows)
        keys[row.kind].append(row.key);
    std::map<Kind, QHash<Key, Image>> now;
    for (const auto& [kind, list] : keys)
        now[kind] = tables.at(kind).find(list, Hold::Update);
    std::set<Row> kept, removed, inChange;
    for (const RowChange& row : change.rows) {
        const QHash<Key, Image>& current = now[row.kind];
        const std::optional<Image>& was = row.*expected;
        if (current.contains(row.key) != was.has_value()
            || (was && !store::RowImages::same(current.value(row.key), *was)))
            throw stale(undoing);
        inChange.insert({ row.kind, row.key });
        ((row.*wanted) ? kept : removed).insert({ row.kind, row.key });
    }

    // No row may be left hanging from one that is gone: a parent named anew must exist or come
    // back with the change, and rows someone else hung from one the change removes refuse it.
    std::map<Kind, QList<Key>> parents, going;
    for (const RowChange& row : change.rows) {
        const std::optional<Image>& becomes = row.*wanted;
        if (!becomes) {
            if (row.*expected)
                going[row.kind].append(row.key);
            continue;
        }
        for (const Link& link : Links) {
            if (link.child != row.kind)
                continue;
            const qsizetype column = tables.at(row.kind).column(link.column);
            const Key parent = reference(*becomes, column);
            const std::optional<Image>& is = row.*expected;
            if (parent == 0 || (is && reference(*is, column) == parent))
                continue; // unchanged: the row hangs where it hung
            if (removed.count({ link.parent, parent }))
                throw stale(undoing);
            if (!kept.count({ link.parent, parent }))
                parents[link.parent].append(parent);
        }
    }
    for (const auto& [kind, list] : parents) {
        const QHash<Key, Image> found = tables.at(kind).find(list, Hold::Share);
        for (const Key parent : list) {
            if (!found.contains(parent))
                throw stale(undoing);
        }
    }
    for (const Link& link : Links) {
        const auto it = going.find(link.parent);
        if (it == going.end())
            continue;
        for (const Key child : tables.at(link.child).keysWhere(link.column, it->second)) {
            if (!inChange.count({ link.child, child }))
                throw stale(undoing);
        }
    }

    for (auto kind = std::rbegin(ParentsFirst); kind != std::rend(ParentsFirst); ++kind) {
        QList<Key> gone;
        for (const RowChange& row : change.rows) {
            if (row.kind == *kind && !(row.*wanted))
                gone.append(row.key);
        }
        tables.at(*kind).remove(gone);
    }
    for (Kind kind : ParentsFirst) {
        QList<store::KeyedImage> added;
        const store::RowImages& rows = tables.at(kind);
        for (const RowChange& row : change.rows) {
            const std::optional<Image>& becomes = row.*wanted;
            if (row.kind != kind || !becomes)
                continue;
            if (row.*expected)
                rows.rewrite(row.key, *becomes);
            else
                added.append({ row.key, *becomes });
        }
        rows.insert(added);
    }
    t.commit();
}

} // namespace project
