#include "prosel/NameValueList.h"

#include "core/TextFiles.h"

#include <algorithm>

namespace corvana {

namespace {
bool lessIgnoringCase(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) < 0; }
} // namespace

NameValueList::NameValueList(const QStringList &lines) : m_lines(lines) {
  std::stable_sort(m_lines.begin(), m_lines.end(), lessIgnoringCase);
}

QString NameValueList::NameOf(const QString &line) {
  const qsizetype eq = line.indexOf(u'=');
  return eq < 0 ? QString() : line.left(eq);
}

QString NameValueList::ValueOf(const QString &line) {
  const qsizetype eq = line.indexOf(u'=');
  return eq < 0 ? QString() : line.mid(eq + 1);
}

int NameValueList::Add(const QString &line) {
  const auto at = std::upper_bound(m_lines.begin(), m_lines.end(), line, lessIgnoringCase);
  const int index = int(at - m_lines.begin());
  m_lines.insert(index, line);
  return index;
}

void NameValueList::Delete(int index) {
  if (index >= 0 && index < count())
    m_lines.removeAt(index);
}

int NameValueList::IndexOfName(const QString &name) const {
  for (int i = 0; i < count(); ++i)
    if (NameOf(m_lines[i]).compare(name, Qt::CaseInsensitive) == 0)
      return i;
  return -1;
}

QString NameValueList::Value(const QString &name) const {
  const int i = IndexOfName(name);
  return i < 0 ? QString() : ValueOf(m_lines[i]);
}

void NameValueList::LoadFromFile(const QString &path) {
  TextEncoding encoding;
  *this = NameValueList(ReadLines(path, &encoding));
  m_encoding = encoding;
}

void NameValueList::SaveToFile(const QString &path) const { WriteLines(path, m_lines, LineEnding::CrLf, m_encoding); }

} // namespace corvana
