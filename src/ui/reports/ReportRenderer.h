#pragma once

#include "common/Progress.h"
#include "reports/ReportDocument.h"

#include <QFont>
#include <QMarginsF>

class QFontMetricsF;
class QPageLayout;
class QPagedPaintDevice;
class QPageSize;

namespace reports {

// The font every report is printed in.
QFont reportFont();

// The width of one column: the font's average character.
qreal columnWidth(const QFontMetricsF& metrics);

// Margins that give the widest reports room for all their columns on Letter or A4.
QMarginsF reportMargins(); // millimetres

// The lines a page of this paper takes: Letter's counts, less or more by as many lines as the
// paper holds fewer or more than Letter in each orientation. Reports are laid out as on Letter and
// shrunk as a whole on paper narrower than Letter, so such paper holds more of the smaller lines.
PageLines pageLines(const QPageLayout& layout);
PageLines pageLines(const QPageSize& paper);

// Draws a report on a printer or PDF writer: 12-point Times New Roman, a column the font's
// average character width, shrunk to the width of Letter's lines where the paper is narrower,
// one sheet per page of the report; a page a little longer than its sheet has its lines set
// closer, and one far longer runs on to a further sheet, so that nothing is cut off. Sets the
// device's orientation. A report laid out with the pageLines() of the device's paper takes one
// sheet a page.
// Answers false when the device cannot be painted on. progress counts the pages drawn.
bool renderReport(const ReportDocument& document, QPagedPaintDevice& device, const common::Progress& progress = {});

} // namespace reports
