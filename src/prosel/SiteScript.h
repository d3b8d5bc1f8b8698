#pragma once
// The site wizard's script: three header lines (the marker, the site's folder and its title)
// and one entry per line, turned into the pages of a small framed site. Reading and planning
// touch no file except the site folder's check; writing follows the plan in order.

#include <QList>
#include <QString>
#include <QStringList>

namespace corvana {

// One page to write, its lines without line ends.
struct SitePage {
  QString path;
  QStringList lines;
  // Document pages and the style sheet are the user's to edit: a second run leaves them alone.
  bool keepExisting = false;
  bool operator==(const SitePage &) const = default;
};

struct SitePlan {
  QString dir; // ends in "/"
  QString title;
  QList<SitePage> pages; // in write order
  // Kind 2 and 3 lines before the first section (numbered from 1): no sub-index holds them.
  QList<int> orphanLines;
  QString homePage() const { return dir + QStringLiteral("index.htm"); }
};

// The header of a script that passed the checks.
struct SiteHeader {
  QString dir; // as written
  QString title;
};

struct SiteCheck {
  // False: nothing is to be done; `message` says why, or is empty when nothing is to be said.
  bool ok = false;
  QString message;
  SiteHeader header;
};

// The fields of an entry line, cut out by position without trimming.
struct SiteEntry {
  QChar kind;
  QString fileName; // base name + ".htm"
  QString linkText;
  QString title;
};
SiteEntry ParseSiteEntry(const QString &line);

// Checks the header in order, creating the site folder (one level) when it is missing.
SiteCheck CheckSiteScript(const QStringList &lines);
// Every page the script makes, in the order they are written.
SitePlan PlanSite(const QStringList &lines, const SiteHeader &header, const QStringList &headLines);
// Writes the plan's pages with CR LF line ends, skipping kept pages that exist. A page that
// cannot be written raises "Cannot create file %s"; the pages before it stay.
int WriteSite(const SitePlan &plan);

// The note for lines that belong to no section; empty when there are none.
QString OrphanLinesMessage(const QList<int> &lines);

} // namespace corvana
