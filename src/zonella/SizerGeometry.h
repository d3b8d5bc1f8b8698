#pragma once
// The geometry of the sizing frame: its eight handles, which one a point is on, and how a drag
// on a handle or inside the frame changes the frame's rectangle.

#include <QPoint>
#include <QRect>

namespace corvana::sizer {

// Hit-test answers: inside the frame, and the handles' edges and corners.
enum HitCode {
  Client = 1,
  Left = 10,
  Right = 11,
  Top = 12,
  TopLeft = 13,
  TopRight = 14,
  Bottom = 15,
  BottomLeft = 16,
  BottomRight = 17
};

// The frame stands this far outside the control it sizes.
constexpr int Margin = 2;
// Smallest frame a drag may leave, so the handles never overlap into nothing.
constexpr int MinimumSide = 12;

// Handle i (1 to 8: top-left, top, top-right, right, bottom-right, bottom, bottom-left, left) of
// a frame W x H; right and bottom exclusive.
QRect HandleRect(int i, int width, int height);
// The code of the handle a point (in frame coordinates) is on, the last matching handle
// winning; Client elsewhere.
HitCode HitTest(QPoint point, int width, int height);
// The frame after dragging by `delta` from `start`: a handle moves its edges, the opposite ones
// stay; Client moves the whole frame.
QRect Dragged(const QRect &start, HitCode code, QPoint delta);
// The control's rectangle inside a frame, and the frame around a control.
inline QRect Inner(const QRect &frame) { return frame.adjusted(Margin, Margin, -Margin, -Margin); }
inline QRect Outer(const QRect &control) { return control.adjusted(-Margin, -Margin, Margin, Margin); }

} // namespace corvana::sizer
