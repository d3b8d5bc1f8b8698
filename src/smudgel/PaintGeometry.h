#pragma once
// The geometry behind the computed paint tools: point transforms, stars, spirals, rotational
// symmetry, mirrors, the axis-parallel line and the block grid. Pure functions, no canvas.

#include "raster/RasterTypes.h"
#include "smudgel/PaintTool.h"

#include <QString>
#include <array>
#include <vector>

namespace corvana::smudgel {

// Nearest integer, halves to the even neighbour; saturates at the int range.
int RoundHalfEven(double v);

// p turned about c by `angle` radians (clockwise on the screen for positive angles).
TPoint rotate(TPoint c, TPoint p, double angle);
// p moved towards c to `factor` of its distance.
TPoint reducevector(TPoint c, TPoint p, double factor);

// Vertex skip of an n-pointed star: 1 with "Polygon" checked, otherwise 2, 3, 4, 5 for 5, 7,
// 9, 11 points and 1 for every other count.
int StarSkip(int points, bool polygon);
// The n vertices of one star around `centre` whose first vertex is p.
std::vector<TPoint> StarVertices(TPoint centre, TPoint p, int points, bool polygon);
// First vertices of `count` concentric stars, smallest first, the last one at `release`.
std::vector<TPoint> ConcentricStarStarts(TPoint centre, TPoint release, int count);

// The points a spiral draws lines to (whole pixels), 36 per turn; centre100 is the press point
// in hundredths of a pixel.
std::vector<TPoint> SpiralPoints(TPoint centre100, TPoint release, int turns, double factor, int dir);

// Seeds of the symmetric copies: p and its n - 1 turns about the centre.
void SetSymmetricSeeds(std::array<TPoint, 13> &seeds, TPoint centre, TPoint p, int n);

struct Stroke {
  TPoint from;
  TPoint to;
  friend bool operator==(const Stroke &, const Stroke &) = default;
};
// The mirrored strokes a mirror tool draws before the stroke last -> pointer itself; nothing
// for any other tool.
std::vector<Stroke> MirrorStrokes(Tool tool, int width, int height, TPoint last, TPoint pointer);
std::vector<Stroke> MirrorStrokes(const QString &toolName, int width, int height, TPoint last, TPoint pointer);

// One move of the axis-parallel line tool: updates direction and last point, and returns the
// point to draw a line to.
TPoint SlineStep(QString &direction, TPoint start, TPoint &last, TPoint pointer, int tolerance);

// The block cell under (x, y); empty when the image is smaller than the grid.
TRect pointtoblock(int x, int y, int width, int height, int blockCount);

// Corners of the inner copies 1 .. count - 1 of a nested rectangle or ellipse.
std::vector<TRect> NestedRects(TPoint start, TPoint release, int count);

} // namespace corvana::smudgel
