#include "prosel/HtmlInserts.h"

#include <QHash>

namespace corvana {

namespace {

QString FrameSet(const QString &head, const QStringList &frames) {
  QString text = head + QLatin1Char('\n');
  for (const QString &frame : frames)
    text += QStringLiteral("<frame src=\"\" name=\"") + frame + QStringLiteral("\">\n");
  return text + QStringLiteral("</frameset>\n");
}

const QString LeftOrTop(const QString &split) {
  return FrameSet(QStringLiteral("<frameset ") + split + QStringLiteral(" border=0 framespacing=0>"),
                  {QStringLiteral("index"), QStringLiteral("main")});
}

const QHash<QString, HtmlFragment> &Fragments() {
  static const QHash<QString, HtmlFragment> fragments{
      {QStringLiteral("HTMLInsert"),
       {QStringLiteral("<html><head><title></title>\n</head>\n<body>\n\n</body></html>"), {}, 19}},
      {QStringLiteral("ParagraphInsert"), {QStringLiteral("\n<p>\n</p>"), {}, 5}},
      {QStringLiteral("BoldInsert"), {QStringLiteral("<b>"), QStringLiteral("</b>"), 3}},
      {QStringLiteral("ItalicInsert"), {QStringLiteral("<i>"), QStringLiteral("</i>"), 3}},
      {QStringLiteral("BreakInsert"), {QStringLiteral("<br>\n")}},
      {QStringLiteral("RuleInsert"), {QStringLiteral("<hr>\n")}},
      {QStringLiteral("FontInsert"), {QStringLiteral("<font >"), QStringLiteral("</font>"), 6}},
      {QStringLiteral("LinkInsert"), {QStringLiteral("<a href=\"\">"), QStringLiteral("</a>"), 9}},
      {QStringLiteral("TargetInsert"), {QStringLiteral("<a name=\"\"></a>"), {}, 9}},
      {QStringLiteral("ListItemInsert"), {QStringLiteral("\n<li>")}},
      {QStringLiteral("BulletListInsert"), {QStringLiteral("\n<ul>\n</ul>\n"), {}, 5}},
      {QStringLiteral("NumListInsert"), {QStringLiteral("\n<ol>\n</ol>\n"), {}, 5}},
      {QStringLiteral("Keywords1"), {QStringLiteral("\n<meta name=\"keywords\" content=\"key1, ke2\">"), {}, 32}},
      {QStringLiteral("Description1"), {QStringLiteral("\n<meta name=\"description\" content=\"\">"), {}, 35}},
      {QStringLiteral("FrameLeft1"), {LeftOrTop(QStringLiteral("cols=\"30%,*\""))}},
      {QStringLiteral("FrameTop1"), {LeftOrTop(QStringLiteral("rows=\"15%,*\""))}},
      {QStringLiteral("FrameBottom1"),
       {FrameSet(QStringLiteral("<frameset rows=\"*,15%\" border=0 framespacing=0>"),
                 {QStringLiteral("main"), QStringLiteral("index")})}},
      {QStringLiteral("FrameHeader1"),
       {QStringLiteral("<frameset rows=\"15%,*\" border=0 framespacing=0>\n<frame src=\"\" name=\"index\">\n") +
        FrameSet(QStringLiteral("<frameset cols=\"30%,*\" border=0 framespacing=0>"),
                 {QStringLiteral("subindex"), QStringLiteral("main")}) +
        QStringLiteral("</frameset>\n")}},
  };
  return fragments;
}

} // namespace

HtmlFragment InsertFragment(const QString &item) { return Fragments().value(item); }

QString TopicBlock(const QString &name) {
  const QString heading = name.startsWith(QLatin1Char('_')) ? name.mid(1) : name;
  return QStringLiteral("<A NAME=\"") + name + QStringLiteral("\"></A>\n") +
         QStringLiteral("<table bgcolor=\"FFFFC0\" width=100% border=0>\n") + QStringLiteral("<tr><td>\n") +
         QStringLiteral("<font color=maroon><h3>") + heading + QStringLiteral("</h3></font>\n") +
         QStringLiteral("</td></tr></table><br>\n") + QStringLiteral("<P>\n</P>");
}

int AnswerCount(const QString &answer, int fallback) {
  bool ok = false;
  const int count = answer.toInt(&ok);
  return ok ? count : fallback;
}

QString TableText(int columns, int rows) {
  if (columns < 1 || rows < 1)
    return {};
  QString text = QStringLiteral("<table border=1 width=100%>\n");
  for (int r = 1; r <= rows; ++r) {
    text += QStringLiteral("<tr>\n");
    for (int c = 1; c <= columns; ++c)
      text += QStringLiteral("<td>r%1c%2</td>\n").arg(r).arg(c);
    text += QStringLiteral("</tr>\n");
  }
  return text + QStringLiteral("</table>\n");
}

QString ImageTag(const QString &path) { return QStringLiteral("<IMG SRC=\"") + path + QStringLiteral("\">"); }

} // namespace corvana
