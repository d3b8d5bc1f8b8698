#pragma once
// The HTML pieces the notebook's Insert commands put into the page source. A wrapping snippet
// surrounds the selected text; a fixed one replaces it. Line ends are "\n", as the memo holds them.

#include <QString>

namespace corvana {

struct Snippet {
  QString opening;
  QString closing;
  bool wraps = true; // false: the opening text alone replaces the selection
};

enum class SnippetKind {
  Html,
  Paragraph,
  Bold,
  Italic,
  TopicHead,
  Rule,
  Break,
  Button,
  FormResults,
  Anchor,
  Link,
  Form
};

Snippet SnippetOf(SnippetKind kind);
// What the selection becomes.
QString ApplySnippet(const Snippet &snippet, const QString &selected);

// The two file inserts: opening text, the file's full path, closing text.
QString ImageSnippet(const QString &file);
QString MediaSnippet(const QString &file);

} // namespace corvana
