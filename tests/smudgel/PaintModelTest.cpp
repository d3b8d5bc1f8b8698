// The mouse dispatch, the stage machines, undo and the parameter commands of the paint model.

#include "PaintFixture.h"

#include "platform/Errors.h"

#include <QRandomGenerator>
#include <functional>
#include <ostream>

using namespace corvana;
using namespace corvana::smudgel;
using namespace corvana::smudgel::test;

namespace {

using Paint = PaintFixture;

TEST_F(Paint, StartsWithTheInitialState) {
  const PaintState &s = state();
  EXPECT_EQ(s.tool, "line");
  EXPECT_EQ(model.undoIndex(), 1);
  EXPECT_EQ(image(), Bitmap(256, 256));
  EXPECT_FALSE(s.dragging);
  EXPECT_EQ(s.slineDir, "none");
  EXPECT_EQ(s.slineTolerance, 5);
  EXPECT_EQ(s.clipRect, (TRect{0, 0, 0, 0}));
  EXPECT_EQ(s.pasteMode, "paste");
  EXPECT_EQ(s.blockCount, 8);
  EXPECT_EQ(s.rounding, 10);
  EXPECT_EQ(s.shapeCount, 1);
  EXPECT_EQ(s.starPoints, 5);
  EXPECT_EQ(s.spiralTurns, 3);
  EXPECT_EQ(s.spiralFactor, 0.99);
  EXPECT_EQ(s.spiralDir, 1);
  EXPECT_EQ(s.paintText, "Smudgel");
  EXPECT_EQ(s.shadowDx, -2);
  EXPECT_EQ(s.shadowDy, -2);
  EXPECT_EQ(s.shadowColor, 0x00C0C0C0u);
  EXPECT_EQ(s.buttonWidth, 88);
  EXPECT_EQ(s.buttonHeight, 31);
  EXPECT_EQ(s.buttonColor, 0x00C0C0C0u);
  EXPECT_FALSE(s.polygon);
  EXPECT_EQ(s.textFont.name, canvas().font.name);
  EXPECT_EQ(canvas().pen.color, clBlack);
  EXPECT_EQ(canvas().pen.width, 1);
  EXPECT_EQ(canvas().pen.style, PenStyle::Solid);
  EXPECT_EQ(canvas().pen.mode, PenMode::Copy);
  EXPECT_EQ(canvas().brush.color(), clWhite);
  EXPECT_EQ(canvas().brush.style(), BrushStyle::Solid);
  EXPECT_EQ(canvas().copyMode, cmSrcCopy);
  EXPECT_EQ(model.swatchFill(), clWhite);
  EXPECT_CONSISTENT(model);
}

TEST_F(Paint, UndoBeforeAnyPressGivesTheBlankSnapshot) {
  model.goUndo();
  EXPECT_EQ(image(), Bitmap(250, 250));
  EXPECT_EQ(model.undoIndex(), 5);
  EXPECT_CONSISTENT(model);
}

TEST_F(Paint, NewThenStrokeThenUndoKeepsTheNewSize) {
  dialogs.expectInput("100", "Image height:").expectInput("100", "Image width:");
  model.newImage();
  drag(10, 10, 60, 40);
  EXPECT_EQ(corvana::test::Count(image(), clBlack), 50);
  model.goUndo();
  EXPECT_EQ(image(), Bitmap(100, 100));
  EXPECT_CONSISTENT(model);
}

TEST_F(Paint, NewAsksHeightFirstAndFallsBackToHundred) {
  dialogs.expectInput("40", "Image height:").expectInput("70", "Image width:");
  model.newImage();
  EXPECT_EQ(image().width(), 70);
  EXPECT_EQ(image().height(), 40);
  dialogs.expectInput("tall", "Image height:").expectInput("wide", "Image width:");
  canvas().pen.style = PenStyle::Dot;
  canvas().brush.setStyle(BrushStyle::Clear);
  model.newImage();
  EXPECT_EQ(image(), Bitmap(100, 100));
  EXPECT_EQ(canvas().pen.style, PenStyle::Solid);
  EXPECT_EQ(canvas().brush.style(), BrushStyle::Solid);
  // every snapshot follows the new size
  for (int i = 0; i < 5; ++i)
    model.goUndo();
  EXPECT_EQ(image(), Bitmap(100, 100));
}

TEST_F(Paint, NewRefusesSizesTheBitmapCannotHave) {
  dialogs.expectInput("0", "Image height:").expectInput("50", "Image width:");
  EXPECT_THROW(model.newImage(), Error);
  EXPECT_EQ(image().width(), 256);
  EXPECT_CONSISTENT(model);
}

TEST_F(Paint, SixUndosAfterSixPressesComeBackToTheFirstUndo) {
  size(20, 20);
  for (int i = 0; i < 6; ++i)
    drag(0, 3 * i, 19, 3 * i);
  model.goUndo();
  const Bitmap first = image();
  EXPECT_EQ(corvana::test::Count(first, clBlack), 5 * 19);
  for (int i = 0; i < 4; ++i)
    model.goUndo();
  EXPECT_EQ(corvana::test::Count(image(), clBlack), 1 * 19);
  model.goUndo();
  EXPECT_EQ(image(), first);
  EXPECT_CONSISTENT(model);
}

struct LineModeRow {
  const char *name;
  PenMode mode;
  const char *picture;
};

void PrintTo(const LineModeRow &row, std::ostream *os) { *os << row.name; }

class LineModes : public PaintFixture, public testing::WithParamInterface<LineModeRow> {};

// Red pen on blue: the rubber band (Not Xor) shows lime, the pen red.
TEST_P(LineModes, FinalLine) {
  size(8, 3);
  fill(clBlue);
  canvas().pen.color = clRed;
  canvas().pen.mode = GetParam().mode;
  press(1, 1);
  move(4, 1);
  move(6, 1);
  release(6, 1);
  EXPECT_EQ(dump(), GetParam().picture);
  EXPECT_EQ(canvas().pen.mode, GetParam().mode);
  EXPECT_CONSISTENT(model);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, LineModes,
    testing::Values(LineModeRow{"copy_draws_over_the_band", PenMode::Copy, "\nbbbbbbbb\nbrrrrrbb\nbbbbbbbb\n"},
                    LineModeRow{"not_xor_keeps_the_band", PenMode::NotXor, "\nbbbbbbbb\nbgggggbb\nbbbbbbbb\n"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Paint, ChordInNotXorErasesTheBandAndDrawsTheChordInNotXor) {
  size(30, 24);
  fill(clBlue);
  Bitmap expected = image();
  {
    Canvas reference(expected);
    reference.pen.mode = PenMode::NotXor;
    reference.Chord(2, 2, 26, 20, 26, 11, 2, 11);
  }
  canvas().pen.mode = PenMode::NotXor;
  state().tool = "chord";
  drag(2, 2, 26, 20);
  EXPECT_EQ(state().tool, "chord1");
  EXPECT_EQ(state().arcRect, (TRect{2, 2, 26, 20}));
  EXPECT_NE(image().pixel(14, 2), clBlue); // the rubber-band ellipse stays meanwhile
  click(26, 11);
  EXPECT_EQ(state().tool, "chord2");
  click(2, 11);
  EXPECT_EQ(state().tool, "chord3");
  EXPECT_EQ(image(), expected);
  EXPECT_CONSISTENT(model);
}

TEST_F(Paint, PieInCopyModeErasesTheBandAndDrawsThePie) {
  size(30, 24);
  fill(clBlue);
  canvas().pen.color = clRed;
  canvas().brush.setColor(clYellow);
  Bitmap expected = image();
  {
    Canvas reference(expected);
    reference.pen.color = clRed;
    reference.brush.setColor(clYellow);
    reference.Pie(2, 2, 26, 20, 26, 11, 14, 2);
  }
  state().tool = "pie";
  press(2, 2);
  move(10, 10);
  move(26, 20);
  release(26, 20);
  click(26, 11);
  click(14, 2);
  EXPECT_EQ(image(), expected);
  EXPECT_CONSISTENT(model);
}

TEST_F(Paint, PressInThirdStageStartsANewFigure) {
  size(40, 40);
  for (const char *base : {"arc", "chord", "pie"}) {
    state().tool = base;
    drag(1, 1, 20, 20);
    click(20, 10);
    click(1, 10);
    ASSERT_EQ(state().tool, QString(base) + "3");
    press(5, 6);
    EXPECT_EQ(state().tool, base);
    move(30, 33);
    release(30, 33);
    EXPECT_EQ(state().tool, QString(base) + "1");
    EXPECT_EQ(state().arcRect, (TRect{5, 6, 30, 33}));
    // another tool chosen in stage 1 leaves the band; the next figure starts afresh
    state().tool = "line";
  }
  EXPECT_CONSISTENT(model);
}

TEST_F(Paint, BezierTakesThreeDrags) {
  size(40, 30);
  fill(clBlue);
  canvas().pen.color = clRed;
  state().tool = "bezier";
  press(2, 25);
  move(20, 25);
  move(37, 25);
  release(37, 25);
  EXPECT_EQ(state().tool, "bezier1");
  press(5, 3);
  EXPECT_EQ(state().bezierPts[1], (TPoint{5, 3}));
  move(8, 2);
  release(8, 2);
  EXPECT_EQ(state().tool, "bezier2");
  press(30, 4);
  move(32, 2);
  release(32, 2);
  EXPECT_EQ(state().tool, "bezier");
  EXPECT_EQ(state().bezierPts, (std::array<TPoint, 4>{TPoint{2, 25}, {8, 2}, {32, 2}, {37, 25}}));
  Bitmap expected(40, 30, PixelFormat::pf32bit, clBlue);
  {
    Canvas reference(expected);
    reference.pen.color = clRed;
    reference.PolyBezier({{2, 25}, {8, 2}, {32, 2}, {37, 25}});
  }
  EXPECT_EQ(image(), expected);
  EXPECT_CONSISTENT(model);
}

TEST_F(Paint, SelectionKeepsItsDragAndRestoresBrushAndPen) {
  size(12, 8);
  canvas().brush.setStyle(BrushStyle::Cross);
  canvas().pen.width = 3;
  canvas().pen.style = PenStyle::Dash;
  state().tool = "snapshot";
  press(9, 6);
  EXPECT_EQ(canvas().brush.style(), BrushStyle::Clear);
  EXPECT_EQ(canvas().pen.width, 1);
  move(5, 4);
  EXPECT_NE(image(), Bitmap(12, 8)); // the dotted band
  move(2, 1);
  release(2, 1);
  EXPECT_EQ(state().clipRect, (TRect{9, 6, 2, 1}));
  EXPECT_EQ(image(), Bitmap(12, 8));
  EXPECT_EQ(canvas().brush.style(), BrushStyle::Cross);
  EXPECT_EQ(canvas().pen.width, 3);
  EXPECT_EQ(canvas().pen.style, PenStyle::Solid);
  EXPECT_EQ(state().tool, "");
  EXPECT_CONSISTENT(model);
}

TEST_F(Paint, AfterToolsThatEndEmptyAMoveWithoutButtonDrawsNothing) {
  size(16, 16);
  for (const char *tool : {"pastemask", "paintpick", ""}) {
    state().tool = tool;
    click(3, 3);
    const Bitmap before = image();
    for (const char *next : {"line", "freehand", "spray", "blocks", "sym"}) {
      state().tool = next;
      move(10, 12);
    }
    EXPECT_EQ(image(), before) << tool;
  }
  // a press with no tool only records the snapshot
  state().tool = "";
  const int index = model.undoIndex();
  const Bitmap before = image();
  press(4, 4);
  move(9, 9);
  release(9, 9);
  EXPECT_EQ(model.undoIndex(), index % 5 + 1);
  EXPECT_EQ(image(), before);
  EXPECT_FALSE(state().dragging);
}

struct RandomRow {
  const char *name;
  PixelFormat format;
  quint32 seed;
};

void PrintTo(const RandomRow &row, std::ostream *os) { *os << row.name; }

class RandomEvents : public PaintFixture, public testing::WithParamInterface<RandomRow> {};

// any order of events, far-away points, tools and attributes switched in the middle of a figure
TEST_P(RandomEvents, KeepTheModelConsistent) {
  model.replaceImage(Bitmap(200, 150, GetParam().format));
  state().clipRect = {150, 100, 30, 20};
  QRandomGenerator rng(GetParam().seed);
  const QStringList &tools = ToolNames();
  for (int i = 0; i < 2000; ++i) {
    const int far = rng.bounded(10) == 0 ? 1000000000 : 240;
    const int x = rng.bounded(-far, far), y = rng.bounded(-far, far);
    const Qt::KeyboardModifiers shift = rng.bounded(3) == 0 ? Qt::ShiftModifier : Qt::NoModifier;
    switch (rng.bounded(12)) {
    case 0:
      state().tool = tools[rng.bounded(int(tools.size()))];
      break;
    case 1:
      press(x, y, shift);
      break;
    case 2:
      release(x, y);
      break;
    case 3:
      if (rng.bounded(4) == 0)
        model.goUndo();
      break;
    case 4:
      canvas().pen.mode = PenMode(rng.bounded(1, 17));
      canvas().pen.width = rng.bounded(1, 9);
      canvas().pen.style = PenStyle(rng.bounded(7));
      canvas().pen.color = rng.generate() & 0xFFFFFF;
      break;
    case 5:
      canvas().brush.setStyle(BrushStyle(rng.bounded(8)));
      canvas().brush.setColor(rng.generate() & 0xFFFFFF);
      model.setSwatchFill(rng.bounded(2) ? clWhite : canvas().brush.color());
      break;
    case 6:
      if (rng.bounded(20) == 0)
        model.setImageSize(rng.bounded(1, 260), rng.bounded(1, 200));
      else if (rng.bounded(10) == 0)
        i % 2 ? model.fillSelection() : model.maskClip();
      break;
    default:
      move(x, y, shift);
      break;
    }
    const QString fault = model.checkConsistency();
    ASSERT_TRUE(fault.isEmpty()) << "step " << i << ": " << fault.toStdString();
  }
}

INSTANTIATE_TEST_SUITE_P(Rows, RandomEvents,
                         testing::Values(RandomRow{"true_colour", PixelFormat::pf32bit, 1234},
                                         RandomRow{"true_colour_again", PixelFormat::pf24bit, 99},
                                         RandomRow{"sixteen_colours", PixelFormat::pf4bit, 4321}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST_F(Paint, TenThousandPressesKeepTheRing) {
  size(50, 50);
  state().tool = "freehand";
  for (int i = 0; i < 10000; ++i) {
    press(i % 50, (i * 7) % 50);
    move((i * 3) % 50, i % 50);
    release((i * 3) % 50, i % 50);
  }
  EXPECT_EQ(model.undoIndex(), 10000 % 5 + 1);
  EXPECT_CONSISTENT(model);
  for (int i = 0; i < 7; ++i)
    model.goUndo();
  EXPECT_CONSISTENT(model);
}

TEST_F(Paint, ReleaseAndMoveWithoutPressAreHarmless) {
  size(20, 20);
  for (const QString &tool : ToolNames()) {
    state().tool = tool;
    move(5, 5);
    release(7, 7);
    EXPECT_FALSE(state().dragging);
    ASSERT_EQ(model.checkConsistency().toStdString(), "") << tool.toStdString();
  }
}

struct PromptRow {
  const char *name;
  std::function<void(PaintModel &)> command;
  const char *caption;
  const char *prompt;
  const char *answer; // nullptr: cancel
  std::function<double(const PaintState &)> field;
  double expected;
};

void PrintTo(const PromptRow &row, std::ostream *os) { *os << row.name; }

class Prompts : public PaintFixture, public testing::WithParamInterface<PromptRow> {};

TEST_P(Prompts, AnswerSetsTheField) {
  const PromptRow &row = GetParam();
  state().shadowDx = 7;
  state().shadowDy = 9;
  if (row.answer)
    dialogs.expectInput(row.answer, row.prompt);
  else
    dialogs.expectInputCancel(row.prompt);
  row.command(model);
  ASSERT_EQ(dialogs.prompts().size(), 1);
  EXPECT_EQ(dialogs.prompts()[0].caption, row.caption);
  EXPECT_EQ(row.field(state()), row.expected);
  EXPECT_CONSISTENT(model);
}

const auto Blocks = [](PaintModel &m) { m.askBlocks(); };
const auto Tolerance = [](PaintModel &m) { m.askLineTolerance(); };
const auto Rounding = [](PaintModel &m) { m.askRounding(); };
const auto Shapes = [](PaintModel &m) { m.askShapes(); };
const auto Spirals = [](PaintModel &m) { m.askSpirals(); };
const auto Factor = [](PaintModel &m) { m.askSpiralFactor(); };
const auto Dx = [](PaintModel &m) { m.askShadowDx(); };
const auto Dy = [](PaintModel &m) { m.askShadowDy(); };
const auto BlockCount = [](const PaintState &s) { return double(s.blockCount); };
const auto Tol = [](const PaintState &s) { return double(s.slineTolerance); };
const auto Round = [](const PaintState &s) { return double(s.rounding); };
const auto ShapeCount = [](const PaintState &s) { return double(s.shapeCount); };
const auto Turns = [](const PaintState &s) { return double(s.spiralTurns); };
const auto SpiralFactor = [](const PaintState &s) { return s.spiralFactor; };
const auto ShadowDx = [](const PaintState &s) { return double(s.shadowDx); };
const auto ShadowDy = [](const PaintState &s) { return double(s.shadowDy); };

INSTANTIATE_TEST_SUITE_P(
    Rows, Prompts,
    testing::Values(
        PromptRow{"blocks_12", Blocks, "Smudgel", "Number of blocks:", "12", BlockCount, 12},
        PromptRow{"blocks_below_2", Blocks, "Smudgel", "Number of blocks:", "1", BlockCount, 2},
        PromptRow{"blocks_above_50", Blocks, "Smudgel", "Number of blocks:", "99", BlockCount, 50},
        PromptRow{"blocks_not_a_number", Blocks, "Smudgel", "Number of blocks:", "many", BlockCount, 8},
        PromptRow{"blocks_cancel", Blocks, "Smudgel", "Number of blocks:", nullptr, BlockCount, 8},
        PromptRow{"tolerance_20", Tolerance, "Smudgel", "Enter Straight Line Tolerance (5..50)", "20", Tol, 20},
        PromptRow{"tolerance_4", Tolerance, "Smudgel", "Enter Straight Line Tolerance (5..50)", "4", Tol, 5},
        PromptRow{"tolerance_51", Tolerance, "Smudgel", "Enter Straight Line Tolerance (5..50)", "51", Tol, 5},
        PromptRow{"rounding_any", Rounding, "Smudgel", "Enter Rounding", "-30", Round, -30},
        PromptRow{"rounding_text", Rounding, "Smudgel", "Enter Rounding", "x", Round, 10},
        PromptRow{"shapes_25", Shapes, "Smudgel", "Number of Shapes(1..25)", "25", ShapeCount, 25},
        PromptRow{"shapes_26", Shapes, "Smudgel", "Number of Shapes(1..25)", "26", ShapeCount, 1},
        PromptRow{"shapes_0", Shapes, "Smudgel", "Number of Shapes(1..25)", "0", ShapeCount, 1},
        PromptRow{"spirals_1", Spirals, "Smudgel", "Spirals (3..50)", "1", Turns, 1},
        PromptRow{"spirals_50", Spirals, "Smudgel", "Spirals (3..50)", "50", Turns, 50},
        PromptRow{"spirals_51", Spirals, "Smudgel", "Spirals (3..50)", "51", Turns, 3},
        PromptRow{"factor_half", Factor, "Smudgel", "Spiral factor (0.1..0.99)", "0.5", SpiralFactor, 0.5},
        PromptRow{"factor_lowest", Factor, "Smudgel", "Spiral factor (0.1..0.99)", "0.1", SpiralFactor, 0.1},
        PromptRow{"factor_one", Factor, "Smudgel", "Spiral factor (0.1..0.99)", "1.0", SpiralFactor, 0.99},
        PromptRow{"factor_small", Factor, "Smudgel", "Spiral factor (0.1..0.99)", "0.05", SpiralFactor, 0.99},
        PromptRow{"factor_text", Factor, "Smudgel", "Spiral factor (0.1..0.99)", "fast", SpiralFactor, 0.99},
        PromptRow{"factor_nan", Factor, "Smudgel", "Spiral factor (0.1..0.99)", "nan", SpiralFactor, 0.99},
        PromptRow{"shadow_dx", Dx, "Smudgel", "Enter shadow x offset", "3", ShadowDx, 3},
        PromptRow{"shadow_dx_text_keeps_current", Dx, "Smudgel", "Enter shadow x offset", "?", ShadowDx, 7},
        PromptRow{"shadow_dx_cancel_gives_default", Dx, "Smudgel", "Enter shadow x offset", nullptr, ShadowDx, -2},
        PromptRow{"shadow_dy", Dy, "Smudgel", "Enter shadow y offset", "-5", ShadowDy, -5},
        PromptRow{"shadow_dy_text_keeps_current", Dy, "Smudgel", "Enter shadow y offset", "", ShadowDy, 9}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(Paint, TextPromptCancelEmptiesTheText) {
  dialogs.expectInput("Hello", "Enter text:");
  model.askPaintText();
  EXPECT_EQ(state().paintText, "Hello");
  EXPECT_EQ(dialogs.prompts()[0].caption, "Paint");
  dialogs.expectInputCancel("Enter text:");
  model.askPaintText();
  EXPECT_EQ(state().paintText, "");
}

TEST_F(Paint, DirectSettersKeepTheirRanges) {
  model.togglePolygon();
  EXPECT_TRUE(state().polygon);
  model.setSpiralDir(-1);
  EXPECT_EQ(state().spiralDir, -1);
  model.setSpiralTurns(2);
  EXPECT_EQ(state().spiralTurns, 2);
  model.setSpiralFactor(0.95);
  EXPECT_EQ(state().spiralFactor, 0.95);
  model.setStarPoints(12);
  EXPECT_EQ(state().starPoints, 12);
  model.setStarPoints(13);
  EXPECT_EQ(state().starPoints, 12);
  model.setPasteMode("pastemask");
  EXPECT_EQ(state().pasteMode, "pastemask");
  model.setPasteMode("bogus");
  EXPECT_EQ(state().pasteMode, "pastemask");
  state().shadowDx = 4;
  state().shadowColor = clRed;
  model.shadowDefault();
  EXPECT_EQ(state().shadowDx, -2);
  EXPECT_EQ(state().shadowDy, -2);
  EXPECT_EQ(state().shadowColor, 0x00C0C0C0u);
}

TEST_F(Paint, FontAndShadowColourComeFromTheirDialogs) {
  FontChoice font;
  font.name = "Courier New";
  font.size = 14;
  font.color = clRed;
  font.bold = true;
  dialogs.expectFont(font).expectColor(clBlue).expectCancel(Dialogs::Kind::Color);
  model.askTextFont();
  EXPECT_EQ(state().textFont.name, "Courier New");
  EXPECT_EQ(state().textFont.size, 14);
  EXPECT_EQ(state().textFont.color, clRed);
  EXPECT_EQ(state().textFont.style, FontStyle::Bold);
  model.askShadowColor();
  EXPECT_EQ(state().shadowColor, clBlue);
  model.askShadowColor();
  EXPECT_EQ(state().shadowColor, clBlue);
}

TEST_F(Paint, SnapshotsOffRecordNothing) {
  size(10, 10);
  model.setSnapshotsEnabled(false);
  drag(0, 0, 9, 9);
  EXPECT_EQ(model.undoIndex(), 1);
  model.setSnapshotsEnabled(true);
  drag(0, 9, 9, 0);
  model.goUndo();
  EXPECT_EQ(corvana::test::Count(image(), clBlack), 9);
  EXPECT_CONSISTENT(model);
}

} // namespace
