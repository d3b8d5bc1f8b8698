// CMYK and YCCK files, as print workflows and stock photos carry them, decode to the RGB the
// inks make, with every decoder option. The files are made here with libjpeg's own encoder.

#include "ImageMetrics.h"
#include "codecs/Jpeg.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include <jpeglib.h>

using namespace corvana;
using namespace corvana::test;

namespace {

enum class Storage {
  PlainCmyk, // no Adobe marker: values are ink amounts
  AdobeCmyk, // Adobe marker: values are 255 - ink
  AdobeYcck, // Adobe marker, stored as YCCK
};

using Ink = std::array<int, 4>; // cyan, magenta, yellow, black; 0..255

// Four solid 16 x 16 patches, two by two: whole blocks, so the patch centres come back true.
constexpr int Patch = 16;
const std::array<Ink, 4> kInks{{{255, 0, 0, 0}, {0, 255, 255, 0}, {0, 0, 0, 128}, {64, 128, 0, 32}}};

TColor expectedRgb(const Ink &ink) {
  auto channel = [&](int v) { return (255 - v) * (255 - ink[3]) / 255; };
  return RGB(channel(ink[0]), channel(ink[1]), channel(ink[2]));
}

QByteArray encodeCmyk(Storage storage, bool progressive = false) {
  jpeg_compress_struct c{};
  jpeg_error_mgr err{};
  c.err = jpeg_std_error(&err);
  jpeg_create_compress(&c);
  unsigned char *buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&c, &buffer, &size);
  c.image_width = 2 * Patch;
  c.image_height = 2 * Patch;
  c.input_components = 4;
  c.in_color_space = JCS_CMYK;
  jpeg_set_defaults(&c);
  if (storage == Storage::AdobeYcck)
    jpeg_set_colorspace(&c, JCS_YCCK);
  c.write_Adobe_marker = storage == Storage::PlainCmyk ? FALSE : TRUE;
  jpeg_set_quality(&c, 95, TRUE);
  if (progressive)
    jpeg_simple_progression(&c);
  jpeg_start_compress(&c, TRUE);
  std::vector<JSAMPLE> row(size_t(c.image_width) * 4);
  while (c.next_scanline < c.image_height) {
    const int y = int(c.next_scanline);
    for (int x = 0; x < int(c.image_width); ++x) {
      const Ink &ink = kInks[(y / Patch) * 2 + x / Patch];
      for (int i = 0; i < 4; ++i)
        row[size_t(x) * 4 + i] = JSAMPLE(storage == Storage::PlainCmyk ? ink[i] : 255 - ink[i]);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&c, rows, 1);
  }
  jpeg_finish_compress(&c);
  jpeg_destroy_compress(&c);
  QByteArray out(reinterpret_cast<const char *>(buffer), qsizetype(size));
  std::free(buffer);
  return out;
}

int grey(TColor c) { return (299 * GetRValue(c) + 587 * GetGValue(c) + 114 * GetBValue(c) + 500) / 1000; }

struct CmykCase {
  const char *name;
  Storage storage;
  int scale;
  bool quantize, grayscale, fast;
  PixelFormat format;
};

class JpegCmyk : public ::testing::TestWithParam<CmykCase> {};

TEST_P(JpegCmyk, DecodesToTheColoursOfTheInks) {
  const CmykCase &p = GetParam();
  JpegDecodeOptions options;
  options.scaleDenominator = p.scale;
  options.quantize = p.quantize;
  options.grayscale = p.grayscale;
  options.fast = p.fast;
  const Bitmap b = DecodeJpeg(encodeCmyk(p.storage), options);
  const int side = 2 * Patch / p.scale;
  ASSERT_EQ(b.width(), side);
  ASSERT_EQ(b.height(), side);
  EXPECT_EQ(b.pixelFormat(), p.format);
  if (p.quantize || p.grayscale) {
    EXPECT_LE(b.palette().size(), JpegPaletteColors);
  }
  constexpr int Tolerance = 8;
  for (int i = 0; i < 4; ++i) {
    const TColor want = expectedRgb(kInks[i]);
    const TColor got = b.pixel((i % 2) * side / 2 + side / 4, (i / 2) * side / 2 + side / 4);
    SCOPED_TRACE(testing::Message() << "patch " << i << " got " << std::hex << got << " want " << want);
    if (p.grayscale) {
      EXPECT_EQ(GetRValue(got), GetGValue(got));
      EXPECT_EQ(GetGValue(got), GetBValue(got));
      EXPECT_NEAR(GetRValue(got), grey(want), Tolerance);
    } else {
      EXPECT_NEAR(GetRValue(got), GetRValue(want), Tolerance);
      EXPECT_NEAR(GetGValue(got), GetGValue(want), Tolerance);
      EXPECT_NEAR(GetBValue(got), GetBValue(want), Tolerance);
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, JpegCmyk,
    ::testing::Values(CmykCase{"plain_cmyk", Storage::PlainCmyk, 1, false, false, false, PixelFormat::pf24bit},
                      CmykCase{"adobe_inverted_cmyk", Storage::AdobeCmyk, 1, false, false, false, PixelFormat::pf24bit},
                      CmykCase{"adobe_ycck", Storage::AdobeYcck, 1, false, false, false, PixelFormat::pf24bit},
                      CmykCase{"cmyk_half_scale_fast", Storage::AdobeCmyk, 2, false, false, true, PixelFormat::pf24bit},
                      CmykCase{"ycck_quarter_scale", Storage::AdobeYcck, 4, false, false, false, PixelFormat::pf24bit},
                      CmykCase{"cmyk_236_colours", Storage::AdobeCmyk, 1, true, false, false, PixelFormat::pf8bit},
                      CmykCase{"ycck_236_colours_fast", Storage::AdobeYcck, 1, true, false, true, PixelFormat::pf8bit},
                      CmykCase{"cmyk_grey", Storage::PlainCmyk, 1, false, true, false, PixelFormat::pf8bit},
                      CmykCase{"ycck_grey_fast_half", Storage::AdobeYcck, 2, false, true, true, PixelFormat::pf8bit}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(JpegCmyk, GreyOutputHasAGreyPalette) {
  JpegDecodeOptions options;
  options.grayscale = true;
  const Bitmap b = DecodeJpeg(encodeCmyk(Storage::AdobeCmyk), options);
  ASSERT_FALSE(b.palette().isEmpty());
  for (TColor c : b.palette()) {
    EXPECT_EQ(GetRValue(c), GetGValue(c));
    EXPECT_EQ(GetGValue(c), GetBValue(c));
  }
}

TEST(JpegCmyk, ProgressiveFileShownScanByScanEndsWithTheReturnedPicture) {
  const QByteArray bytes = encodeCmyk(Storage::AdobeYcck, true);
  ASSERT_TRUE(IsProgressiveJpeg(bytes));
  for (bool quantize : {false, true}) {
    SCOPED_TRACE(quantize ? "quantised" : "true colour");
    int calls = 0;
    Bitmap last;
    JpegDecodeOptions options;
    options.progressiveDisplay = true;
    options.quantize = quantize;
    options.progress = [&](const Bitmap &b) {
      ++calls;
      last = b;
    };
    const Bitmap b = DecodeJpeg(bytes, options);
    EXPECT_GT(calls, 2);
    EXPECT_EQ(last, b);
    EXPECT_EQ(last.pixelFormat(), b.pixelFormat());
    if (quantize) {
      EXPECT_LE(ColorCount(b), JpegPaletteColors);
    }
    EXPECT_GE(Psnr(b, DecodeJpeg(bytes)), quantize ? 30.0 : 45.0);
  }
}

} // namespace
