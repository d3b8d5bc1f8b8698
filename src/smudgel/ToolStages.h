#pragma once
// The paint tools' stage machine as one table: for a tool in a stage, what a press, move or
// release does and which stage (or no tool) follows.

#include "smudgel/PaintTool.h"

#include <span>

namespace corvana::smudgel {

enum class MouseEvent : quint8 { Press, Move, Release };

// What a tool draws or records on one mouse event; ToolActions carries each out.
enum class Action : quint8 {
  SeedSymmetry,     // the copies of "sym" start from the press point
  HoldSelectionPen, // brush Clear and pen width 1 until the selection is released
  PullControl1,     // control point 1 (or 2) to the pointer, the curve redrawn in Not Xor
  PullControl2,
  BandLine,      // rubber-band line from the press point
  BandFigure,    // rubber-band rectangle, rounded rectangle or ellipse
  BandBezier,    // rubber-band curve laid straight from the press point
  BandSelection, // dotted rubber-band rectangle
  SlineStroke,
  SymStrokes,
  SprayDots,
  FreehandStroke,
  MirroredStrokes,
  FillBlock,
  StampWhenShifted, // the paste repeated on every move while Shift is held
  FinalLine,
  FinalFigure, // the figure over its band, and its nested copies
  FinalBezier,
  DrawStars,
  DrawSpiral,
  KeepArcBox,
  KeepArcStart,
  DrawArcFigure, // the band ellipse erased, the arc, chord or pie drawn
  WriteText,
  WriteShadowText,
  FillSurface,
  EndSelection,
  PasteAt,
  PasteMaskAt,
  PasteColorAt,
  PasteColorInvertedAt,
  PickColor,
  Nothing, // only the stage changes
};

struct Transition {
  Tool tool;
  Stage stage;
  MouseEvent event;
  Action action;
  Stage next;
  bool leavesNoTool = false;
};

// Every row; a tool, stage and event without a row does nothing beyond what every press,
// move and release does.
std::span<const Transition> transitions();
// The row for the tool in its stage, or null.
const Transition *transitionFor(StagedTool tool, MouseEvent event);
// What the current tool becomes after the row's action.
StagedTool nextTool(const Transition &row);

} // namespace corvana::smudgel
