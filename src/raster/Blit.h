#pragma once
// Block copies: a source rectangle copied into a destination rectangle through a ternary
// raster operation with the brush as pattern, scaled by pixel replication or dropping when
// the sizes differ and mirrored when one width (or height) is negative and the other not.

#include "raster/RasterTypes.h"

namespace corvana {

class Bitmap;
class Brush;

// Destination pixels whose source pixel lies outside the source bitmap are left alone. The
// source may be the destination itself; overlapping areas copy as if through a temporary.
void StretchBlit(Bitmap &dst, const TRect &dest, const Bitmap &src, const TRect &source, CopyMode mode,
                 const Brush &brush);

} // namespace corvana
