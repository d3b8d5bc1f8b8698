#include "zonella/HotspotMap.h"
#include "zonella/SizerGeometry.h"

#include <gtest/gtest.h>

using namespace corvana;

namespace {

TEST(HotspotMap, AreasFollowTheTreeInOrderWithTheirCoordinatesAsStored) {
  OutlineTree tree;
  AddHotspot(tree, nullptr, "first.htm", QRect(0, 0, 75, 25));
  OutlineNode *second = AddHotspot(tree, nullptr, "page.htm", QRect(10, 20, 100, 25));
  EXPECT_EQ(tree.dump(), "first.htm(0 0 75 25) page.htm(10 20 110 45)");
  EXPECT_EQ(MapHtml(tree, "/pics/a b.gif"),
            (QStringList{"<HTML><HEAD><TITLE>Hotspots</TITLE></HEAD>", "<BODY>", "<MAP NAME=\"MAPDATA\">",
                         "<AREA SHAPE=RECT COORDS=\"0,0,75,25\" HREF=\"first.htm\">",
                         "<AREA SHAPE=RECT COORDS=\"10,20,110,45\" HREF=\"page.htm\">", "</MAP>",
                         "<IMG SRC=\"/pics/a b.gif\" USEMAP=\"#MAPDATA\" BORDER=0>", "</BODY>", "</HTML>"}));

  // Added on a coordinate node, a spot becomes a fifth child of that hot spot, not an area.
  AddHotspot(tree, second->child(1), "inner.htm", QRect(1, 2, 3, 4));
  EXPECT_EQ(second->childCount(), 5);
  EXPECT_EQ(MapHtml(tree, "").size(), 9);
  EXPECT_EQ(MapHtml(tree, "")[5], "</MAP>");

  UpdateHotspot(tree, second, "new.htm", QRect(5, 6, 7, 8));
  EXPECT_EQ(MapHtml(tree, "")[4], "<AREA SHAPE=RECT COORDS=\"5,6,12,14\" HREF=\"new.htm\">");
}

TEST(HotspotMap, ASelectedCoordinateStandsForItsHotSpot) {
  OutlineTree tree;
  OutlineNode *spot = AddHotspot(tree, nullptr, "a.htm", QRect(3, 4, 50, 60));
  EXPECT_EQ(HotspotOf(spot), spot);
  EXPECT_EQ(HotspotOf(spot->child(2)), spot);
  EXPECT_EQ(HotspotArea(spot), QRect(3, 4, 50, 60));
  OutlineNode *loose = tree.Add(nullptr, "no coordinates");
  EXPECT_EQ(HotspotOf(loose), nullptr);
  tree.setText(spot->child(0), "x");
  EXPECT_EQ(HotspotArea(spot), std::nullopt);
}

TEST(Sizer, HandlesStandWhereTheyShouldAndTheLastOneHitWins) {
  using namespace sizer;
  EXPECT_EQ(HandleRect(2, 10, 10), QRect(QPoint(2, 0), QPoint(6, 4))); // left 2 to 7, right exclusive
  EXPECT_EQ(HandleRect(1, 79, 29), QRect(0, 0, 5, 5));
  EXPECT_EQ(HandleRect(5, 79, 29), QRect(74, 24, 5, 5));
  EXPECT_EQ(HandleRect(4, 79, 29), QRect(74, 11, 5, 5));
  EXPECT_EQ(HandleRect(8, 79, 29), QRect(0, 11, 5, 5));
  EXPECT_EQ(HitTest({0, 0}, 79, 29), TopLeft);
  EXPECT_EQ(HitTest({40, 2}, 79, 29), Top);
  EXPECT_EQ(HitTest({78, 28}, 79, 29), BottomRight);
  EXPECT_EQ(HitTest({2, 14}, 79, 29), Left);
  EXPECT_EQ(HitTest({30, 14}, 79, 29), Client);
  // In a frame 10 high the left and top-left handles overlap; the later one answers.
  EXPECT_EQ(HitTest({1, 3}, 10, 10), Left);
}

TEST(Sizer, DraggingAnEdgeMovesOnlyThatEdge) {
  using namespace sizer;
  const QRect frame(150, 142, 79, 29);
  const QRect fromLeft = Dragged(frame, Left, {-20, 7});
  EXPECT_EQ(Inner(fromLeft).right(), Inner(frame).right());
  EXPECT_EQ(Inner(fromLeft).left(), Inner(frame).left() - 20);
  EXPECT_EQ(fromLeft.top(), frame.top());
  EXPECT_EQ(Dragged(frame, BottomRight, {5, 6}), QRect(150, 142, 84, 35));
  EXPECT_EQ(Dragged(frame, Client, {5, 6}), frame.translated(5, 6));
  // Dragged past the opposite edge, the frame keeps its smallest size there.
  const QRect squeezed = Dragged(frame, Right, {-500, 0});
  EXPECT_EQ(squeezed.left(), frame.left());
  EXPECT_EQ(squeezed.width(), MinimumSide);
  EXPECT_EQ(Outer(Inner(frame)), frame);
}

} // namespace
