#pragma once
// A picture as text a reviewer can read: a coarse map of where the ink is and of what
// colour, and for each band of rows the exact count of pixels that are not white and
// the sums of their red, green and blue. Any changed pixel changes a band's figures,
// and a diff of two recordings shows where the picture changed and how much.
#include <QImage>
#include <QStringList>

QStringList PixelText(const QImage& image);
