#pragma once
// Reading a picture's file: a BMP, PNG or JPEG, told by its first bytes. A file is data
// from outside: only a file whose header is sound, whose pixels the file really holds
// (for a BMP) and whose size is reasonable for the board is read; anything else gives a
// null image, never a crash or a huge allocation.

#include <QImage>
#include <QSize>
#include <QString>

// Larger than the whole board at 96 dots per inch (about 3 100 x 4 300 pixels).
constexpr int kMaxBitmapSide = 8192;
constexpr qint64 kMaxBitmapPixels = 16 * 1024 * 1024; // 64 MB on screen

enum class PictureFormat { None, Bmp, Png, Jpeg };

// The kind of picture these first bytes begin, or None.
PictureFormat PictureFormatOf(const QByteArray& head);
// The kind of picture the file (by its file-system path) holds, or None.
PictureFormat PictureFormatOfFile(const QString& path);

// The bitmap of a file (by its file-system path) in the screen's pixel format, within
// the limits above; transparent parts show white, as on the board.
QImage LoadBitmapFile(const QString& path);

// A picture the teacher places: read as LoadBitmapFile does, except that a photograph
// larger than 'fit' (or than the limits) is read scaled down to fit within 'fit',
// keeping its proportions. 'original' gets the size the file has. Null when the file
// is no picture that can be read.
QImage ReadPictureToFit(const QString& path, const QSize& fit, QSize& original);

// The check made before anything is allocated: the file's first bytes and its size.
bool IsAcceptableBitmapHeader(const QByteArray& head, qint64 fileSize);
