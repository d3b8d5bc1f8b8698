#pragma once
// The history of an HTML view: documents and their titles, newest first, with a position that
// steps back and forward and a limit on how many entries are kept.

#include <QList>
#include <QString>
#include <QStringList>

namespace corvana {

class HtmlHistory {
public:
  explicit HtmlHistory(int maxCount = 50) : m_maxCount(maxCount) {}

  int maxCount() const { return m_maxCount; }
  // Drops the oldest entries beyond the new limit (at least one entry is kept).
  void setMaxCount(int maxCount);

  // A newly shown document: entries ahead of the position are dropped, the document becomes
  // the newest entry and the position. Showing the current document again adds nothing.
  void push(const QString &file, const QString &title);
  void setCurrentTitle(const QString &title);

  bool canGoBack() const { return m_index + 1 < m_entries.size(); }
  bool canGoForward() const { return m_index > 0; }
  // Moves the position; returns the file to show, or '' when there is no step.
  QString back();
  QString forward();
  // Moves to entry i (0 newest) without changing the list.
  QString goTo(int index);

  int index() const { return m_index; }
  int count() const { return int(m_entries.size()); }
  QString currentFile() const;
  QStringList files() const;
  QStringList titles() const;
  void clear();

private:
  struct Entry {
    QString file;
    QString title;
  };
  QList<Entry> m_entries; // newest first
  int m_index = 0;
  int m_maxCount;
};

} // namespace corvana
