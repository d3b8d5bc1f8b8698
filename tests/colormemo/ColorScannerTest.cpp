#include "colormemo/ColorScanner.h"

#include <gtest/gtest.h>

using namespace corvana;

namespace {

QString colorName(TColor c) {
  switch (c) {
  case clRed:
    return "red";
  case clBlue:
    return "blue";
  case clGreen:
    return "green";
  case clNavy:
    return "navy";
  case clBlack:
    return "black";
  case clWhite:
    return "white";
  default:
    return QString::number(c, 16);
  }
}

// "start-end colour [zN] [k]" per record; ZOrder shown when not 0.
QString dump(const TKeyDescrList &list) {
  QStringList out;
  for (int i = 0; i < list.Count(); ++i) {
    const TKeyDescr &r = list[i];
    QString s = QStringLiteral("%1-%2 %3").arg(r.StartPos).arg(r.EndPos).arg(colorName(r.Color));
    if (r.ZOrder)
      s += QStringLiteral(" z%1").arg(r.ZOrder);
    if (r.IsKey)
      s += " k";
    out << s;
  }
  return out.join(", ");
}

class Scan {
public:
  Scan() {
    settings.FontColor = clBlack;
    settings.BackColor = clWhite;
  }
  TColorRule *keywords(const QStringList &lines, quint8 zorder = 0) {
    TColorRule *rule = rules.Add();
    rule->KeyDrawingType = dtKeyShow;
    rule->ZOrder = zorder;
    rule->Keywords() = lines;
    return rule;
  }
  TColorRule *pairs(const QStringList &lines, quint8 zorder = 0) {
    TColorRule *rule = rules.Add();
    rule->ZOrder = zorder;
    rule->KeyBegEndLst() = lines;
    return rule;
  }
  TColorRule *lineEnds(const QStringList &lines) {
    TColorRule *rule = rules.Add();
    rule->KeyDrawingType = dtBeginLineEnd;
    rule->KeyLineEndLst() = lines;
    return rule;
  }
  // The resolved runs of a region holding text, starting at character regionStart.
  QString runs(const QString &text, qint32 regionStart = 0) {
    scanner.SetRegion(regionStart, text);
    scanner.Scan(rules, settings);
    return dump(scanner.Ranges());
  }
  QString ranges(const QString &text) {
    scanner.SetRegion(0, text);
    scanner.Collect(rules, settings);
    return dump(scanner.Ranges());
  }

  TDrawRules rules;
  TScanSettings settings;
  TColorScanner scanner;
};

struct WordRow {
  const char *name;
  QString text;
  bool partWord;
  bool keyCase;
  QString expected;
};

class KeywordScan : public testing::TestWithParam<WordRow> {};

TEST_P(KeywordScan, ColoursAcceptedMatches) {
  Scan scan;
  TColorRule *rule = scan.keywords({"IF;blue", "END;green"});
  rule->PartWord = GetParam().partWord;
  rule->KeyCase = GetParam().keyCase;
  EXPECT_EQ(scan.runs(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, KeywordScan,
                         testing::Values(WordRow{"WholeWordsOnly", "if x1 then endif", false, false, "0-1 blue k"},
                                         WordRow{"PartWordColoursInsideEndif", "if x1 then endif", true, false,
                                                 "0-1 blue k, 11-13 green k, 14-15 blue k"},
                                         WordRow{"UnderscoreIsNoLetter", "if_x", false, false, "0-1 blue k"},
                                         WordRow{"DigitIsNoLetter", "x1if", false, false, "2-3 blue k"},
                                         WordRow{"AtSignIsALetter", "if@ @if", false, false, ""},
                                         WordRow{"BracketIsNoLetter", "if[", false, false, "0-1 blue k"},
                                         WordRow{"CaseIgnored", "If eNd", false, false, "0-1 blue k, 3-5 green k"},
                                         WordRow{"CaseKept", "If END", false, true, "3-5 green k"},
                                         WordRow{"NonAsciiLetterDoesNotTouch", QStringLiteral("\u00E9if\u00E9"), false,
                                                 false, "1-2 blue k"},
                                         WordRow{"MatchesDoNotOverlap", "ENDENDEND", true, false, "0-8 green k"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(KeywordScan, KeywordWithItsBlankMatchesOnlyBeforeABlank) {
  Scan scan;
  scan.keywords({"begin ;blue"});
  EXPECT_EQ(scan.runs("begin; begin 1 beginx"), "7-12 blue k");
}

TEST(KeywordScan, KeywordLongerThanThirtyOneCharactersIsFound) {
  Scan scan;
  const QString word = "a_very_long_identifier_of_forty_characters";
  scan.keywords({word + ";navy"});
  EXPECT_EQ(scan.runs("x " + word + " y"), QStringLiteral("2-%1 navy k").arg(1 + word.size()));
}

TEST(KeywordScan, KeywordsOfDifferentLengthsOverlapAndTheLaterRangeWins) {
  Scan scan;
  scan.keywords({"END IF;blue", "IF;green"}, 0);
  scan.rules[0]->PartWord = true;
  EXPECT_EQ(scan.runs("END IF"), "0-3 blue k, 4-5 green k");
}

TEST(RuleOrder, EqualZOrderLaterRuleWinsAndHigherZOrderWinsAlways) {
  Scan scan;
  scan.keywords({"abc;blue"}, 1);
  scan.keywords({"abc;green"}, 1);
  EXPECT_EQ(scan.runs("abc"), "0-2 green z1 k");
  scan.rules[0]->ZOrder = 2;
  EXPECT_EQ(scan.runs("abc"), "0-2 blue z2 k");
}

TEST(RuleOrder, DisabledRuleIsSkipped) {
  Scan scan;
  scan.keywords({"abc;blue"})->Enabled = false;
  EXPECT_EQ(scan.runs("abc"), "");
}

TEST(BeginEndScan, RangesAcrossLinesAndTheEndSearchStartsOneAfterTheBegin) {
  Scan scan;
  scan.pairs({"/*;*/;navy"});
  EXPECT_EQ(scan.runs("/*/"), "0-2 navy");
  EXPECT_EQ(scan.runs("a /* b\nc */ d"), "2-10 navy");
  EXPECT_EQ(scan.runs("/**/ x /* y */"), "0-3 navy, 7-13 navy");
}

TEST(BeginEndScan, UnterminatedRangeIsDroppedAndStopsTheRule) {
  Scan scan;
  scan.pairs({"/*;*/", "{;};blue"});
  EXPECT_EQ(scan.runs("{a} /* b {c}"), "0-2 blue");
  EXPECT_EQ(scan.runs("x /* y"), "");
}

TEST(BeginEndScan, EarliestBeginWinsAndTheEarlierEntryOnATie) {
  Scan scan;
  scan.pairs({"<;>;blue", "<!;!>;green", "[;]"});
  EXPECT_EQ(scan.runs("<!x!>"), "0-4 blue");
  EXPECT_EQ(scan.runs("[<]>"), "0-2 red");
}

TEST(BeginEndScan, EmptyEntryHidesThePairsAfterIt) {
  Scan scan;
  scan.pairs({"no pair", "{;}"});
  EXPECT_EQ(scan.runs("{x}"), "");
}

TEST(LineEndScan, RangeStopsBeforeTheLineBreakOrAtTheRegionEnd) {
  Scan scan;
  scan.lineEnds({"//;green", ";;blue"});
  EXPECT_EQ(scan.runs("a // b\nc // d"), "2-5 green, 9-12 green");
  EXPECT_EQ(scan.runs("x; y // z\n;"), "1-8 blue, 10-10 blue");
  EXPECT_EQ(scan.runs("//\n//"), "0-1 green, 3-4 green");
}

TEST(HotSpotScan, MarkersAndTextAndTheEmptyAndUnterminatedOnes) {
  Scan scan;
  scan.settings.HotSpot.Active = true;
  scan.settings.HotSpot.MarkerColor = clWhite;
  const QChar b(30), e(31);
  EXPECT_EQ(scan.runs(QString("x") + b + "abc" + e + "y"), "1-1 white z253, 2-4 blue z252, 5-5 white z253");
  EXPECT_EQ(scan.runs(QString(b) + e), "0-1 white z253");
  EXPECT_EQ(scan.runs(QString(b) + "ab" + e + " " + b + "cd"), "0-0 white z253, 1-2 blue z252, 3-3 white z253");
  scan.settings.HotSpot.Active = false;
  EXPECT_EQ(scan.runs(QString(b) + "ab" + e), "");
  scan.settings.HotSpot.Active = true;
  scan.settings.HotSpot.BeginChar = QChar(0);
  EXPECT_EQ(scan.runs(QString(b) + "ab" + e), "");
}

TEST(SelectionScan, SelectionIsRedOverEveryRuleButTabsKeepTheBackground) {
  Scan scan;
  scan.keywords({"if;blue"}, 250);
  EXPECT_EQ(scan.runs("if\tif"), "0-1 blue z250 k, 2-2 white z255, 3-4 blue z250 k");
  scan.settings.SelStart = 10;
  scan.settings.SelLength = 5;
  EXPECT_EQ(scan.runs("if\tif", 10), "10-11 red z254, 12-12 white z255, 13-14 red z254");
  scan.settings.AcceptTabs = false;
  EXPECT_EQ(scan.runs("if\tif", 10), "10-14 red z254");
}

TEST(SelectionScan, SelectionAndCaretBlankingAreClippedToTheRegion) {
  Scan scan;
  scan.keywords({"x"});
  scan.settings.SelStart = 0;
  scan.settings.SelLength = 1000000;
  EXPECT_EQ(scan.runs("abc", 500), "500-502 red z254");
  EXPECT_LE(scan.scanner.AttrCapacity(), 2048u);
}

TEST(RedrawAlwaysScan, CaretLineIsBlankedUpToTheCaretUnderTheRules) {
  Scan scan;
  scan.keywords({"cd;blue"});
  scan.settings.RedrawAlways = true;
  scan.settings.CaretLineStart = 0;
  scan.settings.SelStart = 3;
  EXPECT_EQ(scan.runs("ab cd"), "0-2 black, 3-4 blue k");
}

TEST(EventDrawScan, HandlerRangesAreOffsetsFromTheRegionAndAreChecked) {
  Scan scan;
  TColorRule *rule = scan.rules.Add();
  rule->KeyDrawingType = dtEventDraw;
  rule->ZOrder = 9;
  TColorRule *sender = nullptr;
  QString seen;
  scan.settings.OnDraw = [&](TColorRule *s, const QChar *from, TKeyDescr *a, int &count) {
    sender = s;
    seen = QString(from); // the region is zero-terminated
    EXPECT_EQ(count, 0);
    EXPECT_EQ(a[1], (TKeyDescr{0, 0, 0, 0, false}));
    a[0] = {0, 1, clGreen, 0, true};
    a[1] = {3, 2, clBlue, 0, false};    // backwards: dropped
    a[2] = {4, 99, clNavy, 200, false}; // past the region: clipped
    count = 40;                         // more than the array holds: only the array is read
  };
  EXPECT_EQ(scan.runs("hello", 100), "");
  scan.settings.ColorLimMax = 3;
  EXPECT_EQ(scan.runs("hello", 100), "100-101 green z9, 104-104 navy z200");
  EXPECT_EQ(sender, rule);
  EXPECT_EQ(seen, "hello");
}

struct StartRow {
  const char *name;
  int firstPainted;
  std::optional<int> keyMaxHeight;
  int expected;
};

class ScanStart : public testing::TestWithParam<StartRow> {};

TEST_P(ScanStart, LinesAboveThePaintedOnes) {
  TDrawRules rules;
  if (GetParam().keyMaxHeight) {
    rules.Add()->KeyMaxHeight = *GetParam().keyMaxHeight;
    rules.Add()->KeyMaxHeight = 50; // only the first rule's value counts
  }
  EXPECT_EQ(ScanStartLine(GetParam().firstPainted, rules), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, ScanStart,
                         testing::Values(StartRow{"NoRules", 10, std::nullopt, 10}, StartRow{"Default", 10, 1, 10},
                                         StartRow{"ThreeHigh", 10, 3, 8}, StartRow{"NotBelowZero", 1, 5, 0},
                                         StartRow{"ZeroActsAsOne", 10, 0, 10},
                                         StartRow{"NegativeActsAsOne", 10, -7, 10},
                                         StartRow{"Huge", 10, 0x7FFFFFFF, 0}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ScanRegionEnd, CutRowEndsTheRegionAtItsFirstCharacter) {
  const std::vector<TLineRow> rows{{0, 0}, {16, 10}, {32, 20}, {48, 30}};
  EXPECT_EQ(ScanRegionEnd(rows, 16, 60, 39), 30);
  EXPECT_EQ(ScanRegionEnd(rows, 16, 64, 39), 39);
  EXPECT_EQ(ScanRegionEnd(rows, 16, 10, 39), 0);
  EXPECT_EQ(ScanRegionEnd({}, 16, 10, 7), 7);
}

TEST(ScanRegionEnd, RangeWhoseEndLiesBelowTheCutIsNotColoured) {
  // Lines "a {", "b", "} c": the third line is cut, so the pair's end is never seen.
  const QString text = "a {\nb\n} c";
  const std::vector<TLineRow> rows{{0, 0}, {16, 4}, {32, 6}};
  Scan scan;
  scan.pairs({"{;}"});
  EXPECT_EQ(scan.runs(text.left(ScanRegionEnd(rows, 16, 40, 9))), "");
  EXPECT_EQ(scan.runs(text.left(ScanRegionEnd(rows, 16, 48, 9))), "2-6 red");
}

struct HotRow {
  const char *name;
  QString line;
  int column;
  std::optional<QString> expected;
};

class HotSpotText : public testing::TestWithParam<HotRow> {};

TEST_P(HotSpotText, UnderTheCharacter) {
  EXPECT_EQ(HotSpotTextAt(GetParam().line, GetParam().column, QChar(30), QChar(31)), GetParam().expected);
}

const QString kHot = QString("x") + QChar(30) + "abc" + QChar(31) + "y";

INSTANTIATE_TEST_SUITE_P(Rows, HotSpotText,
                         testing::Values(HotRow{"OnTheB", kHot, 3, "abc"}, HotRow{"OnTheA", kHot, 2, "abc"},
                                         HotRow{"OnTheEndMarker", kHot, 5, "abc"},
                                         HotRow{"OnTheBeginMarker", kHot, 1, std::nullopt},
                                         HotRow{"Before", kHot, 0, std::nullopt},
                                         HotRow{"After", kHot, 6, std::nullopt},
                                         HotRow{"PastTheLine", kHot, 99, std::nullopt},
                                         HotRow{"Empty", QString(QChar(30)) + QChar(31), 1, ""},
                                         HotRow{"NoBeginMarker", QString("ab") + QChar(31), 1, "ab"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(HotSpotText, SameCharacterForBothMarkers) { EXPECT_EQ(HotSpotTextAt("a|bc|d", 3, u'|', u'|'), "bc"); }

TEST(ScannerBuffers, AreReusedAndOnlyGrow) {
  Scan scan;
  scan.keywords({"x"})->PartWord = true;
  scan.runs(QString(5000, u'x'));
  const size_t buffer = scan.scanner.BufferCapacity();
  const size_t attrs = scan.scanner.AttrCapacity();
  EXPECT_GE(buffer, 5001u);
  scan.runs("x x");
  scan.runs(QString(5000, u'x'));
  EXPECT_EQ(scan.scanner.BufferCapacity(), buffer);
  EXPECT_EQ(scan.scanner.AttrCapacity(), attrs);
}

TEST(ScannerBadInput, HugeBinaryAndManyRulesStayWithinTheRegion) {
  Scan scan;
  QString binary;
  for (int i = 0; i < 10000; ++i)
    binary += QChar(char16_t(i % 7 == 0 ? 0 : i));
  for (int i = 0; i < 1000; ++i) {
    scan.keywords({binary + ";red", QString(10000, u'q'), QString(), "*"});
    scan.pairs({binary + ";" + binary, ""});
    scan.lineEnds({QString("\n"), binary});
  }
  scan.keywords({"needle;blue"});
  QString line(1 << 20, u'k'); // a 1 MB line without breaks
  line.replace(1000, 6, "needle");
  line[1006] = u' ';
  line[999] = u' ';
  EXPECT_EQ(scan.runs(line), "1000-1005 blue k");
  EXPECT_LE(scan.scanner.AttrCapacity(), size_t(line.size()) + 2);
}

TEST(ScannerBadInput, DelimiterStartingWithALineBreakIsDroppedAndTheScanMovesOn) {
  Scan scan;
  scan.lineEnds({QString("\n") + "x", "b"});
  EXPECT_EQ(scan.runs("a\nxb\nxc"), "3-3 red");
}

} // namespace
