#include "store/SamplePictures.h"

#include "common/SafeFile.h"
#include "store/StoreError.h"

#include <QConicalGradient>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <algorithm>
#include <cmath>
#include <numbers>

namespace store {

namespace {

// Shapes and gradients only: text would need fonts, and so a GUI application object, which the
// command-line database creation does not have.

const QColor BodyRed(0x9e, 0x1b, 0x1b);
const QColor Tyre(0x1c, 0x1c, 0x1e);

QString source()
{
    return QStringLiteral("GearLog sample pictures");
}

QImage canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    return image;
}

QLinearGradient chrome(QPointF from, QPointF to)
{
    QLinearGradient g(from, to);
    g.setColorAt(0.0, QColor(0xf4, 0xf6, 0xf8));
    g.setColorAt(0.45, QColor(0x9a, 0xa3, 0xad));
    g.setColorAt(0.55, QColor(0x5d, 0x66, 0x70));
    g.setColorAt(1.0, QColor(0xd8, 0xdd, 0xe2));
    return g;
}

void drawShadow(QPainter& p, QPointF centre, qreal rx, qreal ry)
{
    QRadialGradient g(centre, rx);
    g.setColorAt(0.0, QColor(0, 0, 0, 110));
    g.setColorAt(1.0, QColor(0, 0, 0, 0));
    p.save();
    p.translate(centre);
    p.scale(1.0, ry / rx);
    p.translate(-centre);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(centre, rx, rx);
    p.restore();
}

// A whitewall tyre on a painted steel rim behind a chrome hubcap; used by the truck and on its own.
void drawWheel(QPainter& p, QPointF c, qreal r)
{
    QRadialGradient rubber(c, r);
    rubber.setColorAt(0.75, QColor(0x3a, 0x3a, 0x3d));
    rubber.setColorAt(1.0, Tyre);
    p.setPen(Qt::NoPen);
    p.setBrush(rubber);
    p.drawEllipse(c, r, r);
    QRadialGradient wall(c, 0.80 * r);
    wall.setColorAt(0.85, QColor(0xfb, 0xfb, 0xf7));
    wall.setColorAt(1.0, QColor(0xc9, 0xc9, 0xc2));
    p.setBrush(wall);
    p.drawEllipse(c, 0.80 * r, 0.80 * r);
    p.setBrush(BodyRed.darker(115));
    p.drawEllipse(c, 0.63 * r, 0.63 * r);

    QConicalGradient cap(c, 30);
    for (int i = 0; i <= 8; ++i)
        cap.setColorAt(i / 8.0, i % 2 ? QColor(0x6b, 0x74, 0x7e) : QColor(0xf2, 0xf4, 0xf6));
    p.setPen(QPen(QColor(0x4a, 0x50, 0x57), std::max(1.0, r / 60)));
    p.setBrush(cap);
    p.drawEllipse(c, 0.50 * r, 0.50 * r);
    p.setPen(QPen(QColor(255, 255, 255, 150), std::max(1.0, r / 45), Qt::SolidLine, Qt::RoundCap));
    for (int i = 0; i < 12; ++i) {
        const qreal a = i * std::numbers::pi / 6;
        const QPointF dir(std::cos(a), std::sin(a));
        p.drawLine(c + dir * 0.24 * r, c + dir * 0.44 * r);
    }
    QRadialGradient dome(c - QPointF(0.06 * r, 0.06 * r), 0.22 * r);
    dome.setColorAt(0.0, Qt::white);
    dome.setColorAt(1.0, QColor(0x7c, 0x85, 0x8f));
    p.setPen(Qt::NoPen);
    p.setBrush(dome);
    p.drawEllipse(c, 0.20 * r, 0.20 * r);
    p.setBrush(BodyRed);
    p.drawEllipse(c, 0.07 * r, 0.07 * r);
}

void drawSky(QPainter& p, const QRectF& area, qreal horizon)
{
    QLinearGradient sky(area.topLeft(), QPointF(area.left(), horizon));
    sky.setColorAt(0.0, QColor(0x8f, 0xbc, 0xe0));
    sky.setColorAt(1.0, QColor(0xf3, 0xee, 0xe2));
    p.fillRect(QRectF(area.topLeft(), QPointF(area.right(), horizon)), sky);
    QPainterPath hills(QPointF(area.left(), horizon));
    const qreal w = area.width();
    hills.cubicTo(w * 0.25, horizon - 60, w * 0.45, horizon - 10, w * 0.6, horizon - 35);
    hills.cubicTo(w * 0.75, horizon - 55, w * 0.9, horizon - 15, area.right(), horizon - 25);
    hills.lineTo(area.right(), horizon);
    p.fillPath(hills, QColor(0xa9, 0xbf, 0xa4));
    QLinearGradient ground(QPointF(0, horizon), area.bottomLeft());
    ground.setColorAt(0.0, QColor(0xbd, 0xb6, 0xa8));
    ground.setColorAt(1.0, QColor(0x86, 0x80, 0x75));
    p.fillRect(QRectF(QPointF(area.left(), horizon), area.bottomRight()), ground);
}

// Cab, hood and front fender in one outline, the step-side bed and its rear fender in others;
// the wheel openings are cut out of them.
void drawTruckBody(QPainter& p, QPointF rearWheel, QPointF frontWheel)
{
    QPainterPath cab(QPointF(262, 298));
    cab.lineTo(262, 150);
    cab.quadTo(264, 116, 302, 114);
    cab.lineTo(352, 114);
    cab.quadTo(382, 116, 390, 140);
    cab.lineTo(414, 200);
    cab.lineTo(562, 196);
    cab.quadTo(606, 198, 612, 232);
    cab.lineTo(614, 284);
    cab.quadTo(614, 298, 600, 298);
    cab.closeSubpath();
    QPainterPath arch;
    arch.addEllipse(frontWheel, 56, 56);
    cab = cab.subtracted(arch);

    QPainterPath bed;
    bed.addRoundedRect(QRectF(36, 196, 230, 96), 6, 6);
    QPainterPath fender(QPointF(90, 300));
    fender.cubicTo(96, 226, 236, 226, 244, 300);
    fender.closeSubpath();
    QPainterPath rearArch;
    rearArch.addEllipse(rearWheel, 52, 52);
    fender = fender.subtracted(rearArch);
    bed = bed.subtracted(rearArch);

    QLinearGradient paint(0, 110, 0, 300);
    paint.setColorAt(0.0, BodyRed.lighter(150));
    paint.setColorAt(0.35, BodyRed);
    paint.setColorAt(1.0, BodyRed.darker(170));
    p.setPen(QPen(BodyRed.darker(220), 1.5));
    p.setBrush(paint);
    p.drawPath(bed);
    p.drawPath(cab);
    p.drawPath(fender);

    p.fillRect(QRectF(240, 294, 26, 10), QColor(0x2a, 0x2a, 0x2a)); // running board
    p.fillRect(QRectF(36, 196, 230, 8), BodyRed.lighter(125)); // bed rail
    p.setPen(QPen(BodyRed.darker(200), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(274, 206, 118, 86), 8, 8); // door seam
    p.drawLine(QPointF(416, 214), QPointF(600, 212)); // hood crease
}

void drawTruckDetails(QPainter& p)
{
    QPainterPath window(QPointF(276, 198));
    window.lineTo(276, 152);
    window.quadTo(278, 128, 304, 127);
    window.lineTo(350, 127);
    window.quadTo(372, 128, 378, 146);
    window.lineTo(396, 198);
    window.closeSubpath();
    QLinearGradient glass(276, 127, 396, 198);
    glass.setColorAt(0.0, QColor(0xdc, 0xec, 0xf7));
    glass.setColorAt(0.5, QColor(0x7f, 0xa4, 0xc0));
    glass.setColorAt(1.0, QColor(0x3d, 0x5a, 0x72));
    p.setPen(QPen(QColor(0xb8, 0xbe, 0xc4), 3));
    p.setBrush(glass);
    p.drawPath(window);
    p.setPen(QPen(QColor(255, 255, 255, 120), 7));
    p.drawLine(QPointF(300, 190), QPointF(330, 134));

    p.setPen(QPen(QColor(0x55, 0x5c, 0x63), 1));
    p.setBrush(chrome(QPointF(0, 280), QPointF(0, 300)));
    p.drawRoundedRect(QRectF(584, 278, 44, 20), 7, 7); // front bumper
    p.drawRoundedRect(QRectF(24, 280, 26, 16), 5, 5); // rear bumper
    p.drawRoundedRect(QRectF(286, 212, 20, 5), 2, 2); // door handle
    p.setBrush(chrome(QPointF(600, 212), QPointF(618, 236)));
    p.drawEllipse(QPointF(606, 222), 9, 13); // headlight rim
    p.setBrush(QColor(0xff, 0xf4, 0xc8));
    p.drawEllipse(QPointF(609, 222), 5, 9);
    p.setBrush(QColor(0xd2, 0x24, 0x1a));
    p.drawRoundedRect(QRectF(34, 212, 8, 18), 2, 2); // tail lamp
}

QImage carPicture()
{
    QImage image = canvas(640, 400);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawSky(p, QRectF(0, 0, 640, 400), 300);
    const QPointF rearWheel(167, 296);
    const QPointF frontWheel(492, 296);
    drawShadow(p, QPointF(326, 342), 310, 16);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x16, 0x16, 0x18));
    for (QPointF c : { rearWheel, frontWheel })
        p.drawPie(QRectF(c.x() - 54, c.y() - 54, 108, 108), 0, 180 * 16); // wheel wells
    drawTruckBody(p, rearWheel, frontWheel);
    drawTruckDetails(p);
    drawWheel(p, rearWheel, 46);
    drawWheel(p, frontWheel, 46);
    return image;
}

// One bank of the V8 seen from the front, along its cylinder axis: bank, head, chrome valve cover and
// exhaust manifold. The other bank is the same drawing mirrored.
void drawEngineBank(QPainter& p, const QColor& block)
{
    p.save();
    p.translate(240, 250);
    p.rotate(-45);
    QLinearGradient cast(-36, 0, 36, 0);
    cast.setColorAt(0.0, block.darker(160));
    cast.setColorAt(0.6, block.lighter(110));
    cast.setColorAt(1.0, block.darker(130));
    p.setPen(QPen(block.darker(220), 1.5));
    p.setBrush(cast);
    p.drawRect(QRectF(-36, -132, 72, 80)); // cylinder bank
    p.setBrush(block.darker(120));
    p.drawRect(QRectF(-40, -158, 80, 28)); // head
    p.setPen(QPen(QColor(0x55, 0x5c, 0x63), 1.2));
    p.setBrush(chrome(QPointF(-44, 0), QPointF(44, 0)));
    p.drawRoundedRect(QRectF(-44, -184, 88, 28), 9, 9); // valve cover
    p.setBrush(QColor(0x3c, 0x40, 0x44));
    for (qreal x : { -30.0, 30.0 })
        p.drawEllipse(QPointF(x, -170), 3.5, 3.5);
    QLinearGradient rust(0, -150, 0, -80);
    rust.setColorAt(0.0, QColor(0x8a, 0x5a, 0x3c));
    rust.setColorAt(1.0, QColor(0x4e, 0x30, 0x22));
    p.setPen(QPen(QColor(0x3a, 0x24, 0x18), 1.2));
    p.setBrush(rust);
    p.drawRoundedRect(QRectF(-58, -150, 20, 72), 6, 6); // exhaust manifold
    p.restore();
}

void drawCarburettor(QPainter& p)
{
    const QColor zinc(0xb9, 0xb1, 0x8f);
    QLinearGradient body(218, 0, 262, 0);
    body.setColorAt(0.0, zinc.darker(130));
    body.setColorAt(0.5, zinc.lighter(120));
    body.setColorAt(1.0, zinc.darker(140));
    p.setPen(QPen(zinc.darker(200), 1.2));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(214, 98, 52, 40), 4, 4);
    p.setBrush(QColor(0x5a, 0x55, 0x48));
    p.drawEllipse(QPointF(272, 124), 6, 6); // throttle linkage
    p.setPen(QPen(QColor(0x55, 0x5c, 0x63), 1.2));
    p.setBrush(chrome(QPointF(0, 70), QPointF(0, 104)));
    p.drawEllipse(QPointF(240, 88), 74, 18); // air cleaner
    p.setBrush(chrome(QPointF(0, 60), QPointF(0, 84)));
    p.drawEllipse(QPointF(240, 76), 38, 10);
    p.setBrush(QColor(0xe8, 0xea, 0xec));
    p.drawEllipse(QPointF(240, 68), 10, 5); // wing nut
}

void drawFrontDrive(QPainter& p)
{
    const QPointF fan(240, 214), crank(240, 266), generator(332, 200);
    p.setPen(QPen(QColor(0x12, 0x12, 0x12), 7, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(QPolygonF({ fan + QPointF(-17, -6), generator + QPointF(-4, -23), generator + QPointF(21, 9),
        crank + QPointF(18, 19), crank + QPointF(-25, 6) })); // fan belt
    p.setPen(QPen(QColor(0x22, 0x22, 0x22), 1));
    QRadialGradient metal(generator, 24);
    metal.setColorAt(0.0, QColor(0x70, 0x74, 0x78));
    metal.setColorAt(1.0, QColor(0x30, 0x33, 0x36));
    p.setBrush(metal);
    p.drawEllipse(generator, 24, 24);
    p.setBrush(QColor(0x2b, 0x2b, 0x2b, 210));
    for (int i = 0; i < 4; ++i) {
        p.save();
        p.translate(fan);
        p.rotate(20 + i * 90);
        p.drawEllipse(QPointF(0, -28), 9, 24); // fan blade
        p.restore();
    }
    p.setBrush(chrome(fan - QPointF(0, 20), fan + QPointF(0, 20)));
    p.drawEllipse(fan, 18, 18);
    p.setBrush(chrome(crank - QPointF(0, 26), crank + QPointF(0, 26)));
    p.drawEllipse(crank, 26, 26);
    p.setBrush(QColor(0x44, 0x48, 0x4c));
    p.drawEllipse(crank, 8, 8);
}

QImage assemblyPicture()
{
    QImage image = canvas(480, 360);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient back(QPointF(240, 150), 300);
    back.setColorAt(0.0, QColor(0x5a, 0x67, 0x74));
    back.setColorAt(1.0, QColor(0x1b, 0x20, 0x26));
    p.fillRect(image.rect(), back);
    drawShadow(p, QPointF(240, 330), 190, 18);

    const QColor block(0x2f, 0x5f, 0xa8); // the Y-block's factory blue
    QLinearGradient cast(160, 0, 320, 0);
    cast.setColorAt(0.0, block.darker(150));
    cast.setColorAt(0.5, block.lighter(115));
    cast.setColorAt(1.0, block.darker(150));
    drawEngineBank(p, block);
    p.save();
    p.translate(480, 0);
    p.scale(-1, 1);
    drawEngineBank(p, block);
    p.restore();
    p.setPen(QPen(block.darker(220), 1.5));
    p.setBrush(cast);
    p.drawPolygon(
        QPolygonF({ QPointF(176, 196), QPointF(240, 150), QPointF(304, 196), QPointF(318, 286), QPointF(162, 286) }));
    p.setBrush(QColor(0x26, 0x28, 0x2b));
    p.drawPolygon(QPolygonF({ QPointF(170, 284), QPointF(310, 284), QPointF(296, 322), QPointF(184, 322) }));
    p.setPen(QPen(block.darker(220), 1.5));
    p.setBrush(block);
    p.drawPolygon(QPolygonF({ QPointF(196, 168), QPointF(284, 168), QPointF(270, 132), QPointF(210, 132) }));
    drawCarburettor(p);
    drawFrontDrive(p);
    return image;
}

QImage componentPicture()
{
    QImage image = canvas(400, 400);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient back(QPointF(200, 170), 280);
    back.setColorAt(0.0, QColor(0xf6, 0xf3, 0xec));
    back.setColorAt(1.0, QColor(0xb5, 0xb9, 0xbe));
    p.fillRect(image.rect(), back);
    drawShadow(p, QPointF(206, 372), 170, 16);
    drawWheel(p, QPointF(200, 196), 168);
    // A soft reflection across the upper left of the hubcap.
    QRadialGradient shine(QPointF(160, 150), 60);
    shine.setColorAt(0.0, QColor(255, 255, 255, 140));
    shine.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(shine);
    p.drawEllipse(QPointF(160, 150), 60, 60);
    return image;
}

QString save(const QImage& image, const QDir& dir, const QString& name)
{
    const QString path = dir.absoluteFilePath(name);
    common::SafeFile file(path);
    if (!file.open() || !image.save(file.device(), "PNG") || !file.commit())
        throw StoreError(code::CantOpen, QStringLiteral("The picture '%1' could not be written.").arg(path), source());
    return path;
}

} // namespace

SamplePicturePaths writeSamplePictures(const QString& folder)
{
    QDir dir(folder);
    if (!dir.mkpath(QStringLiteral(".")))
        throw StoreError(code::CantOpen, QStringLiteral("The folder '%1' could not be made.").arg(folder), source());
    SamplePicturePaths paths;
    paths.car = save(carPicture(), dir, QStringLiteral("sample-car.png"));
    paths.assembly = save(assemblyPicture(), dir, QStringLiteral("sample-engine.png"));
    paths.component = save(componentPicture(), dir, QStringLiteral("sample-hubcap.png"));
    return paths;
}

} // namespace store
