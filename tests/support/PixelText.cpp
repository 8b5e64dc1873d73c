#include "PixelText.h"

#include <algorithm>
#include <array>

namespace {

constexpr int kCellWidth = 12;
constexpr int kBandHeight = 20;

// Which of a pixel's channels are bright: 0 (dark) to 7 (light grey).
std::size_t ColourClass(QRgb p)
{
    return std::size_t((qRed(p) > 127 ? 4 : 0) + (qGreen(p) > 127 ? 2 : 0) + (qBlue(p) > 127 ? 1 : 0));
}

constexpr std::array<char, 8> kClassLetters{'#', 'b', 'g', 'c', 'r', 'm', 'y', ':'};

} // namespace

QStringList PixelText(const QImage& source)
{
    const QImage image = source.convertToFormat(QImage::Format_RGB32);
    QStringList lines;
    for (int top = 0; top < image.height(); top += kBandHeight) {
        const int bottom = std::min(top + kBandHeight, image.height());
        QString map;
        long long ink = 0, red = 0, green = 0, blue = 0;
        for (int left = 0; left < image.width(); left += kCellWidth) {
            const int right = std::min(left + kCellWidth, image.width());
            std::array<int, 8> seen{};
            for (int y = top; y < bottom; ++y) {
                const QRgb* row = reinterpret_cast<const QRgb*>(image.constScanLine(y));
                for (int x = left; x < right; ++x) {
                    const QRgb p = row[x];
                    if ((p & 0xFFFFFF) == 0xFFFFFF)
                        continue;
                    ++ink;
                    red += qRed(p);
                    green += qGreen(p);
                    blue += qBlue(p);
                    ++seen[ColourClass(p)];
                }
            }
            const auto most = std::max_element(seen.begin(), seen.end());
            map += *most == 0 ? '.' : kClassLetters[std::size_t(most - seen.begin())];
        }
        lines << QStringLiteral("%1 %2 | %3 %4 %5 %6")
                     .arg(top, 4).arg(map).arg(ink).arg(red).arg(green).arg(blue);
    }
    return lines;
}
