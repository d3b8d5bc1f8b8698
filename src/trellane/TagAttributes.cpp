#include "trellane/TagAttributes.h"

#include "core/Error.h"

namespace corvana {

namespace {

struct Found {
  qsizetype key = -1; // where the key starts; -1 when absent
  qsizetype valueStart = 0;
  qsizetype valueEnd = 0;
};

bool isNameChar(QChar c) { return c.isLetterOrNumber() || c == u'-' || c == u'_'; }

Found find(const QString &tag, const QString &key) {
  Found found;
  if (key.isEmpty())
    return found;
  // A key counts only where an attribute name starts: "ALIGN=" inside "VALIGN=" is another
  // attribute, and deleting it there would leave a broken tag.
  qsizetype at = tag.indexOf(key, 0, Qt::CaseSensitive);
  while (at > 0 && isNameChar(tag.at(at - 1)))
    at = tag.indexOf(key, at + 1, Qt::CaseSensitive);
  if (at < 0)
    return found;
  found.key = at;
  found.valueStart = at + key.size();
  const qsizetype blank = tag.indexOf(u' ', found.valueStart);
  found.valueEnd = std::max(found.valueStart, blank >= 0 ? blank : tag.size() - 1);
  return found;
}

} // namespace

QString GetAttribute(const QString &tag, const QString &key) {
  const Found found = find(tag, key);
  if (found.key < 0)
    return {};
  return tag.mid(found.valueStart, found.valueEnd - found.valueStart);
}

QString DeleteAttribute(const QString &tag, const QString &key) {
  const Found found = find(tag, key);
  if (found.key < 0)
    return tag;
  QString result = tag;
  result.remove(found.key, found.valueEnd - found.key);
  return result;
}

QString SetAttribute(const QString &tag, const QString &key, const QString &value) {
  QString result = DeleteAttribute(tag, key);
  result.chop(1);
  result += u' ' + key + value + u'>';
  return result;
}

QString HtmlColorValue(TColor color) {
  return QStringLiteral("#%1%2%3")
      .arg(GetRValue(color), 2, 16, QLatin1Char('0'))
      .arg(GetGValue(color), 2, 16, QLatin1Char('0'))
      .arg(GetBValue(color), 2, 16, QLatin1Char('0'))
      .toUpper();
}

TColor ColorFromHtmlValue(const QString &value) {
  if (value.isEmpty())
    return clBlack;
  // Blue, green and red as one hexadecimal number, the colour's own byte order.
  const QString hex = value.mid(5, 2) + value.mid(3, 2) + value.mid(1, 2);
  bool ok = value.size() == 7 && value.at(0) == u'#';
  for (QChar c : hex)
    ok = ok && ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f'));
  if (!ok)
    throw Error(QStringLiteral("'%1' is not a valid integer value").arg(u'$' + hex));
  return TColor(hex.toUInt(nullptr, 16));
}

bool IsWidthValue(const QString &text) {
  if (text.isEmpty())
    return false;
  for (QChar c : text)
    if (c < u'0' || c > u'9')
      return false;
  return true;
}

} // namespace corvana
