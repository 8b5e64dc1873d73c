// The start-up pictures, painted once with QPainter. The board illustration and the
// round push buttons of the start menu echo the real board: grey modules with coloured
// sockets, and red caps that light up yellow under the mouse.
#include "StartupImages.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>
#include <cmath>

namespace {

const QColor kNavy(0x16, 0x32, 0x4f);
const QColor kBlue(0x2a, 0x6f, 0x97);
const QColor kTeal(0x2a, 0x9d, 0x8f);
const QColor kYellow(0xf2, 0xc1, 0x4e);
const QColor kRed(0xd6, 0x3c, 0x2f);
const QColor kPanel(0xe9, 0xee, 0xf2);
const QColor kModule(0xc9, 0xd2, 0xda);

QFont Face(int pixels, bool bold = false)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(pixels);
    font.setBold(bold);
    font.setHintingPreference(QFont::PreferFullHinting);
    return font;
}

QImage Canvas(int width, int height, const QColor& fill)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(fill);
    return image;
}

void Begin(QPainter& p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
}

void Text(QPainter& p, QPointF baseline, const QString& text, const QFont& font, const QColor& colour)
{
    p.setFont(font);
    p.setPen(colour);
    p.drawText(baseline, text);
}

// ---------------------------------------------------------------------------------
// The maker's mark: an "M" of circuit tracks with solder pads on a disc.

void DrawMark(QPainter& p, QRectF disc, bool lit)
{
    const QPointF c = disc.center();
    const double r = disc.width() / 2;
    if (lit) {
        QRadialGradient glow(c, r * 1.25);
        glow.setColorAt(0.6, QColor(242, 193, 78, 150));
        glow.setColorAt(1.0, QColor(242, 193, 78, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(c, r * 1.25, r * 1.25);
    }
    QRadialGradient body(c - QPointF(r * 0.3, r * 0.35), r * 1.4);
    body.setColorAt(0, lit ? kTeal.lighter(115) : kBlue);
    body.setColorAt(1, lit ? kTeal.darker(150) : kNavy);
    p.setPen(QPen(lit ? kYellow : kNavy.darker(130), r * 0.05));
    p.setBrush(body);
    p.drawEllipse(c, r, r);

    const double s = r * 0.5;
    const QPointF m[] = {c + QPointF(-s, s * 0.95), c + QPointF(-s, -s * 0.85), c + QPointF(0, s * 0.1),
                         c + QPointF(s, -s * 0.85), c + QPointF(s, s * 0.95)};
    const QColor track = lit ? kYellow : QColor(0xf4, 0xf6, 0xf8);
    QPainterPath path(m[0]);
    for (int i = 1; i < 5; ++i)
        path.lineTo(m[i]);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(track, r * 0.13, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    // A branch from the middle of the M to a pad below: the mark's "L".
    p.drawLine(m[2], c + QPointF(0, s * 0.95));
    p.setPen(Qt::NoPen);
    for (QPointF pad : {m[0], m[4], c + QPointF(0, s * 0.95)}) {
        p.setBrush(track);
        p.drawEllipse(pad, r * 0.14, r * 0.14);
        p.setBrush(lit ? kTeal.darker(150) : kNavy);
        p.drawEllipse(pad, r * 0.06, r * 0.06);
    }
}

QImage MakerLogo(bool second)
{
    QImage image = Canvas(390, 166, second ? kNavy : Qt::white);
    QPainter p(&image);
    Begin(p);
    if (second) {
        QLinearGradient sky(0, 0, 0, 166);
        sky.setColorAt(0, kNavy);
        sky.setColorAt(1, kBlue.darker(120));
        p.fillRect(image.rect(), sky);
    }
    DrawMark(p, QRectF(26, 28, 110, 110), second);
    const QColor ink = second ? Qt::white : kNavy;
    Text(p, {158, 72}, QStringLiteral("Morvane,"), Face(31, true), ink);
    Text(p, {158, 108}, QStringLiteral("Lindholt"), Face(31, true), ink);
    p.setPen(QPen(second ? kYellow : kTeal, 2));
    p.drawLine(QPointF(160, 122), QPointF(362, 122));
    Text(p, {160, 141}, QStringLiteral("leermiddelen voor de natuurkunde"), Face(11),
         second ? kYellow : QColor(0x5a, 0x6b, 0x7b));
    return image;
}

// ---------------------------------------------------------------------------------
// A small board: push buttons, an AND gate and a lit lamp, wired together.

void DrawSocket(QPainter& p, QPointF c, const QColor& ring)
{
    p.setPen(QPen(QColor(0x30, 0x30, 0x30), 1));
    p.setBrush(ring);
    p.drawEllipse(c, 5.5, 5.5);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x22, 0x22, 0x22));
    p.drawEllipse(c, 2.2, 2.2);
}

void DrawModule(QPainter& p, QRectF box, const QString& title)
{
    p.setPen(QPen(QColor(0x8d, 0x99, 0xa6), 1));
    p.setBrush(kModule);
    p.drawRoundedRect(box, 4, 4);
    p.setPen(QPen(Qt::white, 1));
    p.drawLine(box.topLeft() + QPointF(3, 1), box.topRight() + QPointF(-3, 1));
    p.setFont(Face(9, true));
    p.setPen(QColor(0x33, 0x41, 0x4e));
    p.drawText(QRectF(box.left(), box.top() + 2, box.width(), 13), Qt::AlignCenter, title);
}

void DrawCap(QPainter& p, QPointF c, double r, bool lit)
{
    QRadialGradient cap(c - QPointF(r * 0.35, r * 0.4), r * 1.3);
    cap.setColorAt(0, lit ? QColor(0xff, 0xf8, 0xc8) : QColor(0xff, 0x8a, 0x7a));
    cap.setColorAt(1, lit ? QColor(0xe8, 0xa3, 0x00) : kRed.darker(125));
    p.setPen(QPen(QColor(0x4a, 0x1d, 0x18), 0.8));
    p.setBrush(cap);
    p.drawEllipse(c, r, r);
}

// A cable from a to b, sagging as it leaves a and as it reaches b.
void DrawWire(QPainter& p, QPointF a, QPointF b, const QColor& colour, QPointF leave, QPointF reach)
{
    QPainterPath path(a);
    path.cubicTo(a + leave, b + reach, b);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 0, 0, 60), 3.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path.translated(0.8, 1.2));
    p.setPen(QPen(colour, 2.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(path);
}

void DrawWire(QPainter& p, QPointF a, QPointF b, const QColor& colour)
{
    const double sag = std::max(12.0, std::abs(b.x() - a.x()) * 0.25);
    DrawWire(p, a, b, colour, QPointF(sag, sag * 0.6), QPointF(-sag, sag * 0.6));
}

const QColor kInputSocket(0xf5, 0xd5, 0x47);
const QColor kOutputSocket(0xe5, 0x4b, 0x3c);

// A push button module, held down (lit); returns its output socket.
QPointF DrawPushButton(QPainter& p, QRectF box)
{
    DrawModule(p, box, QStringLiteral("Drukknop"));
    const QPointF cap(box.left() + 30, box.top() + box.height() * 0.62);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3d, 0x48, 0x52));
    p.drawEllipse(cap, 11, 11);
    DrawCap(p, cap, 8, true);
    const QPointF out(box.right() - 20, cap.y());
    DrawSocket(p, out, kOutputSocket);
    return out;
}

struct GateSockets {
    QPointF a, b, out;
};

GateSockets DrawAndGate(QPainter& p, QRectF box)
{
    DrawModule(p, box, QStringLiteral("EN-poort"));
    const double cy = box.top() + 8 + (box.height() - 8) / 2;
    const QRectF symbol(box.left() + 34, cy - 25, 38, 50);
    p.setPen(QPen(QColor(0x22, 0x22, 0x22), 1.4));
    p.setBrush(Qt::white);
    p.drawRect(symbol);
    p.setFont(Face(20, true));
    p.drawText(symbol, Qt::AlignCenter, QStringLiteral("&"));
    const GateSockets s{{box.left() + 16, cy - 15}, {box.left() + 16, cy + 15},
                        {box.right() - 14, cy}};
    for (QPointF in : {s.a, s.b}) {
        p.drawLine(in + QPointF(2, 0), QPointF(symbol.left(), in.y()));
        DrawSocket(p, in, kInputSocket);
    }
    p.drawLine(QPointF(symbol.right(), cy), s.out - QPointF(2, 0));
    DrawSocket(p, s.out, kOutputSocket);
    return s;
}

// A lamp module, lit; returns its input socket.
QPointF DrawLampModule(QPainter& p, QRectF box)
{
    DrawModule(p, box, QStringLiteral("Lamp"));
    const QPointF lamp(box.right() - 36, box.top() + 8 + (box.height() - 8) / 2);
    QRadialGradient glow(lamp, 30);
    glow.setColorAt(0, QColor(255, 236, 140, 230));
    glow.setColorAt(1, QColor(255, 236, 140, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(lamp, 30, 30);
    p.setPen(QPen(QColor(0x22, 0x22, 0x22), 1.6));
    p.setBrush(QColor(0xff, 0xe0, 0x6a));
    p.drawEllipse(lamp, 14, 14);
    const double d = 14 / 1.4142;
    p.drawLine(lamp + QPointF(-d, -d), lamp + QPointF(d, d));
    p.drawLine(lamp + QPointF(d, -d), lamp + QPointF(-d, d));
    const QPointF in(box.left() + 16, lamp.y());
    DrawSocket(p, in, kInputSocket);
    return in;
}

void DrawPanel(QPainter& p, QSizeF size)
{
    p.setPen(QPen(QColor(0x7b, 0x8a, 0x99), 1.2));
    p.setBrush(kPanel);
    p.drawRoundedRect(QRectF(QPointF(0, 0), size), 8, 8);
    p.setPen(QPen(QColor(0xd2, 0xda, 0xe1), 1));
    for (int x = 20; x < size.width(); x += 20)
        p.drawLine(QPointF(x, 6), QPointF(x, size.height() - 6));
}

const QColor kRedWire(0xc0, 0x39, 0x2b);
const QColor kBlueWire(0x1f, 0x5f, 0xa8);
const QColor kBlackWire(0x2e, 0x2e, 0x2e);

// A small board: two push buttons held down, so the AND gate lights the lamp. Drawn in
// a 420 x 150 frame scaled into 'area'.
void DrawBoardInARow(QPainter& p, QRectF area)
{
    p.save();
    p.translate(area.topLeft());
    p.scale(area.width() / 420.0, area.height() / 150.0);
    DrawPanel(p, QSizeF(420, 150));
    const QPointF a = DrawPushButton(p, QRectF(16, 14, 92, 56));
    const QPointF b = DrawPushButton(p, QRectF(16, 80, 92, 56));
    const GateSockets gate = DrawAndGate(p, QRectF(164, 30, 104, 90));
    const QPointF lamp = DrawLampModule(p, QRectF(318, 30, 86, 90));
    DrawWire(p, a, gate.a, kRedWire);
    DrawWire(p, b, gate.b, kBlueWire);
    DrawWire(p, gate.out, lamp, kBlackWire);
    p.restore();
}

// The same board in two rows, for a square place: 240 x 200 scaled into 'area'.
void DrawBoardInASquare(QPainter& p, QRectF area)
{
    p.save();
    p.translate(area.topLeft());
    p.scale(area.width() / 240.0, area.height() / 200.0);
    DrawPanel(p, QSizeF(240, 200));
    const QPointF a = DrawPushButton(p, QRectF(10, 10, 96, 62));
    const QPointF b = DrawPushButton(p, QRectF(10, 128, 96, 62));
    const GateSockets gate = DrawAndGate(p, QRectF(124, 10, 106, 100));
    const QPointF lamp = DrawLampModule(p, QRectF(124, 122, 106, 68));
    DrawWire(p, a, gate.a, kRedWire);
    DrawWire(p, b, gate.b, kBlueWire, QPointF(22, -10), QPointF(-24, 14));
    DrawWire(p, gate.out, lamp, kBlackWire, QPointF(18, 40), QPointF(-26, -34));
    p.restore();
}

QImage ProductSplash()
{
    QImage image = Canvas(490, 310, Qt::white);
    QPainter p(&image);
    Begin(p);
    // The lowest strip stays white: the progress line of the start-up is written there.
    QLinearGradient sky(0, 0, 0, 282);
    sky.setColorAt(0, kNavy);
    sky.setColorAt(1, kBlue);
    p.fillRect(QRect(0, 0, 490, 282), sky);
    p.fillRect(QRect(0, 280, 490, 2), kYellow);

    Text(p, {26, 58}, QStringLiteral("Veldtrak Tanvo"), Face(36, true), Qt::white);
    Text(p, {28, 84}, QStringLiteral("het systeembord op je scherm"), Face(15), kYellow);
    p.setFont(Face(11));
    p.setPen(QColor(0xdd, 0xe6, 0xee));
    p.drawText(QRectF(300, 22, 166, 16), Qt::AlignRight, QStringLiteral("Morvane, Lindholt"));
    p.drawText(QRectF(300, 40, 166, 16), Qt::AlignRight, QStringLiteral("versie 4.0"));

    DrawBoardInARow(p, QRectF(28, 108, 434, 155));
    return image;
}

// ---------------------------------------------------------------------------------
// The start menu: four buttons at fixed places, each a bar with its label and a round
// push button at its right end.

constexpr double kKnobReach = 11.5; // cap, collar and glow fit inside the pressed image

QPointF KnobCentre(int index)
{
    const CRect hot = kStartMenuHotAreas[std::size_t(index)];
    const CRect pressed = kStartMenuPressedAreas[std::size_t(index)];
    const double y = std::clamp((hot.top + hot.bottom) / 2.0, pressed.top + kKnobReach,
                                pressed.bottom - kKnobReach);
    return {(pressed.left + pressed.right) / 2.0, y};
}

void DrawKnob(QPainter& p, QPointF c, bool pressed)
{
    if (pressed) {
        QRadialGradient glow(c, kKnobReach);
        glow.setColorAt(0.7, QColor(255, 214, 90, 200));
        glow.setColorAt(1.0, QColor(255, 214, 90, 0));
        p.setPen(Qt::NoPen);
        p.setBrush(glow);
        p.drawEllipse(c, kKnobReach, kKnobReach);
    }
    p.setPen(QPen(QColor(0x1e, 0x25, 0x2b), 1));
    p.setBrush(QColor(0x3d, 0x48, 0x52));
    p.drawEllipse(c, 9.5, 9.5);
    // Pressed, the cap sinks in a little and lights up.
    DrawCap(p, c + (pressed ? QPointF(0.5, 0.8) : QPointF()), pressed ? 6.6 : 7.2, pressed);
    if (!pressed) {
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 150));
        p.drawEllipse(c + QPointF(-2.6, -2.8), 2.2, 1.5);
    }
}

const char* const kButtonLabels[kStartMenuButtonCount] = {"Leeg bord", "Introductie",
                                                          "Praktische opdrachten",
                                                          "Blackbox opdrachten"};

QImage StartMenu(int pressedButton)
{
    QImage image = Canvas(490, 310, Qt::white);
    QPainter p(&image);
    Begin(p);
    QLinearGradient ground(0, 118, 0, 310);
    ground.setColorAt(0, QColor(0xf2, 0xf6, 0xf9));
    ground.setColorAt(1, QColor(0xd5, 0xe1, 0xeb));
    p.fillRect(QRect(0, 118, 490, 192), ground);
    QLinearGradient sky(0, 0, 0, 118);
    sky.setColorAt(0, kNavy);
    sky.setColorAt(1, kBlue);
    p.fillRect(QRect(0, 0, 490, 118), sky);
    p.fillRect(QRect(0, 116, 490, 3), kYellow);

    DrawMark(p, QRectF(396, 20, 70, 70), false);
    Text(p, {24, 56}, QStringLiteral("Veldtrak Tanvo"), Face(34, true), Qt::white);
    Text(p, {26, 86}, QStringLiteral("Waar wil je mee beginnen?"), Face(15), kYellow);

    DrawBoardInASquare(p, QRectF(14, 134, 180, 150));

    for (int i = 0; i < kStartMenuButtonCount; ++i) {
        const CRect hot = kStartMenuHotAreas[std::size_t(i)];
        const QRectF bar(hot.left + 0.5, hot.top + 0.5, hot.Width() - 1, hot.Height() - 1);
        QLinearGradient face(0, bar.top(), 0, bar.bottom());
        face.setColorAt(0, Qt::white);
        face.setColorAt(1, QColor(0xe4, 0xeb, 0xf1));
        p.setPen(QPen(QColor(0x7f, 0x98, 0xae), 1));
        p.setBrush(face);
        p.drawRoundedRect(bar, bar.height() / 2, bar.height() / 2);

        const QPointF knob = KnobCentre(i);
        QFont font = Face(13, true);
        const QString label = QString::fromLatin1(kButtonLabels[i]);
        const double room = knob.x() - 14 - (hot.left + 12);
        while (QFontMetricsF(font).horizontalAdvance(label) > room && font.pixelSize() > 9)
            font.setPixelSize(font.pixelSize() - 1);
        p.setFont(font);
        p.setPen(kNavy);
        p.drawText(QRectF(hot.left + 12, hot.top, room, hot.Height()),
                   Qt::AlignRight | Qt::AlignVCenter, label);
        DrawKnob(p, knob, i + 1 == pressedButton);
    }
    p.setFont(Face(10));
    p.setPen(QColor(0x5a, 0x6b, 0x7b));
    p.drawText(QRectF(250, 286, 226, 16), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("Morvane, Lindholt"));
    return image;
}

// Cut from a menu drawn with that button pressed, so it fits its place exactly.
QImage PressedButton(int button)
{
    const CRect r = kStartMenuPressedAreas[std::size_t(button - 1)];
    return StartMenu(button).copy(r.left, r.top, r.Width(), r.Height());
}

} // namespace

const QImage& StartupImage(int number)
{
    static const QImage images[kStartImageCount] = {MakerLogo(false), MakerLogo(true),
                                                     ProductSplash(), StartMenu(0)};
    static const QImage none;
    return number >= 1 && number <= kStartImageCount ? images[number - 1] : none;
}

const QImage& PressedButtonImage(int button)
{
    static const QImage images[kStartMenuButtonCount] = {PressedButton(1), PressedButton(2),
                                                          PressedButton(3), PressedButton(4)};
    static const QImage none;
    return button >= 1 && button <= kStartMenuButtonCount ? images[button - 1] : none;
}
