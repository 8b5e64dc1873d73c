// A picture's file (BMP, PNG or JPEG) as a worksheet brings it along: found in the bitmap folder,
// loaded, and drawn on the board twice (the second drawing removes the first). What
// loads is within the size the loader promises; what its header check refuses never
// loads.
#include "FuzzSupport.h"

#include "annotations/BitmapFile.h"
#include "annotations/Picture.h"
#include "platform/DrawContext.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>

#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    InitFuzzing();
    static const QString folder = [] {
        QDir(FuzzFolder()).mkpath(QStringLiteral("bmp"));
        return FuzzFolder() + QStringLiteral("/bmp/");
    }();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    {
        QFile file(folder + QStringLiteral("plaatje.bmp"));
        FuzzCheck(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the bitmap file opens");
        file.write(bytes);
    }

    CPlaatje picture;
    picture.m_rect = CRect(100, -100, 100, -100);
    picture.m_strFileName = QStringLiteral("plaatje.bmp");
    picture.LoadFiles(WindowsName(folder));
    // The loader checks the same first bytes of a BMP; PNG and JPEG go by their header's size.
    if (PictureFormatOf(bytes) == PictureFormat::Bmp &&
        !IsAcceptableBitmapHeader(bytes.left(14 + 124), qint64(size)))
        FuzzCheck(!picture.IsLoaded(), "a refused header never loads");
    if (picture.IsLoaded()) {
        FuzzCheck(picture.m_nWidth > 0 && picture.m_nWidth <= kMaxBitmapSide &&
                      picture.m_nHeight > 0 && picture.m_nHeight <= kMaxBitmapSide &&
                      qint64(picture.m_nWidth) * picture.m_nHeight <= kMaxBitmapPixels,
                  "a loaded bitmap is within the limits");
        CMemoryDC dc(128, 128);
        picture.Draw(dc);
        picture.Draw(dc);
    }
    return 0;
}
