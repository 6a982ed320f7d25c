#include "timeline/ChartPainter.h"

#include "gui/Twips.h"
#include "timeline/ChartGeometry.h"

#include <QPainter>

namespace timeline {

namespace g = geometry;

namespace {

constexpr double LegendGap = 90; // between a legend sample and its caption
constexpr double EntryIndent = 45; // text inside a list's frame
constexpr double ListFrame = 15;
const QColor GridColour(128, 128, 128);

QColor fillOf(BarKind kind, const QColor& windowText)
{
    switch (kind) {
    case BarKind::Project:
        return g::projectColour();
    case BarKind::Phase:
        return g::phaseColour();
    case BarKind::Activity:
        return g::activityColour();
    case BarKind::Actual:
        break;
    }
    return windowText;
}

void paintBar(QPainter& p, const gui::Twips& s, const QRectF& twips, const QColor& fill, const QColor& border)
{
    if (twips.width() <= 0)
        return;
    p.setPen(QPen(border, 0));
    p.setBrush(fill);
    p.drawRect(s.rect(twips));
}

void paintText(QPainter& p, const gui::Twips& s, const QRectF& twips, const QString& text,
    Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter)
{
    p.drawText(s.rect(twips), int(align) | Qt::TextDontClip, text);
}

void paintAxis(QPainter& p, const gui::Twips& s, const MonthAxis& axis, const QColor& windowText)
{
    if (axis.gridLines.isEmpty())
        return;
    p.setPen(QPen(GridColour, 0));
    for (const QLineF& line : axis.gridLines)
        p.drawLine(s.line(line));
    p.setPen(QPen(windowText, 0));
    p.drawLine(s.line(axis.top));
    p.drawLine(s.line(axis.bottom));
    p.setFont(monthFont());
    for (const MonthLabel& label : axis.labels)
        paintText(p, s, QRectF(label.topLeft, QSizeF(600, 180)), label.text, Qt::AlignLeft | Qt::AlignTop);
}

// Thin enough to leave the bars readable where it crosses them, drawn before them so they cover it.
void paintToday(QPainter& p, const gui::Twips& s, const std::optional<TodayMark>& today)
{
    if (!today)
        return;
    QPen pen(g::todayColour(), s.x(g::TodayWidth));
    pen.setCapStyle(Qt::FlatCap);
    p.setPen(pen);
    p.drawLine(s.line(today->line));
}

void paintLegend(QPainter& p, const gui::Twips& s, const QColor& windowText)
{
    p.setFont(listFont());
    for (const LegendEntry& entry : legend()) {
        paintBar(p, s, entry.sample, fillOf(entry.kind, windowText), windowText);
        p.setPen(windowText);
        const QRectF caption(entry.sample.right() + LegendGap, entry.sample.center().y() - 120, 1000, 240);
        paintText(p, s, caption, entry.text);
    }
}

void paintList(QPainter& p, const gui::Twips& s, const QRectF& list, const QStringList& entries)
{
    p.setPen(QPen(GridColour, 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(s.rect(list));
    p.setPen(Qt::black);
    for (qsizetype n = 0; n < entries.size(); ++n) {
        const QRectF entry(list.left() + EntryIndent, list.top() + ListFrame + g::RowPitch * double(n),
            list.width() - EntryIndent, g::RowPitch);
        paintText(p, s, entry, entries.at(n));
    }
}

template <class Field> QStringList column(const PageLayout& page, Field field)
{
    QStringList entries;
    for (const ChartRow& row : page.rows)
        entries << row.*field;
    return entries;
}

} // namespace

QFont listFont()
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(8);
    return font;
}

QFont monthFont()
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setPointSizeF(g::LabelPointSize);
    return font;
}

void paintChart(QPainter& p, const gui::Twips& s, const PageLayout& page, const QColor& windowText)
{
    p.save();
    paintAxis(p, s, page.axis, windowText);
    paintToday(p, s, page.today);
    for (const ChartRow& row : page.rows) {
        if (row.target)
            paintBar(p, s, *row.target, fillOf(row.kind, windowText), windowText);
        if (row.actual)
            paintBar(p, s, *row.actual, windowText, windowText);
    }
    paintLegend(p, s, windowText);
    p.restore();
}

void paintPage(QPainter& p, const gui::Twips& s, const PageLayout& page, const PageCaptions& captions)
{
    p.save();
    p.setClipRect(s.rect(QRectF(0, 0, g::PageWidth, g::PageHeight)));
    p.fillRect(s.rect(QRectF(0, 0, g::PageWidth, g::PageHeight)), Qt::white);
    p.setFont(listFont());
    p.setPen(Qt::black);
    paintText(p, s, g::CboCar, captions.project);
    paintText(p, s, g::CboStyle, captions.style);
    paintText(p, s, g::Label2, captions::Label2);
    paintText(p, s, g::Label1, captions::Label1);
    paintText(p, s, g::CmdNext.united(g::CmdPrevious).adjusted(-1200, 0, 0, 0), pageText(page.page, page.pageCount),
        Qt::AlignRight | Qt::AlignBottom);
    paintList(p, s, g::LbName, column(page, &ChartRow::name));
    paintList(p, s, g::LbStartDate, column(page, &ChartRow::startDate));
    paintList(p, s, g::LbStopDate, column(page, &ChartRow::stopDate));
    paintList(p, s, g::LbEffort, column(page, &ChartRow::effort));
    paintChart(p, s, page, Qt::black);
    p.restore();
}

} // namespace timeline
