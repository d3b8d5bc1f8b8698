#pragma once
// Measures for lossy round trips: peak signal-to-noise ratio and the largest channel error.

#include "raster/Bitmap.h"

#include <cmath>
#include <set>

namespace corvana::test {

inline double Psnr(const Bitmap &a, const Bitmap &b) {
  double sum = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      const TColor p = a.pixel(x, y), q = b.pixel(x, y);
      const double dr = GetRValue(p) - GetRValue(q), dg = GetGValue(p) - GetGValue(q), db = GetBValue(p) - GetBValue(q);
      sum += dr * dr + dg * dg + db * db;
    }
  const double mse = sum / (3.0 * a.width() * a.height());
  return mse == 0 ? 99.0 : 10 * std::log10(255.0 * 255.0 / mse);
}

inline int ColorCount(const Bitmap &b) {
  std::set<TColor> colors;
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x)
      colors.insert(b.pixel(x, y));
  return int(colors.size());
}

// Smooth colour ramps with a few hard edges: photo-like enough for lossy codecs.
inline Bitmap PhotoLike(int w, int h) {
  Bitmap b(w, h, PixelFormat::pf24bit);
  for (int y = 0; y < h; ++y) {
    quint32 *line = b.scanLine(y);
    for (int x = 0; x < w; ++x) {
      const double fx = double(x) / w, fy = double(y) / h;
      int r = int(255 * fx), g = int(255 * (0.5 + 0.5 * std::sin(6.0 * fy + 3 * fx))), bl = int(255 * (1 - fy));
      if ((x - w / 3) * (x - w / 3) + (y - h / 2) * (y - h / 2) < (h / 4) * (h / 4)) {
        r = 240;
        g = 200 - int(100 * fy);
        bl = 40;
      }
      r = std::clamp(r + int((x * 7 + y * 13) % 9) - 4, 0, 255);
      line[x] = Bitmap::toStored(RGB(r, g, bl));
    }
  }
  return b;
}

} // namespace corvana::test
