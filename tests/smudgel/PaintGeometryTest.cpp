#include "smudgel/PaintGeometry.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <ostream>

namespace corvana {
inline void PrintTo(const TPoint &p, std::ostream *os) { *os << "(" << p.x << ", " << p.y << ")"; }
inline void PrintTo(const TRect &r, std::ostream *os) {
  *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}
} // namespace corvana

using namespace corvana;
using namespace corvana::smudgel;

namespace {

constexpr double Pi = std::numbers::pi;

struct TransformRow {
  const char *name;
  TPoint centre, p;
  bool isRotate;
  double value;
  TPoint expected;
};

void PrintTo(const TransformRow &row, std::ostream *os) { *os << row.name; }

class PointTransform : public testing::TestWithParam<TransformRow> {};

TEST_P(PointTransform, GivesTheRoundedPoint) {
  const TransformRow &row = GetParam();
  const TPoint got = row.isRotate ? rotate(row.centre, row.p, row.value) : reducevector(row.centre, row.p, row.value);
  EXPECT_EQ(got, row.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, PointTransform,
    testing::Values(TransformRow{"quarter_turn_is_clockwise_on_screen", {0, 0}, {10, 0}, true, Pi / 2, {0, 10}},
                    TransformRow{"half_turn", {5, 5}, {15, 5}, true, Pi, {-5, 5}},
                    // dx = 0 becomes 0.001, so a vertical vector keeps its direction and length
                    TransformRow{"vertical_vector_down", {0, 0}, {0, 10}, true, 0, {0, 10}},
                    TransformRow{"vertical_vector_up", {0, 0}, {0, -10}, true, 0, {0, -10}},
                    TransformRow{"vertical_vector_turned", {0, 0}, {0, 10}, true, Pi / 2, {-10, 0}},
                    TransformRow{"zero_vector_stays", {7, 7}, {7, 7}, true, 1.0, {7, 7}},
                    TransformRow{"reduce_to_half", {0, 0}, {10, 20}, false, 0.5, {5, 10}},
                    TransformRow{"reduce_vertical", {3, 3}, {3, 43}, false, 0.25, {3, 13}},
                    // 2.5 and 3.5: halves go to the even neighbour
                    TransformRow{"half_to_even_down", {0, 0}, {5, 0}, false, 0.5, {2, 0}},
                    TransformRow{"half_to_even_up", {0, 0}, {7, 0}, false, 0.5, {4, 0}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(RoundHalfEven, HalvesAndLimits) {
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(1.5), 2);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(2.6), 3);
  EXPECT_EQ(RoundHalfEven(1e30), INT_MAX);
  EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
}

struct SkipRow {
  const char *name;
  int points;
  bool polygon;
  int skip;
};

void PrintTo(const SkipRow &row, std::ostream *os) { *os << row.name; }

class StarSkipTable : public testing::TestWithParam<SkipRow> {};

TEST_P(StarSkipTable, Skip) { EXPECT_EQ(StarSkip(GetParam().points, GetParam().polygon), GetParam().skip); }

INSTANTIATE_TEST_SUITE_P(Rows, StarSkipTable,
                         testing::Values(SkipRow{"three", 3, false, 1}, SkipRow{"five", 5, false, 2},
                                         SkipRow{"six", 6, false, 1}, SkipRow{"seven", 7, false, 3},
                                         SkipRow{"nine", 9, false, 4}, SkipRow{"eleven", 11, false, 5},
                                         SkipRow{"twelve", 12, false, 1}, SkipRow{"five_polygon", 5, true, 1},
                                         SkipRow{"seven_polygon", 7, true, 1}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(StarVertices, PentagramVisitsEverySecondCorner) {
  const std::vector<TPoint> star = StarVertices({50, 50}, {50, 10}, 5, false);
  const std::vector<TPoint> pentagon = StarVertices({50, 50}, {50, 10}, 5, true);
  ASSERT_EQ(star.size(), 5u);
  ASSERT_EQ(pentagon.size(), 5u);
  // the same five corners in the order 0, 2, 4, 1, 3, each off by the rounding of the vertex
  // it was turned from at most
  const auto near = [](TPoint a, TPoint b) { return std::abs(a.x - b.x) <= 1 && std::abs(a.y - b.y) <= 1; };
  EXPECT_TRUE(near(star[1], pentagon[2]));
  EXPECT_TRUE(near(star[2], pentagon[4]));
  EXPECT_TRUE(near(star[3], pentagon[1]));
  EXPECT_TRUE(near(star[4], pentagon[3]));
  EXPECT_EQ(star[1], (TPoint{74, 82}));
  EXPECT_EQ(pentagon[1], (TPoint{88, 38}));
}

TEST(StarVertices, VerticalFirstVertexGivesDistinctCorners) {
  const std::vector<TPoint> v = StarVertices({20, 20}, {20, 0}, 4, false);
  EXPECT_EQ(v, (std::vector<TPoint>{{20, 0}, {40, 20}, {20, 40}, {0, 20}}));
}

TEST(ConcentricStars, ThirdsOfTheDistance) {
  EXPECT_EQ(ConcentricStarStarts({0, 0}, {30, 0}, 3), (std::vector<TPoint>{{10, 0}, {20, 0}, {30, 0}}));
  EXPECT_EQ(ConcentricStarStarts({10, 10}, {10, 40}, 3), (std::vector<TPoint>{{10, 20}, {10, 30}, {10, 40}}));
}

TEST(Spiral, OneTurnIsThirtySixSegmentsShrinkingByTheFactor) {
  const TPoint centre{100, 100};
  const std::vector<TPoint> v = SpiralPoints({centre.x * 100, centre.y * 100}, {200, 100}, 1, 0.95, +1);
  ASSERT_EQ(v.size(), 36u);
  const double r = std::hypot(v.back().x - centre.x, v.back().y - centre.y);
  EXPECT_NEAR(r, 100 * std::pow(0.95, 36), 1.0); // about 0.16 of the start radius
  // clockwise on screen: the first step goes down from the start direction
  EXPECT_GT(v.front().y, centre.y);
  EXPECT_EQ(SpiralPoints({0, 0}, {10, 0}, 3, 0.99, -1).size(), 108u);
  const std::vector<TPoint> left = SpiralPoints({centre.x * 100, centre.y * 100}, {200, 100}, 1, 0.95, -1);
  EXPECT_LT(left.front().y, centre.y);
}

TEST(Spiral, VerticalStartIsWellDefined) {
  const std::vector<TPoint> v = SpiralPoints({5000, 5000}, {50, 90}, 1, 0.99, +1);
  ASSERT_EQ(v.size(), 36u);
  // a quarter turn (nine steps of ten degrees) from straight down points left
  EXPECT_LT(v[8].x, 50 - 30);
  EXPECT_NEAR(v[8].y, 50, 2);
}

TEST(Symmetry, FourSeedsFromTheCentreAreTheCentre) {
  std::array<TPoint, 13> seeds{};
  SetSymmetricSeeds(seeds, {50, 50}, {50, 50}, 4);
  for (int i = 0; i < 4; ++i)
    EXPECT_EQ(seeds[size_t(i)], (TPoint{50, 50}));
  SetSymmetricSeeds(seeds, {50, 50}, {60, 50}, 4);
  EXPECT_EQ(seeds[1], (TPoint{50, 60}));
  EXPECT_EQ(seeds[2], (TPoint{40, 50}));
  EXPECT_EQ(seeds[3], (TPoint{50, 40}));
}

struct MirrorRow {
  const char *name;
  const char *tool;
  std::vector<Stroke> strokes;
};

void PrintTo(const MirrorRow &row, std::ostream *os) { *os << row.name; }

class MirrorTable : public testing::TestWithParam<MirrorRow> {};

TEST_P(MirrorTable, Strokes) {
  // a 100 x 80 image, stroke (10, 5) -> (12, 6)
  EXPECT_EQ(MirrorStrokes(GetParam().tool, 100, 80, {10, 5}, {12, 6}), GetParam().strokes);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MirrorTable,
    testing::Values(MirrorRow{"vmirror", "vmirror", {{{90, 5}, {88, 6}}}},
                    MirrorRow{"hmirror", "hmirror", {{{10, 75}, {12, 74}}}},
                    MirrorRow{"cmirror", "cmirror", {{{90, 75}, {88, 74}}}},
                    MirrorRow{"mirror4", "mirror4", {{{90, 75}, {88, 74}}, {{90, 5}, {88, 6}}, {{10, 75}, {12, 74}}}},
                    MirrorRow{"other_tool", "freehand", {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(Sline, TurnsOnlyBeyondTheTolerance) {
  QString dir = "none";
  TPoint last{0, 0};
  // 10 right and 3 down: horizontal
  EXPECT_EQ(SlineStep(dir, {0, 0}, last, {10, 3}, 5), (TPoint{10, 0}));
  EXPECT_EQ(dir, "h");
  // 3 more down stays horizontal (within 5 of the segment's line)
  EXPECT_EQ(SlineStep(dir, {0, 0}, last, {12, 5}, 5), (TPoint{12, 0}));
  // then 8 down: vertical from the segment's end
  EXPECT_EQ(SlineStep(dir, {0, 0}, last, {12, 8}, 5), (TPoint{12, 8}));
  EXPECT_EQ(dir, "v");
  // a first move that goes more down than across starts vertical
  QString dir2 = "none";
  TPoint last2{0, 0};
  EXPECT_EQ(SlineStep(dir2, {0, 0}, last2, {2, 9}, 5), (TPoint{0, 9}));
  EXPECT_EQ(dir2, "v");
}

// The usual first mouse move stays inside the tolerance, where only the first choice of axis
// decides the segment: it follows the axis the pointer moved along most.
TEST(Sline, AFirstSmallMoveTakesTheAxisItMovedAlongMost) {
  const struct {
    TPoint pointer;
    const char *dir;
    TPoint last;
  } rows[] = {{{3, 1}, "h", {3, 0}}, {{1, 3}, "v", {0, 3}}, {{-2, 2}, "h", {-2, 0}}, {{0, -1}, "v", {0, -1}}};
  for (const auto &row : rows) {
    QString dir = "none";
    TPoint last{0, 0};
    EXPECT_EQ(SlineStep(dir, {0, 0}, last, row.pointer, 5), row.last) << row.pointer.x << "," << row.pointer.y;
    EXPECT_EQ(dir, row.dir);
  }
}

struct BlockRow {
  const char *name;
  int x, y, w, h, count;
  TRect cell;
};

void PrintTo(const BlockRow &row, std::ostream *os) { *os << row.name; }

class BlockTable : public testing::TestWithParam<BlockRow> {};

TEST_P(BlockTable, Cell) {
  const BlockRow &r = GetParam();
  EXPECT_EQ(pointtoblock(r.x, r.y, r.w, r.h, r.count), r.cell);
}

INSTANTIATE_TEST_SUITE_P(Rows, BlockTable,
                         testing::Values(BlockRow{"origin", 0, 0, 64, 64, 8, {0, 0, 8, 8}},
                                         BlockRow{"inner", 20, 63, 64, 64, 8, {16, 56, 24, 64}},
                                         BlockRow{"just_left_of_image", -7, 3, 64, 64, 8, {0, 0, 8, 8}},
                                         BlockRow{"one_left_of_image", -1, 9, 64, 64, 8, {0, 8, 8, 16}},
                                         BlockRow{"a_full_cell_left", -8, 0, 64, 64, 8, {-8, 0, 0, 8}},
                                         BlockRow{"uneven_image", 50, 50, 100, 70, 8, {48, 48, 60, 56}},
                                         BlockRow{"grid_finer_than_image", 1, 1, 5, 64, 8, {0, 0, 0, 0}}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(NestedRects, StepInwardsTruncatingTowardsZero) {
  EXPECT_TRUE(NestedRects({0, 0}, {100, 50}, 1).empty());
  EXPECT_EQ(NestedRects({0, 0}, {100, 50}, 3), (std::vector<TRect>{{16, 8, 84, 42}, {32, 16, 68, 34}}));
  // dragged up and left: the steps are negative
  EXPECT_EQ(NestedRects({100, 50}, {0, 0}, 2), (std::vector<TRect>{{75, 38, 25, 12}}));
}

} // namespace
