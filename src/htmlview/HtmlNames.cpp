#include "htmlview/HtmlNames.h"

#include <QDir>

namespace corvana {

bool IsFileUrl(const QString &name) { return name.startsWith(QStringLiteral("file:"), Qt::CaseInsensitive); }

QString FileUrlToName(const QString &name) {
  if (!IsFileUrl(name))
    return name;
  QString rest = name.mid(5);
  // "file:///x" and "file://x" both name "/x" here: paths are rooted at "/".
  while (rest.startsWith(QStringLiteral("//")))
    rest = rest.mid(1);
  if (!rest.startsWith(u'/'))
    rest.prepend(u'/');
  // A drive written the old way ("/C|/dir") keeps its letter and colon.
  if (rest.size() >= 3 && rest[0] == u'/' && rest[1].isLetter() && rest[2] == u'|')
    rest[2] = u':';
  return QUrl::fromPercentEncoding(rest.toUtf8());
}

namespace {

bool hasForeignScheme(const QString &name) {
  const qsizetype colon = name.indexOf(u':');
  if (colon < 2) // no scheme, or a one-letter drive
    return false;
  for (qsizetype i = 0; i < colon; ++i) {
    const QChar c = name[i];
    if (!(c.isLetterOrNumber() || c == u'+' || c == u'-' || c == u'.'))
      return false;
  }
  return !IsFileUrl(name);
}

} // namespace

QString ExpandLinkName(const QString &base, const QString &name) {
  if (hasForeignScheme(name))
    return name;
  QString path = IsFileUrl(name) ? FileUrlToName(name) : QUrl::fromPercentEncoding(name.toUtf8());
  if (path.isEmpty())
    return IsFileUrl(base) ? FileUrlToName(base) : base;
  if (!path.startsWith(u'/')) {
    QString dir = IsFileUrl(base) ? FileUrlToName(base) : base;
    dir = dir.left(dir.lastIndexOf(u'/') + 1);
    if (dir.isEmpty())
      dir = QDir::currentPath() + u'/';
    path = dir + path;
  }
  return QDir::cleanPath(path);
}

NameAndAnchor SplitAnchor(const QString &name) {
  const qsizetype hash = name.indexOf(u'#');
  if (hash < 0)
    return {name, QString()};
  return {name.left(hash), name.mid(hash)};
}

QString UrlToDocumentName(const QUrl &url) {
  if (url.isLocalFile())
    return url.toLocalFile();
  if (url.isEmpty() || url.scheme() == QStringLiteral("data") || url.toString() == QStringLiteral("about:blank"))
    return QString();
  return url.toString();
}

QString CleanDocumentTitle(const QString &title, const QUrl &url) {
  if (title.isEmpty())
    return title;
  const QUrl bare = url.adjusted(QUrl::RemoveFragment | QUrl::RemoveQuery);
  for (const QString &fallback : {url.toString(), url.toDisplayString(), bare.toString(), bare.toDisplayString(),
                                  url.toLocalFile(), url.fileName(), bare.toString(QUrl::RemoveScheme)})
    if (!fallback.isEmpty() && title == fallback)
      return QString();
  if (url.scheme() == QStringLiteral("data") && title.startsWith(QStringLiteral("data:")))
    return QString();
  return title;
}

} // namespace corvana
