#include "common/Status.h"

namespace common {

const QStringList& statusTexts()
{
    static const QStringList texts = {
        QStringLiteral("Not Started"),
        QStringLiteral("In Process"),
        QStringLiteral("Completed"),
        QStringLiteral("On Hold"),
    };
    return texts;
}

QString statusText(int code)
{
    const auto& texts = statusTexts();
    return code >= 0 && code < texts.size() ? texts.at(code) : QString();
}

} // namespace common
