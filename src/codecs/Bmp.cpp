#include "codecs/Bmp.h"

#include "core/Error.h"
#include "core/TextFiles.h"
#include "raster/Dib.h"

#include <QHash>

namespace corvana {

namespace {

// The red, green and blue masks of the two 16-bit layouts kept as they are.
constexpr quint32 Masks555[3] = {0x7C00, 0x03E0, 0x001F};
constexpr quint32 Masks565[3] = {0xF800, 0x07E0, 0x001F};

bool hasMasks(const DibHeader &header, const quint32 (&masks)[3]) {
  return header.masks[0] == masks[0] && header.masks[1] == masks[1] && header.masks[2] == masks[2];
}

} // namespace

Bitmap ReadBmp(const QByteArray &bytes) {
  ByteReader reader(bytes);
  if (bytes.size() < 14 || bytes[0] != 'B' || bytes[1] != 'M')
    throw Error(QStringLiteral("Bitmap image is not valid"));
  reader.seek(10);
  const quint32 bitsOffset = reader.u32();
  DibHeader header = ReadDibHeader(reader);
  // Some writers leave the offset zero; the bits then follow the palette.
  const size_t start = bitsOffset == 0 ? reader.pos() : bitsOffset;
  if (start > size_t(bytes.size()))
    throw Error(QStringLiteral("The picture data is truncated"));
  // An index past a short palette draws entry 0, as viewers show it: decode against the
  // palette padded with entry 0, then give the bitmap the file's own palette back.
  const QVector<TColor> palette = header.palette;
  const bool padded = header.bitCount <= 8 && !palette.isEmpty() && palette.size() < (1 << header.bitCount);
  while (padded && header.palette.size() < (1 << header.bitCount))
    header.palette.append(palette[0]);
  Bitmap bitmap = DecodeDib(header, reader.data() + start, reader.size() - start);
  if (padded)
    bitmap.setPalette(palette);
  // 16-bit pictures in one of the two common layouts are written back in it; others
  // stay true colour.
  if (header.bitCount == 16 && hasMasks(header, Masks555))
    bitmap.setPixelFormat(PixelFormat::pf15bit);
  else if (header.bitCount == 16 && hasMasks(header, Masks565))
    bitmap.setPixelFormat(PixelFormat::pf16bit);
  return bitmap;
}

namespace {

void put16(QByteArray &out, quint16 v) {
  out.append(char(v & 255));
  out.append(char(v >> 8));
}

void put32(QByteArray &out, quint32 v) {
  for (int i = 0; i < 4; ++i)
    out.append(char(v >> (8 * i) & 255));
}

// Scales an 8-bit channel to a field of `bits` bits, the inverse of reading's v * 255 / max.
quint32 toField(int value, int bits) {
  const int max = (1 << bits) - 1;
  return quint32((value * max + 127) / 255);
}

} // namespace

QByteArray WriteBmp(const Bitmap &bitmap) {
  if (bitmap.isNull())
    throw Error(QStringLiteral("Cannot write an empty bitmap"));
  const PixelFormat format = bitmap.pixelFormat();
  const int bpp = Bitmap::bitsPerPixel(format);
  const int w = bitmap.width(), h = bitmap.height();
  const QVector<TColor> palette = bpp <= 8 ? bitmap.palette() : QVector<TColor>();
  // 5-6-5 needs its masks; 5-5-5 is the layout a plain 16-bit file implies.
  const bool bitfields = format == PixelFormat::pf16bit;
  const qint64 stride = (qint64(w) * bpp + 31) / 32 * 4;
  const qint64 offset = 14 + 40 + (bitfields ? 12 : 0) + qint64(palette.size()) * 4;
  const qint64 total = offset + stride * h;
  QByteArray out;
  out.reserve(total);
  out.append("BM");
  put32(out, quint32(total));
  put32(out, 0);
  put32(out, quint32(offset));
  put32(out, 40);
  put32(out, quint32(w));
  put32(out, quint32(h));
  put16(out, 1);
  put16(out, quint16(bpp));
  put32(out, bitfields ? BI_BITFIELDS : BI_RGB);
  put32(out, quint32(stride * h));
  put32(out, 3780); // 96 dpi
  put32(out, 3780);
  put32(out, quint32(palette.size()));
  put32(out, 0);
  if (bitfields)
    for (quint32 mask : Masks565)
      put32(out, mask);
  for (TColor c : palette) {
    out.append(char(GetBValue(c)));
    out.append(char(GetGValue(c)));
    out.append(char(GetRValue(c)));
    out.append('\0');
  }
  QHash<quint32, int> indexOf;
  for (int i = palette.size() - 1; i >= 0; --i)
    indexOf.insert(Bitmap::toStored(palette[i]), i);
  const int greenBits = bitfields ? 6 : 5;
  QByteArray row(stride, '\0');
  uchar *d = reinterpret_cast<uchar *>(row.data());
  for (int y = h - 1; y >= 0; --y) {
    const quint32 *src = bitmap.scanLine(y);
    row.fill('\0');
    if (bpp <= 8) {
      const int per = 8 / bpp;
      for (int x = 0; x < w; ++x) {
        auto it = indexOf.constFind(src[x]);
        const int index = it != indexOf.cend() ? *it : bitmap.paletteIndex(Bitmap::fromStored(src[x]));
        d[x / per] |= uchar(index << ((per - 1 - x % per) * bpp));
      }
    } else if (bpp == 16) {
      for (int x = 0; x < w; ++x) {
        const TColor c = Bitmap::fromStored(src[x]);
        const quint32 v = toField(GetRValue(c), 5) << (5 + greenBits) | toField(GetGValue(c), greenBits) << 5 |
                          toField(GetBValue(c), 5);
        d[2 * x] = uchar(v & 255);
        d[2 * x + 1] = uchar(v >> 8);
      }
    } else {
      const int bytes = bpp / 8;
      for (int x = 0; x < w; ++x) {
        const TColor c = Bitmap::fromStored(src[x]);
        d[x * bytes] = uchar(GetBValue(c));
        d[x * bytes + 1] = uchar(GetGValue(c));
        d[x * bytes + 2] = uchar(GetRValue(c));
        if (bytes == 4)
          d[x * bytes + 3] = 0;
      }
    }
    out.append(row);
  }
  return out;
}

Bitmap LoadBmpFile(const QString &path) { return ReadBmp(ReadFileBytes(path)); }

void SaveBmpFile(const QString &path, const Bitmap &bitmap) { WriteFileBytes(path, WriteBmp(bitmap)); }

} // namespace corvana
