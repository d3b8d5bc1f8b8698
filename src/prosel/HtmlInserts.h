#pragma once
// The fixed HTML fragments of the editor's Insert menu, and the topic block and table built from
// a person's answers. Text uses "\n" for a line break, as the panes count it: one character.

#include <QString>

namespace corvana {

// A fragment put in place of the selection S: `before` S `after`. The caret lands `caret`
// characters after the insertion's start, or after the whole insertion when `caret` is -1.
struct HtmlFragment {
  QString before;
  QString after;
  int caret = -1;
  bool wraps() const { return !after.isEmpty(); }
};

// The fragment of an Insert command by its item's object name ("BoldInsert", "FrameLeft1", …);
// a default fragment for any other name.
HtmlFragment InsertFragment(const QString &item);

// The topic block for a name; a leading "_" stays in the anchor and leaves the heading.
QString TopicBlock(const QString &name);
// Where the caret goes in a topic block: at the start of its closing paragraph tag.
constexpr int TopicCaretFromEnd = 4;

// A count typed in answer to a question: the whole number, or `fallback` when it is not one.
int AnswerCount(const QString &answer, int fallback = 4);
// The table of `columns` × `rows` cells named r1c1, r1c2, …; empty when either is below 1.
QString TableText(int columns, int rows);

// "<IMG SRC=\"path\">".
QString ImageTag(const QString &path);

} // namespace corvana
