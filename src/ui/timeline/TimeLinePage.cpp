#include "timeline/TimeLinePage.h"

#include "gui/Twips.h"
#include "timeline/ChartGeometry.h"
#include "timeline/ChartPainter.h"

#include <QListWidget>
#include <QPainter>
#include <cmath>

namespace timeline {

namespace g = geometry;

TimeLinePage::TimeLinePage(const PageLayout& page, QWidget* parent)
    : QWidget(parent)
    , m_page(page)
{
    setObjectName(QStringLiteral("TimeLinePage"));
    // Its own role, or it takes the viewer's dark one and its captions turn light.
    setBackgroundRole(QPalette::Base);
    setForegroundRole(QPalette::Text);
    setZoom(1);
}

void TimeLinePage::keepPlaced(QWidget* child, const QRectF& twips)
{
    m_placed.append({ child, twips.translated(-g::ShownPage.topLeft()) });
    setZoom(m_zoom);
}

QSizeF TimeLinePage::sizeAt(double zoom) const
{
    return gui::Twips(logicalDpiX() * zoom, logicalDpiY() * zoom).rect(QRectF(QPointF(), g::ShownPage.size())).size();
}

void TimeLinePage::setZoom(double zoom)
{
    m_zoom = zoom;
    // Whole pixels inside the size asked for, so that a page fitted to a window stays inside it.
    const QSizeF size = sizeAt(zoom);
    resize(int(size.width()), int(size.height()));
    QFont font = listFont();
    font.setPointSizeF(font.pointSizeF() * zoom);
    setFont(font);
    const gui::Twips scale = twips();
    for (const auto& [child, twips] : m_placed) {
        QRect place = scale.pixels(twips);
        if (auto* list = qobject_cast<QListWidget*>(child)) {
            // The first entry starts where the first bar does; the bottom stays.
            place.setTop(int(std::lround(firstRow())) - list->frameWidth());
            child->setGeometry(place);
            pitchRows(list);
        } else {
            child->setGeometry(place);
        }
    }
    update();
}

gui::Twips TimeLinePage::twips() const
{
    return gui::Twips(logicalDpiX() * m_zoom, logicalDpiY() * m_zoom);
}

double TimeLinePage::firstRow() const
{
    return twips().y(g::RowTop - g::ShownPage.top());
}

void TimeLinePage::pitchRows(QListWidget* list) const
{
    // Entries are whole pixels high: each takes its share of the rounding, so that every entry
    // starts on the pixel its bar starts on.
    const double first = firstRow(), pitch = twips().y(g::RowPitch);
    const auto top = [&](int n) { return int(std::lround(first + pitch * n)); };
    for (int n = 0; n < list->count(); ++n)
        list->item(n)->setSizeHint(QSize(0, top(n + 1) - top(n)));
    list->doItemsLayout();
}

void TimeLinePage::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(backgroundRole()));
    // Scaled by the painter, so that the type of the month captions and the legend grows with it.
    const gui::Twips scale(*this);
    painter.scale(m_zoom, m_zoom);
    painter.translate(-scale.point(g::ShownPage.topLeft()));
    paintChart(painter, scale, m_page, palette().color(QPalette::WindowText));
}

} // namespace timeline
