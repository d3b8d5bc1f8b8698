#include "raster/FloodFill.h"

#include "raster/Bitmap.h"
#include "raster/GdiObjects.h"

#include <algorithm>
#include <vector>
#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace corvana {

namespace {

// Scan-line fill over `inside(x, y)` / `take(y, x0, x1)`: each call of take must make those
// pixels no longer inside, which bounds the work by the area.
template <typename Inside, typename Take> void SpanFill(int w, int h, int sx, int sy, Inside inside, Take take) {
  std::vector<std::pair<int, int>> seeds;
  seeds.push_back({sx, sy});
  while (!seeds.empty()) {
    const auto [x, y] = seeds.back();
    seeds.pop_back();
    if (!inside(x, y))
      continue;
    int l = x, r = x;
    while (l > 0 && inside(l - 1, y))
      --l;
    while (r + 1 < w && inside(r + 1, y))
      ++r;
    take(y, l, r + 1);
    for (const int ny : {y - 1, y + 1}) {
      if (ny < 0 || ny >= h)
        continue;
      int i = l;
      while (i <= r) {
        if (inside(i, ny)) {
          seeds.push_back({i, ny});
          while (i <= r && inside(i, ny))
            ++i;
        } else {
          ++i;
        }
      }
    }
  }
}

} // namespace

namespace {

// First index from i (below end) whose word is not t.
inline int RunEnd(const quint32 *p, int i, int end, quint32 t) {
#ifdef __SSE2__
  const __m128i target = _mm_set1_epi32(int(t));
  while (i + 8 <= end) {
    const __m128i a = _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i)), target);
    const __m128i b = _mm_cmpeq_epi32(_mm_loadu_si128(reinterpret_cast<const __m128i *>(p + i + 4)), target);
    if (_mm_movemask_epi8(_mm_and_si128(a, b)) != 0xFFFF)
      break;
    i += 8;
  }
#endif
  while (i + 4 <= end && p[i] == t && p[i + 1] == t && p[i + 2] == t && p[i + 3] == t)
    i += 4;
  while (i < end && p[i] == t)
    ++i;
  return i;
}

// In-place scan-line fill for a fill word that differs from the target: a filled pixel is no
// longer target, so nothing is visited twice. Each seed remembers the span of the row it came
// from, which need not be scanned again.
void FillInPlace(Bitmap &bitmap, int x, int y, quint32 t, quint32 fillWord) {
  struct Seed {
    int x, knownEnd, y;            // [x, knownEnd) was seen to be target
    int parentY, parentL, parentR; // parent span [parentL, parentR)
  };
  const int w = bitmap.width(), h = bitmap.height();
  std::vector<Seed> seeds{{x, x, y, -1, 0, 0}};
  while (!seeds.empty()) {
    const Seed s = seeds.back();
    seeds.pop_back();
    quint32 *line = bitmap.scanLine(s.y);
    if (line[s.x] != t)
      continue;
    int l = s.x;
    while (l > 0 && line[l - 1] == t)
      --l;
    // the seed's first pixel still being target means its whole known run is too: a fill
    // elsewhere would have taken the run as a whole
    const int r = RunEnd(line, std::max(s.x, s.knownEnd), w, t); // exclusive
    std::fill(line + l, line + r, fillWord);
    auto scan = [&](int ny, int from, int to) {
      if (ny < 0 || ny >= h || from >= to)
        return;
      const quint32 *next = bitmap.scanLine(ny);
      int i = from;
      while (i < to) {
        if (next[i] == t) {
          const int e = RunEnd(next, i, to, t);
          seeds.push_back({i, e, ny, s.y, l, r});
          i = e;
        } else {
          ++i;
        }
      }
    };
    for (const int ny : {s.y - 1, s.y + 1}) {
      if (ny == s.parentY) {
        // the parent row is done inside its own span
        scan(ny, l, std::min(r, s.parentL));
        scan(ny, std::max(l, s.parentR), r);
      } else {
        scan(ny, l, r);
      }
    }
  }
}

} // namespace

void FloodFillSurface(Bitmap &bitmap, int x, int y, TColor target, const Brush &brush) {
  if (!bitmap.contains(x, y) || brush.isClear())
    return;
  const quint32 t = Bitmap::toStored(target);
  if (bitmap.scanLine(y)[x] != t)
    return;
  const int w = bitmap.width(), h = bitmap.height();
  const quint32 fillWord = Bitmap::toStored(bitmap.nearestColor(brush.color()));
  if (brush.isUniform() && fillWord != t) {
    FillInPlace(bitmap, x, y, t, fillWord);
    return;
  }
  // the brush may leave the target colour behind: find the area first, then paint it
  std::vector<quint8> area(size_t(w) * h, 0);
  SpanFill(
      w, h, x, y, [&](int px, int py) { return !area[size_t(py) * w + px] && bitmap.scanLine(py)[px] == t; },
      [&](int py, int x0, int x1) {
        std::fill(area.begin() + qsizetype(py) * w + x0, area.begin() + qsizetype(py) * w + x1, 1);
      });
  for (int py = 0; py < h; ++py) {
    const quint8 *row = area.data() + size_t(py) * w;
    quint32 *line = bitmap.scanLine(py);
    bool touched = false;
    for (int px = 0; px < w; ++px) {
      TColor c;
      if (row[px] && brush.colorAt(px, py, c)) {
        line[px] = Bitmap::toStored(c);
        touched = true;
      }
    }
    if (touched)
      bitmap.snapSpan(py, 0, w);
  }
}

} // namespace corvana
