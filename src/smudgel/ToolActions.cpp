#include "smudgel/ToolActions.h"

#include "smudgel/PaintGeometry.h"
#include "smudgel/PaintSurface.h"

#include <QRandomGenerator>
#include <algorithm>
#include <climits>
#include <numbers>
#include <utility>

namespace corvana::smudgel {

namespace {

int Saturate(qint64 v) { return int(std::clamp<qint64>(v, INT_MIN, INT_MAX)); }

} // namespace

ToolActions::ToolActions(PaintSurface &surface, PaintState &state, TColor &swatchFill, RandomSource random)
    : m_surface(surface), m_state(state), m_swatchFill(swatchFill), m_random(std::move(random)) {
  if (!m_random)
    m_random = [](int n) { return int(QRandomGenerator::global()->bounded(n)); };
}

Canvas &ToolActions::canvas() { return m_surface.canvas(); }

void ToolActions::run(Action action, TPoint p, Qt::KeyboardModifiers shift) {
  PaintState &s = m_state;
  switch (action) {
  case Action::SeedSymmetry:
    SetSymmetricSeeds(s.symPts, {m_surface.bitmap().width() / 2, m_surface.bitmap().height() / 2}, p, s.starPoints);
    break;
  case Action::HoldSelectionPen:
    holdSelectionPen();
    break;
  case Action::PullControl1:
    pullControl(1, p);
    break;
  case Action::PullControl2:
    pullControl(2, p);
    break;
  case Action::BandLine:
    bandLine(p);
    break;
  case Action::BandFigure:
    bandFigure(p);
    break;
  case Action::BandBezier:
    bandBezier(p);
    break;
  case Action::BandSelection:
    bandSelection(p);
    break;
  case Action::SlineStroke:
    m_surface.LineTo(SlineStep(s.slineDir, s.startPt, s.lastPt, p, s.slineTolerance));
    break;
  case Action::SymStrokes:
    symStrokes(p);
    break;
  case Action::SprayDots:
    Spray(m_surface, p, m_random);
    break;
  case Action::FreehandStroke:
    m_surface.LineTo(p);
    s.lastPt = p;
    break;
  case Action::MirroredStrokes:
    mirroredStrokes(p);
    break;
  case Action::FillBlock:
    fillBlock(p);
    break;
  case Action::StampWhenShifted:
    if (shift.testFlag(Qt::ShiftModifier))
      PasteSelection(m_surface, s.clipRect, p);
    break;
  case Action::FinalLine:
    finalLine(p);
    break;
  case Action::FinalFigure:
    finalFigure(p);
    break;
  case Action::FinalBezier:
    finalBezier(p);
    break;
  case Action::DrawStars:
    drawStars(p);
    break;
  case Action::DrawSpiral:
    drawSpiral(p);
    break;
  case Action::KeepArcBox:
    s.arcRect = {s.startPt.x, s.startPt.y, p.x, p.y};
    break;
  case Action::KeepArcStart:
    s.arcStart = p;
    break;
  case Action::DrawArcFigure:
    drawArcFigure(p);
    break;
  case Action::WriteText:
    PaintTextAt(m_surface, s.startPt, s.paintText, s.textFont);
    break;
  case Action::WriteShadowText:
    ShadowText(m_surface, s.startPt, s.paintText, s.textFont, s.shadowColor, s.shadowDx, s.shadowDy);
    break;
  case Action::FillSurface:
    fillSurface(p);
    break;
  case Action::EndSelection:
    endSelection(p);
    break;
  case Action::PasteAt:
    PasteSelection(m_surface, s.clipRect, p);
    break;
  case Action::PasteMaskAt:
    PasteSelectionMask(m_surface, s.clipRect, p, m_swatchFill);
    break;
  case Action::PasteColorAt:
    PasteColor(m_surface, s.clipRect, p, m_swatchFill, false);
    break;
  case Action::PasteColorInvertedAt:
    PasteColor(m_surface, s.clipRect, p, m_swatchFill, true);
    break;
  case Action::PickColor:
    pickColor(p);
    break;
  case Action::Nothing:
    break;
  }
}

// ---- rubber bands: drawn in Not Xor, so drawing one twice leaves the image as it was --------

void ToolActions::drawFigure(Tool tool, TPoint a, TPoint b) {
  if (tool == Tool::Rectangle)
    m_surface.Rectangle(a.x, a.y, b.x, b.y);
  else if (tool == Tool::RoundRect)
    m_surface.RoundRect(a.x, a.y, b.x, b.y, m_state.rounding, m_state.rounding);
  else
    m_surface.Ellipse(a.x, a.y, b.x, b.y);
}

void ToolActions::bandLine(TPoint to) {
  PaintState &s = m_state;
  canvas().pen.mode = PenMode::NotXor;
  m_surface.MoveTo(s.startPt);
  m_surface.LineTo(s.lastPt);
  m_surface.MoveTo(s.startPt);
  m_surface.LineTo(to);
  s.lastPt = to;
}

void ToolActions::bandFigure(TPoint to) {
  PaintState &s = m_state;
  canvas().pen.mode = PenMode::NotXor;
  drawFigure(s.tool.tool(), s.startPt, s.lastPt);
  drawFigure(s.tool.tool(), s.startPt, to);
  s.lastPt = to;
}

void ToolActions::bandBezier(TPoint to) {
  PaintState &s = m_state;
  canvas().pen.mode = PenMode::NotXor;
  s.bezierPts = {s.startPt, s.startPt, s.lastPt, s.lastPt};
  drawBezier();
  s.bezierPts = {s.startPt, s.startPt, to, to};
  drawBezier();
  s.lastPt = to;
}

void ToolActions::bandSelection(TPoint to) {
  PaintState &s = m_state;
  canvas().pen.mode = PenMode::NotXor;
  canvas().pen.style = PenStyle::Dot;
  m_surface.Rectangle(s.startPt.x, s.startPt.y, s.lastPt.x, s.lastPt.y);
  m_surface.Rectangle(s.startPt.x, s.startPt.y, to.x, to.y);
  s.lastPt = to;
  canvas().pen.style = PenStyle::Solid;
}

void ToolActions::pullControl(int index, TPoint p) {
  canvas().pen.mode = PenMode::NotXor;
  drawBezier();
  m_state.bezierPts[size_t(index)] = p;
  drawBezier();
}

void ToolActions::drawBezier() {
  const auto &b = m_state.bezierPts;
  m_surface.PolyBezier({b[0], b[1], b[2], b[3]});
}

// ---- strokes while dragging -----------------------------------------------------------------

void ToolActions::symStrokes(TPoint p) {
  PaintState &s = m_state;
  const TPoint centre{m_surface.bitmap().width() / 2, m_surface.bitmap().height() / 2};
  const int n = std::clamp(s.starPoints, 1, PaintState::MaxSymPoints);
  const double step = 2.0 * std::numbers::pi / n;
  TPoint q = p;
  for (int i = 0; i < n; ++i) {
    m_surface.MoveTo(s.symPts[size_t(i)]);
    m_surface.LineTo(q);
    s.symPts[size_t(i)] = q;
    q = rotate(centre, q, step);
  }
}

void ToolActions::mirroredStrokes(TPoint p) {
  PaintState &s = m_state;
  const Bitmap &image = m_surface.bitmap();
  for (const Stroke &stroke : MirrorStrokes(s.tool.tool(), image.width(), image.height(), s.lastPt, p)) {
    m_surface.MoveTo(stroke.from);
    m_surface.LineTo(stroke.to);
  }
  m_surface.MoveTo(s.lastPt);
  m_surface.LineTo(p);
  s.lastPt = p;
}

void ToolActions::fillBlock(TPoint p) {
  const Bitmap &image = m_surface.bitmap();
  const TRect cell = pointtoblock(p.x, p.y, image.width(), image.height(), m_state.blockCount);
  if (cell.width() > 0 && cell.height() > 0)
    m_surface.FillRect(cell);
}

// ---- releases -------------------------------------------------------------------------------

// With the user's pen mode itself Not Xor the band already on the image is the final figure.

void ToolActions::finalLine(TPoint p) {
  m_surface.MoveTo(m_state.startPt);
  if (m_state.savedPenMode != PenMode::NotXor)
    m_surface.LineTo(p);
}

void ToolActions::finalFigure(TPoint p) {
  PaintState &s = m_state;
  if (s.savedPenMode != PenMode::NotXor)
    drawFigure(s.tool.tool(), s.startPt, p);
  for (const TRect &r : NestedRects(s.startPt, p, s.shapeCount))
    drawFigure(s.tool.tool(), {r.left, r.top}, {r.right, r.bottom});
}

void ToolActions::finalBezier(TPoint p) {
  PaintState &s = m_state;
  m_surface.MoveTo(s.startPt);
  if (s.savedPenMode != PenMode::NotXor) {
    s.bezierPts[2] = p;
    drawBezier();
  }
}

void ToolActions::eraseBandLine() {
  PaintState &s = m_state;
  canvas().pen.mode = PenMode::NotXor;
  m_surface.MoveTo(s.startPt);
  m_surface.LineTo(s.lastPt);
  canvas().pen.mode = s.savedPenMode;
}

void ToolActions::drawStars(TPoint p) {
  PaintState &s = m_state;
  eraseBandLine();
  for (const TPoint &first : ConcentricStarStarts(s.startPt, p, std::max(s.shapeCount, 1)))
    m_surface.Polygon(StarVertices(s.startPt, first, s.starPoints, s.polygon));
}

void ToolActions::drawSpiral(TPoint p) {
  PaintState &s = m_state;
  eraseBandLine();
  // hundredths of a pixel from here on, until the next press
  s.startPt = {Saturate(qint64(s.startPt.x) * 100), Saturate(qint64(s.startPt.y) * 100)};
  for (const TPoint &q : SpiralPoints(s.startPt, p, s.spiralTurns, s.spiralFactor, s.spiralDir))
    m_surface.LineTo(q);
}

void ToolActions::drawArcFigure(TPoint p) {
  PaintState &s = m_state;
  s.arcEnd = p;
  canvas().pen.mode = PenMode::NotXor;
  m_surface.Ellipse(s.arcRect.left, s.arcRect.top, s.arcRect.right, s.arcRect.bottom);
  canvas().pen.mode = s.savedPenMode;
  if (s.tool.tool() == Tool::Chord)
    m_surface.Chord(s.arcRect, s.arcStart, s.arcEnd);
  else if (s.tool.tool() == Tool::Arc)
    m_surface.Arc(s.arcRect, s.arcStart, s.arcEnd);
  else
    m_surface.Pie(s.arcRect, s.arcStart, s.arcEnd);
}

void ToolActions::fillSurface(TPoint p) {
  const TColor c = m_surface.Pixel(p.x, p.y);
  if (c != clInvalidPixel)
    m_surface.FloodFill(p.x, p.y, c);
}

void ToolActions::holdSelectionPen() {
  m_keptBrushStyle = canvas().brush.style();
  m_keptPenWidth = canvas().pen.width;
  m_selectionKept = true;
  canvas().brush.setStyle(BrushStyle::Clear);
  canvas().pen.width = 1;
}

void ToolActions::endSelection(TPoint p) {
  PaintState &s = m_state;
  canvas().pen.mode = PenMode::NotXor;
  canvas().pen.style = PenStyle::Dot;
  m_surface.Rectangle(s.startPt.x, s.startPt.y, p.x, p.y);
  canvas().pen.style = PenStyle::Solid;
  s.clipRect = {s.startPt.x, s.startPt.y, p.x, p.y};
  if (m_selectionKept) {
    canvas().brush.setStyle(m_keptBrushStyle);
    canvas().pen.width = m_keptPenWidth;
    m_selectionKept = false;
  }
}

void ToolActions::pickColor(TPoint p) {
  // beyond the image there is no colour to pick
  const TColor c = m_surface.Pixel(p.x, p.y);
  if (c != clInvalidPixel)
    m_swatchFill = c;
}

} // namespace corvana::smudgel
