// Undo after any mix of strokes and whole-image commands gives back exactly what a plain ring
// of five full-image copies would: the cheap snapshots must never miss a changed pixel.

#include "PaintFixture.h"
#include "codecs/Picture.h"
#include "raster/EmfWriter.h"

#include <array>
#include <random>

using namespace corvana;
using namespace corvana::smudgel;
using namespace corvana::smudgel::test;

namespace {

// The ring as the user sees it: a full copy per press, sizes following the image.
struct PlainRing {
  std::array<Bitmap, 5> copies;
  int index = 0;
  PlainRing() { copies.fill(Bitmap(250, 250)); }
  void snapshot(const Bitmap &image) {
    copies[size_t(index)] = image;
    index = (index + 1) % 5;
  }
  const Bitmap &undo() {
    index = (index + 4) % 5;
    return copies[size_t(index)];
  }
  void resize(int w, int h) {
    for (Bitmap &slot : copies)
      if (slot.width() != w || slot.height() != h) {
        Bitmap grown(w, h);
        for (int y = 0; y < std::min(h, slot.height()); ++y)
          for (int x = 0; x < std::min(w, slot.width()); ++x)
            grown.setPixel(x, y, slot.pixel(x, y));
        slot = grown;
      }
  }
};

QByteArray SmallEmf(int w, int h) {
  corvana::test::EmfWriter e;
  e.record(39, {1, 0, int(clRed), 0}).record(37, {1}).record(37, {int(0x80000008)});
  e.record(43, {1, 1, w / 2, h / 2});
  return e.finish(w, h);
}

class UndoCommands : public PaintFixture, public testing::WithParamInterface<unsigned> {};

TEST_P(UndoCommands, MatchesAPlainRingOfFullCopies) {
  std::mt19937 random(GetParam());
  const auto pick = [&](int n) { return int(random() % unsigned(n)); };
  PlainRing plain;
  const char *tools[] = {"line", "rectangle", "ellipse", "freehand", "floodfill", "spray", "text",       "blocks",
                         "star", "spiral",    "sym",     "vmirror",  "snapshot",  "paste", "pastecolor", "roundrect"};
  const TColor colors[] = {clRed, clBlue, clLime, clBlack, clWhite, clYellow};
  size(60, 40);
  plain.resize(60, 40);

  for (int step = 0; step < 300; ++step) {
    const int w = image().width(), h = image().height();
    const auto x = [&] { return pick(w + 20) - 10; };
    const auto y = [&] { return pick(h + 20) - 10; };
    std::string what;
    switch (pick(14)) {
    case 0:
    case 1:
    case 2:
    case 3: { // a stroke with some tool
      state().tool = tools[pick(int(std::size(tools)))];
      canvas().pen.color = colors[pick(6)];
      canvas().brush.setColor(colors[pick(6)]);
      canvas().pen.mode = pick(4) == 0 ? PenMode::NotXor : PenMode::Copy;
      what = "stroke " + state().tool.name().toStdString();
      plain.snapshot(image());
      press(x(), y());
      for (int i = pick(4); i > 0; --i)
        move(x(), y());
      release(x(), y());
      break;
    }
    case 4:
    case 5: {
      what = "undo";
      const Bitmap &expected = plain.undo();
      model.goUndo();
      ASSERT_EQ(image(), expected) << "seed " << GetParam() << " step " << step;
      break;
    }
    case 6:
      what = "magnify";
      model.magnify(2);
      break;
    case 7:
      what = "reduce";
      model.reduce(2);
      break;
    case 8: {
      what = "resize";
      dialogs.expectInput(QString::number(10 + pick(70))).expectInput(QString::number(10 + pick(90)));
      model.resizeImage();
      break;
    }
    case 9:
      what = "clear or button";
      if (pick(2))
        model.clearImage();
      else {
        state().buttonWidth = 20 + pick(60);
        state().buttonHeight = 10 + pick(30);
        model.makeButton();
      }
      break;
    case 10: {
      what = "open metafile";
      model.openPicture(DecodePicture(SmallEmf(10 + pick(60), 10 + pick(60)), ".EMF"));
      break;
    }
    case 11:
      what = "pattern";
      model.updatePattern(pick(16));
      if (pick(2))
        model.editPattern();
      else
        model.fillSelection();
      break;
    case 12:
      what = "selection commands";
      state().clipRect = {x(), y(), x(), y()};
      model.maskClip();
      break;
    case 13: {
      what = "open bitmap";
      Picture p;
      p.kind = Picture::Kind::Bitmap;
      p.bitmap = Bitmap(5 + pick(40), 5 + pick(40), PixelFormat::pf24bit, colors[pick(6)]);
      model.openPicture(p);
      break;
    }
    }
    plain.resize(image().width(), image().height());
    ASSERT_EQ(model.checkConsistency().toStdString(), "") << "seed " << GetParam() << " step " << step << " " << what;
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, UndoCommands, testing::Values(1u, 2u, 3u, 4u));

} // namespace
