#include "smudgel/PaintGeometry.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>

namespace corvana::smudgel {

namespace {

struct Polar {
  double r;
  double theta;
};

Polar ToPolar(TPoint c, TPoint p) {
  const double dy = double(p.y) - double(c.y);
  double dx = double(p.x) - double(c.x);
  // a vertical vector still needs a direction
  if (dx >= 0 && dx < 0.001)
    dx = 0.001;
  else if (dx < 0 && dx > -0.001)
    dx = -0.001;
  const double idx = double(p.x) - double(c.x);
  return {std::sqrt(idx * idx + dy * dy), std::atan2(dy, dx)};
}

TPoint FromPolar(TPoint c, Polar v) {
  return {RoundHalfEven(double(c.x) + v.r * std::cos(v.theta)), RoundHalfEven(double(c.y) + v.r * std::sin(v.theta))};
}

} // namespace

int RoundHalfEven(double v) {
  if (std::isnan(v))
    return 0;
  const double r = std::nearbyint(v); // the default rounding mode goes to even on halves
  return int(std::clamp(r, double(INT_MIN), double(INT_MAX)));
}

TPoint rotate(TPoint c, TPoint p, double angle) {
  Polar v = ToPolar(c, p);
  v.theta += angle;
  return FromPolar(c, v);
}

TPoint reducevector(TPoint c, TPoint p, double factor) {
  Polar v = ToPolar(c, p);
  v.r *= factor;
  return FromPolar(c, v);
}

int StarSkip(int points, bool polygon) {
  if (polygon)
    return 1;
  switch (points) {
  case 5:
    return 2;
  case 7:
    return 3;
  case 9:
    return 4;
  case 11:
    return 5;
  default:
    return 1;
  }
}

std::vector<TPoint> StarVertices(TPoint centre, TPoint p, int points, bool polygon) {
  const int n = std::max(points, 1);
  const double step = 2.0 * StarSkip(n, polygon) * std::numbers::pi / n;
  std::vector<TPoint> v{p};
  for (int i = 1; i < n; ++i)
    v.push_back(rotate(centre, v.back(), step));
  return v;
}

std::vector<TPoint> ConcentricStarStarts(TPoint centre, TPoint release, int count) {
  std::vector<TPoint> v;
  for (int i = 1; i <= count; ++i)
    v.push_back(reducevector(centre, release, double(i) / count));
  return v;
}

std::vector<TPoint> SpiralPoints(TPoint centre100, TPoint release, int turns, double factor, int dir) {
  TPoint p{RoundHalfEven(double(release.x) * 100), RoundHalfEven(double(release.y) * 100)};
  std::vector<TPoint> v;
  const int steps = 36 * std::max(turns, 0);
  v.reserve(size_t(steps));
  for (int i = 0; i < steps; ++i) {
    p = rotate(centre100, p, dir * std::numbers::pi / 18);
    p = reducevector(centre100, p, factor);
    v.push_back({p.x / 100, p.y / 100});
  }
  return v;
}

void SetSymmetricSeeds(std::array<TPoint, 13> &seeds, TPoint centre, TPoint p, int n) {
  n = std::clamp(n, 1, int(seeds.size()));
  const double step = 2.0 * std::numbers::pi / n;
  seeds[0] = p;
  for (int i = 1; i < n; ++i)
    seeds[size_t(i)] = rotate(centre, seeds[size_t(i - 1)], step);
}

std::vector<Stroke> MirrorStrokes(Tool tool, int width, int height, TPoint last, TPoint pointer) {
  const auto v = [width](TPoint p) { return TPoint{width - p.x, p.y}; };
  const auto h = [height](TPoint p) { return TPoint{p.x, height - p.y}; };
  const auto c = [width, height](TPoint p) { return TPoint{width - p.x, height - p.y}; };
  switch (tool) {
  case Tool::VMirror:
    return {{v(last), v(pointer)}};
  case Tool::HMirror:
    return {{h(last), h(pointer)}};
  case Tool::CMirror:
    return {{c(last), c(pointer)}};
  case Tool::Mirror4:
    return {{c(last), c(pointer)}, {v(last), v(pointer)}, {h(last), h(pointer)}};
  default:
    return {};
  }
}

std::vector<Stroke> MirrorStrokes(const QString &toolName, int width, int height, TPoint last, TPoint pointer) {
  return MirrorStrokes(toolFromName(toolName), width, height, last, pointer);
}

TPoint SlineStep(QString &direction, TPoint start, TPoint &last, TPoint pointer, int tolerance) {
  const auto dist = [](int a, int b) { return std::llabs(qint64(a) - b); };
  if (direction == QLatin1String("none"))
    direction = dist(pointer.x, start.x) < dist(pointer.y, start.y) ? QStringLiteral("v") : QStringLiteral("h");
  if (direction == QLatin1String("h") && dist(pointer.y, last.y) > tolerance)
    direction = QStringLiteral("v");
  if (direction == QLatin1String("v") && dist(pointer.x, last.x) > tolerance)
    direction = QStringLiteral("h");
  if (direction == QLatin1String("h"))
    last.x = pointer.x;
  else
    last.y = pointer.y;
  return last;
}

TRect pointtoblock(int x, int y, int width, int height, int blockCount) {
  if (blockCount <= 0)
    return {};
  const int bw = width / blockCount, bh = height / blockCount;
  // a grid finer than the image has no cells
  if (bw <= 0 || bh <= 0)
    return {};
  const int left = (x / bw) * bw, top = (y / bh) * bh;
  return {left, top, left + bw, top + bh};
}

std::vector<TRect> NestedRects(TPoint start, TPoint release, int count) {
  std::vector<TRect> v;
  if (count <= 1)
    return v;
  const qint64 ddx = ((qint64(release.x) - start.x) / 2) / count, ddy = ((qint64(release.y) - start.y) / 2) / count;
  for (int i = 1; i < count; ++i)
    v.push_back({int(start.x + i * ddx), int(start.y + i * ddy), int(release.x - i * ddx), int(release.y - i * ddy)});
  return v;
}

} // namespace corvana::smudgel
