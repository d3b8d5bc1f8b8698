#include "lexora/EditorText.h"

#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>

namespace corvana {

std::optional<int> FindForward(const QString &text, const QString &what, int from, bool matchCase) {
  if (what.isEmpty() || from < 0 || from > text.size())
    return std::nullopt;
  const qsizetype at = text.indexOf(what, from, matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive);
  if (at < 0)
    return std::nullopt;
  return int(at);
}

QString ReplaceText(const QString &text, const QString &what, const QString &with, bool all, bool matchCase) {
  if (what.isEmpty())
    return text;
  const Qt::CaseSensitivity cs = matchCase ? Qt::CaseSensitive : Qt::CaseInsensitive;
  QString result = text;
  if (all)
    return result.replace(what, with, cs);
  const qsizetype at = result.indexOf(what, 0, cs);
  if (at >= 0)
    result.replace(at, what.size(), with);
  return result;
}

void IndentLines(QTextDocument &document, int selStart, int selEnd) {
  if (selEnd < selStart)
    std::swap(selStart, selEnd);
  const int first = document.findBlock(selStart).blockNumber();
  const int last = document.findBlock(selEnd).blockNumber();
  if (first < 0 || last < 0)
    return;
  QTextCursor cursor(&document);
  cursor.beginEditBlock();
  for (QTextBlock b = document.findBlockByNumber(first); b.isValid() && b.blockNumber() <= last; b = b.next()) {
    cursor.setPosition(b.position());
    cursor.insertText(QStringLiteral("\t"));
  }
  cursor.endEditBlock();
}

std::vector<TPrintedLine> PrintLayout(int lineCount, int lineStep, int pageHeight) {
  std::vector<TPrintedLine> lines;
  lines.reserve(size_t(std::max(lineCount, 0)));
  int page = 0;
  int y = PrintMargin;
  for (int i = 0; i < lineCount; ++i) {
    if (pageHeight < y + 100) {
      // A page too small for even one line still takes one line per page.
      if (y != PrintMargin)
        ++page;
      y = PrintMargin;
    }
    lines.push_back({page, y});
    y += lineStep;
  }
  return lines;
}

} // namespace corvana
