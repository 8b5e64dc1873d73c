#include "ToolbarIcons.h"

#include "CommandIds.h"
#include "document/Document.h"

#include <QImage>
#include <QPixmap>

#include <array>
#include <cmath>
#include <numbers>

namespace {

constexpr int kWidth = 16;
constexpr int kHeight = 15;

using PixelRows = std::array<const char*, kHeight>;

QRgb Colour(char c)
{
    switch (c) {
    case '#':
        return qRgb(0, 0, 0);
    case '.':
        return qRgb(255, 255, 255);
    case 's':
        return qRgb(192, 192, 192);
    case 'S':
        return qRgb(128, 128, 128);
    case 'y':
        return qRgb(255, 222, 96);
    case 'Y':
        return qRgb(222, 170, 40);
    case 'b':
        return qRgb(40, 96, 224);
    case 'B':
        return qRgb(0, 0, 128);
    case 'g':
        return qRgb(0, 176, 0);
    case 'G':
        return qRgb(0, 112, 0);
    case 'r':
        return qRgb(224, 0, 0);
    case 'c':
        return qRgb(160, 216, 255);
    default:
        return qRgba(0, 0, 0, 0);
    }
}

QImage FromRows(const PixelRows& rows)
{
    QImage image(kWidth, kHeight, QImage::Format_ARGB32);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            image.setPixel(x, y, Colour(rows[std::size_t(y)][x]));
    return image;
}

// clang-format off
const PixelRows kNew = {
    "  #########     ",
    "  #.......##    ",
    "  #.......#.#   ",
    "  #.......####  ",
    "  #..........#  ",
    "  #..........#  ",
    "  #..........#  ",
    "  #..........#  ",
    "  #..........#  ",
    "  #..........#  ",
    "  #..........#  ",
    "  #..........#  ",
    "  #..........#  ",
    "  #..........#  ",
    "  ############  ",
};
const PixelRows kOpen = {
    "                ",
    "                ",
    "  ####          ",
    " #yyyy#         ",
    " #yyyyy######   ",
    " #yyyyyyyyyyy#  ",
    " #yyyy######### ",
    " #yyy#YYYYYYYY# ",
    " #yyy#YYYYYYY#  ",
    " #yy#YYYYYYYY#  ",
    " #yy#YYYYYYY#   ",
    " #y#YYYYYYYY#   ",
    " #y#YYYYYYY#    ",
    " ##YYYYYYYY#    ",
    " ##########     ",
};
const PixelRows kSave = {
    " ############## ",
    " #B#........#B# ",
    " #B#.######.#B# ",
    " #B#........#B# ",
    " #B#.######.#B# ",
    " #B##########B# ",
    " #BBBBBBBBBBBB# ",
    " #BBBBBBBBBBBB# ",
    " #BB########BB# ",
    " #BB#ss#sss#BB# ",
    " #BB#ss#sss#BB# ",
    " #BB#ss#sss#BB# ",
    " #BB#ss#sss#BB# ",
    " ############## ",
    "                ",
};
const PixelRows kPrint = {
    "                ",
    "    ########    ",
    "    #......#    ",
    "    #......#    ",
    "    #......#    ",
    "  ############  ",
    " #ssssssssssss# ",
    " #ssssssssssgs# ",
    " #SSSSSSSSSSSS# ",
    " #SS########SS# ",
    " ##S#......#S## ",
    "    #......#    ",
    "    #.####.#    ",
    "    #......#    ",
    "    ########    ",
};
const PixelRows kTextField = {
    "                ",
    " ############## ",
    " #............# ",
    " #.bbbbb......# ",
    " #...b........# ",
    " #...b..####..# ",
    " #...b........# ",
    " #...b..####..# ",
    " #............# ",
    " #.#########..# ",
    " #............# ",
    " #.#######....# ",
    " #............# ",
    " ############## ",
    "                ",
};
const PixelRows kTable = {
    "                ",
    " ############## ",
    " #cccc#cccc#cc# ",
    " #cccc#cccc#cc# ",
    " ############## ",
    " #....#....#..# ",
    " #....#....#..# ",
    " ############## ",
    " #....#....#..# ",
    " #....#....#..# ",
    " ############## ",
    " #....#....#..# ",
    " #....#....#..# ",
    " ############## ",
    "                ",
};
const PixelRows kPicture = {
    "                ",
    " ############## ",
    " #cccccccccccc# ",
    " #ccccccccyycc# ",
    " #cccccccyyyyc# ",
    " #ccccccccyycc# ",
    " #cccGcccccccc# ",
    " #ccGGGccccGcc# ",
    " #cGGGGGccGGGc# ",
    " #GGGGGGGGGGGG# ",
    " #gggggggggggg# ",
    " #gggggggggggg# ",
    " #gggggggggggg# ",
    " ############## ",
    "                ",
};
const PixelRows kProtection = {
    "                ",
    "     ######     ",
    "    ##    ##    ",
    "    #      #    ",
    "    #      #    ",
    "    #      #    ",
    "  ############  ",
    "  #yyyyyyyyyy#  ",
    "  #yyyyyyyyyy#  ",
    "  #yyyy##yyyy#  ",
    "  #yyyy##yyyy#  ",
    "  #yyyyy#yyyy#  ",
    "  #YYYYYYYYYY#  ",
    "  ############  ",
    "                ",
};
const PixelRows kPrevBoard = {
    "                ",
    "                ",
    "      #         ",
    "     ##         ",
    "    #g#         ",
    "   #gg########  ",
    "  #ggggggggggg# ",
    " #gggggggggggg# ",
    "  #ggggggggggg# ",
    "   #gg########  ",
    "    #g#         ",
    "     ##         ",
    "      #         ",
    "                ",
    "                ",
};
const PixelRows kReset = {
    "                ",
    "                ",
    "  bb        b   ",
    "  bb       bb   ",
    "  bb     bbbb   ",
    "  bb    bbbbb   ",
    "  bb  bbbbbbb   ",
    "  bb bbbbbbbb   ",
    "  bb  bbbbbbb   ",
    "  bb    bbbbb   ",
    "  bb     bbbb   ",
    "  bb       bb   ",
    "  bb        b   ",
    "                ",
    "                ",
};
// An arrow that turns back to the left; mirrored it goes forward again.
const PixelRows kUndo = {
    "                ",
    "                ",
    "    #           ",
    "   ##           ",
    "  #B######      ",
    " #BBBBBBBB##    ",
    "  #B######B#    ",
    "   ##     #B#   ",
    "    #      #B#  ",
    "           #B#  ",
    "           #B#  ",
    "          #B#   ",
    "       ####B#   ",
    "       #BBB#    ",
    "       ####     ",
};
const PixelRows kStart = {
    "                ",
    "                ",
    "    g           ",
    "    gg          ",
    "    gggg        ",
    "    ggggg       ",
    "    ggggggg     ",
    "    gggggggg    ",
    "    ggggggg     ",
    "    ggggg       ",
    "    gggg        ",
    "    gg          ",
    "    g           ",
    "                ",
    "                ",
};
const PixelRows kStop = {
    "                ",
    "                ",
    "                ",
    "   rrrrrrrrr    ",
    "   rrrrrrrrr    ",
    "   rrrrrrrrr    ",
    "   rrrrrrrrr    ",
    "   rrrrrrrrr    ",
    "   rrrrrrrrr    ",
    "   rrrrrrrrr    ",
    "   rrrrrrrrr    ",
    "   rrrrrrrrr    ",
    "                ",
    "                ",
    "                ",
};
// Axes with a square wave above a rising line: two traces of a measurement.
const PixelRows kChart = {
    "                ",
    " #              ",
    " #              ",
    " #  rrrr    rrr ",
    " #  r  r    r   ",
    " #  r  r    r   ",
    " #  r  r    r   ",
    " #rrr  rrrrrr   ",
    " #           b  ",
    " #         bb   ",
    " #       bb     ",
    " #     bb       ",
    " #   bb         ",
    " # bb           ",
    " ###############",
};
const std::array<const char*, 9> kQuestionMark = {
    " #### ",
    "##  ##",
    "    ##",
    "   ## ",
    "  ##  ",
    "  ##  ",
    "      ",
    "  ##  ",
    "  ##  ",
};
// clang-format on

// A grey gear: a hub with a hole and eight teeth, outlined in black.
QImage Gear()
{
    constexpr double kCx = 7.5, kCy = 7.0;
    auto inside = [&](int x, int y) {
        const double dx = x - kCx, dy = y - kCy;
        const double r = std::hypot(dx, dy);
        if (r < 2.0) return false; // the hole
        if (r <= 4.8) return true;
        const double toothAngle = std::numbers::pi / 4;
        const double a = std::atan2(dy, dx) + toothAngle / 2;
        const double offset = std::fabs(std::remainder(a, toothAngle));
        return r <= 6.9 && offset < toothAngle * 0.28;
    };
    QImage image(kWidth, kHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (!inside(x, y)) continue;
            const bool edge =
                !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            image.setPixel(x, y, Colour(edge ? '#' : (x + y < 15 ? 's' : 'S')));
        }
    }
    return image;
}

// A blue disc with a white question mark.
QImage Help()
{
    QImage image(kWidth, kHeight, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    for (int y = 0; y < kHeight; ++y)
        for (int x = 0; x < kWidth; ++x)
            if (std::hypot(x - 7.5, y - 7.0) <= 7.0)
                image.setPixel(x, y, Colour(std::hypot(x - 7.5, y - 7.0) > 6.2 ? 'B' : 'b'));
    for (int row = 0; row < int(kQuestionMark.size()); ++row)
        for (int col = 0; col < 6; ++col)
            if (kQuestionMark[std::size_t(row)][col] == '#')
                image.setPixel(5 + col, 3 + row, Colour('.'));
    return image;
}

QImage IconImage(int commandId)
{
    switch (commandId) {
    case ID_FILE_NEW:
        return FromRows(kNew);
    case ID_FILE_OPEN:
        return FromRows(kOpen);
    case ID_FILE_SAVE:
        return FromRows(kSave);
    case ID_FILE_PRINT:
        return FromRows(kPrint);
    case ID_EDIT_UNDO:
        return FromRows(kUndo);
    case ID_EDIT_REDO:
        return FromRows(kUndo).mirrored(true, false);
    case ID_INSERT_TEXTFIELD:
        return FromRows(kTextField);
    case ID_INSERT_TABLE:
        return FromRows(kTable);
    case ID_INSERT_PICTURE:
        return FromRows(kPicture);
    case ID_PROTECTION:
        return FromRows(kProtection);
    case ID_PREV_BOARD:
        return FromRows(kPrevBoard);
    case ID_NEXT_BOARD:
        return FromRows(kPrevBoard).mirrored(true, false);
    case ID_MEASURE_RESET:
        return FromRows(kReset);
    case ID_MEASURE_START:
        return FromRows(kStart);
    case ID_MEASURE_STOP:
        return FromRows(kStop);
    case ID_VIEW_CHART:
        return FromRows(kChart);
    case ID_SETTINGS:
        return Gear();
    case ID_HELP:
        return Help();
    default:
        return {};
    }
}

// Disabled buttons show their picture in light grey, like an engraving.
QImage Greyed(const QImage& image)
{
    QImage grey(image.size(), QImage::Format_ARGB32);
    grey.fill(Qt::transparent);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb p = image.pixel(x, y);
            if (qAlpha(p) == 0) continue;
            const int shade = qGray(p) < 160 ? 128 : 224;
            grey.setPixel(x, y, qRgb(shade, shade, shade));
        }
    return grey;
}

} // namespace

QPixmap ToolbarPixmap(int commandId)
{
    return QPixmap::fromImage(IconImage(commandId));
}

QIcon ToolbarIcon(int commandId)
{
    const QImage image = IconImage(commandId);
    if (image.isNull()) return {};
    QIcon icon(QPixmap::fromImage(image));
    icon.addPixmap(QPixmap::fromImage(Greyed(image)), QIcon::Disabled);
    return icon;
}
