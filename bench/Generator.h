#pragma once

#include <QString>

namespace bench {

// Bumped whenever the generated data changes, so that kept databases are made again.
constexpr int GeneratorVersion = 2;

// A database of `cars` projects beside the sample, the same for the same seed: each project with
// 20 assemblies of 50 components (1,000) and 20 phases of 25 activities (500), dates over two
// years, costs, quantities, a dozen shared suppliers, a third of the components attached to
// activities and one in ten on the wish list.
void generateDatabase(const QString& path, int cars, quint32 seed = 1967);

} // namespace bench
