#pragma once
// Raster operations on stored pixel words (TColor | $FF000000): the sixteen binary pen modes
// and the 256 ternary copy operations, each applied bit by bit. Results keep the top byte $FF.

#include "raster/RasterTypes.h"

namespace corvana {

constexpr quint32 OpaqueBits = 0xFF000000;

// One pixel through a binary raster operation.
constexpr quint32 ApplyRop2(PenMode mode, quint32 pen, quint32 dst) {
  const quint32 p = pen, d = dst;
  quint32 r = 0;
  switch (mode) {
  case PenMode::Black:
    r = 0;
    break;
  case PenMode::NotMerge:
    r = ~(p | d);
    break;
  case PenMode::MaskNotPen:
    r = ~p & d;
    break;
  case PenMode::NotCopy:
    r = ~p;
    break;
  case PenMode::MaskPenNot:
    r = p & ~d;
    break;
  case PenMode::Not:
    r = ~d;
    break;
  case PenMode::Xor:
    r = p ^ d;
    break;
  case PenMode::NotMask:
    r = ~(p & d);
    break;
  case PenMode::Mask:
    r = p & d;
    break;
  case PenMode::NotXor:
    r = ~(p ^ d);
    break;
  case PenMode::Nop:
    r = d;
    break;
  case PenMode::MergeNotPen:
    r = ~p | d;
    break;
  case PenMode::Copy:
    r = p;
    break;
  case PenMode::MergePenNot:
    r = p | ~d;
    break;
  case PenMode::Merge:
    r = p | d;
    break;
  case PenMode::White:
    r = ~0u;
    break;
  }
  return r | OpaqueBits;
}

// A pen mode fixed at compile time, so per-pixel loops carry no switch.
template <PenMode M> struct Rop2Op {
  quint32 pen;
  quint32 operator()(quint32 dst) const { return ApplyRop2(M, pen, dst); }
};

// Calls f with the Rop2Op of the given mode.
template <typename F> void WithRop2(PenMode mode, quint32 pen, F &&f) {
  switch (mode) {
  case PenMode::Black:
    f(Rop2Op<PenMode::Black>{pen});
    break;
  case PenMode::NotMerge:
    f(Rop2Op<PenMode::NotMerge>{pen});
    break;
  case PenMode::MaskNotPen:
    f(Rop2Op<PenMode::MaskNotPen>{pen});
    break;
  case PenMode::NotCopy:
    f(Rop2Op<PenMode::NotCopy>{pen});
    break;
  case PenMode::MaskPenNot:
    f(Rop2Op<PenMode::MaskPenNot>{pen});
    break;
  case PenMode::Not:
    f(Rop2Op<PenMode::Not>{pen});
    break;
  case PenMode::Xor:
    f(Rop2Op<PenMode::Xor>{pen});
    break;
  case PenMode::NotMask:
    f(Rop2Op<PenMode::NotMask>{pen});
    break;
  case PenMode::Mask:
    f(Rop2Op<PenMode::Mask>{pen});
    break;
  case PenMode::NotXor:
    f(Rop2Op<PenMode::NotXor>{pen});
    break;
  case PenMode::Nop:
    f(Rop2Op<PenMode::Nop>{pen});
    break;
  case PenMode::MergeNotPen:
    f(Rop2Op<PenMode::MergeNotPen>{pen});
    break;
  case PenMode::Copy:
    f(Rop2Op<PenMode::Copy>{pen});
    break;
  case PenMode::MergePenNot:
    f(Rop2Op<PenMode::MergePenNot>{pen});
    break;
  case PenMode::Merge:
    f(Rop2Op<PenMode::Merge>{pen});
    break;
  case PenMode::White:
    f(Rop2Op<PenMode::White>{pen});
    break;
  }
}

// dst[0 .. n) := value.
void Fill32(quint32 *dst, qsizetype n, quint32 value);

// Combines n words at dst with one pen word.
void Rop2Span(quint32 *dst, int n, PenMode mode, quint32 pen);

// A ternary operation prepared for fast evaluation: for each pattern and source bit pair the
// destination bit maps through (D AND a) XOR b; the two selections by S and P follow.
class Rop3 {
public:
  explicit Rop3(quint8 table);
  quint8 table() const { return m_table; }
  quint32 apply(quint32 p, quint32 s, quint32 d) const {
    const quint32 g00 = (d & m_a[0]) ^ m_b[0], g01 = (d & m_a[1]) ^ m_b[1];
    const quint32 g10 = (d & m_a[2]) ^ m_b[2], g11 = (d & m_a[3]) ^ m_b[3];
    const quint32 h0 = g00 ^ (s & (g01 ^ g00)), h1 = g10 ^ (s & (g11 ^ g10));
    return (h0 ^ (p & (h1 ^ h0))) | OpaqueBits;
  }
  bool usesPattern() const;
  bool usesSource() const;
  bool usesDestination() const;
  // dst[i] := op(pattern[(x0 + i) & 7], src[i], dst[i]) for i < n; src may be null when the
  // operation ignores the source. dst and src must not overlap unless equal.
  void span(quint32 *dst, const quint32 *src, int n, const quint32 *pattern8, int x0) const;

private:
  quint8 m_table;
  quint32 m_a[4];
  quint32 m_b[4];
};

} // namespace corvana
