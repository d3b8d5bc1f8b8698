#pragma once
// The paint tools and the stages of the multi-click figures, with the short lower-case names
// the window stores and compares ("line", "chord2"; the empty name is no tool).

#include <QString>
#include <QStringList>

namespace corvana::smudgel {

enum class Tool : quint8 {
  Line,
  Sline,
  Rectangle,
  RoundRect,
  Ellipse,
  Arc,
  Chord,
  Pie,
  Bezier,
  Spiral,
  Star,
  Sym,
  Spray,
  Freehand,
  VMirror,
  HMirror,
  CMirror,
  Mirror4,
  Blocks,
  Text,
  ShadowText,
  FloodFill,
  Snapshot,
  Paste,
  PasteMask,
  PasteColor,
  PasteColorX,
  PaintPick,
  None
};

// The clicks of a multi-click figure (arc, chord, pie, bezier). A name carries the stage as a
// digit: "arc" is First, "arc1" Second, "arc2" Third, "arc3" Done.
enum class Stage : quint8 { First, Second, Third, Done };

// The base name of a tool ("" for no tool).
QString toolName(Tool tool);
// The tool of a base name; no tool, and ok false, for any other text, staged names included.
Tool toolFromName(const QString &name, bool *ok = nullptr);
// Whether the tool's figure takes several clicks.
bool isStaged(Tool tool);

// The current tool and the stage its figure has reached. It converts from and compares with
// names, so code that keeps tool names as text goes on working; a name outside the vocabulary
// means no tool.
class StagedTool {
public:
  constexpr StagedTool(Tool tool = Tool::Line, Stage stage = Stage::First) : m_tool(tool), m_stage(stage) {}
  StagedTool(const QString &name);
  StagedTool(const char *name) : StagedTool(QString::fromLatin1(name)) {}

  Tool tool() const { return m_tool; }
  Stage stage() const { return m_stage; }
  // "chord2", "line", "" ...
  QString name() const;
  // Only the multi-click figures have stages beyond the first.
  bool isValid() const { return m_stage == Stage::First || isStaged(m_tool); }

  friend bool operator==(const StagedTool &, const StagedTool &) = default;
  friend bool operator==(const StagedTool &a, const QString &name) { return a.name() == name; }
  friend bool operator==(const StagedTool &a, const char *name) { return a.name() == QLatin1String(name); }

private:
  Tool m_tool;
  Stage m_stage;
};

// Every name the current tool may have, stages included, in the order tools are listed; the
// empty name last.
const QStringList &ToolNames();

} // namespace corvana::smudgel
