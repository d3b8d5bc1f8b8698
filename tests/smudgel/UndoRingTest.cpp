#include "smudgel/UndoRing.h"

#include "raster/Canvas.h"
#include "raster/PixelDump.h"

#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::smudgel;
using corvana::test::Dump;

namespace {

Bitmap Blank(int w, int h) { return Bitmap(w, h); }

TEST(UndoRing, StartsWithFiveBlankSnapshotsAndIndexOne) {
  UndoRing ring;
  EXPECT_EQ(ring.undoIndex(), 1);
  for (int slot = 1; slot <= 5; ++slot)
    EXPECT_EQ(ring.slotImage(slot), Blank(250, 250)) << slot;
  // blank snapshots share their tiles
  EXPECT_LT(ring.memoryBytes(), 16 * 1024);
}

TEST(UndoRing, UndoGivesBackTheSnapshotWithItsSize) {
  UndoRing ring;
  Bitmap image(40, 33);
  ring.attach(image);
  image.setPixel(3, 4, clRed);
  ring.markRect({3, 4, 4, 5});
  ring.snapshot(image);
  EXPECT_EQ(ring.undoIndex(), 2);
  image.setPixel(39, 32, clBlue);
  ring.markRect({39, 32, 40, 33});
  const Bitmap before = ring.slotImage(1);
  ring.undo(image);
  EXPECT_EQ(ring.undoIndex(), 1);
  EXPECT_EQ(image, before);
  EXPECT_EQ(image.pixel(3, 4), clRed);
  EXPECT_EQ(image.pixel(39, 32), clWhite);
  EXPECT_TRUE(ring.isConsistent(image)) << ring.checkConsistency(image).toStdString();
  // one more step back wraps round to slot 5, still the blank 250 x 250
  ring.undo(image);
  EXPECT_EQ(ring.undoIndex(), 5);
  EXPECT_EQ(image, Blank(250, 250));
  EXPECT_TRUE(ring.isConsistent(image)) << ring.checkConsistency(image).toStdString();
}

TEST(UndoRing, ResizingCropsAndExtendsWithWhite) {
  UndoRing ring(4, 3);
  Bitmap image(4, 3, PixelFormat::pf32bit, clBlack);
  ring.attach(image);
  ring.snapshot(image);
  Bitmap grown(6, 2, PixelFormat::pf32bit, clRed);
  ring.resizeSlots(6, 2, grown);
  EXPECT_EQ(Dump(ring.slotImage(1)), "\n####..\n####..\n");
  EXPECT_EQ(Dump(ring.slotImage(2)), "\n......\n......\n");
  EXPECT_TRUE(ring.isConsistent(grown)) << ring.checkConsistency(grown).toStdString();
}

TEST(UndoRing, ResizingAcrossTileEdgesKeepsPixels) {
  UndoRing ring(70, 70);
  Bitmap image(70, 70);
  Canvas canvas(image);
  canvas.brush.setColor(clBlue);
  canvas.FillRect({0, 0, 70, 70});
  ring.attach(image);
  ring.snapshot(image);
  image.resize(50, 90, clWhite);
  ring.resizeSlots(50, 90, image);
  const Bitmap slot = ring.slotImage(1);
  EXPECT_EQ(corvana::test::Count(slot, clBlue), 50 * 70);
  EXPECT_EQ(slot.pixel(49, 69), clBlue);
  EXPECT_EQ(slot.pixel(49, 70), clWhite);
}

// a change nobody reported is what the check is for
TEST(UndoRing, ConsistencyCheckFindsUnreportedChanges) {
  UndoRing ring;
  Bitmap image(100, 100);
  ring.attach(image);
  image.setPixel(70, 10, clBlack);
  EXPECT_EQ(ring.checkConsistency(image), "tile (2, 0) changed without being reported");
  ring.markRect({70, 10, 71, 11});
  EXPECT_TRUE(ring.isConsistent(image));
  ring.snapshot(image);
  EXPECT_TRUE(ring.isConsistent(image));
  EXPECT_EQ(ring.slotImage(1).pixel(70, 10), clBlack);
}

TEST(UndoRing, SegmentsMarkTheTilesTheyCross) {
  UndoRing ring;
  Bitmap image(200, 200);
  Canvas canvas(image);
  ring.attach(image);
  canvas.pen.width = 5;
  canvas.MoveTo(-50, 190);
  canvas.LineTo(199, 3);
  ring.markSegment({-50, 190}, {199, 3}, 4);
  EXPECT_TRUE(ring.isConsistent(image)) << ring.checkConsistency(image).toStdString();
  // far-away segments cost nothing and mark nothing
  ring.markSegment({-2000000000, 5}, {2000000000, 5}, 1);
  ring.snapshot(image);
  EXPECT_EQ(ring.slotImage(1), image);
}

TEST(UndoRing, ToggledDamageCancelsOut) {
  UndoRing ring;
  Bitmap image(100, 100);
  Canvas canvas(image);
  ring.attach(image);
  canvas.pen.mode = PenMode::NotXor;
  const UndoRing::Damage line{true, {}, {0, 0}, {99, 99}, 2};
  canvas.MoveTo(0, 0);
  canvas.LineTo(99, 99);
  ring.toggle("line", line);
  EXPECT_TRUE(ring.isConsistent(image)) << ring.checkConsistency(image).toStdString();
  canvas.MoveTo(0, 0);
  canvas.LineTo(99, 99);
  ring.toggle("line", line);
  EXPECT_TRUE(ring.isConsistent(image)) << ring.checkConsistency(image).toStdString();
  // left on the image once, the band is part of the next snapshot
  canvas.MoveTo(0, 0);
  canvas.LineTo(99, 99);
  ring.toggle("line", line);
  ring.snapshot(image);
  EXPECT_EQ(ring.slotImage(1), image);
}

TEST(UndoRing, SnapshotsShareUnchangedTiles) {
  UndoRing ring;
  Bitmap image(512, 512);
  Canvas canvas(image);
  canvas.pen.color = clRed;
  ring.attach(image);
  for (int i = 0; i < 5; ++i) {
    ring.snapshot(image);
    canvas.MoveTo(10 * i, 0);
    canvas.LineTo(10 * i, 20);
    ring.markSegment({10 * i, 0}, {10 * i, 20}, 2);
  }
  // a few changed tiles of 4 KiB each, not five copies of a 1 MiB image
  EXPECT_LT(ring.memoryBytes(), 64 * 1024);
  Bitmap restored = image;
  for (int i = 0; i < 5; ++i)
    ring.undo(restored);
  EXPECT_EQ(corvana::test::Count(restored, clRed), 0);
}

TEST(UndoRing, PaletteImagesStayConsistentAfterUndo) {
  UndoRing ring;
  Bitmap image(64, 64, PixelFormat::pf32bit);
  image.setPixel(5, 5, RGB(10, 200, 30));
  ring.attach(image);
  ring.snapshot(image);
  Bitmap palette(64, 64, PixelFormat::pf4bit);
  ring.resizeSlots(64, 64, palette);
  ring.undo(palette);
  EXPECT_EQ(palette.pixel(5, 5), palette.nearestColor(RGB(10, 200, 30)));
  EXPECT_TRUE(ring.isConsistent(palette)) << ring.checkConsistency(palette).toStdString();
}

} // namespace
