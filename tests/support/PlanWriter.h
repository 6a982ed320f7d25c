#pragma once

#include "store/Store.h"

#include <QDate>
#include <QString>
#include <optional>

namespace testing {

// Projects of known shape written into a file through the store.
class PlanWriter
{
public:
    explicit PlanWriter(const store::Database& db)
        : m_store(db)
    {
    }

    qint32 car(const QString& name);
    qint32 phase(store::Key car, const QString& name, int sequence);
    qint32 activity(store::Key car, store::Key phase, const QString& name, int sequence, const QDate& start = {},
        const QDate& stop = {}, std::optional<double> effort = std::nullopt);
    // A project of phases "Phase 0", "Phase 1", ... each with activities "Ap.a" of 5 hours from
    // 1/(1+a)/2003 to 3/(1+a)/2003.
    qint32 evenCar(const QString& name, int phases, int activitiesEach);

private:
    store::Store m_store;
};

} // namespace testing
