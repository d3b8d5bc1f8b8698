#pragma once
// Flood fill of a surface: the 4-connected area of one colour around a point, painted with
// a brush (solid, hatched or patterned) without any raster operation.

#include "raster/RasterTypes.h"

namespace corvana {

class Bitmap;
class Brush;

// Fills the area of colour `target` that contains (x, y); nothing when that pixel has another
// colour, lies outside the bitmap, or the brush is Clear. Runs in time proportional to the
// area, also when the brush colour equals the target or the brush leaves gaps.
void FloodFillSurface(Bitmap &bitmap, int x, int y, TColor target, const Brush &brush);

} // namespace corvana
