#include "raster/Coverage.h"

#include <algorithm>

namespace corvana {

Coverage::Coverage(const Box64 &area) : m_area(area) {
  if (m_area.empty()) {
    m_area = {};
    return;
  }
  m_stride = size_t(m_area.r - m_area.l);
  m_cells.assign(m_stride * size_t(m_area.b - m_area.t), 0);
}

void Coverage::markSpan(qint64 y, qint64 x0, qint64 x1, Cover c) {
  if (y < m_area.t || y >= m_area.b)
    return;
  x0 = std::max(x0, m_area.l);
  x1 = std::min(x1, m_area.r);
  quint8 *row = m_cells.data() + size_t(y - m_area.t) * m_stride;
  for (qint64 x = x0; x < x1; ++x) {
    quint8 &cell = row[x - m_area.l];
    if (quint8(c) > cell)
      cell = quint8(c);
  }
}

} // namespace corvana
