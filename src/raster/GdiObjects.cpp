#include "raster/GdiObjects.h"

#include "raster/Bitmap.h"

#include <cmath>

namespace corvana {

void Brush::setColor(TColor color) {
  m_color = color;
  if (m_style == BrushStyle::Clear)
    m_style = BrushStyle::Solid;
}

void Brush::setPattern(const Bitmap &tile) {
  if (tile.width() < 8 || tile.height() < 8) {
    m_hasPattern = false;
    return;
  }
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      m_tile[y * 8 + x] = tile.pixel(x, y);
  m_hasPattern = true;
}

TColor Brush::patternOperand(int x, int y) const {
  if (m_hasPattern)
    return patternPixel(x, y);
  switch (m_style) {
  case BrushStyle::Clear:
    return clBlack;
  case BrushStyle::Solid:
    return m_color;
  default:
    return hatchBit(m_style, x, y) ? m_color : clWhite;
  }
}

bool Brush::hatchBit(BrushStyle style, int x, int y) {
  const int cx = x & 7, cy = y & 7;
  switch (style) {
  case BrushStyle::Horizontal:
    return cy == 0;
  case BrushStyle::Vertical:
    return cx == 0;
  case BrushStyle::FDiagonal:
    return cx == cy;
  case BrushStyle::BDiagonal:
    return cx + cy == 7;
  case BrushStyle::Cross:
    return cx == 0 || cy == 0;
  case BrushStyle::DiagCross:
    return cx == cy || cx + cy == 7;
  default:
    return false;
  }
}

int Font::pixelSize() const {
  if (size < 0)
    return -size;
  const int px = int(std::lround(size * 96.0 / 72.0));
  return px < 1 ? 1 : px;
}

} // namespace corvana
