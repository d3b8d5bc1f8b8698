#include "platform/FileFilters.h"

#include <QRegularExpression>

namespace corvana {

QList<FileFilter> ParseFileFilter(const QString &filter) {
  QList<FileFilter> result;
  const QStringList parts = filter.split(u'|');
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    FileFilter f;
    f.name = parts[i];
    for (const QString &pattern : parts[i + 1].split(u';', Qt::SkipEmptyParts))
      if (!pattern.trimmed().isEmpty())
        f.patterns.append(pattern.trimmed());
    result.append(f);
  }
  return result;
}

QStringList QtNameFilters(const QString &filter) {
  QStringList result;
  for (const FileFilter &f : ParseFileFilter(filter)) {
    QStringList patterns;
    for (const QString &p : f.patterns)
      patterns.append(p == QLatin1String("*.*") ? QStringLiteral("*") : p);
    if (patterns.isEmpty())
      patterns.append(QStringLiteral("*"));
    QString name = f.name;
    name.replace(u'(', u'[').replace(u')', u']'); // Qt reads patterns from the parentheses
    result.append(name + QStringLiteral(" (") + patterns.join(u' ') + u')');
  }
  return result;
}

bool MatchesFilter(const FileFilter &filter, const QString &fileName) {
  for (const QString &pattern : filter.patterns) {
    if (pattern == QLatin1String("*.*") || pattern == QLatin1String("*"))
      return true;
    const QRegularExpression re(
        QRegularExpression::wildcardToRegularExpression(pattern, QRegularExpression::UnanchoredWildcardConversion),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpression anchored(QRegularExpression::anchoredPattern(re.pattern()),
                                      QRegularExpression::CaseInsensitiveOption);
    if (anchored.match(fileName).hasMatch())
      return true;
  }
  return false;
}

} // namespace corvana
