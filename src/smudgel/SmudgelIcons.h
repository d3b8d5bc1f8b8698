#pragma once
// The paint window's image list: sixty small pictures of our own drawing, addressed by index
// as the shape, brush, width and pen drop-downs, the tool bar and the menus refer to them.

#include <QIcon>

namespace corvana::smudgel {

enum class SmudgelIcon : int {
  // shapes drop-down (in this order)
  Line,
  LineStraight,
  Rectangle,
  RoundRect,
  Ellipse,
  Arc,
  Chord,
  Pie,
  Spiral,
  Star,
  Symmetric,
  Bezier,
  Spray,
  Freehand,
  VMirror,
  CMirror,
  HMirror,
  Mirror4,
  Blocks,
  // brush styles
  BrushSolid,
  BrushClear,
  BrushHorizontal,
  BrushVertical,
  BrushFDiagonal,
  BrushBDiagonal,
  BrushCross,
  BrushDiagCross,
  // line widths 1..5 pixels
  Width1,
  Width2,
  Width3,
  Width4,
  Width5,
  // pen styles
  PenSolid,
  PenDash,
  PenDot,
  PenDashDot,
  PenDashDotDot,
  PenClear,
  PenInsideFrame,
  // tool bar buttons
  PaintText,
  MakeButton,
  PenMode,
  Select,
  PasteMask,
  Paste,
  FloodFill,
  FillSelection,
  MaskClip,
  PickPaint,
  PasteColor,
  PasteColorInverted,
  ResizeImage,
  ClearImage,
  Undo,
  // menus
  FileNew,
  FileOpen,
  FileSaveAs,
  Font,
  Magnify,
  Reduce,
  Count
};
static_assert(int(SmudgelIcon::Count) == 60);

// The picture at 16 x 16, with a 32 x 32 rendering for 200 % displays, drawn once and cached.
QIcon smudgelIcon(SmudgelIcon icon);
// The same by index; an index out of range gives an empty icon.
QIcon smudgelIcon(int index);

} // namespace corvana::smudgel
