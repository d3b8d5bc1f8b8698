#pragma once
// The pixels one figure touches, each once, with what covers it: the brush fill, a pen-style
// gap or the pen itself (the later wins). Kept as one byte per pixel over the figure's
// bounding box clipped to the bitmap, so self-overlapping outlines still combine each pixel
// with the destination only once.

#include "raster/Shapes.h"

#include <vector>

namespace corvana {

enum class Cover : quint8 { None = 0, Fill = 1, Gap = 2, Ink = 3 };

class Coverage {
public:
  // `area` must already lie inside the bitmap; an empty area marks nothing.
  explicit Coverage(const Box64 &area);

  const Box64 &area() const { return m_area; }
  bool empty() const { return m_area.empty(); }
  void mark(qint64 x, qint64 y, Cover c) {
    if (x < m_area.l || y < m_area.t || x >= m_area.r || y >= m_area.b)
      return;
    quint8 &cell = m_cells[size_t(y - m_area.t) * m_stride + size_t(x - m_area.l)];
    if (quint8(c) > cell)
      cell = quint8(c);
  }
  void markSpan(qint64 y, qint64 x0, qint64 x1, Cover c);
  // Calls f(y, x0, x1, cover) for every run of equal, non-empty cover.
  template <typename F> void runs(F &&f) const {
    for (qint64 y = m_area.t; y < m_area.b; ++y) {
      const quint8 *row = m_cells.data() + size_t(y - m_area.t) * m_stride;
      size_t x = 0;
      while (x < m_stride) {
        if (!row[x]) {
          ++x;
          continue;
        }
        const quint8 v = row[x];
        size_t e = x + 1;
        while (e < m_stride && row[e] == v)
          ++e;
        f(int(y), int(m_area.l + qint64(x)), int(m_area.l + qint64(e)), Cover(v));
        x = e;
      }
    }
  }

private:
  Box64 m_area;
  size_t m_stride = 0;
  std::vector<quint8> m_cells;
};

} // namespace corvana
