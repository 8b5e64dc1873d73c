#pragma once
// Reading a picture's bitmap file. A file is data from outside: only a BMP whose
// header is sound, whose pixels the file really holds and whose size is reasonable
// for the board is read; anything else gives a null image, never a crash or a huge
// allocation.

#include <QImage>
#include <QString>

// Larger than the whole board at 96 dots per inch (about 3 100 x 4 300 pixels).
constexpr int kMaxBitmapSide = 8192;
constexpr qint64 kMaxBitmapPixels = 16 * 1024 * 1024; // 64 MB on screen

// The bitmap of a file (by its file-system path) in the screen's pixel format.
QImage LoadBitmapFile(const QString& path);

// The check made before anything is allocated: the file's first bytes and its size.
bool IsAcceptableBitmapHeader(const QByteArray& head, qint64 fileSize);
