#include "raster/Canvas.h"

#include "raster/Blit.h"
#include "raster/Coverage.h"
#include "raster/FloodFill.h"
#include "raster/RasterOps.h"
#include "raster/Shapes.h"
#include "raster/TextRender.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace corvana {

namespace {

constexpr int Far = 1 << 30;
constexpr int MaxPenWidth = 1 << 20;

int ClampCoord(int v) { return std::clamp(v, -Far, Far); }
TPoint ClampPoint(TPoint p) { return {ClampCoord(p.x), ClampCoord(p.y)}; }

Box64 ClipBox(const Box64 &a, const Bitmap &bitmap) {
  Box64 r{std::max<qint64>(a.l, 0), std::max<qint64>(a.t, 0), std::min<qint64>(a.r, bitmap.width()),
          std::min<qint64>(a.b, bitmap.height())};
  return r.empty() ? Box64{} : r;
}

// on/off run lengths of the cosmetic pen styles
bool DashOn(PenStyle style, qint64 index) {
  static const bool dash[24] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0};
  static const bool dot[6] = {1, 1, 1, 0, 0, 0};
  static const bool dashDot[24] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 1, 1, 1, 0, 0, 0, 0, 0, 0};
  static const bool dashDotDot[24] = {1, 1, 1, 1, 1, 1, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0};
  switch (style) {
  case PenStyle::Dash:
    return dash[index % 24];
  case PenStyle::Dot:
    return dot[index % 6];
  case PenStyle::DashDot:
    return dashDot[index % 24];
  case PenStyle::DashDotDot:
    return dashDotDot[index % 24];
  default:
    return true;
  }
}

double EllipsePerimeter(const Box64 &box) {
  const double a = (double(box.r) - double(box.l)) / 2, b = (double(box.b) - double(box.t)) / 2;
  return std::numbers::pi * (3 * (a + b) - std::sqrt((3 * a + b) * (a + 3 * b)));
}

} // namespace

int Canvas::penWidth() const { return std::clamp(pen.width, 1, MaxPenWidth); }

bool Canvas::dashed() const {
  return pen.width <= 1 && (pen.style == PenStyle::Dash || pen.style == PenStyle::Dot ||
                            pen.style == PenStyle::DashDot || pen.style == PenStyle::DashDotDot);
}

int Canvas::dashCover(qint64 index) const {
  if (DashOn(pen.style, index))
    return int(Cover::Ink);
  return gapsOpaque() ? int(Cover::Gap) : int(Cover::None);
}

void Canvas::penSpan(int y, qint64 x0, qint64 x1, TColor color) {
  x0 = std::max<qint64>(x0, 0);
  x1 = std::min<qint64>(x1, m_bitmap->width());
  if (x0 >= x1 || y < 0 || y >= m_bitmap->height())
    return;
  quint32 *dst = m_bitmap->scanLine(y) + x0;
  Rop2Span(dst, int(x1 - x0), pen.mode, Bitmap::toStored(color));
  if (m_bitmap->hasPalette())
    m_bitmap->snapSpan(y, int(x0), int(x1));
}

void Canvas::brushSpan(int y, qint64 x0, qint64 x1) {
  if (brush.isClear())
    return;
  if (brush.isUniform()) {
    penSpan(y, x0, x1, brush.color());
    return;
  }
  x0 = std::max<qint64>(x0, 0);
  x1 = std::min<qint64>(x1, m_bitmap->width());
  if (x0 >= x1 || y < 0 || y >= m_bitmap->height())
    return;
  quint32 *line = m_bitmap->scanLine(y);
  for (qint64 x = x0; x < x1; ++x) {
    TColor c;
    if (brush.colorAt(int(x), y, c))
      line[x] = ApplyRop2(pen.mode, Bitmap::toStored(c), line[x]);
  }
  m_bitmap->snapSpan(y, int(x0), int(x1));
}

void Canvas::paint(const Coverage &coverage) {
  coverage.runs([this](int y, int x0, int x1, Cover c) {
    switch (c) {
    case Cover::Ink:
      penSpan(y, x0, x1, pen.color);
      break;
    case Cover::Gap:
      penSpan(y, x0, x1, brush.color());
      break;
    case Cover::Fill:
      brushSpan(y, x0, x1);
      break;
    case Cover::None:
      break;
    }
  });
}

void Canvas::LineTo(int x, int y) {
  const TPoint a = m_penPos, b{x, y};
  m_penPos = b;
  if (!penVisible() || m_bitmap->isNull())
    return;
  Bitmap &bm = *m_bitmap;
  const int w = bm.width(), h = bm.height();
  if (penWidth() > 1) {
    // one convex stroke: every row is a single span, so no pixel is combined twice
    const Capsule stroke(ClampPoint(a), ClampPoint(b), penWidth());
    const qint64 top = std::max<qint64>(stroke.top(), 0), bottom = std::min<qint64>(stroke.bottom(), h);
    for (qint64 row = top; row < bottom; ++row) {
      qint64 x0, x1;
      if (stroke.row(row, x0, x1))
        penSpan(int(row), x0, x1, pen.color);
    }
    return;
  }
  const bool palette = bm.hasPalette();
  if (!dashed()) {
    WithRop2(pen.mode, Bitmap::toStored(pen.color), [&](auto op) {
      LinePixels(a, b, false, w, h, [&](int px, int py, qint64) {
        quint32 *p = bm.scanLine(py) + px;
        *p = op(*p);
        if (palette)
          bm.snapSpan(py, px, px + 1);
      });
    });
    return;
  }
  const quint32 ink = Bitmap::toStored(pen.color), gap = Bitmap::toStored(brush.color());
  LinePixels(a, b, false, w, h, [&](int px, int py, qint64 i) {
    const int cover = dashCover(i);
    if (cover == int(Cover::None))
      return;
    quint32 *p = bm.scanLine(py) + px;
    *p = ApplyRop2(pen.mode, cover == int(Cover::Ink) ? ink : gap, *p);
    if (palette)
      bm.snapSpan(py, px, px + 1);
  });
}

template <typename RowsOf> void Canvas::boxFigure(const Box64 &box, RowsOf rowsOf) {
  const bool ink = penVisible();
  const FigureBoxes boxes = ink ? PenBoxes(box, penWidth(), pen.style == PenStyle::InsideFrame) : FigureBoxes{box, box};
  const auto outer = rowsOf(boxes.outer), inner = rowsOf(boxes.inner);
  const bool direct = pen.mode == PenMode::Copy && !m_bitmap->hasPalette() && (brush.isUniform() || brush.isClear());
  const quint32 penWord = Bitmap::toStored(pen.color), brushWord = Bitmap::toStored(brush.color());
  const qint64 top = std::max<qint64>(boxes.outer.t, 0), bottom = std::min<qint64>(boxes.outer.b, m_bitmap->height());
  for (qint64 y = top; y < bottom; ++y) {
    qint64 a, b;
    if (!outer.row(y, a, b))
      continue;
    qint64 c = b, d = b;
    if (boxes.inner.empty() || !inner.row(y, c, d)) {
      c = d = b;
    }
    c = std::clamp(c, a, b);
    d = std::clamp(d, c, b);
    if (direct) {
      // plain copies: straight stores, no per-span calls
      quint32 *line = m_bitmap->scanLine(int(y));
      const qint64 w = m_bitmap->width();
      auto put = [line, w](qint64 from, qint64 to, quint32 word) {
        from = std::max<qint64>(from, 0);
        to = std::min(to, w);
        if (from < to)
          std::fill(line + from, line + to, word);
      };
      if (ink) {
        put(a, c, penWord);
        put(d, b, penWord);
      }
      if (!brush.isClear())
        put(c, d, brushWord);
      continue;
    }
    if (ink) {
      penSpan(int(y), a, c, pen.color);
      penSpan(int(y), d, b, pen.color);
    }
    brushSpan(int(y), c, d);
  }
}

Box64 Canvas::pathArea(const std::vector<TPoint> &points) const {
  qint64 l = points[0].x, t = points[0].y, r = l, b = t;
  for (const TPoint &p : points) {
    l = std::min<qint64>(l, p.x);
    r = std::max<qint64>(r, p.x);
    t = std::min<qint64>(t, p.y);
    b = std::max<qint64>(b, p.y);
  }
  const qint64 grow = penWidth() + 2;
  return ClipBox({l - grow, t - grow, r + grow, b + grow}, *m_bitmap);
}

void Canvas::strokePath(Coverage &coverage, const std::vector<TPoint> &points, bool closed, qint64 &dashIndex) {
  const size_t n = points.size();
  const size_t segments = closed ? n : n - 1;
  const int w = penWidth();
  const Box64 &area = coverage.area();
  const bool dash = dashed();
  for (size_t i = 0; i < segments; ++i) {
    const TPoint a = points[i], b = points[(i + 1) % n];
    if (w > 1) {
      const Capsule stroke(a, b, w);
      const qint64 top = std::max(stroke.top(), area.t), bottom = std::min(stroke.bottom(), area.b);
      for (qint64 y = top; y < bottom; ++y) {
        qint64 x0, x1;
        if (stroke.row(y, x0, x1))
          coverage.markSpan(y, x0, x1, Cover::Ink);
      }
      continue;
    }
    LinePixels(a, b, false, m_bitmap->width(), m_bitmap->height(), [&](int x, int y, qint64 step) {
      coverage.mark(x, y, dash ? Cover(dashCover(dashIndex + step)) : Cover::Ink);
    });
    dashIndex += std::max(std::llabs(qint64(b.x) - a.x), std::llabs(qint64(b.y) - a.y));
  }
}

void Canvas::Rectangle(int left, int top, int right, int bottom) {
  const Box64 box = NormalisedBox(ClampCoord(left), ClampCoord(top), ClampCoord(right), ClampCoord(bottom));
  if (box.empty() || m_bitmap->isNull())
    return;
  if (penVisible() && dashed()) {
    Coverage coverage(ClipBox(box, *m_bitmap));
    if (coverage.empty())
      return;
    for (qint64 y = std::max(box.t + 1, coverage.area().t); y < std::min(box.b - 1, coverage.area().b); ++y)
      coverage.markSpan(y, box.l + 1, box.r - 1, Cover::Fill);
    const int l = int(box.l), t = int(box.t), r = int(box.r - 1), b = int(box.b - 1);
    qint64 dashIndex = 0;
    strokePath(coverage, {{l, t}, {r, t}, {r, b}, {l, b}}, true, dashIndex);
    paint(coverage);
    return;
  }
  struct RectSpans {
    Box64 b;
    bool row(qint64 y, qint64 &x0, qint64 &x1) const {
      if (y < b.t || y >= b.b || b.empty())
        return false;
      x0 = b.l;
      x1 = b.r;
      return true;
    }
  };
  boxFigure(box, [](const Box64 &b) { return RectSpans{b}; });
}

void Canvas::Ellipse(int left, int top, int right, int bottom) {
  const Box64 box = NormalisedBox(ClampCoord(left), ClampCoord(top), ClampCoord(right), ClampCoord(bottom));
  if (box.empty() || m_bitmap->isNull())
    return;
  if (penVisible() && dashed()) {
    arcFigure(ArcKind::Ellipse, left, top, right, bottom, right, top, right, top);
    return;
  }
  boxFigure(box, [](const Box64 &b) { return EllipseSpans(b); });
}

void Canvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight) {
  const Box64 box = NormalisedBox(ClampCoord(left), ClampCoord(top), ClampCoord(right), ClampCoord(bottom));
  if (box.empty() || m_bitmap->isNull())
    return;
  const qint64 cw = std::max(0, ClampCoord(cornerWidth)), ch = std::max(0, ClampCoord(cornerHeight));
  auto rowOf = [&](const Box64 &b, qint64 y, qint64 &x0, qint64 &x1) {
    // corners grow and shrink with the box, so the band keeps its width round them
    const qint64 dw = (b.r - b.l) - (box.r - box.l), dh = (b.b - b.t) - (box.b - box.t);
    return RoundRectRow(b, std::max<qint64>(cw + dw, 0), std::max<qint64>(ch + dh, 0), y, x0, x1);
  };
  if (penVisible() && dashed()) {
    const FigureBoxes boxes = PenBoxes(box, 1, false);
    Coverage coverage(ClipBox(box, *m_bitmap));
    const Sector around(box, {int(box.r), int((box.t + box.b) / 2)}, {int(box.r), int((box.t + box.b) / 2)});
    const double perimeter = 2.0 * ((box.r - box.l) + (box.b - box.t));
    for (qint64 y = coverage.area().t; y < coverage.area().b; ++y) {
      qint64 a, b, c, d;
      if (!rowOf(boxes.outer, y, a, b))
        continue;
      if (boxes.inner.empty() || !rowOf(boxes.inner, y, c, d))
        c = d = b;
      c = std::clamp(c, a, b);
      d = std::clamp(d, c, b);
      if (!brush.isClear())
        coverage.markSpan(y, c, d, Cover::Fill);
      for (qint64 x = std::max(a, coverage.area().l); x < std::min(b, coverage.area().r); ++x)
        if (x < c || x >= d)
          coverage.mark(x, y, Cover(dashCover(qint64(around.turn(x, y) * perimeter))));
    }
    paint(coverage);
    return;
  }
  struct RoundSpans {
    const decltype(rowOf) *rows;
    Box64 b;
    bool row(qint64 y, qint64 &x0, qint64 &x1) const { return (*rows)(b, y, x0, x1); }
  };
  boxFigure(box, [&rowOf](const Box64 &b) { return RoundSpans{&rowOf, b}; });
}

void Canvas::Arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
  arcFigure(ArcKind::Arc, left, top, right, bottom, x1, y1, x2, y2);
}

void Canvas::Chord(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
  arcFigure(ArcKind::Chord, left, top, right, bottom, x1, y1, x2, y2);
}

void Canvas::Pie(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
  arcFigure(ArcKind::Pie, left, top, right, bottom, x1, y1, x2, y2);
}

void Canvas::arcFigure(ArcKind kind, int left, int top, int right, int bottom, int x1, int y1, int x2, int y2) {
  const Box64 box = NormalisedBox(ClampCoord(left), ClampCoord(top), ClampCoord(right), ClampCoord(bottom));
  if (box.empty() || m_bitmap->isNull())
    return;
  const TPoint start = ClampPoint({x1, y1}), end = ClampPoint({x2, y2});
  const bool ink = penVisible(), fill = kind != ArcKind::Arc && !brush.isClear();
  const int w = penWidth();
  const FigureBoxes boxes = ink ? PenBoxes(box, w, pen.style == PenStyle::InsideFrame) : FigureBoxes{box, box};
  const Box64 &o = boxes.outer;
  Coverage coverage(ClipBox({o.l - w, o.t - w, o.r + w, o.b + w}, *m_bitmap));
  if (coverage.empty())
    return;
  const Box64 area = coverage.area();
  const Sector sector(box, start, end);
  const double perimeter = EllipsePerimeter(box);
  const bool dash = dashed();
  const EllipseSpans outer(boxes.outer), inner(boxes.inner);
  for (qint64 y = area.t; y < area.b; ++y) {
    qint64 a, b, c, d;
    if (!outer.row(y, a, b))
      continue;
    if (boxes.inner.empty() || !inner.row(y, c, d))
      c = d = b;
    c = std::clamp(c, a, b);
    d = std::clamp(d, c, b);
    if (fill) {
      for (qint64 x = std::max(c, area.l); x < std::min(d, area.r); ++x)
        if (kind == ArcKind::Chord ? sector.beyondChord(x, y) : sector.contains(x, y))
          coverage.mark(x, y, Cover::Fill);
    }
    if (!ink)
      continue;
    for (qint64 x = std::max(a, area.l); x < std::min(b, area.r); ++x) {
      if (x >= c && x < d)
        x = d;
      if (x >= std::min(b, area.r))
        break;
      if (sector.contains(x, y))
        coverage.mark(x, y, dash ? Cover(dashCover(qint64(sector.turn(x, y) * perimeter))) : Cover::Ink);
    }
  }
  // a chord over the whole ellipse has no line; a pie keeps its radius
  if (ink && ((kind == ArcKind::Chord && !sector.full()) || kind == ArcKind::Pie)) {
    const TPoint ps = Sector::ellipsePoint(box, start), pe = Sector::ellipsePoint(box, end);
    std::vector<TPoint> path{pe, ps};
    if (kind == ArcKind::Pie)
      path = {pe, {int(std::floor((box.l + box.r) / 2.0)), int(std::floor((box.t + box.b) / 2.0))}, ps};
    qint64 dashIndex = 0;
    strokePath(coverage, path, false, dashIndex);
    if (w <= 1)
      coverage.mark(ps.x, ps.y, Cover::Ink);
  }
  paint(coverage);
}

void Canvas::Polygon(const std::vector<TPoint> &points) {
  if (points.size() < 2 || m_bitmap->isNull())
    return;
  std::vector<TPoint> pts(points.size());
  std::transform(points.begin(), points.end(), pts.begin(), ClampPoint);
  Coverage coverage(pathArea(pts));
  if (coverage.empty())
    return;
  if (!brush.isClear())
    PolygonRows(pts, m_bitmap->width(), m_bitmap->height(),
                [&](int y, int x0, int x1) { coverage.markSpan(y, x0, x1, Cover::Fill); });
  if (penVisible()) {
    qint64 dashIndex = 0;
    strokePath(coverage, pts, true, dashIndex);
  }
  paint(coverage);
}

void Canvas::Polyline(const std::vector<TPoint> &points) {
  if (points.size() < 2 || m_bitmap->isNull() || !penVisible())
    return;
  std::vector<TPoint> pts(points.size());
  std::transform(points.begin(), points.end(), pts.begin(), ClampPoint);
  Coverage coverage(pathArea(pts));
  if (coverage.empty())
    return;
  qint64 dashIndex = 0;
  strokePath(coverage, pts, false, dashIndex);
  paint(coverage);
}

void Canvas::PolyBezier(const std::vector<TPoint> &points) {
  if (points.size() < 4 || (points.size() - 1) % 3 != 0)
    return;
  std::vector<TPoint> path;
  for (size_t i = 0; i + 3 < points.size(); i += 3) {
    std::vector<TPoint> piece;
    FlattenBezier(ClampPoint(points[i]), ClampPoint(points[i + 1]), ClampPoint(points[i + 2]),
                  ClampPoint(points[i + 3]), piece);
    path.insert(path.end(), path.empty() ? piece.begin() : piece.begin() + 1, piece.end());
  }
  Polyline(path);
}

void Canvas::FillRect(const TRect &rect) {
  if (rect.right <= rect.left || rect.bottom <= rect.top || brush.isClear() || m_bitmap->isNull())
    return;
  const Box64 box = ClipBox({rect.left, rect.top, rect.right, rect.bottom}, *m_bitmap);
  if (box.empty())
    return;
  Bitmap &bm = *m_bitmap;
  const quint32 word = Bitmap::toStored(bm.nearestColor(brush.color()));
  for (qint64 y = box.t; y < box.b; ++y) {
    quint32 *line = bm.scanLine(int(y));
    if (brush.isUniform()) {
      std::fill(line + box.l, line + box.r, word);
      continue;
    }
    for (qint64 x = box.l; x < box.r; ++x) {
      TColor c;
      if (brush.colorAt(int(x), int(y), c))
        line[x] = Bitmap::toStored(c);
    }
    bm.snapSpan(int(y), int(box.l), int(box.r));
  }
}

void Canvas::FloodFill(int x, int y, TColor color) { FloodFillSurface(*m_bitmap, x, y, color, brush); }

void Canvas::TextOut(int x, int y, const QString &text) { DrawText(*m_bitmap, x, y, text, font, brush); }

int Canvas::TextWidth(const QString &text) const { return corvana::TextWidth(font, text); }

int Canvas::TextHeight(const QString &text) const { return corvana::TextHeight(font, text); }

void Canvas::CopyRect(const TRect &dest, const Bitmap &source, const TRect &sourceRect) {
  StretchBlit(*m_bitmap, dest, source, sourceRect, copyMode, brush);
}

void Canvas::Draw(int x, int y, const Bitmap &picture) {
  x = ClampCoord(x);
  y = ClampCoord(y);
  CopyRect({x, y, x + picture.width(), y + picture.height()}, picture, picture.rect());
}

void Canvas::StretchDraw(const TRect &dest, const Bitmap &picture) { CopyRect(dest, picture, picture.rect()); }

} // namespace corvana
