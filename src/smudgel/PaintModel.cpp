#include "smudgel/PaintModel.h"

#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "smudgel/PaintGeometry.h"

#include <QLocale>
#include <QRandomGenerator>
#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>
#include <utility>

namespace corvana::smudgel {

namespace {

// Far beyond any image, yet small enough that no coordinate arithmetic below overflows.
constexpr int MaxCoord = 1 << 24;

TPoint ClampPoint(int x, int y) { return {std::clamp(x, -MaxCoord, MaxCoord), std::clamp(y, -MaxCoord, MaxCoord)}; }

int Saturate(qint64 v) { return int(std::clamp<qint64>(v, INT_MIN, INT_MAX)); }

bool Is(const QString &tool, const char *name) { return tool == QLatin1String(name); }

} // namespace

PaintModel::PaintModel(Dialogs &dialogs, RandomSource random)
    : m_dialogs(dialogs), m_random(std::move(random)), m_image(256, 256), m_canvas(m_image), m_ring(250, 250),
      m_surface(m_canvas, &m_ring) {
  if (!m_random)
    m_random = [](int n) { return int(QRandomGenerator::global()->bounded(n)); };
  m_canvas.brush.setColor(clWhite);
  m_canvas.brush.setStyle(BrushStyle::Solid);
  m_state.textFont = m_canvas.font;
  m_ring.attach(m_image);
}

void PaintModel::setSnapshotsEnabled(bool on) {
  m_snapshots = on;
  m_surface.setRing(on ? &m_ring : nullptr);
  if (on)
    m_ring.attach(m_image);
}

// ---- mouse ----------------------------------------------------------------------------------

void PaintModel::mypaintMouseDown(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
  const TPoint p = ClampPoint(x, y);
  PaintState &s = m_state;
  if (m_snapshots)
    m_ring.snapshot(m_image);
  m_canvas.MoveTo(p.x, p.y);
  s.startPt = s.lastPt = p;
  s.slineDir = QStringLiteral("none");
  s.dragging = true;
  s.savedPenMode = m_canvas.pen.mode;
  if (Is(s.tool, "sym"))
    SetSymmetricSeeds(s.symPts, {m_image.width() / 2, m_image.height() / 2}, p, s.starPoints);
  if (Is(s.tool, "chord3") || Is(s.tool, "pie3") || Is(s.tool, "arc3") || Is(s.tool, "bezier3"))
    s.tool.chop(1);
  if (Is(s.tool, "snapshot")) {
    m_keptBrushStyle = m_canvas.brush.style();
    m_keptPenWidth = m_canvas.pen.width;
    m_selectionKept = true;
    m_canvas.brush.setStyle(BrushStyle::Clear);
    m_canvas.pen.width = 1;
  }
  if (Is(s.tool, "bezier1") || Is(s.tool, "bezier2")) {
    m_canvas.pen.mode = PenMode::NotXor;
    drawBezier();
    s.bezierPts[Is(s.tool, "bezier1") ? 1 : 2] = p;
    drawBezier();
  }
  m_canvas.pen.mode = s.savedPenMode;
}

void PaintModel::mypaintMouseMove(Qt::KeyboardModifiers shift, int x, int y) {
  m_state.savedPenMode = m_canvas.pen.mode;
  if (m_state.dragging)
    moveStep(shift, ClampPoint(x, y));
  m_canvas.pen.mode = m_state.savedPenMode;
}

void PaintModel::mypaintMouseUp(Qt::MouseButton, Qt::KeyboardModifiers, int x, int y) {
  m_state.savedPenMode = m_canvas.pen.mode;
  releaseStep(ClampPoint(x, y));
  m_state.dragging = false;
  m_canvas.pen.mode = m_state.savedPenMode;
}

void PaintModel::drawBandLine(TPoint to) {
  PaintState &s = m_state;
  m_canvas.pen.mode = PenMode::NotXor;
  m_surface.MoveTo(s.startPt);
  m_surface.LineTo(s.lastPt);
  m_surface.MoveTo(s.startPt);
  m_surface.LineTo(to);
  s.lastPt = to;
}

void PaintModel::drawFigure(const QString &tool, TPoint a, TPoint b) {
  if (Is(tool, "rectangle"))
    m_surface.Rectangle(a.x, a.y, b.x, b.y);
  else if (Is(tool, "roundrect"))
    m_surface.RoundRect(a.x, a.y, b.x, b.y, m_state.rounding, m_state.rounding);
  else
    m_surface.Ellipse(a.x, a.y, b.x, b.y);
}

void PaintModel::drawBandFigure(TPoint to) {
  PaintState &s = m_state;
  m_canvas.pen.mode = PenMode::NotXor;
  drawFigure(s.tool, s.startPt, s.lastPt);
  drawFigure(s.tool, s.startPt, to);
  s.lastPt = to;
}

void PaintModel::drawBezier() {
  const auto &b = m_state.bezierPts;
  m_surface.PolyBezier({b[0], b[1], b[2], b[3]});
}

void PaintModel::drawStar(TPoint first) {
  m_surface.Polygon(StarVertices(m_state.startPt, first, m_state.starPoints, m_state.polygon));
}

void PaintModel::fillBlock(TPoint p) {
  const TRect cell = pointtoblock(p.x, p.y, m_image.width(), m_image.height(), m_state.blockCount);
  if (cell.width() > 0 && cell.height() > 0)
    m_surface.FillRect(cell);
}

void PaintModel::moveStep(Qt::KeyboardModifiers shift, TPoint p) {
  PaintState &s = m_state;
  const QString &tool = s.tool;
  if (Is(tool, "line") || Is(tool, "spiral") || Is(tool, "star")) {
    drawBandLine(p);
  } else if (Is(tool, "sline")) {
    m_surface.LineTo(SlineStep(s.slineDir, s.startPt, s.lastPt, p, s.slineTolerance));
  } else if (Is(tool, "rectangle") || Is(tool, "roundrect") || Is(tool, "ellipse") || Is(tool, "arc") ||
             Is(tool, "chord") || Is(tool, "pie")) {
    drawBandFigure(p);
  } else if (Is(tool, "bezier")) {
    m_canvas.pen.mode = PenMode::NotXor;
    s.bezierPts = {s.startPt, s.startPt, s.lastPt, s.lastPt};
    drawBezier();
    s.bezierPts = {s.startPt, s.startPt, p, p};
    drawBezier();
    s.lastPt = p;
  } else if (Is(tool, "bezier1") || Is(tool, "bezier2")) {
    m_canvas.pen.mode = PenMode::NotXor;
    drawBezier();
    s.bezierPts[Is(tool, "bezier1") ? 1 : 2] = p;
    drawBezier();
  } else if (Is(tool, "sym")) {
    const TPoint centre{m_image.width() / 2, m_image.height() / 2};
    const int n = std::clamp(s.starPoints, 1, PaintState::MaxSymPoints);
    const double step = 2.0 * std::numbers::pi / n;
    TPoint q = p;
    for (int i = 0; i < n; ++i) {
      m_surface.MoveTo(s.symPts[size_t(i)]);
      m_surface.LineTo(q);
      s.symPts[size_t(i)] = q;
      q = rotate(centre, q, step);
    }
  } else if (Is(tool, "spray")) {
    Spray(m_surface, p, m_random);
  } else if (Is(tool, "freehand")) {
    m_surface.LineTo(p);
    s.lastPt = p;
  } else if (Is(tool, "vmirror") || Is(tool, "hmirror") || Is(tool, "cmirror") || Is(tool, "mirror4")) {
    for (const Stroke &stroke : MirrorStrokes(tool, m_image.width(), m_image.height(), s.lastPt, p)) {
      m_surface.MoveTo(stroke.from);
      m_surface.LineTo(stroke.to);
    }
    m_surface.MoveTo(s.lastPt);
    m_surface.LineTo(p);
    s.lastPt = p;
  } else if (Is(tool, "blocks")) {
    fillBlock(p);
  } else if (Is(tool, "snapshot")) {
    m_canvas.pen.mode = PenMode::NotXor;
    m_canvas.pen.style = PenStyle::Dot;
    m_surface.Rectangle(s.startPt.x, s.startPt.y, s.lastPt.x, s.lastPt.y);
    m_surface.Rectangle(s.startPt.x, s.startPt.y, p.x, p.y);
    s.lastPt = p;
    m_canvas.pen.style = PenStyle::Solid;
  } else if (Is(tool, "paste") && shift.testFlag(Qt::ShiftModifier)) {
    PasteSelection(m_surface, s.clipRect, p);
  }
}

void PaintModel::releaseArcStage(const QString &base, TPoint p) {
  PaintState &s = m_state;
  if (s.tool == base + QLatin1Char('2')) {
    s.arcEnd = p;
    m_canvas.pen.mode = PenMode::NotXor;
    m_surface.Ellipse(s.arcRect.left, s.arcRect.top, s.arcRect.right, s.arcRect.bottom);
    m_canvas.pen.mode = s.savedPenMode;
    if (base == QLatin1String("chord"))
      m_surface.Chord(s.arcRect, s.arcStart, s.arcEnd);
    else if (base == QLatin1String("arc"))
      m_surface.Arc(s.arcRect, s.arcStart, s.arcEnd);
    else
      m_surface.Pie(s.arcRect, s.arcStart, s.arcEnd);
    s.tool = base + QLatin1Char('3');
  }
  if (s.tool == base + QLatin1Char('1')) {
    s.arcStart = p;
    s.tool = base + QLatin1Char('2');
  }
  if (s.tool == base) {
    s.arcRect = {s.startPt.x, s.startPt.y, p.x, p.y};
    s.tool = base + QLatin1Char('1');
  }
}

void PaintModel::releaseSpiral(TPoint p) {
  PaintState &s = m_state;
  m_canvas.pen.mode = PenMode::NotXor;
  m_surface.MoveTo(s.startPt);
  m_surface.LineTo(s.lastPt);
  m_canvas.pen.mode = s.savedPenMode;
  // hundredths of a pixel from here on, until the next press
  s.startPt = {Saturate(qint64(s.startPt.x) * 100), Saturate(qint64(s.startPt.y) * 100)};
  for (const TPoint &q : SpiralPoints(s.startPt, p, s.spiralTurns, s.spiralFactor, s.spiralDir))
    m_surface.LineTo(q);
}

void PaintModel::releaseStep(TPoint p) {
  PaintState &s = m_state;
  const bool notXor = s.savedPenMode == PenMode::NotXor;
  const auto figureWithCopies = [&](const char *tool) {
    if (!Is(s.tool, tool))
      return;
    if (!notXor)
      drawFigure(s.tool, s.startPt, p);
    for (const TRect &r : NestedRects(s.startPt, p, s.shapeCount))
      drawFigure(s.tool, {r.left, r.top}, {r.right, r.bottom});
  };

  figureWithCopies("rectangle");
  figureWithCopies("roundrect");
  if (Is(s.tool, "blocks"))
    fillBlock(p);
  if (Is(s.tool, "star")) {
    m_canvas.pen.mode = PenMode::NotXor;
    m_surface.MoveTo(s.startPt);
    m_surface.LineTo(s.lastPt);
    m_canvas.pen.mode = s.savedPenMode;
    for (const TPoint &first : ConcentricStarStarts(s.startPt, p, std::max(s.shapeCount, 1)))
      drawStar(first);
  }
  if (Is(s.tool, "spiral"))
    releaseSpiral(p);
  figureWithCopies("ellipse");
  releaseArcStage(QStringLiteral("chord"), p);
  releaseArcStage(QStringLiteral("arc"), p);
  releaseArcStage(QStringLiteral("pie"), p);
  if (Is(s.tool, "line")) {
    m_surface.MoveTo(s.startPt);
    if (!notXor)
      m_surface.LineTo(p);
  }
  if (Is(s.tool, "bezier2")) {
    m_surface.MoveTo(s.startPt);
    if (!notXor) {
      s.bezierPts[2] = p;
      drawBezier();
    }
    s.tool = QStringLiteral("bezier3");
  }
  if (Is(s.tool, "bezier1"))
    s.tool = QStringLiteral("bezier2");
  if (Is(s.tool, "bezier"))
    s.tool = QStringLiteral("bezier1");
  if (Is(s.tool, "bezier3"))
    s.tool = QStringLiteral("bezier");
  if (Is(s.tool, "text"))
    PaintTextAt(m_surface, s.startPt, s.paintText, s.textFont);
  if (Is(s.tool, "shadowtext"))
    ShadowText(m_surface, s.startPt, s.paintText, s.textFont, s.shadowColor, s.shadowDx, s.shadowDy);
  if (Is(s.tool, "floodfill")) {
    const TColor c = m_surface.Pixel(p.x, p.y);
    if (c != clInvalidPixel)
      m_surface.FloodFill(p.x, p.y, c);
  }
  if (Is(s.tool, "snapshot")) {
    m_canvas.pen.mode = PenMode::NotXor;
    m_canvas.pen.style = PenStyle::Dot;
    m_surface.Rectangle(s.startPt.x, s.startPt.y, p.x, p.y);
    m_canvas.pen.style = PenStyle::Solid;
    s.clipRect = {s.startPt.x, s.startPt.y, p.x, p.y};
    if (m_selectionKept) {
      m_canvas.brush.setStyle(m_keptBrushStyle);
      m_canvas.pen.width = m_keptPenWidth;
      m_selectionKept = false;
    }
    s.tool.clear();
  }
  if (Is(s.tool, "pastemask"))
    PasteSelectionMask(m_surface, s.clipRect, p, m_swatchFill);
  if (Is(s.tool, "paste"))
    PasteSelection(m_surface, s.clipRect, p);
  if (Is(s.tool, "pastecolor"))
    PasteColor(m_surface, s.clipRect, p, m_swatchFill, false);
  if (Is(s.tool, "pastecolorx"))
    PasteColor(m_surface, s.clipRect, p, m_swatchFill, true);
  if (Is(s.tool, "paintpick")) {
    // beyond the image there is no colour to pick
    const TColor c = m_surface.Pixel(p.x, p.y);
    if (c != clInvalidPixel)
      m_swatchFill = c;
    s.tool.clear();
  }
}

// ---- undo and size --------------------------------------------------------------------------

void PaintModel::goUndo() { m_ring.undo(m_image); }

void PaintModel::setImageSize(int width, int height) {
  Bitmap::checkSize(width, height);
  m_image.resize(width, height, m_canvas.brush);
  m_ring.resizeSlots(width, height, m_image);
}

void PaintModel::replaceImage(const Bitmap &image) {
  if (image.isNull())
    throw Error(QStringLiteral("Invalid bitmap size 0 x 0"));
  m_image = image;
  m_ring.resizeSlots(image.width(), image.height(), m_image);
}

void PaintModel::newImage() {
  m_canvas.pen.style = PenStyle::Solid;
  const int height = askNumber(QStringLiteral("Smudgel"), QStringLiteral("Image height:"), QStringLiteral("100"), 100);
  const int width = askNumber(QStringLiteral("Smudgel"), QStringLiteral("Image width:"), QStringLiteral("100"), 100);
  setImageSize(width, height);
  m_canvas.brush.setColor(clWhite);
  m_surface.FillRect(m_image.rect());
}

// ---- selection commands ---------------------------------------------------------------------

void PaintModel::fillSelection() { m_surface.FillRect(m_state.clipRect); }

void PaintModel::maskClip() { MaskClip(m_surface, m_state.clipRect, m_swatchFill); }

void PaintModel::setPasteMode(const QString &mode) {
  if (mode == QLatin1String("paste") || mode == QLatin1String("pastemask"))
    m_state.pasteMode = mode;
}

// ---- parameters -----------------------------------------------------------------------------

int PaintModel::askNumber(const QString &caption, const QString &prompt, const QString &defaultText, int fallback) {
  bool ok = false;
  const int value = m_dialogs.inputBox(caption, prompt, defaultText).trimmed().toInt(&ok, 10);
  return ok ? value : fallback;
}

void PaintModel::askBlocks() {
  m_state.blockCount = std::clamp(
      askNumber(QStringLiteral("Smudgel"), QStringLiteral("Number of blocks:"), QStringLiteral("8"), 8), 2, 50);
}

void PaintModel::askLineTolerance() {
  const int t = askNumber(QStringLiteral("Smudgel"), QStringLiteral("Enter Straight Line Tolerance (5..50)"),
                          QStringLiteral("5"), 5);
  m_state.slineTolerance = t >= 5 && t <= 50 ? t : 5;
}

void PaintModel::askRounding() {
  m_state.rounding = askNumber(QStringLiteral("Smudgel"), QStringLiteral("Enter Rounding"), QStringLiteral("10"), 10);
}

void PaintModel::askShapes() {
  const int n = askNumber(QStringLiteral("Smudgel"), QStringLiteral("Number of Shapes(1..25)"), QStringLiteral("1"), 1);
  m_state.shapeCount = n >= 1 && n <= 25 ? n : 1;
}

void PaintModel::askSpirals() {
  const int n = askNumber(QStringLiteral("Smudgel"), QStringLiteral("Spirals (3..50)"), QStringLiteral("3"), 3);
  m_state.spiralTurns = n >= 1 && n <= 50 ? n : 3;
}

void PaintModel::askSpiralFactor() {
  const QString text = m_dialogs.inputBox(QStringLiteral("Smudgel"), QStringLiteral("Spiral factor (0.1..0.99)"),
                                          QStringLiteral("0.99"));
  bool ok = false;
  const double f = QLocale().toDouble(text.trimmed(), &ok);
  m_state.spiralFactor = ok && std::isfinite(f) && f >= 0.1 && f < 1.0 ? f : 0.99;
}

void PaintModel::askPaintText() {
  m_state.paintText = m_dialogs.inputBox(QStringLiteral("Paint"), QStringLiteral("Enter text:"), QString());
}

void PaintModel::askShadowDx() {
  m_state.shadowDx = askNumber(QStringLiteral("Smudgel"), QStringLiteral("Enter shadow x offset"), QStringLiteral("-2"),
                               m_state.shadowDx);
}

void PaintModel::askShadowDy() {
  m_state.shadowDy = askNumber(QStringLiteral("Smudgel"), QStringLiteral("Enter shadow y offset"), QStringLiteral("-2"),
                               m_state.shadowDy);
}

void PaintModel::askTextFont() {
  Font &f = m_state.textFont;
  FontChoice choice;
  choice.name = f.name;
  choice.size = f.size;
  choice.color = f.color;
  choice.bold = f.style & fsBold;
  choice.italic = f.style & fsItalic;
  choice.underline = f.style & fsUnderline;
  choice.strikeOut = f.style & fsStrikeOut;
  if (!m_dialogs.font(choice))
    return;
  f.name = choice.name;
  f.size = choice.size;
  f.color = choice.color;
  f.style = quint8((choice.bold ? fsBold : 0) | (choice.italic ? fsItalic : 0) | (choice.underline ? fsUnderline : 0) |
                   (choice.strikeOut ? fsStrikeOut : 0));
}

void PaintModel::askShadowColor() {
  TColor c = m_state.shadowColor;
  if (m_dialogs.color(c))
    m_state.shadowColor = c;
}

void PaintModel::setSpiralTurns(int turns) {
  if (turns >= 1 && turns <= 50)
    m_state.spiralTurns = turns;
}

void PaintModel::setSpiralFactor(double factor) {
  if (factor >= 0.1 && factor < 1.0)
    m_state.spiralFactor = factor;
}

void PaintModel::setStarPoints(int points) {
  if (points >= 3 && points <= 12)
    m_state.starPoints = points;
}

void PaintModel::shadowDefault() {
  m_state.shadowColor = 0x00C0C0C0;
  m_state.shadowDx = -2;
  m_state.shadowDy = -2;
}

// ---- consistency ----------------------------------------------------------------------------

QString PaintModel::checkConsistency() const {
  const PaintState &s = m_state;
  if (!ToolNames().contains(s.tool))
    return QStringLiteral("unknown tool \"%1\"").arg(s.tool);
  if (s.slineDir != QLatin1String("none") && s.slineDir != QLatin1String("h") && s.slineDir != QLatin1String("v"))
    return QStringLiteral("line direction \"%1\"").arg(s.slineDir);
  if (s.pasteMode != QLatin1String("paste") && s.pasteMode != QLatin1String("pastemask"))
    return QStringLiteral("paste mode \"%1\"").arg(s.pasteMode);
  if (s.slineTolerance < 5 || s.slineTolerance > 50 || s.blockCount < 2 || s.blockCount > 50 || s.shapeCount < 1 ||
      s.shapeCount > 25 || s.starPoints < 3 || s.starPoints > 12 || s.spiralTurns < 1 || s.spiralTurns > 50 ||
      !(s.spiralFactor >= 0.1 && s.spiralFactor < 1.0) || (s.spiralDir != 1 && s.spiralDir != -1))
    return QStringLiteral("a parameter is out of its range");
  if (&m_canvas.bitmap() != &m_image)
    return QStringLiteral("the canvas draws on another bitmap");
  if (m_snapshots)
    return m_ring.checkConsistency(m_image);
  return {};
}

} // namespace corvana::smudgel
