#include "zonella/SizerGeometry.h"

namespace corvana::sizer {

namespace {
constexpr HitCode Codes[9] = {Client, TopLeft, Top, TopRight, Right, BottomRight, Bottom, BottomLeft, Left};

QRect fromEdges(int left, int top, int right, int bottom) {
  return QRect(QPoint(left, top), QSize(right - left, bottom - top));
}
} // namespace

QRect HandleRect(int i, int w, int h) {
  const int w2 = w / 2, h2 = h / 2;
  switch (i) {
  case 1:
    return fromEdges(0, 0, 5, 5);
  case 2:
    return fromEdges(w2 - 3, 0, w2 + 2, 5);
  case 3:
    return fromEdges(w - 5, 0, w, 5);
  case 4:
    return fromEdges(w - 5, h2 - 3, w, h2 + 2);
  case 5:
    return fromEdges(w - 5, h - 5, w, h);
  case 6:
    return fromEdges(w2 - 3, h - 5, w2 + 2, h);
  case 7:
    return fromEdges(0, h - 5, 5, h);
  case 8:
    return fromEdges(0, h2 - 3, 5, h2 + 2);
  default:
    return {};
  }
}

HitCode HitTest(QPoint point, int width, int height) {
  HitCode code = Client;
  for (int i = 1; i <= 8; ++i)
    if (HandleRect(i, width, height).contains(point))
      code = Codes[i];
  return code;
}

QRect Dragged(const QRect &start, HitCode code, QPoint delta) {
  if (code == Client)
    return start.translated(delta);
  int left = start.left(), top = start.top(), right = start.left() + start.width(),
      bottom = start.top() + start.height();
  const bool movesLeft = code == Left || code == TopLeft || code == BottomLeft;
  const bool movesRight = code == Right || code == TopRight || code == BottomRight;
  const bool movesTop = code == Top || code == TopLeft || code == TopRight;
  const bool movesBottom = code == Bottom || code == BottomLeft || code == BottomRight;
  if (movesLeft)
    left = qMin(left + delta.x(), right - MinimumSide);
  if (movesRight)
    right = qMax(right + delta.x(), left + MinimumSide);
  if (movesTop)
    top = qMin(top + delta.y(), bottom - MinimumSide);
  if (movesBottom)
    bottom = qMax(bottom + delta.y(), top + MinimumSide);
  return fromEdges(left, top, right, bottom);
}

} // namespace corvana::sizer
