#pragma once
// Pixel geometry of the canvas figures, free of any bitmap: which pixels a 1-pixel line
// visits, the row spans of ellipses, rounded rectangles, wide-pen strokes and even-odd
// polygons, Bezier flattening and the sector test of arcs. Everything is clipped to a
// width x height area before it iterates, so far-away coordinates cost nothing.

#include "raster/RasterTypes.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace corvana {

// A normalised box in 64-bit coordinates, right and bottom exclusive.
struct Box64 {
  qint64 l = 0, t = 0, r = 0, b = 0;
  bool empty() const { return r <= l || b <= t; }
};

Box64 NormalisedBox(qint64 l, qint64 t, qint64 r, qint64 b);

// Calls f(x, y, i) for every pixel of the line a -> b inside [0, w) x [0, h), i being the
// pixel's step number from a. The end point b is visited only with includeEnd. Each pixel
// of one line is visited once; at most max(w, h) + 1 steps are iterated.
template <typename F> void LinePixels(TPoint a, TPoint b, bool includeEnd, int w, int h, F &&f) {
  const qint64 dx = qint64(b.x) - a.x, dy = qint64(b.y) - a.y;
  const qint64 adx = std::llabs(dx), ady = std::llabs(dy);
  const qint64 n = adx > ady ? adx : ady;
  const qint64 count = includeEnd ? n + 1 : n;
  if (count <= 0 || w <= 0 || h <= 0)
    return;
  if (n == 0) {
    if (a.x >= 0 && a.y >= 0 && a.x < w && a.y < h)
      f(a.x, a.y, qint64(0));
    return;
  }
  const bool xMajor = adx >= ady;
  const qint64 major0 = xMajor ? a.x : a.y, minor0 = xMajor ? a.y : a.x;
  const int majorStep = (xMajor ? dx : dy) > 0 ? 1 : -1, minorStep = (xMajor ? dy : dx) > 0 ? 1 : -1;
  const qint64 majorLen = xMajor ? adx : ady, minorLen = xMajor ? ady : adx;
  const qint64 majorLimit = xMajor ? w : h;
  // step range whose major coordinate lies inside [0, majorLimit)
  qint64 i0, i1;
  if (majorStep > 0) {
    i0 = -major0;
    i1 = majorLimit - 1 - major0;
  } else {
    i0 = major0 - (majorLimit - 1);
    i1 = major0;
  }
  if (i0 < 0)
    i0 = 0;
  if (i1 > count - 1)
    i1 = count - 1;
  if (i0 > i1)
    return;
  // minor offset of step i: floor((2 i minorLen + majorLen) / (2 majorLen))
  const qint64 den = 2 * majorLen;
  const Int128 num0 = Int128(2) * i0 * minorLen + majorLen;
  qint64 q = qint64(num0 / den), rem = qint64(num0 % den);
  for (qint64 i = i0; i <= i1; ++i) {
    const qint64 major = major0 + majorStep * i, minor = minor0 + minorStep * q;
    const qint64 x = xMajor ? major : minor, y = xMajor ? minor : major;
    if (x >= 0 && y >= 0 && x < w && y < h)
      f(int(x), int(y), i);
    rem += 2 * minorLen;
    if (rem >= den) {
      rem -= den;
      ++q;
    }
  }
}

// floor and ceil for doubles well inside the 64-bit range, without a library call
inline qint64 FloorToInt(double v) {
  const qint64 i = qint64(v);
  return double(i) > v ? i - 1 : i;
}
inline qint64 CeilToInt(double v) {
  const qint64 i = qint64(v);
  return double(i) < v ? i + 1 : i;
}

// Pixels of row y whose centres lie inside the ellipse inscribed in the box: [x0, x1).
class EllipseSpans {
public:
  explicit EllipseSpans(const Box64 &box)
      : m_box(box), m_cx((double(box.l) + double(box.r)) / 2), m_cy((double(box.t) + double(box.b)) / 2),
        m_rx((double(box.r) - double(box.l)) / 2), m_invRy(2 / (double(box.b) - double(box.t))) {}
  bool row(qint64 y, qint64 &x0, qint64 &x1) const {
    if (m_box.empty() || y < m_box.t || y >= m_box.b)
      return false;
    const double t = (double(y) + 0.5 - m_cy) * m_invRy;
    const double s = 1 - t * t;
    if (s < -1e-9)
      return false;
    const double half = m_rx * std::sqrt(s > 0 ? s : 0.0);
    x0 = CeilToInt(m_cx - half - 0.5 - 1e-9);
    x1 = FloorToInt(m_cx + half - 0.5 + 1e-9) + 1;
    if (x0 < m_box.l)
      x0 = m_box.l;
    if (x1 > m_box.r)
      x1 = m_box.r;
    return x0 < x1;
  }

private:
  Box64 m_box;
  double m_cx, m_cy, m_rx, m_invRy;
};

inline bool EllipseRow(const Box64 &box, qint64 y, qint64 &x0, qint64 &x1) { return EllipseSpans(box).row(y, x0, x1); }
// The same for a rectangle with corner ellipses of cw x ch (clamped to the box).
bool RoundRectRow(const Box64 &box, qint64 cw, qint64 ch, qint64 y, qint64 &x0, qint64 &x1);

// A pen stroke of width w along a segment, in pixel coordinates: pixels closer than w / 2 to
// the segment (round ends). Odd widths centre on the pixels, even ones on their top-left
// corners, so a horizontal stroke covers exactly w rows.
struct Capsule {
  double ax, ay, bx, by, r;
  Capsule(TPoint a, TPoint b, int width);
  qint64 top() const;
  qint64 bottom() const; // exclusive
  bool row(qint64 y, qint64 &x0, qint64 &x1) const;
};

// The outline band and fill area of a boxed figure drawn with a pen of width w: the outline
// covers outer minus inner, the brush fills inner. A centred pen spreads w / 2 outside the
// path through the outermost pixels; Inside Frame keeps it within the box.
struct FigureBoxes {
  Box64 outer, inner;
};
FigureBoxes PenBoxes(const Box64 &box, int width, bool insideFrame);

// Calls f(y, x0, x1) for every pixel run [x0, x1) inside the polygon by the even-odd rule,
// sampling pixel centres against vertices at pixel corners; rows clipped to [0, h), runs to
// [0, w).
template <typename F> void PolygonRows(const std::vector<TPoint> &pts, int w, int h, F &&f);

// Points of a cubic Bezier from p0 to p3, p0 first and p3 last, close enough for pixels.
void FlattenBezier(TPoint p0, TPoint p1, TPoint p2, TPoint p3, std::vector<TPoint> &out);

// The counter-clockwise sector from the direction of `start` to that of `end`, both seen from
// the centre of a box, tested at pixel centres. Equal directions give the whole plane.
class Sector {
public:
  Sector(const Box64 &box, TPoint start, TPoint end);
  bool full() const { return m_full; }
  bool contains(qint64 x, qint64 y) const;
  // The point where the ray towards `p` leaves the box's ellipse, as a pixel.
  static TPoint ellipsePoint(const Box64 &box, TPoint p);
  // Whether pixel (x, y) lies on the arc's side of the straight line joining the arc's ends
  // (everything when the arc is the whole ellipse).
  bool beyondChord(qint64 x, qint64 y) const;
  // Fraction 0..1 of a full turn from the start direction to pixel (x, y), counter-clockwise.
  double turn(qint64 x, qint64 y) const;

private:
  double m_cx, m_cy, m_sx, m_sy, m_ex, m_ey;
  double m_chordSx = 0, m_chordSy = 0, m_chordEx = 0, m_chordEy = 0; // arc ends, relative to the centre
  bool m_full, m_small;
};

// ---- implementation of the polygon template

struct PolygonEdge {
  double x0, y0, x1, y1; // y0 < y1
};

template <typename F> void PolygonRows(const std::vector<TPoint> &pts, int w, int h, F &&f) {
  if (pts.size() < 2 || w <= 0 || h <= 0)
    return;
  // edges bucketed by the first row whose centre they cross
  std::vector<std::vector<PolygonEdge>> starts(static_cast<size_t>(h));
  const size_t n = pts.size();
  for (size_t i = 0; i < n; ++i) {
    const TPoint p = pts[i], q = pts[(i + 1) % n];
    if (p.y == q.y)
      continue;
    PolygonEdge e = p.y < q.y ? PolygonEdge{double(p.x), double(p.y), double(q.x), double(q.y)}
                              : PolygonEdge{double(q.x), double(q.y), double(p.x), double(p.y)};
    // rows y with y0 <= y + 0.5 < y1
    qint64 first = qint64(std::ceil(e.y0 - 0.5)), last = qint64(std::ceil(e.y1 - 0.5)) - 1;
    if (first < 0)
      first = 0;
    if (last > h - 1)
      last = h - 1;
    if (first > last)
      continue;
    starts[size_t(first)].push_back(e);
  }
  std::vector<PolygonEdge> active;
  std::vector<double> xs;
  for (int y = 0; y < h; ++y) {
    const double yc = y + 0.5;
    active.erase(std::remove_if(active.begin(), active.end(), [yc](const PolygonEdge &e) { return yc >= e.y1; }),
                 active.end());
    for (const PolygonEdge &e : starts[size_t(y)])
      active.push_back(e);
    std::vector<PolygonEdge>().swap(starts[size_t(y)]);
    if (active.empty())
      continue;
    xs.clear();
    for (const PolygonEdge &e : active)
      xs.push_back(e.x0 + (yc - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0));
    std::sort(xs.begin(), xs.end());
    for (size_t k = 0; k + 1 < xs.size(); k += 2) {
      // pixels with xa <= x + 0.5 < xb
      double a = std::ceil(xs[k] - 0.5), b = std::ceil(xs[k + 1] - 0.5);
      if (a < 0)
        a = 0;
      if (b > w)
        b = w;
      if (a < b)
        f(y, int(a), int(b));
    }
  }
}

} // namespace corvana
