#include "imagetools/JpegTrial.h"
#include "ImageToolsTestSupport.h"
#include "codecs/Bmp.h"
#include "core/Error.h"
#include "core/TextFiles.h"
#include "support/TestHelpers.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

namespace {

TEST(FitQuality, FindsTheHighestFittingQualityInSevenEncodesAtMost) {
  const Bitmap any(2, 2);
  // Sizes that grow with the quality, with a plateau, as real encoders' do.
  auto sizeOf = [](int q) { return q < 40 ? 1000 + q * 10 : q < 60 ? 1400 : 1400 + (q - 59) * 25; };
  const JpegEncoder fake = [&](const Bitmap &, int q) { return QByteArray(sizeOf(q), 'j'); };
  for (qint64 max = 900; max <= 2500; max += 7) {
    int expected = 0;
    for (int q = 1; q <= 100; ++q)
      if (sizeOf(q) <= max)
        expected = q;
    const QualityFit fit = FitQuality(any, max, fake);
    ASSERT_EQ(fit.quality, expected) << "max " << max;
    EXPECT_LE(fit.encodes, 7);
    if (expected > 0)
      EXPECT_EQ(fit.jpeg.size(), sizeOf(expected));
    else
      EXPECT_EQ(fit.smallest, sizeOf(1));
  }
}

TEST(FitQuality, TheRealEncoderFitsAndOneQualityMoreWouldNot) {
  const Bitmap photo = PhotoLike(160, 120);
  const qint64 max = 6000;
  const QualityFit fit = FitQuality(photo, max);
  ASSERT_GT(fit.quality, 1);
  ASSERT_LT(fit.quality, 100);
  EXPECT_EQ(fit.jpeg, EncodeJpeg(photo, fit.quality));
  EXPECT_LE(fit.jpeg.size(), max);
  EXPECT_GT(EncodeJpeg(photo, fit.quality + 1).size(), max);
}

TEST(JpegQuality, OnlyWholeNumbersFromOneToAHundred) {
  EXPECT_EQ(ParseJpegQuality("30"), 30);
  EXPECT_EQ(ParseJpegQuality(" 7 "), 7);
  EXPECT_EQ(ParseJpegQuality("100"), 100);
  for (const char *bad : {"", "0", "101", "abc", "3.5", "-5"})
    EXPECT_THROW(ParseJpegQuality(bad), Error) << bad;
}

TEST(PicturePixels, ReadFromTheHeaderOfBitmapsAndJpegs) {
  TempDir dir;
  const Bitmap b = PhotoLike(30, 20);
  EXPECT_EQ(PicturePixels(dir.write("a.bmp", WriteBmp(b))), 600);
  EXPECT_EQ(PicturePixels(dir.write("a.jpeg", EncodeJpeg(b, 50))), 600);
  QByteArray topDown = WriteBmp(b);
  const qint32 negative = -20;
  topDown.replace(22, 4, reinterpret_cast<const char *>(&negative), 4);
  EXPECT_EQ(PicturePixels(dir.write("b.bmp", topDown)), 600);
  EXPECT_EQ(PicturePixels(dir.write("c.jpg", "not a jpeg")), 0);
  EXPECT_EQ(PicturePixels(dir.write("d.gif", "GIF89a")), 0);
}

class Trial : public testing::Test {
protected:
  TempDir dir;
  JpegTrial trial{dir.path("temp.jpg")};
  Bitmap photo = PhotoLike(64, 48);
  QString bmp = dir.write("photo.bmp", WriteBmp(photo));
  using B = PixmundButtons;
};

TEST_F(Trial, TheButtonsFollowTheirTable) {
  EXPECT_EQ(trial.buttons(), (B{true, false, false, false}));
  EXPECT_EQ(trial.opened(bmp, photo, 30), JpegTrial::Kind::Bitmap);
  EXPECT_EQ(trial.buttons(), (B{true, true, false, true}));
  trial.test(90);
  EXPECT_EQ(trial.buttons(), (B{false, true, true, false}));
  trial.accept(60);
  EXPECT_EQ(trial.buttons(), (B{true, true, false, true}));
  const QString jpg = dir.write("p.jpg", EncodeJpeg(photo, 50));
  EXPECT_EQ(trial.opened(jpg, photo, 30), JpegTrial::Kind::Jpeg);
  EXPECT_EQ(trial.buttons(), (B{true, false, false, false}));
  // A picture of another kind keeps the buttons and becomes the one opened.
  trial.opened(bmp, photo, 30);
  trial.test(50);
  EXPECT_EQ(trial.opened(dir.write("i.ico", BlueIconFile(8)), photo, 30), JpegTrial::Kind::Other);
  EXPECT_EQ(trial.buttons(), (B{false, true, true, false}));
  EXPECT_EQ(trial.openName(), dir.path("i.ico"));
}

TEST_F(Trial, SaveRightAfterOpenWritesTheQualityOfTheOpen) {
  trial.opened(bmp, photo, 30);
  trial.save(dir.path("out.jpg"), 90);
  EXPECT_EQ(dir.read("out.jpg"), EncodeJpeg(photo, 30));
  // Released by the save: a second save compresses again at the quality given then.
  EXPECT_FALSE(trial.hasWorkJpeg());
  trial.save(dir.path("again.whatever"), 70);
  EXPECT_EQ(dir.read("again.whatever"), EncodeJpeg(photo, 70));
}

TEST_F(Trial, EachTestOverwritesTheTemporaryFileAndOkDecidesWhatIsSaved) {
  trial.opened(bmp, photo, 30);
  const qint64 fine = trial.test(90);
  EXPECT_EQ(dir.read("temp.jpg"), EncodeJpeg(photo, 90));
  const qint64 coarse = trial.test(5);
  EXPECT_LT(coarse, fine);
  EXPECT_EQ(QFileInfo(dir.path("temp.jpg")).size(), coarse);
  trial.accept(5);
  trial.save(dir.path("out.jpg"), 90);
  EXPECT_EQ(dir.read("out.jpg"), EncodeJpeg(photo, 5));
  EXPECT_EQ(trial.originalSize(), QFileInfo(bmp).size());
}

TEST_F(Trial, AFittedTrialIsWrittenAndNoFitIsAnError) {
  trial.opened(bmp, photo, 30);
  const QualityFit fit = FitQuality(trial.source(), 3000);
  ASSERT_GT(fit.quality, 0);
  EXPECT_EQ(trial.testFitted(fit), fit.jpeg.size());
  EXPECT_EQ(dir.read("temp.jpg"), fit.jpeg);
  EXPECT_TRUE(trial.buttons().TestOK);
  const QByteArray before = dir.read("temp.jpg");
  EXPECT_THROW(trial.testFitted(FitQuality(trial.source(), 10)), Error);
  EXPECT_EQ(dir.read("temp.jpg"), before);
}

TEST_F(Trial, TrialsCompressThePictureAsOpenedEvenWhenItsFileIsGone) {
  EXPECT_THROW(trial.test(30), Error);
  EXPECT_EQ(trial.buttons(), (B{true, false, false, false}));
  trial.opened(bmp, photo, 30);
  QFile::remove(bmp);
  trial.test(30);
  EXPECT_EQ(dir.read("temp.jpg"), EncodeJpeg(photo, 30));
}

} // namespace
