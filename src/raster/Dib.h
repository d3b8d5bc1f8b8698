#pragma once
// Device-independent bitmaps as BMP files, icons and metafiles embed them: a bounds-checked
// little-endian reader, the BITMAPINFO header (core, info and V4/V5 forms) with its palette
// and colour masks, and the decoding of its pixel bits (1 to 32 bits, RLE4 and RLE8).

#include "raster/Bitmap.h"

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <vector>

namespace corvana {

// Reads little-endian values from a byte range; any read past the end throws corvana::Error.
class ByteReader {
public:
  ByteReader(const uchar *data, size_t size) : m_data(data), m_size(size) {}
  explicit ByteReader(const QByteArray &bytes)
      : m_data(reinterpret_cast<const uchar *>(bytes.constData())), m_size(size_t(bytes.size())) {}

  size_t pos() const { return m_pos; }
  size_t size() const { return m_size; }
  size_t remaining() const { return m_size - m_pos; }
  const uchar *data() const { return m_data; }
  const uchar *current() const { return m_data + m_pos; }
  void seek(size_t pos);
  void skip(size_t count) {
    need(count);
    m_pos += count;
  }
  void need(size_t count) const;

  quint8 u8();
  quint16 u16();
  quint32 u32();
  qint16 i16() { return qint16(u16()); }
  qint32 i32() { return qint32(u32()); }

private:
  const uchar *m_data;
  size_t m_size;
  size_t m_pos = 0;
};

enum DibCompression : quint32 { BI_RGB = 0, BI_RLE8 = 1, BI_RLE4 = 2, BI_BITFIELDS = 3, BI_ALPHABITFIELDS = 6 };

struct DibHeader {
  int width = 0;
  int height = 0; // rows of the picture, always positive
  bool topDown = false;
  int bitCount = 0;
  quint32 compression = BI_RGB;
  quint32 masks[4] = {0, 0, 0, 0}; // red, green, blue, alpha for 16 and 32 bit
  QVector<TColor> palette;
};

// The largest picture a decoder accepts, in pixels (Bitmap::MaxPixels unless lowered, as the
// fuzz targets do); checked before any pixels are allocated.
qint64 DecodePixelLimit();
void SetDecodePixelLimit(qint64 pixels);
// Throws corvana::Error for a size of zero or below or above the decode limit.
void CheckDecodeSize(qint64 width, qint64 height);

// Reads the header and palette at the reader's position; the reader ends after the palette
// (and any colour masks).
DibHeader ReadDibHeader(ByteReader &reader);

// Bytes in the uncompressed bits of `rows` lines of the header's width and depth.
qint64 DibStride(const DibHeader &header);

// Decodes the bits of a header's picture. `alpha`, when given, receives one byte per pixel
// (row-major, top row first) from the alpha mask of 32-bit pictures, or is left empty.
// Throws corvana::Error for truncated bits, bad RLE data and palette indices out of range.
Bitmap DecodeDib(const DibHeader &header, const uchar *bits, size_t size, std::vector<quint8> *alpha = nullptr);

// A packed DIB (header, palette, bits) as metafile records and icons carry it.
Bitmap DecodePackedDib(const uchar *data, size_t size);

} // namespace corvana
