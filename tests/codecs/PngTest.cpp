#include "codecs/Png.h"
#include "codecs/Picture.h"
#include "core/Error.h"
#include "core/TextFiles.h"
#include "support/TestHelpers.h"

#include <QBuffer>
#include <QImage>
#include <gtest/gtest.h>

using namespace corvana;

namespace {

QByteArray pngOf(const QImage &image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

Bitmap gradient(int w, int h) {
  Bitmap b(w, h, PixelFormat::pf24bit);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      b.setPixel(x, y, RGB(x * 7, y * 5, (x * y) & 0xFF));
  return b;
}

TEST(Png, TrueColourAndPaletteFilesRoundTripPixelForPixel) {
  const Bitmap colour = gradient(37, 23);
  const Bitmap back = ReadPng(WritePng(colour));
  EXPECT_EQ(back, colour);
  EXPECT_EQ(back.pixelFormat(), PixelFormat::pf24bit);

  Bitmap indexed(9, 5, PixelFormat::pf8bit, clWhite);
  indexed.setPixel(1, 1, clRed);
  indexed.setPixel(8, 4, clTeal);
  const Bitmap read = ReadPng(WritePng(indexed));
  EXPECT_EQ(read, indexed);
  EXPECT_EQ(read.pixelFormat(), PixelFormat::pf8bit);
  EXPECT_EQ(read.pixel(8, 4), clTeal);
}

TEST(Png, TransparentPixelsShowOverWhite) {
  QImage image(2, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, qRgba(0, 0, 0, 0));
  image.setPixel(1, 0, qRgba(255, 0, 0, 255));
  const Bitmap b = ReadPng(pngOf(image));
  EXPECT_EQ(b.pixel(0, 0), clWhite);
  EXPECT_EQ(b.pixel(1, 0), RGB(255, 0, 0));
}

TEST(Png, DamagedAndOversizedFilesAreRefusedWithAMessage) {
  QByteArray good = WritePng(gradient(40, 40));
  for (const QByteArray &bad : {QByteArray(), good.left(8), good.left(good.size() / 2), QByteArray(300, 'x')}) {
    try {
      ReadPng(bad);
      ADD_FAILURE() << "read " << bad.size() << " bytes";
    } catch (const Error &e) {
      EXPECT_TRUE(e.message().startsWith("Invalid PNG image")) << e.message().toStdString();
    }
  }
  // 65535 x 65535 in the header: refused before any pixel is allocated.
  QByteArray huge = good;
  for (int i = 16; i < 24; ++i)
    huge[i] = char(i % 4 < 2 ? 0x00 : 0xFF);
  EXPECT_THROW(ReadPng(huge), Error);
}

TEST(Png, PicturesOpenAndSaveByTheExtension) {
  test::TempDir dir;
  const Bitmap b = gradient(16, 16);
  ASSERT_TRUE(CanSavePicture(dir.path("a.PNG")));
  EXPECT_FALSE(CanSavePicture(dir.path("a.xyz")));
  ASSERT_TRUE(SavePicture(dir.path("a.PNG"), b, 25));
  const Picture p = LoadPicture(dir.path("a.PNG"));
  EXPECT_EQ(p.kind, Picture::Kind::Bitmap);
  EXPECT_EQ(p.bitmap, b);
}

} // namespace
