#pragma once
// A bitmap of width x height pixels with a pixel format (1, 4, 8, 24 or 32 bits; a palette for
// the first three). Pixels are kept as 32-bit words for speed: each word is the pixel's TColor
// ($00BBGGRR) with the top byte set to $FF, so on a little-endian machine a scan line is also
// a QImage::Format_RGBX8888 line. Writes to a palette bitmap are snapped to the nearest
// palette colour, so every stored pixel of such a bitmap is one of its palette entries.

#include "raster/RasterTypes.h"

#include <QImage>
#include <QVector>
#include <array>
#include <utility>
#include <vector>

static_assert(Q_BYTE_ORDER == Q_LITTLE_ENDIAN, "the QImage view assumes little-endian pixel words");

namespace corvana {

class Brush;

// pf15bit and pf16bit (5-5-5 and 5-6-5 words) only remember a 16-bit source so that it is
// written back at its depth; their pixels are kept like true colour.
enum class PixelFormat : quint8 { pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };

class Bitmap {
public:
  static constexpr int MaxSide = 32768;
  static constexpr qint64 MaxPixels = qint64(1) << 28;

  // An empty (null) bitmap of 0 x 0 pixels.
  Bitmap() = default;
  // Throws corvana::Error for sizes of zero or below, above MaxSide on a side or MaxPixels.
  Bitmap(int width, int height, PixelFormat format = PixelFormat::pf32bit, TColor fill = clWhite);

  static void checkSize(int width, int height);

  // A moved-from bitmap is empty (0 x 0), never a size without pixels.
  Bitmap(const Bitmap &) = default;
  Bitmap &operator=(const Bitmap &) = default;
  Bitmap(Bitmap &&other) noexcept { *this = std::move(other); }
  Bitmap &operator=(Bitmap &&other) noexcept {
    if (this != &other) {
      m_width = std::exchange(other.m_width, 0);
      m_height = std::exchange(other.m_height, 0);
      m_format = other.m_format;
      m_palette = std::move(other.m_palette);
      m_pixels = std::move(other.m_pixels);
      m_snapCache = std::move(other.m_snapCache);
    }
    return *this;
  }

  int width() const { return m_width; }
  int height() const { return m_height; }
  bool isNull() const { return m_width == 0; }
  TRect rect() const { return {0, 0, m_width, m_height}; }
  bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < m_width && y < m_height; }

  PixelFormat pixelFormat() const { return m_format; }
  // Changing to a palette format installs that format's default palette and snaps every pixel.
  void setPixelFormat(PixelFormat format);
  static int bitsPerPixel(PixelFormat format);
  bool hasPalette() const { return !m_palette.isEmpty(); }
  const QVector<TColor> &palette() const { return m_palette; }
  // Installs a palette (at most 2, 16 or 256 entries for the three palette formats; extra
  // entries are dropped, an empty list is ignored) and snaps every pixel to it. Ignored for
  // 24 and 32 bit bitmaps.
  void setPalette(const QVector<TColor> &palette);
  // Black and white; the standard sixteen colours; the sixteen plus a colour cube and greys.
  static QVector<TColor> defaultPalette(PixelFormat format);
  static QVector<TColor> standardPalette16();
  // The palette colour nearest to `color` (the colour itself without a palette).
  TColor nearestColor(TColor color) const;
  // Index of the nearest palette entry (0 without a palette).
  int paletteIndex(TColor color) const;

  // clInvalidPixel outside the bitmap.
  TColor pixel(int x, int y) const {
    return contains(x, y) ? fromStored(m_pixels[size_t(y) * m_width + x]) : clInvalidPixel;
  }
  // Ignored outside the bitmap.
  void setPixel(int x, int y, TColor color);

  // Raw access for drawing code and codecs: m_width words per line, no padding.
  quint32 *scanLine(int y) { return m_pixels.data() + size_t(y) * m_width; }
  const quint32 *scanLine(int y) const { return m_pixels.data() + size_t(y) * m_width; }
  static constexpr quint32 toStored(TColor color) { return (color & 0xFFFFFF) | 0xFF000000; }
  static constexpr TColor fromStored(quint32 word) { return word & 0xFFFFFF; }
  // After raw writes to [x0, x1) of line y: snaps them to the palette (nothing without one).
  void snapSpan(int y, int x0, int x1);

  void fill(TColor color);
  // New size keeping the top-left pixels; added area is painted with the brush (left alone
  // where the brush paints nothing, which is white for a fresh area).
  void resize(int width, int height, const Brush &brush);
  void resize(int width, int height, TColor fill = clWhite);

  // A QImage over the pixels without copying (read-only; valid until the bitmap changes size
  // or is destroyed).
  QImage image() const;
  // A deep copy as a QImage of format RGB32, and the reverse (palette images keep 32 bit).
  QImage toQImage() const;
  static Bitmap fromQImage(const QImage &image);

  friend bool operator==(const Bitmap &a, const Bitmap &b) {
    return a.m_width == b.m_width && a.m_height == b.m_height && a.m_pixels == b.m_pixels;
  }

private:
  TColor snap(TColor color) const;

  int m_width = 0;
  int m_height = 0;
  PixelFormat m_format = PixelFormat::pf32bit;
  QVector<TColor> m_palette;
  std::vector<quint32> m_pixels;
  // Recent snaps: stored word -> snapped stored word (key 0 = empty slot).
  mutable std::vector<std::pair<quint32, quint32>> m_snapCache;
};

} // namespace corvana
