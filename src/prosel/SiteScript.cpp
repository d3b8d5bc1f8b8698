#include "prosel/SiteScript.h"

#include "core/TextFiles.h"

#include <QDir>
#include <QFileInfo>

namespace corvana {

namespace {

const QString StyleSheetName = QStringLiteral("SiteStyles.css");

QString Link(const QString &target, const QString &text) {
  return QStringLiteral("<a href=\"") + target + QStringLiteral("\">") + text + QStringLiteral("</a>");
}

QStringList DocumentPage(const QString &title, const QStringList &headLines) {
  QStringList page{QStringLiteral("<html><head><title>") + title + QStringLiteral("</title>"),
                   QStringLiteral("<link rel=\"stylesheet\" href=\"SiteStyles.css\" type=\"text/css\">")};
  page += headLines;
  page += {QStringLiteral("</head>"), QStringLiteral("<body>"),
           QStringLiteral("<h3>") + title + QStringLiteral("</h3>"), QStringLiteral("</body></html>")};
  return page;
}

QStringList SubIndexPage(const QString &title, const QStringList &entries) {
  QStringList page{QStringLiteral("<html><head><title>") + title + QStringLiteral("</title>"),
                   QStringLiteral("<base target=\"main\">"), QStringLiteral("</head>"),
                   QStringLiteral("<body text=maroon bgcolor=#ffffc0>"), QStringLiteral("<font face=arial size=2>")};
  page += entries;
  page += QStringLiteral("</font></body></html>");
  return page;
}

QStringList IndexPage(const QStringList &links) {
  QStringList page{QStringLiteral("<html><head><title>Site Index</title>"),
                   QStringLiteral("<base target=\"subindex\">"), QStringLiteral("</head>"),
                   QStringLiteral("<body bgcolor=#ffffc0 link=maroon vlink=maroon>"),
                   QStringLiteral("<b><font face=arial size=2>")};
  page += links;
  page += QStringLiteral("</b></font></body></html>");
  return page;
}

QStringList HomePage(const QString &title, const QString &firstSubIndex, const QString &firstDocument) {
  return {QStringLiteral("<html><head><title>") + title + QStringLiteral("</title></head>"),
          QStringLiteral("<frameset rows=\"50,*\" frameborder=no border=0 framespacing=0>"),
          QStringLiteral("<frame src=\"SiteIndex.htm\" name=\"index\" scrolling=no>"),
          QStringLiteral("<frameset cols=\"200,*\" frameborder=no border=0 framespacing=0>"),
          QStringLiteral("<frameset rows=\"75,*\">"),
          QStringLiteral("<frame src=\"logo.jpg\" name=\"logo\" scrolling=no marginheight=1 marginwidth=1>"),
          QStringLiteral("<frame src=\"") + firstSubIndex + QStringLiteral("\" name=\"subindex\">"),
          QStringLiteral("</frameset>"),
          QStringLiteral("<frame src=\"") + firstDocument + QStringLiteral("\" name=\"main\">"),
          QStringLiteral("</frameset>"),
          QStringLiteral("</frameset>"),
          QStringLiteral("</html>")};
}

QStringList StyleSheet() {
  return {
      QStringLiteral("body {color: maroon;background: #FFFFC0}"),
      QStringLiteral("p {font-family: comic sans ms,verdana,arial;font-size: 12pt;margin-left: 5px;margin-top: "
                     "0px;color: black}"),
      QStringLiteral("li {font-family: verdana,arial;font-size: 8pt;margin-left: 5px;margin-top: 0px;color: navy}"),
      QStringLiteral("h3 {font-family: comic sans ms,verdana,arial;font-size: 12pt;margin-left: 5px;margin-bottom: "
                     "0px;color: maroon;}"),
      QStringLiteral("h5 {font-family: comic sans ms,verdana,arial;font-size: 12pt;margin-left: 5px;margin-bottom: "
                     "0px;color: red;}"),
      QStringLiteral("h6 {font-family: comic sans ms,verdana,arial;font-size: 10pt;font-style: italic;font-weight: "
                     "normal;margin-left: 5px;margin-top: 0px;color: navy;}"),
  };
}

} // namespace

SiteEntry ParseSiteEntry(const QString &line) {
  SiteEntry entry;
  if (line.isEmpty())
    return entry;
  entry.kind = line.front();
  const qsizetype space = line.indexOf(QLatin1Char(' '));
  const qsizetype equals = line.indexOf(QLatin1Char('='));
  const qsizetype semicolon = line.indexOf(QLatin1Char(';'));
  if (space >= 0 && equals > space)
    entry.fileName = line.mid(space + 1, equals - space - 1);
  entry.fileName += QStringLiteral(".htm");
  if (equals >= 0 && semicolon > equals)
    entry.linkText = line.mid(equals + 1, semicolon - equals - 1);
  if (semicolon >= 0)
    entry.title = line.mid(semicolon + 1);
  return entry;
}

SiteCheck CheckSiteScript(const QStringList &lines) {
  SiteCheck check;
  if (lines.size() < 4)
    return check;
  auto fail = [&check](const QString &message) {
    check.message = message;
    return check;
  };
  if (lines[0].toLower() != QStringLiteral("sitescript"))
    return fail(QStringLiteral("Invalid SiteScript file"));
  if (lines[1].left(8).toLower() != QStringLiteral("sitedir="))
    return fail(QStringLiteral("Missing SiteDir="));
  const QString dir = lines[1].mid(8);
  if (dir.isEmpty())
    return fail(QStringLiteral("SiteDir missing"));
  if (!QFileInfo(dir).isDir() && !QDir().mkdir(dir))
    return fail(QStringLiteral("Directory ") + dir + QStringLiteral(" could not be created"));
  if (lines[2].left(10).toLower() != QStringLiteral("sitetitle="))
    return fail(QStringLiteral("Missing SiteTitle="));
  const QString title = lines[2].mid(10);
  if (title.isEmpty())
    return fail(QStringLiteral("SiteTitle missing"));
  check.ok = true;
  check.header = {dir, title};
  return check;
}

SitePlan PlanSite(const QStringList &lines, const SiteHeader &header, const QStringList &headLines) {
  SitePlan plan;
  plan.dir = header.dir.endsWith(QLatin1Char('/')) ? header.dir : header.dir + QLatin1Char('/');
  plan.title = header.title;
  const QString &dir = plan.dir;

  QStringList indexLinks, subIndexLines;
  bool anySection = false, subIndexPending = false;
  QString subIndexPath, subIndexTitle, firstSubIndex, firstDocument;
  // A sub-index with no section to name it would land on the folder itself.
  auto flushSubIndex = [&] {
    if (subIndexPending && !subIndexPath.isEmpty())
      plan.pages.append({subIndexPath, SubIndexPage(subIndexTitle, subIndexLines)});
    subIndexPending = false;
    subIndexLines.clear();
  };

  for (qsizetype i = 3; i < lines.size(); ++i) {
    const SiteEntry entry = ParseSiteEntry(lines[i]);
    if (entry.kind == QLatin1Char('1')) {
      anySection = true;
      indexLinks.append(Link(entry.fileName, entry.linkText));
      flushSubIndex();
      subIndexPath = dir + entry.fileName;
      if (firstSubIndex.isEmpty())
        firstSubIndex = entry.fileName;
      subIndexTitle = entry.title;
    } else if (entry.kind == QLatin1Char('2') || entry.kind == QLatin1Char('3')) {
      if (!anySection)
        plan.orphanLines.append(int(i) + 1);
      if (entry.kind == QLatin1Char('2')) {
        subIndexLines.append(QStringLiteral("<br><b>") + entry.linkText + QStringLiteral("</b><br>"));
      } else {
        subIndexLines.append(Link(entry.fileName, entry.linkText) + QStringLiteral("<br>"));
        plan.pages.append({dir + entry.fileName, DocumentPage(entry.title, headLines), true});
        if (firstDocument.isEmpty())
          firstDocument = entry.fileName;
      }
      subIndexPending = true;
    }
  }
  flushSubIndex();
  if (anySection)
    plan.pages.append({dir + QStringLiteral("SiteIndex.htm"), IndexPage(indexLinks)});
  plan.pages.append({plan.homePage(), HomePage(plan.title, firstSubIndex, firstDocument)});
  plan.pages.append({dir + StyleSheetName, StyleSheet(), true});
  return plan;
}

int WriteSite(const SitePlan &plan) {
  int written = 0;
  for (const SitePage &page : plan.pages) {
    if (page.keepExisting && QFileInfo::exists(page.path))
      continue;
    WriteLines(page.path, page.lines, LineEnding::CrLf);
    ++written;
  }
  return written;
}

QString OrphanLinesMessage(const QList<int> &lines) {
  if (lines.isEmpty())
    return {};
  QStringList numbers;
  for (int line : lines)
    numbers.append(QString::number(line));
  const bool one = lines.size() == 1;
  return (one ? QStringLiteral("Line ") : QStringLiteral("Lines ")) + numbers.join(QStringLiteral(", ")) +
         (one ? QStringLiteral(" comes") : QStringLiteral(" come")) +
         QStringLiteral(" before the first section line (one starting with 1), so no sub-index page lists ") +
         (one ? QStringLiteral("it") : QStringLiteral("them")) +
         QStringLiteral(". Document pages were written all the same.");
}

} // namespace corvana
