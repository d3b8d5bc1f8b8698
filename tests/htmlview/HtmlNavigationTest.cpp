#include "htmlview/HtmlNavigation.h"

#include <functional>
#include <gtest/gtest.h>

using namespace corvana;

namespace {

using Mode = HtmlNavigation::Mode;

QUrl file(const QString &name) { return QUrl::fromLocalFile("/site/" + name); }

// "b.htm:B a.htm:A @0": the entries newest first, then the position.
QString dump(const HtmlNavigation &nav) {
  QStringList parts;
  const QStringList files = nav.history().files();
  const QStringList titles = nav.history().titles();
  for (int i = 0; i < files.size(); ++i)
    parts.append(files[i].section(u'/', -1) + u':' + titles[i]);
  parts.append(QString("@%1").arg(nav.history().index()));
  return parts.join(u' ');
}

// A load the view starts and the engine then asks for, as every load goes.
bool load(HtmlNavigation &nav, const QString &name, const QString &title, Mode mode = Mode::Push) {
  nav.beginLoad(mode);
  nav.mainFrameRequested(false);
  return nav.finishLoad(file(name), title);
}

struct LoadCase {
  const char *name;
  std::function<void(HtmlNavigation &)> start; // what happens before b.htm's load ends
  bool changed;
  QString history;
};

void PrintTo(const LoadCase &c, std::ostream *os) { *os << c.name; }

class HowALoadCountsTest : public testing::TestWithParam<LoadCase> {};

} // namespace

TEST_P(HowALoadCountsTest, InTheHistory) {
  HtmlNavigation nav;
  load(nav, "a.htm", "A");
  GetParam().start(nav);
  EXPECT_EQ(nav.finishLoad(file("b.htm"), "B"), GetParam().changed);
  EXPECT_EQ(dump(nav), GetParam().history);
  EXPECT_EQ(nav.title(), "B");
}

INSTANTIATE_TEST_SUITE_P(
    Loads, HowALoadCountsTest,
    testing::Values(LoadCase{"OwnLoadIsANewEntry",
                             [](HtmlNavigation &nav) {
                               nav.beginLoad(Mode::Push);
                               nav.mainFrameRequested(false);
                             },
                             true, "b.htm:B a.htm:A @0"},
                    // The engine's request for the view's own reload must not turn it into a new entry.
                    LoadCase{"OwnStayKeepsItsModeThroughTheEnginesRequest",
                             [](HtmlNavigation &nav) {
                               nav.beginLoad(Mode::Stay);
                               nav.mainFrameRequested(false);
                             },
                             false, "a.htm:B @0"},
                    LoadCase{"PagesOwnNavigationIsANewEntry",
                             [](HtmlNavigation &nav) { nav.mainFrameRequested(false); }, true, "b.htm:B a.htm:A @0"},
                    LoadCase{"EnginesReloadStays", [](HtmlNavigation &nav) { nav.mainFrameRequested(true); }, false,
                             "a.htm:B @0"},
                    // A page that sends the browser on while the view's reload runs makes a new entry.
                    LoadCase{"RedirectAfterOwnStayIsANewEntry",
                             [](HtmlNavigation &nav) {
                               nav.beginLoad(Mode::Stay);
                               nav.mainFrameRequested(false);
                               nav.mainFrameRequested(false);
                             },
                             true, "b.htm:B a.htm:A @0"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(HtmlNavigationTest, AStepMovesTheHistoryAndTellsTheChangeWhenItsLoadEnds) {
  HtmlNavigation nav;
  load(nav, "a.htm", "A");
  load(nav, "b.htm", "B");
  load(nav, "c.htm", "C");
  EXPECT_EQ(nav.stepTo(2), "/site/a.htm");
  EXPECT_EQ(dump(nav), "c.htm:C b.htm:B a.htm:A @2");
  // Until the load ends, the document shown is still the one the step left.
  EXPECT_EQ(nav.currentFile(), "/site/c.htm");
  EXPECT_TRUE(load(nav, "a.htm", "A", Mode::Step));
  EXPECT_EQ(nav.currentFile(), "/site/a.htm");
  EXPECT_EQ(nav.title(), "A");
  EXPECT_EQ(dump(nav), "c.htm:C b.htm:B a.htm:A @2");

  EXPECT_EQ(nav.stepTo(2), "") << "no step to the entry already shown";
  EXPECT_EQ(nav.stepTo(3), "");
  EXPECT_EQ(nav.stepTo(0), "/site/c.htm");
  EXPECT_TRUE(load(nav, "c.htm", "C", Mode::Step));
  EXPECT_EQ(dump(nav), "c.htm:C b.htm:B a.htm:A @0");
}

TEST(HtmlNavigationTest, AStepWithinTheDocumentShownIsToldAtOnce) {
  HtmlNavigation nav;
  load(nav, "a.htm", "A");
  QUrl anchored = file("a.htm");
  anchored.setFragment("end");
  EXPECT_TRUE(nav.isAnchorMove(anchored));
  EXPECT_FALSE(nav.isAnchorMove(file("a.htm")));
  EXPECT_FALSE(nav.isAnchorMove(QUrl::fromLocalFile("/site/b.htm#end")));
  EXPECT_FALSE(nav.finishAnchorMove(anchored, Mode::Push));
  EXPECT_TRUE(nav.finishAnchorMove(anchored, Mode::Step));
  EXPECT_EQ(nav.currentUrl(), anchored);
}

TEST(HtmlNavigationTest, PassedLinksGoThroughOnceWhateverTheirAnchor) {
  HtmlNavigation nav;
  nav.passLink(QUrl("file:///site/a.htm#top"));
  EXPECT_FALSE(nav.takePassedLink(QUrl("file:///site/b.htm")));
  EXPECT_TRUE(nav.takePassedLink(QUrl("file:///site/a.htm#other")));
  EXPECT_FALSE(nav.takePassedLink(QUrl("file:///site/a.htm")));
  // Links agreed to but never followed do not pile up.
  for (int i = 0; i < 20; ++i)
    nav.passLink(file(QString("p%1.htm").arg(i)));
  EXPECT_FALSE(nav.takePassedLink(file("p0.htm")));
  EXPECT_TRUE(nav.takePassedLink(file("p19.htm")));
}

TEST(HtmlNavigationTest, LinksExpandAgainstTheirFrameUntilTheNextLoad) {
  HtmlNavigation nav;
  load(nav, "index.htm", "Index");
  EXPECT_EQ(nav.linkBase(), "/site/index.htm");
  nav.setLinkBase("/site/pages/contents.htm");
  EXPECT_EQ(nav.linkBase(), "/site/pages/contents.htm");
  load(nav, "b.htm", "B");
  EXPECT_EQ(nav.linkBase(), "/site/b.htm");
}
