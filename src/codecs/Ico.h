#pragma once
// Icon files: the best entry (largest, then deepest) as pixels with their transparency, and
// drawing it so that the old pixels stay under its transparent parts.

#include "raster/Bitmap.h"

#include <QByteArray>
#include <vector>

namespace corvana {

class Canvas;

struct Icon {
  Bitmap pixels;
  std::vector<quint8> alpha; // one byte per pixel, top row first; 0 transparent, 255 opaque
  int width() const { return pixels.width(); }
  int height() const { return pixels.height(); }
};

// Throws corvana::Error for anything that is not a readable icon.
Icon ReadIco(const QByteArray &bytes);
// Blends the icon over the canvas's bitmap with its top left at (x, y).
void DrawIcon(Canvas &canvas, int x, int y, const Icon &icon);

} // namespace corvana
