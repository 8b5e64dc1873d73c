// The four cursors are drawn here in code: a white arrow outlined in black, and beside
// its tail a small black symbol of the source the mouse stands for.
#include "Cursors.h"

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

// A lamp as on a circuit diagram: a circle with a cross.
void DrawLamp(QPainter& p)
{
    p.setPen(QPen(Qt::white, 3));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRect(15, 15, 14, 14));
    p.setPen(QPen(Qt::black, 1));
    p.drawEllipse(QRect(15, 15, 14, 14));
    p.drawLine(17, 17, 27, 27);
    p.drawLine(27, 17, 17, 27);
}

// A loudspeaker: a box with a cone opening to the right, and two sound arcs.
void DrawLoudspeaker(QPainter& p)
{
    const QPolygon cone({{14, 19}, {17, 19}, {22, 14}, {22, 30}, {17, 25}, {14, 25}});
    p.setPen(QPen(Qt::white, 3));
    p.setBrush(Qt::NoBrush);
    p.drawPolygon(cone);
    p.setPen(Qt::black);
    p.setBrush(Qt::black);
    p.drawPolygon(cone);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRect(20, 18, 6, 8), -60 * 16, 120 * 16);
    p.drawArc(QRect(20, 15, 10, 14), -60 * 16, 120 * 16);
}

// A heater: a frame with vertical bars, the grille of a radiator.
void DrawGrille(QPainter& p)
{
    p.setPen(Qt::white);
    p.setBrush(Qt::white);
    p.drawRect(QRect(13, 15, 17, 15));
    p.setPen(Qt::black);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(14, 16, 15, 13));
    for (int x = 17; x <= 26; x += 3)
        p.drawLine(x, 18, x, 27);
    p.drawLine(14, 30, 14, 31);
    p.drawLine(29, 30, 29, 31);
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
    return QCursor(black, mask, 1, 1);
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
