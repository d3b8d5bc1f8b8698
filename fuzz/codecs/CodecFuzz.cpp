// Any bytes must decode or raise corvana::Error: no crash, no hang, no unbounded memory. The
// pixel limit is lowered so that sanitizer runs stay fast; the reader chosen at build time by
// FUZZ_FORMAT is fed the input, and whatever it decodes is drawn or written again.

#include "codecs/Bmp.h"
#include "codecs/Gif.h"
#include "codecs/Ico.h"
#include "codecs/Jpeg.h"
#include "platform/Errors.h"
#include "raster/Canvas.h"
#include "raster/Dib.h"
#include "raster/Metafile.h"

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>

using namespace corvana;

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  static QGuiApplication app(*argc, *argv);
  SetDecodePixelLimit(1 << 20);
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data), qsizetype(size));
  try {
#if FUZZ_FORMAT == 1
    const Bitmap b = ReadBmp(bytes);
    if (b.width() * b.height() <= 4096)
      ReadBmp(WriteBmp(b));
#elif FUZZ_FORMAT == 2
    const Icon icon = ReadIco(bytes);
    Bitmap target(32, 32, PixelFormat::pf24bit);
    Canvas canvas(target);
    DrawIcon(canvas, -3, 5, icon);
#elif FUZZ_FORMAT == 3
    const GifImage gif = ReadGif(bytes);
    if (gif.bitmap.width() * gif.bitmap.height() <= 4096)
      ReadGif(WriteGif(gif.bitmap));
#elif FUZZ_FORMAT == 4
    JpegDecodeOptions options;
    options.scaleDenominator = size & 1 ? 1 : 4;
    options.quantize = size & 2;
    options.grayscale = size & 4;
    options.progressiveDisplay = size & 8;
    DecodeJpeg(bytes, options);
#else
    const Metafile m = Metafile::fromBytes(bytes);
    Bitmap target(48, 32, PixelFormat::pf24bit);
    Canvas canvas(target);
    m.draw(canvas, target.rect());
#endif
  } catch (const Error &) {
  }
  return 0;
}
