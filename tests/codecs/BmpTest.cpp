#include "codecs/Bmp.h"
#include "platform/Errors.h"
#include "raster/ByteBuilder.h"
#include "raster/Dib.h"

#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::ByteBuilder;

namespace {

QByteArray bmpFile(const QByteArray &info, const QByteArray &bits) {
  ByteBuilder f;
  f.raw("BM").u32(quint32(14 + info.size() + bits.size())).u32(0).u32(quint32(14 + info.size()));
  return f.raw(info).raw(bits).bytes;
}

// A 40-byte header and a palette of $00BBGGRR colours.
QByteArray infoHeader(int w, int h, int bpp, quint32 compression, const QVector<TColor> &palette = {}) {
  ByteBuilder b;
  b.u32(40).i32(w).i32(h).u16(1).u16(bpp).u32(compression).u32(0).u32(0).u32(0).u32(quint32(palette.size())).u32(0);
  for (TColor c : palette)
    b.u8(GetBValue(c)).u8(GetGValue(c)).u8(GetRValue(c)).u8(0);
  return b.bytes;
}

Bitmap sample(PixelFormat format) {
  Bitmap bitmap(13, 7, format);
  for (int y = 0; y < bitmap.height(); ++y)
    for (int x = 0; x < bitmap.width(); ++x) {
      const TColor c = bitmap.hasPalette() ? bitmap.palette()[(x + 3 * y) % bitmap.palette().size()]
                                           : RGB(x * 19, y * 37, (x * y * 7) & 255);
      bitmap.setPixel(x, y, c);
    }
  return bitmap;
}

std::string rows(const Bitmap &b) {
  std::string out;
  for (int y = 0; y < b.height(); ++y) {
    for (int x = 0; x < b.width(); ++x) {
      const TColor c = b.pixel(x, y);
      out += c == clRed ? 'r' : c == clBlue ? 'b' : c == clBlack ? '#' : c == clWhite ? '.' : c == clLime ? 'g' : '?';
    }
    out += '/';
  }
  return out;
}

struct DepthCase {
  const char *name;
  PixelFormat format;
};

class BmpRoundTrip : public ::testing::TestWithParam<DepthCase> {};

TEST_P(BmpRoundTrip, KeepsDepthPaletteAndPixels) {
  const Bitmap original = sample(GetParam().format);
  const Bitmap read = ReadBmp(WriteBmp(original));
  EXPECT_EQ(read.pixelFormat(), original.pixelFormat());
  EXPECT_EQ(read.palette(), original.palette());
  EXPECT_EQ(read, original);
}

INSTANTIATE_TEST_SUITE_P(Depths, BmpRoundTrip,
                         ::testing::Values(DepthCase{"bits1", PixelFormat::pf1bit},
                                           DepthCase{"bits4", PixelFormat::pf4bit},
                                           DepthCase{"bits8", PixelFormat::pf8bit},
                                           DepthCase{"bits24", PixelFormat::pf24bit},
                                           DepthCase{"bits32", PixelFormat::pf32bit}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(BmpWrite, PaletteBitmapIsWrittenWithItsPaletteAtItsDepth) {
  Bitmap b(3, 1, PixelFormat::pf4bit);
  const QByteArray bytes = WriteBmp(b);
  EXPECT_EQ(bytes[28], char(4));                 // bits per pixel
  EXPECT_EQ(bytes.size(), 14 + 40 + 16 * 4 + 4); // one padded row
}

struct ReadCase {
  const char *name;
  QByteArray file;
  const char *expected; // rows top first, '/' after each
};

class BmpRead : public ::testing::TestWithParam<ReadCase> {};

TEST_P(BmpRead, DecodesTheVariant) { EXPECT_EQ(rows(ReadBmp(GetParam().file)), GetParam().expected); }

const QVector<TColor> kPalette{clBlack, clRed, clBlue};

QByteArray rle8() {
  ByteBuilder bits;
  bits.u8(4).u8(1).u8(0).u8(0);                         // bottom row: four reds, end of line
  bits.u8(0).u8(3).u8(2).u8(0).u8(1).u8(0).u8(1).u8(2); // absolute blue black red (+pad), one blue
  bits.u8(0).u8(1);                                     // end of bitmap
  return bmpFile(infoHeader(4, 2, 8, 1, kPalette), bits.bytes);
}

QByteArray rle4WithDelta() {
  ByteBuilder bits;
  bits.u8(0).u8(2).u8(1).u8(1); // delta: one right, one up; the skipped pixels keep entry 0
  bits.u8(3).u8(0x12).u8(0).u8(1);
  return bmpFile(infoHeader(4, 2, 4, 2, kPalette), bits.bytes);
}

QByteArray topDown24() {
  ByteBuilder bits;
  bits.u8(0).u8(0).u8(255).u8(255).u8(0).u8(0).zeros(2); // red, blue
  bits.u8(0).u8(0).u8(0).u8(255).u8(255).u8(255).zeros(2);
  return bmpFile(infoHeader(2, -2, 24, 0), bits.bytes);
}

QByteArray os2Core1bit() {
  ByteBuilder info;
  info.u32(12).u16(3).u16(1).u16(1).u16(1);
  info.u8(0).u8(0).u8(0).u8(0).u8(255).u8(0); // black, lime (BGR triples)
  return bmpFile(info.bytes, ByteBuilder().u8(0b10100000).zeros(3).bytes);
}

QByteArray bitfields565() {
  QByteArray info = infoHeader(2, 1, 16, 3);
  info.append(ByteBuilder().u32(0xF800).u32(0x07E0).u32(0x001F).bytes);
  return bmpFile(info, ByteBuilder().u16(0xF800).u16(0x001F).bytes);
}

QByteArray v5Alpha32() {
  ByteBuilder info;
  info.u32(124).i32(1).i32(1).u16(1).u16(32).u32(3).zeros(20);
  info.u32(0x00FF0000).u32(0x0000FF00).u32(0x000000FF).u32(0xFF000000).zeros(124 - 56);
  return bmpFile(info.bytes, ByteBuilder().u8(255).u8(0).u8(0).u8(128).bytes);
}

INSTANTIATE_TEST_SUITE_P(
    Variants, BmpRead,
    ::testing::Values(ReadCase{"rle8", rle8(), "b#rb/rrrr/"}, ReadCase{"rle4_delta", rle4WithDelta(), "#rbr/####/"},
                      ReadCase{"top_down_24", topDown24(), "rb/#./"}, ReadCase{"os2_core_1bit", os2Core1bit(), "g#g/"},
                      ReadCase{"bitfields_565", bitfields565(), "rb/"}, ReadCase{"v5_header_32", v5Alpha32(), "b/"},
                      ReadCase{"index_out_of_range",
                               bmpFile(infoHeader(1, 1, 8, 0, kPalette), ByteBuilder().u8(9).zeros(3).bytes), "#/"}),
    [](const auto &info) { return std::string(info.param.name); });

struct PastPaletteCase {
  const char *name;
  int bpp;
  quint32 compression;
  QByteArray bits; // two pixels: red (entry 1), then an index past the two-entry palette
};

class BmpIndexPastPalette : public ::testing::TestWithParam<PastPaletteCase> {};

TEST_P(BmpIndexPastPalette, DrawsEntry0AndKeepsTheFilesPalette) {
  const PastPaletteCase &p = GetParam();
  const QVector<TColor> palette{clLime, clRed};
  const Bitmap b = ReadBmp(bmpFile(infoHeader(2, 1, p.bpp, p.compression, palette), p.bits));
  EXPECT_EQ(rows(b), "rg/");
  EXPECT_EQ(b.palette(), palette);
}

INSTANTIATE_TEST_SUITE_P(
    Depths, BmpIndexPastPalette,
    ::testing::Values(PastPaletteCase{"bits4", 4, BI_RGB, ByteBuilder().u8(0x1F).zeros(3).bytes},
                      PastPaletteCase{"bits8", 8, BI_RGB, ByteBuilder().u8(1).u8(200).zeros(2).bytes},
                      PastPaletteCase{"rle8", 8, BI_RLE8, ByteBuilder().u8(1).u8(1).u8(1).u8(77).u8(0).u8(1).bytes},
                      PastPaletteCase{"rle4", 4, BI_RLE4, ByteBuilder().u8(2).u8(0x1E).u8(0).u8(1).bytes}),
    [](const auto &info) { return std::string(info.param.name); });

// A 3 x 2 16-bit file from raw pixel words (bottom row first, each row padded to 8 bytes).
QByteArray file16(bool bitfields, const quint32 (&masks)[3], const QVector<quint16> &words) {
  QByteArray info = infoHeader(3, 2, 16, bitfields ? BI_BITFIELDS : BI_RGB);
  if (bitfields)
    info.append(ByteBuilder().u32(masks[0]).u32(masks[1]).u32(masks[2]).bytes);
  ByteBuilder bits;
  for (int i = 0; i < words.size(); ++i) {
    bits.u16(words[i]);
    if (i % 3 == 2)
      bits.zeros(2);
  }
  return bmpFile(info, bits.bytes);
}

struct SixteenCase {
  const char *name;
  bool bitfields;
  quint32 masks[3];
  PixelFormat format;
  quint32 writtenCompression;
  QVector<quint16> words;
};

class Bmp16Bit : public ::testing::TestWithParam<SixteenCase> {};

TEST_P(Bmp16Bit, IsSavedAtSixteenBitsWithTheSamePixelWords) {
  const SixteenCase &p = GetParam();
  const QByteArray source = file16(p.bitfields, p.masks, p.words);
  const Bitmap read = ReadBmp(source);
  EXPECT_EQ(read.pixelFormat(), p.format);
  const QByteArray saved = WriteBmp(read);
  ByteReader header(saved);
  header.seek(10);
  const quint32 offset = header.u32();
  header.seek(28);
  EXPECT_EQ(header.u16(), 16); // bits per pixel
  EXPECT_EQ(header.u32(), p.writtenCompression);
  if (p.writtenCompression == BI_BITFIELDS) {
    header.seek(54);
    EXPECT_EQ(header.u32(), p.masks[0]);
    EXPECT_EQ(header.u32(), p.masks[1]);
    EXPECT_EQ(header.u32(), p.masks[2]);
  }
  const QByteArray sourceBits = source.mid(source.size() - 16);
  EXPECT_EQ(saved.mid(offset).toHex(' '), sourceBits.toHex(' '));
  EXPECT_EQ(ReadBmp(saved), read);
}

// Extremes and in-between values of every field; the 5-5-5 words leave the top bit clear.
INSTANTIATE_TEST_SUITE_P(Layouts, Bmp16Bit,
                         ::testing::Values(SixteenCase{"rgb555",
                                                       false,
                                                       {0x7C00, 0x03E0, 0x001F},
                                                       PixelFormat::pf15bit,
                                                       BI_RGB,
                                                       {0x0000, 0x7FFF, 0x7C00, 0x03E0, 0x001F, 0x2D6B}},
                                           SixteenCase{"bitfields555",
                                                       true,
                                                       {0x7C00, 0x03E0, 0x001F},
                                                       PixelFormat::pf15bit,
                                                       BI_RGB,
                                                       {0x0421, 0x7BDE, 0x4210, 0x1234, 0x5555, 0x2AAA}},
                                           SixteenCase{"bitfields565",
                                                       true,
                                                       {0xF800, 0x07E0, 0x001F},
                                                       PixelFormat::pf16bit,
                                                       BI_BITFIELDS,
                                                       {0x0000, 0xFFFF, 0xF800, 0x07E0, 0x0020, 0x8410}}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(Bmp16Bit, FileFromOurWriterComesBackByteForByte) {
  for (PixelFormat format : {PixelFormat::pf15bit, PixelFormat::pf16bit}) {
    const Bitmap drawn = sample(format); // colours off the 16-bit grid
    const QByteArray first = WriteBmp(drawn);
    const Bitmap read = ReadBmp(first);
    EXPECT_EQ(read.pixelFormat(), format);
    EXPECT_EQ(WriteBmp(read), first);
    for (int y = 0; y < drawn.height(); ++y)
      for (int x = 0; x < drawn.width(); ++x) {
        const TColor a = drawn.pixel(x, y), b = read.pixel(x, y);
        EXPECT_NEAR(GetRValue(a), GetRValue(b), 5);
        EXPECT_NEAR(GetGValue(a), GetGValue(b), 5);
        EXPECT_NEAR(GetBValue(a), GetBValue(b), 5);
      }
  }
}

TEST(Bmp16Bit, OtherMasksStayTrueColour) {
  const quint32 masks444[3] = {0x0F00, 0x00F0, 0x000F};
  const Bitmap b = ReadBmp(file16(true, masks444, {0x0F00, 0x00F0, 0x000F, 0, 0, 0}));
  EXPECT_EQ(b.pixelFormat(), PixelFormat::pf24bit);
  EXPECT_EQ(b.pixel(0, 1), clRed);
}

struct BadCase {
  const char *name;
  QByteArray file;
  const char *message;
};

class BmpBadInput : public ::testing::TestWithParam<BadCase> {};

TEST_P(BmpBadInput, RaisesAClearError) {
  try {
    ReadBmp(GetParam().file);
    FAIL() << "no error";
  } catch (const Error &e) {
    EXPECT_TRUE(e.message().contains(QLatin1String(GetParam().message))) << e.message().toStdString();
  }
}

QByteArray truncated() {
  QByteArray f = WriteBmp(sample(PixelFormat::pf24bit));
  f.chop(40);
  return f;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, BmpBadInput,
    ::testing::Values(
        BadCase{"wrong_magic", QByteArray("PM") + WriteBmp(sample(PixelFormat::pf8bit)).mid(2), "not valid"},
        BadCase{"empty", QByteArray(), "not valid"},
        BadCase{"header_cut", WriteBmp(sample(PixelFormat::pf8bit)).left(30), "truncated"},
        BadCase{"bits_cut", truncated(), "truncated"},
        BadCase{"huge", bmpFile(infoHeader(30000, 30000, 24, 0), QByteArray(16, '\0')), "size"},
        BadCase{"zero_width", bmpFile(infoHeader(0, 5, 24, 0), QByteArray(16, '\0')), "size"},
        BadCase{"rle_run_past_line", bmpFile(infoHeader(4, 1, 8, 1, kPalette), ByteBuilder().u8(9).u8(1).bytes), "RLE"},
        BadCase{"rle_data_ends", bmpFile(infoHeader(4, 2, 8, 1, kPalette), ByteBuilder().u8(4).u8(1).bytes), "RLE"},
        BadCase{"bad_depth", bmpFile(infoHeader(1, 1, 7, 0), QByteArray(4, '\0')), "bits per pixel"}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
