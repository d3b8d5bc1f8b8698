#pragma once
// Colour reduction for palette output: Wu's variance-minimising box cuts over an RGB
// histogram, then each pixel mapped to its nearest palette entry, plainly or with
// Floyd-Steinberg error diffusion.

#include "raster/Bitmap.h"

#include <QVector>
#include <vector>

namespace corvana {

struct ReductionOptions {
  int maxColors = 256; // 2..256
  bool dither = false; // plain nearest-colour mapping keeps the error lowest on photographs
};

struct IndexedImage {
  int width = 0;
  int height = 0;
  QVector<TColor> palette;
  std::vector<quint8> indices; // row-major, top row first
};

// A palette of at most `maxColors` colours chosen for the bitmap's pixels.
QVector<TColor> ChoosePalette(const Bitmap &bitmap, int maxColors);
// Maps every pixel to the palette.
IndexedImage MapToPalette(const Bitmap &bitmap, const QVector<TColor> &palette, bool dither);
// The bitmap's own colours when there are few enough, else a reduced palette; then mapped.
IndexedImage ReduceColors(const Bitmap &bitmap, const ReductionOptions &options = {});

} // namespace corvana
