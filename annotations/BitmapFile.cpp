#include "BitmapFile.h"

#include "platform/FileIO.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>

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

QImage LoadBitmapFile(const QString& path)
{
    int fd = -1;
    if (OpenRegularFile(path, fd) != FILE_OK)
        return {};
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return {};
    }
    const qint64 size = file.size();
    const QByteArray head = file.peek(kFileHeaderSize + 124);
    if (!IsAcceptableBitmapHeader(head, size))
        return {};
    QImageReader reader(&file, "bmp");
    reader.setDecideFormatFromContent(false);
    QImage image;
    if (!reader.read(&image) || image.isNull())
        return {};
    return image.convertToFormat(QImage::Format_RGB32);
}
