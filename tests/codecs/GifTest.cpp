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

// Bytes of the global colour table that WriteGif always writes.
int globalTableSize(const QByteArray &gif) { return 3 << ((uchar(gif[10]) & 7) + 1); }

// Offset of the image descriptor in a file from WriteGif without transparency (no extension
// comes before it).
int imageDescriptorAt(const QByteArray &gif) { return 13 + globalTableSize(gif); }

// The same file with its colour table moved from the screen to the image: the screen's
// background index then names no colour.
QByteArray withLocalTableOnly(const QByteArray &gif) {
  const int table = globalTableSize(gif), desc = imageDescriptorAt(gif);
  QByteArray out = gif.left(13);
  const char sizeBits = char(uchar(gif[10]) & 7);
  out[10] = char(uchar(gif[10]) & 0x7F);
  out += gif.mid(desc, 9);
  out += char(0x80 | sizeBits);
  out += gif.mid(13, table);
  out += gif.mid(desc + 10);
  return out;
}

struct CutCase {
  const char *name;
  bool interlace;
  bool localTableOnly;
  int backgroundIndex;    // written into the screen descriptor
  int expectedBackground; // palette entry the missing rows show
};

class GifCutShort : public ::testing::TestWithParam<CutCase> {};

TEST_P(GifCutShort, ShowsTheRowsItHoldsAndTheRestInTheBackground) {
  const CutCase &p = GetParam();
  const Bitmap original = paletteSample(30, 40);
  GifWriteOptions options;
  options.interlace = p.interlace;
  QByteArray whole = WriteGif(original, options);
  whole[11] = char(p.backgroundIndex);
  if (p.localTableOnly)
    whole = withLocalTableOnly(whole);
  const int data = imageDescriptorAt(WriteGif(original, options)) + 10;
  const QByteArray cut = whole.left(data + (whole.size() - data) / 2);

  const GifImage read = ReadGif(cut);
  ASSERT_EQ(read.bitmap.width(), 30);
  ASSERT_EQ(read.bitmap.height(), 40);
  const TColor background = read.bitmap.palette().value(p.expectedBackground);
  EXPECT_EQ(background, original.palette()[p.expectedBackground]);
  // every row is either the original row or wholly background, and both kinds occur
  std::string kinds;
  for (int y = 0; y < 40; ++y) {
    bool same = true, blank = true;
    for (int x = 0; x < 30; ++x) {
      same = same && read.bitmap.pixel(x, y) == original.pixel(x, y);
      blank = blank && read.bitmap.pixel(x, y) == background;
    }
    ASSERT_TRUE(same || blank) << "row " << y;
    kinds += same ? 'o' : '-';
  }
  EXPECT_EQ(kinds[0], 'o') << kinds;
  EXPECT_EQ(kinds[39], '-');
  if (p.interlace) // the first pass (every eighth row) is complete
    for (int y = 0; y < 40; y += 8)
      EXPECT_EQ(kinds[y], 'o') << kinds;
  else // rows arrive top to bottom
    EXPECT_EQ(kinds.find_last_of('o'), kinds.find('-') - 1) << kinds;
}

INSTANTIATE_TEST_SUITE_P(Files, GifCutShort,
                         ::testing::Values(CutCase{"screen_background", false, false, 5, 5},
                                           CutCase{"interlaced", true, false, 7, 7},
                                           CutCase{"background_past_table_uses_entry0", false, false, 200, 0},
                                           CutCase{"no_global_table_uses_entry0", false, true, 5, 0}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(GifCutShort, LosingOnlyTheBlockTerminatorAndTrailerKeepsEveryRow) {
  const Bitmap original = paletteSample(30, 40);
  const QByteArray whole = WriteGif(original);
  ASSERT_EQ(whole.right(2), QByteArray("\0;", 2));
  EXPECT_EQ(ReadGif(whole.chopped(2)).bitmap, original);
  EXPECT_EQ(ReadGif(whole.chopped(1)).bitmap, original);
}

TEST(GifCutShort, EveryCutLengthGivesMoreRowsOrAClearError) {
  const Bitmap original = paletteSample(30, 40);
  const QByteArray whole = WriteGif(original);
  int rowsBefore = 0;
  for (qsizetype length = 0; length <= whole.size(); ++length) {
    SCOPED_TRACE(length);
    GifImage read;
    try {
      read = ReadGif(whole.left(length));
    } catch (const Error &) {
      ASSERT_EQ(rowsBefore, 0) << "an error after rows were shown";
      continue;
    }
    int rows = 0;
    while (rows < 40 && std::equal(original.scanLine(rows), original.scanLine(rows) + 30, read.bitmap.scanLine(rows)))
      ++rows;
    for (int y = rows; y < 40; ++y)
      for (int x = 0; x < 30; ++x)
        ASSERT_EQ(read.bitmap.pixel(x, y), original.palette()[0]) << x << "," << y;
    EXPECT_GE(rows, rowsBefore);
    rowsBefore = rows;
  }
  EXPECT_EQ(rowsBefore, 40);
}

TEST(GifRead, IndexPastTheColourTableDrawsEntry0) {
  // four colours, then the table cut to its first two: pixels of entries 2 and 3 point past it
  Bitmap b(4, 2, PixelFormat::pf24bit, clWhite);
  b.setPixel(0, 0, clRed);
  b.setPixel(1, 0, clLime);
  b.setPixel(2, 0, clBlue);
  const QByteArray four = WriteGif(b);
  ASSERT_EQ(uchar(four[10]) & 7, 1);
  const QVector<TColor> table = ReadGif(four).bitmap.palette();
  QByteArray two = four;
  two[10] = char(uchar(four[10]) & ~7);
  two.remove(13 + 6, 6);

  const GifImage read = ReadGif(two);
  EXPECT_EQ(read.bitmap.palette(), table.mid(0, 2));
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 4; ++x) {
      const int index = int(table.indexOf(b.pixel(x, y)));
      EXPECT_EQ(read.bitmap.pixel(x, y), table[index < 2 ? index : 0]) << x << "," << y;
    }
}

struct GifBadCase {
  const char *name;
  QByteArray bytes;
};

class GifBadInput : public ::testing::TestWithParam<GifBadCase> {};

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
                         ::testing::Values(GifBadCase{"wrong_magic", QByteArray("GIF90a") + QByteArray(20, '\0')},
                                           GifBadCase{"empty", QByteArray()},
                                           GifBadCase{"truncated", WriteGif(paletteSample(30, 30)).left(200)},
                                           GifBadCase{"lzw_garbage", garbledLzw()},
                                           GifBadCase{"huge_screen", hugeScreen()}),
                         [](const auto &info) { return std::string(info.param.name); });

} // namespace
