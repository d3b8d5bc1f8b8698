#pragma once
// Comma-separated lines of the tree database: how one line splits into values and how
// values are joined and quoted. Byte rules; blanks are the bytes 0x01 to 0x20.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <functional>

namespace corvana {

// Splits one line (without its line end) into values, replacing the contents of `values`.
// Blanks around values are dropped, an unquoted value ends at a blank or a comma, a quoted one
// at its closing quote ("" inside stands for one quote). A NUL ends the line.
void SplitCsvLine(QByteArrayView line, QList<QByteArray> &values);
// The same, handing each value out as it is found; a value's view lasts until the next one.
void ForEachCsvValue(QByteArrayView line, const std::function<void(QByteArrayView)> &value);
QList<QByteArray> SplitCsvLine(QByteArrayView line);

// Appends a value, quoted when it holds a blank or control byte, a quote or a comma.
void AppendCsvValue(QByteArray &out, QByteArrayView value);
// Values joined by ","; a single empty value is written as "\"\"" so that the line is not empty.
QByteArray JoinCsvValues(const QList<QByteArray> &values);

// Calls `line` for every line of the text: lines end at CR, LF or CR LF; a NUL ends the text.
template <typename F> void ForEachLine(QByteArrayView text, F &&line);

} // namespace corvana

#include <algorithm>
#include <cstring>

template <typename F> void corvana::ForEachLine(QByteArrayView text, F &&line) {
  if (text.isEmpty())
    return;
  const char *p = text.data();
  const char *end = p + text.size();
  if (const void *nul = std::memchr(p, '\0', size_t(text.size())))
    end = static_cast<const char *>(nul);
  auto find = [&](const char *from, char c) {
    const void *hit = from < end ? std::memchr(from, c, size_t(end - from)) : nullptr;
    return hit ? static_cast<const char *>(hit) : end;
  };
  // Next CR and LF are remembered, so text with only one kind of line end is scanned once.
  const char *cr = find(p, '\r');
  const char *lf = find(p, '\n');
  while (p < end) {
    if (cr < p)
      cr = find(p, '\r');
    if (lf < p)
      lf = find(p, '\n');
    const char *lineEnd = std::min(cr, lf);
    line(QByteArrayView(p, lineEnd - p));
    p = lineEnd;
    if (p < end && *p == '\r')
      ++p;
    if (p < end && *p == '\n')
      ++p;
  }
}
