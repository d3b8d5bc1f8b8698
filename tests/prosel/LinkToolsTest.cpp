#include "prosel/LinkTools.h"

#include <gtest/gtest.h>

using namespace corvana;

TEST(LinkTools, NamesAndLinksOfADroppedFile) {
  const QString dir = QStringLiteral("/site/");
  EXPECT_EQ(FileDropText(FileDropMode::ShortNames, dir, "page.html"), "page.html\n");
  EXPECT_EQ(FileDropText(FileDropMode::LongNames, dir, "page.html"), "/site/page.html\n");
  EXPECT_EQ(FileDropText(FileDropMode::ShortLinks, dir, "page.html"), "<A HREF=\"page.html\">page</A><BR>\n");
  EXPECT_EQ(FileDropText(FileDropMode::LongLinks, dir, "a.b.gif"), "<A HREF=\"/site/a.b.gif\">a.b</A><BR>\n");
  EXPECT_EQ(FileDropText(FileDropMode::ShortLinks, dir, "README"), "<A HREF=\"README\">README</A><BR>\n");
}

TEST(LinkTools, TheHelpIndexListsAnchorsAndMarksNewOnes) {
  const QString text = QStringLiteral("<a name=\"_new1\"></a>text <A NAME=\"old\">x</A> <a name=\"open");
  EXPECT_EQ(HelpIndexLines(text, "helpC.htm"),
            QStringList({"<A HREF=\"helpC.htm#_new1\">new1</A><font color=red> new</font><BR>",
                         "<A HREF=\"helpC.htm#old\">old</A><BR>"}));
  EXPECT_TRUE(HelpIndexLines(QStringLiteral("<p>no anchors</p>"), "x.htm").isEmpty());
  const QStringList page = HelpIndexPage({"line"});
  EXPECT_EQ(page.front(), "<HTML><HEAD><TITLE>Help Index</TITLE>");
  EXPECT_EQ(page.at(5), "line");
  EXPECT_EQ(page.back(), "</B></FONT></BODY></HTML>");

  const HelpIndexFiles files = HelpIndexFilesFor(QStringLiteral("/docs/helpC.htm"));
  EXPECT_EQ(files.index, "/docs/helpCI.htm");
  EXPECT_EQ(files.frameSet, "/docs/help.htm");
  EXPECT_EQ(files.frameSetLines,
            QStringList({"<FRAMESET COLS=\"200,*\"  FRAMEBORDER=NO>", "<FRAME SRC=\"helpCI.htm\" name=\"index\">",
                         "<FRAME SRC=\"helpC.htm\" name=\"contents\">", "</FRAMESET>"}));
}

TEST(LinkTools, ExtractedLinksAreLowerCaseAndMaySpanLines) {
  EXPECT_EQ(ExtractLinks(QStringLiteral("<A HREF=\"One.htm\">One</A> <a href=\"two\">T\nwo</a><a href=\"x\">open")),
            QStringList({"<a href=\"one.htm\">one</a>", "<a href=\"two\">t\nwo</a>"}));
  EXPECT_TRUE(ExtractLinks(QStringLiteral("<a name=\"x\"></a>")).isEmpty());
  EXPECT_TRUE(IsHtmlName("a.HTML"));
  EXPECT_TRUE(IsHtmlName("a.htm"));
  EXPECT_FALSE(IsHtmlName("a.txt"));
  EXPECT_FALSE(IsHtmlName("htm"));
}

TEST(LinkTools, TargetEntriesAndTheLinksTheyInsert) {
  EXPECT_EQ(TargetEntries("Page.htm", QStringLiteral("<A NAME=\"Intro\"></A><a name=\"two\"><a name=\"broken")),
            QStringList({"Page.htm", "Page.htm#intro", "Page.htm#two"}));
  EXPECT_EQ(TargetLink("page.htm#intro"), "<A HREF=\"page.htm#intro\">page.intro</A>");
  EXPECT_EQ(TargetLink("INDEX.HTM"), "<A HREF=\"INDEX.HTM\">INDEX.HTM</A>");
  EXPECT_EQ(TargetLink("a.html"), "<A HREF=\"a.html\">a</A>");
}
