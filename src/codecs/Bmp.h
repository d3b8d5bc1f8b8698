#pragma once
// BMP files: reading every common depth and header form, writing at the bitmap's own depth.

#include "raster/Bitmap.h"

#include <QByteArray>

namespace corvana {

// Throws corvana::Error for anything that is not a readable BMP. A palette index past the
// palette draws entry 0; a 5-5-5 or 5-6-5 file gives a pf15bit or pf16bit bitmap.
Bitmap ReadBmp(const QByteArray &bytes);
// 1, 4 and 8 bit bitmaps are written with their palette, 16 bit ones as 5-5-5 or 5-6-5 words
// (their colours rounded to that grid), 24 and 32 bit ones as they are.
QByteArray WriteBmp(const Bitmap &bitmap);

Bitmap LoadBmpFile(const QString &path);
void SaveBmpFile(const QString &path, const Bitmap &bitmap);

} // namespace corvana
