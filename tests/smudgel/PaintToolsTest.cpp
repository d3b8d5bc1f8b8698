// What the shape, effect, selection and text tools leave on the image.

#include "PaintFixture.h"

#include "smudgel/PaintGeometry.h"

using namespace corvana;
using namespace corvana::smudgel;
using namespace corvana::smudgel::test;
using corvana::test::Count;

namespace {

using Tools = PaintFixture;

TEST_F(Tools, PentagramCentreStaysUnfilledAndPolygonFillsIt) {
  size(100, 100);
  canvas().brush.setColor(clRed);
  state().tool = "star";
  press(50, 50);
  move(50, 30);
  move(50, 10);
  release(50, 10);
  EXPECT_EQ(image().pixel(50, 50), clWhite); // even-odd: the inner pentagon is outside
  EXPECT_EQ(image().pixel(50, 20), clRed);   // inside a point
  EXPECT_EQ(image().pixel(50, 10), clBlack); // the first vertex
  EXPECT_CONSISTENT(model);

  size(100, 100);
  canvas().brush.setColor(clRed);
  model.togglePolygon();
  drag(50, 50, 50, 10);
  EXPECT_EQ(image().pixel(50, 50), clRed);
  // the rubber-band line is gone: along it only the outline and the fill show
  EXPECT_EQ(Count(image(), clRed) + Count(image(), clBlack) + Count(image(), clWhite), 100 * 100);
  EXPECT_CONSISTENT(model);
}

TEST_F(Tools, ThreeConcentricStars) {
  for (int count : {1, 3}) {
    size(100, 100);
    canvas().brush.setStyle(BrushStyle::Clear);
    state().shapeCount = count;
    state().tool = "star";
    drag(50, 50, 50, 20);
    // first vertices at a third, two thirds and the whole distance
    if (count == 3) {
      EXPECT_EQ(image().pixel(50, 40), clBlack);
    }
    EXPECT_EQ(image().pixel(50, 30), count == 3 ? clBlack : clWhite);
    EXPECT_EQ(image().pixel(50, 20), clBlack);
  }
  Bitmap expected(100, 100);
  {
    Canvas reference(expected);
    reference.brush.setStyle(BrushStyle::Clear);
    for (const TPoint &first : ConcentricStarStarts({50, 50}, {50, 20}, 3))
      reference.Polygon(StarVertices({50, 50}, first, 5, false));
  }
  EXPECT_EQ(image(), expected);
}

TEST_F(Tools, VerticalDragForStarAndSpiral) {
  for (const char *tool : {"star", "spiral"}) {
    size(100, 100);
    state().tool = tool;
    drag(50, 50, 50, 90);
    EXPECT_GT(Count(image(), clBlack), 40) << tool;
    EXPECT_CONSISTENT(model);
  }
  // the spiral left the press point in hundredths of a pixel
  EXPECT_EQ(state().startPt, (TPoint{5000, 5000}));
}

TEST_F(Tools, SpiralStartsAtTheReleasePointAndWindsInwards) {
  size(200, 200);
  model.setSpiralTurns(1);
  model.setSpiralFactor(0.95);
  state().tool = "spiral";
  drag(100, 100, 180, 100);
  EXPECT_EQ(image().pixel(180, 100), clBlack);
  EXPECT_EQ(image().pixel(100, 100), clWhite);
  // the band from the centre is erased: halfway along it nothing is left
  EXPECT_EQ(image().pixel(130, 100), clWhite);
  EXPECT_CONSISTENT(model);
}

TEST_F(Tools, SymmetryWithFourCopiesFromTheCentre) {
  size(100, 100);
  model.setStarPoints(4);
  state().tool = "sym";
  press(50, 50);
  move(60, 50);
  release(60, 50);
  for (const TPoint p : {TPoint{55, 50}, {50, 55}, {45, 50}, {50, 45}})
    EXPECT_EQ(image().pixel(p.x, p.y), clBlack) << p.x << "," << p.y;
  EXPECT_EQ(Count(image(), clBlack), 4 * 10 - 3); // the four share the centre
  EXPECT_EQ(state().symPts[1], (TPoint{50, 60}));
}

TEST_F(Tools, VMirrorReflectsAtTheWidth) {
  size(100, 3);
  state().tool = "vmirror";
  press(10, 1);
  move(12, 1);
  release(12, 1);
  EXPECT_EQ(image().pixel(10, 1), clBlack);
  EXPECT_EQ(image().pixel(11, 1), clBlack);
  EXPECT_EQ(image().pixel(90, 1), clBlack);
  EXPECT_EQ(image().pixel(89, 1), clBlack);
  EXPECT_EQ(Count(image(), clBlack), 4);
}

TEST_F(Tools, Mirror4DrawsFourStrokes) {
  size(20, 10);
  state().tool = "mirror4";
  press(2, 2);
  move(4, 2);
  release(4, 2);
  EXPECT_EQ(dump(), "\n"
                    "....................\n"
                    "....................\n"
                    "..##.............##.\n"
                    "....................\n"
                    "....................\n"
                    "....................\n"
                    "....................\n"
                    "....................\n"
                    "..##.............##.\n"
                    "....................\n");
}

TEST_F(Tools, BlocksFillWholeCellsAlsoJustLeftOfTheImage) {
  size(64, 64);
  canvas().brush.setColor(clRed);
  state().tool = "blocks";
  press(-7, 3);
  move(-1, 3);
  release(-1, 3);
  EXPECT_EQ(Count(image(), clRed), 64);
  EXPECT_EQ(image().pixel(7, 7), clRed);
  EXPECT_EQ(image().pixel(8, 0), clWhite);
  drag(40, 40, 40, 40);
  EXPECT_EQ(image().pixel(47, 47), clRed);
  EXPECT_EQ(Count(image(), clRed), 128);
  // a grid finer than the image has no cells to fill
  size(5, 64);
  drag(1, 1, 2, 2);
  EXPECT_EQ(Count(image(), clRed), 0);
  EXPECT_CONSISTENT(model);
}

TEST_F(Tools, SprayDrawsTenDotsFromTheRandomSource) {
  size(40, 40);
  canvas().brush.setColor(clBlue);
  state().tool = "spray";
  press(20, 20);
  // dx then dy for each dot: 0 and 29 are the extremes -15 and +14
  randoms = {0, 0, 29, 29, 15, 15, 15, 16, 16, 15, 0, 29, 29, 0, 15, 0, 0, 15, 14, 14};
  move(20, 20);
  for (const TPoint p :
       {TPoint{5, 5}, {34, 34}, {20, 20}, {20, 21}, {21, 20}, {5, 34}, {34, 5}, {20, 5}, {5, 20}, {19, 19}})
    EXPECT_EQ(image().pixel(p.x, p.y), clBlue) << p.x << "," << p.y;
  EXPECT_EQ(Count(image(), clBlue), 10);
  release(20, 20);
  EXPECT_CONSISTENT(model);
}

TEST_F(Tools, StraightLineTurnsBeyondTheTolerance) {
  size(30, 20);
  state().tool = "sline";
  press(2, 2);
  move(12, 5);
  EXPECT_EQ(state().slineDir, "h");
  move(12, 13);
  EXPECT_EQ(state().slineDir, "v");
  release(12, 13);
  EXPECT_EQ(Count(image(), clBlack), 10 + 11);
  EXPECT_EQ(image().pixel(2, 2), clBlack);
  EXPECT_EQ(image().pixel(12, 12), clBlack);
  EXPECT_EQ(image().pixel(12, 5), clBlack);
}

TEST_F(Tools, NestedRectanglesStepInwards) {
  size(40, 20);
  canvas().brush.setStyle(BrushStyle::Clear);
  state().shapeCount = 2;
  state().tool = "rectangle";
  drag(0, 0, 40, 20);
  EXPECT_EQ(image().pixel(0, 0), clBlack);
  EXPECT_EQ(image().pixel(10, 5), clBlack); // the copy at (10, 5) - (30, 15)
  EXPECT_EQ(image().pixel(29, 14), clBlack);
  EXPECT_EQ(image().pixel(30, 15), clWhite);
  EXPECT_CONSISTENT(model);
}

TEST_F(Tools, PasteColorExaminesTheBoundsIncluded) {
  size(12, 12);
  model.setSwatchFill(clRed);
  model.surface().SetPixel(3, 0, clRed); // on the right bound
  model.surface().SetPixel(3, 3, clRed); // on the corner
  model.surface().SetPixel(1, 1, clBlue);
  model.surface().SetPixel(4, 4, clRed); // outside
  state().clipRect = {0, 0, 3, 3};
  state().tool = "pastecolor";
  click(6, 6);
  EXPECT_EQ(image().pixel(9, 6), clRed);
  EXPECT_EQ(image().pixel(9, 9), clRed);
  EXPECT_EQ(image().pixel(7, 7), clWhite);
  EXPECT_EQ(Count(image(), clRed), 5);

  // inverted: the destination is XORed with the key
  state().tool = "pastecolorx";
  click(8, 0);
  EXPECT_EQ(image().pixel(11, 0), clWhite ^ clRed);
  EXPECT_EQ(image().pixel(11, 3), clWhite ^ clRed);

  // a selection dragged up and left does nothing
  const Bitmap before = image();
  state().clipRect = {3, 3, 0, 0};
  state().tool = "pastecolor";
  click(0, 6);
  EXPECT_EQ(image(), before);
  EXPECT_CONSISTENT(model);
}

TEST_F(Tools, PasteCopiesTheSelectionAndNormalisesIt) {
  size(8, 6);
  model.surface().SetPixel(0, 0, clRed);
  model.surface().SetPixel(1, 1, clBlue);
  state().clipRect = {2, 2, 0, 0};
  state().tool = "paste";
  click(4, 3);
  EXPECT_EQ(dump(), "\n"
                    "r.......\n"
                    ".b......\n"
                    "........\n"
                    "....r...\n"
                    ".....b..\n"
                    "........\n");
  // with Shift held every move stamps a copy
  press(5, 0);
  move(6, 0, Qt::ShiftModifier);
  move(2, 4);
  release(6, 0);
  EXPECT_EQ(image().pixel(6, 0), clRed);
  EXPECT_EQ(image().pixel(2, 4), clWhite);
  EXPECT_CONSISTENT(model);
}

TEST_F(Tools, PasteCombinesByTheCopyMode) {
  size(4, 2);
  model.surface().SetPixel(0, 0, clRed);
  model.surface().SetPixel(2, 0, clBlue);
  canvas().copyMode = cmSrcInvert;
  state().clipRect = {0, 0, 1, 1};
  state().tool = "paste";
  click(2, 0);
  EXPECT_EQ(image().pixel(2, 0), clRed ^ clBlue);
  EXPECT_CONSISTENT(model);
}

TEST_F(Tools, PasteMaskAndMaskClipUseTheSwatchFillAsKey) {
  size(6, 4);
  model.surface().SetPixel(0, 0, clRed);
  model.surface().SetPixel(1, 1, clRed);
  model.setSwatchFill(clRed);
  state().clipRect = {0, 0, 2, 2};
  model.setPasteMode("pastemask");
  state().tool = state().pasteMode;
  click(3, 1);
  EXPECT_EQ(dump(), "\n"
                    "r.....\n"
                    ".r..#.\n"
                    "...#..\n"
                    "......\n");
  EXPECT_EQ(image().pixel(3, 1), clWhite);
  EXPECT_EQ(image().pixel(4, 1), clBlack);
  model.maskClip();
  EXPECT_EQ(image().pixel(0, 0), clWhite);
  EXPECT_EQ(image().pixel(1, 0), clBlack);
  EXPECT_CONSISTENT(model);
}

TEST_F(Tools, FillSelectionUsesTheBrush) {
  size(6, 4);
  canvas().brush.setColor(clBlue);
  state().clipRect = {1, 1, 3, 3};
  model.fillSelection();
  EXPECT_EQ(Count(image(), clBlue), 4);
  EXPECT_CONSISTENT(model);
}

TEST_F(Tools, PickPaintSetsTheSwatchNotTheBrush) {
  size(10, 10);
  model.surface().SetPixel(4, 4, clLime);
  state().tool = "paintpick";
  click(4, 4);
  EXPECT_EQ(model.swatchFill(), clLime);
  EXPECT_EQ(canvas().brush.color(), clWhite);
  EXPECT_EQ(state().tool, "");
  // outside the image there is nothing to pick
  state().tool = "paintpick";
  click(-3, 50);
  EXPECT_EQ(model.swatchFill(), clLime);
}

TEST_F(Tools, FloodFillFillsTheSurfaceUnderTheRelease) {
  size(10, 10);
  state().tool = "line";
  drag(0, 5, 10, 5);
  canvas().brush.setColor(clYellow);
  state().tool = "floodfill";
  click(3, 2);
  EXPECT_EQ(Count(image(), clYellow), 50);
  click(-1, -1);
  EXPECT_EQ(Count(image(), clYellow), 50);
  model.goUndo();
  EXPECT_EQ(Count(image(), clYellow), 50); // the last press was outside; its snapshot holds the fill
  model.goUndo();
  EXPECT_EQ(Count(image(), clYellow), 0);
  EXPECT_CONSISTENT(model);
}

TEST_F(Tools, ShadowTextStandsOffsetFromItsShadow) {
  size(80, 30);
  state().paintText = "Ab";
  state().textFont.color = clRed;
  canvas().brush.setStyle(BrushStyle::Clear);
  state().tool = "shadowtext";
  press(10, 8);
  release(40, 20);
  Bitmap expected(80, 30);
  {
    Canvas reference(expected);
    reference.brush.setStyle(BrushStyle::Clear);
    reference.font = state().textFont;
    reference.font.color = 0x00C0C0C0;
    reference.TextOut(10, 8, "Ab");
    reference.font.color = clRed;
    reference.TextOut(8, 6, "Ab");
  }
  EXPECT_EQ(image(), expected);
  EXPECT_GT(Count(image(), clRed), 0);
  EXPECT_GT(Count(image(), clSilver), 0);
  EXPECT_CONSISTENT(model);

  // plain text at the press point in the font's colour
  size(80, 30);
  state().tool = "text";
  press(5, 5);
  release(70, 25);
  Bitmap plain(80, 30);
  {
    Canvas reference(plain);
    reference.brush.setStyle(BrushStyle::Clear);
    reference.font = state().textFont;
    reference.TextOut(5, 5, "Ab");
  }
  EXPECT_EQ(image(), plain);
  EXPECT_CONSISTENT(model);
}

} // namespace
