// The drawing steps both metafile formats share: lines, figures, polygons, text and blits on
// the canvas, with the pen and brush of the device context.

#include "raster/MetafilePlayer.h"
#include "raster/MetafileRecords.h"
#include "raster/TextRender.h"

#include <QFontMetrics>
#include <cmath>

namespace corvana {

namespace {

PenStyle penStyle(int style) {
  switch (style & 15) {
  case 1:
    return PenStyle::Dash;
  case 2:
    return PenStyle::Dot;
  case 3:
    return PenStyle::DashDot;
  case 4:
    return PenStyle::DashDotDot;
  case gdi::PS_NULL:
    return PenStyle::Clear;
  case 6:
    return PenStyle::InsideFrame;
  default:
    return PenStyle::Solid;
  }
}

BrushStyle hatchStyle(int hatch) {
  static const BrushStyle styles[6] = {BrushStyle::Horizontal, BrushStyle::Vertical, BrushStyle::FDiagonal,
                                       BrushStyle::BDiagonal,  BrushStyle::Cross,    BrushStyle::DiagCross};
  return hatch >= 0 && hatch < 6 ? styles[hatch] : BrushStyle::Solid;
}

} // namespace

void MetafilePlayer::applyPen() {
  Pen &p = m_canvas.pen;
  p.color = m_state.pen.color;
  p.style = penStyle(m_state.pen.style);
  // Clamped before the conversion to int: a huge width once wrapped round to a hairline.
  p.width = int(std::lround(std::clamp(std::fabs(m_state.pen.width * scaleX()), 1.0, 1000.0)));
  p.mode = PenMode(std::clamp(m_state.rop2, 1, 16));
}

void MetafilePlayer::applyBrush() {
  Brush &b = m_canvas.brush;
  b.clearPattern();
  const Object &o = m_state.brush;
  b.setStyle(BrushStyle::Solid);
  b.setColor(o.color);
  if (o.style == gdi::BS_NULL)
    b.setStyle(BrushStyle::Clear);
  else if (o.style == gdi::BS_HATCHED)
    b.setStyle(hatchStyle(o.hatch));
}

// ---- lines and figures

void MetafilePlayer::moveTo(LogicalPoint to) {
  m_state.posX = to.x;
  m_state.posY = to.y;
}

void MetafilePlayer::lineTo(LogicalPoint to) {
  applyPen();
  const TPoint from = point(m_state.posX, m_state.posY), end = point(to);
  m_canvas.MoveTo(from.x, from.y);
  m_canvas.LineTo(end.x, end.y);
  moveTo(to);
}

void MetafilePlayer::poly(Shape shape, const std::vector<TPoint> &points) {
  applyPen();
  applyBrush();
  if (shape == Shape::Polygon)
    m_canvas.Polygon(points);
  else if (shape == Shape::Bezier)
    m_canvas.PolyBezier(points);
  else
    m_canvas.Polyline(points);
}

void MetafilePlayer::polyPolygon(const std::vector<std::vector<TPoint>> &rings) {
  // The rings are joined through their first points for the fill: each bridge is crossed
  // twice, so it cancels.
  std::vector<TPoint> joined;
  for (const auto &ring : rings) {
    if (ring.empty())
      continue;
    joined.insert(joined.end(), ring.begin(), ring.end());
    joined.push_back(ring.front());
  }
  for (auto it = rings.rbegin(); it != rings.rend(); ++it)
    if (!it->empty())
      joined.push_back(it->front());
  if (joined.size() < 3)
    return;
  applyPen();
  applyBrush();
  const Pen pen = m_canvas.pen;
  m_canvas.pen.style = PenStyle::Clear;
  m_canvas.Polygon(joined);
  m_canvas.pen = pen;
  const Brush brush = m_canvas.brush;
  m_canvas.brush.setStyle(BrushStyle::Clear);
  for (const auto &ring : rings) {
    if (ring.size() < 2)
      continue;
    std::vector<TPoint> closed = ring;
    closed.push_back(ring.front());
    closed.push_back(ring.front()); // the last point of a polyline is left out
    m_canvas.Polyline(closed);
  }
  m_canvas.brush = brush;
}

void MetafilePlayer::figure(Figure figure, const LogicalRect &box, LogicalPoint a, LogicalPoint b) {
  applyPen();
  applyBrush();
  const TRect rc = rect(box);
  const TPoint p1 = point(a), p2 = point(b);
  switch (figure) {
  case Figure::Rectangle:
    m_canvas.Rectangle(rc);
    break;
  case Figure::Ellipse:
    m_canvas.Ellipse(rc);
    break;
  case Figure::RoundRect:
    m_canvas.RoundRect(rc.left, rc.top, rc.right, rc.bottom, clampCoord(std::fabs(a.x * scaleX())),
                       clampCoord(std::fabs(a.y * scaleY())));
    break;
  case Figure::Arc:
    m_canvas.Arc(rc.left, rc.top, rc.right, rc.bottom, p1.x, p1.y, p2.x, p2.y);
    break;
  case Figure::Chord:
    m_canvas.Chord(rc.left, rc.top, rc.right, rc.bottom, p1.x, p1.y, p2.x, p2.y);
    break;
  case Figure::Pie:
    m_canvas.Pie(rc.left, rc.top, rc.right, rc.bottom, p1.x, p1.y, p2.x, p2.y);
    break;
  }
}

void MetafilePlayer::setPixel(LogicalPoint at, TColor color) {
  const TPoint p = point(at);
  m_canvas.SetPixel(p.x, p.y, color);
}

// ---- text

void MetafilePlayer::text(LogicalPoint at, const QString &string) {
  if (string.isEmpty())
    return;
  const State &s = m_state;
  Font f;
  f.name = s.font.face.isEmpty() ? QStringLiteral("Arial") : s.font.face;
  f.size = -int(std::lround(std::clamp(std::fabs(s.font.width * scaleY()), 1.0, 2000.0)));
  f.style = quint8((s.font.weight >= 600 ? FontStyle::Bold : 0) | (s.font.italic ? FontStyle::Italic : 0) |
                   (s.font.underline ? FontStyle::Underline : 0) | (s.font.strikeOut ? FontStyle::StrikeOut : 0));
  f.color = s.textColor;
  const bool updateCp = s.textAlign & gdi::TA_UPDATECP;
  TPoint cell = updateCp ? point(s.posX, s.posY) : point(at);
  const int width = TextWidth(f, string);
  if ((s.textAlign & gdi::TA_CENTER) == gdi::TA_CENTER)
    cell.x -= width / 2;
  else if (s.textAlign & gdi::TA_RIGHT)
    cell.x -= width;
  if ((s.textAlign & gdi::TA_BASELINE) == gdi::TA_BASELINE)
    cell.y -= QFontMetrics(ToQFont(f)).ascent();
  else if (s.textAlign & gdi::TA_BOTTOM)
    cell.y -= TextHeight(f, string);
  const Brush saved = m_canvas.brush;
  m_canvas.brush.clearPattern();
  m_canvas.brush.setStyle(BrushStyle::Solid);
  m_canvas.brush.setColor(s.bkColor);
  if (s.bkMode == gdi::TRANSPARENT)
    m_canvas.brush.setStyle(BrushStyle::Clear);
  m_canvas.font = f;
  m_canvas.TextOut(cell.x, cell.y, string);
  m_canvas.brush = saved;
  if (updateCp && scaleX() != 0)
    m_state.posX += width / scaleX();
}

// ---- bitmaps

void MetafilePlayer::blit(const TRect &dest, const Dib &dib, const Source &source, quint32 rop) {
  ByteReader r(dib.info, dib.infoSize);
  const DibHeader header = ReadDibHeader(r);
  const uchar *bits = dib.bits;
  size_t bitsSize = dib.bitsSize;
  if (!bits) {
    bits = r.current();
    bitsSize = r.remaining();
  }
  const Bitmap picture = DecodeDib(header, bits, bitsSize);
  // 64 bits: flipping a source near the integer limits must not overflow.
  qint64 x = source.x, y = source.y, w = source.width, h = source.height;
  if (w < 0) {
    x += w;
    w = -w;
  }
  if (h < 0) {
    y += h;
    h = -h;
  }
  if (source.fromBottom && !header.topDown)
    y = picture.height() - y - h;
  auto clip = [](qint64 v) { return int(std::clamp<qint64>(v, -(qint64(1) << 30), qint64(1) << 30)); };
  m_canvas.copyMode = rop;
  applyBrush();
  m_canvas.CopyRect(dest, picture, {clip(x), clip(y), clip(x + w), clip(y + h)});
}

void MetafilePlayer::patternBlit(const TRect &dest, quint32 rop) {
  applyBrush();
  if (rop == gdi::PATCOPY) {
    m_canvas.FillRect(dest);
    return;
  }
  const Bitmap dummy(1, 1, PixelFormat::pf24bit, clBlack);
  m_canvas.copyMode = rop;
  m_canvas.CopyRect(dest, dummy, {0, 0, 1, 1});
}

} // namespace corvana
