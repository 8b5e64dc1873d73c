// Draws the icons an installation needs, in every size the desktop asks for:
//   vt-make-icons FOLDER   writes FOLDER/hicolor/NxN/{apps,mimetypes}/NAME.png
// The program icon is the one the About box shows; a worksheet and an answer sheet
// are a page with that board on it and a coloured band with the extension.
#include "shell/ProgramIcon.h"

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QPainterPath>

#include <cstdio>

namespace {

QImage SheetIcon(int size, const QString& extension, QColor band)
{
    QImage image(size, size, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 32.0, size / 32.0);

    // A page with its top right corner folded.
    QPainterPath page;
    page.moveTo(5, 1);
    page.lineTo(21, 1);
    page.lineTo(27, 7);
    page.lineTo(27, 31);
    page.lineTo(5, 31);
    page.closeSubpath();
    p.setPen(QPen(QColor(90, 90, 90), 1.0));
    p.setBrush(Qt::white);
    p.drawPath(page);
    p.setBrush(QColor(220, 220, 220));
    p.drawPolygon(QPolygonF({QPointF(21, 1), QPointF(21, 7), QPointF(27, 7)}));

    // The board on it.
    const QPixmap board = ProgramPixmap(size);
    p.drawPixmap(QRectF(7, 6, 16, 16), board, QRectF(0, 0, size, size));

    // The extension on a band, left out where it could not be read.
    p.setPen(Qt::NoPen);
    p.setBrush(band);
    p.drawRect(QRectF(5, 23, 22, 8));
    if (size >= 24) {
        QFont font(QStringLiteral("DejaVu Sans"));
        font.setPixelSize(7);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRectF(5, 23, 22, 8), Qt::AlignCenter, extension);
    }
    return image;
}

bool Save(const QImage& image, const QString& folder, int size, const char* kind,
          const QString& name)
{
    const QString dir =
        QStringLiteral("%1/hicolor/%2x%2/%3").arg(folder).arg(size).arg(QLatin1String(kind));
    return QDir().mkpath(dir) && image.save(dir + u'/' + name + QStringLiteral(".png"));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "Gebruik: vt-make-icons MAP\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    bool ok = true;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        ok = ok &&
             Save(ProgramPixmap(size).toImage(), folder, size, "apps", QStringLiteral("veldtrak"));
        ok = ok && Save(SheetIcon(size, QStringLiteral("wks"), QColor(30, 110, 140)), folder, size,
                        "mimetypes", QStringLiteral("application-x-veldtrak-worksheet"));
        ok = ok && Save(SheetIcon(size, QStringLiteral("ant"), QColor(40, 140, 60)), folder, size,
                        "mimetypes", QStringLiteral("application-x-veldtrak-answer-sheet"));
    }
    return ok ? 0 : 1;
}
