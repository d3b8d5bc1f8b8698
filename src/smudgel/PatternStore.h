#pragma once
// The pattern brushes: a strip of sixteen 8 x 8 tiles kept in a BMP file beside the program,
// read when the paint window starts and written back when it closes, and the sampling that
// turns a fat-pixel drawing over the whole image into one tile.

#include "raster/Bitmap.h"

#include <QString>

namespace corvana::smudgel {

class PatternStore {
public:
  static constexpr int Tiles = 16;
  static constexpr int TileSize = 8;
  static constexpr int StripWidth = Tiles * TileSize;

  // A white strip of sixteen tiles.
  PatternStore();

  // Reads the strip. A file that is missing or unreadable leaves a white strip and returns the
  // reason; one narrower or lower than sixteen tiles is kept and padded with white.
  QString load(const QString &path);
  // Writes the strip as BMP at its own depth; throws corvana::Error.
  void save(const QString &path);

  const Bitmap &strip() const { return m_strip; }
  // Tile i reduced to the standard sixteen colours, as the list shows it and the brush uses it.
  Bitmap tile(int index) const;
  // Copies the top-left 8 x 8 pixels of `tile` into tile i.
  void setTile(int index, const Bitmap &tile);
  // Whether the strip changed since it was loaded or saved.
  bool modified() const { return m_modified; }

private:
  Bitmap m_strip;
  bool m_modified = false;
};

// An empty 8 x 8 bitmap of the standard sixteen colours.
Bitmap SixteenColorTile();
// The pixel at the centre of each cell of an 8 x 8 grid over the image, as a sixteen-colour
// tile: cell (c, r) gives the pixel (c * (W / 8) + W / 16, r * (H / 8) + H / 16).
Bitmap SampleTile(const Bitmap &image);

} // namespace corvana::smudgel
