#include "codecs/Ico.h"

#include "core/Error.h"
#include "raster/Canvas.h"
#include "raster/Dib.h"

#include <QImage>

namespace corvana {

namespace {

struct Entry {
  int width, height, bitCount;
  quint32 size, offset;
};

Icon readPng(const uchar *data, size_t size) {
  // The size sits in the IHDR chunk; check it before the decoder allocates.
  ByteReader r(data, size);
  r.seek(16);
  auto be32 = [&] {
    const quint32 v = r.u8();
    return v << 24 | quint32(r.u8()) << 16 | quint32(r.u8()) << 8 | r.u8();
  };
  const quint32 w = be32(), h = be32();
  CheckDecodeSize(w, h);
  QImage image = QImage::fromData(data, int(size), "PNG");
  if (image.isNull() || image.width() != int(w) || image.height() != int(h))
    throw Error(QStringLiteral("Invalid icon: the PNG image cannot be read"));
  image = image.convertToFormat(QImage::Format_ARGB32);
  Icon icon{Bitmap(image.width(), image.height(), PixelFormat::pf32bit), {}};
  icon.alpha.resize(size_t(image.width()) * image.height());
  for (int y = 0; y < image.height(); ++y) {
    const QRgb *src = reinterpret_cast<const QRgb *>(image.constScanLine(y));
    quint32 *dst = icon.pixels.scanLine(y);
    for (int x = 0; x < image.width(); ++x) {
      dst[x] = Bitmap::toStored(RGB(qRed(src[x]), qGreen(src[x]), qBlue(src[x])));
      icon.alpha[size_t(y) * image.width() + x] = quint8(qAlpha(src[x]));
    }
  }
  return icon;
}

Icon readDibIcon(const uchar *data, size_t size) {
  ByteReader reader(data, size);
  DibHeader h = ReadDibHeader(reader);
  // The stored height covers the colour bits and the AND mask below them.
  if (h.topDown || h.compression == BI_RLE4 || h.compression == BI_RLE8 || h.height < 2)
    throw Error(QStringLiteral("Invalid icon image"));
  h.height /= 2;
  const uchar *bits = reader.current();
  const size_t left = reader.remaining();
  Icon icon;
  std::vector<quint8> alpha;
  icon.pixels = DecodeDib(h, bits, left, &alpha);
  bool hasAlpha = false;
  for (quint8 a : alpha)
    if (a != 0) {
      hasAlpha = true;
      break;
    }
  if (hasAlpha) {
    icon.alpha = std::move(alpha);
    return icon;
  }
  icon.alpha.assign(size_t(h.width) * h.height, 255);
  const qint64 xorBytes = DibStride(h) * h.height;
  const qint64 maskStride = (qint64(h.width) + 31) / 32 * 4;
  // A missing mask leaves the icon opaque.
  if (xorBytes + maskStride * h.height > qint64(left))
    return icon;
  const uchar *mask = bits + xorBytes;
  for (int row = 0; row < h.height; ++row) {
    const int y = h.height - 1 - row;
    for (int x = 0; x < h.width; ++x)
      if (mask[maskStride * row + x / 8] >> (7 - x % 8) & 1)
        icon.alpha[size_t(y) * h.width + x] = 0;
  }
  return icon;
}

} // namespace

Icon ReadIco(const QByteArray &bytes) {
  ByteReader r(bytes);
  if (bytes.size() < 6)
    throw Error(QStringLiteral("Invalid icon file"));
  const quint16 reserved = r.u16(), type = r.u16(), count = r.u16();
  if (reserved != 0 || (type != 1 && type != 2) || count == 0)
    throw Error(QStringLiteral("Invalid icon file"));
  r.need(size_t(count) * 16);
  Entry best{-1, -1, -1, 0, 0};
  for (int i = 0; i < count; ++i) {
    Entry e;
    e.width = r.u8();
    e.height = r.u8();
    r.skip(4);
    e.bitCount = r.u16();
    e.size = r.u32();
    e.offset = r.u32();
    if (e.width == 0)
      e.width = 256;
    if (e.height == 0)
      e.height = 256;
    if (qint64(e.offset) + e.size > bytes.size() || e.size < 16)
      continue;
    const qint64 area = qint64(e.width) * e.height, bestArea = qint64(best.width) * best.height;
    if (area > bestArea || (area == bestArea && e.bitCount > best.bitCount))
      best = e;
  }
  if (best.width < 0)
    throw Error(QStringLiteral("Invalid icon file: no readable image"));
  const uchar *data = reinterpret_cast<const uchar *>(bytes.constData()) + best.offset;
  static const uchar pngMagic[8] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  if (best.size >= 8 && std::equal(pngMagic, pngMagic + 8, data))
    return readPng(data, best.size);
  return readDibIcon(data, best.size);
}

void DrawIcon(Canvas &canvas, int x0, int y0, const Icon &icon) {
  Bitmap &target = canvas.bitmap();
  for (int y = 0; y < icon.height(); ++y) {
    if (!target.contains(0, y0 + y))
      continue;
    for (int x = 0; x < icon.width(); ++x) {
      const int a = icon.alpha[size_t(y) * icon.width() + x];
      if (a == 0 || !target.contains(x0 + x, y0 + y))
        continue;
      TColor c = icon.pixels.pixel(x, y);
      if (a < 255) {
        const TColor old = target.pixel(x0 + x, y0 + y);
        auto mix = [a](int n, int o) { return (n * a + o * (255 - a) + 127) / 255; };
        c = RGB(mix(GetRValue(c), GetRValue(old)), mix(GetGValue(c), GetGValue(old)),
                mix(GetBValue(c), GetBValue(old)));
      }
      target.setPixel(x0 + x, y0 + y, c);
    }
  }
}

} // namespace corvana
