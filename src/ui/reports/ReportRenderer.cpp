#include "reports/ReportRenderer.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPageSize>
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

// Text is narrowed to fit its room down to this share of its width, and no further.
constexpr qreal MinSqueeze = 0.6;
// Lines are set closer to keep a page on one sheet down to this share of their distance.
constexpr qreal MinLineStep = 0.9;

QPageLayout::Orientation orientationOf(Orientation orientation)
{
    return orientation == Orientation::Landscape ? QPageLayout::Landscape : QPageLayout::Portrait;
}

// The distance from one line to the next in points, measured on a large size so that no rounding
// of a small size creeps in; sheets on every device are filled at this pitch.
qreal linePitch()
{
    static const qreal pitch = [] {
        QFont font = reportFont();
        font.setPixelSize(1200); // 12 points at 7,200 dots an inch
        return QFontMetricsF(font).lineSpacing() / 100.0;
    }();
    return pitch;
}

// What a sheet of paper takes in one orientation: the scale the report is drawn at and the lines
// that fit one under the other.
struct Fit
{
    qreal scale = 1;
    int lines = 0;
};

Fit fit(const QPageSize& paper, const QMarginsF& margins, Orientation orientation)
{
    const auto usable = [&](const QPageSize& size) {
        return QPageLayout(size, orientationOf(orientation), margins, QPageLayout::Millimeter)
            .paintRect(QPageLayout::Point)
            .size();
    };
    const QSizeF page = usable(paper);
    const QSizeF letter = usable(QPageSize(QPageSize::Letter));
    Fit f;
    f.scale = letter.width() > 0 ? qBound<qreal>(0.01, page.width() / letter.width(), 1) : 1;
    f.lines = int(page.height() / (linePitch() * f.scale) + 1e-6);
    return f;
}

// One piece of text where it stands on a page: its row, how far right, how much narrowed.
struct Placed
{
    int row = 0;
    qreal x = 0;
    qreal squeeze = 1;
    QString text;
    bool bold = false;
    bool underline = false;
};

// Places a page's items in rows, in units of the device with the report's scale taken out: an
// item starts at its column, on the next row when the row has passed it; text a little wider
// than the room up to the next column (figures are wider than the average character) is narrowed
// to fit, so that no column overlaps the next and the line stays one line; text that would still
// run off the right edge goes on the next row, as far right as it can stand there. Answers the
// rows the page needs.
int layOut(const Page& page, const QFont& base, QPaintDevice& device, qreal column, qreal right, QList<Placed>& out)
{
    int row = -1;
    for (const Line& line : page.lines) {
        QFont font = base;
        font.setBold(line.bold);
        font.setUnderline(line.underline);
        const QFontMetricsF fm(font, &device);
        ++row;
        qreal x = 0;
        for (qsizetype i = 0; i < line.items.size(); ++i) {
            const Item& item = line.items.at(i);
            if (item.column > 0) {
                const qreal target = (item.column - 1) * column;
                if (x > target + 0.01)
                    ++row;
                x = target;
            }
            const qreal natural = fm.horizontalAdvance(item.text);
            const bool nextPlaced = i + 1 < line.items.size() && line.items.at(i + 1).column > 0;
            const qreal room = nextPlaced ? (line.items.at(i + 1).column - 1) * column - x : right - x;
            const qreal squeeze = natural > room && room >= natural * MinSqueeze ? room / natural : 1;
            const qreal width = natural * squeeze;
            if (x + width > right + 0.5 && x > 0) {
                ++row;
                x = qMax<qreal>(0, qMin(x, right - width));
            }
            out.append({ row, x, squeeze, item.text, line.bold, line.underline });
            x += width;
        }
    }
    return row + 1;
}

} // namespace

PageLines pageLines(const QPageLayout& layout)
{
    const QPageSize letter(QPageSize::Letter);
    const QMarginsF margins = layout.margins(QPageLayout::Millimeter);
    const auto lines = [&](int onLetter, Orientation orientation) {
        const int more = fit(layout.pageSize(), margins, orientation).lines - fit(letter, margins, orientation).lines;
        return qMax(1, onLetter + more);
    };
    const PageLines letterLines;
    return { lines(letterLines.landscape, Orientation::Landscape), lines(letterLines.portrait, Orientation::Portrait) };
}

PageLines pageLines(const QPageSize& paper)
{
    return pageLines(QPageLayout(paper, QPageLayout::Portrait, reportMargins(), QPageLayout::Millimeter));
}

bool renderReport(const ReportDocument& document, QPagedPaintDevice& device, const common::Progress& progress)
{
    device.setPageOrientation(orientationOf(document.orientation));
    const QPageLayout layout = device.pageLayout();
    const Fit sheetFit = fit(layout.pageSize(), layout.margins(QPageLayout::Millimeter), document.orientation);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.scale(sheetFit.scale, sheetFit.scale);
    const QFont font = reportFont();
    const QFontMetricsF metrics(font, &device);
    const qreal column = columnWidth(metrics);
    const QSizeF area = QSizeF(device.width(), device.height()) / sheetFit.scale;
    const qreal pitch = linePitch() * device.logicalDpiY() / 72.0;
    common::ProgressCount drawn(progress, document.pages.size());

    for (qsizetype p = 0; p < document.pages.size(); ++p) {
        if (p > 0)
            device.newPage();
        QList<Placed> placed;
        const int rows = layOut(document.pages.at(p), font, device, column, area.width(), placed);
        // A page a line or two longer than the sheet (a group kept together, the totals) has its
        // lines set a little closer so that it stays one sheet; a page far longer runs on to
        // further sheets.
        qreal step = pitch;
        int rowsPerSheet = qMax(1, int(area.height() / pitch + 0.01));
        if (rows > rowsPerSheet && rows * pitch * MinLineStep <= area.height()) {
            step = area.height() / rows;
            rowsPerSheet = rows;
        }
        int sheetRow = 0;
        for (const Placed& item : placed) {
            if (item.row - sheetRow >= rowsPerSheet) {
                device.newPage();
                sheetRow = item.row;
            }
            QFont f = font;
            f.setBold(item.bold);
            f.setUnderline(item.underline);
            painter.setFont(f);
            const qreal baseline = (item.row - sheetRow) * step + painter.fontMetrics().ascent();
            painter.save();
            painter.translate(item.x, baseline);
            painter.scale(item.squeeze, 1);
            painter.drawText(QPointF(0, 0), item.text);
            painter.restore();
        }
        drawn.step();
    }
    return painter.end();
}

} // namespace reports
