#include "raster/Metafile.h"
#include "ByteBuilder.h"
#include "EmfWriter.h"
#include "PixelDump.h"
#include "platform/Errors.h"
#include "raster/Canvas.h"

#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

namespace {

// Builds WMF files record by record; parameters are 16-bit words in file order.
class WmfWriter {
public:
  WmfWriter &record(int function, std::initializer_list<int> words) {
    m_records.u32(quint32(3 + words.size())).u16(function);
    for (int w : words)
      m_records.i16(w);
    return *this;
  }
  WmfWriter &raw(int function, const QByteArray &params) {
    m_records.u32(quint32(3 + params.size() / 2)).u16(function).raw(params);
    return *this;
  }
  static std::initializer_list<int> color(TColor) = delete;
  WmfWriter &brush(int style, TColor c, int hatch = 0) {
    return record(0x02FC, {style, int(c & 0xFFFF), int(c >> 16), hatch});
  }
  WmfWriter &pen(int style, int width, TColor c) {
    return record(0x02FA, {style, width, 0, int(c & 0xFFFF), int(c >> 16)});
  }
  WmfWriter &select(int index) { return record(0x012D, {index}); }
  WmfWriter &rectangle(int l, int t, int r, int b) { return record(0x041B, {b, r, t, l}); }
  // With the placeable header when `inch` is given.
  QByteArray finish(int left, int top, int right, int bottom, int inch = 0) {
    record(0, {});
    ByteBuilder file;
    if (inch) {
      file.u32(0x9AC6CDD7).u16(0).i16(left).i16(top).i16(right).i16(bottom).u16(inch).u32(0).u16(0);
    }
    file.u16(1).u16(9).u16(0x300).u32(quint32(9 + m_records.size() / 2)).u16(8).u32(10).u16(0);
    return file.raw(m_records.bytes).bytes;
  }

private:
  ByteBuilder m_records;
};

Bitmap play(const QByteArray &file, int w, int h, TColor background = clWhite) {
  const Metafile m = Metafile::fromBytes(file);
  Bitmap b(w, h, PixelFormat::pf24bit, background);
  Canvas canvas(b);
  m.draw(canvas, {0, 0, w, h});
  return b;
}

QByteArray redSquareWmf(bool placeable) {
  WmfWriter w;
  w.record(0x020B, {0, 0}).record(0x020C, {5, 10});
  w.brush(0, clRed).select(0).pen(5, 0, clBlack).select(1);
  w.rectangle(2, 1, 6, 4);
  return placeable ? w.finish(0, 0, 10, 5, 96) : w.finish(0, 0, 0, 0);
}

TEST(Wmf, PlaceableFileDrawsOverTheOldPixels) {
  const Metafile m = Metafile::fromBytes(redSquareWmf(true));
  EXPECT_FALSE(m.isEnhanced());
  EXPECT_EQ(m.width(), 10);
  EXPECT_EQ(m.height(), 5);
  EXPECT_EQ(Dump(play(redSquareWmf(true), 10, 5, clLime)), "\n"
                                                           "gggggggggg\n"
                                                           "ggrrrrgggg\n"
                                                           "ggrrrrgggg\n"
                                                           "ggrrrrgggg\n"
                                                           "gggggggggg\n");
}

TEST(Wmf, PlainFileTakesItsSizeFromTheWindow) {
  const Metafile m = Metafile::fromBytes(redSquareWmf(false));
  EXPECT_EQ(m.width(), 10);
  EXPECT_EQ(m.height(), 5);
  EXPECT_EQ(Count(play(redSquareWmf(false), 10, 5), clRed), 12);
}

TEST(Wmf, StretchesOverTheDestination) { EXPECT_EQ(Count(play(redSquareWmf(true), 20, 10), clRed), 48); }

TEST(Wmf, PlaceableUnitsPerInchGiveTheSize) {
  WmfWriter w;
  EXPECT_EQ(Metafile::fromBytes(w.finish(0, 0, 2880, 1440, 1440)).width(), 192);
}

TEST(Wmf, FreedObjectSlotIsReused) {
  WmfWriter w;
  w.brush(0, clBlue).brush(0, clLime).record(0x01F0, {0}).brush(0, clRed); // red takes slot 0
  w.pen(5, 0, clBlack).select(2).select(0).rectangle(0, 0, 4, 4);
  w.select(99).select(-1); // out of the table: ignored
  EXPECT_EQ(Count(play(w.finish(0, 0, 4, 4, 96), 4, 4), clRed), 16);
}

TEST(Wmf, RestoreDcBringsBackTheSelection) {
  WmfWriter w;
  w.brush(0, clRed).brush(0, clBlue).pen(5, 0, clBlack).select(2).select(0);
  w.record(0x001E, {}).select(1).record(0x0127, {-1}).rectangle(0, 0, 2, 2);
  w.record(0x0127, {-5}); // nothing saved: ignored
  const Bitmap b = play(w.finish(0, 0, 2, 2, 96), 2, 2);
  EXPECT_EQ(Count(b, clRed), 4);
}

TEST(Wmf, LinesUseThePenAndRop2) {
  WmfWriter w;
  w.pen(0, 1, clBlack).select(0);
  w.record(0x0214, {1, 0}).record(0x0213, {1, 5});                     // black line on row 1
  w.record(0x0104, {6}).record(0x0214, {3, 0}).record(0x0213, {3, 5}); // R2_NOT inverts row 3
  EXPECT_EQ(Dump(play(w.finish(0, 0, 5, 4, 96), 5, 4)), "\n.....\n#####\n.....\n#####\n");
}

TEST(Wmf, PolyPolygonLeavesItsHoleUnfilled) {
  WmfWriter w;
  w.brush(0, clBlue).select(0).pen(5, 0, clBlack).select(1);
  w.record(0x0538, {2, 4, 4, 0, 0, 6, 0, 6, 6, 0, 6, 2, 2, 4, 2, 4, 4, 2, 4});
  const Bitmap b = play(w.finish(0, 0, 6, 6, 96), 6, 6);
  EXPECT_EQ(b.pixel(1, 1), clBlue);
  EXPECT_EQ(b.pixel(3, 3), clWhite);
  EXPECT_EQ(b.pixel(4, 1), clBlue);
}

TEST(Wmf, TextUsesTextColourAndBackgroundMode) {
  auto textFile = [](int bkMode) {
    WmfWriter w;
    w.record(0x0209, {0x00FF, 0}).record(0x0201, {0xFF00, 0}).record(0x0102, {bkMode}); // red on lime
    w.record(0x02FB, {-16, 0, 0, 0, 700, 0, 0, 0, 0, 0x6941, 0x6C72 /*Arial*/, 0x0000, 0});
    w.select(0);
    w.record(0x0521, {2, 0x5757, 0, 0}); // "WW" at (0, 0)
    return w.finish(0, 0, 40, 20, 96);
  };
  const Bitmap transparent = play(textFile(1), 40, 20);
  EXPECT_GT(Count(transparent, clRed), 10);
  EXPECT_EQ(Count(transparent, clLime), 0);
  EXPECT_GT(Count(play(textFile(2), 40, 20), clLime), 10);
}

QByteArray dib2x2() {
  ByteBuilder d;
  d.u32(40).i32(2).i32(2).u16(1).u16(24).u32(0).zeros(20);
  d.u8(0).u8(0).u8(255).u8(255).u8(0).u8(0).zeros(2);   // bottom: red blue
  d.u8(0).u8(0).u8(0).u8(255).u8(255).u8(255).zeros(2); // top: black white
  return d.bytes;
}

TEST(Wmf, StretchDibScalesThePicture) {
  WmfWriter w;
  ByteBuilder p;
  p.u32(0x00CC0020).u16(0).i16(2).i16(2).i16(0).i16(0).i16(4).i16(4).i16(0).i16(0).raw(dib2x2());
  w.raw(0x0F43, p.bytes);
  EXPECT_EQ(Dump(play(w.finish(0, 0, 4, 4, 96), 4, 4)), "\n##..\n##..\nrrbb\nrrbb\n");
}

TEST(Emf, HeaderFrameGivesTheSizeAndRecordsDraw) {
  EmfWriter e;
  e.record(39, {1, 0, int(clRed), 0}).record(37, {1}).record(37, {int(0x80000008)});
  e.record(43, {2, 1, 6, 4});
  const QByteArray file = e.finish(96, 48);
  const Metafile m = Metafile::fromBytes(file);
  EXPECT_TRUE(m.isEnhanced());
  EXPECT_EQ(m.width(), 96);
  EXPECT_EQ(m.height(), 48);
  EXPECT_EQ(Count(play(file, 96, 48), clRed), 12);
  EXPECT_EQ(play(file, 96, 48).pixel(2, 1), clRed);
}

TEST(Emf, AnisotropicWindowMapsOntoTheViewport) {
  EmfWriter e;
  e.record(17, {8}).record(9, {200, 100}).record(11, {96, 48});
  e.record(37, {int(0x80000004)}).record(37, {int(0x80000008)}); // black brush, no pen
  e.record(43, {100, 50, 200, 100});
  const Bitmap b = play(e.finish(96, 48), 96, 48);
  EXPECT_EQ(Count(b, clBlack), 48 * 24);
  EXPECT_EQ(b.pixel(48, 24), clBlack);
  EXPECT_EQ(b.pixel(47, 24), clWhite);
}

TEST(Emf, Poly16AndLineToUseThePen) {
  EmfWriter e;
  e.record(38, {1, 0, 1, 0, int(clBlue)}).record(37, {1});
  e.bytes(87, ByteBuilder().zeros(16).u32(3).i16(0).i16(0).i16(4).i16(0).i16(4).i16(3).bytes); // polyline16
  e.record(27, {0, 2}).record(54, {3, 2});
  const Bitmap b = play(e.finish(96, 48), 96, 48);
  EXPECT_EQ(b.pixel(0, 0), clBlue);
  EXPECT_EQ(b.pixel(4, 2), clBlue);
  EXPECT_EQ(b.pixel(2, 2), clBlue);
  EXPECT_EQ(b.pixel(3, 2), clWhite); // line end point excluded
}

TEST(Emf, ExtTextOutDrawsInTheTextColour) {
  EmfWriter e;
  e.record(24, {int(clRed)}).record(18, {1});
  ByteBuilder text;
  text.zeros(16).u32(1).u32(0).u32(0);                       // bounds, graphics mode, scales
  text.i32(2).i32(2).u32(2).u32(76).u32(0).zeros(16).u32(0); // reference, chars, offset, options, rect, dx
  text.u16('H').u16('I');
  e.bytes(84, text.bytes);
  EXPECT_GT(Count(play(e.finish(96, 48), 96, 48), clRed), 5);
}

TEST(Emf, StretchDibitsDrawsTheDib) {
  EmfWriter e;
  ByteBuilder r;
  r.zeros(16).i32(0).i32(0).i32(0).i32(0).i32(2).i32(2);
  const int fixed = 8 + 16 + 24 + 16 + 8 + 8;
  r.u32(fixed).u32(40).u32(fixed + 40).u32(16).u32(0).u32(0x00CC0020).i32(4).i32(4);
  r.raw(dib2x2());
  e.bytes(81, r.bytes);
  const Bitmap b = play(e.finish(96, 48), 96, 48);
  EXPECT_EQ(b.pixel(1, 1), clBlack);
  EXPECT_EQ(b.pixel(3, 1), clWhite);
  EXPECT_EQ(b.pixel(1, 3), clRed);
  EXPECT_EQ(b.pixel(3, 3), clBlue);
  EXPECT_EQ(Count(b, clWhite), 96 * 48 - 12);
}

// A negative point count once reached vector::reserve and ended the program.
TEST(Wmf, NegativePointCountDrawsNothing) {
  WmfWriter w;
  w.record(0x0325, {-1, 0, 0, 5, 5});
  EXPECT_EQ(Count(play(w.finish(0, 0, 6, 6, 96), 6, 6), clWhite), 36);
}

// Source rectangles near the integer limits once overflowed while being flipped.
TEST(Emf, ExtremeSourceRectangleIsClippedNotOverflowed) {
  EmfWriter e;
  ByteBuilder r;
  r.zeros(16).i32(0).i32(0).i32(0).i32(-1342177278).i32(2).i32(2013265920);
  const int fixed = 8 + 16 + 24 + 16 + 8 + 8;
  r.u32(fixed).u32(40).u32(fixed + 40).u32(16).u32(0).u32(0x00CC0020).i32(4).i32(4);
  r.raw(dib2x2());
  e.bytes(81, r.bytes);
  EXPECT_NO_THROW(play(e.finish(96, 48), 96, 48));
}

// DeleteObject leaves a hole that the next created object fills, lowest hole first, before
// any slot never used.
TEST(Wmf, CreatedObjectsTakeTheLowestFreeSlot) {
  WmfWriter w;
  w.brush(0, clRed).brush(0, clRed).brush(0, clRed).brush(0, clRed); // slots 0 to 3
  w.record(0x01F0, {2}).record(0x01F0, {0});
  w.brush(0, clBlue).brush(0, clLime).brush(0, clYellow); // into 0, 2, then 4
  w.pen(5, 0, clBlack).select(5);
  w.select(0).rectangle(0, 0, 2, 2).select(2).rectangle(2, 0, 4, 2).select(4).rectangle(4, 0, 6, 2);
  EXPECT_EQ(Dump(play(w.finish(0, 0, 6, 2, 96), 6, 2)), "\nbbggyy\nbbggyy\n");
}

// Creating an object once searched the table from its start, so a file of a few hundred
// kilobytes of object records took seconds to play; this one fills the whole table.
TEST(Wmf, ObjectTableFillsUpToItsLimit) {
  WmfWriter w;
  w.pen(5, 0, clBlack); // slot 0
  for (int i = 1; i < 65535; ++i)
    w.record(0x00F7, {}); // palettes
  w.brush(0, clRed);      // the last slot, 65535
  w.brush(0, clLime);     // no slot left: dropped
  w.select(0).select(65535).rectangle(0, 0, 4, 4);
  w.record(0x01F0, {65535}).brush(0, clBlue).select(65535).rectangle(4, 0, 8, 4);
  EXPECT_EQ(Dump(play(w.finish(0, 0, 8, 4, 96), 8, 4)), "\nrrrrbbbb\nrrrrbbbb\nrrrrbbbb\nrrrrbbbb\n");
}

// A pen width beyond the int range once wrapped round to a hairline instead of the widest pen.
TEST(Emf, HugePenIsCappedNotWrappedToAHairline) {
  EmfWriter e;
  e.record(38, {1, 0, 2147483647, 0, int(clRed)}).record(37, {1});
  e.record(27, {0, 24}).record(54, {95, 24});
  EXPECT_EQ(Count(play(e.finish(96, 48), 192, 96), clRed), 192 * 96);
}

// Every drawing record the players dispatch, in both formats, draws in red inside the box
// (1, 1)-(5, 5) and nowhere else: a record dropped from a dispatch table, or read with its
// coordinates in the wrong order, fails its row.
struct DrawCase {
  const char *name;
  QByteArray bytes;
  int width, height;
};

void PrintTo(const DrawCase &c, std::ostream *os) { *os << c.name; }

class MetafileDrawRecord : public ::testing::TestWithParam<DrawCase> {};

TEST_P(MetafileDrawRecord, DrawsInsideItsBox) {
  const DrawCase &c = GetParam();
  const Bitmap b = play(c.bytes, c.width, c.height);
  int inside = 0, outside = 0;
  for (int y = 0; y < b.height(); ++y)
    for (int x = 0; x < b.width(); ++x)
      if (b.pixel(x, y) == clRed)
        ++(x >= 1 && x <= 5 && y >= 1 && y <= 5 ? inside : outside);
  EXPECT_GT(inside, 0);
  EXPECT_EQ(outside, 0);
}

constexpr int PatCopyLow = 0x0021, PatCopyHigh = 0x00F0;

DrawCase wmfCase(const char *name, int function, std::initializer_list<int> words, bool moveFirst = false) {
  WmfWriter w;
  w.brush(0, clRed).select(0).pen(0, 1, clRed).select(1);
  if (moveFirst)
    w.record(0x0214, {2, 1});
  w.record(function, words);
  return {name, w.finish(0, 0, 8, 8, 96), 8, 8};
}

// `points`: x, y pairs; with `small` they are written as 16-bit values.
QByteArray emfPoly(std::initializer_list<int> counts, std::initializer_list<int> points, bool small) {
  ByteBuilder b;
  b.zeros(16);
  if (counts.size() > 1 || *counts.begin() < 0) { // a poly-poly record: rings, total, counts
    int total = 0;
    for (int c : counts)
      total += std::abs(c);
    b.u32(quint32(counts.size() - 1)).u32(quint32(total));
    for (auto it = counts.begin() + 1; it != counts.end(); ++it)
      b.u32(quint32(*it));
  } else {
    b.u32(quint32(*counts.begin()));
  }
  for (int v : points)
    small ? b.i16(v) : b.i32(v);
  while (b.size() % 4)
    b.u8(0);
  return b.bytes;
}

DrawCase emfCase(const char *name, int type, const QByteArray &body, bool moveFirst = false) {
  EmfWriter e;
  e.record(39, {1, 0, int(clRed), 0}).record(37, {1}).record(38, {2, 0, 1, 0, int(clRed)}).record(37, {2});
  if (moveFirst)
    e.record(27, {1, 1});
  e.bytes(type, body);
  return {name, e.finish(96, 48), 96, 48};
}

QByteArray emfValues(std::initializer_list<qint32> values) {
  ByteBuilder b;
  for (qint32 v : values)
    b.i32(v);
  return b.bytes;
}

std::vector<DrawCase> drawCases() {
  const std::initializer_list<int> open = {1, 1, 4, 1, 4, 4}, closed = {1, 1, 5, 1, 1, 5};
  const std::initializer_list<int> curve = {1, 1, 2, 5, 4, 5, 5, 1}, curveTo = {2, 5, 4, 5, 5, 1};
  const std::initializer_list<qint32> blit = {0, 0, 0, 0, 1, 1, 4, 4, 0x00F00021, 0, 0, 0,
                                              0, 0, 0, 0, 0, 0, 0, 0, 0,          0, 0};
  std::vector<DrawCase> cases = {
      wmfCase("wmf_line_to", 0x0213, {2, 5}, true),
      wmfCase("wmf_polyline", 0x0325, {3, 1, 1, 4, 1, 4, 4}),
      wmfCase("wmf_polygon", 0x0324, {3, 1, 1, 5, 1, 1, 5}),
      wmfCase("wmf_poly_polygon", 0x0538, {1, 3, 1, 1, 5, 1, 1, 5}),
      wmfCase("wmf_rectangle", 0x041B, {5, 5, 1, 1}),
      wmfCase("wmf_ellipse", 0x0418, {5, 5, 1, 1}),
      wmfCase("wmf_round_rect", 0x061C, {2, 2, 5, 5, 1, 1}),
      wmfCase("wmf_arc", 0x0817, {3, 1, 3, 5, 5, 5, 1, 1}),
      wmfCase("wmf_chord", 0x0830, {3, 1, 3, 5, 5, 5, 1, 1}),
      wmfCase("wmf_pie", 0x081A, {3, 1, 3, 5, 5, 5, 1, 1}),
      wmfCase("wmf_set_pixel", 0x041F, {0x00FF, 0, 3, 3}),
      wmfCase("wmf_dib_bitblt_pattern", 0x0940, {PatCopyLow, PatCopyHigh, 0, 0, 0, 4, 4, 1, 1}),
      wmfCase("wmf_dib_stretchblt_pattern", 0x0B41, {PatCopyLow, PatCopyHigh, 0, 0, 0, 0, 0, 4, 4, 1, 1}),
      emfCase("emf_line_to", 54, emfValues({5, 1}), true),
      emfCase("emf_polyline", 4, emfPoly({3}, open, false)),
      emfCase("emf_polyline16", 87, emfPoly({3}, open, true)),
      emfCase("emf_polyline_to", 6, emfPoly({2}, {4, 1, 4, 4}, false), true),
      emfCase("emf_polyline_to16", 89, emfPoly({2}, {4, 1, 4, 4}, true), true),
      emfCase("emf_poly_bezier", 2, emfPoly({4}, curve, false)),
      emfCase("emf_poly_bezier16", 85, emfPoly({4}, curve, true)),
      emfCase("emf_poly_bezier_to", 5, emfPoly({3}, curveTo, false), true),
      emfCase("emf_poly_bezier_to16", 88, emfPoly({3}, curveTo, true), true),
      emfCase("emf_poly_polyline", 7, emfPoly({-1, 3}, open, false)),
      emfCase("emf_poly_polyline16", 90, emfPoly({-1, 3}, open, true)),
      emfCase("emf_polygon", 3, emfPoly({3}, closed, false)),
      emfCase("emf_polygon16", 86, emfPoly({3}, closed, true)),
      emfCase("emf_poly_polygon", 8, emfPoly({-1, 3}, closed, false)),
      emfCase("emf_poly_polygon16", 91, emfPoly({-1, 3}, closed, true)),
      emfCase("emf_rectangle", 43, emfValues({1, 1, 5, 5})),
      emfCase("emf_ellipse", 42, emfValues({1, 1, 5, 5})),
      emfCase("emf_round_rect", 44, emfValues({1, 1, 5, 5, 2, 2})),
      emfCase("emf_arc", 45, emfValues({1, 1, 5, 5, 5, 3, 1, 3})),
      emfCase("emf_chord", 46, emfValues({1, 1, 5, 5, 5, 3, 1, 3})),
      emfCase("emf_pie", 47, emfValues({1, 1, 5, 5, 5, 3, 1, 3})),
      emfCase("emf_bitblt_pattern", 76, emfValues(blit)),
      emfCase("emf_stretchblt_pattern", 77, emfValues(blit) + emfValues({1, 1})),
      emfCase("emf_stretchdibits_pattern", 81,
              emfValues({0, 0, 0, 0, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x00F00021, 4, 4})),
  };
  return cases;
}

INSTANTIATE_TEST_SUITE_P(Records, MetafileDrawRecord, ::testing::ValuesIn(drawCases()),
                         [](const auto &info) { return std::string(info.param.name); });

struct BadCase {
  const char *name;
  QByteArray bytes;
};

class MetafileBadInput : public ::testing::TestWithParam<BadCase> {};

TEST_P(MetafileBadInput, RaisesAClearError) {
  try {
    Metafile::fromBytes(GetParam().bytes);
    FAIL() << "no error";
  } catch (const Error &e) {
    EXPECT_TRUE(e.message().startsWith(QLatin1String("Invalid"))) << e.message().toStdString();
  }
}

QByteArray wmfWithRecordSize(quint32 words) {
  QByteArray b = redSquareWmf(true);
  ByteBuilder patch;
  patch.bytes = b;
  patch.patch32(22 + 18, words);
  return patch.bytes;
}

QByteArray emfWithoutEof() {
  EmfWriter e;
  QByteArray b = e.record(43, {0, 0, 1, 1}).finish(96, 48);
  b.chop(20);
  return b;
}

QByteArray emfLyingRecord() {
  EmfWriter e;
  QByteArray b = e.record(43, {0, 0, 1, 1}).finish(96, 48);
  ByteBuilder patch;
  patch.bytes = b;
  patch.patch32(88 + 4, 4000);
  return patch.bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MetafileBadInput,
    ::testing::Values(BadCase{"too_short", QByteArray("\x01\x00\x09\x00", 4)},
                      BadCase{"wrong_magic", QByteArray(40, 'x')}, BadCase{"record_size_zero", wmfWithRecordSize(0)},
                      BadCase{"record_past_end", wmfWithRecordSize(100000)},
                      BadCase{"empty_box", WmfWriter().finish(5, 5, 5, 9, 96)},
                      BadCase{"huge_box", WmfWriter().finish(-32000, -32000, 32000, 32000, 1)},
                      BadCase{"plain_without_window", WmfWriter().rectangle(0, 0, 1, 1).finish(0, 0, 0, 0)},
                      BadCase{"emf_without_eof", emfWithoutEof()}, BadCase{"emf_lying_record", emfLyingRecord()}),
    [](const auto &info) { return std::string(info.param.name); });

} // namespace
