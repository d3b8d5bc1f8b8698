#include "kelpwood/Csv.h"

namespace corvana {

namespace {

inline bool isBlank(char c) { return uchar(c) >= 0x01 && uchar(c) <= 0x20; }

inline const char *skipBlanks(const char *p, const char *end) {
  while (p < end && isBlank(*p))
    ++p;
  return p;
}

} // namespace

void ForEachCsvValue(QByteArrayView line, const std::function<void(QByteArrayView)> &value) {
  if (line.isEmpty())
    return;
  const char *p = line.data();
  const char *end = p + line.size();
  if (const void *nul = std::memchr(p, '\0', size_t(line.size())))
    end = static_cast<const char *>(nul);
  QByteArray unquoted; // for quoted values that hold doubled quotes
  p = skipBlanks(p, end);
  while (p < end) {
    if (*p == '"') {
      ++p;
      const char *start = p;
      bool doubled = false;
      bool closed = false;
      while (p < end) {
        const void *hit = std::memchr(p, '"', size_t(end - p));
        const char *quote = hit ? static_cast<const char *>(hit) : end;
        if (doubled)
          unquoted.append(p, quote - p);
        p = quote;
        if (p == end)
          break;
        if (p + 1 < end && p[1] == '"') {
          if (!doubled) {
            unquoted.clear();
            unquoted.append(start, p - start);
            doubled = true;
          }
          unquoted.append('"');
          p += 2;
          continue;
        }
        closed = true;
        break;
      }
      QByteArrayView text = doubled ? QByteArrayView(unquoted) : QByteArrayView(start, p - start);
      if (closed)
        ++p;
      // An unterminated value loses its last byte, as the closing quote is taken to be there.
      else if (!text.isEmpty())
        text.chop(1);
      value(text);
    } else {
      const char *start = p;
      while (p < end && uchar(*p) > 0x20 && *p != ',')
        ++p;
      value(QByteArrayView(start, p - start));
    }
    p = skipBlanks(p, end);
    if (p < end && *p == ',')
      p = skipBlanks(p + 1, end);
  }
}

void SplitCsvLine(QByteArrayView line, QList<QByteArray> &values) {
  values.clear();
  ForEachCsvValue(line, [&](QByteArrayView value) { values.append(value.toByteArray()); });
}

QList<QByteArray> SplitCsvLine(QByteArrayView line) {
  QList<QByteArray> values;
  SplitCsvLine(line, values);
  return values;
}

void AppendCsvValue(QByteArray &out, QByteArrayView value) {
  bool quoted = false;
  for (const char c : value)
    quoted |= uchar(c) <= 0x20 || c == '"' || c == ',';
  if (!quoted) {
    out.append(value);
    return;
  }
  out.append('"');
  const char *p = value.data();
  const char *end = p + value.size();
  while (p < end) {
    const void *hit = std::memchr(p, '"', size_t(end - p));
    const char *quote = hit ? static_cast<const char *>(hit) : end;
    out.append(p, quote - p);
    if (quote == end)
      break;
    out.append("\"\"", 2);
    p = quote + 1;
  }
  out.append('"');
}

QByteArray JoinCsvValues(const QList<QByteArray> &values) {
  if (values.size() == 1 && values.front().isEmpty())
    return QByteArrayLiteral("\"\"");
  QByteArray out;
  for (qsizetype i = 0; i < values.size(); ++i) {
    if (i > 0)
      out.append(',');
    AppendCsvValue(out, values[i]);
  }
  return out;
}

} // namespace corvana
