#include "BitmapFile.h"

#include "platform/FileIO.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QPainter>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <unistd.h>

namespace {

constexpr int kFileHeaderSize = 14;
constexpr int kCoreHeaderSize = 12;
constexpr int kInfoHeaderSize = 40;
constexpr quint32 kRgb = 0;
constexpr quint32 kBitFields = 3;

quint32 U32(const QByteArray& b, int at)
{
    quint32 v = 0;
    for (int k = 3; k >= 0; --k)
        v = (v << 8) | quint8(b[at + k]);
    return v;
}

quint16 U16(const QByteArray& b, int at)
{
    return quint16(quint8(b[at]) | (quint8(b[at + 1]) << 8));
}

} // namespace

bool IsAcceptableBitmapHeader(const QByteArray& head, qint64 fileSize)
{
    if (head.size() < kFileHeaderSize + kCoreHeaderSize || head[0] != 'B' || head[1] != 'M')
        return false;
    const quint32 offset = U32(head, 10);
    const quint32 headerSize = U32(head, 14);
    qint64 width = 0;
    qint64 height = 0;
    int bits = 0;
    quint32 compression = kRgb;
    if (headerSize == kCoreHeaderSize) {
        width = U16(head, 18);
        height = U16(head, 20);
        bits = U16(head, 24);
    } else if (headerSize >= kInfoHeaderSize && head.size() >= kFileHeaderSize + kInfoHeaderSize) {
        width = qint32(U32(head, 18));
        height = qint32(U32(head, 22));
        bits = U16(head, 28);
        compression = U32(head, 30);
    } else {
        return false;
    }
    height = std::llabs(height); // negative: stored top-down
    if (width <= 0 || height <= 0 || width > kMaxBitmapSide || height > kMaxBitmapSide ||
        width * height > kMaxBitmapPixels)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    if (offset < kFileHeaderSize + headerSize || offset > fileSize)
        return false;
    if (compression == kRgb || compression == kBitFields) {
        // Rows are padded to four bytes; a file that ends early is refused whole.
        const qint64 stride = ((width * bits + 31) / 32) * 4;
        if (offset + stride * height > fileSize)
            return false;
    }
    return true;
}

namespace {

constexpr int kHeadSize = kFileHeaderSize + 124;
// What a photograph to be scaled down may have before it is decoded: a camera's largest.
constexpr int kMaxPhotoSide = 30000;
constexpr qint64 kMaxPhotoPixels = 200LL * 1000 * 1000;

bool OpenPictureFile(const QString& path, QFile& file)
{
    int fd = -1;
    if (OpenRegularFile(path, fd) != FILE_OK)
        return false;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return false;
    }
    return true;
}

bool WithinLimits(const QSize& size, int maxSide, qint64 maxPixels)
{
    return size.width() > 0 && size.height() > 0 && size.width() <= maxSide &&
           size.height() <= maxSide && qint64(size.width()) * size.height() <= maxPixels;
}

// In the screen's pixel format; what is transparent lies on the white board.
QImage OnWhite(const QImage& image)
{
    if (image.isNull())
        return {};
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage white(image.size(), QImage::Format_RGB32);
    white.fill(Qt::white);
    QPainter painter(&white);
    painter.drawImage(0, 0, image);
    return white;
}

QImage ReadBmp(QFile& file)
{
    if (!IsAcceptableBitmapHeader(file.peek(kHeadSize), file.size()))
        return {};
    QImageReader reader(&file, "bmp");
    reader.setDecideFormatFromContent(false);
    QImage image;
    if (!reader.read(&image))
        return {};
    return OnWhite(image);
}

// A PNG or JPEG whose size, as its header gives it, lies within the limits; when 'fit'
// is given, one larger than that is decoded at a size within it.
QImage ReadCompressed(QFile& file, PictureFormat format, int maxSide, qint64 maxPixels,
                      const QSize& fit, QSize* original)
{
    QImageReader reader(&file, format == PictureFormat::Png ? "png" : "jpeg");
    reader.setDecideFormatFromContent(false);
    reader.setAutoTransform(true); // a photograph taken upright shows upright
    const QSize stored = reader.size();
    if (!WithinLimits(stored, maxSide, maxPixels))
        return {};
    const bool turned = reader.transformation().testFlag(QImageIOHandler::TransformationRotate90);
    const QSize shown = turned ? stored.transposed() : stored;
    if (original)
        *original = shown;
    if (fit.isValid() && (shown.width() > fit.width() || shown.height() > fit.height())) {
        const QSize scaled = shown.scaled(fit, Qt::KeepAspectRatio).expandedTo(QSize(1, 1));
        reader.setScaledSize(turned ? scaled.transposed() : scaled); // before the turn
    }
    QImage image;
    if (!reader.read(&image))
        return {};
    return OnWhite(image);
}

} // namespace

PictureFormat PictureFormatOf(const QByteArray& head)
{
    if (head.startsWith("BM"))
        return PictureFormat::Bmp;
    if (head.startsWith("\x89PNG\r\n\x1a\n"))
        return PictureFormat::Png;
    if (head.startsWith("\xff\xd8\xff"))
        return PictureFormat::Jpeg;
    return PictureFormat::None;
}

// Opens a picture file and tells its format by its first bytes; None when it cannot be
// opened or holds no format we read.
static PictureFormat OpenSniffedPicture(const QString& path, QFile& file)
{
    return OpenPictureFile(path, file) ? PictureFormatOf(file.peek(kHeadSize)) : PictureFormat::None;
}

PictureFormat PictureFormatOfFile(const QString& path)
{
    QFile file;
    return OpenSniffedPicture(path, file);
}

QImage LoadBitmapFile(const QString& path)
{
    QFile file;
    const PictureFormat format = OpenSniffedPicture(path, file);
    if (format == PictureFormat::None)
        return {};
    if (format == PictureFormat::Bmp)
        return ReadBmp(file);
    const QImage image = ReadCompressed(file, format, kMaxBitmapSide, kMaxBitmapPixels, QSize(), nullptr);
    // The header's size is checked before decoding; the decoded one must agree.
    return WithinLimits(image.size(), kMaxBitmapSide, kMaxBitmapPixels) ? image : QImage();
}

QImage ReadPictureToFit(const QString& path, const QSize& fit, QSize& original)
{
    original = QSize();
    QFile file;
    const PictureFormat format = OpenSniffedPicture(path, file);
    if (format == PictureFormat::None)
        return {};
    QImage image;
    if (format == PictureFormat::Bmp) {
        image = ReadBmp(file);
        original = image.size();
        if (!image.isNull() && (image.width() > fit.width() || image.height() > fit.height()))
            image = image.scaled(fit, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    } else {
        image = ReadCompressed(file, format, kMaxPhotoSide, kMaxPhotoPixels, fit, &original);
    }
    if (!WithinLimits(image.size(), std::min(kMaxBitmapSide, std::max(fit.width(), fit.height())),
                      kMaxBitmapPixels))
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}
