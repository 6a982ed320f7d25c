#pragma once

#include <QDateTime>
#include <optional>

namespace common {

// "Now" for stamps, the status bar and report dates; tests fix it so results do not depend on the day.
class Clock
{
public:
    static QDateTime now();
    static void setFixed(std::optional<QDateTime> fixed);
};

} // namespace common
