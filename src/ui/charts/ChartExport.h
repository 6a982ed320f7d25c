#pragma once

#include "charts/ChartFigures.h"

#include <QString>

class QPagedPaintDevice;
class QTextStream;

namespace charts {

struct ExportRequest
{
    QString databasePath;
    QString chart; // budget, assemblies, spending or hours
    QString car; // the project's number, as given
    QString output; // FILE.png, FILE.svg, FILE.pdf or FILE.json
};

// Files are drawn at this size, in the charts' own pixels (a PNG at 96 DPI).
inline constexpr int FileWidth = 1000;
inline constexpr int FileHeight = 700;

// Writes the chart to the file its suffix names, through the safe writer: empty when written,
// otherwise why not.
QString writeChart(const ChartFigures& figures, Chart chart, const QString& path);

// The chart on a page inside its margins (landscape is best), for printing and PDF files.
bool paintOnPage(QPagedPaintDevice& device, const ChartFigures& figures, Chart chart);

// Draws one chart of a project to a file without a window, with the time line export's exit
// statuses and "Wrote FILE" line. Needs a GUI application (for fonts), not a display.
int exportChart(const ExportRequest& request, QTextStream& out, QTextStream& err);

} // namespace charts
