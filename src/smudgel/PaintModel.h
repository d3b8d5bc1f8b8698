#pragma once
// The paint window's model: the image with its canvas, the drawing state, the undo ring and
// the tools. The window feeds it presses, moves and releases of the image control, which go
// through the stage table (ToolStages.h) to the tools, and forwards its menu commands; prompts
// go through the Dialogs service.

#include "raster/Canvas.h"
#include "smudgel/PaintEffects.h"
#include "smudgel/PaintState.h"
#include "smudgel/PaintSurface.h"
#include "smudgel/PatternStore.h"
#include "smudgel/ToolActions.h"
#include "smudgel/UndoRing.h"

#include <Qt>
#include <memory>

namespace corvana {
class Dialogs;
struct Picture;
} // namespace corvana

namespace corvana::smudgel {

class PaintModel {
public:
  // A 256 x 256 white image, the initial state and five blank 250 x 250 snapshots. Without a
  // random source the spray uses the global generator.
  explicit PaintModel(Dialogs &dialogs, RandomSource random = {});
  PaintModel(const PaintModel &) = delete;
  PaintModel &operator=(const PaintModel &) = delete;

  Bitmap &image() { return m_image; }
  const Bitmap &image() const { return m_image; }
  Canvas &canvas() { return m_canvas; }
  // Drawing from outside the tools goes through here, so Undo stays exact.
  PaintSurface &surface() { return m_surface; }
  PaintState &state() { return m_state; }
  const PaintState &state() const { return m_state; }
  const UndoRing &undoRing() const { return m_ring; }
  int undoIndex() const { return m_ring.undoIndex(); }

  // The swatch's fill colour: the key colour of the colour-keyed tools.
  TColor swatchFill() const { return m_swatchFill; }
  void setSwatchFill(TColor color) { m_swatchFill = color & 0xFFFFFF; }

  void mypaintMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);
  void mypaintMouseMove(Qt::KeyboardModifiers shift, int x, int y);
  void mypaintMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y);

  void goUndo();

  // Size changes: the image is cropped or grown (new area painted with the brush), the
  // snapshots cropped or grown with white. Throws corvana::Error for a size the bitmap refuses.
  void setImageSize(int width, int height);
  // Replaces the image (an opened file) and resizes the snapshots to it.
  void replaceImage(const Bitmap &image);
  // New: asks height then width (default and fallback 100) and gives a white image.
  void newImage();

  // Selection commands.
  void fillSelection();
  void maskClip();
  void setPasteMode(const QString &mode);

  // Parameter commands; those with a prompt ask through the Dialogs service.
  void askBlocks();
  void askLineTolerance();
  void askRounding();
  void askShapes();
  void askSpirals();
  void askSpiralFactor();
  void askPaintText();
  void askShadowDx();
  void askShadowDy();
  void askTextFont();
  void askShadowColor();
  void togglePolygon() { m_state.polygon = !m_state.polygon; }
  void setSpiralDir(int dir) { m_state.spiralDir = dir < 0 ? -1 : +1; }
  void setSpiralTurns(int turns);
  void setSpiralFactor(double factor);
  void setStarPoints(int points);
  void shadowDefault();

  // Whole-image commands. Magnify and Reduce return false, changing nothing, when the new
  // width would pass 256 or fall below 16.
  void makeButton();
  void askButtonWidth();
  void askButtonHeight();
  void askButtonColor();
  void buttonDefault();
  bool magnify(int factor);
  bool reduce(int factor);
  void resizeImage();
  void clearImage();
  // Other Size...: a width below 1 or above the image height becomes 1.
  void askLineWidth();

  // An opened picture: bitmaps replace the image; icons and metafiles size it to themselves
  // and draw over the pixels already there.
  void openPicture(const Picture &picture);
  // A picture stretched over the whole image with the copy mode (Open Pattern).
  void stretchOverImage(const Bitmap &picture);

  // The pattern brushes.
  PatternStore &patterns() { return m_patterns; }
  const Bitmap &patternBrush() const { return m_patternBrush; }
  // Tile i becomes the brush's pattern.
  void choosePattern(int index);
  // The cell centres of the image become tile i, which then becomes the brush's pattern.
  void updatePattern(int index);
  // The brush's pattern stretched over the whole image; nothing without a pattern.
  void editPattern();
  // The image stretched down to a sixteen-colour square of blockCount pixels.
  Bitmap patternForSave() const;

  // Whether the pixels may have changed since the last open or save.
  bool modified() const { return changes() != m_savedChanges; }
  void markSaved() { m_savedChanges = changes(); }
  // What the screen must show again: changed pixels, or the whole image after a size change.
  TRect takeViewDamage();

  // Snapshots off: presses record nothing (for measuring what they cost).
  void setSnapshotsEnabled(bool on);

  // The first broken invariant of the state and the undo ring, or empty.
  QString checkConsistency() const;

private:
  // The row of the stage table for the current tool: its action, then its next stage.
  void step(MouseEvent event, TPoint p, Qt::KeyboardModifiers shift);

  Dialogs &m_dialogs;
  Bitmap m_image;
  Canvas m_canvas;
  UndoRing m_ring;
  PaintSurface m_surface;
  PaintState m_state;
  TColor m_swatchFill = clWhite;
  bool m_snapshots = true;
  ToolActions m_actions;
  PatternStore m_patterns;
  Bitmap m_patternBrush;
  quint64 changes() const { return m_surface.changeCount() + m_wholeChanges; }
  // Undo and size changes: the whole image, without telling the undo ring
  void changedWhole() {
    ++m_wholeChanges;
    m_wholeViewDamaged = true;
  }
  quint64 m_wholeChanges = 0;
  quint64 m_savedChanges = 0;
  bool m_wholeViewDamaged = false;
};

} // namespace corvana::smudgel
