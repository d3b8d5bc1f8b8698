#pragma once
// The drawing attributes a canvas carries: pen, brush (with its hatches and 8 x 8 pattern
// tile) and font. Plain values; the canvas reads them at each operation.

#include "raster/RasterTypes.h"

#include <QString>
#include <array>

namespace corvana {

class Bitmap;

struct Pen {
  TColor color = clBlack;
  int width = 1; // 0 and below draw as 1
  PenStyle style = PenStyle::Solid;
  PenMode mode = PenMode::Copy;

  int effectiveWidth() const { return width < 1 ? 1 : width; }
};

// Brush colour, style and an optional 8 x 8 pattern tile. Hatches and tiles repeat from the
// bitmap origin. Hatch lines are drawn in the brush colour; between them the destination shows.
class Brush {
public:
  TColor color() const { return m_color; }
  // A colour chosen while the style is Clear makes the brush Solid again.
  void setColor(TColor color);
  BrushStyle style() const { return m_style; }
  void setStyle(BrushStyle style) { m_style = style; }

  // The pattern is the top-left 8 x 8 pixels of the bitmap; a bitmap smaller than that (or
  // a null one) clears the pattern. The tile is copied, so later changes to the bitmap do
  // not reach the brush.
  void setPattern(const Bitmap &tile);
  void clearPattern() { m_hasPattern = false; }
  bool hasPattern() const { return m_hasPattern; }
  TColor patternPixel(int x, int y) const { return m_tile[(y & 7) * 8 + (x & 7)]; }

  // Nothing is painted with a Clear brush.
  bool isClear() const { return m_style == BrushStyle::Clear; }
  // True when every pixel gets the same colour (Solid style, no pattern).
  bool isUniform() const { return m_style == BrushStyle::Solid && !m_hasPattern; }
  // The colour this brush gives pixel (x, y), or false where it leaves the pixel alone.
  bool colorAt(int x, int y, TColor &out) const {
    if (m_style == BrushStyle::Clear)
      return false;
    if (m_hasPattern) {
      out = patternPixel(x, y);
      return true;
    }
    if (m_style == BrushStyle::Solid || hatchBit(m_style, x, y)) {
      out = m_color;
      return true;
    }
    return false;
  }
  // The pattern operand of ternary copies: the tile, the colour, white between hatch lines,
  // black for a Clear brush.
  TColor patternOperand(int x, int y) const;

  static bool hatchBit(BrushStyle style, int x, int y);

private:
  TColor m_color = clWhite;
  BrushStyle m_style = BrushStyle::Solid;
  bool m_hasPattern = false;
  std::array<TColor, 64> m_tile{};
};

struct Font {
  QString name = QStringLiteral("MS Sans Serif");
  int size = 8;     // points at 96 pixels per inch; negative: pixels
  quint8 style = 0; // FontStyle flags
  TColor color = clBlack;

  int pixelSize() const;
};

} // namespace corvana
