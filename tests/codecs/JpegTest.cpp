#include "codecs/Jpeg.h"
#include "ImageMetrics.h"
#include "core/TextFiles.h"
#include "platform/Errors.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

namespace {

const Bitmap &photo() {
  static const Bitmap b = PhotoLike(200, 120);
  return b;
}

const QByteArray &photoJpeg() {
  static const QByteArray bytes = EncodeJpeg(photo(), 90);
  return bytes;
}

bool isGrey(const Bitmap &b) {
  for (TColor c : b.palette())
    if (GetRValue(c) != GetGValue(c) || GetGValue(c) != GetBValue(c))
      return false;
  return true;
}

TEST(JpegRoundTrip, DecodedPixelsStayCloseToTheOriginal) {
  const Bitmap decoded = DecodeJpeg(photoJpeg());
  ASSERT_EQ(decoded.width(), 200);
  ASSERT_EQ(decoded.height(), 120);
  EXPECT_EQ(decoded.pixelFormat(), PixelFormat::pf24bit);
  EXPECT_GE(Psnr(decoded, photo()), 32.0);
  EXPECT_FALSE(IsProgressiveJpeg(photoJpeg()));
}

TEST(JpegEncode, HigherQualityMakesALargerFile) {
  const QByteArray q90 = EncodeJpeg(photo(), 90), q5 = EncodeJpeg(photo(), 5);
  EXPECT_GT(q90.size(), q5.size());
  EXPECT_GT(Psnr(DecodeJpeg(q90), photo()), Psnr(DecodeJpeg(q5), photo()));
  // out-of-range qualities are clamped, not refused
  EXPECT_EQ(EncodeJpeg(photo(), 500), EncodeJpeg(photo(), 100));
}

struct OptionCase {
  const char *name;
  int scale;
  bool quantize, grayscale, fast;
  int width, height;
  PixelFormat format;
};

class JpegDecodeOption : public ::testing::TestWithParam<OptionCase> {};

TEST_P(JpegDecodeOption, GivesTheRightSizeAndColours) {
  const OptionCase &c = GetParam();
  JpegDecodeOptions options;
  options.scaleDenominator = c.scale;
  options.quantize = c.quantize;
  options.grayscale = c.grayscale;
  options.fast = c.fast;
  const Bitmap b = DecodeJpeg(photoJpeg(), options);
  EXPECT_EQ(b.width(), c.width);
  EXPECT_EQ(b.height(), c.height);
  EXPECT_EQ(b.pixelFormat(), c.format);
  if (c.quantize || c.grayscale) {
    EXPECT_LE(b.palette().size(), JpegPaletteColors);
    EXPECT_LE(ColorCount(b), JpegPaletteColors);
    EXPECT_GT(ColorCount(b), 16);
    EXPECT_EQ(isGrey(b), c.grayscale);
    EXPECT_GE(Psnr(b, c.grayscale ? b : DecodeJpeg(photoJpeg(), {c.scale})), c.grayscale ? 99.0 : 20.0);
  } else {
    EXPECT_GT(ColorCount(b), 236);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Options, JpegDecodeOption,
    ::testing::Values(OptionCase{"full", 1, false, false, false, 200, 120, PixelFormat::pf24bit},
                      OptionCase{"half", 2, false, false, false, 100, 60, PixelFormat::pf24bit},
                      OptionCase{"quarter", 4, false, false, false, 50, 30, PixelFormat::pf24bit},
                      OptionCase{"eighth", 8, false, false, true, 25, 15, PixelFormat::pf24bit},
                      OptionCase{"colours236_accurate", 1, true, false, false, 200, 120, PixelFormat::pf8bit},
                      OptionCase{"colours236_fast", 1, true, false, true, 200, 120, PixelFormat::pf8bit},
                      OptionCase{"grey", 1, false, true, false, 200, 120, PixelFormat::pf8bit},
                      OptionCase{"grey_eighth_fast", 8, false, true, true, 25, 15, PixelFormat::pf8bit}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(JpegDecode, OddScaleFallsBackToFullSize) {
  JpegDecodeOptions options;
  options.scaleDenominator = 3;
  EXPECT_EQ(DecodeJpeg(photoJpeg(), options).width(), 200);
}

TEST(JpegProgressive, IsDetectedAndShownScanByScan) {
  const QByteArray bytes = ReadFileBytes(testDataPath("codecs/progressive.jpg"));
  ASSERT_TRUE(IsProgressiveJpeg(bytes));
  int calls = 0;
  Bitmap last;
  JpegDecodeOptions options;
  options.progressiveDisplay = true;
  options.progress = [&](const Bitmap &b) {
    ++calls;
    last = b;
  };
  const Bitmap progressive = DecodeJpeg(bytes, options);
  EXPECT_GT(calls, 2);
  EXPECT_EQ(last, progressive);
  // the last scan gives the same picture as a plain decode
  EXPECT_GE(Psnr(progressive, DecodeJpeg(bytes)), 45.0);
}

TEST(JpegProgressive, QuantisedScanByScanStaysWithin236Colours) {
  JpegDecodeOptions options;
  options.progressiveDisplay = true;
  options.quantize = true;
  const Bitmap b = DecodeJpeg(ReadFileBytes(testDataPath("codecs/progressive.jpg")), options);
  EXPECT_LE(ColorCount(b), JpegPaletteColors);
}

TEST(JpegDecode, BaselineFileReportsRowBandsWhenAskedForProgress) {
  int calls = 0;
  JpegDecodeOptions options;
  options.progress = [&](const Bitmap &) { ++calls; };
  DecodeJpeg(EncodeJpeg(PhotoLike(40, 200), 50), options);
  EXPECT_EQ(calls, 3); // after rows 64, 128 and 192
}

struct JpegBadCase {
  const char *name;
  QByteArray bytes;
  const char *message; // libjpeg's own words
};

class JpegBadInput : public ::testing::TestWithParam<JpegBadCase> {};

TEST_P(JpegBadInput, RaisesLibjpegsMessage) {
  try {
    DecodeJpeg(GetParam().bytes);
    FAIL() << "no error";
  } catch (const Error &e) {
    EXPECT_TRUE(e.message().contains(QLatin1String(GetParam().message))) << e.message().toStdString();
  }
}

QByteArray hugeJpeg() {
  QByteArray b = EncodeJpeg(PhotoLike(16, 16), 50);
  const int sof = b.indexOf("\xFF\xC0");
  // 60000 x 60000: within libjpeg's limits, above our pixel limit
  b[sof + 5] = b[sof + 7] = char(0xEA);
  b[sof + 6] = b[sof + 8] = char(0x60);
  return b;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JpegBadInput,
    ::testing::Values(JpegBadCase{"not_jpeg", QByteArray("GIF89a and more bytes"), "Not a JPEG file"},
                      JpegBadCase{"empty", QByteArray(), "Empty input"},
                      JpegBadCase{"header_only", EncodeJpeg(PhotoLike(16, 16), 50).left(20), "contains no image"},
                      JpegBadCase{"huge", hugeJpeg(), "Invalid picture size"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(JpegDecode, TruncatedDataStillDecodesWhatIsThere) {
  // libjpeg pads a cut-off stream with grey and warns; the picture keeps its size
  const QByteArray bytes = photoJpeg().left(photoJpeg().size() / 2);
  const Bitmap b = DecodeJpeg(bytes);
  EXPECT_EQ(b.width(), 200);
}

} // namespace
