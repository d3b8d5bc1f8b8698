#include "smudgel/SmudgelIconDrawings.h"

#include "smudgel/SmudgelIconPaint.h"
#include "smudgel/SmudgelIcons.h"

#include <QPainterPath>
#include <QPolygonF>
#include <cmath>
#include <initializer_list>
#include <iterator>
#include <numbers>

namespace corvana::smudgel {

namespace {

using namespace icons;
using Draw = IconDrawing;

// ---- shapes

void drawLine(QPainter &p) {
  pen(p, kInk, 1.6);
  p.drawLine(QPointF(2, 13.5), QPointF(14, 3));
}

void drawLineStraight(QPainter &p) {
  // snapped to 45 degrees, with its end handles
  for (int i = 0; i < 10; ++i)
    pixel(p, 3 + i, 12 - i, kInk);
  box(p, 1, 12, 3, 3, kBlue);
  box(p, 12, 1, 3, 3, kBlue);
}

void drawRectangle(QPainter &p) {
  outline(p, kInk, Qt::NoBrush);
  p.drawRect(QRectF(2.5, 3.5, 11, 9));
}

void drawRoundRect(QPainter &p) {
  outline(p, kInk, Qt::NoBrush);
  p.drawRoundedRect(QRectF(1.5, 3.5, 13, 9), 3.5, 3.5);
}

void drawEllipse(QPainter &p) {
  pen(p, kInk, 1.1);
  p.drawEllipse(QRectF(1.5, 3.5, 13, 9));
}

const QRectF kRound(1.5, 2.5, 13, 11);

void drawArc(QPainter &p) {
  pen(p, kInk, 1.3);
  p.drawArc(kRound, 20 * 16, 230 * 16);
}

void drawChord(QPainter &p) {
  pen(p, kInk, 1.1);
  p.setBrush(kBlueLight);
  p.drawChord(kRound, 20 * 16, 230 * 16);
}

void drawPie(QPainter &p) {
  pen(p, kInk, 1.1);
  p.setBrush(kBlueLight);
  p.drawPie(kRound, 40 * 16, 280 * 16);
}

void drawSpiral(QPainter &p) {
  QPainterPath path;
  const double turns = 2.3;
  for (int i = 0; i <= 160; ++i) {
    const double t = i / 160.0;
    const double angle = t * turns * 2 * std::numbers::pi;
    const double r = 0.6 + 6.2 * t;
    const QPointF point(8 + r * std::cos(angle), 8 - r * std::sin(angle));
    if (i == 0)
      path.moveTo(point);
    else
      path.lineTo(point);
  }
  pen(p, kInk, 1.3);
  p.drawPath(path);
}

QPolygonF star(QPointF centre, double outer, double inner) {
  QPolygonF polygon;
  for (int i = 0; i < 10; ++i) {
    const double r = i % 2 ? inner : outer;
    const double angle = -std::numbers::pi / 2 + i * std::numbers::pi / 5;
    polygon << centre + QPointF(r * std::cos(angle), r * std::sin(angle));
  }
  return polygon;
}

void drawStar(QPainter &p) {
  p.setPen(QPen(kYellowDark, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(kYellow);
  p.drawPolygon(star(QPointF(8, 8.7), 7.3, 3));
}

void drawSymmetric(QPainter &p) {
  // one stroke repeated round the centre
  QPainterPath petal;
  petal.moveTo(0, -1.8);
  petal.cubicTo(-2.5, -4, 1.5, -5.5, 0, -7);
  p.translate(8, 8);
  for (int i = 0; i < 6; ++i) {
    pen(p, i % 2 ? kBlue : kInk, 1.2);
    p.drawPath(petal);
    p.rotate(60);
  }
  box(p, -1, -1, 2, 2, kInk);
}

void drawBezier(QPainter &p) {
  pen(p, kGrey, 1);
  p.drawLine(QPointF(2, 13), QPointF(4, 3));
  p.drawLine(QPointF(14, 3), QPointF(12, 13));
  QPainterPath curve;
  curve.moveTo(2, 13);
  curve.cubicTo(4, 3, 12, 13, 14, 3);
  pen(p, kInk, 1.5);
  p.drawPath(curve);
  box(p, 3, 2, 2, 2, kBlue);
  box(p, 11, 12, 2, 2, kBlue);
}

void drawSpray(QPainter &p) {
  static const int dots[][2] = {{7, 1},  {10, 2}, {4, 3},   {8, 4},  {12, 4}, {2, 6},  {6, 6},  {10, 6},
                                {14, 7}, {4, 8},  {8, 8},   {12, 9}, {1, 10}, {6, 10}, {9, 10}, {14, 11},
                                {3, 12}, {7, 12}, {11, 12}, {5, 14}, {9, 14}, {7, 8},  {8, 7}};
  for (const auto &d : dots)
    pixel(p, d[0], d[1], kInk);
}

void drawFreehand(QPainter &p) {
  QPainterPath path;
  path.moveTo(1.5, 10);
  path.cubicTo(3.5, 3, 5.5, 3, 7, 8);
  path.cubicTo(8.5, 13, 11, 13, 14.5, 5);
  pen(p, kInk, 1.5);
  p.drawPath(path);
}

void drawVMirror(QPainter &p) {
  QPainterPath stroke;
  stroke.moveTo(5.5, 2);
  stroke.cubicTo(0, 4, 6, 9, 2, 13.5);
  vDashes(p, 7, 0, 16, kGrey);
  pen(p, kInk, 1.4);
  p.drawPath(stroke);
  mirrored(p, true, false, [&] {
    pen(p, kBlue, 1.4);
    p.drawPath(stroke);
  });
}

QPainterPath cornerStroke() {
  QPainterPath stroke;
  stroke.moveTo(1.5, 6);
  stroke.cubicTo(1.5, 1, 4, 5, 6, 1.5);
  return stroke;
}

void drawCMirror(QPainter &p) {
  const QPainterPath stroke = cornerStroke();
  box(p, 5, 7, 5, 1, kGrey);
  box(p, 7, 5, 1, 5, kGrey);
  pixel(p, 7, 7, kInk);
  pen(p, kInk, 1.4);
  p.drawPath(stroke);
  mirrored(p, true, true, [&] {
    pen(p, kBlue, 1.4);
    p.drawPath(stroke);
  });
}

void drawHMirror(QPainter &p) {
  QPainterPath stroke;
  stroke.moveTo(2, 5.5);
  stroke.cubicTo(4, 0, 9, 6, 13.5, 2);
  hDashes(p, 0, 16, 7, kGrey);
  pen(p, kInk, 1.4);
  p.drawPath(stroke);
  mirrored(p, false, true, [&] {
    pen(p, kBlue, 1.4);
    p.drawPath(stroke);
  });
}

void drawMirror4(QPainter &p) {
  const QPainterPath stroke = cornerStroke();
  hDashes(p, 0, 16, 7, kGrey);
  vDashes(p, 7, 0, 16, kGrey);
  for (int q = 0; q < 4; ++q)
    mirrored(p, q & 1, q & 2, [&] {
      pen(p, q == 0 ? kInk : kBlue, 1.4);
      p.drawPath(stroke);
    });
}

void drawBlocks(QPainter &p) {
  box(p, 0, 0, 16, 16, kEdge);
  for (int row = 0; row < 3; ++row)
    for (int col = 0; col < 3; ++col)
      box(p, 1 + col * 5, 1 + row * 5, 4, 4, (row + col) % 2 ? kBlueLight : kBlue);
}

// ---- brush styles: a swatch of the hatch in a frame

enum Hatch { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };

void swatch(QPainter &p, Hatch hatch) {
  if (hatch == Solid)
    box(p, 2, 2, 12, 12, kBlue);
  else if (hatch != Clear)
    box(p, 2, 2, 12, 12, kPaper);
  for (int y = 2; y < 14; ++y)
    for (int x = 2; x < 14; ++x) {
      const bool h = y % 3 == 0, v = x % 3 == 0;
      const bool f = (x - y + 12) % 3 == 0, b = (x + y) % 3 == 1;
      const bool on = (hatch == Horizontal && h) || (hatch == Vertical && v) || (hatch == Cross && (h || v)) ||
                      (hatch == FDiagonal && f) || (hatch == BDiagonal && b) || (hatch == DiagCross && (f || b));
      if (on)
        pixel(p, x, y, kInk);
    }
  outline(p, kInk, Qt::NoBrush);
  p.drawRect(QRectF(1.5, 1.5, 13, 13));
}

// ---- widths and pen styles

template <int W> void drawWidth(QPainter &p) { box(p, 2, 8 - (W + 1) / 2, 12, W, kInk); }

// Runs of on/off lengths from x = 1, two pixels high.
void dashes(QPainter &p, std::initializer_list<int> pattern) {
  int x = 1;
  bool on = true;
  while (x < 15)
    for (int run : pattern) {
      if (on && x < 15)
        box(p, x, 7, std::min(run, 15 - x), 2, kInk);
      x += run;
      on = !on;
    }
}

void drawPenSolid(QPainter &p) { dashes(p, {14}); }
void drawPenDash(QPainter &p) { dashes(p, {3, 2}); }
void drawPenDot(QPainter &p) { dashes(p, {1, 1}); }
void drawPenDashDot(QPainter &p) { dashes(p, {4, 2, 1, 2}); }
void drawPenDashDotDot(QPainter &p) { dashes(p, {3, 2, 1, 2, 1, 2}); }

void drawPenClear(QPainter &p) {
  box(p, 1, 7, 14, 2, kGreyLight);
  pen(p, kRed, 1.6);
  p.drawLine(QPointF(4, 13), QPointF(12, 3));
}

void drawPenInsideFrame(QPainter &p) {
  // the wide pen stays inside the figure's box
  box(p, 2, 2, 12, 12, kInk);
  box(p, 5, 5, 6, 6, kPaper);
  ants(p, 1, 1, 14, 14);
}

// ---- tool bar

void drawPaintText(QPainter &p) {
  QPainterPath a;
  a.moveTo(2, 14.5);
  a.lineTo(7, 1.5);
  a.lineTo(9, 1.5);
  a.lineTo(14, 14.5);
  a.moveTo(4.5, 10);
  a.lineTo(11.5, 10);
  p.setPen(QPen(kInk, 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(a);
}

void drawMakeButton(QPainter &p) {
  box(p, 0, 3, 16, 11, kBlack);
  box(p, 1, 4, 14, 9, kGreyLight);
  box(p, 1, 4, 13, 1, Qt::white);
  box(p, 1, 4, 1, 8, Qt::white);
  box(p, 2, 11, 13, 1, kGrey);
  box(p, 13, 5, 1, 7, kGrey);
  box(p, 1, 12, 14, 1, kEdge);
  box(p, 14, 4, 1, 9, kEdge);
  box(p, 5, 7, 6, 2, kInk);
}

void drawPenMode(QPainter &p) {
  box(p, 1, 1, 7, 14, kBlack);
  box(p, 8, 1, 7, 14, Qt::white);
  outline(p, kEdge, Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, 15, 15));
  const QPolygonF nib{{8, 14}, {4.5, 8}, {6, 2.5}, {10, 2.5}, {11.5, 8}};
  p.setPen(QPen(kInk, 1, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(kYellow);
  p.drawPolygon(nib);
  pen(p, kInk, 1);
  p.drawLine(QPointF(8, 13), QPointF(8, 8.5));
  p.setBrush(kInk);
  p.drawEllipse(QPointF(8, 7.5), 0.9, 0.9);
}

void drawSelect(QPainter &p) { ants(p, 1, 2, 14, 13); }

void clipboard(QPainter &p) {
  outline(p, kYellowDark, QColor(196, 150, 92));
  p.drawRoundedRect(QRectF(1.5, 2.5, 13, 13), 1.5, 1.5);
  box(p, 3, 4, 10, 11, kPaper);
  outline(p, kInk, kGrey);
  p.drawRect(QRectF(5.5, 0.5, 5, 3));
}

void drawPasteMask(QPainter &p) {
  clipboard(p);
  box(p, 4, 6, 8, 8, kBlack);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawEllipse(QRectF(5.5, 7.5, 5, 5));
}

void drawPaste(QPainter &p) {
  clipboard(p);
  for (int y = 6; y < 14; y += 2)
    box(p, 5, y, y == 12 ? 4 : 6, 1, kGrey);
}

void drawFloodFill(QPainter &p) {
  // a bucket tipped to the right, paint running off its lip
  QPainterPath spill;
  spill.moveTo(10, 6);
  spill.cubicTo(13, 6, 14.5, 8, 14.5, 11);
  spill.lineTo(14.5, 13.5);
  spill.cubicTo(14.5, 15.3, 12.5, 15.3, 12.5, 13.5);
  spill.cubicTo(12.5, 11, 12, 10, 10, 10);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawPath(spill);
  p.save();
  p.translate(6, 9);
  p.rotate(40);
  outline(p, kInk, kGreyLight);
  p.drawPolygon(QPolygonF{{-4.5, -3.5}, {4.5, -3.5}, {3.5, 5}, {-3.5, 5}});
  p.setBrush(kBlue);
  p.drawEllipse(QRectF(-4.5, -5, 9, 3));
  pen(p, kInk, 1);
  p.drawArc(QRectF(-4, -8.5, 8, 10), 0, 180 * 16);
  p.restore();
}

void drawFillSelection(QPainter &p) {
  box(p, 2, 3, 12, 10, kBlue);
  ants(p, 1, 2, 14, 13);
}

void drawMaskClip(QPainter &p) {
  // a stencil: the dark mask with the shape cut out of it
  box(p, 1, 1, 14, 14, kBlack);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPolygon(star(QPointF(8, 8.7), 6.3, 2.6));
  outline(p, kEdge, Qt::NoBrush);
  p.drawRect(QRectF(0.5, 0.5, 15, 15));
}

void drawPickPaint(QPainter &p) {
  p.save();
  p.translate(8, 8);
  p.rotate(-45);
  outline(p, kInk, kPaper);
  p.drawRect(QRectF(-7.5, -1.5, 9, 3));
  box(p, -7, -1, 4, 2, kBlue);
  box(p, 1, -3, 2, 6, kInk);
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  p.drawRoundedRect(QRectF(2.5, -2, 6, 4), 2, 2);
  p.restore();
}

void stamp(QPainter &p, const QColor &handle, const QColor &left, const QColor &right) {
  outline(p, kInk, handle);
  p.drawEllipse(QRectF(4.5, 0.5, 7, 4));
  box(p, 7, 4, 2, 4, kInk);
  outline(p, kInk, kEdge);
  p.drawRect(QRectF(2.5, 7.5, 11, 3));
  box(p, 2, 12, 6, 3, left);
  box(p, 8, 12, 6, 3, right);
}

QColor inverted(const QColor &c) { return QColor(255 - c.red(), 255 - c.green(), 255 - c.blue()); }

void drawPasteColor(QPainter &p) { stamp(p, kRed, kBlue, kYellow); }
void drawPasteColorInverted(QPainter &p) { stamp(p, inverted(kRed), inverted(kBlue), inverted(kYellow)); }

void drawResizeImage(QPainter &p) {
  hDashes(p, 1, 15, 1, kGrey);
  vDashes(p, 14, 1, 15, kGrey);
  outline(p, kInk, kPaper);
  p.drawRect(QRectF(1.5, 7.5, 7, 7));
  pen(p, kBlue, 1.6);
  p.drawLine(QPointF(6, 10), QPointF(11, 5));
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawPolygon(QPolygonF{{12.5, 3.5}, {7, 4}, {12, 9}});
}

void drawClearImage(QPainter &p) {
  outline(p, kEdge, kPaper);
  p.drawRect(QRectF(1.5, 1.5, 10, 13));
  p.save();
  p.translate(10.5, 11);
  p.rotate(-40);
  outline(p, kInk, QColor(232, 150, 160));
  p.drawRect(QRectF(-2.5, -2.5, 5, 5));
  p.setBrush(kBlue);
  p.drawRect(QRectF(2.5, -2.5, 4, 5));
  p.restore();
}

void drawUndo(QPainter &p) {
  QPainterPath path;
  path.moveTo(12, 14);
  path.cubicTo(16, 9, 13, 3.5, 6, 5.5);
  pen(p, kBlue, 2);
  p.drawPath(path);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawPolygon(QPolygonF{{1, 6.5}, {7, 1.5}, {7.5, 10}});
}

// ---- menus

void drawFileNew(QPainter &p) {
  outline(p, kEdge, kPaper);
  p.drawPolygon(QPolygonF{{2.5, 0.5}, {9.5, 0.5}, {13.5, 4.5}, {13.5, 15.5}, {2.5, 15.5}});
  p.setBrush(kGreyLight);
  p.drawPolygon(QPolygonF{{9.5, 0.5}, {9.5, 4.5}, {13.5, 4.5}});
}

void drawFileOpen(QPainter &p) {
  outline(p, kYellowDark, QColor(212, 164, 66));
  p.drawPolygon(QPolygonF{{0.5, 2.5}, {5.5, 2.5}, {7, 4.5}, {13.5, 4.5}, {13.5, 13.5}, {0.5, 13.5}});
  p.setBrush(kYellow);
  p.drawPolygon(QPolygonF{{0.5, 13.5}, {3.5, 7.5}, {15.5, 7.5}, {12.5, 13.5}});
}

void drawFileSaveAs(QPainter &p) {
  outline(p, QColor(30, 56, 102), kBlue);
  p.drawPolygon(QPolygonF{{1.5, 1.5}, {12.5, 1.5}, {14.5, 3.5}, {14.5, 14.5}, {1.5, 14.5}});
  box(p, 4, 2, 8, 5, kPaper);
  box(p, 9, 3, 2, 3, kGrey);
  box(p, 4, 10, 8, 5, kGreyLight);
}

void drawFont(QPainter &p) {
  box(p, 5, 2, 2, 12, kInk);
  box(p, 3, 2, 10, 2, kInk);
  box(p, 12, 4, 1, 1, kInk);
  box(p, 7, 7, 4, 2, kInk);
  box(p, 10, 6, 1, 4, kInk);
  box(p, 3, 13, 6, 1, kInk);
}

void lens(QPainter &p) {
  pen(p, kInk, 2.5);
  p.drawLine(QPointF(10.5, 10.5), QPointF(14.5, 14.5));
  outline(p, kInk, QColor(232, 240, 250));
  p.setPen(QPen(kInk, 1.5));
  p.drawEllipse(QPointF(6.5, 6.5), 5, 5);
}

void drawMagnify(QPainter &p) {
  lens(p);
  box(p, 4, 6, 5, 1, kInk);
  box(p, 6, 4, 1, 5, kInk);
}

void drawReduce(QPainter &p) {
  lens(p);
  box(p, 4, 6, 5, 1, kInk);
}

template <Hatch H> void drawBrush(QPainter &p) { swatch(p, H); }

// In the order of SmudgelIcon.
constexpr Draw kDraw[] = {
    // shapes
    drawLine,
    drawLineStraight,
    drawRectangle,
    drawRoundRect,
    drawEllipse,
    drawArc,
    drawChord,
    drawPie,
    drawSpiral,
    drawStar,
    drawSymmetric,
    drawBezier,
    drawSpray,
    drawFreehand,
    drawVMirror,
    drawCMirror,
    drawHMirror,
    drawMirror4,
    drawBlocks,
    // brush styles
    drawBrush<Solid>,
    drawBrush<Clear>,
    drawBrush<Horizontal>,
    drawBrush<Vertical>,
    drawBrush<FDiagonal>,
    drawBrush<BDiagonal>,
    drawBrush<Cross>,
    drawBrush<DiagCross>,
    // widths
    drawWidth<1>,
    drawWidth<2>,
    drawWidth<3>,
    drawWidth<4>,
    drawWidth<5>,
    // pen styles
    drawPenSolid,
    drawPenDash,
    drawPenDot,
    drawPenDashDot,
    drawPenDashDotDot,
    drawPenClear,
    drawPenInsideFrame,
    // tool bar
    drawPaintText,
    drawMakeButton,
    drawPenMode,
    drawSelect,
    drawPasteMask,
    drawPaste,
    drawFloodFill,
    drawFillSelection,
    drawMaskClip,
    drawPickPaint,
    drawPasteColor,
    drawPasteColorInverted,
    drawResizeImage,
    drawClearImage,
    drawUndo,
    // menus
    drawFileNew,
    drawFileOpen,
    drawFileSaveAs,
    drawFont,
    drawMagnify,
    drawReduce,
};
// one picture for every icon, no more and no less
static_assert(std::size(kDraw) == size_t(SmudgelIcon::Count));

} // namespace

IconDrawing smudgelIconDrawing(int index) { return kDraw[index]; }

} // namespace corvana::smudgel
