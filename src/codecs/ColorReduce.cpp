#include "codecs/ColorReduce.h"

#include <QHash>
#include <algorithm>
#include <array>
#include <cstring>

namespace corvana {

namespace {

constexpr int Side = 33; // 32 levels per channel plus the zero plane of the running sums

struct Box {
  int r0, r1, g0, g1, b0, b1; // lower bounds exclusive, upper inclusive
  qint64 volume;
};

class WuHistogram {
public:
  explicit WuHistogram(const Bitmap &bitmap) : wt(size), mr(size), mg(size), mb(size), m2(size) {
    for (int y = 0; y < bitmap.height(); ++y) {
      const quint32 *line = bitmap.scanLine(y);
      for (int x = 0; x < bitmap.width(); ++x) {
        const quint32 c = line[x];
        const int r = c & 255, g = c >> 8 & 255, b = c >> 16 & 255;
        const int i = index((r >> 3) + 1, (g >> 3) + 1, (b >> 3) + 1);
        wt[i] += 1;
        mr[i] += r;
        mg[i] += g;
        mb[i] += b;
        m2[i] += double(r * r + g * g + b * b);
      }
    }
    accumulate();
  }

  QVector<TColor> palette(int maxColors) {
    std::vector<Box> boxes(maxColors);
    std::vector<double> variance(maxColors, 0.0);
    boxes[0] = {0, 32, 0, 32, 0, 32, 0};
    int count = 1, next = 0;
    for (int i = 1; i < maxColors; ++i) {
      if (cut(boxes[next], boxes[i])) {
        variance[next] = boxes[next].volume > 1 ? var(boxes[next]) : 0.0;
        variance[i] = boxes[i].volume > 1 ? var(boxes[i]) : 0.0;
        count = i + 1;
      } else {
        variance[next] = 0.0;
        --i;
      }
      next = 0;
      double best = variance[0];
      for (int k = 1; k <= i; ++k)
        if (variance[k] > best) {
          best = variance[k];
          next = k;
        }
      if (best <= 0.0)
        break;
    }
    QVector<TColor> result;
    for (int k = 0; k < count; ++k) {
      const double w = double(vol(boxes[k], wt));
      if (w <= 0)
        continue;
      auto level = [w](qint64 sum) { return std::clamp(int(double(sum) / w + 0.5), 0, 255); };
      result.append(RGB(level(vol(boxes[k], mr)), level(vol(boxes[k], mg)), level(vol(boxes[k], mb))));
    }
    return result;
  }

private:
  static constexpr int size = Side * Side * Side;
  static int index(int r, int g, int b) { return (r * Side + g) * Side + b; }

  template <typename T> void sum3d(std::vector<T> &m) {
    for (int r = 1; r < Side; ++r) {
      std::vector<T> area(Side * Side, 0);
      for (int g = 1; g < Side; ++g) {
        T line = 0;
        for (int b = 1; b < Side; ++b) {
          line += m[index(r, g, b)];
          area[g * Side + b] = area[(g - 1) * Side + b] + line;
          m[index(r, g, b)] = m[index(r - 1, g, b)] + area[g * Side + b];
        }
      }
    }
  }
  void accumulate() {
    sum3d(wt);
    sum3d(mr);
    sum3d(mg);
    sum3d(mb);
    sum3d(m2);
  }

  template <typename T> T vol(const Box &c, const std::vector<T> &m) const {
    return m[index(c.r1, c.g1, c.b1)] - m[index(c.r1, c.g1, c.b0)] - m[index(c.r1, c.g0, c.b1)] +
           m[index(c.r1, c.g0, c.b0)] - m[index(c.r0, c.g1, c.b1)] + m[index(c.r0, c.g1, c.b0)] +
           m[index(c.r0, c.g0, c.b1)] - m[index(c.r0, c.g0, c.b0)];
  }
  // The terms of vol() that sit on the lower face of direction `dir`, and those at `pos`.
  qint64 bottom(const Box &c, int dir, const std::vector<qint64> &m) const {
    switch (dir) {
    case 0:
      return -m[index(c.r0, c.g1, c.b1)] + m[index(c.r0, c.g1, c.b0)] + m[index(c.r0, c.g0, c.b1)] -
             m[index(c.r0, c.g0, c.b0)];
    case 1:
      return -m[index(c.r1, c.g0, c.b1)] + m[index(c.r1, c.g0, c.b0)] + m[index(c.r0, c.g0, c.b1)] -
             m[index(c.r0, c.g0, c.b0)];
    default:
      return -m[index(c.r1, c.g1, c.b0)] + m[index(c.r1, c.g0, c.b0)] + m[index(c.r0, c.g1, c.b0)] -
             m[index(c.r0, c.g0, c.b0)];
    }
  }
  qint64 top(const Box &c, int dir, int pos, const std::vector<qint64> &m) const {
    switch (dir) {
    case 0:
      return m[index(pos, c.g1, c.b1)] - m[index(pos, c.g1, c.b0)] - m[index(pos, c.g0, c.b1)] +
             m[index(pos, c.g0, c.b0)];
    case 1:
      return m[index(c.r1, pos, c.b1)] - m[index(c.r1, pos, c.b0)] - m[index(c.r0, pos, c.b1)] +
             m[index(c.r0, pos, c.b0)];
    default:
      return m[index(c.r1, c.g1, pos)] - m[index(c.r1, c.g0, pos)] - m[index(c.r0, c.g1, pos)] +
             m[index(c.r0, c.g0, pos)];
    }
  }
  double var(const Box &c) const {
    const double dr = double(vol(c, mr)), dg = double(vol(c, mg)), db = double(vol(c, mb));
    return vol(c, m2) - (dr * dr + dg * dg + db * db) / double(vol(c, wt));
  }
  double maximize(const Box &c, int dir, int first, int last, int &cutAt, qint64 wr, qint64 wg, qint64 wb,
                  qint64 ww) const {
    const qint64 br = bottom(c, dir, mr), bg = bottom(c, dir, mg), bb = bottom(c, dir, mb), bw = bottom(c, dir, wt);
    double best = 0.0;
    cutAt = -1;
    for (int i = first; i < last; ++i) {
      double hr = double(br + top(c, dir, i, mr)), hg = double(bg + top(c, dir, i, mg)),
             hb = double(bb + top(c, dir, i, mb)), hw = double(bw + top(c, dir, i, wt));
      if (hw == 0)
        continue;
      double t = (hr * hr + hg * hg + hb * hb) / hw;
      hr = double(wr) - hr;
      hg = double(wg) - hg;
      hb = double(wb) - hb;
      hw = double(ww) - hw;
      if (hw == 0)
        continue;
      t += (hr * hr + hg * hg + hb * hb) / hw;
      if (t > best) {
        best = t;
        cutAt = i;
      }
    }
    return best;
  }
  bool cut(Box &a, Box &b) const {
    const qint64 wr = vol(a, mr), wg = vol(a, mg), wb = vol(a, mb), ww = vol(a, wt);
    int cr, cg, cb;
    const double maxr = maximize(a, 0, a.r0 + 1, a.r1, cr, wr, wg, wb, ww);
    const double maxg = maximize(a, 1, a.g0 + 1, a.g1, cg, wr, wg, wb, ww);
    const double maxb = maximize(a, 2, a.b0 + 1, a.b1, cb, wr, wg, wb, ww);
    b = a;
    if (maxr >= maxg && maxr >= maxb) {
      if (cr < 0)
        return false;
      a.r1 = b.r0 = cr;
    } else if (maxg >= maxr && maxg >= maxb) {
      if (cg < 0)
        return false;
      a.g1 = b.g0 = cg;
    } else {
      if (cb < 0)
        return false;
      a.b1 = b.b0 = cb;
    }
    a.volume = qint64(a.r1 - a.r0) * (a.g1 - a.g0) * (a.b1 - a.b0);
    b.volume = qint64(b.r1 - b.r0) * (b.g1 - b.g0) * (b.b1 - b.b0);
    return true;
  }

  std::vector<qint64> wt, mr, mg, mb;
  std::vector<double> m2;
};

// Nearest palette entry, remembered per colour cell of 6 bits a channel; a cell's answer is
// the nearest entry to the first colour seen in it, refined by a search only among the
// entries near that cell.
class NearestMap {
public:
  explicit NearestMap(const QVector<TColor> &palette) : m_cache(1 << 18, -1) {
    for (TColor c : palette)
      m_entries.push_back({GetRValue(c), GetGValue(c), GetBValue(c)});
  }
  int operator()(int r, int g, int b) {
    const int key = (r >> 2) << 12 | (g >> 2) << 6 | (b >> 2);
    qint16 &slot = m_cache[key];
    if (slot < 0)
      slot = qint16(search((r & ~3) + 2, (g & ~3) + 2, (b & ~3) + 2));
    return slot;
  }
  int exact(int r, int g, int b) const { return search(r, g, b); }

private:
  int search(int r, int g, int b) const {
    int best = 0, bestDist = INT32_MAX;
    for (size_t i = 0; i < m_entries.size(); ++i) {
      const auto &e = m_entries[i];
      const int d = (e[0] - r) * (e[0] - r) + (e[1] - g) * (e[1] - g) + (e[2] - b) * (e[2] - b);
      if (d < bestDist) {
        bestDist = d;
        best = int(i);
      }
    }
    return best;
  }
  std::vector<std::array<int, 3>> m_entries;
  std::vector<qint16> m_cache;
};

} // namespace

QVector<TColor> ChoosePalette(const Bitmap &bitmap, int maxColors) {
  maxColors = std::clamp(maxColors, 2, 256);
  if (bitmap.isNull())
    return {clBlack, clWhite};
  WuHistogram histogram(bitmap);
  return histogram.palette(maxColors);
}

IndexedImage MapToPalette(const Bitmap &bitmap, const QVector<TColor> &palette, bool dither) {
  IndexedImage out;
  out.width = bitmap.width();
  out.height = bitmap.height();
  out.palette = palette.isEmpty() ? QVector<TColor>{clBlack} : palette;
  out.indices.resize(size_t(out.width) * out.height);
  QHash<quint32, int> exact;
  for (int i = out.palette.size() - 1; i >= 0; --i)
    exact.insert(Bitmap::toStored(out.palette[i]), i);
  NearestMap nearest(out.palette);
  if (!dither) {
    quint32 lastWord = 0;
    int lastIndex = -1;
    for (int y = 0; y < out.height; ++y) {
      const quint32 *line = bitmap.scanLine(y);
      quint8 *dst = out.indices.data() + size_t(y) * out.width;
      for (int x = 0; x < out.width; ++x) {
        const quint32 c = line[x];
        if (c != lastWord || lastIndex < 0) {
          auto it = exact.constFind(c);
          lastIndex = it != exact.cend() ? *it : nearest(c & 255, c >> 8 & 255, c >> 16 & 255);
          lastWord = c;
        }
        dst[x] = quint8(lastIndex);
      }
    }
    return out;
  }
  // Floyd-Steinberg: errors in sixteenths, carried on two line buffers.
  std::vector<int> cur(size_t(out.width + 2) * 3, 0), nxt(size_t(out.width + 2) * 3, 0);
  for (int y = 0; y < out.height; ++y) {
    std::fill(nxt.begin(), nxt.end(), 0);
    const quint32 *line = bitmap.scanLine(y);
    quint8 *dst = out.indices.data() + size_t(y) * out.width;
    for (int x = 0; x < out.width; ++x) {
      const quint32 c = line[x];
      int want[3] = {int(c & 255), int(c >> 8 & 255), int(c >> 16 & 255)};
      for (int k = 0; k < 3; ++k)
        want[k] = std::clamp(want[k] + cur[(x + 1) * 3 + k] / 16, 0, 255);
      const int index = nearest(want[0], want[1], want[2]);
      dst[x] = quint8(index);
      const TColor got = out.palette[index];
      const int have[3] = {GetRValue(got), GetGValue(got), GetBValue(got)};
      for (int k = 0; k < 3; ++k) {
        const int e = want[k] - have[k];
        cur[(x + 2) * 3 + k] += e * 7;
        nxt[x * 3 + k] += e * 3;
        nxt[(x + 1) * 3 + k] += e * 5;
        nxt[(x + 2) * 3 + k] += e;
      }
    }
    std::swap(cur, nxt);
  }
  return out;
}

IndexedImage ReduceColors(const Bitmap &bitmap, const ReductionOptions &options) {
  const int maxColors = std::clamp(options.maxColors, 2, 256);
  // A bitmap that already fits keeps its colours exactly.
  QHash<quint32, int> seen;
  QVector<TColor> own;
  bool fits = true;
  for (int y = 0; y < bitmap.height() && fits; ++y) {
    const quint32 *line = bitmap.scanLine(y);
    for (int x = 0; x < bitmap.width(); ++x) {
      if (seen.contains(line[x]))
        continue;
      if (own.size() == maxColors) {
        fits = false;
        break;
      }
      seen.insert(line[x], own.size());
      own.append(Bitmap::fromStored(line[x]));
    }
  }
  if (fits) {
    if (bitmap.hasPalette() && bitmap.palette().size() <= maxColors)
      return MapToPalette(bitmap, bitmap.palette(), false);
    return MapToPalette(bitmap, own, false);
  }
  return MapToPalette(bitmap, ChoosePalette(bitmap, maxColors), options.dither);
}

} // namespace corvana
