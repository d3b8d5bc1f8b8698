#include "colormemo/ColorRules.h"

#include <gtest/gtest.h>

using namespace corvana;

namespace {

// The search text with its (small) index characters written as <n>.
QString readable(const QString &searchText) {
  QString out;
  for (QChar c : searchText)
    out += c.unicode() < 32 ? QStringLiteral("<%1>").arg(c.unicode()) : QString(c);
  return out;
}

QString delimDump(const TColorRule &rule) {
  QStringList out;
  for (const TDelimEntry &e : *rule.Delims()) {
    if (e.BeginText.isEmpty())
      break;
    out << QStringLiteral("%1|%2|%3").arg(e.BeginText, e.EndText).arg(e.Color, 6, 16, QChar(u'0'));
  }
  return out.join(u' ');
}

struct ColorRow {
  const char *name;
  QString text;
  TColor expected;
};

class ColorFromTextTest : public testing::TestWithParam<ColorRow> {};

TEST_P(ColorFromTextTest, Converts) { EXPECT_EQ(ColorFromText(GetParam().text), GetParam().expected); }

INSTANTIATE_TEST_SUITE_P(
    Rows, ColorFromTextTest,
    testing::Values(ColorRow{"NameWithBlanks", " Navy ", 0x800000}, ColorRow{"NameUpper", "NAVY", 0x800000},
                    ColorRow{"HexIsRRGGBB", "#800000", 0x000080}, ColorRow{"HashRed", "#FF0000", clRed},
                    ColorRow{"BareHexRed", "FF0000", clRed}, ColorRow{"NameRed", "red", clRed},
                    ColorRow{"LowerHex", "#00ff00", clLime}, ColorRow{"DollarHex", "$0000FF", clBlue},
                    ColorRow{"Fuchsia", "fuchsia", 0xFF00FF}, ColorRow{"NotAColour", "reddish", clWhite},
                    ColorRow{"Empty", "", clWhite}, ColorRow{"DollarInside", "12$34", clWhite},
                    ColorRow{"TooLongHex", "#1234567890", clWhite},
                    // Only the first ten characters count, so a long tail is never read.
                    ColorRow{"CutToTen", "#00000FFjunkjunk", clWhite},
                    ColorRow{"HighByteDropped", "$FF00FF00", 0x00FF00},
                    // The value decides, not the digit count: leading zeros keep a number valid.
                    ColorRow{"LeadingZerosBeyondEightDigits", "000000FF00", clLime},
                    ColorRow{"HashLeadingZerosBeyondEightDigits", "#00000FF00", clLime},
                    ColorRow{"TenDigitsFillingThirtyTwoBits", "0012345678", 0x785634},
                    // The cut to ten characters comes first: the last zero is dropped.
                    ColorRow{"HashTenDigitsCutToNine", "#000000FF00", 0xF00F00},
                    ColorRow{"TenDigitsBeyondThirtyTwoBits", "0100000000", clWhite},
                    ColorRow{"NineDigitsBeyondThirtyTwoBits", "#100000000", clWhite}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(ColorRuleKeywords, SearchTextAndColourTableOfTheBeginEndIfExample) {
  TColorRule rule;
  rule.SetKeywords({"begin;blue", "END", "if;#0000FF"});
  EXPECT_EQ(readable(rule.KeySearchText()), "*BEGIN*+<1>*END*+<2>*IF*+<1>*");
  EXPECT_EQ(rule.KeyColors(), (std::vector<TColor>{clBlue, clRed}));
}

TEST(ColorRuleKeywords, KeywordKeepsItsBlankAndSkipsEmptyOnes) {
  TColorRule rule;
  rule.SetKeywords({"begin ;blue", ";red", "   ", "", "  ;green", "a*b;navy"});
  EXPECT_EQ(readable(rule.KeySearchText()), "*BEGIN *+<1>*");
  EXPECT_EQ(rule.KeyColors(), std::vector<TColor>{clBlue});
}

TEST(ColorRuleKeywords, KeyCaseKeepsLettersAndTakesEffectAtTheNextParse) {
  TColorRule rule;
  rule.SetKeywords({"Begin", "\xC3\xA4x"});
  EXPECT_EQ(readable(rule.KeySearchText()), QStringLiteral("*BEGIN*+<1>*\u00E4X*+<1>*"));
  rule.KeyCase = true;
  EXPECT_EQ(readable(rule.KeySearchText()), QStringLiteral("*BEGIN*+<1>*\u00E4X*+<1>*"));
  rule.SetKeywords(rule.Keywords());
  EXPECT_EQ(readable(rule.KeySearchText()), QStringLiteral("*Begin*+<1>*\u00E4x*+<1>*"));
}

TEST(ColorRuleKeywords, FortySecondColourSharesThePreviousLinesIndex) {
  TColorRule rule;
  QStringList lines;
  for (int i = 0; i < 43; ++i)
    lines << QStringLiteral("k%1;#%2").arg(i).arg(i + 1, 6, 16, QChar(u'0'));
  lines << "again;#000001";
  rule.SetKeywords(lines);
  ASSERT_EQ(rule.KeyColors().size(), 41u);
  const auto &refs = rule.KeywordRefs();
  ASSERT_EQ(refs.size(), 44u);
  EXPECT_EQ(refs[40].ColorIndex, 41);
  EXPECT_EQ(refs[41].ColorIndex, 41);
  EXPECT_EQ(refs[42].ColorIndex, 41);
  EXPECT_EQ(refs[43].ColorIndex, 1); // a colour already in the table keeps its own index
  for (const TKeywordRef &ref : refs)
    EXPECT_LT(rule.KeySearchText()[ref.Offset + ref.Length + 2].unicode(), 42);
}

TEST(ColorRuleKeywords, KeywordLongerThanThirtyOneCharactersIsKeptWhole) {
  TColorRule rule;
  const QString longWord = QString(40, u'Q') + QString(10000, u'Z');
  rule.SetKeywords({longWord + ";navy"});
  ASSERT_EQ(rule.KeywordRefs().size(), 1u);
  EXPECT_EQ(rule.KeySearchText().mid(rule.KeywordRefs()[0].Offset, rule.KeywordRefs()[0].Length), longWord);
}

TEST(ColorRuleDelimiters, BeginEndPairs) {
  TColorRule rule;
  rule.SetKeyBegEndLst({"{;}", "(*;*);navy", "abcdefgh;12345678;lime", "<!--;-->; ", "\"", "x;y"});
  EXPECT_EQ(delimDump(rule), "{|}|0000ff (*|*)|800000 abcdef|123456|00ff00 <!--|-->|0000ff");
}

TEST(ColorRuleDelimiters, FirstLineWithoutSemicolonHidesEverything) {
  TColorRule rule;
  rule.SetKeyBegEndLst({"no pair here", "{;}"});
  EXPECT_EQ(delimDump(rule), "");
  rule.SetKeyBegEndLst({";x", "{;}"});
  EXPECT_EQ(delimDump(rule), "");
}

TEST(ColorRuleDelimiters, LinesAfterTheFortiethAreIgnored) {
  TColorRule rule;
  QStringList lines;
  for (int i = 0; i < 41; ++i)
    lines << QStringLiteral("b%1;e%1").arg(i);
  rule.SetKeyBegEndLst(lines);
  EXPECT_EQ(delimDump(rule).count(u' ') + 1, 40);
  EXPECT_FALSE(delimDump(rule).contains("b40"));
}

TEST(ColorRuleDelimiters, LineEndDelimiters) {
  TColorRule rule;
  rule.KeyDrawingType = dtBeginLineEnd;
  rule.SetKeyLineEndLst({"//;green", ";;green", "//", ";", ";rem", "--;", "REMARKS;blue"});
  EXPECT_EQ(delimDump(rule), "//||008000 ;||008000 //||0000ff ;||0000ff ;rem||0000ff --||0000ff REMARK||ff0000");
}

TEST(ColorRuleDelimiters, TableTextsStopAtANul) {
  TColorRule rule;
  rule.SetKeyBegEndLst({QString("a") + QChar(0) + "b;c", QString(QChar(0)) + "q;z"});
  EXPECT_EQ(delimDump(rule), "a|c|0000ff");
}

TEST(ColorRulePrepare, ContentDependsOnTheKind) {
  struct Row {
    TKeyDrawingType kind;
    QStringList keywords, begEnd, lineEnd;
    bool has;
  };
  const Row rows[] = {
      {dtKeyShow, {"a"}, {}, {}, true},       {dtBeginEnd, {"a"}, {}, {}, false},   {dtBeginEnd, {}, {"{;}"}, {}, true},
      {dtBeginLineEnd, {}, {}, {"//"}, true}, {dtEventDraw, {}, {}, {"//"}, false}, {dtKeyShow, {}, {"{;}"}, {}, true},
  };
  for (const Row &row : rows) {
    TColorRule rule;
    rule.KeyDrawingType = row.kind;
    rule.Keywords() = row.keywords;
    rule.KeyBegEndLst() = row.begEnd;
    rule.KeyLineEndLst() = row.lineEnd;
    EXPECT_EQ(rule.Prepare(), row.has) << int(row.kind);
  }
}

TEST(ColorRulePrepare, LineEndListReplacesThePairsOnlyForLineEndRules) {
  TColorRule rule;
  rule.KeyBegEndLst() = {"{;}"};
  rule.KeyLineEndLst() = {"//"};
  rule.Prepare();
  EXPECT_EQ(delimDump(rule), "{|}|0000ff");
  rule.KeyDrawingType = dtBeginLineEnd;
  rule.Prepare();
  EXPECT_EQ(delimDump(rule), "//||0000ff");
}

TEST(DrawRules, NeedsPrepareStaysUntilSomeRuleHasContentAndReturnsOnAdd) {
  TDrawRules rules;
  EXPECT_TRUE(rules.NeedsPrepare);
  rules.Add();
  rules.Prepare();
  EXPECT_TRUE(rules.NeedsPrepare);

  TColorRule *rule = rules.Add();
  rule->KeyBegEndLst() = {"{;}"};
  rules.Prepare();
  EXPECT_FALSE(rules.NeedsPrepare);
  // Lines changed in place wait for the next preparation.
  rule->KeyBegEndLst() = {"<;>"};
  rules.Prepare();
  EXPECT_EQ(delimDump(*rule), "{|}|0000ff");
  rules.Add();
  rules.Prepare();
  EXPECT_EQ(delimDump(*rule), "<|>|0000ff");
  rules.Clear();
  EXPECT_EQ(rules.Count(), 0);
  EXPECT_TRUE(rules.NeedsPrepare);
}

TEST(DrawRules, AssignCopiesEveryRuleExceptTheUnusedOnes) {
  TDrawRules source;
  TColorRule *rule = source.Add();
  rule->KeyDrawingType = dtKeyShow;
  rule->ZOrder = 7;
  rule->KeyMaxHeight = 3;
  rule->KeyCase = true;
  rule->Enabled = false;
  rule->PartWord = true;
  rule->DefKeyColor = clGreen;
  rule->KeyBrushColor = clAqua;
  rule->KeySelColor = clBlack;
  rule->IntChar = "x";
  rule->Keywords() = {"Abc"};
  rule->KeyBegEndLst() = {"{;}"};
  rule->KeyLineEndLst() = {"//"};

  TDrawRules copy;
  copy.Add();
  copy.Add();
  copy.Assign(source);
  ASSERT_EQ(copy.Count(), 1);
  const TColorRule &c = *copy[0];
  EXPECT_EQ(c.KeyDrawingType, dtKeyShow);
  EXPECT_EQ(c.ZOrder, 7);
  EXPECT_EQ(c.KeyMaxHeight, 3);
  EXPECT_TRUE(c.KeyCase);
  EXPECT_FALSE(c.Enabled);
  EXPECT_TRUE(c.PartWord);
  EXPECT_EQ(c.DefKeyColor, clGreen);
  EXPECT_EQ(c.KeyBrushColor, clAqua);
  EXPECT_EQ(c.KeySelColor, clYellow);
  EXPECT_EQ(c.IntChar, "");
  EXPECT_EQ(c.Keywords(), QStringList{"Abc"});
  EXPECT_EQ(readable(c.KeySearchText()), "*Abc*+<1>*");
  // The setters ran in order, so the line-end list parsed last owns the delimiter table.
  EXPECT_EQ(delimDump(c), "//||008000");
}

TEST(KeyDescrList, ReusesRecordsAndMarksFreeOnes) {
  TKeyDescrList list(2);
  list.Add({0, 1, clRed, 1, false});
  list.Add({2, 3, clRed, 1, false});
  list.Add({4, 5, clRed, 1, true});
  list.MarkEnd();
  EXPECT_EQ(list.Count(), 3);
  EXPECT_GE(list.Capacity(), 4);
  EXPECT_TRUE(list[3].IsFree());
  const int capacity = list.Capacity();
  list.Clear();
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.Capacity(), capacity);
  EXPECT_TRUE(list[0].IsFree());
  EXPECT_TRUE(list[2].IsFree());
}

} // namespace
