#pragma once
// Plain value types shared by the bitmap, the canvas and its rasterisers: points, rectangles
// (right and bottom exclusive) and the named pen, brush and copy modes of the canvas.

#include "platform/Colors.h"

#include <QtGlobal>

namespace corvana {

// Wide enough for products of two 64-bit coordinate differences.
__extension__ typedef __int128 Int128;

struct TPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const TPoint &, const TPoint &) = default;
};

// left/top inclusive, right/bottom exclusive; may be stored unnormalised.
struct TRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int width() const { return right - left; }
  int height() const { return bottom - top; }
  friend bool operator==(const TRect &, const TRect &) = default;
};

// The sixteen binary raster operations of pen colour P and destination D; the value minus one
// is the operation's truth table (bit 3: P=1 D=1, bit 2: P=1 D=0, bit 1: P=0 D=1, bit 0: both 0).
enum class PenMode : quint8 {
  Black = 1,        // 0
  NotMerge = 2,     // NOT (P OR D)
  MaskNotPen = 3,   // (NOT P) AND D
  NotCopy = 4,      // NOT P
  MaskPenNot = 5,   // P AND (NOT D)
  Not = 6,          // NOT D
  Xor = 7,          // P XOR D
  NotMask = 8,      // NOT (P AND D)
  Mask = 9,         // P AND D
  NotXor = 10,      // NOT (P XOR D)
  Nop = 11,         // D
  MergeNotPen = 12, // (NOT P) OR D
  Copy = 13,        // P
  MergePenNot = 14, // P OR (NOT D)
  Merge = 15,       // P OR D
  White = 16,       // all bits 1
};

enum class PenStyle : quint8 { Solid, Dash, Dot, DashDot, DashDotDot, Clear, InsideFrame };

enum class BrushStyle : quint8 { Solid, Clear, Horizontal, Vertical, FDiagonal, BDiagonal, Cross, DiagCross };

// Bits of a font's style. Scoped, so that headers of the text controls, which name their own
// styles alike, can be used beside this one.
struct FontStyle {
  enum : quint8 { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };
};

// Ternary raster operations of source S, destination D and brush pattern P. Bits 16..23 of a
// code hold the truth table: result bit = table bit number (P << 2 | S << 1 | D).
using CopyMode = quint32;
constexpr CopyMode cmSrcCopy = 0x00CC0020, cmBlackness = 0x00000042, cmDstInvert = 0x00550009, cmMergeCopy = 0x00C000CA,
                   cmMergePaint = 0x00BB0226, cmNotSrcCopy = 0x00330008, cmNotSrcErase = 0x001100A6,
                   cmSrcAnd = 0x008800C6, cmSrcErase = 0x00440328, cmSrcInvert = 0x00660046, cmSrcPaint = 0x00EE0086,
                   cmWhiteness = 0x00FF0062, cmPatCopy = 0x00F00021, cmPatInvert = 0x005A0049, cmPatPaint = 0x00FB0A09;

constexpr quint8 RopTable(CopyMode mode) { return quint8(mode >> 16); }

// What a read outside the bitmap answers.
constexpr TColor clInvalidPixel = 0xFFFFFFFF;

} // namespace corvana
