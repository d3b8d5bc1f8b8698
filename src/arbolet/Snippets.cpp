#include "arbolet/Snippets.h"

namespace corvana {

Snippet SnippetOf(SnippetKind kind) {
  switch (kind) {
  case SnippetKind::Html:
    return {QStringLiteral("<html><head><title></title></head>\n<body>\n"), QStringLiteral("\n</body></html>")};
  case SnippetKind::Paragraph:
    return {QStringLiteral("<p>"), QStringLiteral("</p>")};
  case SnippetKind::Bold:
    return {QStringLiteral("<b>"), QStringLiteral("</b>")};
  case SnippetKind::Italic:
    return {QStringLiteral("<i>"), QStringLiteral("</i>")};
  case SnippetKind::TopicHead:
    return {QStringLiteral("<h3><font color=blue>"), QStringLiteral("</font></h3>")};
  case SnippetKind::Rule:
    return {QStringLiteral("<hr>\n"), {}, false};
  case SnippetKind::Break:
    return {QStringLiteral("<br>\n"), {}, false};
  case SnippetKind::Button:
    return {QStringLiteral("<input type=button value=\"The Hague\" onclick=\"Wrong\">"), {}, false};
  case SnippetKind::FormResults:
    return {QStringLiteral("<A HREF=\"mysubmit.txt\">Results</A>"), {}, false};
  case SnippetKind::Anchor:
    return {QStringLiteral("<a name=\"aname\"></a>"), {}, false};
  case SnippetKind::Link:
    return {QStringLiteral("<a href=\"mylink.htm\">mylinktext</a>"), {}, false};
  case SnippetKind::Form:
    return {QStringLiteral("<form action=\"\"><br>\n"
                           "Name<br>\n"
                           "<input name=\"name\" type=text><br>\n"
                           "Address<br>\n"
                           "<input name=\"address\" type=text><br>\n"
                           "City<br>\n"
                           "<input name=\"city\" type=text><br>\n"
                           "<input type=submit value=\"\"></form>\n"),
            {},
            false};
  }
  return {};
}

QString ApplySnippet(const Snippet &snippet, const QString &selected) {
  return snippet.wraps ? snippet.opening + selected + snippet.closing : snippet.opening;
}

QString ImageSnippet(const QString &file) { return QStringLiteral("<img src=\"") + file + QStringLiteral("\">"); }

QString MediaSnippet(const QString &file) {
  return QStringLiteral("<a href=\"") + file + QStringLiteral("\">music</a>");
}

} // namespace corvana
