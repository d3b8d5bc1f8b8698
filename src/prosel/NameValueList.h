#pragma once
// A list of "name=value" lines kept in the order a sorted list box keeps them (letter case
// ignored). The name is the text before the first "="; a line without one has an empty name.
// Lookups take the first line whose name matches without regard to letter case.

#include "core/TextEncoding.h"

#include <QString>
#include <QStringList>

namespace corvana {

class NameValueList {
public:
  NameValueList() = default;
  explicit NameValueList(const QStringList &lines);

  static QString NameOf(const QString &line);
  static QString ValueOf(const QString &line);

  const QStringList &lines() const { return m_lines; }
  int count() const { return int(m_lines.size()); }
  bool isEmpty() const { return m_lines.isEmpty(); }
  QString line(int index) const { return m_lines.value(index); }
  QString name(int index) const { return NameOf(line(index)); }

  // Inserts in sorted place, after any equal line; returns the new line's index.
  int Add(const QString &line);
  void Delete(int index);
  void Clear() { m_lines.clear(); }
  // The value of the first line with this name; empty when there is none.
  QString Value(const QString &name) const;
  int IndexOfName(const QString &name) const;

  // Lines with any line ends; raises "Cannot open file %s". The file's encoding is kept.
  void LoadFromFile(const QString &path);
  // CR LF, in the encoding the list was read in while it can hold the text, else UTF-8;
  // raises "Cannot create file %s".
  void SaveToFile(const QString &path) const;

private:
  QStringList m_lines;
  TextEncoding m_encoding = TextEncoding::Utf8;
};

} // namespace corvana
