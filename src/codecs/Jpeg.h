#pragma once
// JPEG through libjpeg: encoding at a quality, decoding with the output options the viewers
// offer (scale, 236-colour quantising, greyscale, accurate or fast) and scan-by-scan display
// of progressive files. libjpeg's errors become corvana::Error with libjpeg's own message.
// CMYK and YCCK files (Adobe's inverted ones included) decode to RGB with every option.

#include "raster/Bitmap.h"

#include <QByteArray>
#include <functional>

namespace corvana {

struct JpegDecodeOptions {
  int scaleDenominator = 1; // 1, 2, 4 or 8
  bool quantize = false;    // a palette of 236 colours instead of true colour
  bool grayscale = false;   // grey output, quantised to 236 levels
  bool fast = false;        // fast integer transform; one-pass ordered dither when quantising
  // Decode a progressive file scan by scan; each scan's picture goes to `progress`.
  // Quantising is then one-pass, since each scan is shown before the last is known.
  bool progressiveDisplay = false;
  // Called with the picture so far: after each scan (progressive display) or each band of
  // rows; the final picture is the one returned.
  std::function<void(const Bitmap &)> progress;
};

struct JpegInfo {
  int width = 0;
  int height = 0;
  int components = 0;
  bool progressive = false;
};

constexpr int JpegPaletteColors = 236;

JpegInfo ReadJpegInfo(const QByteArray &bytes);
bool IsProgressiveJpeg(const QByteArray &bytes);
Bitmap DecodeJpeg(const QByteArray &bytes, const JpegDecodeOptions &options = {});
// Baseline JPEG at `quality` (clamped to 1..100), other settings at libjpeg's defaults.
QByteArray EncodeJpeg(const Bitmap &bitmap, int quality);

} // namespace corvana
