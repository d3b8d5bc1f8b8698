#include "raster/Blit.h"

#include "raster/Bitmap.h"
#include "raster/GdiObjects.h"
#include "raster/RasterOps.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <vector>

namespace corvana {

namespace {

// For every visible destination coordinate of one axis, its source coordinate (or -1).
// Returns the first and last+1 visible destination coordinate with a valid source.
struct AxisMap {
  qint64 first = 0, last = 0;
  std::vector<int> source; // indexed by destination coordinate - first
};

AxisMap MapAxis(qint64 d0, qint64 d1, qint64 s0, qint64 s1, int dstLimit, int srcLimit) {
  AxisMap map;
  const bool mirror = (d1 < d0) != (s1 < s0);
  const qint64 dl = std::min(d0, d1), dn = std::llabs(d1 - d0);
  const qint64 sl = std::min(s0, s1), sn = std::llabs(s1 - s0);
  if (dn == 0 || sn == 0)
    return map;
  const qint64 from = std::max<qint64>(dl, 0), to = std::min<qint64>(dl + dn, dstLimit);
  qint64 first = -1, last = -1;
  std::vector<int> src;
  for (qint64 d = from; d < to; ++d) {
    qint64 k = qint64((Int128(d - dl) * sn) / dn);
    if (mirror)
      k = sn - 1 - k;
    const qint64 s = sl + k;
    if (s < 0 || s >= srcLimit) {
      if (first >= 0 && last < 0)
        last = d; // the valid range is contiguous: it ends here
      continue;
    }
    if (first < 0)
      first = d;
    if (last >= 0)
      continue;
    src.push_back(int(s));
  }
  if (first < 0)
    return map;
  map.first = first;
  map.last = last >= 0 ? last : to;
  src.resize(size_t(map.last - map.first));
  map.source = std::move(src);
  return map;
}

} // namespace

void StretchBlit(Bitmap &dst, const TRect &dest, const Bitmap &srcIn, const TRect &source, CopyMode mode,
                 const Brush &brush) {
  if (dst.isNull())
    return;
  const Rop3 op(RopTable(mode));
  const bool needsSource = op.usesSource();
  if (needsSource && srcIn.isNull())
    return;
  const int srcW = needsSource ? srcIn.width() : INT_MAX, srcH = needsSource ? srcIn.height() : INT_MAX;
  const AxisMap xs = MapAxis(dest.left, dest.right, source.left, source.right, dst.width(), srcW);
  const AxisMap ys = MapAxis(dest.top, dest.bottom, source.top, source.bottom, dst.height(), srcH);
  if (xs.source.empty() || ys.source.empty())
    return;
  // reading and writing one bitmap: take the source rows from a copy
  Bitmap copy;
  const Bitmap *src = &srcIn;
  if (needsSource && &srcIn == &dst) {
    copy = srcIn;
    src = &copy;
  }
  const int n = int(xs.last - xs.first);
  bool contiguous = true;
  for (int i = 1; contiguous && i < n; ++i)
    contiguous = xs.source[size_t(i)] == xs.source[0] + i;
  std::vector<quint32> row(needsSource && !contiguous ? size_t(n) : 0);
  quint32 pattern[8];
  for (qint64 y = ys.first; y < ys.last; ++y) {
    const int sy = ys.source[size_t(y - ys.first)];
    const quint32 *s = nullptr;
    if (needsSource) {
      const quint32 *line = src->scanLine(sy);
      if (contiguous) {
        s = line + xs.source[0];
      } else {
        for (int i = 0; i < n; ++i)
          row[size_t(i)] = line[xs.source[size_t(i)]];
        s = row.data();
      }
    }
    if (op.usesPattern())
      for (int i = 0; i < 8; ++i)
        pattern[(xs.first + i) & 7] = Bitmap::toStored(brush.patternOperand(int(xs.first + i), int(y)));
    quint32 *d = dst.scanLine(int(y)) + xs.first;
    op.span(d, s, n, op.usesPattern() ? pattern : nullptr, int(xs.first));
    dst.snapSpan(int(y), int(xs.first), int(xs.last));
  }
}

} // namespace corvana
