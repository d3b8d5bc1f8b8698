#include "lexora/EditorText.h"

#include <QTextDocument>
#include <gtest/gtest.h>

using namespace corvana;

namespace {

struct FindCase {
  const char *name;
  QString text, what;
  int from;
  bool matchCase;
  std::optional<int> at;
};
class Find : public testing::TestWithParam<FindCase> {};

struct ReplaceCase {
  const char *name;
  QString text, what, with;
  bool all, matchCase;
  QString result;
};
class Replace : public testing::TestWithParam<ReplaceCase> {};

template <class T> std::string rowName(const testing::TestParamInfo<T> &info) { return info.param.name; }

} // namespace

TEST_P(Find, FromAPositionForward) {
  const FindCase &c = GetParam();
  EXPECT_EQ(FindForward(c.text, c.what, c.from, c.matchCase), c.at);
}

INSTANTIATE_TEST_SUITE_P(Cases, Find,
                         testing::Values(FindCase{"FromTheStart", "abc abc", "abc", 0, true, 0},
                                         FindCase{"OneAfterTheLastMatch", "abc abc", "abc", 1, true, 4},
                                         FindCase{"PastTheLast", "abc abc", "abc", 5, true, std::nullopt},
                                         FindCase{"MatchCase", "ABC abc", "abc", 0, true, 4},
                                         FindCase{"IgnoringCase", "ABC abc", "abc", 0, false, 0},
                                         FindCase{"AcrossALineBreak", "a\nb", "a\nb", 0, true, 0},
                                         FindCase{"EmptyTextFindsNothing", "abc", "", 0, true, std::nullopt},
                                         FindCase{"StartBeyondTheText", "abc", "c", 9, true, std::nullopt},
                                         FindCase{"NegativeStart", "abc", "a", -1, true, std::nullopt}),
                         rowName<FindCase>);

TEST_P(Replace, InTheWholeText) {
  const ReplaceCase &c = GetParam();
  EXPECT_EQ(ReplaceText(c.text, c.what, c.with, c.all, c.matchCase), c.result);
}

INSTANTIATE_TEST_SUITE_P(Cases, Replace,
                         testing::Values(ReplaceCase{"FirstOnly", "a b a b", "a", "x", false, false, "x b a b"},
                                         ReplaceCase{"All", "a b a b", "a", "x", true, false, "x b x b"},
                                         ReplaceCase{"IgnoringCase", "A b a", "a", "x", true, false, "x b x"},
                                         ReplaceCase{"MatchCaseFirst", "A b a", "a", "x", false, true, "A b x"},
                                         ReplaceCase{"ReplacementHoldsTheSearchText", "aa", "a", "aa", true, true,
                                                     "aaaa"},
                                         ReplaceCase{"NotFound", "abc", "z", "x", true, false, "abc"},
                                         ReplaceCase{"EmptySearchChangesNothing", "abc", "", "x", true, false, "abc"},
                                         ReplaceCase{"ToNothing", "<b>bold</b>", "<b>", "", true, false, "bold</b>"}),
                         rowName<ReplaceCase>);

TEST(IndentLines, PutsATabBeforeEverySelectedLine) {
  struct Row {
    const char *name;
    int start, end;
    QString result;
  } rows[] = {
      {"InsideOneLine", 1, 2, "\tone\ntwo\nthree"},
      {"OverTwoLines", 2, 5, "\tone\n\ttwo\nthree"},
      {"EndingAtTheStartOfALine", 0, 8, "\tone\n\ttwo\n\tthree"},
      {"Backwards", 9, 4, "one\n\ttwo\n\tthree"},
      {"AtTheVeryEnd", 10, 13, "one\ntwo\n\tthree"},
  };
  for (const Row &row : rows) {
    QTextDocument document("one\ntwo\nthree");
    IndentLines(document, row.start, row.end);
    EXPECT_EQ(document.toPlainText(), row.result) << row.name;
    document.undo();
    EXPECT_EQ(document.toPlainText(), "one\ntwo\nthree") << row.name << ": one undo step";
  }
}

TEST(PrintLayout, StartsANewPageWhenLessThan100UnitsAreLeft) {
  // Page of 300: lines at 50, 110, 170 (170 + 100 = 270 fits), 230 does not: new page.
  const std::vector<TPrintedLine> lines = PrintLayout(5, 60, 300);
  const std::vector<TPrintedLine> expected{{0, 50}, {0, 110}, {0, 170}, {1, 50}, {1, 110}};
  EXPECT_EQ(lines, expected);
  EXPECT_TRUE(PrintLayout(0, 60, 300).empty());
  // A page too small for one line still gets one per page, and no empty first page.
  const std::vector<TPrintedLine> tiny{{0, 50}, {1, 50}, {2, 50}};
  EXPECT_EQ(PrintLayout(3, 60, 100), tiny);
}
