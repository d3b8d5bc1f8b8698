#include "core/DirectoryListing.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QRegularExpression>
#include <algorithm>
#include <numeric>
#include <vector>

namespace corvana {

QStringList MaskPatterns(const QString &mask) {
  QStringList patterns;
  for (const QString &part : mask.split(u';', Qt::SkipEmptyParts)) {
    const QString pattern = part.trimmed();
    if (!pattern.isEmpty())
      patterns.append(pattern);
  }
  return patterns;
}

namespace {

bool matchesEverything(const QStringList &patterns) {
  return patterns.isEmpty() || patterns.contains(QStringLiteral("*.*")) || patterns.contains(QStringLiteral("*"));
}

// One expression for all patterns, letter case ignored as on the desktop the masks come from.
QRegularExpression maskExpression(const QStringList &patterns) {
  QStringList parts;
  for (const QString &pattern : patterns)
    parts.append(
        QRegularExpression::wildcardToRegularExpression(pattern, QRegularExpression::UnanchoredWildcardConversion));
  return QRegularExpression(QStringLiteral("^(?:") + parts.join(u'|') + QStringLiteral(")$"),
                            QRegularExpression::CaseInsensitiveOption);
}

} // namespace

bool MatchesMask(const QString &name, const QStringList &patterns) {
  if (matchesEverything(patterns))
    return true;
  return maskExpression(patterns).match(name).hasMatch();
}

void SortFileNames(QStringList &names) {
  // Folded keys once per name instead of folding inside every comparison.
  std::vector<QString> keys;
  keys.reserve(size_t(names.size()));
  for (const QString &name : names)
    keys.push_back(name.toCaseFolded());
  std::vector<int> order(size_t(names.size()));
  std::iota(order.begin(), order.end(), 0);
  std::sort(order.begin(), order.end(), [&](int a, int b) {
    const int folded = QString::compare(keys[size_t(a)], keys[size_t(b)]);
    return folded != 0 ? folded < 0 : QString::compare(names[a], names[b]) < 0;
  });
  QStringList sorted;
  sorted.reserve(names.size());
  for (int i : order)
    sorted.append(std::move(names[i]));
  names = std::move(sorted);
}

QStringList ListFiles(const QString &directory, const QString &mask) {
  const QStringList patterns = MaskPatterns(mask);
  const bool all = matchesEverything(patterns);
  const QRegularExpression expression = all ? QRegularExpression() : maskExpression(patterns);
  QStringList names;
  // Without QDir::Hidden the iterator leaves hidden (dot) files out.
  QDirIterator it(directory, QDir::Files | QDir::NoDotAndDotDot);
  while (it.hasNext()) {
    it.next();
    const QString name = it.fileName();
    if (all || expression.match(name).hasMatch())
      names.append(name);
  }
  SortFileNames(names);
  return names;
}

QStringList ListSubdirectories(const QString &directory) {
  QStringList names;
  QDirIterator it(directory, QDir::Dirs | QDir::NoDotAndDotDot);
  while (it.hasNext()) {
    it.next();
    names.append(it.fileName());
  }
  SortFileNames(names);
  return names;
}

QStringList PathSteps(const QString &directory) {
  const QString clean = QDir::cleanPath(directory);
  QStringList steps{QStringLiteral("/")};
  QString path;
  for (const QString &part : clean.split(u'/', Qt::SkipEmptyParts)) {
    path += u'/' + part;
    steps.append(path);
  }
  return steps;
}

QString WithSlash(const QString &directory) { return directory.endsWith(u'/') ? directory : directory + u'/'; }

QString JoinPath(const QString &directory, const QString &name) { return WithSlash(directory) + name; }

} // namespace corvana
