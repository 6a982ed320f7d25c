#include "charts/ChartScene.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QRegularExpression>

namespace charts {

QString Scene::tipAt(const QPointF& point) const
{
    for (auto it = items.crbegin(); it != items.crend(); ++it) {
        if (!it->tip.isEmpty() && it->rect.contains(point))
            return it->tip;
    }
    return {};
}

QFont chartFont(double pixelSize, bool bold)
{
    QFont font(QStringLiteral("Liberation Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(bold);
    return font;
}

void paintScene(QPainter& painter, const Scene& scene, const QRectF& target)
{
    if (scene.size.isEmpty())
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.translate(target.topLeft());
    painter.scale(target.width() / scene.size.width(), target.height() / scene.size.height());
    painter.fillRect(QRectF(QPointF(), scene.size), Qt::white);
    for (const SceneItem& item : scene.items) {
        switch (item.kind) {
        case SceneItem::Kind::Box:
            painter.setPen(item.stroke.isValid() ? QPen(item.stroke, item.width) : QPen(Qt::NoPen));
            painter.setBrush(item.fill.isValid() ? QBrush(item.fill) : QBrush(Qt::NoBrush));
            painter.drawRect(item.rect);
            break;
        case SceneItem::Kind::Line:
        case SceneItem::Kind::Path:
            painter.setPen(QPen(item.stroke, item.width));
            painter.setBrush(Qt::NoBrush);
            painter.drawPolyline(item.points);
            break;
        case SceneItem::Kind::Text:
            painter.setPen(item.stroke.isValid() ? item.stroke : QColor(Qt::black));
            painter.setFont(chartFont(item.pixelSize, item.bold));
            painter.drawText(item.rect, item.align | Qt::TextDontClip, item.text);
            break;
        }
    }
    painter.restore();
}

namespace {

QString number(double value)
{
    return QString::number(value, 'f', 2).remove(QRegularExpression(QStringLiteral("\\.?0+$")));
}

QString colour(const QColor& c)
{
    return c.isValid() ? c.name() : QStringLiteral("none");
}

QString opacity(const QColor& c)
{
    return c.isValid() && c.alpha() < 255 ? QStringLiteral(" fill-opacity=\"%1\"").arg(number(c.alphaF())) : QString();
}

QString title(const QString& tip)
{
    return tip.isEmpty() ? QString() : QStringLiteral("<title>%1</title>").arg(tip.toHtmlEscaped());
}

QString svgText(const SceneItem& item)
{
    const QFontMetricsF metrics(chartFont(item.pixelSize, item.bold));
    QString anchor = QStringLiteral("start");
    double x = item.rect.left();
    if (item.align & Qt::AlignHCenter) {
        anchor = QStringLiteral("middle");
        x = item.rect.center().x();
    } else if (item.align & Qt::AlignRight) {
        anchor = QStringLiteral("end");
        x = item.rect.right();
    }
    double y = item.rect.center().y() + (metrics.ascent() - metrics.descent()) / 2;
    if (item.align & Qt::AlignTop)
        y = item.rect.top() + metrics.ascent();
    return QStringLiteral("<text x=\"%1\" y=\"%2\" font-family=\"Liberation Sans, Arial, sans-serif\" "
                          "font-size=\"%3\"%4 fill=\"%5\" text-anchor=\"%6\" xml:space=\"preserve\">%7</text>\n")
        .arg(number(x), number(y), number(item.pixelSize),
            item.bold ? QStringLiteral(" font-weight=\"bold\"") : QString(),
            colour(item.stroke.isValid() ? item.stroke : QColor(Qt::black)), anchor, item.text.toHtmlEscaped());
}

QString svgPoints(const QPolygonF& points)
{
    QStringList list;
    for (const QPointF& p : points)
        list << number(p.x()) + QLatin1Char(',') + number(p.y());
    return list.join(QLatin1Char(' '));
}

} // namespace

QByteArray svgScene(const Scene& scene, const QString& heading)
{
    QString svg = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                                 "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%1\" height=\"%2\" "
                                 "viewBox=\"0 0 %1 %2\">\n<title>%3</title>\n"
                                 "<rect width=\"100%\" height=\"100%\" fill=\"#ffffff\"/>\n")
                      .arg(number(scene.size.width()), number(scene.size.height()), heading.toHtmlEscaped());
    for (const SceneItem& item : scene.items) {
        switch (item.kind) {
        case SceneItem::Kind::Box:
            svg += QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\"%6 stroke=\"%7\" "
                                  "stroke-width=\"%8\">%9</rect>\n")
                       .arg(number(item.rect.x()), number(item.rect.y()), number(item.rect.width()),
                           number(item.rect.height()), colour(item.fill), opacity(item.fill), colour(item.stroke),
                           number(item.width), title(item.tip));
            break;
        case SceneItem::Kind::Line:
        case SceneItem::Kind::Path:
            svg += QStringLiteral("<polyline points=\"%1\" fill=\"none\" stroke=\"%2\" stroke-width=\"%3\"/>\n")
                       .arg(svgPoints(item.points), colour(item.stroke), number(item.width));
            break;
        case SceneItem::Kind::Text:
            svg += svgText(item);
            break;
        }
    }
    svg += QStringLiteral("</svg>\n");
    return svg.toUtf8();
}

} // namespace charts
