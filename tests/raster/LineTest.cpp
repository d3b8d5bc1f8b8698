#include "PixelDump.h"
#include "raster/Canvas.h"

#include <gtest/gtest.h>

#include <climits>

using namespace corvana;
using corvana::test::Count;
using corvana::test::Dump;

namespace {

TEST(Line, ExcludesItsEndPoint) {
  Bitmap b(7, 1);
  Canvas canvas(b);
  canvas.MoveTo(0, 0);
  canvas.LineTo(5, 0);
  EXPECT_EQ(Dump(b), "\n#####..\n");
  EXPECT_EQ(canvas.penPos(), (TPoint{5, 0}));
}

TEST(Line, SteepAndShallowSlopes) {
  Bitmap b(5, 5);
  Canvas canvas(b);
  canvas.MoveTo(0, 0);
  canvas.LineTo(4, 2);
  canvas.MoveTo(4, 4);
  canvas.LineTo(4, 0); // upwards, (4, 0) excluded
  EXPECT_EQ(Dump(b), "\n#....\n.##.#\n...##\n....#\n....#\n");
}

TEST(Line, ZeroLengthDrawsNothing) {
  Bitmap b(3, 3);
  Canvas canvas(b);
  canvas.MoveTo(1, 1);
  canvas.LineTo(1, 1);
  EXPECT_EQ(Count(b, clBlack), 0);
}

struct FarCase {
  const char *name;
  TPoint a, b;
  int expectedPixels;
};

class FarLine : public testing::TestWithParam<FarCase> {};

// Coordinates far outside are clipped before iterating: no endless loop, the right pixels.
TEST_P(FarLine, IsClippedToTheBitmap) {
  const FarCase c = GetParam();
  Bitmap b(10, 10);
  Canvas canvas(b);
  canvas.MoveTo(c.a.x, c.a.y);
  canvas.LineTo(c.b.x, c.b.y);
  EXPECT_EQ(Count(b, clBlack), c.expectedPixels);
}

INSTANTIATE_TEST_SUITE_P(Line, FarLine,
                         testing::Values(FarCase{"Horizontal", {-(1 << 30), 5}, {1 << 30, 5}, 10},
                                         FarCase{"Vertical", {3, 1 << 30}, {3, -(1 << 30)}, 10},
                                         FarCase{"Diagonal", {-(1 << 30), -(1 << 30)}, {1 << 30, 1 << 30}, 10},
                                         FarCase{"IntLimits", {INT_MIN, INT_MIN}, {INT_MAX, INT_MAX}, 10},
                                         FarCase{"Missing", {-(1 << 30), 20}, {1 << 30, 20}, 0},
                                         FarCase{"PassingBy", {-(1 << 30), 1 << 30}, {1 << 30, -(1 << 30) + 100}, 0}),
                         [](const auto &info) { return std::string(info.param.name); });

struct DashCase {
  const char *name;
  PenStyle style;
  const char *row;
};

class DashPattern : public testing::TestWithParam<DashCase> {};

// Cosmetic patterns of 1-pixel pens; gaps take the brush colour with a Solid brush.
TEST_P(DashPattern, RepeatsAlongTheLine) {
  const DashCase c = GetParam();
  Bitmap b(30, 2, PixelFormat::pf32bit, clYellow);
  Canvas canvas(b);
  canvas.pen.style = c.style;
  canvas.brush.setStyle(BrushStyle::Clear);
  canvas.MoveTo(0, 0);
  canvas.LineTo(30, 0);
  canvas.brush.setColor(clRed); // Solid again
  canvas.MoveTo(0, 1);
  canvas.LineTo(30, 1);
  std::string gapsRed = c.row;
  for (char &ch : gapsRed)
    if (ch == 'y')
      ch = 'r';
  EXPECT_EQ(Dump(b), "\n" + std::string(c.row) + "\n" + gapsRed + "\n");
}

INSTANTIATE_TEST_SUITE_P(Line, DashPattern,
                         testing::Values(DashCase{"Dash", PenStyle::Dash, "##################yyyyyy######"},
                                         DashCase{"Dot", PenStyle::Dot, "###yyy###yyy###yyy###yyy###yyy"},
                                         DashCase{"DashDot", PenStyle::DashDot, "#########yyyyyy###yyyyyy######"},
                                         DashCase{"DashDotDot", PenStyle::DashDotDot,
                                                  "#########yyy###yyy###yyy######"}),
                         [](const auto &info) { return std::string(info.param.name); });

// The pattern runs on round corners instead of starting again with each segment.
TEST(Line, DashesContinueAlongAPolyline) {
  Bitmap b(6, 5);
  Canvas canvas(b);
  canvas.pen.style = PenStyle::Dot;
  canvas.brush.setStyle(BrushStyle::Clear);
  canvas.Polyline({{0, 0}, {4, 0}, {4, 5}});
  EXPECT_EQ(Dump(b), "\n###...\n......\n....#.\n....#.\n....#.\n");
}

TEST(Line, WidePenIsCentredWithRoundEnds) {
  Bitmap b(10, 6);
  Canvas canvas(b);
  canvas.pen.width = 3;
  canvas.pen.style = PenStyle::Dash; // wide pens draw solid
  canvas.MoveTo(2, 2);
  canvas.LineTo(6, 2);
  EXPECT_EQ(Dump(b), "\n..........\n.#######..\n.#######..\n.#######..\n..........\n..........\n");

  Bitmap even(10, 6);
  Canvas c2(even);
  c2.pen.width = 4;
  c2.MoveTo(3, 3);
  c2.LineTo(6, 3);
  EXPECT_EQ(Dump(even), "\n..........\n..#####...\n.#######..\n.#######..\n..#####...\n..........\n");
}

TEST(Line, ClearPenMovesWithoutDrawing) {
  Bitmap b(5, 5);
  Canvas canvas(b);
  canvas.pen.style = PenStyle::Clear;
  canvas.LineTo(4, 4);
  EXPECT_EQ(Count(b, clBlack), 0);
  EXPECT_EQ(canvas.penPos(), (TPoint{4, 4}));
}

TEST(Line, PaletteBitmapGetsNearestColour) {
  Bitmap b(4, 1, PixelFormat::pf4bit);
  Canvas canvas(b);
  canvas.pen.color = RGB(240, 20, 20);
  canvas.LineTo(2, 0);
  canvas.pen.mode = PenMode::Xor;
  canvas.pen.color = RGB(0, 0, 10);
  canvas.MoveTo(1, 0);
  canvas.LineTo(3, 0);
  EXPECT_EQ(b.pixel(0, 0), clRed);
  EXPECT_EQ(b.pixel(1, 0), clRed) << "red xor a dark blue snaps back to red";
  EXPECT_EQ(b.pixel(2, 0), RGB(255, 255, 255));

  // fills of figures, hatches and flood fills snap too
  Bitmap mono(12, 12, PixelFormat::pf1bit);
  Canvas c1(mono);
  c1.brush.setColor(RGB(90, 90, 90));
  c1.pen.color = RGB(200, 200, 200);
  c1.Ellipse(0, 0, 12, 12);
  c1.brush.setStyle(BrushStyle::Cross);
  c1.FillRect({0, 0, 12, 3});
  EXPECT_EQ(Count(mono, clBlack) + Count(mono, clWhite), 144);
  EXPECT_EQ(mono.pixel(6, 6), clBlack);
}

} // namespace
