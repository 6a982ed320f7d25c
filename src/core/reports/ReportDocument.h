#pragma once

#include <QList>
#include <functional>
#include <QString>

namespace reports {

// A printed report as lines of text items placed at character columns, page by page. It knows
// nothing of fonts or printers: the renderer measures a column as one average character.

struct Item
{
    int column = 0; // 1-based column to tab to first; 0: follows the previous item directly
    QString text;
};

struct Line
{
    QList<Item> items;
    bool bold = false;
    bool underline = false;
};

struct Page
{
    QList<Line> lines;
};

enum class Orientation { Portrait, Landscape };

// How many body lines a page takes before the next page starts. Letter's counts unless the paper
// printed on holds more or fewer lines than Letter does.
struct PageLines
{
    int landscape = 33;
    int portrait = 46;
};

struct ReportDocument
{
    Orientation orientation = Orientation::Portrait;
    QList<Page> pages;
};

// Plain text: column n of a line is character n; an item whose column the line has already
// passed starts a new line at that column; blanks at line ends are dropped; pages are separated
// by a form feed.
QString renderText(const ReportDocument& document);

// Writes a report the way a line printer is driven: a heading starts each page, the body asks
// for room before each line or group of lines, and totals are never counted.
class ReportWriter
{
public:
    ReportWriter(Orientation orientation, int linesPerPage);

    // Called to print a page heading; set before the first page.
    void setHeading(std::function<void(ReportWriter&)> heading) { m_heading = std::move(heading); }

    // Starts a page (a new one after the first) and prints the heading lines through the callback.
    void heading();
    // The page-break rule: below the limit the lines are counted; at it a new page starts and the
    // lines about to be printed are not counted.
    void room(int lines);

    void line(QList<Item> items = {}, bool bold = false, bool underline = false);
    void setBold(bool on) { m_bold = on; }
    void setUnderline(bool on) { m_underline = on; }

    int pageNumber() const { return m_pageNumber; }
    int lineCount() const { return m_lineCount; }
    ReportDocument take();

private:
    ReportDocument m_document;
    std::function<void(ReportWriter&)> m_heading;
    int m_linesPerPage;
    int m_pageNumber = 0;
    int m_lineCount = 0;
    bool m_bold = false;
    bool m_underline = false;
};

} // namespace reports
