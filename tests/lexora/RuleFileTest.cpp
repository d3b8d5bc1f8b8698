#include "lexora/RuleFile.h"
#include "colormemo/ColorScanner.h"
#include "core/TextFiles.h"
#include "support/TestHelpers.h"

#include <QFileInfo>
#include <QSet>
#include <gtest/gtest.h>

using namespace corvana;

namespace {

QString kindName(TKeyDrawingType kind) {
  switch (kind) {
  case dtKeyShow:
    return "keys";
  case dtEventDraw:
    return "event";
  case dtBeginEnd:
    return "range";
  case dtBeginLineEnd:
    return "line";
  }
  return "?";
}

// One line per rule: "name[x] kind z=N on|off case part def=RRGGBB kw=… kbe=… kle=…".
QString dump(const TRuleFileResult &result, const TDrawRules &rules) {
  QStringList out;
  for (int i = 0; i < rules.Count(); ++i) {
    const TColorRule &r = *rules[i];
    QString line = result.Items[size_t(i)].Name + (result.Items[size_t(i)].Ticked ? "[x]" : "[ ]");
    line += " " + kindName(r.KeyDrawingType) + QString(" z=%1").arg(r.ZOrder);
    line += r.Enabled ? " on" : " off";
    if (r.KeyCase)
      line += " case";
    if (r.PartWord)
      line += " part";
    line += QString(" def=%1").arg(r.DefKeyColor, 6, 16, QChar('0'));
    if (!r.Keywords().isEmpty())
      line += " kw=" + r.Keywords().join('|');
    if (!r.KeyBegEndLst().isEmpty())
      line += " kbe=" + r.KeyBegEndLst().join('|');
    if (!r.KeyLineEndLst().isEmpty())
      line += " kle=" + r.KeyLineEndLst().join('|');
    out.append(line);
  }
  return out.join('\n');
}

struct ReadCase {
  const char *name;
  QStringList lines;
  QString rules;
  TRuleFileResult::Stop stop = TRuleFileResult::Stop::None;
  int stopLine = -1;
};

class RuleFileRead : public testing::TestWithParam<ReadCase> {};

} // namespace

TEST_P(RuleFileRead, GivesTheRulesAndTheStop) {
  const ReadCase &c = GetParam();
  TDrawRules rules;
  rules.Add(); // left over from an earlier reading
  const TRuleFileResult result = ReadRuleLines(c.lines, rules);
  EXPECT_EQ(dump(result, rules), c.rules);
  EXPECT_EQ(int(result.Items.size()), rules.Count());
  EXPECT_EQ(result.Stopped, c.stop);
  EXPECT_EQ(result.StopLine, c.stopLine);
  if (c.stop == TRuleFileResult::Stop::NoRule) {
    EXPECT_EQ(result.Message, "Add New Rule before setting properties");
  } else if (c.stop == TRuleFileResult::Stop::None) {
    EXPECT_EQ(result.Message, "");
  }
}

using S = TRuleFileResult::Stop;

INSTANTIATE_TEST_SUITE_P(
    Cases, RuleFileRead,
    testing::Values(
        ReadCase{"EmptyFile", {}, ""}, ReadCase{"EmptyFirstLineStopsAtOnce", {"", "NEWRULE=a"}, "", S::NoRule, 0},
        ReadCase{"PropertyBeforeTheFirstRule", {"/ comment", "KW=if", "NEWRULE=a"}, "", S::NoRule, 1},
        ReadCase{"LineWithoutEqualsBeforeTheFirstRule", {"junk"}, "", S::NoRule, 0},
        ReadCase{"DefaultsOfANewRule", {"NEWRULE=Plain"}, "Plain[ ] range z=0 on def=0000ff"},
        ReadCase{"EnabledYesTicks",
                 {"NEWRULE=a", "ENABLED=yes", "NEWRULE=b", "ENABLED=Yes", "NEWRULE=c", "ENABLED=y", "NEWRULE=d",
                  "ENABLED=no"},
                 "a[x] range z=0 on def=0000ff\nb[x] range z=0 on def=0000ff\nc[ ] range z=0 off def=0000ff\n"
                 "d[ ] range z=0 off def=0000ff"},
        ReadCase{"ZOrderNumbersAndJunk",
                 {"NEWRULE=a", "ZORDER=12", "NEWRULE=b", "ZORDER=abc", "NEWRULE=c", "ZORDER=300", "NEWRULE=d",
                  "ZORDER=-1", "NEWRULE=e", "ZORDER="},
                 "a[ ] range z=12 on def=0000ff\nb[ ] range z=1 on def=0000ff\nc[ ] range z=1 on def=0000ff\n"
                 "d[ ] range z=1 on def=0000ff\ne[ ] range z=1 on def=0000ff"},
        ReadCase{"SecondEqualsStaysInTheValue", {"NEWRULE=a", "KW=a=b;red"}, "a[ ] range z=0 on def=0000ff kw=a=b;red"},
        ReadCase{"KeysInAnyCaseValuesUntrimmed",
                 {"newrule= Tags ", "dtKeyShow=whatever", "Kw=begin ;blue", "PartWord=YES", "keycase=yEs"},
                 " Tags [ ] keys z=0 on case part def=0000ff kw=begin ;blue"},
        ReadCase{"KindsAndLists",
                 {"NEWRULE=r", "DTKEYSHOW", "DTBEGINLINEEND=", "KLE=//;green", "KBE={;}", "NEWRULE=s",
                  "DTBEGINEND=", "KBE=(*;*);navy"},
                 "r[ ] line z=0 on def=0000ff kbe={;} kle=//;green\ns[ ] range z=0 on def=0000ff kbe=(*;*);navy"},
        ReadCase{"OtherKeysAndEmptyLinesAfterARuleAreIgnored",
                 {"NEWRULE=a", "", "no equals", "COLOR=red", "KEYMAXHEIGHT=5", "/KW=skipped", "KW=kept"},
                 "a[ ] range z=0 on def=0000ff kw=kept"},
        ReadCase{
            "DefaultColourIdentifiers",
            {"NEWRULE=a", "DEFKEYCOLOR=Navy", "NEWRULE=b", "DEFKEYCOLOR=windowtext", "NEWRULE=c", "DEFKEYCOLOR=None"},
            "a[ ] range z=0 on def=800000\nb[ ] range z=0 on def=80000008\nc[ ] range z=0 on def=1fffffff"},
        ReadCase{"BadDefaultColourStopsWhatWasReadStays",
                 {"NEWRULE=a", "ENABLED=yes", "DEFKEYCOLOR=Pinkish", "KW=never", "NEWRULE=b"},
                 "a[x] range z=0 on def=0000ff",
                 S::BadColor,
                 2},
        ReadCase{"ColourNeedsTheIdentifierNotAHexNumber",
                 {"NEWRULE=a", "DEFKEYCOLOR=FF0000"},
                 "a[ ] range z=0 on def=0000ff",
                 S::BadColor,
                 1}),
    [](const testing::TestParamInfo<ReadCase> &info) { return std::string(info.param.name); });

TEST(RuleFile, BadColourMessageNamesTheIdentifier) {
  TDrawRules rules;
  TRuleFileResult result = ReadRuleLines({"NEWRULE=a", "DEFKEYCOLOR=Pinkish"}, rules);
  EXPECT_EQ(result.Message, "'clPinkish' is not a valid color");
  result = ReadRuleLines({"NEWRULE=a", "DEFKEYCOLOR=" + QString(100000, 'x')}, rules);
  EXPECT_LT(result.Message.size(), 80) << "a huge junk value is not echoed whole";
}

TEST(RuleFile, KeywordWithEqualsSignIsSearchedAndColoured) {
  TDrawRules rules;
  ReadRuleLines({"NEWRULE=a", "DTKEYSHOW=", "KW=a=b;red"}, rules);
  rules.Prepare();
  const QString expected = QString("*A=B*+") + QChar(1) + "*";
  EXPECT_EQ(rules[0]->KeySearchText(), expected);
  EXPECT_EQ(rules[0]->KeyColors(), std::vector<TColor>{clRed});
}

TEST(RuleFile, ColourIdentifiers) {
  EXPECT_EQ(ColorIdents().size(), 42);
  EXPECT_EQ(ColorIdents().first(), "clBlack");
  EXPECT_EQ(ColorIdents().last(), "clNone");
  const std::pair<const char *, TColor> named[] = {{"clmaroon", clMaroon}, {"CLWHITE", clWhite},
                                                   {"clWindow", clWindow}, {"cl3DDkShadow", cl3DDkShadow},
                                                   {"clInfoBk", clInfoBk}, {"clNone", clNone}};
  for (const auto &[name, color] : named)
    EXPECT_EQ(IdentToColor(name), color) << name;
  // Every identifier of the list is known, each to its own value.
  std::vector<TColor> seen;
  for (const QString &name : ColorIdents()) {
    const auto color = IdentToColor(name);
    ASSERT_TRUE(color.has_value()) << name.toStdString();
    EXPECT_EQ(std::count(seen.begin(), seen.end(), *color), 0) << name.toStdString();
    seen.push_back(*color);
  }
  for (const char *bad : {"Red", "clPink", "cl", "", "clRed ", "#FF0000"})
    EXPECT_EQ(IdentToColor(bad), std::nullopt) << bad;
}

TEST(RuleFile, BadInputNeverCrashes) {
  TDrawRules rules;
  // Ten thousand rules.
  QStringList many;
  for (int i = 0; i < 10000; ++i)
    many << QString("NEWRULE=r%1").arg(i) << "DTKEYSHOW=" << QString("KW=k%1").arg(i) << "ENABLED=yes";
  TRuleFileResult result = ReadRuleLines(many, rules);
  EXPECT_EQ(rules.Count(), 10000);
  EXPECT_EQ(result.Stopped, S::None);
  rules.Prepare();

  // Binary bytes and very long lines.
  QByteArray binary;
  for (int i = 0; i < 4096; ++i)
    binary.append(char(i * 37 % 256));
  const QStringList junk = SplitLines(QString::fromUtf8("NEWRULE=x\nDTKEYSHOW=\nKW=" + binary + "\nKBE=" + binary +
                                                        "\nKLE=" + binary + "\nKW=" + QByteArray(1 << 20, 'k')));
  result = ReadRuleLines(junk, rules);
  EXPECT_EQ(rules.Count(), 1);
  EXPECT_EQ(result.Stopped, S::None);
  EXPECT_TRUE(rules[0]->Prepare());
  TColorScanner scanner;
  scanner.SetRegion(0, QString(2000, 'k'));
  TScanSettings settings;
  scanner.Scan(rules, settings);

  result = ReadRuleLines(SplitLines(QString::fromUtf8(binary)), rules);
  EXPECT_NE(result.Stopped, S::BadColor);
}

// ---- the shipped rule file ----

namespace {

struct Highlighted {
  TDrawRules rules;
  TColorScanner scanner;
  QString text;

  explicit Highlighted(const QString &sample) : text(sample) {
    const QString path = test::testDataPath("../../data/Lexora.txt");
    const TRuleFileResult result = ReadRuleLines(ReadLines(path), rules);
    EXPECT_EQ(result.Stopped, TRuleFileResult::Stop::None) << result.Message.toStdString();
    scanner.SetRegion(0, text);
    TScanSettings settings;
    scanner.Scan(rules, settings);
  }
  // The colour the text at `what` (its first character) is painted in, or -1 for none.
  qint64 colorOf(const QString &what, int from = 0) const {
    const qsizetype at = text.indexOf(what, from);
    EXPECT_GE(at, 0) << what.toStdString();
    const TKeyDescrList &runs = scanner.Ranges();
    for (int i = 0; i < runs.Count() && !runs[i].IsFree(); ++i)
      if (runs[i].StartPos <= at && at <= runs[i].EndPos)
        return runs[i].Color;
    return -1;
  }
};

} // namespace

TEST(ShippedRuleFile, EveryRuleIsTickedAndHasContent) {
  TDrawRules rules;
  const QStringList lines = ReadLines(test::testDataPath("../../data/Lexora.txt"));
  const TRuleFileResult result = ReadRuleLines(lines, rules);
  EXPECT_EQ(result.Stopped, TRuleFileResult::Stop::None);
  ASSERT_GE(rules.Count(), 10);
  QStringList names;
  for (int i = 0; i < rules.Count(); ++i) {
    names.append(result.Items[size_t(i)].Name);
    EXPECT_TRUE(result.Items[size_t(i)].Ticked) << result.Items[size_t(i)].Name.toStdString();
    EXPECT_TRUE(rules[i]->Enabled);
    EXPECT_TRUE(rules[i]->Prepare()) << result.Items[size_t(i)].Name.toStdString();
    EXPECT_LT(rules[i]->ZOrder, 252) << "the memo's own priorities stay free";
  }
  for (const char *language : {"HTML", "CSS", "JavaScript", "C/C++", "Pascal"})
    EXPECT_TRUE(names.join('\n').contains(language)) << language;
}

TEST(ShippedRuleFile, ColoursTagsAttributesValuesCommentsAndEntities) {
  const Highlighted h("<p align=center>Fish &amp; chips, <a href=\"menu.htm\">if you like</a>.</p>\n"
                      "<!-- see <b>this</b> -->\n"
                      "Visit http://example.com/ today\n"
                      "<style>body { color: red; font-size:12px } /* note */</style>\n");
  const qint64 tag = h.colorOf("<p");
  const qint64 attribute = h.colorOf("align=");
  const qint64 value = h.colorOf("\"menu.htm\"");
  const qint64 comment = h.colorOf("<!--");
  const qint64 entity = h.colorOf("&amp");
  EXPECT_NE(tag, -1);
  EXPECT_NE(attribute, -1);
  EXPECT_NE(value, -1);
  EXPECT_NE(comment, -1);
  EXPECT_NE(entity, -1);
  EXPECT_EQ(QList<qint64>({tag, attribute, value, comment, entity}).size(),
            QSet<qint64>({tag, attribute, value, comment, entity}).size())
      << "each kind has its own colour";
  EXPECT_NE(h.colorOf("href="), -1);
  EXPECT_EQ(h.colorOf("</a>"), tag);
  EXPECT_EQ(h.colorOf("=center"), attribute);
  // Text between tags keeps the editor's own colour, also words that are code elsewhere.
  EXPECT_EQ(h.colorOf("Fish"), -1);
  EXPECT_EQ(h.colorOf("if you"), -1);
  EXPECT_EQ(h.colorOf("this</b>"), comment) << "a comment wins over the tags inside it";
  EXPECT_EQ(h.colorOf("//example"), -1) << "web addresses are no line comments";
  EXPECT_EQ(h.colorOf("today"), -1);
  EXPECT_NE(h.colorOf("color:"), -1);
  EXPECT_NE(h.colorOf("font-size:"), -1);
  EXPECT_EQ(h.colorOf("/* note"), comment);
}

TEST(ShippedRuleFile, ColoursCode) {
  const Highlighted h("#include <stdio.h>\nint main(void) { // start\n  return 0; /* done */ }\n"
                      "function go() { var x = 1; if (x) alert('hi'); }\n"
                      "procedure Go; begin x := 1; (* note *) end;\n");
  EXPECT_NE(h.colorOf("#include"), -1);
  EXPECT_EQ(h.colorOf("stdio"), h.colorOf("#include")) << "a directive colours its whole line";
  EXPECT_NE(h.colorOf("int main"), -1);
  EXPECT_EQ(h.colorOf("main"), -1);
  EXPECT_EQ(h.colorOf("// start"), h.colorOf("/* done"));
  EXPECT_NE(h.colorOf("// start"), -1);
  EXPECT_NE(h.colorOf("function"), -1);
  EXPECT_NE(h.colorOf("var x"), -1);
  EXPECT_NE(h.colorOf("if (x)"), -1);
  EXPECT_NE(h.colorOf("'hi'"), h.colorOf("alert")) << "single quotes are not values";
  EXPECT_NE(h.colorOf("procedure"), -1);
  EXPECT_NE(h.colorOf(":="), -1);
  EXPECT_EQ(h.colorOf("(* note"), h.colorOf("/* done"));
}
