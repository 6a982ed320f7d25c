// Feeds arbitrary text to the number and date readers and the display formats: none may crash,
// and what they accept must come back unchanged through its display form.

#include "common/Formats.h"
#include "common/Money.h"
#include "common/Parse.h"

#include <QString>
#include <QStringList>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));

    if (const auto money = common::Money::parse(text)) {
        check(common::isNumeric(text));
        // The plain form reads back as the same amount.
        check(common::Money::parse(money->toPlainString()) == money);
        static const QStringList patterns = { QStringLiteral("$##,###,###.00"), QStringLiteral("$##,###,##0"),
                                              QStringLiteral("##,##0"),         QStringLiteral("#,###"),
                                              QStringLiteral("##,###.00"),      QStringLiteral("#,##0") };
        for (const QString& pattern : patterns) {
            try {
                const QString shown = common::formatNumber(*money, pattern);
                // What the screen shows is accepted again when typed back (empty zero aside).
                check(shown.isEmpty() || common::isNumeric(shown));
            } catch (const std::overflow_error&) {
                // Rounding up at the very top of the range cannot be shown; it is reported, not wrapped.
            }
        }
    } else {
        check(!common::isNumeric(text));
    }

    if (const auto date = common::parseDate(text)) {
        check(date->isValid() && date->year() >= 100 && date->year() <= 9999);
        for (const auto form : { common::DateForm::Short, common::DateForm::MmDdYyyy })
            check(common::parseDate(common::formatDate(*date, form)) == date);
    }
    common::numberValue(text);
    return 0;
}
