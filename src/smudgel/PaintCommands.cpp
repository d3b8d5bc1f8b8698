// The paint model's whole-image, picture and pattern commands.

#include "smudgel/PaintModel.h"

#include "codecs/Picture.h"
#include "platform/Dialogs.h"
#include "smudgel/PaintPrompts.h"

namespace corvana::smudgel {

namespace {

constexpr int ButtonWidthDefault = 88;
constexpr int ButtonHeightDefault = 31;
constexpr TColor ButtonColorDefault = 0x00C0C0C0;
// Magnify stops at this width, Reduce below the next
constexpr int MaxMagnifiedWidth = 256;
constexpr int MinReducedWidth = 16;

} // namespace

// ---- button maker ---------------------------------------------------------------------------

void PaintModel::makeButton() {
  const PaintState &s = m_state;
  const int w = s.buttonWidth - 1, h = s.buttonHeight - 1;
  setImageSize(s.buttonWidth, s.buttonHeight);
  Brush &brush = m_canvas.brush;
  Pen &pen = m_canvas.pen;
  brush.setColor(clWhite);
  m_surface.FillRect({0, 0, w, h});
  brush.setColor(s.buttonColor);
  m_surface.FillRect({2, 2, w, h});
  // the outer frame on the outermost pixels, then a second dark line inside right and bottom
  pen.color = clBlack;
  m_surface.MoveTo(0, 0);
  m_surface.LineTo(w, 0);
  m_surface.LineTo(w, h);
  m_surface.LineTo(0, h);
  m_surface.LineTo(0, 0);
  m_surface.MoveTo(w - 1, 0);
  m_surface.LineTo(w - 1, h - 1);
  m_surface.LineTo(0, h - 1);
  // the highlight inside top and left
  pen.color = clWhite;
  m_surface.MoveTo(w - 2, 1);
  m_surface.LineTo(1, 1);
  m_surface.LineTo(1, h - 1);
  pen.color = clBlack;
}

void PaintModel::askButtonWidth() {
  m_state.buttonWidth = askInteger(m_dialogs, NumberPrompt::ButtonWidth, m_state.buttonWidth);
}

void PaintModel::askButtonHeight() {
  m_state.buttonHeight = askInteger(m_dialogs, NumberPrompt::ButtonHeight, m_state.buttonHeight);
}

void PaintModel::askButtonColor() {
  TColor c = m_state.buttonColor;
  if (m_dialogs.color(c))
    m_state.buttonColor = c;
}

void PaintModel::buttonDefault() {
  m_state.buttonWidth = ButtonWidthDefault;
  m_state.buttonHeight = ButtonHeightDefault;
  m_state.buttonColor = ButtonColorDefault;
}

// ---- image size -----------------------------------------------------------------------------

bool PaintModel::magnify(int factor) {
  const qint64 w = m_image.width(), h = m_image.height();
  if (factor < 1 || w * factor > MaxMagnifiedWidth)
    return false;
  const Bitmap copy = m_image;
  setImageSize(int(w * factor), int(h * factor));
  m_surface.CopyRect(m_image.rect(), copy, copy.rect());
  return true;
}

bool PaintModel::reduce(int factor) {
  if (factor < 1 || double(m_image.width()) / factor < MinReducedWidth)
    return false;
  const int w = m_image.width() / factor, h = m_image.height() / factor;
  const Bitmap copy = m_image;
  setImageSize(w, h);
  m_surface.CopyRect(m_image.rect(), copy, copy.rect());
  return true;
}

void PaintModel::resizeImage() {
  m_canvas.brush.setColor(clWhite);
  setSwatchFill(clWhite);
  const int height = askInteger(m_dialogs, NumberPrompt::ResizeHeight, m_image.height());
  const int width = askInteger(m_dialogs, NumberPrompt::ResizeWidth, m_image.width());
  setImageSize(width, height);
}

void PaintModel::clearImage() {
  // a hatched brush would leave most of the picture standing
  m_canvas.brush.setStyle(BrushStyle::Solid);
  m_canvas.brush.setColor(clWhite);
  setSwatchFill(clWhite);
  m_canvas.pen.style = PenStyle::Solid;
  m_surface.FillRect(m_image.rect());
}

void PaintModel::askLineWidth() {
  const int width = askInteger(m_dialogs, NumberPrompt::LineWidth, m_canvas.pen.width);
  m_canvas.pen.width = width < 1 || width > m_image.height() ? 1 : width;
}

// ---- pictures -------------------------------------------------------------------------------

void PaintModel::openPicture(const Picture &picture) {
  switch (picture.kind) {
  case Picture::Kind::None:
    return;
  case Picture::Kind::Bitmap:
    replaceImage(picture.bitmap);
    return;
  case Picture::Kind::Icon:
  case Picture::Kind::Metafile:
    setImageSize(picture.width(), picture.height());
    picture.draw(m_canvas, 0, 0);
    m_surface.touchedAll();
    return;
  }
}

void PaintModel::stretchOverImage(const Bitmap &picture) {
  if (!picture.isNull())
    m_surface.CopyRect(m_image.rect(), picture, picture.rect());
}

// ---- patterns -------------------------------------------------------------------------------

void PaintModel::choosePattern(int index) {
  if (index < 0 || index >= PatternStore::Tiles)
    return;
  m_patternBrush = m_patterns.tile(index);
  m_canvas.brush.clearPattern();
  m_canvas.brush.setPattern(m_patternBrush);
}

void PaintModel::updatePattern(int index) {
  if (index < 0 || index >= PatternStore::Tiles)
    return;
  m_patterns.setTile(index, SampleTile(m_image));
  choosePattern(index);
}

void PaintModel::editPattern() {
  if (m_canvas.brush.hasPattern())
    m_surface.CopyRect(m_image.rect(), m_patternBrush, m_patternBrush.rect());
}

Bitmap PaintModel::patternForSave() const {
  const int side = m_state.blockCount;
  Bitmap square(side, side, PixelFormat::pf4bit, clWhite);
  Canvas canvas(square);
  canvas.StretchDraw(square.rect(), m_image);
  return square;
}

} // namespace corvana::smudgel
