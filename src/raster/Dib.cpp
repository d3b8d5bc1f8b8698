#include "raster/Dib.h"

#include "core/Error.h"

#include <bit>
#include <cstring>

namespace corvana {

namespace {

[[noreturn]] void truncated() { throw Error(QStringLiteral("The picture data is truncated")); }

// Spreads a masked field over 0..255.
struct MaskField {
  quint32 mask = 0;
  int shift = 0;
  quint32 max = 0;
  explicit MaskField(quint32 m) : mask(m) {
    if (m) {
      shift = std::countr_zero(m);
      max = m >> shift;
    }
  }
  quint32 operator()(quint32 v) const { return max ? ((v & mask) >> shift) * 255 / max : 0; }
};

qint64 g_pixelLimit = Bitmap::MaxPixels;

} // namespace

qint64 DecodePixelLimit() { return g_pixelLimit; }
void SetDecodePixelLimit(qint64 pixels) { g_pixelLimit = pixels < Bitmap::MaxPixels ? pixels : Bitmap::MaxPixels; }

void CheckDecodeSize(qint64 width, qint64 height) {
  if (width <= 0 || height <= 0 || width > Bitmap::MaxSide || height > Bitmap::MaxSide || width * height > g_pixelLimit)
    throw Error(QStringLiteral("Invalid picture size %1 x %2").arg(width).arg(height));
}

void ByteReader::seek(size_t pos) {
  if (pos > m_size)
    truncated();
  m_pos = pos;
}

void ByteReader::need(size_t count) const {
  if (count > m_size - m_pos)
    truncated();
}

quint8 ByteReader::u8() {
  need(1);
  return m_data[m_pos++];
}

quint16 ByteReader::u16() {
  need(2);
  const quint16 v = quint16(m_data[m_pos] | m_data[m_pos + 1] << 8);
  m_pos += 2;
  return v;
}

quint32 ByteReader::u32() {
  need(4);
  const quint32 v = quint32(m_data[m_pos]) | quint32(m_data[m_pos + 1]) << 8 | quint32(m_data[m_pos + 2]) << 16 |
                    quint32(m_data[m_pos + 3]) << 24;
  m_pos += 4;
  return v;
}

DibHeader ReadDibHeader(ByteReader &reader) {
  DibHeader h;
  const size_t start = reader.pos();
  const quint32 headerSize = reader.u32();
  quint32 colorsUsed = 0;
  int paletteEntrySize = 4;
  if (headerSize == 12) { // OS/2 1.x core header
    h.width = reader.u16();
    const int height = reader.i16();
    h.topDown = false;
    h.height = height;
    reader.u16();
    h.bitCount = reader.u16();
    paletteEntrySize = 3;
  } else if (headerSize >= 16 && headerSize <= 1024) {
    h.width = reader.i32();
    const qint32 height = reader.i32();
    reader.u16(); // planes
    h.bitCount = reader.u16();
    if (headerSize >= 20)
      h.compression = reader.u32();
    if (headerSize >= 36) {
      reader.skip(12); // image size, resolution
      colorsUsed = reader.u32();
    }
    if (height == INT32_MIN)
      throw Error(QStringLiteral("Invalid bitmap size"));
    h.topDown = height < 0;
    h.height = height < 0 ? -height : height;
    if (headerSize >= 52 && (h.compression == BI_BITFIELDS || h.compression == BI_ALPHABITFIELDS)) {
      reader.seek(start + 40);
      for (int i = 0; i < (headerSize >= 56 ? 4 : 3); ++i)
        h.masks[i] = reader.u32();
    }
    reader.seek(start + headerSize);
    if (headerSize == 40 && (h.compression == BI_BITFIELDS || h.compression == BI_ALPHABITFIELDS))
      for (int i = 0; i < (h.compression == BI_ALPHABITFIELDS ? 4 : 3); ++i)
        h.masks[i] = reader.u32();
    if (h.topDown && (h.compression == BI_RLE4 || h.compression == BI_RLE8))
      throw Error(QStringLiteral("Invalid bitmap: a top-down bitmap cannot be compressed"));
  } else {
    throw Error(QStringLiteral("Invalid bitmap header"));
  }
  switch (h.bitCount) {
  case 1:
  case 4:
  case 8:
  case 16:
  case 24:
  case 32:
    break;
  default:
    throw Error(QStringLiteral("Invalid bitmap: %1 bits per pixel").arg(h.bitCount));
  }
  const bool rleOk = (h.compression == BI_RLE8 && h.bitCount == 8) || (h.compression == BI_RLE4 && h.bitCount == 4);
  const bool fieldsOk =
      (h.compression == BI_BITFIELDS || h.compression == BI_ALPHABITFIELDS) && (h.bitCount == 16 || h.bitCount == 32);
  if (h.compression != BI_RGB && !rleOk && !fieldsOk)
    throw Error(QStringLiteral("Unsupported bitmap compression %1").arg(h.compression));
  CheckDecodeSize(h.width, h.height);
  if (h.compression == BI_RGB) {
    if (h.bitCount == 16) {
      h.masks[0] = 0x7C00;
      h.masks[1] = 0x03E0;
      h.masks[2] = 0x001F;
    } else if (h.bitCount == 32) {
      h.masks[0] = 0xFF0000;
      h.masks[1] = 0x00FF00;
      h.masks[2] = 0x0000FF;
    }
  }
  if (h.bitCount <= 8) {
    const quint32 maxColors = 1u << h.bitCount;
    const quint32 count = colorsUsed == 0 || colorsUsed > maxColors ? maxColors : colorsUsed;
    reader.need(size_t(count) * paletteEntrySize);
    for (quint32 i = 0; i < count; ++i) {
      const quint8 b = reader.u8(), g = reader.u8(), r = reader.u8();
      if (paletteEntrySize == 4)
        reader.u8();
      h.palette.append(RGB(r, g, b));
    }
  }
  return h;
}

qint64 DibStride(const DibHeader &h) { return (qint64(h.width) * h.bitCount + 31) / 32 * 4; }

namespace {

PixelFormat formatFor(int bitCount) {
  switch (bitCount) {
  case 1:
    return PixelFormat::pf1bit;
  case 4:
    return PixelFormat::pf4bit;
  case 8:
    return PixelFormat::pf8bit;
  case 32:
    return PixelFormat::pf32bit;
  default:
    return PixelFormat::pf24bit;
  }
}

[[noreturn]] void badIndex() { throw Error(QStringLiteral("Invalid bitmap: palette index out of range")); }
[[noreturn]] void badRle() { throw Error(QStringLiteral("Invalid bitmap: bad RLE data")); }

Bitmap makeTarget(const DibHeader &h) {
  Bitmap bitmap(h.width, h.height, formatFor(h.bitCount), h.palette.isEmpty() ? clBlack : h.palette[0]);
  if (!h.palette.isEmpty())
    bitmap.setPalette(h.palette);
  return bitmap;
}

// Run-length bits: rows run bottom-up; pixels never written keep palette entry 0.
void decodeRle(const DibHeader &h, const uchar *bits, size_t size, Bitmap &bitmap) {
  const bool four = h.compression == BI_RLE4;
  const int count = h.palette.size();
  std::vector<quint32> stored(count);
  for (int i = 0; i < count; ++i)
    stored[i] = Bitmap::toStored(h.palette[i]);
  auto put = [&](int x, int row, int index) {
    if (index >= count)
      badIndex();
    if (x >= h.width || row >= h.height)
      badRle();
    bitmap.scanLine(h.height - 1 - row)[x] = stored[index];
  };
  size_t p = 0;
  int x = 0, row = 0;
  auto next = [&]() -> int {
    if (p >= size)
      badRle();
    return bits[p++];
  };
  while (row < h.height) {
    const int n = next();
    const int v = next();
    if (n > 0) {
      for (int i = 0; i < n; ++i)
        put(x++, row, four ? (i & 1 ? v & 15 : v >> 4) : v);
    } else if (v == 0) {
      x = 0;
      ++row;
    } else if (v == 1) {
      return;
    } else if (v == 2) {
      x += next();
      row += next();
      if (x > h.width)
        badRle();
    } else {
      int b = 0;
      for (int i = 0; i < v; ++i) {
        if (!four || (i & 1) == 0)
          b = next();
        put(x++, row, four ? (i & 1 ? b & 15 : b >> 4) : b);
      }
      const int used = four ? (v + 1) / 2 : v;
      if (used & 1)
        next();
    }
  }
}

} // namespace

Bitmap DecodeDib(const DibHeader &h, const uchar *bits, size_t size, std::vector<quint8> *alpha) {
  if (alpha)
    alpha->clear();
  if (h.compression == BI_RLE4 || h.compression == BI_RLE8) {
    Bitmap bitmap = makeTarget(h);
    decodeRle(h, bits, size, bitmap);
    return bitmap;
  }
  const qint64 stride = DibStride(h);
  if (stride * h.height > qint64(size)) {
    // the last row may lack its padding
    const qint64 lastRow = (qint64(h.width) * h.bitCount + 7) / 8;
    if (stride * (h.height - 1) + lastRow > qint64(size))
      truncated();
  }
  Bitmap bitmap = makeTarget(h);
  const int count = h.palette.size();
  std::vector<quint32> stored(count);
  for (int i = 0; i < count; ++i)
    stored[i] = Bitmap::toStored(h.palette[i]);
  const MaskField r(h.masks[0]), g(h.masks[1]), b(h.masks[2]), a(h.masks[3]);
  const bool wantAlpha = alpha && h.bitCount == 32;
  if (wantAlpha)
    alpha->assign(size_t(h.width) * h.height, 255);
  const bool plain32 = h.masks[0] == 0xFF0000 && h.masks[1] == 0xFF00 && h.masks[2] == 0xFF;
  for (int row = 0; row < h.height; ++row) {
    const int y = h.topDown ? row : h.height - 1 - row;
    const uchar *src = bits + stride * row;
    quint32 *dst = bitmap.scanLine(y);
    switch (h.bitCount) {
    case 1:
    case 4:
    case 8: {
      const int per = 8 / h.bitCount;
      const int mask = (1 << h.bitCount) - 1;
      for (int x = 0; x < h.width; ++x) {
        const int shift = (per - 1 - x % per) * h.bitCount;
        const int index = src[x / per] >> shift & mask;
        if (index >= count)
          badIndex();
        dst[x] = stored[index];
      }
      break;
    }
    case 16:
      for (int x = 0; x < h.width; ++x) {
        const quint32 v = quint32(src[2 * x] | src[2 * x + 1] << 8);
        dst[x] = Bitmap::toStored(RGB(r(v), g(v), b(v)));
      }
      break;
    case 24:
      for (int x = 0; x < h.width; ++x)
        dst[x] = Bitmap::toStored(RGB(src[3 * x + 2], src[3 * x + 1], src[3 * x]));
      break;
    case 32:
      for (int x = 0; x < h.width; ++x) {
        const quint32 v = quint32(src[4 * x]) | quint32(src[4 * x + 1]) << 8 | quint32(src[4 * x + 2]) << 16 |
                          quint32(src[4 * x + 3]) << 24;
        dst[x] = plain32 ? Bitmap::toStored(RGB(v >> 16 & 255, v >> 8 & 255, v & 255))
                         : Bitmap::toStored(RGB(r(v), g(v), b(v)));
        if (wantAlpha)
          (*alpha)[size_t(y) * h.width + x] = h.masks[3] ? quint8(a(v)) : quint8(v >> 24);
      }
      break;
    }
  }
  return bitmap;
}

Bitmap DecodePackedDib(const uchar *data, size_t size) {
  ByteReader reader(data, size);
  const DibHeader h = ReadDibHeader(reader);
  return DecodeDib(h, reader.current(), reader.remaining());
}

} // namespace corvana
