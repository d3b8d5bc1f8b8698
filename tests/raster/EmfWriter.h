#pragma once
// EMF files built record by record for tests.

#include "raster/ByteBuilder.h"

#include <QByteArray>
#include <initializer_list>

namespace corvana::test {

// Builds EMF files; `finish` writes the header with a frame of w x h pixels at 96 dpi and a
// reference device of 96 pixels per 25.4 mm, so logical units are pixels in MM_TEXT.
class EmfWriter {
public:
  EmfWriter &record(int type, std::initializer_list<qint32> values) {
    m_records.u32(type).u32(quint32(8 + 4 * values.size()));
    for (qint32 v : values)
      m_records.i32(v);
    ++m_count;
    return *this;
  }
  EmfWriter &bytes(int type, const QByteArray &body) {
    m_records.u32(type).u32(quint32(8 + body.size())).raw(body);
    ++m_count;
    return *this;
  }
  QByteArray finish(int w, int h) {
    record(14, {0, 0, 20});
    ByteBuilder head;
    head.u32(1).u32(88).i32(0).i32(0).i32(w - 1).i32(h - 1);
    head.i32(0).i32(0).i32(w * 2540 / 96).i32(h * 2540 / 96);
    head.u32(0x464D4520).u32(0x10000).u32(quint32(88 + m_records.size())).u32(quint32(m_count + 1));
    head.u16(8).u16(0).u32(0).u32(0).u32(0);
    head.i32(960).i32(480).i32(254).i32(127);
    return head.raw(m_records.bytes).bytes;
  }

private:
  ByteBuilder m_records;
  int m_count = 0;
};

} // namespace corvana::test
