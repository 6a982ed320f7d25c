#pragma once

// The parts the charts are laid out with: a scene builder, value scales, the formats of figures
// and the colours.

#include "charts/ChartFigures.h"
#include "charts/ChartScene.h"

#include <QFontMetricsF>

namespace charts::drawing {

inline constexpr double Margin = 16;
inline constexpr double TitleHeight = 30;
inline const QColor Ink(0x20, 0x20, 0x20);
inline const QColor Grid(0xd8, 0xd8, 0xd8);
inline const QColor PlannedColour(0x46, 0x82, 0xb4);
inline const QColor ActualColour(0xe6, 0x7e, 0x22);
inline const QColor BudgetColour(0x5d, 0x8a, 0x4e);
inline const QColor ResaleColour(0x8e, 0x5e, 0xa2);
inline const QColor OverColour(0xc0, 0x39, 0x2b);

class Builder
{
public:
    explicit Builder(const QSizeF& size) { scene.size = size; }

    void box(const QRectF& r, const QColor& fill, const QString& tip = {}, const QColor& stroke = {})
    {
        SceneItem item;
        item.rect = r;
        item.fill = fill;
        item.stroke = stroke;
        item.tip = tip;
        scene.items.append(item);
    }
    void line(const QPointF& a, const QPointF& b, const QColor& colour, double width = 1)
    {
        path({ a, b }, colour, width, SceneItem::Kind::Line);
    }
    void path(const QPolygonF& points, const QColor& colour, double width, SceneItem::Kind kind = SceneItem::Kind::Path)
    {
        SceneItem item;
        item.kind = kind;
        item.points = points;
        item.stroke = colour;
        item.width = width;
        scene.items.append(item);
    }
    void text(const QRectF& r, const QString& t, int align = Qt::AlignLeft | Qt::AlignVCenter, double px = 12,
        bool bold = false, const QColor& colour = Ink, const QString& tip = {})
    {
        SceneItem item;
        item.kind = SceneItem::Kind::Text;
        item.rect = r;
        item.text = t;
        item.align = align;
        item.pixelSize = px;
        item.bold = bold;
        item.stroke = colour;
        item.tip = tip;
        scene.items.append(item);
    }
    static double width(const QString& t, double px = 12, bool bold = false)
    {
        return QFontMetricsF(chartFont(px, bold)).horizontalAdvance(t);
    }
    static QString elided(const QString& t, double w, double px = 12)
    {
        return QFontMetricsF(chartFont(px)).elidedText(t, Qt::ElideRight, qMax(0.0, w));
    }
    void sentence(const QRectF& r, const QString& t) { text(r, t, Qt::AlignCenter | Qt::TextWordWrap, 14, false); }

    Scene scene;
};

// A value scale over [0, top] (or below 0 when figures are) onto a pixel span.
struct Scale
{
    double low = 0;
    double high = 1;
    double from = 0; // pixel of low
    double to = 1; // pixel of high
    double at(double v) const { return from + (v - low) / (high - low) * (to - from); }
};

QColor statusColour(const std::optional<qint32>& status);
QColor paler(QColor c);
QString dollars(const Amount& a);
QString exact(const Amount& a);
QString hoursText(qint64 hours);
QString monthText(const QDate& month);
double niceStep(double top);
Scale scaleOver(double low, double high, double from, double to);
QList<double> ticks(const Scale& s);
QString moneyTick(double v);
QString hourTick(double v);
void valueGrid(Builder& b, const Scale& s, double top, double bottom, QString (*caption)(double));
double drawn(const Amount& a);
void title(Builder& b, const ChartFigures& f, Chart chart);
QRectF body(const Builder& b);
void legend(Builder& b, QPointF at, const QList<std::pair<QColor, QString>>& entries);

// The four charts, each filling the body of the scene under its title.
void budgetChart(Builder& b, const ChartFigures& f);
void assembliesChart(Builder& b, const ChartFigures& f);
void spendingChart(Builder& b, const ChartFigures& f);
void hoursChart(Builder& b, const ChartFigures& f);

} // namespace charts::drawing
