#include "codecs/Gif.h"

#include "core/Error.h"
#include "raster/Dib.h"

#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace corvana {

namespace {

struct Source {
  const uchar *data;
  size_t size;
  size_t pos = 0;
};

int readBytes(GifFileType *gif, GifByteType *out, int count) {
  auto *src = static_cast<Source *>(gif->UserData);
  const size_t n = std::min(size_t(count < 0 ? 0 : count), src->size - src->pos);
  std::memcpy(out, src->data + src->pos, n);
  src->pos += n;
  return int(n);
}

int writeBytes(GifFileType *gif, const GifByteType *in, int count) {
  static_cast<QByteArray *>(gif->UserData)->append(reinterpret_cast<const char *>(in), count);
  return count;
}

[[noreturn]] void gifError(int code) {
  const char *text = GifErrorString(code);
  throw Error(QStringLiteral("GIF image is not valid: %1").arg(QString::fromLatin1(text ? text : "unknown error")));
}

struct GifCloser {
  void operator()(GifFileType *gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

// A copy of a file whose first image's data is cut short, closed so that giflib reads every
// byte there is: it reads a whole sub-block at a time, so a last one cut short becomes a
// shorter one, and a block terminator ends the data. Empty when the data is whole.
QByteArray closeCutImageData(const QByteArray &bytes) {
  const auto at = [&](qsizetype i) { return uchar(bytes[i]); };
  const qsizetype n = bytes.size();
  qsizetype p = 13;
  if (n < p)
    return {};
  if (at(10) & 0x80)
    p += 3 << ((at(10) & 7) + 1);
  // Walks a chain of sub-blocks from p; false when the file ends inside it.
  const auto skipChain = [&]() {
    while (p < n) {
      const int length = at(p);
      if (length == 0) {
        ++p;
        return true;
      }
      p += 1 + length;
    }
    return false;
  };
  while (p < n && at(p) == 0x21) {
    p += 2;
    if (!skipChain())
      return {};
  }
  if (p + 10 > n || at(p) != 0x2C)
    return {};
  if (at(p + 9) & 0x80)
    p += 3 << ((at(p + 9) & 7) + 1);
  p += 11; // descriptor, LZW code size
  if (p > n)
    return {};
  while (p < n && at(p) != 0) {
    const qsizetype length = at(p);
    if (p + 1 + length > n) {
      QByteArray closed = bytes;
      if (n - p > 1)
        closed[p] = char(n - p - 1);
      else
        closed.chop(1);
      return closed.append('\0');
    }
    p += 1 + length;
  }
  return p < n ? QByteArray() : bytes + '\0';
}

PixelFormat formatFor(int colors) {
  return colors <= 2 ? PixelFormat::pf1bit : colors <= 16 ? PixelFormat::pf4bit : PixelFormat::pf8bit;
}

} // namespace

std::optional<TColor> GifImage::transparentColor() const {
  if (transparentIndex < 0 || transparentIndex >= bitmap.palette().size())
    return std::nullopt;
  return bitmap.palette()[transparentIndex];
}

GifImage ReadGif(const QByteArray &bytes) {
  if (bytes.size() < 6 || (!bytes.startsWith("GIF87a") && !bytes.startsWith("GIF89a")))
    throw Error(QStringLiteral("GIF image is not valid"));
  // A cut-off file shows the rows its image data holds.
  const QByteArray closed = closeCutImageData(bytes);
  const bool cut = !closed.isEmpty();
  const QByteArray &data = cut ? closed : bytes;
  Source source{reinterpret_cast<const uchar *>(data.constData()), size_t(data.size())};
  int error = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(DGifOpen(&source, readBytes, &error));
  if (!gif)
    gifError(error);
  GifImage result;
  int transparent = -1;
  for (;;) {
    GifRecordType type = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif.get(), &type) == GIF_ERROR)
      gifError(gif->Error);
    if (type == TERMINATE_RECORD_TYPE)
      throw Error(QStringLiteral("GIF image is not valid: the file holds no image"));
    if (type == EXTENSION_RECORD_TYPE) {
      int code = 0;
      GifByteType *block = nullptr;
      if (DGifGetExtension(gif.get(), &code, &block) == GIF_ERROR)
        gifError(gif->Error);
      if (code == GRAPHICS_EXT_FUNC_CODE && block && block[0] >= 4) {
        GraphicsControlBlock gcb;
        if (DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK)
          transparent = gcb.TransparentColor;
      }
      while (block) {
        if (DGifGetExtensionNext(gif.get(), &block) == GIF_ERROR)
          gifError(gif->Error);
      }
      continue;
    }
    if (type != IMAGE_DESC_RECORD_TYPE)
      gifError(D_GIF_ERR_WRONG_RECORD);
    if (DGifGetImageDesc(gif.get()) == GIF_ERROR)
      gifError(gif->Error);
    const GifImageDesc &desc = gif->Image;
    const ColorMapObject *map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    if (!map || map->ColorCount <= 0)
      throw Error(QStringLiteral("GIF image is not valid: no colour table"));
    CheckDecodeSize(desc.Width, desc.Height);
    // The logical screen frames the image; a screen too small for it grows to fit.
    const qint64 screenW = std::max<qint64>(gif->SWidth, qint64(desc.Left) + desc.Width);
    const qint64 screenH = std::max<qint64>(gif->SHeight, qint64(desc.Top) + desc.Height);
    CheckDecodeSize(screenW, screenH);
    QVector<TColor> palette;
    const int colorCount = std::min(map->ColorCount, 256);
    for (int i = 0; i < colorCount; ++i)
      palette.append(RGB(map->Colors[i].Red, map->Colors[i].Green, map->Colors[i].Blue));
    if (transparent >= colorCount)
      transparent = -1;
    // Undrawn screen (and rows a cut-off file never delivers) shows the transparent colour,
    // else the screen's background; without a global table that index means nothing.
    int background = transparent >= 0 ? transparent : gif->SColorMap ? gif->SBackGroundColor : 0;
    if (background < 0 || background >= colorCount)
      background = 0;
    result.bitmap = Bitmap(int(screenW), int(screenH), formatFor(colorCount), palette[background]);
    result.bitmap.setPalette(palette);
    result.transparentIndex = transparent;
    result.interlaced = desc.Interlace;
    std::vector<quint32> stored(colorCount);
    for (int i = 0; i < colorCount; ++i)
      stored[i] = Bitmap::toStored(palette[i]);
    std::vector<GifPixelType> line(desc.Width);
    // False once the data runs out: a cut-off file shows the rows it holds, as viewers do;
    // a row cut in the middle is left out whole. Data that is there but garbled is an error.
    auto readRow = [&](int y) {
      if (DGifGetLine(gif.get(), line.data(), desc.Width) == GIF_ERROR) {
        const bool dataEnded = cut && source.pos + 1 >= size_t(data.size());
        if (dataEnded || gif->Error == D_GIF_ERR_READ_FAILED)
          return false;
        gifError(gif->Error);
      }
      quint32 *dst = result.bitmap.scanLine(desc.Top + y) + desc.Left;
      // an index past the colour table draws entry 0
      for (int x = 0; x < desc.Width; ++x)
        dst[x] = stored[line[x] < colorCount ? line[x] : 0];
      return true;
    };
    if (desc.Interlace) {
      static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
      for (int pass = 0; pass < 4; ++pass)
        for (int y = start[pass]; y < desc.Height; y += step[pass])
          if (!readRow(y))
            return result;
    } else {
      for (int y = 0; y < desc.Height; ++y)
        if (!readRow(y))
          return result;
    }
    return result;
  }
}

QByteArray WriteGif(const Bitmap &bitmap, const GifWriteOptions &options) {
  if (bitmap.isNull())
    throw Error(QStringLiteral("Cannot write an empty bitmap"));
  IndexedImage image = ReduceColors(bitmap, options.reduction);
  int transparent = -1;
  if (options.transparentColor)
    transparent = int(image.palette.indexOf(*options.transparentColor));
  int bits = 1;
  while ((1 << bits) < image.palette.size())
    ++bits;
  QByteArray out;
  int error = 0;
  GifFileType *gif = EGifOpen(&out, writeBytes, &error);
  if (!gif)
    gifError(error);
  auto fail = [&]() {
    const int code = gif->Error;
    int ignored = 0;
    EGifCloseFile(gif, &ignored);
    gifError(code);
  };
  ColorMapObject *map = GifMakeMapObject(1 << bits, nullptr);
  if (!map) {
    int ignored = 0;
    EGifCloseFile(gif, &ignored);
    throw Error(QStringLiteral("Out of memory writing a GIF image"));
  }
  for (int i = 0; i < (1 << bits); ++i) {
    const TColor c = i < image.palette.size() ? image.palette[i] : clBlack;
    map->Colors[i] = {GifByteType(GetRValue(c)), GifByteType(GetGValue(c)), GifByteType(GetBValue(c))};
  }
  EGifSetGifVersion(gif, true);
  const int ok = EGifPutScreenDesc(gif, image.width, image.height, 8, 0, map);
  GifFreeMapObject(map);
  if (ok == GIF_ERROR)
    fail();
  if (transparent >= 0) {
    GraphicsControlBlock gcb{DISPOSAL_UNSPECIFIED, false, 0, transparent};
    GifByteType ext[4];
    const size_t n = EGifGCBToExtension(&gcb, ext);
    if (EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, int(n), ext) == GIF_ERROR)
      fail();
  }
  if (EGifPutImageDesc(gif, 0, 0, image.width, image.height, options.interlace, nullptr) == GIF_ERROR)
    fail();
  auto putRow = [&](int y) {
    if (EGifPutLine(gif, image.indices.data() + size_t(y) * image.width, image.width) == GIF_ERROR)
      fail();
  };
  if (options.interlace) {
    static const int start[4] = {0, 4, 2, 1}, step[4] = {8, 8, 4, 2};
    for (int pass = 0; pass < 4; ++pass)
      for (int y = start[pass]; y < image.height; y += step[pass])
        putRow(y);
  } else {
    for (int y = 0; y < image.height; ++y)
      putRow(y);
  }
  if (EGifCloseFile(gif, &error) == GIF_ERROR)
    gifError(error);
  return out;
}

} // namespace corvana
