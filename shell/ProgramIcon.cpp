#include "ProgramIcon.h"

#include <QPainter>
#include <QPainterPath>

QPixmap ProgramPixmap(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);

    // The board: a dark blue-green plate with a lighter rim.
    p.setPen(QPen(QColor(20, 60, 80), 1.2));
    p.setBrush(QColor(30, 110, 140));
    p.drawRoundedRect(QRectF(1, 1, 30, 30), 4, 4);

    // A gate on it, grey like the building blocks, with its "&".
    p.setPen(QPen(Qt::black, 0.8));
    p.setBrush(QColor(200, 200, 200));
    p.drawRect(QRectF(9, 6, 12, 14));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(10);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(9, 6, 12, 14), Qt::AlignCenter, QStringLiteral("&"));

    // Two inputs (blue) and the output (green).
    auto socket = [&p](QPointF centre, QColor colour) {
        p.setPen(QPen(Qt::black, 0.8));
        p.setBrush(colour);
        p.drawEllipse(centre, 2.4, 2.4);
    };
    p.setPen(QPen(Qt::black, 0.9));
    p.drawLine(QPointF(6.5, 10), QPointF(9, 10));
    p.drawLine(QPointF(6.5, 16), QPointF(9, 16));
    p.drawLine(QPointF(21, 13), QPointF(23.5, 13));
    socket({5, 10}, QColor(0, 0, 255));
    socket({5, 16}, QColor(0, 0, 255));
    socket({25, 13}, QColor(0, 255, 0));

    // A red wire from the output to a lamp that lights.
    QPainterPath wire(QPointF(25, 15.5));
    wire.cubicTo(QPointF(27, 24), QPointF(18, 22), QPointF(14.5, 25));
    p.setPen(QPen(QColor(220, 30, 30), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(wire);
    p.setPen(QPen(Qt::black, 0.8));
    p.setBrush(QColor(255, 230, 60));
    p.drawEllipse(QPointF(11.5, 26), 3.2, 3.2);
    p.drawLine(QPointF(9.3, 23.8), QPointF(13.7, 28.2));
    p.drawLine(QPointF(13.7, 23.8), QPointF(9.3, 28.2));
    return pixmap;
}

QIcon ProgramIcon()
{
    QIcon icon;
    for (int size : {16, 32, 48, 64})
        icon.addPixmap(ProgramPixmap(size));
    return icon;
}
