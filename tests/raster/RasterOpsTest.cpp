#include "raster/RasterOps.h"
#include "PixelDump.h"
#include "raster/Canvas.h"

#include <gtest/gtest.h>

#include <functional>

using namespace corvana;

namespace {

constexpr TColor P = 0x00C35A0F, D = 0x0071A6E4, S = 0x00F0320C, B = 0x005599AA;

struct PenCase {
  const char *name;
  PenMode mode;
  std::function<quint32(quint32, quint32)> formula;
};

class PenModes : public testing::TestWithParam<PenCase> {};

// Every offered pen mode on a line and on a filled figure, against its formula.
TEST_P(PenModes, LineAndFigureFollowFormula) {
  const PenCase c = GetParam();
  const TColor expected = c.formula(P, D) & 0xFFFFFF;
  Bitmap b(6, 6, PixelFormat::pf32bit, D);
  Canvas canvas(b);
  canvas.pen.color = P;
  canvas.pen.mode = c.mode;
  canvas.MoveTo(0, 0);
  canvas.LineTo(3, 0);
  EXPECT_EQ(b.pixel(0, 0), expected);
  EXPECT_EQ(b.pixel(2, 0), expected);
  EXPECT_EQ(b.pixel(3, 0), D) << "end point excluded";
  // the brush fill of a figure goes through the pen mode with the brush colour
  canvas.brush.setColor(P);
  canvas.Rectangle(0, 2, 4, 6);
  EXPECT_EQ(b.pixel(0, 2), expected);
  EXPECT_EQ(b.pixel(1, 3), expected);
  EXPECT_EQ(b.pixel(4, 3), D);
  // fills outside figures ignore the mode
  canvas.FillRect({5, 0, 6, 1});
  EXPECT_EQ(b.pixel(5, 0), P);
  canvas.SetPixel(5, 1, P);
  EXPECT_EQ(b.pixel(5, 1), P);
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, PenModes,
    testing::Values(PenCase{"Copy", PenMode::Copy, [](quint32 p, quint32) { return p; }},
                    PenCase{"Xor", PenMode::Xor, [](quint32 p, quint32 d) { return p ^ d; }},
                    PenCase{"NotXor", PenMode::NotXor, [](quint32 p, quint32 d) { return ~(p ^ d); }},
                    PenCase{"Black", PenMode::Black, [](quint32, quint32) { return 0u; }},
                    PenCase{"White", PenMode::White, [](quint32, quint32) { return ~0u; }},
                    PenCase{"Not", PenMode::Not, [](quint32, quint32 d) { return ~d; }},
                    PenCase{"NotCopy", PenMode::NotCopy, [](quint32 p, quint32) { return ~p; }},
                    PenCase{"MergePenNot", PenMode::MergePenNot, [](quint32 p, quint32 d) { return p | ~d; }},
                    PenCase{"MaskPenNot", PenMode::MaskPenNot, [](quint32 p, quint32 d) { return p & ~d; }},
                    PenCase{"MergeNotPen", PenMode::MergeNotPen, [](quint32 p, quint32 d) { return ~p | d; }},
                    PenCase{"MaskNotPen", PenMode::MaskNotPen, [](quint32 p, quint32 d) { return ~p & d; }},
                    PenCase{"Merge", PenMode::Merge, [](quint32 p, quint32 d) { return p | d; }},
                    PenCase{"NotMerge", PenMode::NotMerge, [](quint32 p, quint32 d) { return ~(p | d); }},
                    PenCase{"Mask", PenMode::Mask, [](quint32 p, quint32 d) { return p & d; }},
                    PenCase{"NotMask", PenMode::NotMask, [](quint32 p, quint32 d) { return ~(p & d); }}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(PenModes, NopLeavesEverythingAlone) {
  Bitmap b(4, 4, PixelFormat::pf32bit, D);
  const Bitmap before = b;
  Canvas canvas(b);
  canvas.pen.mode = PenMode::Nop;
  canvas.Ellipse(0, 0, 4, 4);
  canvas.MoveTo(0, 0);
  canvas.LineTo(4, 4);
  EXPECT_EQ(b, before);
}

struct CopyCase {
  const char *name;
  CopyMode mode;
  std::function<quint32(quint32, quint32, quint32)> formula; // (s, d, b)
};

class CopyModes : public testing::TestWithParam<CopyCase> {};

TEST_P(CopyModes, BlockCopyFollowsFormula) {
  const CopyCase c = GetParam();
  Bitmap source(2, 2, PixelFormat::pf32bit, S);
  Bitmap b(4, 4, PixelFormat::pf32bit, D);
  Canvas canvas(b);
  canvas.brush.setColor(B);
  canvas.copyMode = c.mode;
  canvas.CopyRect({1, 1, 3, 3}, source, {0, 0, 2, 2});
  EXPECT_EQ(b.pixel(1, 1), c.formula(S, D, B) & 0xFFFFFF);
  EXPECT_EQ(b.pixel(2, 2), c.formula(S, D, B) & 0xFFFFFF);
  EXPECT_EQ(b.pixel(0, 0), D);
  EXPECT_EQ(b.pixel(3, 3), D);
}

INSTANTIATE_TEST_SUITE_P(
    Canvas, CopyModes,
    testing::Values(CopyCase{"Copy", cmSrcCopy, [](quint32 s, quint32, quint32) { return s; }},
                    CopyCase{"Black", cmBlackness, [](quint32, quint32, quint32) { return 0u; }},
                    CopyCase{"DestinationInvert", cmDstInvert, [](quint32, quint32 d, quint32) { return ~d; }},
                    CopyCase{"MergeCopy", cmMergeCopy, [](quint32 s, quint32, quint32 b) { return s & b; }},
                    CopyCase{"MergePaint", cmMergePaint, [](quint32 s, quint32 d, quint32) { return ~s | d; }},
                    CopyCase{"NotSourceCopy", cmNotSrcCopy, [](quint32 s, quint32, quint32) { return ~s; }},
                    CopyCase{"NotSourceErase", cmNotSrcErase, [](quint32 s, quint32 d, quint32) { return ~(s | d); }},
                    CopyCase{"SourceAnd", cmSrcAnd, [](quint32 s, quint32 d, quint32) { return s & d; }},
                    CopyCase{"SourceErase", cmSrcErase, [](quint32 s, quint32 d, quint32) { return s & ~d; }},
                    CopyCase{"SourceInvert", cmSrcInvert, [](quint32 s, quint32 d, quint32) { return s ^ d; }},
                    CopyCase{"SourcePaint", cmSrcPaint, [](quint32 s, quint32 d, quint32) { return s | d; }},
                    CopyCase{"White", cmWhiteness, [](quint32, quint32, quint32) { return ~0u; }},
                    CopyCase{"PatternInvert", cmPatInvert, [](quint32, quint32 d, quint32 b) { return b ^ d; }}),
    [](const auto &info) { return std::string(info.param.name); });

// Reference evaluation of a truth table, one minterm at a time.
quint32 Minterms(quint8 table, quint32 p, quint32 s, quint32 d) {
  quint32 r = 0;
  for (int i = 0; i < 8; ++i)
    if (table >> i & 1)
      r |= ((i & 4) ? p : ~p) & ((i & 2) ? s : ~s) & ((i & 1) ? d : ~d);
  return r;
}

TEST(Rop3, EveryTableMatchesItsMinterms) {
  const quint32 pats[8] = {0xFF123456, 0xFF00FF00, 0xFFFFFFFF, 0xFF000000,
                           0xFFA5A5A5, 0xFF123456, 0xFF0F0F0F, 0xFFCAFE00};
  const quint32 uniform[8] = {0xFF3C3C3C, 0xFF3C3C3C, 0xFF3C3C3C, 0xFF3C3C3C,
                              0xFF3C3C3C, 0xFF3C3C3C, 0xFF3C3C3C, 0xFF3C3C3C};
  for (int t = 0; t < 256; ++t) {
    const Rop3 op{quint8(t)};
    for (const quint32 *pat : {pats, uniform}) {
      quint32 src[11], dst[11], want[11];
      for (int i = 0; i < 11; ++i) {
        src[i] = 0xFF000000 | (0x9E3779u * quint32(i + 1));
        dst[i] = 0xFF000000 | (0x7F4A7Cu * quint32(i + 3));
        want[i] = Minterms(quint8(t), pat[(5 + i) & 7], src[i], dst[i]) | 0xFF000000;
      }
      op.span(dst, src, 11, pat, 5);
      for (int i = 0; i < 11; ++i)
        ASSERT_EQ(dst[i], want[i]) << "table " << t << " pixel " << i;
    }
  }
}

TEST(Rop3, TellsWhichOperandsItUses) {
  EXPECT_TRUE(Rop3(0xCC).usesSource());
  EXPECT_FALSE(Rop3(0xCC).usesPattern());
  EXPECT_FALSE(Rop3(0xCC).usesDestination());
  EXPECT_FALSE(Rop3(0x55).usesSource());
  EXPECT_TRUE(Rop3(0x55).usesDestination());
  EXPECT_TRUE(Rop3(0xF0).usesPattern());
}

} // namespace
