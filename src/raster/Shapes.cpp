#include "raster/Shapes.h"

#include <algorithm>
#include <cmath>

namespace corvana {

namespace {
constexpr double Eps = 1e-9;
constexpr double TwoPi = 6.283185307179586476925286766559;
} // namespace

Box64 NormalisedBox(qint64 l, qint64 t, qint64 r, qint64 b) {
  return {std::min(l, r), std::min(t, b), std::max(l, r), std::max(t, b)};
}

bool RoundRectRow(const Box64 &box, qint64 cw, qint64 ch, qint64 y, qint64 &x0, qint64 &x1) {
  if (box.empty() || y < box.t || y >= box.b)
    return false;
  cw = std::min(cw, box.r - box.l);
  ch = std::min(ch, box.b - box.t);
  if (cw < 2 || ch < 2) {
    x0 = box.l;
    x1 = box.r;
    return true;
  }
  Box64 corner{box.l, box.t, box.l + cw, box.t + ch};
  if (y >= box.t + ch / 2) {
    if (y < box.b - ch / 2) {
      x0 = box.l;
      x1 = box.r;
      return true;
    }
    corner = {box.l, box.b - ch, box.l + cw, box.b};
  }
  qint64 e0, e1;
  if (!EllipseRow(corner, y, e0, e1))
    return false;
  x0 = e0;
  x1 = e1 + (box.r - box.l - cw);
  return x0 < x1;
}

Capsule::Capsule(TPoint a, TPoint b, int width) {
  const double shift = width % 2 == 0 ? -0.5 : 0.0;
  ax = a.x + shift;
  ay = a.y + shift;
  bx = b.x + shift;
  by = b.y + shift;
  r = width / 2.0;
}

qint64 Capsule::top() const { return qint64(std::floor(std::min(ay, by) - r)); }
qint64 Capsule::bottom() const { return qint64(std::ceil(std::max(ay, by) + r)) + 1; }

bool Capsule::row(qint64 y, qint64 &x0, qint64 &x1) const {
  double lo = HUGE_VAL, hi = -HUGE_VAL;
  const double yy = double(y);
  auto disc = [&](double cx, double cy) {
    const double d = yy - cy, s = r * r - d * d;
    if (s > Eps) {
      const double half = std::sqrt(s);
      lo = std::min(lo, cx - half);
      hi = std::max(hi, cx + half);
    }
  };
  disc(ax, ay);
  disc(bx, by);
  const double dx = bx - ax, dy = by - ay, len = std::sqrt(dx * dx + dy * dy);
  if (len > 0) {
    // slab: |dx (y - ay) - dy (x - ax)| < r len and 0 <= dx (x - ax) + dy (y - ay) <= len^2
    double s0 = -HUGE_VAL, s1 = HUGE_VAL;
    const double c = dx * (yy - ay);
    if (dy != 0) {
      const double u = (c - r * len) / dy + ax, v = (c + r * len) / dy + ax;
      s0 = std::min(u, v);
      s1 = std::max(u, v);
    } else if (std::abs(c) >= r * len) {
      s0 = HUGE_VAL;
    }
    const double e = dy * (yy - ay);
    if (dx != 0) {
      const double u = -e / dx + ax, v = (len * len - e) / dx + ax;
      s0 = std::max(s0, std::min(u, v));
      s1 = std::min(s1, std::max(u, v));
    } else if (e < 0 || e > len * len) {
      s0 = HUGE_VAL;
    }
    if (s0 < s1) {
      lo = std::min(lo, s0);
      hi = std::max(hi, s1);
    }
  }
  if (!(lo < hi))
    return false;
  // integer pixels strictly inside (lo, hi)
  x0 = qint64(std::floor(lo + Eps)) + 1;
  x1 = qint64(std::ceil(hi - Eps));
  return x0 < x1;
}

FigureBoxes PenBoxes(const Box64 &box, int width, bool insideFrame) {
  const qint64 w = width < 1 ? 1 : width;
  if (insideFrame && w > 1)
    return {box, {box.l + w, box.t + w, box.r - w, box.b - w}};
  // the path runs through the outermost pixels (l .. r - 1); the pen covers w / 2 before it
  const qint64 h = w / 2;
  const Box64 outer{box.l - h, box.t - h, box.r - 1 - h + w, box.b - 1 - h + w};
  const Box64 inner{box.l - h + w, box.t - h + w, box.r - 1 - h, box.b - 1 - h};
  return {outer, inner};
}

void FlattenBezier(TPoint p0, TPoint p1, TPoint p2, TPoint p3, std::vector<TPoint> &out) {
  auto dist = [](TPoint a, TPoint b) { return std::hypot(double(b.x) - a.x, double(b.y) - a.y); };
  const double len = dist(p0, p1) + dist(p1, p2) + dist(p2, p3);
  // about one point every two pixels of the control polygon, bounded for far-away points
  const int steps = int(std::clamp(std::ceil(len / 2), 1.0, 4096.0));
  out.push_back(p0);
  for (int i = 1; i < steps; ++i) {
    const double t = double(i) / steps, u = 1 - t;
    const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
    const double x = a * p0.x + b * p1.x + c * p2.x + d * p3.x, y = a * p0.y + b * p1.y + c * p2.y + d * p3.y;
    const TPoint p{int(std::lround(x)), int(std::lround(y))};
    if (!(p == out.back()))
      out.push_back(p);
  }
  if (!(p3 == out.back()) || out.size() == 1)
    out.push_back(p3);
}

Sector::Sector(const Box64 &box, TPoint start, TPoint end) {
  m_cx = (double(box.l) + double(box.r)) / 2;
  m_cy = (double(box.t) + double(box.b)) / 2;
  // directions with y pointing up, so counter-clockwise on the screen is the positive turn
  // the rays aim at the centres of the named pixels, as every other test here samples centres
  m_sx = start.x + 0.5 - m_cx;
  m_sy = m_cy - (start.y + 0.5);
  m_ex = end.x + 0.5 - m_cx;
  m_ey = m_cy - (end.y + 0.5);
  if (m_sx == 0 && m_sy == 0)
    m_sx = 1;
  if (m_ex == 0 && m_ey == 0)
    m_ex = 1;
  const double cross = m_sx * m_ey - m_sy * m_ex, dot = m_sx * m_ex + m_sy * m_ey;
  m_full = cross == 0 && dot > 0;
  m_small = cross > 0 || (cross == 0 && dot < 0);
  const double rx = (double(box.r) - double(box.l)) / 2, ry = (double(box.b) - double(box.t)) / 2;
  auto onEllipse = [rx, ry](double dx, double dy, double &ox, double &oy) {
    const double k = rx > 0 && ry > 0 ? 1 / std::sqrt((dx / rx) * (dx / rx) + (dy / ry) * (dy / ry)) : 0;
    ox = k * dx;
    oy = k * dy;
  };
  onEllipse(m_sx, m_sy, m_chordSx, m_chordSy);
  onEllipse(m_ex, m_ey, m_chordEx, m_chordEy);
}

bool Sector::beyondChord(qint64 x, qint64 y) const {
  if (m_full)
    return true;
  const double px = double(x) + 0.5 - m_cx, py = m_cy - (double(y) + 0.5);
  const double dx = m_chordEx - m_chordSx, dy = m_chordEy - m_chordSy;
  // the arc runs counter-clockwise from start to end, so it lies to the right of start -> end
  return dx * (py - m_chordSy) - dy * (px - m_chordSx) <= 1e-9;
}

bool Sector::contains(qint64 x, qint64 y) const {
  if (m_full)
    return true;
  const double px = double(x) + 0.5 - m_cx, py = m_cy - (double(y) + 0.5);
  const double sp = m_sx * py - m_sy * px; // start x p
  const double pe = px * m_ey - py * m_ex; // p x end
  if (m_small)
    return sp >= 0 && pe >= 0;
  return !(sp < 0 && pe < 0);
}

double Sector::turn(qint64 x, qint64 y) const {
  const double px = double(x) + 0.5 - m_cx, py = m_cy - (double(y) + 0.5);
  double a = std::atan2(py, px) - std::atan2(m_sy, m_sx);
  while (a < 0)
    a += TwoPi;
  return a / TwoPi;
}

TPoint Sector::ellipsePoint(const Box64 &box, TPoint p) {
  const double cx = (double(box.l) + double(box.r)) / 2, cy = (double(box.t) + double(box.b)) / 2;
  const double rx = (double(box.r) - double(box.l)) / 2, ry = (double(box.b) - double(box.t)) / 2;
  double dx = p.x + 0.5 - cx, dy = p.y + 0.5 - cy;
  if (dx == 0 && dy == 0)
    dx = 1;
  const double k = 1 / std::sqrt((dx / rx) * (dx / rx) + (dy / ry) * (dy / ry));
  const double x = std::floor(cx + k * dx), y = std::floor(cy + k * dy);
  return {int(std::clamp(x, double(box.l), double(box.r - 1))), int(std::clamp(y, double(box.t), double(box.b - 1)))};
}

} // namespace corvana
