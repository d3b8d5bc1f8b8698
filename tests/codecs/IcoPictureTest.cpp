#include "codecs/Bmp.h"
#include "codecs/Ico.h"
#include "codecs/Jpeg.h"
#include "codecs/Picture.h"
#include "core/TextFiles.h"
#include "platform/Errors.h"
#include "raster/ByteBuilder.h"
#include "raster/Canvas.h"
#include "raster/PixelDump.h"
#include "support/TestHelpers.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::ByteBuilder;
using corvana::test::Dump;

namespace {

struct IconEntry {
  int width, height, bitCount;
  QByteArray data;
};

QByteArray icoFile(const QVector<IconEntry> &entries) {
  ByteBuilder b;
  b.u16(0).u16(1).u16(int(entries.size()));
  int offset = 6 + 16 * int(entries.size());
  for (const IconEntry &e : entries) {
    b.u8(e.width & 255)
        .u8(e.height & 255)
        .u8(0)
        .u8(0)
        .u16(1)
        .u16(e.bitCount)
        .u32(quint32(e.data.size()))
        .u32(quint32(offset));
    offset += int(e.data.size());
  }
  for (const IconEntry &e : entries)
    b.raw(e.data);
  return b.bytes;
}

// 4 x 4, 4 bit: black left column, lime elsewhere but for the black right edge of the
// top and bottom rows, whose corners are masked out.
IconEntry maskedEntry() {
  ByteBuilder b;
  b.u32(40).i32(4).i32(8).u16(1).u16(4).u32(0).zeros(20);
  const QVector<TColor> palette = Bitmap::standardPalette16();
  for (TColor c : palette)
    b.u8(GetBValue(c)).u8(GetGValue(c)).u8(GetRValue(c)).u8(0);
  const int lime = 10, black = 0;
  for (int row = 0; row < 4; ++row) { // bottom-up
    const int a = row == 1 || row == 2 ? lime : black;
    b.u8(black << 4 | lime).u8(lime << 4 | a).zeros(2);
  }
  for (int row = 0; row < 4; ++row) // AND mask: 1 = transparent
    b.u8(row == 0 || row == 3 ? 0b10010000 : 0).zeros(3);
  return {4, 4, 4, b.bytes};
}

IconEntry alphaEntry() {
  ByteBuilder b;
  b.u32(40).i32(2).i32(4).u16(1).u16(32).u32(0).zeros(20);
  b.u8(0).u8(0).u8(255).u8(255).u8(0).u8(0).u8(255).u8(0);       // bottom: opaque red, clear
  b.u8(255).u8(0).u8(0).u8(255).u8(255).u8(255).u8(255).u8(128); // top: opaque blue, half white
  b.zeros(8);                                                    // AND mask, unused with alpha
  return {2, 2, 32, b.bytes};
}

IconEntry pngEntry(int side) {
  QImage image(side, side, QImage::Format_ARGB32);
  image.fill(qRgba(0, 0, 255, 255));
  image.setPixel(0, 0, qRgba(0, 0, 0, 0));
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return {side, side, 32, png};
}

TEST(Ico, MaskedPixelsLeaveTheOldPixels) {
  const Icon icon = ReadIco(icoFile({maskedEntry()}));
  Bitmap target(4, 4, PixelFormat::pf24bit, clRed);
  Canvas canvas(target);
  DrawIcon(canvas, 0, 0, icon);
  EXPECT_EQ(Dump(target), "\nrggr\n#ggg\n#ggg\nrggr\n");
}

TEST(Ico, AlphaIsBlendedOverTheOldPixels) {
  const Icon icon = ReadIco(icoFile({alphaEntry()}));
  Bitmap target(3, 3, PixelFormat::pf24bit, clBlack);
  Canvas canvas(target);
  DrawIcon(canvas, 1, 1, icon);
  EXPECT_EQ(target.pixel(1, 1), clBlue);
  EXPECT_EQ(target.pixel(2, 1), RGB(128, 128, 128));
  EXPECT_EQ(target.pixel(1, 2), clRed);
  EXPECT_EQ(target.pixel(2, 2), clBlack);
  EXPECT_EQ(target.pixel(0, 0), clBlack);
}

TEST(Ico, TheLargestEntryWinsAndPngEntriesAreRead) {
  const Icon icon = ReadIco(icoFile({maskedEntry(), pngEntry(20), alphaEntry()}));
  ASSERT_EQ(icon.width(), 20);
  EXPECT_EQ(icon.alpha[0], 0);
  EXPECT_EQ(icon.alpha[1], 255);
  EXPECT_EQ(icon.pixels.pixel(5, 5), clBlue);
}

TEST(Ico, BadFilesRaiseErrors) {
  EXPECT_THROW(ReadIco(QByteArray("\0\0\2\0", 4)), Error);
  EXPECT_THROW(ReadIco(icoFile({})), Error);
  IconEntry cut = maskedEntry();
  cut.data.truncate(50);
  EXPECT_THROW(ReadIco(icoFile({cut})), Error);
  QByteArray pointsOutside = icoFile({maskedEntry()});
  pointsOutside[18] = char(0x7F); // entry offset far past the end
  EXPECT_THROW(ReadIco(pointsOutside), Error);
}

// ---- loading and saving by extension

TEST(Picture, LoadsByUpperCasedExtension) {
  test::TempDir dir;
  Bitmap b(6, 4, PixelFormat::pf8bit, clRed);
  const QString bmp = dir.write("a.Bmp", WriteBmp(b));
  const Picture p = LoadPicture(bmp);
  EXPECT_EQ(p.kind, Picture::Kind::Bitmap);
  EXPECT_EQ(p.bitmap, b);
  EXPECT_EQ(LoadPicture(dir.write("b.jpeg", EncodeJpeg(b, 90))).width(), 6);
  EXPECT_EQ(LoadPicture(dir.write("c.ICO", icoFile({maskedEntry()}))).kind, Picture::Kind::Icon);
  EXPECT_TRUE(LoadPicture(dir.write("d.txt", "hello")).isNull());
  // the extension decides, not the contents
  EXPECT_THROW(LoadPicture(dir.write("e.gif", WriteBmp(b))), Error);
}

TEST(Picture, IconBecomesABitmapOverWhite) {
  Picture p;
  p.kind = Picture::Kind::Icon;
  p.icon = ReadIco(icoFile({maskedEntry()}));
  EXPECT_EQ(Dump(p.toBitmap()), "\n.gg.\n#ggg\n#ggg\n.gg.\n");
}

struct SaveCase {
  const char *name;
  const char *file;
  bool written;
  PixelFormat readBack;
};

class PictureSave : public ::testing::TestWithParam<SaveCase> {};

TEST_P(PictureSave, WritesByExtension) {
  test::TempDir dir;
  Bitmap b(8, 8, PixelFormat::pf4bit, clNavy);
  const QString path = dir.path(GetParam().file);
  EXPECT_EQ(SavePicture(path, b, 25), GetParam().written);
  EXPECT_EQ(QFile::exists(path), GetParam().written);
  if (GetParam().written) {
    EXPECT_EQ(LoadPicture(path).bitmap.pixelFormat(), GetParam().readBack);
  }
}

INSTANTIATE_TEST_SUITE_P(Extensions, PictureSave,
                         ::testing::Values(SaveCase{"bmp", "x.bmp", true, PixelFormat::pf4bit},
                                           SaveCase{"gif", "x.GIF", true, PixelFormat::pf4bit},
                                           SaveCase{"jpg", "x.jpg", true, PixelFormat::pf24bit},
                                           SaveCase{"jpeg", "x.JPEG", true, PixelFormat::pf24bit},
                                           SaveCase{"png", "x.png", true, PixelFormat::pf4bit},
                                           SaveCase{"none", "x", false, PixelFormat::pf24bit}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Picture, SavedJpegHasTheQualityGiven) {
  test::TempDir dir;
  Bitmap b(64, 64, PixelFormat::pf24bit);
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x)
      b.setPixel(x, y, RGB(x * 4, y * 4, (x ^ y) * 4));
  SavePicture(dir.path("q90.jpg"), b, 90);
  SavePicture(dir.path("q25.jpg"), b, 25);
  EXPECT_EQ(ReadFileBytes(dir.path("q25.jpg")), EncodeJpeg(b, 25));
  EXPECT_GT(QFileInfo(dir.path("q90.jpg")).size(), QFileInfo(dir.path("q25.jpg")).size());
}

} // namespace
