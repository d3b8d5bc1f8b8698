#pragma once
// The image canvas as the paint tools see it: every drawing call goes to the canvas and tells
// the undo ring what it may have touched, so snapshots stay cheap and exact. Without a ring
// (snapshots switched off) it only draws.

#include "raster/Canvas.h"

#include <vector>

namespace corvana::smudgel {

class UndoRing;

class PaintSurface {
public:
  PaintSurface(Canvas &canvas, UndoRing *ring) : m_canvas(canvas), m_ring(ring) {}
  PaintSurface(const PaintSurface &) = delete;
  PaintSurface &operator=(const PaintSurface &) = delete;

  Canvas &canvas() { return m_canvas; }
  const Bitmap &bitmap() const { return m_canvas.bitmap(); }
  void setRing(UndoRing *ring) { m_ring = ring; }

  void MoveTo(int x, int y) { m_canvas.MoveTo(x, y); }
  void MoveTo(TPoint p) { m_canvas.MoveTo(p.x, p.y); }
  void LineTo(int x, int y);
  void LineTo(TPoint p) { LineTo(p.x, p.y); }
  void Rectangle(int left, int top, int right, int bottom);
  void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
  void Ellipse(int left, int top, int right, int bottom);
  void Arc(const TRect &box, TPoint start, TPoint end);
  void Chord(const TRect &box, TPoint start, TPoint end);
  void Pie(const TRect &box, TPoint start, TPoint end);
  void Polygon(const std::vector<TPoint> &points);
  void PolyBezier(const std::vector<TPoint> &points);
  void FillRect(const TRect &rect);
  void FloodFill(int x, int y, TColor color);
  TColor Pixel(int x, int y) const { return m_canvas.Pixel(x, y); }
  void SetPixel(int x, int y, TColor color);
  void TextOut(int x, int y, const QString &text);
  void CopyRect(const TRect &dest, const Bitmap &source, const TRect &sourceRect);
  // Whatever was drawn on the bitmap directly.
  void touchedAll();

  // What the screen must show again since the last call: the bitmap's pixels that may have
  // changed, clipped to it (empty when nothing was drawn).
  TRect takeViewDamage();
  // Counts every drawing call, so a document can tell whether its pixels may have changed.
  quint64 changeCount() const { return m_changes; }

private:
  // A figure touching at most the box of `points` grown by the pen.
  void figure(char op, const std::vector<int> &params, qint64 l, qint64 t, qint64 r, qint64 b);
  void report(char op, const std::vector<int> &params, bool segment, TRect rect, TPoint a, TPoint b, int radius);
  int reach() const;
  void damage(qint64 l, qint64 t, qint64 r, qint64 b);
  void damageAll();

  Canvas &m_canvas;
  UndoRing *m_ring;
  // the union of what was drawn, in 64-bit so far-away figures cannot overflow it
  qint64 m_damageL = 0, m_damageT = 0, m_damageR = 0, m_damageB = 0;
  quint64 m_changes = 0;
};

} // namespace corvana::smudgel
