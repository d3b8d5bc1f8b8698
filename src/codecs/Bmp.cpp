#include "codecs/Bmp.h"

#include "platform/Errors.h"
#include "platform/TextFiles.h"
#include "raster/Dib.h"

#include <QHash>

namespace corvana {

Bitmap ReadBmp(const QByteArray &bytes) {
  ByteReader reader(bytes);
  if (bytes.size() < 14 || bytes[0] != 'B' || bytes[1] != 'M')
    throw Error(QStringLiteral("Bitmap image is not valid"));
  reader.seek(10);
  const quint32 bitsOffset = reader.u32();
  const DibHeader header = ReadDibHeader(reader);
  // Some writers leave the offset zero; the bits then follow the palette.
  const size_t start = bitsOffset == 0 ? reader.pos() : bitsOffset;
  if (start > size_t(bytes.size()))
    throw Error(QStringLiteral("The picture data is truncated"));
  return DecodeDib(header, reader.data() + start, reader.size() - start);
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

} // namespace

QByteArray WriteBmp(const Bitmap &bitmap) {
  if (bitmap.isNull())
    throw Error(QStringLiteral("Cannot write an empty bitmap"));
  const int bpp = Bitmap::bitsPerPixel(bitmap.pixelFormat());
  const int w = bitmap.width(), h = bitmap.height();
  const QVector<TColor> palette = bpp <= 8 ? bitmap.palette() : QVector<TColor>();
  const qint64 stride = (qint64(w) * bpp + 31) / 32 * 4;
  const qint64 offset = 14 + 40 + qint64(palette.size()) * 4;
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
  put32(out, BI_RGB);
  put32(out, quint32(stride * h));
  put32(out, 3780); // 96 dpi
  put32(out, 3780);
  put32(out, quint32(palette.size()));
  put32(out, 0);
  for (TColor c : palette) {
    out.append(char(GetBValue(c)));
    out.append(char(GetGValue(c)));
    out.append(char(GetRValue(c)));
    out.append('\0');
  }
  QHash<quint32, int> indexOf;
  for (int i = palette.size() - 1; i >= 0; --i)
    indexOf.insert(Bitmap::toStored(palette[i]), i);
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
