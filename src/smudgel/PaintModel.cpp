#include "smudgel/PaintModel.h"

#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "smudgel/PaintPrompts.h"

#include <algorithm>
#include <utility>

namespace corvana::smudgel {

namespace {

// Far beyond any image, yet small enough that no coordinate arithmetic of the tools overflows.
constexpr int MaxCoord = 1 << 24;

TPoint ClampPoint(int x, int y) { return {std::clamp(x, -MaxCoord, MaxCoord), std::clamp(y, -MaxCoord, MaxCoord)}; }

} // namespace

PaintModel::PaintModel(Dialogs &dialogs, RandomSource random)
    : m_dialogs(dialogs), m_image(256, 256), m_canvas(m_image), m_ring(250, 250), m_surface(m_canvas, &m_ring),
      m_actions(m_surface, m_state, m_swatchFill, std::move(random)) {
  m_canvas.brush.setColor(clWhite);
  m_canvas.brush.setStyle(BrushStyle::Solid);
  m_state.textFont = m_canvas.font;
  m_ring.attach(m_image);
  m_patternBrush = SixteenColorTile();
}

void PaintModel::setSnapshotsEnabled(bool on) {
  m_snapshots = on;
  m_surface.setRing(on ? &m_ring : nullptr);
  if (on)
    m_ring.attach(m_image);
}

// ---- mouse ----------------------------------------------------------------------------------

void PaintModel::mypaintMouseDown(Qt::MouseButton, Qt::KeyboardModifiers shift, int x, int y) {
  const TPoint p = ClampPoint(x, y);
  PaintState &s = m_state;
  if (m_snapshots)
    m_ring.snapshot(m_image);
  m_canvas.MoveTo(p.x, p.y);
  s.startPt = s.lastPt = p;
  s.slineDir = QStringLiteral("none");
  s.dragging = true;
  s.savedPenMode = m_canvas.pen.mode;
  step(MouseEvent::Press, p, shift);
  m_canvas.pen.mode = s.savedPenMode;
}

void PaintModel::mypaintMouseMove(Qt::KeyboardModifiers shift, int x, int y) {
  m_state.savedPenMode = m_canvas.pen.mode;
  if (m_state.dragging)
    step(MouseEvent::Move, ClampPoint(x, y), shift);
  m_canvas.pen.mode = m_state.savedPenMode;
}

void PaintModel::mypaintMouseUp(Qt::MouseButton, Qt::KeyboardModifiers shift, int x, int y) {
  m_state.savedPenMode = m_canvas.pen.mode;
  step(MouseEvent::Release, ClampPoint(x, y), shift);
  m_state.dragging = false;
  m_canvas.pen.mode = m_state.savedPenMode;
}

void PaintModel::step(MouseEvent event, TPoint p, Qt::KeyboardModifiers shift) {
  const Transition *row = transitionFor(m_state.tool, event);
  if (!row)
    return;
  m_actions.run(row->action, p, shift);
  m_state.tool = nextTool(*row);
}

// ---- undo and size --------------------------------------------------------------------------

void PaintModel::goUndo() {
  m_ring.undo(m_image);
  changedWhole();
}

TRect PaintModel::takeViewDamage() {
  const TRect drawn = m_surface.takeViewDamage();
  if (!std::exchange(m_wholeViewDamaged, false))
    return drawn;
  return m_image.rect();
}

void PaintModel::setImageSize(int width, int height) {
  Bitmap::checkSize(width, height);
  m_image.resize(width, height, m_canvas.brush);
  m_ring.resizeSlots(width, height, m_image);
  changedWhole();
}

void PaintModel::replaceImage(const Bitmap &image) {
  if (image.isNull())
    throw Error(QStringLiteral("Invalid bitmap size 0 x 0"));
  m_image = image;
  m_ring.resizeSlots(image.width(), image.height(), m_image);
  changedWhole();
}

void PaintModel::newImage() {
  m_canvas.pen.style = PenStyle::Solid;
  const int height = askInteger(m_dialogs, NumberPrompt::ImageHeight, m_image.height());
  const int width = askInteger(m_dialogs, NumberPrompt::ImageWidth, m_image.width());
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

void PaintModel::askBlocks() { m_state.blockCount = askInteger(m_dialogs, NumberPrompt::Blocks, m_state.blockCount); }

void PaintModel::askLineTolerance() {
  m_state.slineTolerance = askInteger(m_dialogs, NumberPrompt::LineTolerance, m_state.slineTolerance);
}

void PaintModel::askRounding() { m_state.rounding = askInteger(m_dialogs, NumberPrompt::Rounding, m_state.rounding); }

void PaintModel::askShapes() { m_state.shapeCount = askInteger(m_dialogs, NumberPrompt::Shapes, m_state.shapeCount); }

void PaintModel::askSpirals() {
  m_state.spiralTurns = askInteger(m_dialogs, NumberPrompt::Spirals, m_state.spiralTurns);
}

void PaintModel::askSpiralFactor() {
  m_state.spiralFactor = askDecimal(m_dialogs, NumberPrompt::SpiralFactor, m_state.spiralFactor);
}

void PaintModel::askPaintText() {
  m_state.paintText = m_dialogs.inputBox(QStringLiteral("Paint"), QStringLiteral("Enter text:"), QString());
}

void PaintModel::askShadowDx() { m_state.shadowDx = askInteger(m_dialogs, NumberPrompt::ShadowDx, m_state.shadowDx); }

void PaintModel::askShadowDy() { m_state.shadowDy = askInteger(m_dialogs, NumberPrompt::ShadowDy, m_state.shadowDy); }

void PaintModel::askTextFont() {
  Font &f = m_state.textFont;
  FontChoice choice;
  choice.name = f.name;
  choice.size = f.size;
  choice.color = f.color;
  choice.bold = f.style & FontStyle::Bold;
  choice.italic = f.style & FontStyle::Italic;
  choice.underline = f.style & FontStyle::Underline;
  choice.strikeOut = f.style & FontStyle::StrikeOut;
  if (!m_dialogs.font(choice))
    return;
  f.name = choice.name;
  f.size = choice.size;
  f.color = choice.color;
  f.style = quint8((choice.bold ? FontStyle::Bold : 0) | (choice.italic ? FontStyle::Italic : 0) |
                   (choice.underline ? FontStyle::Underline : 0) | (choice.strikeOut ? FontStyle::StrikeOut : 0));
}

void PaintModel::askShadowColor() {
  TColor c = m_state.shadowColor;
  if (m_dialogs.color(c))
    m_state.shadowColor = c;
}

void PaintModel::setSpiralTurns(int turns) {
  if (accepts(promptLimits(NumberPrompt::Spirals), turns))
    m_state.spiralTurns = turns;
}

void PaintModel::setSpiralFactor(double factor) {
  if (accepts(promptLimits(NumberPrompt::SpiralFactor), factor))
    m_state.spiralFactor = factor;
}

void PaintModel::setStarPoints(int points) {
  if (points >= PaintState::MinStarPoints && points <= PaintState::MaxStarPoints)
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
  if (!s.tool.isValid())
    return QStringLiteral("tool %1 in stage %2").arg(toolName(s.tool.tool())).arg(int(s.tool.stage()));
  if (s.slineDir != QLatin1String("none") && s.slineDir != QLatin1String("h") && s.slineDir != QLatin1String("v"))
    return QStringLiteral("line direction \"%1\"").arg(s.slineDir);
  if (s.pasteMode != QLatin1String("paste") && s.pasteMode != QLatin1String("pastemask"))
    return QStringLiteral("paste mode \"%1\"").arg(s.pasteMode);
  const auto in = [](NumberPrompt prompt, double value) { return accepts(promptLimits(prompt), value); };
  if (!in(NumberPrompt::LineTolerance, s.slineTolerance) || !in(NumberPrompt::Blocks, s.blockCount) ||
      !in(NumberPrompt::Shapes, s.shapeCount) || !in(NumberPrompt::Spirals, s.spiralTurns) ||
      !in(NumberPrompt::SpiralFactor, s.spiralFactor) || s.starPoints < PaintState::MinStarPoints ||
      s.starPoints > PaintState::MaxStarPoints || (s.spiralDir != 1 && s.spiralDir != -1))
    return QStringLiteral("a parameter is out of its range");
  if (&m_canvas.bitmap() != &m_image)
    return QStringLiteral("the canvas draws on another bitmap");
  if (m_snapshots)
    return m_ring.checkConsistency(m_image);
  return {};
}

} // namespace corvana::smudgel
