#include "prosel/LinkTools.h"

namespace corvana {

namespace {

// The extension from the last "." on, empty when there is none.
QString Extension(const QString &name) {
  const qsizetype dot = name.lastIndexOf(QLatin1Char('.'));
  return dot < 0 ? QString() : name.mid(dot);
}

QString Link(const QString &target, const QString &text) {
  return QStringLiteral("<A HREF=\"") + target + QStringLiteral("\">") + text + QStringLiteral("</A>");
}

} // namespace

QString FileDropText(FileDropMode mode, const QString &dir, const QString &name) {
  const QString base = name.left(name.size() - Extension(name).size());
  switch (mode) {
  case FileDropMode::ShortNames:
    return name + QLatin1Char('\n');
  case FileDropMode::LongNames:
    return dir + name + QLatin1Char('\n');
  case FileDropMode::ShortLinks:
    return Link(name, base) + QStringLiteral("<BR>\n");
  case FileDropMode::LongLinks:
    return Link(dir + name, base) + QStringLiteral("<BR>\n");
  case FileDropMode::Index:
  case FileDropMode::ExtractLinks:
    break;
  }
  return {};
}

QStringList HelpIndexLines(const QString &text, const QString &documentName) {
  static const QString opening = QStringLiteral("<A NAME=\"");
  QStringList lines;
  qsizetype from = 0;
  for (;;) {
    const qsizetype at = text.indexOf(opening, from, Qt::CaseInsensitive);
    if (at < 0)
      break;
    const qsizetype nameStart = at + opening.size();
    // The closing quotation mark is looked for from the name's second character on.
    const qsizetype close = text.indexOf(QLatin1Char('"'), nameStart + 1);
    if (close < 0)
      break;
    const QString anchor = text.mid(nameStart, close - nameStart);
    const bool isNew = anchor.startsWith(QLatin1Char('_'));
    lines.append(Link(documentName + QLatin1Char('#') + anchor, isNew ? anchor.mid(1) : anchor) +
                 (isNew ? QStringLiteral("<font color=red> new</font>") : QString()) + QStringLiteral("<BR>"));
    from = nameStart + 1;
  }
  return lines;
}

QStringList HelpIndexPage(const QStringList &lines) {
  return QStringList{QStringLiteral("<HTML><HEAD><TITLE>Help Index</TITLE>"),
                     QStringLiteral("<BASE TARGET=\"contents\">"), QStringLiteral("</HEAD>"),
                     QStringLiteral("<BODY bgcolor=white>"), QStringLiteral("<FONT SIZE=1 FACE=arial><B>")} +
         lines + QStringList{QStringLiteral("</B></FONT></BODY></HTML>")};
}

HelpIndexFiles HelpIndexFilesFor(const QString &documentPath) {
  const qsizetype slash = documentPath.lastIndexOf(QLatin1Char('/'));
  const QString dir = documentPath.left(slash + 1);
  const QString name = documentPath.mid(slash + 1);
  const QString extension = Extension(name);
  QString root = name.left(name.size() - extension.size());
  root.chop(1);
  return {
      dir + root + QStringLiteral("CI") + extension,
      dir + root + extension,
      {QStringLiteral("<FRAMESET COLS=\"200,*\"  FRAMEBORDER=NO>"),
       QStringLiteral("<FRAME SRC=\"") + root + QStringLiteral("CI") + extension + QStringLiteral("\" name=\"index\">"),
       QStringLiteral("<FRAME SRC=\"") + root + QStringLiteral("C") + extension +
           QStringLiteral("\" name=\"contents\">"),
       QStringLiteral("</FRAMESET>")}};
}

QStringList ExtractLinks(const QString &text) {
  static const QString opening = QStringLiteral("<a href=\"");
  static const QString closing = QStringLiteral("</a>");
  const QString lower = text.toLower();
  QStringList links;
  qsizetype from = 0;
  for (;;) {
    const qsizetype at = lower.indexOf(opening, from);
    if (at < 0)
      break;
    const qsizetype end = lower.indexOf(closing, at);
    if (end < 0)
      break;
    links.append(lower.mid(at, end + closing.size() - at));
    // Going on from the last character of "</a>" lets nothing be found twice.
    from = end + closing.size() - 1;
  }
  return links;
}

bool IsHtmlName(const QString &name) {
  const QString extension = Extension(name).toLower();
  return extension == QLatin1String(".htm") || extension == QLatin1String(".html");
}

QStringList TargetEntries(const QString &name, const QString &text) {
  static const QString opening = QStringLiteral("<a name=\"");
  const QString lower = text.toLower();
  QStringList entries{name};
  qsizetype from = 0;
  for (;;) {
    const qsizetype at = lower.indexOf(opening, from);
    if (at < 0)
      break;
    const qsizetype start = at + opening.size();
    const qsizetype close = lower.indexOf(QLatin1Char('"'), start);
    if (close < 0)
      break;
    entries.append(name + QLatin1Char('#') + lower.mid(start, close - start));
    from = close + 1;
  }
  return entries;
}

QString TargetLink(const QString &entry) {
  QString shown = entry;
  shown.remove(QStringLiteral(".html"));
  shown.remove(QStringLiteral(".htm"));
  shown.replace(QLatin1Char('#'), QLatin1Char('.'));
  return Link(entry, shown);
}

} // namespace corvana
