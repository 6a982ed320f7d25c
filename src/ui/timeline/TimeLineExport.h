#pragma once

#include <QString>

class QTextStream;

namespace timeline {

struct ExportRequest
{
    QString databasePath;
    QString car; // the project's number, as given
    bool summary = false; // phases only
    QString output; // FILE.png or FILE.pdf
    bool today = true; // a line at the clock's date where it falls on the chart
};

// PNG pages are drawn at this resolution: 15 twips a pixel, as on a common screen.
constexpr int PngDotsPerInch = 96;

// Exit statuses.
constexpr int ExportDone = 0;
constexpr int ExportFailed = 1;
constexpr int ExportBadArguments = 2;

// Draws every page of a project's time line, as the window shows it, without the window: FILE.png
// gives FILE-1.png, FILE-2.png, ..., FILE.pdf one document with a page each. The files written go
// to out, messages to err. Needs a GUI application (for fonts), not a display.
int exportTimeLine(const ExportRequest& request, QTextStream& out, QTextStream& err);

} // namespace timeline
