#pragma once
// The palette and drawing helpers the paint window's icon drawings share.

#include <QColor>
#include <QList>
#include <QPainter>
#include <QPoint>
#include <algorithm>

namespace corvana::smudgel::icons {

// Every picture is drawn on a 16-unit grid; the caller scales the painter for the 32 px copy.
// Pixel-exact parts are filled rectangles and 1-unit pens on half-unit coordinates, so they
// stay crisp at both sizes.

inline const QColor kInk(40, 48, 60);
inline const QColor kPaper(252, 252, 250);
inline const QColor kEdge(92, 102, 118);
inline const QColor kBlue(58, 108, 178);
inline const QColor kBlueLight(170, 200, 234);
inline const QColor kYellow(236, 194, 88);
inline const QColor kYellowDark(150, 108, 36);
inline const QColor kRed(196, 74, 62);
inline const QColor kGrey(150, 156, 164);
inline const QColor kGreyLight(214, 217, 222);
inline const QColor kBlack(16, 16, 16);

inline void pen(QPainter &p, const QColor &color, qreal width = 1) {
  p.setPen(QPen(color, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
}

inline void outline(QPainter &p, const QColor &line, const QBrush &fill) {
  p.setPen(QPen(line, 1, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
  p.setBrush(fill);
}

inline void box(QPainter &p, qreal x, qreal y, qreal w, qreal h, const QColor &color) {
  p.fillRect(QRectF(x, y, w, h), color);
}

inline void pixel(QPainter &p, int x, int y, const QColor &color) { box(p, x, y, 1, 1, color); }

// Marching ants: alternating dark and white runs of two pixels round a 1-pixel frame.
inline void ants(QPainter &p, int left, int top, int right, int bottom) {
  QList<QPoint> ring;
  for (int x = left; x < right; ++x)
    ring.append({x, top});
  for (int y = top; y < bottom; ++y)
    ring.append({right, y});
  for (int x = right; x > left; --x)
    ring.append({x, bottom});
  for (int y = bottom; y > top; --y)
    ring.append({left, y});
  for (int i = 0; i < ring.size(); ++i)
    pixel(p, ring[i].x(), ring[i].y(), (i / 2) % 2 ? Qt::white : kInk);
}

inline void hDashes(QPainter &p, int x0, int x1, int y, const QColor &color) {
  for (int x = x0; x < x1; x += 3)
    box(p, x, y, std::min(2, x1 - x), 1, color);
}

inline void vDashes(QPainter &p, int x, int y0, int y1, const QColor &color) {
  for (int y = y0; y < y1; y += 3)
    box(p, x, y, 1, std::min(2, y1 - y), color);
}

// Draws `draw` again mirrored about x = 7.5 (sx) and/or y = 7.5 (sy), in the copy colour.
template <typename Draw> void mirrored(QPainter &p, bool sx, bool sy, Draw draw) {
  p.save();
  p.translate(sx ? 15 : 0, sy ? 15 : 0);
  p.scale(sx ? -1 : 1, sy ? -1 : 1);
  draw();
  p.restore();
}

} // namespace corvana::smudgel::icons
