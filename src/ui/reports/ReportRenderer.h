#pragma once

#include "reports/ReportDocument.h"

#include <QFont>
#include <QMarginsF>

class QFontMetricsF;
class QPagedPaintDevice;

namespace reports {

// The font every report is printed in.
QFont reportFont();

// The width of one column: the font's average character.
qreal columnWidth(const QFontMetricsF& metrics);

// Margins that give the widest reports room for all their columns on Letter or A4.
QMarginsF reportMargins(); // millimetres

// Draws a report on a printer or PDF writer: 12-point Times New Roman, a column the font's
// average character width, one sheet per page of the report, and a further sheet wherever a
// page holds more than fits, so that nothing is cut off. Sets the device's orientation.
// Answers false when the device cannot be painted on.
bool renderReport(const ReportDocument& document, QPagedPaintDevice& device);

} // namespace reports
