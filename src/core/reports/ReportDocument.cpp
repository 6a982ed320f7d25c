#include "reports/ReportDocument.h"

namespace reports {

QString renderText(const ReportDocument& document)
{
    QString out;
    for (qsizetype p = 0; p < document.pages.size(); ++p) {
        if (p > 0)
            out += QLatin1Char('\f');
        for (const Line& line : document.pages.at(p).lines) {
            QString text;
            qsizetype lineStart = 0;
            for (const Item& item : line.items) {
                if (item.column > 0) {
                    const qsizetype target = item.column - 1;
                    if (text.size() - lineStart > target) {
                        text += QLatin1Char('\n');
                        lineStart = text.size();
                    }
                    text += QString(target - (text.size() - lineStart), QLatin1Char(' '));
                }
                text += item.text;
            }
            // Blanks at the end of a line print nothing; drop them.
            for (const QString& physical : text.split(QLatin1Char('\n'))) {
                qsizetype end = physical.size();
                while (end > 0 && physical.at(end - 1) == QLatin1Char(' '))
                    --end;
                out += physical.left(end) + QLatin1Char('\n');
            }
        }
    }
    return out;
}

ReportWriter::ReportWriter(Orientation orientation, int linesPerPage)
    : m_linesPerPage(linesPerPage)
{
    m_document.orientation = orientation;
}

void ReportWriter::heading()
{
    // The first heading goes on the page already begun by any lines printed before it.
    if (m_pageNumber > 0 || m_document.pages.isEmpty())
        m_document.pages.append(Page());
    m_lineCount = 0;
    ++m_pageNumber;
    if (m_heading)
        m_heading(*this);
}

void ReportWriter::room(int lines)
{
    if (m_lineCount < m_linesPerPage)
        m_lineCount += lines;
    else
        heading();
}

void ReportWriter::line(QList<Item> items, bool bold, bool underline)
{
    // Text printed before any heading still needs a page to stand on.
    if (m_document.pages.isEmpty())
        m_document.pages.append(Page());
    m_document.pages.last().lines.append(Line { std::move(items), bold || m_bold, underline || m_underline });
}

ReportDocument ReportWriter::take()
{
    return std::move(m_document);
}

} // namespace reports
