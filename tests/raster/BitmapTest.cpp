#include "raster/Bitmap.h"
#include "PixelDump.h"
#include "platform/Errors.h"
#include "raster/GdiObjects.h"

#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::Dump;

namespace {

struct SizeCase {
  const char *name;
  int width, height;
};

class RefusedSize : public testing::TestWithParam<SizeCase> {};

TEST_P(RefusedSize, ThrowsClearError) {
  const SizeCase c = GetParam();
  try {
    Bitmap b(c.width, c.height);
    FAIL() << "accepted " << c.width << " x " << c.height;
  } catch (const Error &e) {
    EXPECT_EQ(e.message(), QStringLiteral("Invalid bitmap size %1 x %2").arg(c.width).arg(c.height));
  }
  Bitmap ok(2, 2);
  EXPECT_THROW(ok.resize(c.width, c.height), Error);
  EXPECT_EQ(ok.width(), 2) << "a refused resize leaves the bitmap as it was";
}

INSTANTIATE_TEST_SUITE_P(Bitmap, RefusedSize,
                         testing::Values(SizeCase{"ZeroWidth", 0, 5}, SizeCase{"ZeroHeight", 5, 0},
                                         SizeCase{"Negative", -3, 4}, SizeCase{"TooWide", 32769, 1},
                                         SizeCase{"TooTall", 1, 32769}, SizeCase{"TooManyPixels", 16385, 16385}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Bitmap, LargestAcceptedSides) {
  EXPECT_NO_THROW(Bitmap::checkSize(32768, 8192));
  EXPECT_NO_THROW(Bitmap::checkSize(1, 1));
}

TEST(Bitmap, PixelAccessAndOutside) {
  Bitmap b(3, 2, PixelFormat::pf32bit, clWhite);
  b.setPixel(2, 1, RGB(1, 2, 3));
  b.setPixel(-1, 0, clBlack); // ignored
  b.setPixel(3, 0, clBlack);  // ignored
  EXPECT_EQ(b.pixel(2, 1), RGB(1, 2, 3));
  EXPECT_EQ(b.pixel(3, 0), clInvalidPixel);
  EXPECT_EQ(b.pixel(0, -1), clInvalidPixel);
  EXPECT_EQ(b.scanLine(1)[2], 0xFF030201u);
  EXPECT_EQ(Dump(b), "\n...\n..?\n");
}

TEST(Bitmap, PaletteFormatsSnapEveryWrite) {
  Bitmap four(2, 1, PixelFormat::pf4bit);
  EXPECT_EQ(four.palette(), Bitmap::standardPalette16());
  four.setPixel(0, 0, RGB(250, 10, 10));
  four.setPixel(1, 0, RGB(100, 100, 100));
  EXPECT_EQ(four.pixel(0, 0), clRed);
  EXPECT_EQ(four.pixel(1, 0), clGray);
  EXPECT_EQ(four.paletteIndex(clRed), 9);

  Bitmap mono(1, 1, PixelFormat::pf1bit, RGB(200, 200, 200));
  EXPECT_EQ(mono.pixel(0, 0), clWhite);
  mono.fill(RGB(90, 90, 90));
  EXPECT_EQ(mono.pixel(0, 0), clBlack);

  Bitmap eight(1, 1, PixelFormat::pf8bit);
  EXPECT_EQ(eight.palette().size(), 256);
  eight.setPalette({clBlue, clYellow});
  EXPECT_EQ(eight.pixel(0, 0), clYellow) << "installing a palette snaps the pixels already there";

  Bitmap deep(1, 1, PixelFormat::pf24bit);
  deep.setPalette({clBlue});
  EXPECT_FALSE(deep.hasPalette());
  deep.setPixel(0, 0, RGB(1, 2, 3));
  EXPECT_EQ(deep.pixel(0, 0), RGB(1, 2, 3));
}

TEST(Bitmap, ResizeKeepsTopLeftAndPaintsNewAreaWithBrush) {
  Bitmap b(2, 2, PixelFormat::pf32bit, clBlack);
  Brush red;
  red.setColor(clRed);
  b.resize(3, 3, red);
  EXPECT_EQ(Dump(b), "\n##r\n##r\nrrr\n");
  b.resize(1, 2, red);
  EXPECT_EQ(Dump(b), "\n#\n#\n");

  // a hatch leaves the fresh area white between its lines, aligned to the origin
  Bitmap h(1, 1, PixelFormat::pf32bit, clBlack);
  Brush cross;
  cross.setColor(clBlue);
  cross.setStyle(BrushStyle::Cross);
  h.resize(10, 2, cross);
  EXPECT_EQ(Dump(h), "\n#bbbbbbbbb\nb.......b.\n");
}

TEST(Bitmap, ImageViewSharesPixelsAndShowsColours) {
  Bitmap b(2, 1);
  b.setPixel(0, 0, clRed);
  b.setPixel(1, 0, RGB(10, 20, 30));
  const QImage view = b.image();
  EXPECT_EQ(view.constBits(), reinterpret_cast<const uchar *>(b.scanLine(0)));
  EXPECT_EQ(view.pixelColor(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(view.pixelColor(1, 0), QColor(10, 20, 30));
  const Bitmap back = Bitmap::fromQImage(b.toQImage());
  EXPECT_EQ(back, b);
}

TEST(Bitmap, CopiesAreIndependent) {
  Bitmap a(2, 2);
  Bitmap c = a;
  c.setPixel(0, 0, clBlack);
  EXPECT_EQ(a.pixel(0, 0), clWhite);
  EXPECT_EQ(c.pixel(0, 0), clBlack);
}

} // namespace

TEST(Bitmap, AMovedFromBitmapIsEmpty) {
  corvana::Bitmap a(3, 2, corvana::PixelFormat::pf24bit, corvana::clRed);
  corvana::Bitmap b = std::move(a);
  EXPECT_EQ(b.width(), 3);
  EXPECT_EQ(b.pixel(2, 1), corvana::clRed);
  EXPECT_TRUE(a.isNull()); // NOLINT(bugprone-use-after-move): the state after a move is the point
  EXPECT_EQ(a.pixel(0, 0), corvana::clInvalidPixel);
  a = std::move(b);
  EXPECT_EQ(a.width(), 3);
  EXPECT_TRUE(b.isNull()); // NOLINT(bugprone-use-after-move)
}
