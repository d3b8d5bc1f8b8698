#include "kelpwood/Csv.h"

#include <gtest/gtest.h>
#include <random>

using namespace corvana;

namespace {
// Values joined by "|" so that a failure shows them readably.
std::string Show(const QList<QByteArray> &values) { return values.join('|').toStdString(); }
} // namespace

struct SplitCase {
  const char *name;
  QByteArray line;
  QList<QByteArray> values;
};

class CsvSplit : public testing::TestWithParam<SplitCase> {};

TEST_P(CsvSplit, GivesTheValues) {
  const QList<QByteArray> values = SplitCsvLine(GetParam().line);
  EXPECT_EQ(Show(values), Show(GetParam().values));
  EXPECT_EQ(values.size(), GetParam().values.size());
}

INSTANTIATE_TEST_SUITE_P(
    Table, CsvSplit,
    testing::Values(SplitCase{"Plain", "a,b,c", {"a", "b", "c"}},
                    SplitCase{"BlanksAroundAndQuotedComma", "x, y ,\"p,q\",,z,", {"x", "y", "p,q", "", "z"}},
                    SplitCase{"BlankSplitsUnquotedValue", "one two", {"one", "two"}},
                    SplitCase{"LeadingControlBytesSkipped", "\x01\t  a", {"a"}}, SplitCase{"Empty", "", {}},
                    SplitCase{"OnlyBlanks", "   ", {}}, SplitCase{"LoneComma", ",", {""}},
                    SplitCase{"TwoCommas", ",,", {"", ""}}, SplitCase{"EmptyQuoted", "\"\"", {""}},
                    SplitCase{"DoubledQuotes", "\"c\"\"d\",\"\"\"\"", {"c\"d", "\""}},
                    SplitCase{"QuotedWithBlanks", "\" a b \",e", {" a b ", "e"}},
                    SplitCase{"TextAfterClosingQuoteIsNextValue", "\"a\"b", {"a", "b"}},
                    SplitCase{"UnterminatedLosesLastByte", "x,\"abc", {"x", "ab"}},
                    SplitCase{"UnterminatedEmpty", "\"", {""}}, SplitCase{"UnterminatedAfterDoubled", "\"a\"\"", {"a"}},
                    SplitCase{"NulEndsTheLine", QByteArray("a,b\0,c", 6), {"a", "b"}},
                    SplitCase{"HighBytesAreNotBlanks", "\xc3\xa9t\xc3\xa9,\xff", {"\xc3\xa9t\xc3\xa9", "\xff"}}),
    [](const auto &info) { return std::string(info.param.name); });

struct QuoteCase {
  const char *name;
  QList<QByteArray> values;
  QByteArray line;
};

class CsvJoin : public testing::TestWithParam<QuoteCase> {};

TEST_P(CsvJoin, QuotesOnlyWhereNeeded) { EXPECT_EQ(JoinCsvValues(GetParam().values), GetParam().line); }

INSTANTIATE_TEST_SUITE_P(Table, CsvJoin,
                         testing::Values(QuoteCase{"BlankQuoteAndPlain", {"a b", "c\"d", "e"}, "\"a b\",\"c\"\"d\",e"},
                                         QuoteCase{"Comma", {"p,q"}, "\"p,q\""},
                                         QuoteCase{"ControlByte", {"a\tb", "\x1f"}, "\"a\tb\",\"\x1f\""},
                                         QuoteCase{"HighBytesUnquoted", {"\xc3\xa9"}, "\xc3\xa9"},
                                         QuoteCase{"EmptyAmongSeveral", {"a", "", "b"}, "a,,b"},
                                         QuoteCase{"SingleEmpty", {""}, "\"\""}, QuoteCase{"None", {}, ""}),
                         [](const auto &info) { return std::string(info.param.name); });

// Whatever the values, splitting a joined line gives them back, except that an empty value at
// the end of several is lost (a comma at the end adds no value).
TEST(Csv, JoinThenSplitGivesTheValuesBack) {
  std::mt19937 random(7);
  for (int round = 0; round < 2000; ++round) {
    QList<QByteArray> values(qsizetype(random() % 6));
    for (QByteArray &value : values)
      for (int j = int(random() % 5); j > 0; --j)
        value += char(1 + random() % 255);
    if (values.size() > 1 && values.back().isEmpty())
      values.back() = "z";
    ASSERT_EQ(Show(SplitCsvLine(JoinCsvValues(values))), Show(values)) << JoinCsvValues(values).toStdString();
    ASSERT_EQ(SplitCsvLine(JoinCsvValues(values)).size(), values.size());
  }
}

TEST(Csv, HundredThousandColumns) {
  QByteArray line;
  for (int i = 0; i < 100'000; ++i)
    line += "v" + QByteArray::number(i) + ",";
  const QList<QByteArray> values = SplitCsvLine(line);
  ASSERT_EQ(values.size(), 100'000);
  EXPECT_EQ(values.back(), "v99999");
}

TEST(Csv, LinesEndAtCrLfOrEitherAloneAndAtNul) {
  QList<QByteArray> lines;
  ForEachLine(QByteArray("a\r\nb\rc\nd\r\re\n\nf\0g", 16), [&](QByteArrayView line) { lines << line.toByteArray(); });
  EXPECT_EQ(Show(lines), Show({"a", "b", "c", "d", "", "e", "", "f"}));
  lines.clear();
  ForEachLine("x\r", [&](QByteArrayView line) { lines << line.toByteArray(); });
  EXPECT_EQ(Show(lines), "x");
}
