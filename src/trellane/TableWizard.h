#pragma once
// What the HTML wizard builds: a table or a frame set as a tree of tag lines, the cell and
// frame tags it sets, and the HTML text of such a tree. A tag node's children are its content,
// with its end tag as the last child. QtCore only.

#include <QString>

namespace corvana {

class OutlineNode;
class OutlineTree;

enum class FramesetLayout { Cols, Rows };
enum class CellSpan { Cols, Rows, None };

// `at` becomes "<TABLE BORDER=1>" with `rows` rows of `cells` cells (each "*") and the end tag,
// after the children it had.
void BuildTable(OutlineTree &tree, OutlineNode *at, int rows, int cells);
// `at` becomes a frame set of `frames` equal frames; no choice (0) makes one frame.
void BuildFrameset(OutlineTree &tree, OutlineNode *at, int frames, FramesetLayout layout);
// The quoted size list of a frame set: "*,*,*" for three frames.
QString FramesetSizes(int frames);
QString FrameTag(const QString &source, const QString &name);
QString CellTag(CellSpan span, int count);

// Every node's text in pre-order. Table text breaks the line after each cell and row end tag;
// frame text after every node.
QString TableText(const OutlineTree &tree);
QString FrameText(const OutlineTree &tree);

} // namespace corvana
