#include "raster/Bitmap.h"

#include "core/Error.h"
#include "raster/GdiObjects.h"

#include <algorithm>
#include <cstring>

namespace corvana {

namespace {

constexpr size_t SnapCacheSize = 4096;

size_t snapSlot(quint32 word) { return (word * 2654435761u) >> 20 & (SnapCacheSize - 1); }

qint64 colorDistance(TColor a, TColor b) {
  const qint64 dr = GetRValue(a) - GetRValue(b), dg = GetGValue(a) - GetGValue(b), db = GetBValue(a) - GetBValue(b);
  return dr * dr + dg * dg + db * db;
}

} // namespace

Bitmap::Bitmap(int width, int height, PixelFormat format, TColor fill) {
  checkSize(width, height);
  m_width = width;
  m_height = height;
  m_pixels.assign(size_t(width) * height, toStored(fill));
  setPixelFormat(format);
}

void Bitmap::checkSize(int width, int height) {
  if (width <= 0 || height <= 0 || width > MaxSide || height > MaxSide || qint64(width) * height > MaxPixels)
    throw Error(QStringLiteral("Invalid bitmap size %1 x %2").arg(width).arg(height));
}

int Bitmap::bitsPerPixel(PixelFormat format) {
  switch (format) {
  case PixelFormat::pf1bit:
    return 1;
  case PixelFormat::pf4bit:
    return 4;
  case PixelFormat::pf8bit:
    return 8;
  case PixelFormat::pf15bit:
  case PixelFormat::pf16bit:
    return 16;
  case PixelFormat::pf24bit:
    return 24;
  case PixelFormat::pf32bit:
    break;
  }
  return 32;
}

void Bitmap::setPixelFormat(PixelFormat format) {
  m_format = format;
  if (bitsPerPixel(format) > 8) {
    m_palette.clear();
    m_snapCache.clear();
    return;
  }
  m_palette.clear();
  setPalette(defaultPalette(format));
}

QVector<TColor> Bitmap::standardPalette16() {
  return {clBlack, clMaroon, clGreen, clOlive,  clNavy, clPurple,  clTeal, clSilver,
          clGray,  clRed,    clLime,  clYellow, clBlue, clFuchsia, clAqua, clWhite};
}

QVector<TColor> Bitmap::defaultPalette(PixelFormat format) {
  switch (format) {
  case PixelFormat::pf1bit:
    return {clBlack, clWhite};
  case PixelFormat::pf4bit:
    return standardPalette16();
  case PixelFormat::pf8bit: {
    QVector<TColor> p = standardPalette16();
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b)
          p.append(RGB(r * 51, g * 51, b * 51));
    for (int i = 1; p.size() < 256; ++i)
      p.append(RGB(i * 10, i * 10, i * 10));
    return p;
  }
  default:
    return {};
  }
}

void Bitmap::setPalette(const QVector<TColor> &palette) {
  const int bits = bitsPerPixel(m_format);
  if (bits > 8 || palette.isEmpty())
    return;
  m_palette = palette.mid(0, 1 << bits);
  for (TColor &c : m_palette)
    c &= 0xFFFFFF;
  m_snapCache.assign(SnapCacheSize, {0, 0});
  for (int y = 0; y < m_height; ++y)
    snapSpan(y, 0, m_width);
}

int Bitmap::paletteIndex(TColor color) const {
  int best = 0;
  qint64 bestDistance = -1;
  for (int i = 0; i < m_palette.size(); ++i) {
    const qint64 d = colorDistance(color, m_palette[i]);
    if (bestDistance < 0 || d < bestDistance) {
      best = i;
      bestDistance = d;
      if (d == 0)
        break;
    }
  }
  return best;
}

TColor Bitmap::nearestColor(TColor color) const {
  color &= 0xFFFFFF;
  return m_palette.isEmpty() ? color : snap(color);
}

TColor Bitmap::snap(TColor color) const {
  const quint32 word = toStored(color);
  auto &slot = m_snapCache[snapSlot(word)];
  if (slot.first != word) {
    slot.first = word;
    slot.second = toStored(m_palette[paletteIndex(color)]);
  }
  return fromStored(slot.second);
}

void Bitmap::snapSpan(int y, int x0, int x1) {
  if (m_palette.isEmpty())
    return;
  quint32 *line = scanLine(y);
  for (int x = x0; x < x1; ++x) {
    const quint32 word = line[x];
    auto &slot = m_snapCache[snapSlot(word)];
    if (slot.first != word) {
      slot.first = word;
      slot.second = toStored(m_palette[paletteIndex(fromStored(word))]);
    }
    line[x] = slot.second;
  }
}

void Bitmap::setPixel(int x, int y, TColor color) {
  if (!contains(x, y))
    return;
  m_pixels[size_t(y) * m_width + x] = toStored(m_palette.isEmpty() ? color : snap(color));
}

void Bitmap::fill(TColor color) { std::fill(m_pixels.begin(), m_pixels.end(), toStored(nearestColor(color))); }

void Bitmap::resize(int width, int height, TColor fill) {
  Brush brush;
  brush.setColor(fill);
  resize(width, height, brush);
}

void Bitmap::resize(int width, int height, const Brush &brush) {
  checkSize(width, height);
  std::vector<quint32> pixels(size_t(width) * height, toStored(nearestColor(clWhite)));
  const int keepW = std::min(width, m_width), keepH = std::min(height, m_height);
  for (int y = 0; y < keepH; ++y)
    std::memcpy(pixels.data() + size_t(y) * width, scanLine(y), size_t(keepW) * 4);
  const int oldH = m_height;
  m_pixels.swap(pixels);
  m_width = width;
  m_height = height;
  for (int y = 0; y < height; ++y) {
    const int from = y < oldH ? keepW : 0;
    quint32 *line = scanLine(y);
    for (int x = from; x < width; ++x) {
      TColor c;
      if (brush.colorAt(x, y, c))
        line[x] = toStored(c);
    }
    snapSpan(y, from, width);
  }
}

QImage Bitmap::image() const {
  if (isNull())
    return {};
  return QImage(reinterpret_cast<const uchar *>(m_pixels.data()), m_width, m_height, m_width * 4,
                QImage::Format_RGBX8888);
}

QImage Bitmap::toQImage() const { return image().convertToFormat(QImage::Format_RGB32); }

Bitmap Bitmap::fromQImage(const QImage &source) {
  if (source.isNull())
    return {};
  const QImage rgbx = source.convertToFormat(QImage::Format_RGBX8888);
  Bitmap result(rgbx.width(), rgbx.height());
  for (int y = 0; y < result.height(); ++y) {
    const quint32 *in = reinterpret_cast<const quint32 *>(rgbx.constScanLine(y));
    quint32 *out = result.scanLine(y);
    for (int x = 0; x < result.width(); ++x)
      out[x] = in[x] | 0xFF000000;
  }
  return result;
}

} // namespace corvana
