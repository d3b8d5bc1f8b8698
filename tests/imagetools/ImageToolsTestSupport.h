#pragma once
// Pictures for the image tool tests, made on the fly so every test knows its pixels.

#include "raster/Bitmap.h"

#include <QByteArray>
#include <QString>

namespace corvana::test {

// Smooth gradients with a little noise: compresses like a photograph, so JPEG sizes grow
// with the quality.
Bitmap PhotoLike(int width, int height, unsigned seed = 1);
// An icon file of one PNG entry: blue, its top-left pixel transparent.
QByteArray BlueIconFile(int side);
// Distinct colours in a bitmap.
int ColourCount(const Bitmap &bitmap);

} // namespace corvana::test
