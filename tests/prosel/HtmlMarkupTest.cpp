#include "prosel/HtmlInserts.h"
#include "prosel/TagRemoval.h"

#include <gtest/gtest.h>

using namespace corvana;

TEST(TagRemoval, RemovesEachTagThroughItsClosingBracketAndStopsAtALoneOpening) {
  EXPECT_EQ(RemoveTags(QStringLiteral("a<b>b</b>")), "ab");
  EXPECT_EQ(RemoveTags(QStringLiteral("keep &amp; this\n<p class=\"x\"\n id=y>text</p>\n")), "keep &amp; this\ntext\n");
  // A "<" inside a tag belongs to it; the search goes on after its ">".
  EXPECT_EQ(RemoveTags(QStringLiteral("<a<b>c>d")), "c>d");
  // A "<" without a ">" after it ends the work: the rest stays, tags included.
  EXPECT_EQ(RemoveTags(QStringLiteral("x<i>y</i> < z w")), "xy < z w");
  EXPECT_EQ(RemoveTags(QStringLiteral("a<b>c<d e")), "ac<d e");
  // A lone "<" takes the next ">" however far it is.
  EXPECT_EQ(RemoveTags(QStringLiteral("x < y <b>z")), "x z");
  EXPECT_EQ(RemoveTags(QStringLiteral("a > b")), "a > b");
  EXPECT_EQ(FindTags(QStringLiteral("<p>x<br>")), QList<TagRange>({{0, 3}, {4, 4}}));
  EXPECT_TRUE(FindTags(QString()).isEmpty());
}

TEST(TagRemoval, BoldGroupsOpenAtEveryOpeningAndCloseAtEveryClosingBracket) {
  EXPECT_EQ(BoldTagsInRtf("{\\rtf1 a<b>c\\par}"), "{\\rtf1 a{\\b <b>}c\\par}");
  EXPECT_EQ(BoldTagsInRtf("{\\rtf1 x > y}"), "{\\rtf1 x >} y}");
}

TEST(HtmlInserts, TopicKeepsTheUnderscoreInTheAnchorOnly) {
  EXPECT_EQ(TopicBlock(QStringLiteral("_intro")),
            "<A NAME=\"_intro\"></A>\n<table bgcolor=\"FFFFC0\" width=100% border=0>\n<tr><td>\n"
            "<font color=maroon><h3>intro</h3></font>\n</td></tr></table><br>\n<P>\n</P>");
  EXPECT_TRUE(TopicBlock(QStringLiteral("plain")).contains("<h3>plain</h3>"));
  EXPECT_TRUE(TopicBlock(QStringLiteral("__two")).contains("<h3>_two</h3>"));
}

TEST(HtmlInserts, TablesCountRowsThenColumnsAndNeedOneOfEach) {
  EXPECT_EQ(TableText(2, 1), "<table border=1 width=100%>\n<tr>\n<td>r1c1</td>\n<td>r1c2</td>\n</tr>\n</table>\n");
  const QString table = TableText(3, 2);
  QStringList cells;
  for (qsizetype at = table.indexOf("<td>"); at >= 0; at = table.indexOf("<td>", at + 1))
    cells.append(table.mid(at + 4, 4));
  EXPECT_EQ(cells, QStringList({"r1c1", "r1c2", "r1c3", "r2c1", "r2c2", "r2c3"}));
  EXPECT_EQ(table.count("<tr>"), 2);
  EXPECT_EQ(TableText(0, 3), "");
  EXPECT_EQ(TableText(3, -1), "");
  EXPECT_EQ(AnswerCount(QStringLiteral("x")), 4);
  EXPECT_EQ(AnswerCount(QStringLiteral("")), 4);
  EXPECT_EQ(AnswerCount(QStringLiteral("0")), 0);
  EXPECT_EQ(AnswerCount(QStringLiteral("-2")), -2);
  EXPECT_EQ(AnswerCount(QStringLiteral("2.5")), 4);
  EXPECT_EQ(AnswerCount(QStringLiteral("12")), 12);
}

TEST(HtmlInserts, FrameSkeletonsNameTheirFramesInOrder) {
  EXPECT_EQ(InsertFragment(QStringLiteral("FrameBottom1")).before,
            "<frameset rows=\"*,15%\" border=0 framespacing=0>\n<frame src=\"\" name=\"main\">\n"
            "<frame src=\"\" name=\"index\">\n</frameset>\n");
  EXPECT_EQ(InsertFragment(QStringLiteral("FrameHeader1")).before,
            "<frameset rows=\"15%,*\" border=0 framespacing=0>\n<frame src=\"\" name=\"index\">\n"
            "<frameset cols=\"30%,*\" border=0 framespacing=0>\n<frame src=\"\" name=\"subindex\">\n"
            "<frame src=\"\" name=\"main\">\n</frameset>\n</frameset>\n");
  EXPECT_TRUE(InsertFragment(QStringLiteral("FrameLeft1")).before.startsWith("<frameset cols=\"30%,*\" border=0"));
  EXPECT_TRUE(InsertFragment(QStringLiteral("FrameTop1")).before.startsWith("<frameset rows=\"15%,*\" border=0"));
  EXPECT_TRUE(InsertFragment(QStringLiteral("NoSuchItem")).before.isEmpty());
}
