#include "trellane/TableWizard.h"

#include "outline/OutlineTree.h"

namespace corvana {

namespace {

// Keeps the view from following every node of a large table.
struct UpdateScope {
  explicit UpdateScope(OutlineTree &tree) : tree(tree) { tree.BeginUpdate(); }
  ~UpdateScope() { tree.EndUpdate(); }
  OutlineTree &tree;
};

// An attribute value in double quotes; a quote inside it would end the value early.
QString quoted(QString value) { return u'"' + value.replace(u'"', QStringLiteral("&quot;")) + u'"'; }

} // namespace

void BuildTable(OutlineTree &tree, OutlineNode *at, int rows, int cells) {
  if (!at)
    return;
  UpdateScope scope(tree);
  tree.setText(at, "<TABLE BORDER=1>");
  for (int r = 0; r < rows; ++r) {
    OutlineNode *row = tree.AddChild(at, "<TR>");
    for (int c = 0; c < cells; ++c) {
      OutlineNode *cell = tree.AddChild(row, "<TD>");
      tree.AddChild(cell, "*");
      tree.AddChild(cell, "</TD>");
    }
    tree.AddChild(row, "</TR>");
  }
  tree.AddChild(at, "</TABLE>");
}

QString FramesetSizes(int frames) {
  // A frame set always gets at least one frame, so its list names at least one.
  QString sizes = QStringLiteral("*,").repeated(std::max(frames, 1));
  sizes.chop(1);
  return u'"' + sizes + u'"';
}

void BuildFrameset(OutlineTree &tree, OutlineNode *at, int frames, FramesetLayout layout) {
  if (!at)
    return;
  UpdateScope scope(tree);
  const QString tag =
      layout == FramesetLayout::Cols ? QStringLiteral("<FRAMESET COLS=") : QStringLiteral("<FRAMESET ROWS=");
  tree.setText(at, tag + FramesetSizes(frames) + u'>');
  for (int i = 0; i < std::max(frames, 1); ++i)
    tree.AddChild(at, "<FRAME>");
  tree.AddChild(at, "</FRAMESET>");
}

QString FrameTag(const QString &source, const QString &name) {
  return QStringLiteral("<FRAME SRC=") + quoted(source) + QStringLiteral(" NAME=") + quoted(name) + u'>';
}

QString CellTag(CellSpan span, int count) {
  switch (span) {
  case CellSpan::Cols:
    return QStringLiteral("<TD COLSPAN=%1>").arg(count);
  case CellSpan::Rows:
    return QStringLiteral("<TD ROWSPAN=%1>").arg(count);
  case CellSpan::None:
    break;
  }
  return QStringLiteral("<TD>");
}

QString TableText(const OutlineTree &tree) {
  QByteArray text;
  for (const OutlineNode *node = tree.firstNode(); node; node = node->nextNode()) {
    text += node->text();
    if (node->text() == "</TD>" || node->text() == "</TR>")
      text += "\r\n";
  }
  return QString::fromUtf8(text);
}

QString FrameText(const OutlineTree &tree) {
  QByteArray text;
  for (const OutlineNode *node = tree.firstNode(); node; node = node->nextNode()) {
    text += node->text();
    text += "\r\n";
  }
  return QString::fromUtf8(text);
}

} // namespace corvana
