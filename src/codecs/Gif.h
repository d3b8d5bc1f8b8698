#pragma once
// GIF files: the first image of a file as a palette bitmap, and a bitmap written as GIF89a
// after our own colour reduction.

#include "codecs/ColorReduce.h"
#include "raster/Bitmap.h"

#include <QByteArray>
#include <optional>

namespace corvana {

struct GifImage {
  Bitmap bitmap;             // the logical screen, the image placed on it
  int transparentIndex = -1; // palette index of the transparent colour, or -1
  bool interlaced = false;
  std::optional<TColor> transparentColor() const;
};

struct GifWriteOptions {
  ReductionOptions reduction;
  std::optional<TColor> transparentColor; // pixels of this colour are written transparent
  bool interlace = false;
};

// Throws corvana::Error (with giflib's message where it has one) for unreadable files. A file
// cut short in its image data gives the rows it holds, the rest in the background colour; a
// colour index past the table draws entry 0.
GifImage ReadGif(const QByteArray &bytes);
QByteArray WriteGif(const Bitmap &bitmap, const GifWriteOptions &options = {});

} // namespace corvana
