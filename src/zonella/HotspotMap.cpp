#include "zonella/HotspotMap.h"

namespace corvana {

namespace {
void setCorners(OutlineTree &tree, OutlineNode *hotspot, const QRect &area) {
  const int values[4] = {area.left(), area.top(), area.left() + area.width(), area.top() + area.height()};
  for (int i = 0; i < 4; ++i) {
    const QString text = QString::number(values[i]);
    if (OutlineNode *child = hotspot->child(i))
      tree.setText(child, text);
    else
      tree.AddChild(hotspot, text);
  }
}
} // namespace

OutlineNode *AddHotspot(OutlineTree &tree, OutlineNode *selected, const QString &href, const QRect &area) {
  tree.BeginUpdate();
  OutlineNode *hotspot = tree.Add(selected, href);
  setCorners(tree, hotspot, area);
  tree.EndUpdate();
  return hotspot;
}

void UpdateHotspot(OutlineTree &tree, OutlineNode *hotspot, const QString &href, const QRect &area) {
  tree.BeginUpdate();
  tree.setText(hotspot, href);
  setCorners(tree, hotspot, area);
  tree.EndUpdate();
}

OutlineNode *HotspotOf(OutlineNode *node) {
  if (!node)
    return nullptr;
  if (node->childCount() >= 4)
    return node;
  OutlineNode *parent = node->parent();
  return parent && parent->childCount() >= 4 ? parent : nullptr;
}

std::optional<QRect> HotspotArea(const OutlineNode *hotspot) {
  if (!hotspot || hotspot->childCount() < 4)
    return std::nullopt;
  int v[4];
  for (int i = 0; i < 4; ++i) {
    bool ok = false;
    v[i] = hotspot->child(i)->textString().trimmed().toInt(&ok);
    if (!ok)
      return std::nullopt;
  }
  return QRect(QPoint(v[0], v[1]), QSize(v[2] - v[0], v[3] - v[1]));
}

QStringList MapHtml(const OutlineTree &tree, const QString &picturePath) {
  QStringList lines{QStringLiteral("<HTML><HEAD><TITLE>Hotspots</TITLE></HEAD>"), QStringLiteral("<BODY>"),
                    QStringLiteral("<MAP NAME=\"MAPDATA\">")};
  for (qsizetype i = 0; i < tree.topLevelCount(); ++i) {
    const OutlineNode *node = tree.topLevelNode(i);
    // Child texts go in as they stand; a hot spot short of children gives empty coordinates.
    QStringList corners;
    for (int c = 0; c < 4; ++c)
      corners.append(node->child(c) ? node->child(c)->textString() : QString());
    lines.append(QStringLiteral("<AREA SHAPE=RECT COORDS=\"") + corners.join(u',') + QStringLiteral("\" HREF=\"") +
                 node->textString() + QStringLiteral("\">"));
  }
  lines.append(QStringLiteral("</MAP>"));
  lines.append(QStringLiteral("<IMG SRC=\"") + picturePath + QStringLiteral("\" USEMAP=\"#MAPDATA\" BORDER=0>"));
  lines.append(QStringLiteral("</BODY>"));
  lines.append(QStringLiteral("</HTML>"));
  return lines;
}

} // namespace corvana
