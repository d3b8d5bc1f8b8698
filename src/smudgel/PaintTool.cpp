#include "smudgel/PaintTool.h"

#include <array>

namespace corvana::smudgel {

namespace {

// In the order of the enumeration, so a tool's name is at its own index.
constexpr std::array<const char *, size_t(Tool::None) + 1> Names{
    "line",      "sline", "rectangle",  "roundrect", "ellipse",  "arc",     "chord",     "pie",        "bezier",
    "spiral",    "star",  "sym",        "spray",     "freehand", "vmirror", "hmirror",   "cmirror",    "mirror4",
    "blocks",    "text",  "shadowtext", "floodfill", "snapshot", "paste",   "pastemask", "pastecolor", "pastecolorx",
    "paintpick", ""};

} // namespace

QString toolName(Tool tool) { return QString::fromLatin1(Names[size_t(tool)]); }

Tool toolFromName(const QString &name, bool *ok) {
  for (size_t i = 0; i < Names.size(); ++i) {
    if (name == QLatin1String(Names[i])) {
      if (ok)
        *ok = true;
      return Tool(i);
    }
  }
  if (ok)
    *ok = false;
  return Tool::None;
}

bool isStaged(Tool tool) {
  return tool == Tool::Arc || tool == Tool::Chord || tool == Tool::Pie || tool == Tool::Bezier;
}

StagedTool::StagedTool(const QString &name) : m_tool(Tool::None), m_stage(Stage::First) {
  bool ok = false;
  m_tool = toolFromName(name, &ok);
  if (ok)
    return;
  // a staged name: the base name and the stage's digit
  const QChar digit = name.isEmpty() ? QChar() : name.back();
  if (digit < QLatin1Char('1') || digit > QLatin1Char('3'))
    return;
  const Tool base = toolFromName(name.chopped(1), &ok);
  if (ok && isStaged(base)) {
    m_tool = base;
    m_stage = Stage(digit.unicode() - '0');
  }
}

QString StagedTool::name() const {
  const QString base = toolName(m_tool);
  return m_stage == Stage::First ? base : base + QChar(u'0' + int(m_stage));
}

const QStringList &ToolNames() {
  static const QStringList names = [] {
    QStringList all;
    for (int i = 0; i <= int(Tool::None); ++i) {
      all << toolName(Tool(i));
      if (isStaged(Tool(i))) {
        for (Stage stage : {Stage::Second, Stage::Third, Stage::Done})
          all << StagedTool(Tool(i), stage).name();
      }
    }
    return all;
  }();
  return names;
}

} // namespace corvana::smudgel
