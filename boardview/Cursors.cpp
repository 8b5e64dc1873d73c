// The four cursors are drawn here in code: a white arrow outlined in black, and beside
// its tail a small black symbol of the source the mouse stands for.
#include "Cursors.h"

#include "components/Sensor.h"
#include "core/Component.h"

#include <QBitmap>
#include <QPainter>
#include <QPolygon>

#include <array>

namespace {

constexpr int kSize = 32;

void DrawArrow(QPainter& p)
{
    const QPolygon arrow({{1, 1}, {1, 17}, {5, 13}, {8, 20}, {10, 19}, {7, 12}, {12, 12}});
    p.setPen(Qt::black);
    p.setBrush(Qt::white);
    p.drawPolygon(arrow);
}

// The source symbols are drawn around the point where the sensors take the source
// to be: the hot spot plus the sensors' offset.
constexpr QPoint kHotSpot(1, 1);
constexpr QPoint c(kHotSpot.x() + CSensor::kSourceOffsetX, kHotSpot.y() + CSensor::kSourceOffsetY);

// A lamp as on a circuit diagram: a circle with a cross.
void DrawLamp(QPainter& p)
{
    const QRect circle(c.x() - 7, c.y() - 7, 14, 14);
    p.setPen(QPen(Qt::white, 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(circle);
    p.setPen(QPen(Qt::black, 1));
    p.drawEllipse(circle);
    p.drawLine(c + QPoint(-5, -5), c + QPoint(5, 5));
    p.drawLine(c + QPoint(5, -5), c + QPoint(-5, 5));
}

// A loudspeaker: a box with a cone opening to the right, and two sound arcs.
void DrawLoudspeaker(QPainter& p)
{
    QPolygon cone({{-8, -3}, {-5, -3}, {0, -8}, {0, 8}, {-5, 3}, {-8, 3}});
    cone.translate(c);
    p.setPen(QPen(Qt::white, 3));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(cone);
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    p.drawPolygon(cone);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRect(c.x() - 2, c.y() - 4, 6, 8), -60 * 16, 120 * 16);
    p.drawArc(QRect(c.x() - 2, c.y() - 7, 10, 14), -60 * 16, 120 * 16);
}

// A heater: a frame with vertical bars, the grille of a radiator.
void DrawGrille(QPainter& p)
{
    p.setPen(Qt::white);
    p.setBrush(Qt::white);
    p.drawRect(QRect(c.x() - 9, c.y() - 7, 17, 15));
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(c.x() - 8, c.y() - 6, 15, 13));
    for (int x = -5; x <= 4; x += 3)
        p.drawLine(c.x() + x, c.y() - 4, c.x() + x, c.y() + 5);
    p.drawLine(c.x() - 8, c.y() + 8, c.x() - 8, c.y() + 9);
    p.drawLine(c.x() + 7, c.y() + 8, c.x() + 7, c.y() + 9);
}

QImage Paint(BoardCursor cursor)
{
    QImage image(kSize, kSize, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing, false);
    switch (cursor) {
    case CURSOR_LIGHT:
        DrawLamp(p);
        break;
    case CURSOR_SOUND:
        DrawLoudspeaker(p);
        break;
    case CURSOR_HEAT:
        DrawGrille(p);
        break;
    case CURSOR_PLAIN:
        break;
    }
    DrawArrow(p);
    return image;
}

QCursor MakeCursor(BoardCursor cursor)
{
    const QImage image = Paint(cursor);
    // One bit per pixel: black where the picture is black, opaque where it has paint.
    const QBitmap black = QBitmap::fromImage(image.createMaskFromColor(qRgba(0, 0, 0, 255)));
    const QBitmap mask = QBitmap::fromImage(image.createAlphaMask());
    return QCursor(black, mask, kHotSpot.x(), kHotSpot.y());
}

} // namespace

BoardCursor CursorForState(std::uint32_t keyState)
{
    switch (keyState) {
    case STATE_SHIFT:
        return CURSOR_LIGHT;
    case STATE_CTRL:
        return CURSOR_SOUND;
    case STATE_CAPSLOCK:
        return CURSOR_HEAT;
    default:
        return CURSOR_PLAIN;
    }
}

const QCursor& GetBoardCursor(BoardCursor cursor)
{
    static const std::array<QCursor, 4> cursors = {MakeCursor(CURSOR_HEAT), MakeCursor(CURSOR_LIGHT),
                                                   MakeCursor(CURSOR_PLAIN), MakeCursor(CURSOR_SOUND)};
    return cursors[std::size_t(cursor - CURSOR_HEAT)];
}

QImage BoardCursorImage(BoardCursor cursor)
{
    return Paint(cursor);
}
