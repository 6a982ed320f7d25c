#pragma once

#include "charts/ChartFigures.h"

#include <QByteArray>

namespace charts {

// Money with exactly four decimals ("-12.5000"), or the too large text.
QString moneyText(const Amount& amount);

// A chart's series and figures for scripts: money as strings with four decimals, months and dates as
// YYYY-MM-DD, hours as whole numbers, and the sentence shown instead of an empty chart.
QByteArray chartJson(const ChartFigures& figures, Chart chart);

} // namespace charts
