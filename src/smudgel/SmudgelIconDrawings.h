#pragma once
// The sixty drawings of the paint window's image list, each on a 16-unit grid.

class QPainter;

namespace corvana::smudgel {

using IconDrawing = void (*)(QPainter &);
// The drawing of icon `index` (0 .. SmudgelIcon::Count - 1).
IconDrawing smudgelIconDrawing(int index);

} // namespace corvana::smudgel
