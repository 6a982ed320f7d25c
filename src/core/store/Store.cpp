#include "store/Store.h"

#include "common/Names.h"

#include <algorithm>

#include "store/Transaction.h"

#include <QHash>

namespace store {

namespace {

qint32 nextAfterMax(QSqlQuery q)
{
    return q.next() && !q.value(0).isNull() ? q.value(0).toInt() + 1 : 1;
}

} // namespace

void Store::hold(const char* table, const char* keyColumn, Key key, bool deleting, bool required) const
{
    // SQLite holds the whole file while writing: there is nothing to hold, only a row to find.
    if (db.dialect().holdRows(deleting).isEmpty() && (deleting || !required))
        return;
    QSqlQuery q
        = db.run(QStringLiteral("SELECT %1 FROM %2 WHERE %1 = ?").arg(QLatin1String(keyColumn), QLatin1String(table))
                + db.dialect().holdRows(deleting),
            { key });
    if (deleting || !required || q.next())
        return;
    static const QHash<QString, QString> names { { QStringLiteral("Car"), QStringLiteral("project") },
        { QStringLiteral("Assembly"), QStringLiteral("assembly") },
        { QStringLiteral("Phase"), QStringLiteral("phase") },
        { QStringLiteral("Activity"), QStringLiteral("activity") } };
    throw StoreError(code::Gone,
        QStringLiteral("The %1 this record belongs to was deleted by someone else; nothing was saved.")
            .arg(names.value(QLatin1String(table))),
        QLatin1String(table));
}

template <class Rec> void Store::holdParents(const Rec& row, bool required) const
{
    if constexpr (!std::is_same_v<Rec, Car> && !std::is_same_v<Rec, Supplier>) {
        if (row.carid != 0)
            hold("Car", "carid", row.carid, false, required);
    }
    if constexpr (std::is_same_v<Rec, Component>) {
        if (row.assemblyid != 0)
            hold("Assembly", "assemblyid", row.assemblyid, false, required);
        if (row.isAttached())
            hold("Activity", "ActivityID", *row.ActivityID, false, required);
    }
    if constexpr (std::is_same_v<Rec, Activity>) {
        if (row.PhaseID != 0)
            hold("Phase", "PhaseID", row.PhaseID, false, required);
    }
}
template void Store::holdParents(const Car&, bool) const;
template void Store::holdParents(const Assembly&, bool) const;
template void Store::holdParents(const Component&, bool) const;
template void Store::holdParents(const Phase&, bool) const;
template void Store::holdParents(const Activity&, bool) const;
template void Store::holdParents(const Supplier&, bool) const;

void Store::deleteCar(Key carid) const
{
    Transaction t(db);
    hold("Car", "carid", carid, true);
    for (const char* table : { "Assembly", "Component", "Phase", "Activity", "Car" })
        db.run(QStringLiteral("DELETE FROM %1 WHERE carid = ?").arg(QLatin1String(table)), { carid });
    t.commit();
}

void Store::deleteAssembly(Key assemblyid) const
{
    Transaction t(db);
    hold("Assembly", "assemblyid", assemblyid, true);
    db.run(QStringLiteral("DELETE FROM Component WHERE assemblyid = ?"), { assemblyid });
    db.run(QStringLiteral("DELETE FROM Assembly WHERE assemblyid = ?"), { assemblyid });
    t.commit();
}

void Store::deletePhase(Key phaseid) const
{
    Transaction t(db);
    hold("Phase", "PhaseID", phaseid, true);
    // No component may keep pointing at an activity that is gone.
    db.run(QStringLiteral("UPDATE Component SET ActivityID = NULL WHERE ActivityID IN "
                          "(SELECT ActivityID FROM Activity WHERE PhaseID = ?)"),
        { phaseid });
    db.run(QStringLiteral("DELETE FROM Activity WHERE PhaseID = ?"), { phaseid });
    db.run(QStringLiteral("DELETE FROM Phase WHERE PhaseID = ?"), { phaseid });
    t.commit();
}

void Store::deleteActivity(Key activityid) const
{
    Transaction t(db);
    hold("Activity", "ActivityID", activityid, true);
    db.run(QStringLiteral("UPDATE Component SET ActivityID = NULL WHERE ActivityID = ?"), { activityid });
    db.run(QStringLiteral("DELETE FROM Activity WHERE ActivityID = ?"), { activityid });
    t.commit();
}

qint32 Store::nextPhaseSequence(Key carid) const
{
    return nextAfterMax(db.run(QStringLiteral("SELECT MAX(prioritysequence) FROM Phase WHERE carid = ?"), { carid }));
}

qint32 Store::nextActivitySequence(Key carid, Key phaseid) const
{
    return nextAfterMax(
        db.run(QStringLiteral("SELECT MAX(prioritysequence) FROM Activity WHERE carid = ? AND PhaseID = ?"),
            { carid, phaseid }));
}

void Store::swapPhaseSequences(Key first, qint32 firstSequence, Key second, qint32 secondSequence) const
{
    swapSequences("Phase", "PhaseID", first, firstSequence, second, secondSequence);
}

void Store::swapActivitySequences(Key first, qint32 firstSequence, Key second, qint32 secondSequence) const
{
    swapSequences("Activity", "ActivityID", first, firstSequence, second, secondSequence);
}

void Store::swapSequences(
    const char* table, const char* keyColumn, Key first, qint32 firstSequence, Key second, qint32 secondSequence) const
{
    // Each row must still hold what the other gets: a move made from a plan someone else has
    // reordered meanwhile is refused rather than leaving two rows one sequence.
    Transaction t(db);
    const QString sql = QStringLiteral("UPDATE %1 SET prioritysequence = ? WHERE %2 = ? AND prioritysequence = ?")
                            .arg(QLatin1String(table), QLatin1String(keyColumn));
    if (db.run(sql, { firstSequence, first, secondSequence }).numRowsAffected() != 1
        || db.run(sql, { secondSequence, second, firstSequence }).numRowsAffected() != 1)
        throw StoreError(code::Busy,
            QStringLiteral("The plan was reordered by someone else since it was shown; nothing was moved."),
            QLatin1String(table));
    t.commit();
}

bool Store::changeActivityTimes(const Activity& a) const
{
    RowWriter w;
    w.date(a.targetstartdate).date(a.targetstopdate).number(a.targeteffort);
    w.date(a.actualstartdate).date(a.actualstopdate).number(a.actualeffort);
    QSqlQuery q
        = db.prepare(QStringLiteral("UPDATE Activity SET targetstartdate = ?, targetstopdate = ?, targeteffort = ?, "
                                    "actualstartdate = ?, actualstopdate = ?, actualeffort = ? "
                                    "WHERE ActivityID = ?"));
    QList<QVariant> values = w.values();
    values << a.ActivityID;
    for (qsizetype i = 0; i < values.size(); ++i)
        q.bindValue(int(i), values.at(i));
    Database::run(q);
    return q.numRowsAffected() > 0;
}

QList<Entry> Store::componentsOfActivity(Key activityid) const
{
    QSqlQuery q = db.run(
        QStringLiteral(
            "SELECT componentid, Description FROM Component WHERE ActivityID = ? ORDER BY Description, componentid"),
        { activityid });
    QList<Entry> result;
    while (q.next())
        result.append(Entry { q.value(0).toLongLong(), q.value(1).toString() });
    // In the order of every list by name, which NOCASE gives for ASCII letters only.
    std::sort(result.begin(), result.end(),
        [](const Entry& a, const Entry& b) { return common::nameLess(a.text, a.key, b.text, b.key); });
    return result;
}

} // namespace store
