#pragma once
// Little-endian byte strings for hand-made picture files in tests.

#include <QByteArray>
#include <QString>

namespace corvana::test {

struct ByteBuilder {
  QByteArray bytes;
  ByteBuilder &u8(int v) {
    bytes.append(char(v & 255));
    return *this;
  }
  ByteBuilder &u16(int v) { return u8(v).u8(v >> 8); }
  ByteBuilder &u32(quint32 v) { return u16(int(v & 0xFFFF)).u16(int(v >> 16)); }
  ByteBuilder &i16(int v) { return u16(v & 0xFFFF); }
  ByteBuilder &i32(qint32 v) { return u32(quint32(v)); }
  ByteBuilder &raw(const QByteArray &b) {
    bytes.append(b);
    return *this;
  }
  ByteBuilder &zeros(int n) {
    bytes.append(QByteArray(n, '\0'));
    return *this;
  }
  int size() const { return int(bytes.size()); }
  // Overwrites a 32-bit value, for sizes known only at the end.
  void patch32(int at, quint32 v) {
    for (int i = 0; i < 4; ++i)
      bytes[at + i] = char(v >> (8 * i) & 255);
  }
  void patch16(int at, int v) {
    bytes[at] = char(v & 255);
    bytes[at + 1] = char(v >> 8 & 255);
  }
};

} // namespace corvana::test
