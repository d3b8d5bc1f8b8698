#pragma once
// The selection, paste and text effects of the paint tools, one function each, drawing through
// a PaintSurface.

#include "raster/GdiObjects.h"

#include <QString>
#include <functional>

namespace corvana::smudgel {

class PaintSurface;

// A uniform draw from 0 .. n - 1.
using RandomSource = std::function<int(int n)>;

TRect Normalised(const TRect &r);

// The selection as a two-colour mask: white where the image shows `key`, black elsewhere
// (also beyond the image). Null when the rectangle is empty or too large to hold.
Bitmap SelectionMask(const Bitmap &image, const TRect &rect, TColor key);

// The selection copied onto the image at `at` with the copy mode.
void PasteSelection(PaintSurface &surface, const TRect &clip, TPoint at);
// The mask of the selection copied to `at` with the copy mode.
void PasteSelectionMask(PaintSurface &surface, const TRect &clip, TPoint at, TColor key);
// The mask of the selection drawn back over it with the copy mode.
void MaskClip(PaintSurface &surface, const TRect &clip, TColor key);
// Key-coloured pixels of the selection, bounds included, set at `at` (or XORed into the
// destination with `inverted`), row by row, reading what earlier rows wrote.
void PasteColor(PaintSurface &surface, const TRect &clip, TPoint at, TColor key, bool inverted);

// Ten dots in the brush colour within -15 .. 14 pixels of p.
void Spray(PaintSurface &surface, TPoint p, const RandomSource &random);

// Text with its top left at p in the font's colour.
void PaintTextAt(PaintSurface &surface, TPoint p, const QString &text, const Font &font);
// The text in `shadow` colour at p, then in the font's colour offset by (dx, dy).
void ShadowText(PaintSurface &surface, TPoint p, const QString &text, const Font &font, TColor shadow, int dx, int dy);

} // namespace corvana::smudgel
