#pragma once

#include "store/RecordTraits.h"

#include "project/Kind.h"

#include <QList>
#include <QString>
#include <optional>

namespace project {

class ProjectRecords;

// The plan in tree order: phases by sequence, and activities phase by phase, each by sequence.
// Move Up and Move Down exchange a phase or an activity with its neighbour in this order.
class PlanOrder
{
public:
    PlanOrder() = default;
    explicit PlanOrder(const ProjectRecords& records);

    // Two records exchange their sequences, whatever they hold (gaps and all).
    struct Swap
    {
        store::Key id = 0;
        qint32 sequence = 0; // the sequence the record takes
        store::Key otherId = 0;
        qint32 otherSequence = 0;
    };
    // A move: the swap, or the message saying why there is none (the first or the last; an
    // activity stays in its phase).
    struct Move
    {
        std::optional<Swap> swap;
        QString refusal;
    };
    // Nothing when the record is not in the plan as it was read.
    std::optional<Move> move(Kind kind, store::Key id, bool up) const;

private:
    struct Row
    {
        store::Key id = 0;
        qint32 sequence = 0;
        store::Key phase = 0; // activities only
    };
    QList<Row> m_phases;
    QList<Row> m_activities;
};

} // namespace project
