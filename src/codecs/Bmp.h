#pragma once
// BMP files: reading every common depth and header form, writing at the bitmap's own depth.

#include "raster/Bitmap.h"

#include <QByteArray>

namespace corvana {

// Throws corvana::Error for anything that is not a readable BMP.
Bitmap ReadBmp(const QByteArray &bytes);
// 1, 4 and 8 bit bitmaps are written with their palette, 24 and 32 bit ones as they are.
QByteArray WriteBmp(const Bitmap &bitmap);

Bitmap LoadBmpFile(const QString &path);
void SaveBmpFile(const QString &path, const Bitmap &bitmap);

} // namespace corvana
