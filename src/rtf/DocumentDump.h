#pragma once
// The formatting a pane can show, read off a QTextDocument: what the RTF writer writes and what
// tests compare. DumpDocument gives one line per paragraph, e.g.
//   C*: [Arial 12 #ff0000 BI]Hello[Arial 12] world
// (alignment L/C/R/J, list marker - none, * bullet, # numbered; each run's font, size in points,
// colour unless automatic, styles Bold Italic Underline Strike-out, then its text).

#include <QColor>
#include <QString>
#include <optional>

class QFont;
class QTextBlock;
class QTextCharFormat;
class QTextDocument;

namespace corvana::rtf {

struct RunStyle {
  QString family;
  int halfPoints = 24;
  std::optional<QColor> color; // nothing: the automatic text colour
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeOut = false;

  bool operator==(const RunStyle &other) const = default;
};

enum class Alignment { Left, Center, Right, Justify };
enum class ListKind { None, Bullet, Numbered };

struct ParagraphStyle {
  Alignment alignment = Alignment::Left;
  ListKind list = ListKind::None;
};

// A run's style with what the format leaves open taken from the document's default font.
RunStyle StyleOf(const QTextCharFormat &format, const QFont &defaultFont);
ParagraphStyle StyleOf(const QTextBlock &block);

QString DumpDocument(const QTextDocument &document);

} // namespace corvana::rtf
