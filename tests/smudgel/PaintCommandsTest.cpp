// The paint model's whole-image commands, pictures and pattern brushes.

#include "PaintFixture.h"
#include "codecs/Bmp.h"
#include "codecs/Picture.h"
#include "platform/Errors.h"
#include "raster/EmfWriter.h"
#include "smudgel/PaintAttributes.h"
#include "smudgel/PatternStore.h"
#include "support/TestHelpers.h"

using namespace corvana;
using namespace corvana::smudgel;
using namespace corvana::smudgel::test;
using corvana::test::Count;
using corvana::test::TempDir;

namespace {

class PaintCommands : public PaintFixture {};

// What Make draws with the defaults, pixel by pixel: the outer frame, the dark inner line at
// the right and bottom, the highlight at the top and left and the silver face.
char ButtonPixel(int x, int y) {
  if (x == 0 || y == 0 || x == 87 || y == 30)
    return '#';
  if ((x == 86 && y <= 28) || (y == 29 && x >= 1 && x <= 86))
    return '#';
  if ((y == 1 && x >= 2 && x <= 85) || (x == 1 && y >= 1 && y <= 28))
    return '.';
  return 's';
}

TEST_F(PaintCommands, MakeWithTheDefaultsDrawsARaisedButton) {
  fill(clRed);
  canvas().pen.color = clBlue;
  model.makeButton();
  ASSERT_EQ(image().width(), 88);
  ASSERT_EQ(image().height(), 31);
  std::string expected = "\n";
  for (int y = 0; y < 31; ++y) {
    for (int x = 0; x < 88; ++x)
      expected += ButtonPixel(x, y);
    expected += '\n';
  }
  EXPECT_EQ(dump(), expected);
  EXPECT_EQ(canvas().pen.color, clBlack);
  EXPECT_EQ(canvas().brush.color(), 0xC0C0C0u);
  EXPECT_CONSISTENT(model);
}

TEST_F(PaintCommands, ButtonSettingsComeFromPromptsWithFallbacks) {
  dialogs.expectInput("40", "Enter button width").expectInput("junk", "Enter button height");
  model.askButtonWidth();
  model.askButtonHeight();
  EXPECT_EQ(state().buttonWidth, 40);
  EXPECT_EQ(state().buttonHeight, 31);
  dialogs.expectColor(clRed).expectCancel(corvana::Dialogs::Kind::Color);
  model.askButtonColor();
  model.askButtonColor();
  EXPECT_EQ(state().buttonColor, clRed);
  model.makeButton();
  EXPECT_EQ(image().width(), 40);
  EXPECT_EQ(image().pixel(10, 10), clRed);
  model.buttonDefault();
  EXPECT_EQ(state().buttonWidth, 88);
  EXPECT_EQ(state().buttonHeight, 31);
  EXPECT_EQ(state().buttonColor, 0xC0C0C0u);
}

TEST_F(PaintCommands, MagnifyStopsAtAWidthOf256) {
  size(128, 40);
  model.surface().SetPixel(3, 5, clRed);
  ASSERT_TRUE(model.magnify(2));
  EXPECT_EQ(image().width(), 256);
  EXPECT_EQ(image().height(), 80);
  // pixel replication: the red pixel becomes a 2 x 2 block
  EXPECT_EQ(Count(image(), clRed), 4);
  EXPECT_EQ(image().pixel(7, 11), clRed);
  EXPECT_FALSE(model.magnify(2));
  EXPECT_EQ(image().width(), 256);

  size(129, 10);
  EXPECT_FALSE(model.magnify(2));
  EXPECT_EQ(image().width(), 129);
  size(32, 500);
  ASSERT_TRUE(model.magnify(8));
  EXPECT_EQ(image().width(), 256);
  EXPECT_EQ(image().height(), 4000);
  EXPECT_CONSISTENT(model);
}

TEST_F(PaintCommands, ReduceStopsBelowAWidthOf16) {
  size(64, 32);
  model.surface().SetPixel(8, 4, clRed);
  ASSERT_TRUE(model.reduce(4));
  EXPECT_EQ(image().width(), 16);
  EXPECT_EQ(image().height(), 8);
  EXPECT_EQ(image().pixel(2, 1), clRed);
  size(63, 32);
  EXPECT_FALSE(model.reduce(4));
  EXPECT_EQ(image().width(), 63);
  // a height that would reach zero is refused with an error, keeping the image
  size(64, 3);
  EXPECT_THROW(model.reduce(4), corvana::Error);
  EXPECT_EQ(image().width(), 64);
  EXPECT_EQ(image().height(), 3);
}

TEST_F(PaintCommands, MagnifyGoesThroughTheCopyMode) {
  size(20, 10);
  fill(clBlue);
  canvas().copyMode = cmDstInvert;
  ASSERT_TRUE(model.magnify(2));
  // the new area is painted white by the brush first, then inverted: every pixel black or yellow
  EXPECT_EQ(Count(image(), clYellow) + Count(image(), clBlack), 40 * 20);
}

TEST_F(PaintCommands, ResizeKeepsThePixelsAndUndoKeepsTheNewSize) {
  size(10, 10);
  press(0, 0); // a snapshot of the white image
  release(0, 0);
  fill(clRed);
  canvas().brush.setColor(clBlue);
  model.setSwatchFill(clBlue);
  dialogs.expectInput("20", "Enter height:").expectInput("30", "Enter width:");
  model.resizeImage();
  ASSERT_EQ(image().width(), 30);
  ASSERT_EQ(image().height(), 20);
  EXPECT_EQ(Count(image(), clRed), 100);
  EXPECT_EQ(Count(image(), clWhite), 600 - 100);
  EXPECT_EQ(model.swatchFill(), clWhite);
  model.goUndo();
  EXPECT_EQ(image().width(), 30);
  EXPECT_EQ(image().height(), 20);
  EXPECT_EQ(Count(image(), clRed), 0);
  EXPECT_CONSISTENT(model);
}

TEST_F(PaintCommands, ResizeWithJunkKeepsTheSizeAndClearMakesItWhite) {
  size(12, 7);
  dialogs.expectInput("x").expectInputCancel();
  model.resizeImage();
  EXPECT_EQ(image().width(), 12);
  EXPECT_EQ(image().height(), 7);
  fill(clRed);
  canvas().brush.setStyle(BrushStyle::DiagCross);
  canvas().pen.style = PenStyle::Dot;
  model.clearImage();
  EXPECT_EQ(Count(image(), clWhite), 84);
  EXPECT_EQ(canvas().brush.style(), BrushStyle::Solid);
  EXPECT_EQ(canvas().pen.style, PenStyle::Solid);
}

TEST_F(PaintCommands, OtherSizeTakesOneForWidthsOutsideTheImage) {
  size(50, 40);
  for (const char *answer : {"0", "-3", "41", "junk"}) {
    canvas().pen.width = 4;
    dialogs.expectInput(answer, "Enter new line width:");
    model.askLineWidth();
    EXPECT_EQ(canvas().pen.width, 1) << answer;
  }
  dialogs.expectInput("40");
  model.askLineWidth();
  EXPECT_EQ(canvas().pen.width, 40);
}

TEST_F(PaintCommands, NewAsksHeightThenWidthAndJunkGivesAHundredSquare) {
  fill(clRed);
  dialogs.expectInput("junk", "Image height:").expectInput("more junk", "Image width:");
  model.newImage();
  EXPECT_EQ(image().width(), 100);
  EXPECT_EQ(image().height(), 100);
  EXPECT_EQ(Count(image(), clWhite), 100 * 100);
  dialogs.expectInput("30", "Image height:").expectInput("70", "Image width:");
  model.newImage();
  EXPECT_EQ(image().width(), 70);
  EXPECT_EQ(image().height(), 30);
}

TEST_F(PaintCommands, AMetafileSizesTheImageAndDrawsOverTheOldPixels) {
  size(40, 40);
  fill(clLime);
  corvana::test::EmfWriter e;
  e.record(39, {1, 0, int(clRed), 0}).record(37, {1}).record(37, {int(0x80000008)});
  e.record(43, {2, 1, 6, 4});
  const Picture emf = DecodePicture(e.finish(20, 10), ".EMF");
  model.openPicture(emf);
  EXPECT_EQ(image().width(), 20);
  EXPECT_EQ(image().height(), 10);
  EXPECT_EQ(Count(image(), clRed), 12);
  // where the metafile draws nothing the old picture shows
  EXPECT_EQ(image().pixel(15, 8), clLime);
  EXPECT_CONSISTENT(model);
}

TEST_F(PaintCommands, ABitmapReplacesTheImageWithItsDepth) {
  Bitmap gifLike(9, 5, PixelFormat::pf8bit, clRed);
  Picture picture;
  picture.kind = Picture::Kind::Bitmap;
  picture.bitmap = gifLike;
  model.openPicture(picture);
  EXPECT_EQ(image(), gifLike);
  EXPECT_EQ(image().pixelFormat(), PixelFormat::pf8bit);
  // the depth stays through a size change
  model.setImageSize(20, 20);
  EXPECT_EQ(image().pixelFormat(), PixelFormat::pf8bit);
}

TEST_F(PaintCommands, ChangesAreTrackedFromTheLastOpenOrSave) {
  EXPECT_FALSE(model.modified());
  drag(1, 1, 20, 20);
  EXPECT_TRUE(model.modified());
  model.markSaved();
  EXPECT_FALSE(model.modified());
  model.goUndo();
  EXPECT_TRUE(model.modified());
  model.markSaved();
  EXPECT_FALSE(model.magnify(4)); // 256 wide: refused, nothing changed
  EXPECT_FALSE(model.modified());
}

TEST_F(PaintCommands, ViewDamageCoversWhatWasDrawnOnly) {
  model.takeViewDamage();
  canvas().pen.width = 3;
  drag(10, 10, 30, 12);
  const TRect r = model.takeViewDamage();
  EXPECT_LE(r.left, 8);
  EXPECT_LE(r.top, 8);
  EXPECT_GE(r.right, 32);
  EXPECT_GE(r.bottom, 14);
  EXPECT_LT(r.width() * r.height(), 60 * 60);
  EXPECT_EQ(model.takeViewDamage(), TRect{});
  model.setImageSize(300, 300);
  EXPECT_EQ(model.takeViewDamage(), (TRect{0, 0, 300, 300}));
}

// Every pen mode the menu offers draws the pixel its name says, over a line and a fill alike.
TEST_F(PaintCommands, PenModeEntriesDrawWhatTheirNamesSay) {
  const TColor P = 0x00A0C030, D = 0x00306090;
  const std::map<std::string, TColor> expected{
      {"Copy", P},
      {"Xor", P ^ D},
      {"Not Xor", ~(P ^ D)},
      {"Black", 0},
      {"White", 0xFFFFFF},
      {"Not", ~D},
      {"Not Copy", ~P},
      {"Merge Pen Not", P | ~D},
      {"Mask Pen Not", P & ~D},
      {"Merge Not Pen", ~P | D},
      {"Mask Not Pen", ~P & D},
      {"Merge", P | D},
      {"Not Merge", ~(P | D)},
      {"Mask", P & D},
      {"Not Mask", ~(P & D)},
  };
  ASSERT_EQ(penModeEntries().size(), expected.size());
  size(20, 4);
  for (const PenModeEntry &e : penModeEntries()) {
    SCOPED_TRACE(e.caption);
    fill(D);
    canvas().pen.color = P;
    canvas().pen.mode = e.mode;
    state().tool = "freehand";
    drag(0, 1, 19, 1);
    EXPECT_EQ(image().pixel(10, 1), expected.at(e.caption) & 0xFFFFFF);
    EXPECT_EQ(image().pixel(10, 3), D);
    EXPECT_EQ(penModeStatus(e.mode), QStringLiteral("Pen=") + e.caption);
  }
}

// ---- patterns -------------------------------------------------------------------------------

TEST_F(PaintCommands, UpdateSamplesTheCellCentres) {
  size(64, 64);
  // every pixel its own colour, so the sampled position can be read back
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      model.surface().SetPixel(x, y, (x + 8 * y) % 3 == 0 ? clBlack : clWhite);
  const Bitmap tile = SampleTile(image());
  for (int r = 0; r < 8; ++r)
    for (int c = 0; c < 8; ++c)
      EXPECT_EQ(tile.pixel(c, r), image().pixel(4 + 8 * c, 4 + 8 * r)) << c << "," << r;

  size(8, 8);
  for (int i = 0; i < 64; ++i)
    model.surface().SetPixel(i % 8, i / 8, i % 5 ? clNavy : clYellow);
  EXPECT_EQ(SampleTile(image()), image());
}

TEST_F(PaintCommands, UpdateStoresTheTileAndMakesItTheBrush) {
  size(16, 16);
  canvas().brush.setColor(clRed);
  model.surface().FillRect({0, 0, 8, 16});
  model.updatePattern(3);
  const Bitmap tile = model.patterns().tile(3);
  EXPECT_EQ(tile.pixel(0, 0), clRed);
  EXPECT_EQ(tile.pixel(7, 7), clWhite);
  EXPECT_EQ(model.patterns().strip().pixel(24, 0), clRed);
  EXPECT_EQ(model.patterns().strip().pixel(16, 0), clWhite); // tile 2 untouched
  ASSERT_TRUE(canvas().brush.hasPattern());
  EXPECT_EQ(canvas().brush.patternPixel(1, 1), clRed);

  // Edit blows the tile up over the image
  size(32, 32);
  fill(clBlue);
  model.editPattern();
  EXPECT_EQ(image().pixel(15, 31), clRed);
  EXPECT_EQ(image().pixel(16, 0), clWhite);
}

TEST_F(PaintCommands, EditWithoutAPatternChangesNothing) {
  size(8, 8);
  fill(clBlue);
  model.editPattern();
  EXPECT_EQ(Count(image(), clBlue), 64);
}

TEST_F(PaintCommands, TilesShowColoursReducedToTheStandardSixteen) {
  Bitmap odd(8, 8, PixelFormat::pf24bit, 0x123456);
  odd.setPixel(1, 1, 0xF0F0F0);
  model.patterns().setTile(0, odd);
  const Bitmap tile = model.patterns().tile(0);
  const QVector<TColor> sixteen = Bitmap::standardPalette16();
  EXPECT_TRUE(sixteen.contains(tile.pixel(0, 0)));
  EXPECT_EQ(tile.pixel(1, 1), clWhite);
  EXPECT_EQ(tile.pixel(0, 0), Bitmap(1, 1, PixelFormat::pf4bit).nearestColor(0x123456));
  model.choosePattern(0);
  EXPECT_EQ(canvas().brush.patternPixel(0, 0), tile.pixel(0, 0));
}

TEST_F(PaintCommands, SavePatternGivesABlockCountSquareOfSixteenColours) {
  size(48, 48);
  canvas().brush.setColor(clRed);
  model.surface().FillRect({0, 0, 24, 48});
  state().blockCount = 12;
  const Bitmap square = model.patternForSave();
  EXPECT_EQ(square.width(), 12);
  EXPECT_EQ(square.height(), 12);
  EXPECT_EQ(square.pixelFormat(), PixelFormat::pf4bit);
  EXPECT_EQ(square.pixel(5, 11), clRed);
  EXPECT_EQ(square.pixel(6, 0), clWhite);
  // written as a BMP and opened again as a pattern, it fills the image in fat pixels
  const Bitmap back = ReadBmp(WriteBmp(square));
  model.stretchOverImage(back);
  EXPECT_EQ(image().pixel(23, 47), clRed);
  EXPECT_EQ(image().pixel(24, 0), clWhite);
}

TEST(PatternStoreFile, MissingNarrowAndBrokenFilesStartWhite) {
  TempDir dir;
  PatternStore store;
  EXPECT_FALSE(store.load(dir.path("none.bmp")).isEmpty());
  EXPECT_EQ(store.strip().width(), 128);
  EXPECT_EQ(Count(store.strip(), clWhite), 128 * 8);

  EXPECT_FALSE(store.load(dir.write("broken.bmp", "BM\x10 not a bitmap")).isEmpty());
  EXPECT_EQ(store.strip().width(), 128);

  // a strip of four tiles keeps them and pads the rest
  Bitmap four(32, 8, PixelFormat::pf24bit, clRed);
  EXPECT_EQ(store.load(dir.write("four.bmp", WriteBmp(four))), "");
  EXPECT_EQ(store.strip().width(), 128);
  EXPECT_EQ(store.tile(3).pixel(7, 7), clRed);
  EXPECT_EQ(store.tile(4).pixel(0, 0), clWhite);

  // saved and read back unchanged
  store.setTile(9, Bitmap(8, 8, PixelFormat::pf4bit, clBlue));
  store.save(dir.path("patterns.bmp"));
  PatternStore again;
  EXPECT_EQ(again.load(dir.path("patterns.bmp")), "");
  EXPECT_EQ(again.strip(), store.strip());
  EXPECT_FALSE(again.modified());
}

} // namespace
