#pragma once
// The drawing state of the paint window: the current tool, the drag in progress, the stages of
// the multi-click figures and the parameters of the computed shapes and text tools.

#include "raster/GdiObjects.h"

#include <QString>
#include <QStringList>
#include <array>

namespace corvana::smudgel {

// Every name `PaintState::tool` may hold; the empty string is "no tool".
inline const QStringList &ToolNames() {
  static const QStringList names{"line",      "sline",      "rectangle",   "roundrect", "ellipse",  "arc",
                                 "arc1",      "arc2",       "arc3",        "chord",     "chord1",   "chord2",
                                 "chord3",    "pie",        "pie1",        "pie2",      "pie3",     "bezier",
                                 "bezier1",   "bezier2",    "bezier3",     "spiral",    "star",     "sym",
                                 "spray",     "freehand",   "vmirror",     "hmirror",   "cmirror",  "mirror4",
                                 "blocks",    "text",       "shadowtext",  "floodfill", "snapshot", "paste",
                                 "pastemask", "pastecolor", "pastecolorx", "paintpick", ""};
  return names;
}

struct PaintState {
  static constexpr int MaxSymPoints = 13;

  QString tool = QStringLiteral("line");
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
