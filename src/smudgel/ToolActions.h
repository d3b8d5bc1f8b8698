#pragma once
// What the paint tools draw: each action of the stage table carried out on the image's
// surface with the drawing state. The model decides when; this class only draws.

#include "smudgel/PaintEffects.h"
#include "smudgel/PaintState.h"
#include "smudgel/ToolStages.h"

#include <Qt>

namespace corvana {
class Canvas;
}

namespace corvana::smudgel {

class PaintSurface;

class ToolActions {
public:
  // Without a random source the spray uses the global generator. `swatchFill` is the key
  // colour of the colour-keyed tools, which Pick Paint sets.
  ToolActions(PaintSurface &surface, PaintState &state, TColor &swatchFill, RandomSource random);
  ToolActions(const ToolActions &) = delete;
  ToolActions &operator=(const ToolActions &) = delete;

  void run(Action action, TPoint p, Qt::KeyboardModifiers shift);

private:
  Canvas &canvas();
  void drawFigure(Tool tool, TPoint a, TPoint b);
  void bandLine(TPoint to);
  void bandFigure(TPoint to);
  void bandBezier(TPoint to);
  void bandSelection(TPoint to);
  void pullControl(int index, TPoint p);
  void symStrokes(TPoint p);
  void mirroredStrokes(TPoint p);
  void fillBlock(TPoint p);
  void finalLine(TPoint p);
  void finalFigure(TPoint p);
  void finalBezier(TPoint p);
  void eraseBandLine();
  void drawStars(TPoint p);
  void drawSpiral(TPoint p);
  void drawArcFigure(TPoint p);
  void fillSurface(TPoint p);
  void holdSelectionPen();
  void endSelection(TPoint p);
  void pickColor(TPoint p);
  void drawBezier();

  PaintSurface &m_surface;
  PaintState &m_state;
  TColor &m_swatchFill;
  RandomSource m_random;
  // brush style and pen width kept by a press of the selection tool
  bool m_selectionKept = false;
  BrushStyle m_keptBrushStyle = BrushStyle::Solid;
  int m_keptPenWidth = 1;
};

} // namespace corvana::smudgel
