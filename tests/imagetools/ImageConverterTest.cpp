#include "imagetools/ImageConverter.h"
#include "ImageToolsTestSupport.h"
#include "codecs/Bmp.h"
#include "codecs/Gif.h"
#include "codecs/Jpeg.h"
#include "core/Error.h"
#include "core/TextFiles.h"
#include "support/TestHelpers.h"

#include <QFile>
#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

namespace {

class Converter : public testing::Test {
protected:
  TempDir dir;
  ImageConverter converter;
  Bitmap photo = PhotoLike(48, 32);
  QString bmp = dir.write("photo.bmp", WriteBmp(photo));
};

TEST_F(Converter, AGifSavedAsJpgIsShownAsTheQuality25File) {
  const Bitmap palette = ReadGif(WriteGif(photo)).bitmap;
  converter.open(dir.write("in.gif", WriteGif(photo)));
  EXPECT_EQ(converter.caption(), "Halcyne - in.gif");
  EXPECT_EQ(converter.extension(), ".GIF");
  ASSERT_TRUE(converter.hasWorkBitmap());
  EXPECT_EQ(*converter.workBitmap(), palette);

  converter.saveAs(dir.path("x.jpg"));
  const QByteArray written = dir.read("x.jpg");
  EXPECT_EQ(written, EncodeJpeg(palette, 25));
  EXPECT_EQ(converter.caption(), "Halcyne - x.jpg");
  EXPECT_EQ(converter.fileName(), dir.path("x.jpg"));
  EXPECT_EQ(converter.saveExtension(), ".JPG");
  EXPECT_FALSE(converter.hasWorkBitmap());
  EXPECT_EQ(converter.shown().bitmap, DecodeJpeg(written));
}

TEST_F(Converter, EveryWritableExtensionWritesItsFormat) {
  converter.open(bmp);
  converter.saveAs(dir.path("a.jpeg"));
  EXPECT_TRUE(dir.read("a.jpeg").startsWith("\xFF\xD8"));
  // After a save there is no bitmap from Open: the picture shown is converted.
  converter.saveAs(dir.path("b.GIF"));
  EXPECT_TRUE(dir.read("b.GIF").startsWith("GIF8"));
  converter.open(bmp);
  converter.saveAs(dir.path("c.png"));
  EXPECT_EQ(converter.shown().bitmap, photo);
  converter.saveAs(dir.path("d.bmp"));
  EXPECT_EQ(ReadBmp(dir.read("d.bmp")), photo);
}

TEST_F(Converter, AnExtensionItCannotWriteIsRefusedAndChangesNothing) {
  converter.open(bmp);
  try {
    converter.saveAs(dir.path("x.xyz"));
    FAIL() << "saved as .xyz";
  } catch (const Error &e) {
    EXPECT_EQ(e.message(), "Cannot save \"x.xyz\": Halcyne writes GIF, JPEG, PNG or BMP files; give the name "
                           "one of their extensions.");
  }
  EXPECT_FALSE(QFile::exists(dir.path("x.xyz")));
  EXPECT_EQ(converter.caption(), "Halcyne - photo.bmp");
  EXPECT_TRUE(converter.hasWorkBitmap());
  EXPECT_TRUE(converter.saveName().isEmpty());
}

TEST_F(Converter, AFileItCannotReadIsNamedButTheOldPictureStays) {
  converter.open(bmp);
  EXPECT_THROW(converter.open(dir.write("bad.gif", "GIF89a\x01")), Error);
  EXPECT_EQ(converter.caption(), "Halcyne - bad.gif");
  EXPECT_EQ(converter.shown().bitmap, photo);
  EXPECT_EQ(*converter.workBitmap(), photo);

  // A kind it does not read changes the names only.
  converter.open(dir.write("notes.txt", "text"));
  EXPECT_EQ(converter.extension(), ".TXT");
  EXPECT_EQ(converter.shown().bitmap, photo);
}

TEST_F(Converter, IconsAreDrawnAtTheirOwnSizeOverWhite) {
  converter.open(dir.write("blue.ico", BlueIconFile(16)));
  ASSERT_TRUE(converter.hasWorkBitmap());
  EXPECT_EQ(converter.workBitmap()->width(), 16);
  converter.saveAs(dir.path("blue.bmp"));
  const Bitmap saved = ReadBmp(dir.read("blue.bmp"));
  EXPECT_EQ(saved.pixel(0, 0), clWhite);
  EXPECT_EQ(saved.pixel(5, 7), clBlue);
}

TEST_F(Converter, NothingToSaveOrNowhereToWriteIsAnErrorThatKeepsTheState) {
  EXPECT_THROW(converter.saveAs(dir.path("x.bmp")), Error);
  EXPECT_FALSE(QFile::exists(dir.path("x.bmp")));
  converter.open(bmp);
  EXPECT_THROW(converter.saveAs(dir.path("missing/folder/x.bmp")), Error);
  EXPECT_TRUE(converter.hasWorkBitmap());
  EXPECT_EQ(converter.caption(), "Halcyne - photo.bmp");
}

} // namespace
