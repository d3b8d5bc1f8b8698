#pragma once
// Text on a bitmap: aliased glyphs from Qt's font engine in the font colour, over a cell of
// the text's width and the font's height filled with the brush colour unless the brush is
// Clear. Needs a QGuiApplication.

#include "raster/RasterTypes.h"

#include <QFont>
#include <QString>

namespace corvana {

class Bitmap;
class Brush;
struct Font;

QFont ToQFont(const Font &font);
int TextWidth(const Font &font, const QString &text);
int TextHeight(const Font &font, const QString &text);
// Writes text with the cell's top left at (x, y).
void DrawText(Bitmap &bitmap, int x, int y, const QString &text, const Font &font, const Brush &brush);

} // namespace corvana
