#pragma once
// A drawing surface bound to a Bitmap, with pen, brush, font, copy mode and pen position.
// Lines exclude their end point; rectangles, ellipses and fills exclude the right and bottom
// edge; figures are outlined with the pen and filled with the brush. The pen mode combines
// lines, outlines and figure fills with the destination, each pixel at most once per call;
// FillRect, FloodFill, SetPixel and TextOut ignore it. Coordinates may lie anywhere: drawing
// is clipped to the bitmap (figure coordinates beyond +-2^30 count as +-2^30).
//
// Pen styles Dash, Dot, Dash Dot and Dash Dot Dot apply to 1-pixel pens (wider pens draw
// solid); their gaps take the brush colour when the brush is Solid and stay untouched
// otherwise. Wide pens are centred on the outline with round ends; Inside Frame keeps them
// inside the figure's box. On curved outlines the dash phase follows the angle round the
// centre.

#include "raster/Bitmap.h"
#include "raster/GdiObjects.h"

#include <QString>
#include <vector>

namespace corvana {

class Coverage;
struct Box64;

class Canvas {
public:
  explicit Canvas(Bitmap &bitmap) : m_bitmap(&bitmap) {}
  Canvas(const Canvas &) = delete;
  Canvas &operator=(const Canvas &) = delete;

  Bitmap &bitmap() { return *m_bitmap; }
  const Bitmap &bitmap() const { return *m_bitmap; }

  Pen pen;
  Brush brush;
  Font font;
  CopyMode copyMode = cmSrcCopy;

  TPoint penPos() const { return m_penPos; }
  void MoveTo(int x, int y) { m_penPos = {x, y}; }
  // Line from the pen position, end point excluded; the pen moves to (x, y).
  void LineTo(int x, int y);

  void Rectangle(int left, int top, int right, int bottom);
  void Rectangle(const TRect &r) { Rectangle(r.left, r.top, r.right, r.bottom); }
  void RoundRect(int left, int top, int right, int bottom, int cornerWidth, int cornerHeight);
  void Ellipse(int left, int top, int right, int bottom);
  void Ellipse(const TRect &r) { Ellipse(r.left, r.top, r.right, r.bottom); }
  // Part of the box's ellipse counter-clockwise from the ray towards (x1, y1) to the ray
  // towards (x2, y2); equal directions give the whole ellipse. Chord closes it with a
  // straight line, Pie with two lines to the centre; both are filled.
  void Arc(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2);
  void Chord(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2);
  void Pie(int left, int top, int right, int bottom, int x1, int y1, int x2, int y2);
  // Closed outline through all points (each drawn), filled by the even-odd rule. Needs two
  // points at least.
  void Polygon(const std::vector<TPoint> &points);
  // Open chain of lines; the last point is excluded. Needs two points at least.
  void Polyline(const std::vector<TPoint> &points);
  // Cubic Bezier curves: start, then three points per curve (control, control, end); other
  // counts draw nothing.
  void PolyBezier(const std::vector<TPoint> &points);

  // Brush fill without the pen mode; an unnormalised rectangle fills nothing.
  void FillRect(const TRect &rect);
  // Fills the 4-connected area of `color` around (x, y) with the brush.
  void FloodFill(int x, int y, TColor color);
  // clInvalidPixel outside the bitmap.
  TColor Pixel(int x, int y) const { return m_bitmap->pixel(x, y); }
  void SetPixel(int x, int y, TColor color) { m_bitmap->setPixel(x, y, color); }

  // Text with its cell's top left at (x, y); the pen does not move.
  void TextOut(int x, int y, const QString &text);
  int TextWidth(const QString &text) const;
  int TextHeight(const QString &text) const;

  // Copies `source` of a bitmap into `dest` through the copy mode, scaled when sizes differ.
  void CopyRect(const TRect &dest, const Bitmap &source, const TRect &sourceRect);
  void CopyRect(const TRect &dest, const Canvas &source, const TRect &sourceRect) {
    CopyRect(dest, source.bitmap(), sourceRect);
  }
  void Draw(int x, int y, const Bitmap &picture);
  void StretchDraw(const TRect &dest, const Bitmap &picture);

private:
  bool dashed() const;
  bool penVisible() const { return pen.style != PenStyle::Clear; }
  bool gapsOpaque() const { return brush.style() == BrushStyle::Solid; }
  int penWidth() const;
  void penSpan(int y, qint64 x0, qint64 x1, TColor color);
  void brushSpan(int y, qint64 x0, qint64 x1);
  void paint(const Coverage &coverage);
  // One dash step of the pen: ink, gap or nothing.
  int dashCover(qint64 index) const;
  void strokePath(Coverage &coverage, const std::vector<TPoint> &points, bool closed, qint64 &dashIndex);
  Box64 pathArea(const std::vector<TPoint> &points) const;
  template <typename RowsOf> void boxFigure(const Box64 &box, RowsOf rowsOf);
  enum class ArcKind { Arc, Chord, Pie, Ellipse };
  void arcFigure(ArcKind kind, int left, int top, int right, int bottom, int x1, int y1, int x2, int y2);

  Bitmap *m_bitmap;
  TPoint m_penPos;
};

} // namespace corvana
