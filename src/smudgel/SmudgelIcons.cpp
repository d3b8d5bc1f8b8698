#include "smudgel/SmudgelIcons.h"

#include "smudgel/SmudgelIconDrawings.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <algorithm>
#include <array>
#include <utility>

namespace corvana::smudgel {

namespace {

// A faint light rim laid under dark strokes, so they still read on a dark tool bar; on a
// light one it is lost in the background.
QImage withHalo(const QImage &image) {
  const auto dark = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= image.width() || y >= image.height())
      return 0;
    const QRgb c = image.pixel(x, y);
    return qGray(c) < 110 ? qAlpha(c) : 0;
  };
  QImage halo(image.size(), QImage::Format_ARGB32);
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) {
      const int side = std::max({dark(x, y), dark(x - 1, y), dark(x + 1, y), dark(x, y - 1), dark(x, y + 1)});
      const int corner = std::max({dark(x - 1, y - 1), dark(x + 1, y - 1), dark(x - 1, y + 1), dark(x + 1, y + 1)});
      halo.setPixel(x, y, qRgba(255, 255, 255, std::max(side * 120, corner * 64) / 255));
    }
  QPainter p(&halo);
  p.drawImage(0, 0, image);
  return halo;
}

QImage render(IconDrawing draw, int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  {
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 16.0, size / 16.0);
    draw(p);
  }
  return withHalo(image.convertToFormat(QImage::Format_ARGB32));
}

} // namespace

QIcon smudgelIcon(SmudgelIcon icon) { return smudgelIcon(int(icon)); }

QIcon smudgelIcon(int index) {
  if (index < 0 || index >= int(SmudgelIcon::Count))
    return {};
  // Images rather than icons are kept, so nothing pixmap-backed outlives the application.
  static std::array<std::pair<QImage, QImage>, int(SmudgelIcon::Count)> cache;
  auto &[small, large] = cache[index];
  if (small.isNull()) {
    small = render(smudgelIconDrawing(index), 16);
    large = render(smudgelIconDrawing(index), 32);
  }
  QIcon icon;
  icon.addPixmap(QPixmap::fromImage(small));
  icon.addPixmap(QPixmap::fromImage(large));
  return icon;
}

} // namespace corvana::smudgel
