#include "smudgel/PaintSurface.h"

#include "smudgel/UndoRing.h"

#include <algorithm>
#include <climits>
#include <string>

namespace corvana::smudgel {

namespace {

constexpr qint64 Far = (qint64(1) << 30) + (qint64(1) << 22);

int Clamp(qint64 v) { return int(std::clamp(v, -Far, Far)); }

template <typename T> void Append(std::string &key, const T &value) {
  key.append(reinterpret_cast<const char *>(&value), sizeof(value));
}

} // namespace

int PaintSurface::reach() const { return std::clamp(m_canvas.pen.width, 1, 1 << 20) + 2; }

void PaintSurface::damage(qint64 l, qint64 t, qint64 r, qint64 b) {
  ++m_changes;
  l = std::max<qint64>(l, 0);
  t = std::max<qint64>(t, 0);
  r = std::min<qint64>(r, m_canvas.bitmap().width());
  b = std::min<qint64>(b, m_canvas.bitmap().height());
  if (l >= r || t >= b)
    return;
  if (m_damageL >= m_damageR) {
    m_damageL = l, m_damageT = t, m_damageR = r, m_damageB = b;
    return;
  }
  m_damageL = std::min(m_damageL, l);
  m_damageT = std::min(m_damageT, t);
  m_damageR = std::max(m_damageR, r);
  m_damageB = std::max(m_damageB, b);
}

void PaintSurface::damageAll() { damage(0, 0, m_canvas.bitmap().width(), m_canvas.bitmap().height()); }

TRect PaintSurface::takeViewDamage() {
  const TRect r{int(m_damageL), int(m_damageT), int(m_damageR), int(m_damageB)};
  m_damageL = m_damageT = m_damageR = m_damageB = 0;
  return r;
}

void PaintSurface::report(char op, const std::vector<int> &params, bool segment, TRect rect, TPoint a, TPoint b,
                          int radius) {
  if (segment)
    damage(qint64(std::min(a.x, b.x)) - radius, qint64(std::min(a.y, b.y)) - radius,
           qint64(std::max(a.x, b.x)) + radius + 1, qint64(std::max(a.y, b.y)) + radius + 1);
  else
    damage(rect.left, rect.top, rect.right, rect.bottom);
  if (!m_ring)
    return;
  const UndoRing::Damage hit{segment, rect, a, b, radius};
  const PenMode mode = m_canvas.pen.mode;
  const bool selfInverse = mode == PenMode::NotXor || mode == PenMode::Xor || mode == PenMode::Not;
  // drawn twice, such a call leaves every pixel as it was, unless a palette snapped it
  if (!selfInverse || m_canvas.bitmap().hasPalette()) {
    if (segment)
      m_ring->markSegment(a, b, radius);
    else
      m_ring->markRect(rect);
    return;
  }
  std::string key(1, op);
  for (int p : params)
    Append(key, p);
  const Pen &pen = m_canvas.pen;
  const Brush &brush = m_canvas.brush;
  Append(key, pen.color);
  Append(key, pen.width);
  Append(key, pen.style);
  Append(key, pen.mode);
  Append(key, brush.color());
  Append(key, brush.style());
  Append(key, brush.hasPattern());
  if (brush.hasPattern())
    for (int i = 0; i < 64; ++i)
      Append(key, brush.patternPixel(i % 8, i / 8));
  Append(key, m_canvas.bitmap().width());
  Append(key, m_canvas.bitmap().height());
  m_ring->toggle(key, hit);
}

void PaintSurface::figure(char op, const std::vector<int> &params, qint64 l, qint64 t, qint64 r, qint64 b) {
  const qint64 grow = reach();
  report(op, params, false,
         {Clamp(std::min(l, r) - grow), Clamp(std::min(t, b) - grow), Clamp(std::max(l, r) + grow + 1),
          Clamp(std::max(t, b) + grow + 1)},
         {}, {}, 0);
}

void PaintSurface::LineTo(int x, int y) {
  const TPoint from = m_canvas.penPos();
  m_canvas.LineTo(x, y);
  if (m_canvas.pen.style != PenStyle::Clear)
    report('L', {from.x, from.y, x, y}, true, {}, from, {x, y}, reach() / 2 + 1);
}

void PaintSurface::Rectangle(int left, int top, int right, int bottom) {
  m_canvas.Rectangle(left, top, right, bottom);
  // an outline alone touches four thin bands, not the inside
  if (m_canvas.brush.isClear() && m_canvas.pen.style != PenStyle::InsideFrame) {
    const int l = std::min(left, right), r = std::max(left, right), t = std::min(top, bottom),
              b = std::max(top, bottom);
    if (qint64(r) - l > 4 * qint64(reach()) && qint64(b) - t > 4 * qint64(reach())) {
      const std::vector<int> params{left, top, right, bottom};
      figure('a', params, l, t, r, t);
      figure('b', params, l, b - 1, r, b - 1);
      figure('c', params, l, t, l, b);
      figure('d', params, r - 1, t, r - 1, b);
      return;
    }
  }
  figure('R', {left, top, right, bottom}, left, top, right, bottom);
}

void PaintSurface::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
  m_canvas.RoundRect(left, top, right, bottom, cornerWidth, cornerHeight);
  figure('O', {left, top, right, bottom, cornerWidth, cornerHeight}, left, top, right, bottom);
}

void PaintSurface::Ellipse(int left, int top, int right, int bottom) {
  m_canvas.Ellipse(left, top, right, bottom);
  figure('E', {left, top, right, bottom}, left, top, right, bottom);
}

void PaintSurface::Arc(const TRect &box, TPoint start, TPoint end) {
  m_canvas.Arc(box.left, box.top, box.right, box.bottom, start.x, start.y, end.x, end.y);
  const qint64 w = reach();
  figure('A', {box.left, box.top, box.right, box.bottom, start.x, start.y, end.x, end.y}, box.left - w, box.top - w,
         qint64(box.right) + w, qint64(box.bottom) + w);
}

void PaintSurface::Chord(const TRect &box, TPoint start, TPoint end) {
  m_canvas.Chord(box.left, box.top, box.right, box.bottom, start.x, start.y, end.x, end.y);
  const qint64 w = reach();
  figure('C', {box.left, box.top, box.right, box.bottom, start.x, start.y, end.x, end.y}, box.left - w, box.top - w,
         qint64(box.right) + w, qint64(box.bottom) + w);
}

void PaintSurface::Pie(const TRect &box, TPoint start, TPoint end) {
  m_canvas.Pie(box.left, box.top, box.right, box.bottom, start.x, start.y, end.x, end.y);
  const qint64 w = reach();
  figure('P', {box.left, box.top, box.right, box.bottom, start.x, start.y, end.x, end.y}, box.left - w, box.top - w,
         qint64(box.right) + w, qint64(box.bottom) + w);
}

namespace {
std::vector<int> Flatten(const std::vector<TPoint> &points) {
  std::vector<int> v;
  for (const TPoint &p : points) {
    v.push_back(p.x);
    v.push_back(p.y);
  }
  return v;
}
} // namespace

void PaintSurface::Polygon(const std::vector<TPoint> &points) {
  m_canvas.Polygon(points);
  if (points.size() < 2)
    return;
  const auto [minX, maxX] = std::minmax_element(points.begin(), points.end(), [](auto a, auto b) { return a.x < b.x; });
  const auto [minY, maxY] = std::minmax_element(points.begin(), points.end(), [](auto a, auto b) { return a.y < b.y; });
  figure('G', Flatten(points), minX->x, minY->y, maxX->x, maxY->y);
}

void PaintSurface::PolyBezier(const std::vector<TPoint> &points) {
  m_canvas.PolyBezier(points);
  if (points.empty())
    return;
  // a curve stays inside the hull of its points
  const auto [minX, maxX] = std::minmax_element(points.begin(), points.end(), [](auto a, auto b) { return a.x < b.x; });
  const auto [minY, maxY] = std::minmax_element(points.begin(), points.end(), [](auto a, auto b) { return a.y < b.y; });
  figure('Z', Flatten(points), minX->x, minY->y, maxX->x, maxY->y);
}

void PaintSurface::FillRect(const TRect &rect) {
  m_canvas.FillRect(rect);
  damage(rect.left, rect.top, rect.right, rect.bottom);
  if (m_ring)
    m_ring->markRect(rect);
}

void PaintSurface::FloodFill(int x, int y, TColor color) {
  m_canvas.FloodFill(x, y, color);
  damageAll();
  if (m_ring)
    m_ring->markAll();
}

void PaintSurface::SetPixel(int x, int y, TColor color) {
  m_canvas.SetPixel(x, y, color);
  damage(x, y, qint64(x) + 1, qint64(y) + 1);
  if (m_ring)
    m_ring->markRect({x, y, x == INT_MAX ? x : x + 1, y == INT_MAX ? y : y + 1});
}

void PaintSurface::TextOut(int x, int y, const QString &text) {
  m_canvas.TextOut(x, y, text);
  if (text.isEmpty())
    return;
  // italic and bold overhangs reach past the advance width
  const qint64 h = m_canvas.TextHeight(text);
  const TRect box{Clamp(qint64(x) - h), y, Clamp(qint64(x) + m_canvas.TextWidth(text) + h + 1),
                  Clamp(qint64(y) + h + 1)};
  damage(box.left, box.top, box.right, box.bottom);
  if (m_ring)
    m_ring->markRect(box);
}

void PaintSurface::CopyRect(const TRect &dest, const Bitmap &source, const TRect &sourceRect) {
  m_canvas.CopyRect(dest, source, sourceRect);
  damage(std::min(dest.left, dest.right), std::min(dest.top, dest.bottom), std::max(dest.left, dest.right),
         std::max(dest.top, dest.bottom));
  if (m_ring)
    m_ring->markRect(dest);
}

void PaintSurface::touchedAll() {
  damageAll();
  if (m_ring)
    m_ring->markAll();
}

} // namespace corvana::smudgel
