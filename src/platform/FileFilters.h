#pragma once
// File filters written as "name|pattern;pattern|name|pattern…" and their Qt form.

#include <QString>
#include <QStringList>

namespace corvana {

struct FileFilter {
  QString name;
  QStringList patterns; // "*.htm"; "*.*" stands for every file
  bool operator==(const FileFilter &) const = default;
};

QList<FileFilter> ParseFileFilter(const QString &filter);
// "HTML files (*.htm *.html)" per filter, as Qt's file dialogs take them.
QStringList QtNameFilters(const QString &filter);
// Whether a file name matches one of the patterns, without regard to letter case.
bool MatchesFilter(const FileFilter &filter, const QString &fileName);

} // namespace corvana
