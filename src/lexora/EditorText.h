#pragma once
// The text operations behind the highlighting editor's commands: the forward search, the
// replace over the whole text, the tab indent of selected lines and the print layout. They
// work on strings and documents, so they are tested without the window.

#include <QString>
#include <optional>
#include <vector>

class QTextDocument;

namespace corvana {

// Searches text from character `from` on (0-based); returns where the match starts.
std::optional<int> FindForward(const QString &text, const QString &what, int from, bool matchCase);

// The text with the first occurrence of `what` (or every one) replaced; letter case ignored
// unless matchCase. An empty `what` changes nothing.
QString ReplaceText(const QString &text, const QString &what, const QString &with, bool all, bool matchCase);

// Puts a tab at the start of every line from the line of selStart to the line of selEnd (both
// included, also when selEnd is the very start of its line), as one undo step.
void IndentLines(QTextDocument &document, int selStart, int selEnd);

// Where printed lines go: the page (0-based) and top of each line, in printer units.
struct TPrintedLine {
  int Page = 0;
  int Y = 0;
  bool operator==(const TPrintedLine &) const = default;
};
constexpr int PrintMargin = 50;
// Lines start at PrintMargin; a new page begins when fewer than 100 units would be left.
std::vector<TPrintedLine> PrintLayout(int lineCount, int lineStep, int pageHeight);

} // namespace corvana
