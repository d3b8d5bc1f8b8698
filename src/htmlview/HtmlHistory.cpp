#include "htmlview/HtmlHistory.h"

#include <algorithm>

namespace corvana {

void HtmlHistory::setMaxCount(int maxCount) {
  m_maxCount = std::max(1, maxCount);
  while (m_entries.size() > m_maxCount)
    m_entries.removeLast();
  m_index = std::min(m_index, std::max(0, count() - 1));
}

void HtmlHistory::push(const QString &file, const QString &title) {
  if (!m_entries.isEmpty() && m_entries[m_index].file == file) {
    m_entries[m_index].title = title;
    return;
  }
  m_entries.remove(0, m_index);
  m_entries.prepend(Entry{file, title});
  m_index = 0;
  while (m_entries.size() > m_maxCount)
    m_entries.removeLast();
}

void HtmlHistory::setCurrentTitle(const QString &title) {
  if (!m_entries.isEmpty())
    m_entries[m_index].title = title;
}

QString HtmlHistory::back() { return canGoBack() ? goTo(m_index + 1) : QString(); }

QString HtmlHistory::forward() { return canGoForward() ? goTo(m_index - 1) : QString(); }

QString HtmlHistory::goTo(int index) {
  if (index < 0 || index >= count())
    return QString();
  m_index = index;
  return m_entries[index].file;
}

QString HtmlHistory::currentFile() const { return m_entries.isEmpty() ? QString() : m_entries[m_index].file; }

QStringList HtmlHistory::files() const {
  QStringList result;
  for (const Entry &e : m_entries)
    result.append(e.file);
  return result;
}

QStringList HtmlHistory::titles() const {
  QStringList result;
  for (const Entry &e : m_entries)
    result.append(e.title);
  return result;
}

void HtmlHistory::clear() {
  m_entries.clear();
  m_index = 0;
}

} // namespace corvana
