#pragma once
// PNG files through Qt's PNG codec, so the image windows read and write them like the other
// formats: the size is checked before any pixel is allocated.

#include "raster/Bitmap.h"

#include <QByteArray>

namespace corvana {

// Throws corvana::Error for anything that is not a readable PNG. Transparent pixels are shown
// over white; a palette file gives an 8-bit bitmap with its palette.
Bitmap ReadPng(const QByteArray &bytes);
// True colour (24 bit) for every depth but the palette ones, which keep their palette.
QByteArray WritePng(const Bitmap &bitmap);

} // namespace corvana
