#include "smudgel/PatternStore.h"

#include "codecs/Bmp.h"
#include "platform/Errors.h"

#include <QFileInfo>

namespace corvana::smudgel {

Bitmap SixteenColorTile() {
  return Bitmap(PatternStore::TileSize, PatternStore::TileSize, PixelFormat::pf4bit, clWhite);
}

Bitmap SampleTile(const Bitmap &image) {
  Bitmap tile = SixteenColorTile();
  const int sx = image.width() / 8, ox = image.width() / 16;
  const int sy = image.height() / 8, oy = image.height() / 16;
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 8; ++c) {
      const TColor pixel = image.pixel(c * sx + ox, r * sy + oy);
      // an image smaller than the grid has no pixel for some cells: they stay white
      tile.setPixel(c, r, pixel == clInvalidPixel ? clWhite : pixel);
    }
  return tile;
}

PatternStore::PatternStore() : m_strip(StripWidth, TileSize, PixelFormat::pf4bit, clWhite) {}

QString PatternStore::load(const QString &path) {
  m_modified = false;
  m_strip = Bitmap(StripWidth, TileSize, PixelFormat::pf4bit, clWhite);
  if (!QFileInfo::exists(path))
    return QStringLiteral("\"%1\" was not found; the patterns start white.").arg(path);
  Bitmap loaded;
  try {
    loaded = LoadBmpFile(path);
  } catch (const Error &e) {
    return e.message();
  }
  if (loaded.width() < StripWidth || loaded.height() < TileSize) {
    // keep the tiles the file has; the rest start white
    for (int y = 0; y < std::min(loaded.height(), TileSize); ++y)
      for (int x = 0; x < std::min(loaded.width(), StripWidth); ++x)
        m_strip.setPixel(x, y, loaded.pixel(x, y));
    m_modified = true;
    return {};
  }
  m_strip = std::move(loaded);
  return {};
}

void PatternStore::save(const QString &path) {
  SaveBmpFile(path, m_strip);
  m_modified = false;
}

Bitmap PatternStore::tile(int index) const {
  Bitmap tile = SixteenColorTile();
  if (index < 0 || index >= Tiles)
    return tile;
  for (int y = 0; y < TileSize; ++y)
    for (int x = 0; x < TileSize; ++x)
      tile.setPixel(x, y, m_strip.pixel(index * TileSize + x, y));
  return tile;
}

void PatternStore::setTile(int index, const Bitmap &tile) {
  if (index < 0 || index >= Tiles)
    return;
  for (int y = 0; y < TileSize; ++y)
    for (int x = 0; x < TileSize; ++x) {
      const TColor pixel = tile.pixel(x, y);
      if (pixel != clInvalidPixel)
        m_strip.setPixel(index * TileSize + x, y, pixel);
    }
  m_modified = true;
}

} // namespace corvana::smudgel
