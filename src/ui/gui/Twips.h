#pragma once

#include <QLineF>
#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QString>
#include <QWidget>

class QPaintDevice;

namespace gui {

// Twips (1/1440 inch), the unit the windows are laid out in, to a paint device's pixels at its
// logical resolution: 15 twips a pixel at 96 DPI.
class Twips
{
public:
    explicit Twips(const QPaintDevice& device);
    Twips(double dotsPerInchX, double dotsPerInchY);

    double x(double twips) const { return twips * m_x; }
    double y(double twips) const { return twips * m_y; }
    QPointF point(const QPointF& twips) const { return { x(twips.x()), y(twips.y()) }; }
    QRectF rect(const QRectF& twips) const { return { point(twips.topLeft()), point(twips.bottomRight()) }; }
    QLineF line(const QLineF& twips) const { return { point(twips.p1()), point(twips.p2()) }; }
    // Whole pixels, for placing widgets: position and size each rounded.
    QRect pixels(const QRectF& twips) const { return rect(twips).toRect(); }

private:
    double m_x;
    double m_y;
};

// Puts a child widget where the layout in twips says.
void placeInTwips(QWidget* widget, const QRectF& twips);

// A new child widget named as its member, placed in twips, with its caption and tool tip if any.
template <class W>
W* placed(W*& member, const char* name, QWidget* parent, const QRectF& twips, const QString& caption = QString(),
    const QString& tip = QString())
{
    member = new W(parent);
    member->setObjectName(QLatin1String(name));
    if constexpr (requires { member->setText(caption); })
        member->setText(caption);
    if (!tip.isEmpty())
        member->setToolTip(tip);
    placeInTwips(member, twips);
    return member;
}

} // namespace gui
