#include "store/Store.h"

#include "common/Names.h"

#include <algorithm>

#include "store/Transaction.h"

namespace store {

namespace {

qint32 nextAfterMax(QSqlQuery q)
{
    return q.next() && !q.value(0).isNull() ? q.value(0).toInt() + 1 : 1;
}

} // namespace

void Store::deleteCar(Key carid) const
{
    Transaction t(db);
    for (const char* table : { "Assembly", "Component", "Phase", "Activity", "Car" })
        db.run(QStringLiteral("DELETE FROM %1 WHERE carid = ?").arg(QLatin1String(table)), { carid });
    t.commit();
}

void Store::deleteAssembly(Key assemblyid) const
{
    Transaction t(db);
    db.run(QStringLiteral("DELETE FROM Component WHERE assemblyid = ?"), { assemblyid });
    db.run(QStringLiteral("DELETE FROM Assembly WHERE assemblyid = ?"), { assemblyid });
    t.commit();
}

void Store::deletePhase(Key phaseid) const
{
    Transaction t(db);
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
    Transaction t(db);
    db.run(QStringLiteral("UPDATE Phase SET prioritysequence = ? WHERE PhaseID = ?"), { firstSequence, first });
    db.run(QStringLiteral("UPDATE Phase SET prioritysequence = ? WHERE PhaseID = ?"), { secondSequence, second });
    t.commit();
}

void Store::swapActivitySequences(Key first, qint32 firstSequence, Key second, qint32 secondSequence) const
{
    Transaction t(db);
    db.run(QStringLiteral("UPDATE Activity SET prioritysequence = ? WHERE ActivityID = ?"), { firstSequence, first });
    db.run(QStringLiteral("UPDATE Activity SET prioritysequence = ? WHERE ActivityID = ?"), { secondSequence, second });
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
