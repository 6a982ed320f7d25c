#include "project/PlanOrder.h"
#include "store/RecordTraits.h"

#include "project/ProjectRecords.h"

#include <QHash>

namespace project {

PlanOrder::PlanOrder(const ProjectRecords& records)
{
    QHash<store::Key, QList<const store::Activity*>> byPhase;
    for (const store::Activity& a : records.activities())
        byPhase[a.PhaseID].append(&a);
    for (const store::Phase& p : records.phases()) {
        m_phases.append(Row { p.PhaseID, p.prioritysequence.value_or(0), 0 });
        for (const store::Activity* a : byPhase.value(p.PhaseID))
            m_activities.append(Row { a->ActivityID, a->prioritysequence.value_or(0), a->PhaseID });
    }
}

std::optional<PlanOrder::Move> PlanOrder::move(Kind kind, store::Key id, bool up) const
{
    const bool phase = kind == Kind::Phase;
    const QList<Row>& order = phase ? m_phases : m_activities;
    qsizetype at = -1;
    for (qsizetype i = 0; i < order.size() && at < 0; ++i) {
        if (order.at(i).id == id)
            at = i;
    }
    if (at < 0 || (!phase && kind != Kind::Activity))
        return std::nullopt;
    const qsizetype neighbour = up ? at - 1 : at + 1;
    const bool outside
        = neighbour < 0 || neighbour >= order.size() || (!phase && order.at(neighbour).phase != order.at(at).phase);
    if (outside) {
        if (phase)
            return Move { std::nullopt,
                up ? QStringLiteral("This Is The First PHASE... Can't Be Moved Up")
                   : QStringLiteral("This Is The Last PHASE... Can't Be Moved Down") };
        return Move { std::nullopt,
            up ? QStringLiteral("This Is The First ACTIVITY In The PHASE... Can't Be Moved Up")
               : QStringLiteral("This Is The Last ACTIVITY In The PHASE... Can't Be Moved Down") };
    }
    const Row& a = order.at(at);
    const Row& b = order.at(neighbour);
    return Move { Swap { a.id, b.sequence, b.id, a.sequence }, QString() };
}

} // namespace project
