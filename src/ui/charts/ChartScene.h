#pragma once

#include "charts/ChartFigures.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPolygonF>
#include <QRectF>
#include <QString>

class QPainter;

namespace charts {

// One thing drawn: a filled box, a line, an open path or a text, with the figure hovering shows.
struct SceneItem
{
    enum class Kind { Box, Line, Path, Text };
    Kind kind = Kind::Box;
    QRectF rect; // a box, a text's box, or the area hovering reacts to
    QPolygonF points; // a line's two ends, a path's points
    QColor fill;
    QColor stroke;
    double width = 1;
    QString text;
    int align = Qt::AlignLeft | Qt::AlignVCenter;
    bool bold = false;
    double pixelSize = 12;
    QString tip;
};

// A chart laid out at a size, in its own pixels: drawn on screen, on paper and into files alike.
struct Scene
{
    QSizeF size;
    QList<SceneItem> items;

    // The figure of the topmost item under the point; empty when none.
    QString tipAt(const QPointF& point) const;
};

// The charts' type: fixed in pixels, so that a chart lays out the same on every device.
QFont chartFont(double pixelSize = 12, bool bold = false);

Scene layoutChart(const ChartFigures& figures, Chart chart, const QSizeF& size);

// Draws the scene into the target rectangle of the painter, scaled to fill it.
void paintScene(QPainter& painter, const Scene& scene, const QRectF& target);

// The scene as an SVG document, written out item by item.
QByteArray svgScene(const Scene& scene, const QString& title);

} // namespace charts
