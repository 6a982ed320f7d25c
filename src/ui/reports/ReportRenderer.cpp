#include "reports/ReportRenderer.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

namespace reports {

QFont reportFont()
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(12);
    font.setStyleHint(QFont::Serif);
    return font;
}

QMarginsF reportMargins()
{
    return QMarginsF(6.35, 6.35, 6.35, 6.35);
}

qreal columnWidth(const QFontMetricsF& metrics)
{
    // The classic average character: lower-case letters and the blank weighted by how often they
    // occur in English text. Fonts today report an average over all their glyphs instead, which for
    // Liberation Serif is a third wider and would push the reports' last columns off the sheet.
    static const int weights[27] = { 64, 14, 27, 35, 100, 20, 14, 42, 63, 3, 6, 35, 20, 56,
                                     56, 17, 4,  49, 56, 71,  31, 10, 18, 3,  18, 2, 166 };
    qreal sum = 0;
    for (int i = 0; i < 26; ++i)
        sum += weights[i] * metrics.horizontalAdvance(QChar(u'a' + i));
    sum += weights[26] * metrics.horizontalAdvance(QLatin1Char(' '));
    return sum / 1000.0;
}

namespace {

// Keeps the pen on the sheet: starts a new sheet when the next line would pass the bottom.
class Sheet
{
public:
    Sheet(QPainter& painter, QPagedPaintDevice& device, const QRectF& area, qreal lineHeight)
        : m_painter(painter), m_device(device), m_area(area), m_lineHeight(lineHeight), m_y(area.top())
    {
    }
    void newSheet()
    {
        m_device.newPage();
        m_y = m_area.top();
    }
    // The baseline of the next line, on a fresh sheet when this one is full.
    qreal nextLine()
    {
        if (m_y + m_lineHeight > m_area.bottom() + 0.5)
            newSheet();
        const qreal baseline = m_y + m_painter.fontMetrics().ascent();
        m_y += m_lineHeight;
        return baseline;
    }

private:
    QPainter& m_painter;
    QPagedPaintDevice& m_device;
    QRectF m_area;
    qreal m_lineHeight;
    qreal m_y;
};

} // namespace

bool renderReport(const ReportDocument& document, QPagedPaintDevice& device)
{
    device.setPageOrientation(document.orientation == Orientation::Landscape ? QPageLayout::Landscape
                                                                            : QPageLayout::Portrait);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    QFont font = reportFont();
    painter.setFont(font);
    const QFontMetricsF metrics(font, &device);
    const qreal column = columnWidth(metrics);
    const QRectF area(QPointF(0, 0), QSizeF(device.width(), device.height()));
    Sheet sheet(painter, device, area, metrics.lineSpacing());

    for (qsizetype p = 0; p < document.pages.size(); ++p) {
        if (p > 0)
            sheet.newSheet();
        for (const Line& line : document.pages.at(p).lines) {
            font.setBold(line.bold);
            font.setUnderline(line.underline);
            painter.setFont(font);
            const QFontMetricsF fm(font, &device);
            qreal baseline = sheet.nextLine();
            qreal x = 0;
            for (const Item& item : line.items) {
                if (item.column > 0) {
                    const qreal target = (item.column - 1) * column;
                    if (x > target + 0.01)
                        baseline = sheet.nextLine(); // already past the column: it goes on the next line
                    x = target;
                }
                const qreal width = fm.horizontalAdvance(item.text);
                // Text that would run off the right edge goes on the next line, as far right as it
                // can stand there, so that it is neither cut nor printed over its neighbour.
                if (x + width > area.right() + 0.5 && x > 0) {
                    baseline = sheet.nextLine();
                    x = qMax<qreal>(0, qMin(x, area.right() - width));
                }
                painter.drawText(QPointF(x, baseline), item.text);
                x += width;
            }
        }
    }
    return painter.end();
}

} // namespace reports
