#pragma once

#include <QString>

namespace bench {

struct Shape
{
    int cars = 1000;
    int assembliesPerCar = 5;
    int componentsPerCar = 20;
    int phasesPerCar = 4;
    int activitiesPerCar = 10;
};

// A database of the given size beside the sample project, filled in one transaction.
void buildDatabase(const QString& path, const Shape& shape);

// Adds a project whose activities spread over four years, their phases' priority sequences
// interleaved as users leave them; answers its key.
int addSpreadProject(const QString& path, int phases, int activitiesPerPhase);

} // namespace bench
