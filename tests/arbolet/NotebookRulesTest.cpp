#include "arbolet/NotebookRules.h"
#include "arbolet/Snippets.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace corvana;

namespace {

TEST(NotebookRules, SlidesStepThroughTheSiblingsAndBackToTheFirstNode) {
  OutlineTree tree;
  tree.loadFromBytes("T1\r\n\tp1\r\nT2\r\n\tA\r\n\tB\r\nT3\r\n");
  OutlineNode *t1 = tree.topLevelNode(0), *t2 = tree.topLevelNode(1), *t3 = tree.topLevelNode(2);
  OutlineNode *last = LastTopic(tree);
  EXPECT_EQ(last, t3);
  EXPECT_EQ(NextSlide(tree, t1, last), t2);
  EXPECT_EQ(NextSlide(tree, t2, last), t3);
  EXPECT_EQ(NextSlide(tree, t3, last), t1);
  EXPECT_EQ(NextSlide(tree, nullptr, last), t1);
  // Inside a topic the show walks the siblings there, then starts again at the top.
  EXPECT_EQ(NextSlide(tree, t2->child(0), last), t2->child(1));
  EXPECT_EQ(NextSlide(tree, t2->child(1), last), t1);
  // The last topic fixed at Play ends the round even when topics were added after it.
  EXPECT_EQ(NextSlide(tree, t2, t2), t1);
  EXPECT_EQ(LastTopic(OutlineTree()), nullptr);
}

TEST(NotebookRules, SpeedArrowsStayBetweenTwoAndTwentyFiveSeconds) {
  int interval = 1000;
  for (int i = 0; i < 30; ++i)
    interval = SlowerSlides(interval);
  EXPECT_EQ(interval, 25000);
  EXPECT_EQ(SpeedHint(interval), "infospeed 25000");
  EXPECT_EQ(FasterSlides(1000), 1000);
  EXPECT_EQ(FasterSlides(3000), 2000);
  EXPECT_EQ(FasterSlides(2000), 2000);
  EXPECT_EQ(SlowerSlides(24000), 25000);
}

TEST(NotebookRules, FindStartsAtTheGivenNodeAndDoesNotWrap) {
  OutlineTree tree;
  tree.loadFromBytes("apple\r\n\tpear\r\nApple pie\r\nplum apple\r\n");
  OutlineNode *first = tree.firstNode();
  EXPECT_EQ(FindNodeFrom(first, "apple"), first);
  EXPECT_EQ(FindNodeFrom(first->child(0), "apple"), tree.topLevelNode(2));
  EXPECT_EQ(FindNodeFrom(tree.topLevelNode(2), "pear"), nullptr);
  EXPECT_EQ(FindNodeFrom(first, "Apple"), tree.topLevelNode(1));
}

TEST(NotebookRules, DateHasWeekdayShortMonthDayAndYear) {
  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  EXPECT_EQ(NotebookDate(QDate(2026, 3, 5)), "Thursday, Mar 5, 2026");
  EXPECT_EQ(NotebookDate(QDate(1999, 12, 31)), "Friday, Dec 31, 1999");
  QLocale::setDefault(QLocale::system());
}

TEST(NotebookRules, FormResultsStayInTheProgramFolder) {
  EXPECT_EQ(SubmitFile("/app/", ""), "/app/mysubmit.txt");
  EXPECT_EQ(SubmitFile("/app/", "order.txt"), "/app/order.txt");
  EXPECT_EQ(SubmitFile("/app/", "../../etc/passwd"), "/app/passwd");
  EXPECT_EQ(SubmitFile("/app/", "c:\\temp\\x.txt"), "/app/x.txt");
  EXPECT_EQ(SubmitFile("/app/", "http://host/cgi/post?x=1"), "/app/post");
  EXPECT_EQ(SubmitFile("/app/", "dir/"), "/app/mysubmit.txt");
  EXPECT_EQ(SubmitFile("/app/", ".."), "/app/mysubmit.txt");
}

TEST(NotebookRules, LinksByKind) {
  const auto expand = [](const QString &name) { return "/site/" + name; };
  using Kind = NotebookLink::Kind;
  EXPECT_EQ(NotebookLinkAction("sound.wav", expand), (NotebookLink{Kind::PlaySound, "/site/sound.wav"}));
  EXPECT_EQ(NotebookLinkAction("tool.EXE -x", expand), (NotebookLink{Kind::StartProgram, "/site/tool.EXE"}));
  EXPECT_EQ(NotebookLinkAction("c:\\music\\song.mid?x", expand),
            (NotebookLink{Kind::PlayMedia, "/site/c:\\music\\song.mid"}));
  EXPECT_EQ(NotebookLinkAction("film.avi", expand), (NotebookLink{Kind::PlayMedia, "/site/film.avi"}));
  EXPECT_EQ(NotebookLinkAction("file:///x/a.wav", expand).kind, Kind::PlaySound);
  // A scheme (first colon after the second character) is the view's business, whatever the file.
  for (const char *link : {"http://host/a.wav", "https://host/a.exe", "mailto:me@host", "ftp://h/x.mid"})
    EXPECT_EQ(NotebookLinkAction(link, expand).kind, Kind::LeaveToView) << link;
  EXPECT_EQ(NotebookLinkAction("page.htm", expand).kind, Kind::LeaveToView);
  // Only the first 255 characters count: the extension past them is not seen.
  EXPECT_EQ(NotebookLinkAction(QString(252, u'a') + ".wav", expand).kind, Kind::LeaveToView);
  EXPECT_EQ(NotebookLinkAction(QString(251, u'a') + ".wav", expand).kind, Kind::PlaySound);
}

TEST(Snippets, WrapOrReplaceTheSelection) {
  EXPECT_EQ(ApplySnippet(SnippetOf(SnippetKind::Bold), "word"), "<b>word</b>");
  EXPECT_EQ(ApplySnippet(SnippetOf(SnippetKind::TopicHead), "Title"), "<h3><font color=blue>Title</font></h3>");
  EXPECT_EQ(ApplySnippet(SnippetOf(SnippetKind::Html), "x"),
            "<html><head><title></title></head>\n<body>\nx\n</body></html>");
  EXPECT_EQ(ApplySnippet(SnippetOf(SnippetKind::Rule), "gone"), "<hr>\n");
  EXPECT_EQ(ApplySnippet(SnippetOf(SnippetKind::Button), ""),
            "<input type=button value=\"The Hague\" onclick=\"Wrong\">");
  const QString form = ApplySnippet(SnippetOf(SnippetKind::Form), "");
  EXPECT_EQ(form.count(u'\n'), 8);
  EXPECT_TRUE(form.startsWith("<form action=\"\"><br>\nName<br>\n"));
  EXPECT_TRUE(form.endsWith("<input type=submit value=\"\"></form>\n"));
  EXPECT_EQ(ImageSnippet("/p/a.gif"), "<img src=\"/p/a.gif\">");
  EXPECT_EQ(MediaSnippet("/p/a.mid"), "<a href=\"/p/a.mid\">music</a>");
}

} // namespace
