#pragma once
// Readable Qt strings in test failures; included into every test source by the build.

#include <QByteArray>
#include <QString>
#include <ostream>

inline void PrintTo(const QString &text, std::ostream *out) { *out << '"' << text.toStdString() << '"'; }
inline void PrintTo(const QByteArray &bytes, std::ostream *out) {
  *out << '"';
  for (const char c : bytes) {
    if (c >= 32 && c < 127 && c != '\\')
      *out << c;
    else
      *out << "\\x"
           << "0123456789abcdef"[(c >> 4) & 15] << "0123456789abcdef"[c & 15];
  }
  *out << '"';
}
