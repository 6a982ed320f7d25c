#include "gui/Twips.h"

#include <QPaintDevice>
#include <QWidget>

namespace gui {

namespace {
constexpr double TwipsPerInch = 1440;
}

Twips::Twips(const QPaintDevice& device)
    : Twips(device.logicalDpiX(), device.logicalDpiY())
{
}

Twips::Twips(double dotsPerInchX, double dotsPerInchY)
    : m_x(dotsPerInchX / TwipsPerInch)
    , m_y(dotsPerInchY / TwipsPerInch)
{
}

void placeInTwips(QWidget* widget, const QRectF& twips)
{
    widget->setGeometry(Twips(*widget).pixels(twips));
}

} // namespace gui
