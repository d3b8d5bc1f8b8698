#pragma once
// Hot spots kept in an outline tree, and the HTML of the client-side image map made from
// them. A hot spot is a node whose text is its link and whose first four children hold its
// left, top, right and bottom in image pixels.

#include "outline/OutlineTree.h"

#include <QRect>
#include <QStringList>
#include <optional>

namespace corvana {

// Adds a hot spot after the last sibling of `selected` (at the top level without one).
OutlineNode *AddHotspot(OutlineTree &tree, OutlineNode *selected, const QString &href, const QRect &area);
// Gives a hot spot a new link and area.
void UpdateHotspot(OutlineTree &tree, OutlineNode *hotspot, const QString &href, const QRect &area);
// The hot spot a selected node stands for: the node itself, or the hot spot of a coordinate.
OutlineNode *HotspotOf(OutlineNode *node);
// The area a hot spot's four children give; nothing when one is not a whole number.
std::optional<QRect> HotspotArea(const OutlineNode *hotspot);
// The map page, line by line, for the picture at `picturePath`.
QStringList MapHtml(const OutlineTree &tree, const QString &picturePath);

} // namespace corvana
