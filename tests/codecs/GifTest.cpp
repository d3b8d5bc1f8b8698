#include "codecs/Gif.h"
#include "ImageMetrics.h"
#include "platform/Errors.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace corvana;
using namespace corvana::test;

namespace {

Bitmap paletteSample(int w, int h) {
  Bitmap b(w, h, PixelFormat::pf8bit);
  QVector<TColor> palette;
  for (int i = 0; i < 40; ++i)
    palette.append(RGB(i * 6, 255 - i * 5, (i * 37) & 255));
  b.setPalette(palette);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.setPixel(x, y, palette[(x / 3 + y * 7) % palette.size()]);
  return b;
}

TEST(GifRoundTrip, PaletteBitmapKeepsPaletteAndPixels) {
  const Bitmap original = paletteSample(37, 23);
  const GifImage read = ReadGif(WriteGif(original));
  EXPECT_EQ(read.bitmap.palette().mid(0, 40), original.palette().mid(0, 40));
  EXPECT_EQ(read.bitmap, original);
  EXPECT_EQ(read.transparentIndex, -1);
  EXPECT_EQ(read.bitmap.pixelFormat(), PixelFormat::pf8bit);
}

TEST(GifRoundTrip, TransparencyIsKept) {
  const Bitmap original = paletteSample(16, 16);
  GifWriteOptions options;
  options.transparentColor = original.palette()[5];
  const GifImage read = ReadGif(WriteGif(original, options));
  EXPECT_EQ(read.transparentIndex, 5);
  ASSERT_TRUE(read.transparentColor().has_value());
  EXPECT_EQ(*read.transparentColor(), original.palette()[5]);
}

TEST(GifRoundTrip, InterlacedRowsComeBackInPlace) {
  const Bitmap original = paletteSample(9, 29);
  GifWriteOptions options;
  options.interlace = true;
  const GifImage read = ReadGif(WriteGif(original, options));
  EXPECT_TRUE(read.interlaced);
  EXPECT_EQ(read.bitmap, original);
}

TEST(GifRoundTrip, TwoColourBitmapBecomesOneBitPalette) {
  Bitmap b(5, 3, PixelFormat::pf24bit, clWhite);
  b.setPixel(2, 1, clRed);
  const GifImage read = ReadGif(WriteGif(b));
  EXPECT_EQ(read.bitmap.pixelFormat(), PixelFormat::pf1bit);
  EXPECT_EQ(read.bitmap, b);
}

struct ReductionCase {
  const char *name;
  bool dither;
  double minPsnr;
};

class GifReduction : public ::testing::TestWithParam<ReductionCase> {};

TEST_P(GifReduction, TrueColourFitsIn256ColoursCloseToTheOriginal) {
  const Bitmap original = PhotoLike(320, 240);
  ASSERT_GT(ColorCount(original), 256);
  GifWriteOptions options;
  options.reduction.dither = GetParam().dither;
  const GifImage read = ReadGif(WriteGif(original, options));
  EXPECT_LE(ColorCount(read.bitmap), 256);
  EXPECT_GE(Psnr(read.bitmap, original), GetParam().minPsnr);
}

INSTANTIATE_TEST_SUITE_P(Methods, GifReduction,
                         ::testing::Values(ReductionCase{"nearest", false, 32.0},
                                           ReductionCase{"dithered", true, 30.0}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(GifReduce, RespectsTheColourLimit) {
  const Bitmap photo = PhotoLike(64, 64);
  for (int limit : {2, 16, 256}) {
    const IndexedImage image = ReduceColors(photo, {limit, false});
    EXPECT_LE(image.palette.size(), limit);
    EXPECT_GE(image.palette.size(), limit / 2);
    EXPECT_LT(*std::max_element(image.indices.begin(), image.indices.end()), image.palette.size());
  }
}

struct BadCase {
  const char *name;
  QByteArray bytes;
};

class GifBadInput : public ::testing::TestWithParam<BadCase> {};

TEST_P(GifBadInput, RaisesAnError) { EXPECT_THROW(ReadGif(GetParam().bytes), Error); }

QByteArray garbledLzw() {
  QByteArray b = WriteGif(paletteSample(30, 30));
  // the image data starts after the header, screen, palette and image descriptor
  for (int i = 13 + 3 * 64 + 10 + 2; i < b.size() - 2; ++i)
    b[i] = char(0xFF);
  return b;
}

QByteArray hugeScreen() {
  QByteArray b = WriteGif(paletteSample(4, 4));
  b[6] = b[7] = b[8] = b[9] = char(0xFF); // 65535 x 65535 logical screen
  return b;
}

INSTANTIATE_TEST_SUITE_P(Cases, GifBadInput,
                         ::testing::Values(BadCase{"wrong_magic", QByteArray("GIF90a") + QByteArray(20, '\0')},
                                           BadCase{"empty", QByteArray()},
                                           BadCase{"truncated", WriteGif(paletteSample(30, 30)).left(200)},
                                           BadCase{"lzw_garbage", garbledLzw()}, BadCase{"huge_screen", hugeScreen()}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
