#include "PixelDump.h"
#include "raster/Canvas.h"

#include <gtest/gtest.h>

#include <random>

using namespace corvana;
using corvana::test::Count;
using corvana::test::Dump;

namespace {

Bitmap Row(const std::vector<TColor> &colors) {
  Bitmap b(int(colors.size()), 1);
  for (int x = 0; x < b.width(); ++x)
    b.setPixel(x, 0, colors[size_t(x)]);
  return b;
}

// ---- block copies

TEST(CopyRect, ScalesByReplicationAndDropping) {
  Bitmap source(2, 2);
  source.setPixel(0, 0, clRed);
  source.setPixel(1, 0, clLime);
  source.setPixel(0, 1, clBlue);
  source.setPixel(1, 1, clBlack);
  Bitmap big(4, 4);
  Canvas canvas(big);
  canvas.StretchDraw({0, 0, 4, 4}, source);
  EXPECT_EQ(Dump(big), "\nrrgg\nrrgg\nbb##\nbb##\n");

  Bitmap small(2, 1);
  Canvas reduce(small);
  reduce.CopyRect({0, 0, 2, 1}, Row({clRed, clLime, clBlue, clYellow}), {0, 0, 4, 1});
  EXPECT_EQ(Dump(small), "\nrb\n");
}

TEST(CopyRect, NegativeWidthMirrors) {
  Bitmap b(3, 1);
  Canvas canvas(b);
  canvas.CopyRect({3, 0, 0, 1}, Row({clRed, clLime, clBlue}), {0, 0, 3, 1});
  EXPECT_EQ(Dump(b), "\nbgr\n");
  Bitmap same(3, 1);
  Canvas both(same);
  both.CopyRect({3, 0, 0, 1}, Row({clRed, clLime, clBlue}), {3, 0, 0, 1});
  EXPECT_EQ(Dump(same), "\nrgb\n") << "both rectangles flipped: no mirror";
}

TEST(CopyRect, OverlappingCopyOnItselfReadsTheOriginal) {
  Bitmap b = Row({clRed, clLime, clBlue, clWhite, clWhite});
  Canvas canvas(b);
  canvas.CopyRect({2, 0, 5, 1}, b, {0, 0, 3, 1});
  EXPECT_EQ(Dump(b), "\nrgrgb\n");
  canvas.CopyRect({0, 0, 3, 1}, canvas, {1, 0, 4, 1});
  EXPECT_EQ(Dump(b), "\ngrggb\n");
}

TEST(CopyRect, PixelsFromOutsideTheSourceAreLeftAlone) {
  Bitmap b(4, 1);
  Canvas canvas(b);
  canvas.CopyRect({0, 0, 3, 1}, Row({clRed, clLime}), {1, 0, 4, 1});
  EXPECT_EQ(Dump(b), "\ng...\n");
  canvas.CopyRect({0, 0, 4, 1}, Bitmap(), {0, 0, 4, 1});
  EXPECT_EQ(Dump(b), "\ng...\n");
}

TEST(CopyRect, PatternOperandIsTheBrushAlignedToTheOrigin) {
  Bitmap tile(8, 8);
  tile.setPixel(0, 0, clRed);
  Bitmap b(12, 2, PixelFormat::pf32bit, clBlack);
  Canvas canvas(b);
  canvas.brush.setPattern(tile);
  canvas.copyMode = cmPatCopy;
  canvas.CopyRect({3, 0, 12, 1}, Bitmap(), {0, 0, 9, 1});
  EXPECT_EQ(Dump(b), "\n###.....r...\n############\n");
}

TEST(Draw, UsesTheCopyMode) {
  Bitmap b = Row({clRed, clWhite, clBlack});
  Canvas canvas(b);
  canvas.copyMode = cmSrcAnd;
  canvas.Draw(0, 0, Row({clYellow, clBlue, clWhite}));
  EXPECT_EQ(b.pixel(0, 0), clRed);
  EXPECT_EQ(b.pixel(1, 0), clBlue);
  EXPECT_EQ(b.pixel(2, 0), clBlack);
  canvas.copyMode = cmSrcCopy;
  canvas.Draw(1, 0, Row({clLime}));
  EXPECT_EQ(Dump(b), "\nrg#\n");
}

// ---- flood fill

TEST(FloodFill, LeaksThroughNoDiagonal) {
  Bitmap b(5, 5);
  for (int i = 0; i < 5; ++i)
    b.setPixel(4 - i, i, clBlack);
  Canvas canvas(b);
  canvas.brush.setColor(clRed);
  canvas.pen.mode = PenMode::Xor; // not used by fills
  canvas.FloodFill(0, 0, clWhite);
  EXPECT_EQ(Dump(b), "\nrrrr#\nrrr#.\nrr#..\nr#...\n#....\n");
}

TEST(FloodFill, FillsAroundObstaclesInAllDirections) {
  Bitmap b(7, 5);
  Canvas canvas(b);
  canvas.Rectangle(1, 1, 6, 4); // hollow? no: filled white, outlined black
  canvas.brush.setColor(clBlue);
  canvas.FloodFill(6, 4, clWhite);
  EXPECT_EQ(Dump(b), "\nbbbbbbb\nb#####b\nb#...#b\nb#####b\nbbbbbbb\n");
}

// The span fill against a pixel-by-pixel reference on random mazes, for both of its paths.
TEST(FloodFill, MatchesAPixelByPixelFillOnRandomMazes) {
  std::mt19937 rng(3);
  for (int round = 0; round < 60; ++round) {
    Bitmap maze(17, 13);
    for (int y = 0; y < 13; ++y)
      for (int x = 0; x < 17; ++x)
        if (rng() % 100 < 38)
          maze.setPixel(x, y, clBlack);
    const int sx = int(rng() % 17), sy = int(rng() % 13);
    Bitmap expected = maze;
    if (expected.pixel(sx, sy) == clWhite) {
      std::vector<std::pair<int, int>> stack{{sx, sy}};
      while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        if (expected.pixel(x, y) != clWhite)
          continue;
        expected.setPixel(x, y, clRed);
        stack.insert(stack.end(), {{x + 1, y}, {x - 1, y}, {x, y + 1}, {x, y - 1}});
      }
    }
    Bitmap inPlace = maze;
    Canvas canvas(inPlace);
    canvas.brush.setColor(clRed);
    canvas.FloodFill(sx, sy, clWhite);
    ASSERT_EQ(Dump(inPlace), Dump(expected)) << "round " << round;
    // a one-pixel-off pattern takes the other path
    Bitmap tile(8, 8, PixelFormat::pf32bit, clRed);
    Bitmap masked = maze;
    Canvas viaMask(masked);
    viaMask.brush.setPattern(tile);
    viaMask.FloodFill(sx, sy, clWhite);
    ASSERT_EQ(Dump(masked), Dump(expected)) << "round " << round;
  }
}

TEST(FloodFill, OtherColourOutsideOrClearBrushDoNothing) {
  Bitmap b(4, 4);
  const Bitmap blank = b;
  Canvas canvas(b);
  canvas.brush.setColor(clRed);
  canvas.FloodFill(1, 1, clBlack);
  canvas.FloodFill(-1, 2, clWhite);
  canvas.FloodFill(4, 0, clWhite);
  canvas.brush.setStyle(BrushStyle::Clear);
  canvas.FloodFill(1, 1, clWhite);
  EXPECT_EQ(b, blank);
}

// Regression: a brush that leaves the target colour behind must not refill forever.
TEST(FloodFill, BrushLeavingTheTargetColourEnds) {
  Bitmap b(10, 10);
  Canvas canvas(b);
  canvas.brush.setColor(clWhite);
  canvas.FloodFill(5, 5, clWhite);
  EXPECT_EQ(Count(b, clWhite), 100);
  canvas.brush.setColor(clBlue);
  canvas.brush.setStyle(BrushStyle::Horizontal);
  canvas.FloodFill(5, 5, clWhite);
  EXPECT_EQ(Count(b, clBlue), 20) << Dump(b);
  EXPECT_EQ(b.pixel(3, 8), clBlue);

  Bitmap palette(6, 6, PixelFormat::pf4bit);
  Canvas snapped(palette);
  snapped.brush.setColor(RGB(250, 250, 250)); // snaps to the white it replaces
  snapped.FloodFill(0, 0, clWhite);
  EXPECT_EQ(Count(palette, clWhite), 36);
}

TEST(FloodFill, PatternBrushIsAlignedToTheOrigin) {
  Bitmap tile(8, 8, PixelFormat::pf32bit, clLime);
  tile.setPixel(1, 2, clRed);
  Bitmap b(20, 20);
  Canvas canvas(b);
  canvas.brush.setPattern(tile);
  canvas.FloodFill(19, 19, clWhite);
  EXPECT_EQ(Count(b, clRed), 9);
  EXPECT_EQ(b.pixel(9, 10), clRed);
}

// ---- text

TEST(Text, CellIsFilledUnlessTheBrushIsClear) {
  Bitmap b(200, 60, PixelFormat::pf32bit, clSilver);
  Canvas canvas(b);
  canvas.font.size = 12;
  canvas.brush.setColor(clYellow);
  const int w = canvas.TextWidth("Hello"), h = canvas.TextHeight("Hello");
  ASSERT_GT(w, 10);
  ASSERT_GT(h, 8);
  EXPECT_GT(canvas.TextWidth("Hello Hello"), w);
  EXPECT_EQ(canvas.TextWidth(""), 0);
  canvas.TextOut(5, 4, "Hello");
  int ink = 0;
  for (int y = 0; y < 60; ++y)
    for (int x = 0; x < 200; ++x) {
      const bool inCell = x >= 5 && x < 5 + w && y >= 4 && y < 4 + h;
      const TColor c = b.pixel(x, y);
      if (!inCell)
        ASSERT_EQ(c, clSilver) << x << "," << y;
      else if (c == clBlack)
        ++ink;
      else
        ASSERT_EQ(c, clYellow) << x << "," << y;
    }
  EXPECT_GT(ink, 20);
  EXPECT_EQ(Count(b, clYellow) + ink, w * h);

  Bitmap clear(200, 60, PixelFormat::pf32bit, clSilver);
  Canvas c2(clear);
  c2.font = canvas.font;
  c2.font.color = clRed;
  c2.brush.setStyle(BrushStyle::Clear);
  c2.TextOut(5, 4, "Hello");
  EXPECT_EQ(Count(clear, clRed), ink) << "the same aliased glyphs, nothing else";
  EXPECT_EQ(Count(clear, clSilver), 200 * 60 - ink);
}

TEST(Text, FarAwayOrHugeTextIsClipped) {
  Bitmap b(30, 20);
  Canvas canvas(b);
  canvas.brush.setColor(clYellow);
  canvas.TextOut(1 << 30, 1 << 30, "far");
  canvas.TextOut(-(1 << 30), 0, QString(100000, QChar('W')));
  canvas.font.size = 100000;
  canvas.TextOut(-5, -5, "W");
  EXPECT_GT(Count(b, clYellow) + Count(b, clBlack), 0);
}

} // namespace
