#include "outline/OutlineTree.h"
#include "support/TestHelpers.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace corvana;

namespace {

// The notebook the program ships: the suite's guide, one topic per tool.
QString shippedNotebook() { return test::testDataPath("../../data/myinfo.txt"); }

TEST(ShippedNotebook, HasAReadablePageForEveryTool) {
  OutlineTree tree;
  tree.LoadFromFile(shippedNotebook());
  ASSERT_FALSE(tree.isEmpty());
  ASSERT_TRUE(tree.isConsistent());
  // The window opens on the first topic: it must have a page.
  EXPECT_TRUE(PageOf(tree.firstNode()).has_value());
  QStringList topics;
  for (qsizetype i = 0; i < tree.topLevelCount(); ++i)
    topics.append(tree.topLevelNode(i)->textString());
  for (const char *tool : {"Prosel", "Lexora", "Smudgel", "Halcyne", "Pixmund", "Arbolet", "Kelpwood", "Trellane",
                           "Vellant", "Zonella", "Twinfold"}) {
    const auto found = std::find_if(topics.begin(), topics.end(), [&](const QString &t) { return t.startsWith(tool); });
    ASSERT_NE(found, topics.end()) << tool;
    const OutlineNode *topic = tree.topLevelNode(found - topics.begin());
    // Each tool topic holds its page as its one child, so a click shows it.
    ASSERT_EQ(topic->childCount(), 1) << tool;
    const std::optional<QString> page = PageOf(topic);
    ASSERT_TRUE(page.has_value()) << tool;
    EXPECT_TRUE(page->contains("<h2>")) << tool;
    EXPECT_TRUE(page->contains("<li>")) << tool;
    EXPECT_TRUE(page->contains("<a href=")) << tool;
  }
}

TEST(ShippedNotebook, EveryLinkToAnAnchorHasItsTarget) {
  OutlineTree tree;
  tree.LoadFromFile(shippedNotebook());
  QString all;
  for (OutlineNode *node = tree.firstNode(); node; node = node->nextNode())
    all += Decode(node->textString());
  static const QRegularExpression link(QStringLiteral("href=\"#([^\"]+)\""));
  int links = 0;
  for (const QRegularExpressionMatch &match : link.globalMatch(all)) {
    ++links;
    EXPECT_TRUE(all.contains("name=\"" + match.captured(1) + "\"")) << match.captured(1).toStdString();
  }
  EXPECT_GT(links, 0);
}

} // namespace
