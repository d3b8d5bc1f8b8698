#include "ImageToolsTestSupport.h"

#include <QBuffer>
#include <QSet>
#include <random>

namespace corvana::test {

Bitmap PhotoLike(int width, int height, unsigned seed) {
  Bitmap b(width, height, PixelFormat::pf24bit);
  std::mt19937 random(seed);
  std::uniform_int_distribution<int> noise(-12, 12);
  for (int y = 0; y < height; ++y) {
    quint32 *line = b.scanLine(y);
    for (int x = 0; x < width; ++x) {
      const int r = qBound(0, 255 * x / width + noise(random), 255);
      const int g = qBound(0, 255 * y / height + noise(random), 255);
      const int bl = qBound(0, 128 + ((x * y) >> 6) % 96 + noise(random), 255);
      line[x] = Bitmap::toStored(RGB(r, g, bl));
    }
  }
  return b;
}

QByteArray BlueIconFile(int side) {
  QImage image(side, side, QImage::Format_ARGB32);
  image.fill(qRgba(0, 0, 255, 255));
  image.setPixel(0, 0, qRgba(0, 0, 0, 0));
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  QByteArray ico;
  auto u16 = [&](int v) { ico.append(char(v & 255)).append(char(v >> 8 & 255)); };
  auto u32 = [&](quint32 v) { u16(int(v & 0xFFFF)), u16(int(v >> 16)); };
  u16(0), u16(1), u16(1);
  ico.append(char(side & 255)).append(char(side & 255)).append('\0').append('\0');
  u16(1), u16(32), u32(quint32(png.size())), u32(22);
  return ico + png;
}

int ColourCount(const Bitmap &bitmap) {
  QSet<TColor> colours;
  for (int y = 0; y < bitmap.height(); ++y)
    for (int x = 0; x < bitmap.width(); ++x)
      colours.insert(bitmap.pixel(x, y));
  return int(colours.size());
}

} // namespace corvana::test
