#include "htmlview/HtmlNames.h"
#include "htmlview/HtmlHistory.h"

#include <gtest/gtest.h>

using namespace corvana;

namespace {

struct NameCase {
  const char *name;
  QString base;
  QString link;
  QString expected;
};

void PrintTo(const NameCase &c, std::ostream *os) { *os << c.name; }

class ExpandLinkNameTest : public testing::TestWithParam<NameCase> {};

} // namespace

TEST_P(ExpandLinkNameTest, MakesTheLinkAbsolute) {
  EXPECT_EQ(ExpandLinkName(GetParam().base, GetParam().link), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Links, ExpandLinkNameTest,
    testing::Values(NameCase{"SameDirectory", "/site/index.htm", "page.htm", "/site/page.htm"},
                    NameCase{"SubDirectory", "/site/index.htm", "pages/a.htm", "/site/pages/a.htm"},
                    NameCase{"ParentDirectory", "/site/pages/a.htm", "../b.htm", "/site/b.htm"},
                    NameCase{"FileUrlBase", "file:///site/pages/a.htm", "b.htm", "/site/pages/b.htm"},
                    NameCase{"DirectoryBase", "/opt/corvana/", "x.htm", "/opt/corvana/x.htm"},
                    NameCase{"AbsolutePath", "/site/index.htm", "/other/x.htm", "/other/x.htm"},
                    NameCase{"FileUrlLink", "/site/index.htm", "file:///other/my%20x.htm", "/other/my x.htm"},
                    NameCase{"EscapedBlank", "/site/index.htm", "my%20page.htm", "/site/my page.htm"},
                    NameCase{"WebLinkUnchanged", "/site/index.htm", "http://example.com/a", "http://example.com/a"},
                    NameCase{"UpperCaseWebLinkUnchanged", "/site/index.htm", "HTTP://x.org/", "HTTP://x.org/"},
                    NameCase{"EmptyLinkIsTheDocument", "/site/index.htm", "", "/site/index.htm"}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(HtmlNames, FileUrlsBecomePaths) {
  EXPECT_EQ(FileUrlToName("file:///home/me/a.htm"), "/home/me/a.htm");
  EXPECT_EQ(FileUrlToName("FILE://home/me/a.htm"), "/home/me/a.htm");
  EXPECT_EQ(FileUrlToName("file:///C|/web/a.htm"), "/C:/web/a.htm");
  EXPECT_EQ(FileUrlToName("/plain/path.htm"), "/plain/path.htm");
  EXPECT_EQ(FileUrlToName("page.htm"), "page.htm");
}

TEST(HtmlNames, SplitAnchorKeepsTheHash) {
  EXPECT_EQ(SplitAnchor("a.htm#part").name, "a.htm");
  EXPECT_EQ(SplitAnchor("a.htm#part").anchor, "#part");
  EXPECT_EQ(SplitAnchor("a.htm").anchor, "");
  EXPECT_EQ(SplitAnchor("#top").name, "");
}

TEST(HtmlNames, UntitledDocumentsHaveNoTitle) {
  const QUrl url = QUrl::fromLocalFile("/site/a.htm");
  EXPECT_EQ(CleanDocumentTitle("My Page", url), "My Page");
  EXPECT_EQ(CleanDocumentTitle("file:///site/a.htm", url), "");
  EXPECT_EQ(CleanDocumentTitle("/site/a.htm", url), "");
  EXPECT_EQ(CleanDocumentTitle("a.htm", url), "");
}

namespace {

QString dump(const HtmlHistory &history) {
  QStringList parts;
  for (int i = 0; i < history.count(); ++i)
    parts.append((i == history.index() ? "*" : "") + history.files()[i] + ":" + history.titles()[i]);
  return parts.join(' ');
}

} // namespace

TEST(HtmlHistory, NewestFirstWithAPositionThatSteps) {
  HtmlHistory history;
  history.push("a", "A");
  history.push("b", "B");
  history.push("c", "C");
  EXPECT_EQ(dump(history), "*c:C b:B a:A");
  EXPECT_EQ(history.back(), "b");
  EXPECT_EQ(history.back(), "a");
  EXPECT_EQ(history.back(), "");
  EXPECT_EQ(dump(history), "c:C b:B *a:A");
  EXPECT_EQ(history.forward(), "b");
  EXPECT_TRUE(history.canGoForward());
  // A new document drops what lay ahead.
  history.push("d", "D");
  EXPECT_EQ(dump(history), "*d:D b:B a:A");
  EXPECT_FALSE(history.canGoForward());
  // The same document again only updates its title.
  history.push("d", "D2");
  EXPECT_EQ(dump(history), "*d:D2 b:B a:A");
}

TEST(HtmlHistory, KeepsAtMostItsLimitDroppingTheOldest) {
  HtmlHistory history(50);
  for (int i = 1; i <= 55; ++i)
    history.push(QString("p%1").arg(i), QString());
  EXPECT_EQ(history.count(), 50);
  EXPECT_EQ(history.files().first(), "p55");
  EXPECT_EQ(history.files().last(), "p6");
  history.setMaxCount(3);
  EXPECT_EQ(history.files(), (QStringList{"p55", "p54", "p53"}));
  EXPECT_EQ(history.goTo(2), "p53");
  history.setMaxCount(2);
  EXPECT_EQ(history.index(), 1);
}
