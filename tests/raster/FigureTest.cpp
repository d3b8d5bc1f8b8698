#include "PixelDump.h"
#include "raster/Canvas.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <numbers>

using namespace corvana;
using corvana::test::Count;
using corvana::test::Dump;

namespace {

Bitmap White(int w, int h) { return Bitmap(w, h, PixelFormat::pf32bit, clWhite); }

TEST(Rectangle, OutlinesAndFillsExcludingRightAndBottom) {
  Bitmap b = White(6, 6);
  Canvas canvas(b);
  canvas.brush.setColor(clRed);
  canvas.Rectangle(0, 0, 4, 4);
  EXPECT_EQ(Dump(b), "\n####..\n#rr#..\n#rr#..\n####..\n......\n......\n");
}

TEST(Rectangle, UnnormalisedBoxIsNormalisedAndEmptyBoxDrawsNothing) {
  Bitmap a = White(6, 6), b = White(6, 6);
  Canvas ca(a), cb(b);
  ca.Rectangle(1, 1, 5, 4);
  cb.Rectangle(5, 4, 1, 1);
  EXPECT_EQ(a, b);
  cb.Rectangle(2, 2, 2, 5);
  cb.Rectangle(0, 3, 6, 3);
  EXPECT_EQ(a, b);
}

TEST(Rectangle, WidePenCentredAndInsideFrame) {
  Bitmap b = White(9, 9);
  Canvas canvas(b);
  canvas.brush.setColor(clRed);
  canvas.pen.width = 3;
  canvas.Rectangle(2, 2, 7, 7);
  EXPECT_EQ(Dump(b),
            "\n.........\n.#######.\n.#######.\n.#######.\n.###r###.\n.#######.\n.#######.\n.#######.\n.........\n");
}

TEST(Rectangle, InsideFrameKeepsThePenInTheBox) {
  Bitmap b = White(8, 8);
  Canvas canvas(b);
  canvas.brush.setColor(clRed);
  canvas.pen.width = 2;
  canvas.pen.style = PenStyle::InsideFrame;
  canvas.Rectangle(1, 1, 7, 7);
  EXPECT_EQ(Dump(b), "\n........\n.######.\n.######.\n.##rr##.\n.##rr##.\n.######.\n.######.\n........\n");
}

TEST(Rectangle, ClearPenFillsTheWholeBoxAndClearBrushOnlyOutlines) {
  Bitmap b = White(5, 4);
  Canvas canvas(b);
  canvas.pen.style = PenStyle::Clear;
  canvas.brush.setColor(clRed);
  canvas.Rectangle(0, 0, 2, 2);
  canvas.pen.style = PenStyle::Solid;
  canvas.brush.setStyle(BrushStyle::Clear);
  canvas.Rectangle(2, 0, 5, 4);
  EXPECT_EQ(Dump(b), "\nrr###\nrr#.#\n..#.#\n..###\n");
}

TEST(Ellipse, SmallCirclesAreRoundAndInTheirBox) {
  Bitmap b = White(10, 6);
  Canvas canvas(b);
  canvas.brush.setColor(clRed);
  canvas.Ellipse(0, 0, 4, 4);
  canvas.Ellipse(4, 0, 10, 6);
  EXPECT_EQ(Dump(b), "\n.##..####.\n#rr###rr##\n#rr##rrrr#\n.##.#rrrr#\n....##rr##\n.....####.\n");
}

TEST(RoundRect, CornersAreCut) {
  Bitmap b = White(8, 6);
  Canvas canvas(b);
  canvas.brush.setColor(clRed);
  canvas.RoundRect(0, 0, 8, 6, 4, 4);
  EXPECT_EQ(Count(b, clWhite), 4) << Dump(b);
  EXPECT_EQ(b.pixel(0, 0), clWhite);
  EXPECT_EQ(b.pixel(7, 5), clWhite);
  EXPECT_EQ(b.pixel(3, 0), clBlack);
  EXPECT_EQ(b.pixel(0, 3), clBlack);
  EXPECT_EQ(b.pixel(3, 3), clRed);
}

// Pixels drawn outside the quarter named by the rays are a fault of the sector test.
TEST(Arc, RunsCounterClockwiseFromStartToEnd) {
  Bitmap b = White(21, 21);
  Canvas canvas(b);
  canvas.Arc(0, 0, 21, 21, 21, 10, 10, 0); // from 3 o'clock to 12 o'clock
  int upperRight = 0, elsewhere = 0;
  for (int y = 0; y < 21; ++y)
    for (int x = 0; x < 21; ++x)
      if (b.pixel(x, y) == clBlack)
        ++(x >= 10 && y <= 10 ? upperRight : elsewhere);
  EXPECT_GT(upperRight, 10);
  EXPECT_EQ(elsewhere, 0) << Dump(b);
  EXPECT_EQ(b.pixel(20, 10), clBlack) << "the arc starts on the start ray";
  EXPECT_EQ(b.pixel(10, 0), clBlack) << "and ends on the end ray";

  Bitmap rest = White(21, 21);
  Canvas other(rest);
  other.Arc(0, 0, 21, 21, 10, 0, 21, 10); // the other three quarters
  EXPECT_EQ(rest.pixel(0, 10), clBlack);
  EXPECT_EQ(rest.pixel(10, 20), clBlack);
  EXPECT_EQ(rest.pixel(17, 3), clWhite);
}

TEST(Chord, FillsTheSegmentBeyondItsLine) {
  Bitmap b = White(21, 21);
  Canvas canvas(b);
  canvas.brush.setColor(clRed);
  canvas.Chord(0, 0, 21, 21, 21, 10, 10, 0);
  EXPECT_EQ(b.pixel(16, 4), clRed) << Dump(b);
  EXPECT_EQ(b.pixel(12, 8), clWhite) << "the centre side of the chord stays empty";
  EXPECT_EQ(b.pixel(15, 5), clBlack) << "the chord line itself";
  EXPECT_EQ(b.pixel(4, 16), clWhite);
}

TEST(Pie, FillsTheSectorWithLinesToTheCentre) {
  Bitmap b = White(21, 21);
  Canvas canvas(b);
  canvas.brush.setColor(clRed);
  canvas.Pie(0, 0, 21, 21, 21, 10, 10, 0);
  EXPECT_EQ(b.pixel(13, 7), clRed) << Dump(b);
  EXPECT_EQ(b.pixel(15, 10), clBlack) << "radius to the start";
  EXPECT_EQ(b.pixel(10, 5), clBlack) << "radius to the end";
  EXPECT_EQ(b.pixel(7, 13), clWhite);
  EXPECT_EQ(b.pixel(5, 5), clWhite);
}

TEST(Arc, EqualRaysGiveTheWholeEllipse) {
  Bitmap a = White(12, 12), e = White(12, 12);
  Canvas ca(a), ce(e);
  ca.Chord(0, 0, 12, 12, 12, 3, 12, 3);
  ce.Ellipse(0, 0, 12, 12);
  EXPECT_EQ(Dump(a), Dump(e));
}

TEST(Polygon, EvenOddLeavesTheStarCentreEmpty) {
  Bitmap b = White(21, 21);
  Canvas canvas(b);
  canvas.brush.setColor(clRed);
  canvas.pen.style = PenStyle::Clear;
  canvas.Polygon({{10, 0}, {16, 20}, {0, 7}, {20, 7}, {4, 20}});
  EXPECT_EQ(b.pixel(10, 11), clWhite) << Dump(b);
  EXPECT_EQ(b.pixel(10, 3), clRed);
  EXPECT_EQ(b.pixel(3, 8), clRed);
}

TEST(Polygon, OutlineIncludesEveryVertex) {
  Bitmap b = White(6, 6);
  Canvas canvas(b);
  canvas.brush.setColor(clRed);
  canvas.Polygon({{0, 0}, {4, 0}, {4, 4}, {0, 4}});
  EXPECT_EQ(Dump(b), "\n#####.\n#rrr#.\n#rrr#.\n#rrr#.\n#####.\n......\n");
}

TEST(Polyline, ExcludesOnlyTheLastPoint) {
  Bitmap b = White(5, 3);
  Canvas canvas(b);
  canvas.Polyline({{0, 0}, {4, 0}, {4, 2}});
  EXPECT_EQ(Dump(b), "\n#####\n....#\n.....\n");
}

TEST(PolyBezier, StraightCurveMatchesTheLineAndBadCountsDrawNothing) {
  Bitmap b = White(10, 3), l = White(10, 3);
  Canvas canvas(b), line(l);
  canvas.PolyBezier({{0, 1}, {3, 1}, {6, 1}, {9, 1}});
  line.MoveTo(0, 1);
  line.LineTo(9, 1);
  EXPECT_EQ(Dump(b), Dump(l));
  canvas.PolyBezier({{0, 0}, {3, 2}, {9, 0}});
  canvas.PolyBezier({{0, 0}, {3, 2}, {9, 0}, {9, 2}, {0, 2}});
  EXPECT_EQ(Dump(b), Dump(l));
}

TEST(Brush, HatchesAreAlignedToTheOrigin) {
  Bitmap b = White(12, 10);
  Canvas canvas(b);
  canvas.brush.setColor(clBlue);
  canvas.brush.setStyle(BrushStyle::FDiagonal);
  canvas.FillRect({3, 3, 12, 10});
  canvas.brush.setStyle(BrushStyle::Vertical);
  canvas.FillRect({0, 0, 12, 2});
  EXPECT_EQ(Dump(b), "\nb.......b...\nb.......b...\n............\n...b.......b\n....b.......\n.....b......\n"
                     "......b.....\n.......b....\n........b...\n.........b..\n");
}

TEST(Brush, HatchStylesAndClearColourRule) {
  const struct {
    BrushStyle style;
    const char *tile;
  } rows[] = {{BrushStyle::Horizontal, "bbbb|....|....|...."},
              {BrushStyle::Vertical, "b...|b...|b...|b..."},
              {BrushStyle::BDiagonal, "....|....|....|...."},
              {BrushStyle::Cross, "bbbb|b...|b...|b..."},
              {BrushStyle::DiagCross, "b...|.b..|..b.|...b"}};
  for (const auto &row : rows) {
    Bitmap b = White(4, 4);
    Canvas canvas(b);
    canvas.brush.setColor(clBlue);
    canvas.brush.setStyle(row.style);
    canvas.FillRect({0, 0, 4, 4});
    std::string tile = row.tile;
    std::string expected = "\n" + tile.substr(0, 4) + "\n" + tile.substr(5, 4) + "\n" + tile.substr(10, 4) + "\n" +
                           tile.substr(15, 4) + "\n";
    EXPECT_EQ(Dump(b), expected) << int(row.style);
  }
  Brush brush;
  brush.setStyle(BrushStyle::Clear);
  brush.setColor(clRed);
  EXPECT_EQ(brush.style(), BrushStyle::Solid);
  brush.setStyle(BrushStyle::Cross);
  brush.setColor(clBlue);
  EXPECT_EQ(brush.style(), BrushStyle::Cross);
}

TEST(Brush, PatternTileRepeatsFromTheOriginInEveryFill) {
  Bitmap tile = White(8, 8);
  tile.setPixel(0, 0, clRed);
  tile.setPixel(7, 1, clBlue);
  Bitmap b = White(20, 20);
  Canvas canvas(b);
  canvas.brush.setPattern(tile);
  canvas.FillRect({5, 5, 20, 20});
  EXPECT_EQ(b.pixel(8, 8), clRed);
  EXPECT_EQ(b.pixel(16, 16), clRed);
  EXPECT_EQ(b.pixel(15, 9), clBlue);
  EXPECT_EQ(b.pixel(0, 0), clWhite);
  EXPECT_EQ(Count(b, clRed), 4);
  // figure fills use it too
  canvas.pen.style = PenStyle::Clear;
  canvas.Ellipse(-40, -40, 40, 40);
  EXPECT_EQ(b.pixel(0, 0), clRed);
  EXPECT_EQ(b.pixel(1, 0), clWhite);
}

TEST(Brush, PatternOfTheWrongSizeIsIgnored) {
  Brush brush;
  brush.setColor(clGreen);
  brush.setPattern(Bitmap(4, 8, PixelFormat::pf32bit, clRed));
  EXPECT_FALSE(brush.hasPattern());
  brush.setPattern(Bitmap(9, 9, PixelFormat::pf32bit, clRed));
  EXPECT_TRUE(brush.hasPattern());
  brush.setPattern(Bitmap());
  EXPECT_FALSE(brush.hasPattern());
  TColor c = 0;
  EXPECT_TRUE(brush.colorAt(3, 3, c));
  EXPECT_EQ(c, clGreen);
}

// ---- every figure drawn twice in Not Xor restores the picture

struct Figure {
  const char *name;
  std::function<void(Canvas &)> draw;
  bool filled = true;
};

class NotXorTwice : public testing::TestWithParam<Figure> {};

TEST_P(NotXorTwice, RestoresEveryPixel) {
  Bitmap b(40, 30);
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 40; ++x)
      b.setPixel(x, y, RGB(x * 6, y * 8, (x * y) & 255));
  const Bitmap before = b;
  Bitmap tile(8, 8);
  for (int i = 0; i < 8; ++i)
    tile.setPixel(i, (i * 3) % 8, clBlue);
  for (const auto &setup : std::vector<std::function<void(Canvas &)>>{
           [](Canvas &) {},
           [](Canvas &c) { c.pen.width = 5; },
           [](Canvas &c) {
             c.pen.width = 4;
             c.pen.style = PenStyle::InsideFrame;
           },
           [](Canvas &c) { c.pen.style = PenStyle::DashDot; },
           [](Canvas &c) {
             c.pen.style = PenStyle::Dot;
             c.brush.setStyle(BrushStyle::Clear);
           },
           [](Canvas &c) { c.brush.setStyle(BrushStyle::DiagCross); },
           [&tile](Canvas &c) {
             c.brush.setPattern(tile);
             c.pen.width = 2;
           },
           [](Canvas &c) { c.pen.style = PenStyle::Clear; },
       }) {
    Canvas canvas(b);
    canvas.pen.color = RGB(200, 30, 90);
    canvas.brush.setColor(RGB(10, 220, 120));
    canvas.pen.mode = PenMode::NotXor;
    setup(canvas);
    GetParam().draw(canvas);
    if (canvas.pen.style != PenStyle::Clear || GetParam().filled) {
      EXPECT_NE(b, before) << "the figure drew nothing";
    }
    GetParam().draw(canvas);
    ASSERT_EQ(b, before);
  }
}

INSTANTIATE_TEST_SUITE_P(Canvas, NotXorTwice,
                         testing::Values(Figure{"Line",
                                                [](Canvas &c) {
                                                  c.MoveTo(2, 3);
                                                  c.LineTo(35, 20);
                                                },
                                                false},
                                         Figure{"Rectangle", [](Canvas &c) { c.Rectangle(3, 4, 30, 25); }},
                                         Figure{"RoundRect", [](Canvas &c) { c.RoundRect(3, 4, 30, 25, 12, 9); }},
                                         Figure{"Ellipse", [](Canvas &c) { c.Ellipse(-5, 4, 30, 35); }},
                                         Figure{"Arc", [](Canvas &c) { c.Arc(3, 4, 30, 25, 0, 0, 30, 30); }, false},
                                         Figure{"Chord", [](Canvas &c) { c.Chord(3, 4, 36, 25, 0, 0, 30, 30); }},
                                         Figure{"Pie", [](Canvas &c) { c.Pie(3, 4, 30, 25, 30, 0, 30, 30); }},
                                         Figure{"SelfCrossingPolygon",
                                                [](Canvas &c) {
                                                  c.Polygon({{2, 2}, {35, 28}, {35, 2}, {2, 28}, {2, 2}});
                                                }},
                                         Figure{"DoublingBackPolyline",
                                                [](Canvas &c) {
                                                  c.Polyline({{2, 2}, {30, 2}, {5, 2}, {20, 20}, {2, 2}});
                                                },
                                                false},
                                         Figure{"Bezier",
                                                [](Canvas &c) {
                                                  c.PolyBezier({{2, 2}, {60, 40}, {-20, 40}, {38, 2}});
                                                },
                                                false}),
                         [](const auto &info) { return std::string(info.param.name); });

// ---- bad input: clipped or ignored, never a crash or a hang

TEST(BadInput, FarCoordinatesAreClipped) {
  Bitmap b = White(16, 16);
  Canvas canvas(b);
  canvas.brush.setColor(clRed);
  canvas.Ellipse(-(1 << 30), -(1 << 30), 1 << 30, 1 << 30);
  EXPECT_EQ(Count(b, clRed), 256);
  canvas.Rectangle(-(1 << 30), 3, 1 << 30, 8);
  EXPECT_EQ(b.pixel(0, 3), clBlack);
  EXPECT_EQ(b.pixel(15, 7), clBlack);
  EXPECT_EQ(b.pixel(7, 5), clRed);
  for (const auto &[v, u] : {std::pair{INT_MIN, INT_MAX}, std::pair{INT_MAX, INT_MIN}}) {
    canvas.Rectangle(v, v, u, u);
    canvas.RoundRect(v, 0, 5, v, v, v);
    canvas.Pie(v, v, 10, 10, v, 0, 0, v);
    canvas.Chord(u, v, v, u, 0, 0, 0, 0);
    canvas.Arc(v, v, v, v, v, v, v, v);
    canvas.Polygon({{v, v}, {0, v}, {v, 0}});
    canvas.PolyBezier({{v, v}, {0, u}, {u, 0}, {v, 0}});
    canvas.FillRect({v, v, 4, 4});
    canvas.FloodFill(v, v, clWhite);
    canvas.SetPixel(v, v, clWhite);
    canvas.Draw(v, v, b);
    canvas.CopyRect({v, v, u, 5}, b, {0, 0, 16, 16});
  }
  SUCCEED();
}

TEST(BadInput, PenWidths) {
  Bitmap b = White(16, 16), thin = White(16, 16);
  Canvas canvas(b), reference(thin);
  canvas.pen.width = 0;
  canvas.Rectangle(2, 2, 9, 9);
  reference.Rectangle(2, 2, 9, 9);
  EXPECT_EQ(b, thin) << "width 0 draws as 1";
  canvas.pen.width = -7;
  canvas.MoveTo(0, 12);
  canvas.LineTo(10, 12);
  EXPECT_EQ(Count(b, clBlack), Count(thin, clBlack) + 10);
  canvas.pen.width = 100000;
  canvas.pen.color = clBlue;
  canvas.Rectangle(5, 5, 6, 6);
  EXPECT_EQ(Count(b, clBlue), 256);
  canvas.pen.color = clRed;
  canvas.Ellipse(5, 5, 6, 6);
  canvas.MoveTo(0, 0);
  canvas.LineTo(1, 1);
  canvas.Polyline({{0, 0}, {15, 15}, {0, 15}});
  EXPECT_EQ(Count(b, clRed), 256);
}

TEST(BadInput, PolygonSizes) {
  Bitmap b = White(64, 64);
  const Bitmap blank = b;
  Canvas canvas(b);
  canvas.brush.setColor(clRed);
  canvas.Polygon({});
  canvas.Polygon({{3, 3}});
  canvas.Polyline({{3, 3}});
  EXPECT_EQ(b, blank);
  std::vector<TPoint> many;
  many.reserve(1000000);
  for (int i = 0; i < 1000000; ++i) {
    const double a = i * 2 * std::numbers::pi / 1000000;
    many.push_back({int(32 + 30 * std::cos(a)), int(32 + 30 * std::sin(a) + (i % 2))});
  }
  canvas.Polygon(many);
  EXPECT_EQ(b.pixel(32, 32), clRed);
  EXPECT_EQ(b.pixel(1, 1), clWhite);
  canvas.pen.width = 3;
  canvas.Polyline(many);
  EXPECT_EQ(b.pixel(62, 32), clBlack);
}

} // namespace
