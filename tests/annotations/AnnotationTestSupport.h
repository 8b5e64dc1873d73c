#pragma once
// Small helpers of the annotation tests: an offscreen board image at 96 dpi whose
// top-left pixel is the board's origin, and bitmap files made here.

#include "platform/DrawContext.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QImage>
#include <QString>

#include <functional>

constexpr int kDpi = 96;

// An image of the given size in pixels, filled white, with whatever 'draw' puts on it.
inline QImage Render(int width, int height, const std::function<void(CDC&)>& draw,
                     QRgb background = qRgb(255, 255, 255))
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(background);
    {
        CDC dc(image, kDpi);
        draw(dc);
    }
    return image;
}

// A 24-bit BMP of a small pattern: four coloured quarters and a black diagonal.
inline QImage PatternImage(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool right = x >= width / 2;
            const bool lower = y >= height / 2;
            QRgb c = right ? (lower ? qRgb(0, 0, 200) : qRgb(200, 0, 0))
                           : (lower ? qRgb(0, 160, 0) : qRgb(250, 220, 40));
            if (x == y)
                c = qRgb(0, 0, 0);
            image.setPixel(x, y, c);
        }
    return image;
}

inline bool WriteBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

inline QByteArray BmpBytes(const QImage& image)
{
    QByteArray out;
    QBuffer buffer(&out);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return out;
}
