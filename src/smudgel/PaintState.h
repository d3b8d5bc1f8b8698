#pragma once
// The drawing state of the paint window: the current tool, the drag in progress, the stages of
// the multi-click figures and the parameters of the computed shapes and text tools.

#include "raster/GdiObjects.h"
#include "smudgel/PaintTool.h"

#include <QString>
#include <array>

namespace corvana::smudgel {

struct PaintState {
  static constexpr int MaxSymPoints = 13;
  // the Starpoints menu's entries
  static constexpr int MinStarPoints = 3;
  static constexpr int MaxStarPoints = 12;

  StagedTool tool{Tool::Line};
  TPoint startPt;
  TPoint lastPt;
  bool dragging = false;
  PenMode savedPenMode = PenMode::Copy;
  QString slineDir = QStringLiteral("none");
  int slineTolerance = 5;
  TRect arcRect;
  TPoint arcStart;
  TPoint arcEnd;
  std::array<TPoint, 4> bezierPts{};
  TRect clipRect;
  QString pasteMode = QStringLiteral("paste");
  int blockCount = 8;
  int rounding = 10;
  int shapeCount = 1;
  int starPoints = 5;
  int spiralTurns = 3;
  double spiralFactor = 0.99;
  int spiralDir = +1;
  std::array<TPoint, MaxSymPoints> symPts{};
  Font textFont;
  QString paintText = QStringLiteral("Smudgel");
  int shadowDx = -2;
  int shadowDy = -2;
  TColor shadowColor = 0x00C0C0C0;
  int buttonWidth = 88;
  int buttonHeight = 31;
  TColor buttonColor = 0x00C0C0C0;
  // the check mark of Options > Polygon
  bool polygon = false;
};

} // namespace corvana::smudgel
