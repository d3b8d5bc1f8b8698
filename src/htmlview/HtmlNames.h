#pragma once
// File names as the HTML views see them: file URLs turned into paths, link names made absolute
// against the document that holds them, and anchors split off.

#include <QString>
#include <QUrl>

namespace corvana {

// "file:///home/a.htm" or "file://home/a.htm" gives "/home/a.htm"; "%20" escapes are decoded.
// Anything that is not a file URL comes back unchanged.
QString FileUrlToName(const QString &name);
bool IsFileUrl(const QString &name);

// A link name made absolute against a base (a document's path or URL). Local names give a
// cleaned path; names with a scheme other than "file:" come back unchanged.
QString ExpandLinkName(const QString &base, const QString &name);

// Splits "page.htm#part" into "page.htm" and "#part" (the anchor keeps its "#").
struct NameAndAnchor {
  QString name;
  QString anchor;
};
NameAndAnchor SplitAnchor(const QString &name);

// The path for a local URL, the URL text for any other.
QString UrlToDocumentName(const QUrl &url);

// The engine names untitled documents after their URL; such a title counts as none.
QString CleanDocumentTitle(const QString &title, const QUrl &url);

} // namespace corvana
