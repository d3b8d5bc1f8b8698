#include "raster/RasterOps.h"

#include <algorithm>

namespace corvana {

namespace {

template <typename Op> void spanLoop(quint32 *dst, int n, Op op) {
  for (int i = 0; i < n; ++i)
    dst[i] = op(dst[i]) | OpaqueBits;
}

} // namespace

void Fill32(quint32 *dst, qsizetype n, quint32 value) { std::fill_n(dst, n, value); }

void Rop2Span(quint32 *dst, int n, PenMode mode, quint32 pen) {
  const quint32 p = pen;
  switch (mode) {
  case PenMode::Black:
    Fill32(dst, n, OpaqueBits);
    break;
  case PenMode::White:
    Fill32(dst, n, ~0u);
    break;
  case PenMode::Copy:
    Fill32(dst, n, p | OpaqueBits);
    break;
  case PenMode::NotCopy:
    Fill32(dst, n, ~p | OpaqueBits);
    break;
  case PenMode::Nop:
    break;
  case PenMode::NotMerge:
    spanLoop(dst, n, [p](quint32 d) { return ~(p | d); });
    break;
  case PenMode::MaskNotPen:
    spanLoop(dst, n, [p](quint32 d) { return ~p & d; });
    break;
  case PenMode::MaskPenNot:
    spanLoop(dst, n, [p](quint32 d) { return p & ~d; });
    break;
  case PenMode::Not:
    spanLoop(dst, n, [](quint32 d) { return ~d; });
    break;
  case PenMode::Xor:
    spanLoop(dst, n, [p](quint32 d) { return p ^ d; });
    break;
  case PenMode::NotMask:
    spanLoop(dst, n, [p](quint32 d) { return ~(p & d); });
    break;
  case PenMode::Mask:
    spanLoop(dst, n, [p](quint32 d) { return p & d; });
    break;
  case PenMode::NotXor:
    spanLoop(dst, n, [p](quint32 d) { return ~(p ^ d); });
    break;
  case PenMode::MergeNotPen:
    spanLoop(dst, n, [p](quint32 d) { return ~p | d; });
    break;
  case PenMode::MergePenNot:
    spanLoop(dst, n, [p](quint32 d) { return p | ~d; });
    break;
  case PenMode::Merge:
    spanLoop(dst, n, [p](quint32 d) { return p | d; });
    break;
  }
}

Rop3::Rop3(quint8 table) : m_table(table) {
  auto bit = [table](int p, int s, int d) -> quint32 { return (table >> (p << 2 | s << 1 | d) & 1) ? ~0u : 0u; };
  for (int p = 0; p < 2; ++p)
    for (int s = 0; s < 2; ++s) {
      m_b[p * 2 + s] = bit(p, s, 0);
      m_a[p * 2 + s] = bit(p, s, 1) ^ bit(p, s, 0);
    }
}

bool Rop3::usesPattern() const { return (m_table >> 4 & 0x0F) != (m_table & 0x0F); }
bool Rop3::usesSource() const { return (m_table >> 2 & 0x33) != (m_table & 0x33); }
bool Rop3::usesDestination() const { return (m_table >> 1 & 0x55) != (m_table & 0x55); }

void Rop3::span(quint32 *dst, const quint32 *src, int n, const quint32 *pattern8, int x0) const {
  if (n <= 0)
    return;
  switch (m_table) {
  case 0xCC:
    // a plain loop (not memmove): same speed on short rows, and rows of one copy never overlap
    if (src != dst)
      for (int i = 0; i < n; ++i)
        dst[i] = src[i] | OpaqueBits;
    return;
  case 0xAA:
    return;
  case 0x00:
    std::fill_n(dst, n, OpaqueBits);
    return;
  case 0xFF:
    std::fill_n(dst, n, ~0u);
    return;
  case 0x66:
    for (int i = 0; i < n; ++i)
      dst[i] = (src[i] ^ dst[i]) | OpaqueBits;
    return;
  case 0x88:
    for (int i = 0; i < n; ++i)
      dst[i] = src[i] & dst[i];
    return;
  case 0xEE:
    for (int i = 0; i < n; ++i)
      dst[i] = src[i] | dst[i];
    return;
  case 0x33:
    for (int i = 0; i < n; ++i)
      dst[i] = ~src[i] | OpaqueBits;
    return;
  default:
    break;
  }
  static const quint32 zeros[8] = {};
  const quint32 *pat = pattern8 ? pattern8 : zeros;
  const quint32 *s = src ? src : dst;
  bool uniform = true;
  for (int i = 1; i < 8; ++i)
    uniform = uniform && pat[i] == pat[0];
  if (uniform) {
    const quint32 p = pat[0];
    // Fold the pattern into the four maps once per span.
    Rop3 folded(m_table);
    for (int k = 0; k < 2; ++k) {
      folded.m_a[k] = (m_a[k] & ~p) | (m_a[k + 2] & p);
      folded.m_b[k] = (m_b[k] & ~p) | (m_b[k + 2] & p);
    }
    const quint32 a0 = folded.m_a[0], a1 = folded.m_a[1], b0 = folded.m_b[0], b1 = folded.m_b[1];
    for (int i = 0; i < n; ++i) {
      const quint32 d = dst[i], sv = s[i];
      const quint32 g0 = (d & a0) ^ b0, g1 = (d & a1) ^ b1;
      dst[i] = (g0 ^ (sv & (g1 ^ g0))) | OpaqueBits;
    }
    return;
  }
  for (int i = 0; i < n; ++i)
    dst[i] = apply(pat[(x0 + i) & 7], s[i], dst[i]);
}

} // namespace corvana
