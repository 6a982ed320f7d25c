#include "support/PlanWriter.h"

namespace testing {

qint32 PlanWriter::car(const QString& name)
{
    return m_store.cars.add({ .Description = name });
}

qint32 PlanWriter::phase(store::Key car, const QString& name, int sequence)
{
    return m_store.phases.add({ .carid = car, .prioritysequence = sequence, .Description = name, .Status = 0 });
}

qint32 PlanWriter::activity(store::Key car, store::Key phase, const QString& name, int sequence, const QDate& start,
    const QDate& stop, std::optional<double> effort)
{
    return m_store.activities.add({ 0, car, phase, sequence, name, 0, start, stop, effort });
}

qint32 PlanWriter::evenCar(const QString& name, int phases, int activitiesEach)
{
    const store::Key id = car(name);
    for (int p = 0; p < phases; ++p) {
        const qint32 ph = phase(id, QStringLiteral("Phase %1").arg(p), p + 1);
        for (int a = 0; a < activitiesEach; ++a)
            activity(
                id, ph, QStringLiteral("A%1.%2").arg(p).arg(a), a + 1, QDate(2003, 1, 1 + a), QDate(2003, 3, 1 + a), 5);
    }
    return id;
}

} // namespace testing
