#include "rtf/RtfReader.h"
#include "rtf/DocumentDump.h"
#include "support/TestHelpers.h"

#include <QFile>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>
#include <gtest/gtest.h>

using namespace corvana::rtf;

namespace {

QTextDocument *NewDocument() {
  auto *document = new QTextDocument;
  document->setDefaultFont(QFont("Arial", 10));
  return document;
}

QString Read(const QByteArray &rtf) {
  std::unique_ptr<QTextDocument> document(NewDocument());
  EXPECT_TRUE(ReadRtf(rtf, *document));
  return DumpDocument(*document);
}

QString PlainOf(const QByteArray &rtf) {
  std::unique_ptr<QTextDocument> document(NewDocument());
  EXPECT_TRUE(ReadRtf(rtf, *document));
  return document->toPlainText();
}

struct ReadCase {
  const char *name;
  QByteArray rtf;
  QString dump;
};

void PrintTo(const ReadCase &c, std::ostream *os) { *os << c.name; }

class RtfReads : public testing::TestWithParam<ReadCase> {};

TEST_P(RtfReads, ToTheExpectedRuns) { EXPECT_EQ(Read(GetParam().rtf), GetParam().dump) << GetParam().rtf.data(); }

const ReadCase kReadCases[] = {
    {"plain_text", "{\\rtf1 Hello}", "L-: [Arial 12]Hello"},
    {"toggles", "{\\rtf1 a\\b b\\b0 c\\i i\\i0\\b1 d\\b0 e}",
     "L-: [Arial 12]a[Arial 12 B]b[Arial 12]c[Arial 12 I]i[Arial 12 B]d[Arial 12]e"},
    {"group_restores_formatting", "{\\rtf1 a{\\i\\fs40 b{\\b c}d}e}",
     "L-: [Arial 12]a[Arial 20 I]b[Arial 20 BI]c[Arial 20 I]d[Arial 12]e"},
    {"font_table_in_groups",
     "{\\rtf1\\deff1{\\fonttbl{\\f0\\fswiss Helvetica;}{\\f1\\fmodern Courier New;}}\\fs20 a\\f0\\fs29 b}",
     "L-: [Courier New 10]a[Helvetica 14.5]b"},
    {"font_table_without_groups", "{\\rtf1{\\fonttbl\\f0\\fnil Times;\\f1\\fnil Verdana;}\\f1 x\\f7 y}",
     "L-: [Verdana 12]x[Arial 12]y"},
    {"font_name_without_semicolon", "{\\rtf1{\\fonttbl{\\f0 Georgia}}\\f0 x}", "L-: [Georgia 12]x"},
    {"alternative_font_name_skipped", "{\\rtf1{\\fonttbl{\\f0 Liberation{\\*\\falt Arial Unicode};}}\\f0 x}",
     "L-: [Liberation 12]x"},
    {"colour_table",
     "{\\rtf1{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue255;}\\cf1 r\\cf2 b\\cf0 a\\cf9 z}",
     "L-: [Arial 12 #ff0000]r[Arial 12 #0000ff]b[Arial 12]az"},
    {"colour_components_clamped", "{\\rtf1{\\colortbl;\\red999\\green-5\\blue128;}\\cf1 x}", "L-: [Arial 12 #ff0080]x"},
    {"underline_variants", "{\\rtf1\\ul a\\ulnone b\\uldb c\\ul0 d\\ulw e}",
     "L-: [Arial 12 U]a[Arial 12]b[Arial 12 U]c[Arial 12]d[Arial 12 U]e"},
    {"strike_out", "{\\rtf1\\strike s\\strike0 n\\striked1 d}", "L-: [Arial 12 S]s[Arial 12]n[Arial 12 S]d"},
    {"plain_resets_character_formatting",
     "{\\rtf1{\\fonttbl{\\f0 Tahoma;}{\\f1 Impact;}}\\f1\\b\\i\\ul\\fs40 a\\plain b}",
     "L-: [Impact 20 BIU]a[Tahoma 12]b"},
    {"paragraphs_and_alignment", "{\\rtf1\\qc a\\par\\pard b\\par\\qr c\\par\\qj d\\par\\ql e}",
     "C-: [Arial 12]a\nL-: [Arial 12]b\nR-: [Arial 12]c\nJ-: [Arial 12]d\nL-: [Arial 12]e"},
    {"paragraph_formatting_is_scoped_by_groups", "{\\rtf1{\\qc a\\par}b}", "C-: [Arial 12]a\nL-: [Arial 12]b"},
    {"final_par_ends_the_last_paragraph", "{\\rtf1 a\\par}", "L-: [Arial 12]a"},
    {"empty_paragraphs_kept", "{\\rtf1 a\\par\\par\\par b\\par}", "L-: [Arial 12]a\nL-: \nL-: \nL-: [Arial 12]b"},
    {"tab_and_line_break", "{\\rtf1 a\\tab b\\line c}", "L-: [Arial 12]a\\tb\\nc"},
    {"escaped_symbols", "{\\rtf1 \\{x\\}\\\\y}", "L-: [Arial 12]{x}\\\\y"},
    {"special_characters", "{\\rtf1 1\\~2\\-3\\_4\\emdash\\endash\\bullet\\lquote\\rquote\\ldblquote\\rdblquote}",
     QString::fromUtf8("L-: [Arial 12]1\u00a02\u00ad3\u20114\u2014\u2013\u2022\u2018\u2019\u201c\u201d")},
    {"hex_bytes_in_code_page_1252", "{\\rtf1\\ansi caf\\'e9 \\'80\\'93}", QString::fromUtf8("L-: [Arial 12]café €“")},
    {"raw_8_bit_bytes", "{\\rtf1\\ansi caf\xe9}", QString::fromUtf8("L-: [Arial 12]café")},
    {"ansi_code_page_1251", "{\\rtf1\\ansi\\ansicpg1251 \\'cf\\'f0\\'e8}", QString::fromUtf8("L-: [Arial 12]При")},
    {"font_charset_overrides_code_page",
     "{\\rtf1{\\fonttbl{\\f0\\fcharset161 Arial Greek;}{\\f1 Arial;}}\\f0 \\'e1\\f1 \\'e1}",
     QString::fromUtf8("L-: [Arial Greek 12]α[Arial 12]á")},
    {"font_code_page", "{\\rtf1{\\fonttbl{\\f0\\cpg1251 Arial;}}\\f0 \\'e0}", QString::fromUtf8("L-: [Arial 12]а")},
    {"default_font_set_after_text", "{\\rtf1 a{\\fonttbl{\\f3 Tahoma;}}\\deff3 b}", "L-: [Arial 12]a[Tahoma 12]b"},
    {"unicode_with_fallback", "{\\rtf1\\uc1\\u8364?x\\u-10179?\\u-8704?y}", QString::fromUtf8("L-: [Arial 12]€x😀y")},
    {"unicode_fallback_of_control_words", "{\\rtf1\\uc2\\u8364\\'80\\'80x\\uc1\\u1055\\'cf y}",
     QString::fromUtf8("L-: [Arial 12]€xП y")},
    {"unicode_without_fallback", "{\\rtf1\\uc0\\u233 x}", QString::fromUtf8("L-: [Arial 12]éx")},
    {"fallback_count_is_scoped_by_groups", "{\\rtf1{\\uc3 a}\\u233?b}", QString::fromUtf8("L-: [Arial 12]aéb")},
    {"lone_surrogate_replaced", "{\\rtf1\\u-10179?x}", QString::fromUtf8("L-: [Arial 12]\ufffdx")},
    {"unknown_starred_destination_skipped", "{\\rtf1 a{\\*\\foo secret {nested} text}b}", "L-: [Arial 12]ab"},
    {"unknown_control_word_ignored", "{\\rtf1 a\\foobar b\\zz12 c}", "L-: [Arial 12]abc"},
    {"known_destinations_skipped",
     "{\\rtf1{\\stylesheet{\\s0 Normal;}}{\\info{\\title T}{\\author A}}a{\\pict\\pngblip 89504e470d0a}b{\\header H}c}",
     "L-: [Arial 12]abc"},
    {"field_shows_its_result", "{\\rtf1 see {\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt {\\ul link}}} end}",
     "L-: [Arial 12]see [Arial 12 U]link[Arial 12] end"},
    {"binary_data_skipped_by_count", "{\\rtf1 a\\bin4 {}\\}b{\\*\\blob\\bin3 }}}}c}", "L-: [Arial 12]abc"},
    {"hidden_text_dropped", "{\\rtf1 a{\\v hidden}b\\v c\\v0 d}", "L-: [Arial 12]abd"},
    {"bullets_of_the_older_kind",
     "{\\rtf1{\\fonttbl{\\f0 Arial;}{\\f1\\fcharset2 Symbol;}}\\pard{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1"
     "\\pnindent0{\\pntxtb\\'B7}}\\fi-720\\li720\\f0 one\\par{\\pntext\\f1\\'B7\\tab}two\\par\\pard three\\par}",
     "L*: [Arial 12]one\nL*: [Arial 12]two\nL-: [Arial 12]three"},
    {"numbered_paragraphs_of_the_older_kind",
     "{\\rtf1{\\pntext 1.\\tab}{\\*\\pn\\pnlvlbody\\pndec{\\pntxta.}}a\\par\\pard b}",
     "L#: [Arial 12]a\nL-: [Arial 12]b"},
    {"list_table_bullets_and_numbers",
     "{\\rtf1{\\*\\listtable{\\list{\\listlevel\\levelnfc23{\\leveltext \\'01\\u8226 ?;}}\\listid7}"
     "{\\list{\\listlevel\\levelnfc0{\\leveltext \\'02\\'00.;}}\\listid8}}"
     "{\\*\\listoverridetable{\\listoverride\\listid7\\listoverridecount0\\ls1}{\\listoverride\\listid8\\ls2}}"
     "\\pard\\ls1{\\listtext\\'95\\tab}a\\par{\\listtext\\'95\\tab}b\\par\\pard\\ls2{\\listtext 1.\\tab}c\\par\\pard "
     "d}",
     "L*: [Arial 12]a\nL*: [Arial 12]b\nL#: [Arial 12]c\nL-: [Arial 12]d"},
    {"list_override_without_table_is_a_bullet", "{\\rtf1\\ls3 a}", "L*: [Arial 12]a"},
    {"table_cells_and_rows", "{\\rtf1\\trowd\\cellx1000\\cellx2000\\intbl a\\cell b\\cell\\row\\pard after}",
     "L-: [Arial 12]a\\tb\\t\nL-: [Arial 12]after"},
    {"page_break_ends_a_paragraph_once", "{\\rtf1 a\\page b\\par\\page c}",
     "L-: [Arial 12]a\nL-: [Arial 12]b\nL-: [Arial 12]c"},
    {"escaped_line_end_is_a_paragraph", "{\\rtf1 a\\\nb}", "L-: [Arial 12]a\nL-: [Arial 12]b"},
    {"line_ends_in_the_source_ignored", "{\\rtf1 a\r\nb\rc\nd}", "L-: [Arial 12]abcd"},
    {"control_characters_dropped", QByteArray("{\\rtf1 a\x01\x00\x1f b\tc}", 16), "L-: [Arial 12]a b\\tc"},
};

INSTANTIATE_TEST_SUITE_P(Rtf, RtfReads, testing::ValuesIn(kReadCases),
                         [](const testing::TestParamInfo<ReadCase> &info) { return std::string(info.param.name); });

// Damaged input keeps what can be read and never crashes or hangs.
struct RobustCase {
  const char *name;
  QByteArray rtf;
  QString text;
};

void PrintTo(const RobustCase &c, std::ostream *os) { *os << c.name; }

class RtfRobust : public testing::TestWithParam<RobustCase> {};

TEST_P(RtfRobust, KeepsWhatItCanRead) { EXPECT_EQ(PlainOf(GetParam().rtf), GetParam().text); }

QByteArray Nested(int depth, const QByteArray &inner, bool close) {
  return "{\\rtf1 a" + QByteArray(depth, '{') + inner + (close ? QByteArray(depth, '}') : QByteArray()) + "b}";
}

const RobustCase kRobustCases[] = {
    {"unpaired_closing_brace_keeps_the_rest", "{\\rtf1 a >} b\\par c}", "a > b\nc"},
    {"many_extra_closing_braces", "{\\rtf1 a}}}}} b}}", "a b"},
    {"missing_closing_brace", "{\\rtf1 a{\\b b", "ab"},
    {"truncated_control_word", "{\\rtf1 abc\\b", "abc"},
    {"truncated_after_backslash", "{\\rtf1 abc\\", "abc"},
    {"truncated_hex", "{\\rtf1 abc\\'e", "abce"},
    {"invalid_hex", "{\\rtf1 a\\'zzb}", "azzb"},
    {"truncated_unicode_fallback", "{\\rtf1 a\\uc5\\u233", QString::fromUtf8("aé")},
    {"absurd_numbers", "{\\rtf1 a\\fs99999999999999999999 b\\u99999999999 c\\uc-5 d\\cf-3 e\\f-99 f\\fs-4 g}",
     QString::fromUtf8("ab\uffffdefg")}, // "c" is the \u character's fallback
    {"binary_count_past_the_end", "{\\rtf1 a\\bin999999 xyz", "a"},
    {"negative_binary_count", "{\\rtf1 a\\bin-5 b}", "ab"},
    {"skipped_group_never_closed", "{\\rtf1 a{\\*\\foo b{c", "a"},
    {"table_word_in_the_document_group", "{\\rtf1\\fonttbl\\colortbl a\\pn b}", "ab"},
    {"overlong_control_word", "{\\rtf1 a\\" + QByteArray(5000, 'x') + " b}", "ab"},
    {"hundred_thousand_nested_groups", Nested(100000, "\\b deep", true), "adeepb"},
    {"hundred_thousand_unclosed_groups", Nested(100000, "deep", false), "adeepb"},
    {"nesting_beyond_the_stored_depth", Nested(600000, "\\i deep", true), "adeepb"},
    {"hundred_thousand_skipped_groups",
     "{\\rtf1 a{\\*\\foo" + QByteArray(100000, '{') + QByteArray(100000, '}') + "}b}", "ab"},
};

INSTANTIATE_TEST_SUITE_P(Rtf, RtfRobust, testing::ValuesIn(kRobustCases),
                         [](const testing::TestParamInfo<RobustCase> &info) { return std::string(info.param.name); });

TEST(RtfReader, RejectsWhatIsNotRtfAndLeavesTheDocument) {
  QTextDocument document;
  document.setPlainText("kept");
  for (const QByteArray &data :
       {QByteArray(), QByteArray("hello"), QByteArray(" {\\rtf1 x}"), QByteArray("{\\rt"), QByteArray("{rtf1 x}")}) {
    EXPECT_FALSE(IsRtf(data)) << data.data();
    EXPECT_FALSE(ReadRtf(data, document)) << data.data();
  }
  EXPECT_EQ(document.toPlainText(), "kept");
  EXPECT_TRUE(IsRtf("{\\rtf"));
}

TEST(RtfReader, ReadingReplacesTheDocumentAndLeavesNoUndo) {
  QTextDocument document;
  document.setPlainText("old text");
  ASSERT_TRUE(ReadRtf("{\\rtf1 new}", document));
  EXPECT_EQ(document.toPlainText(), "new");
  EXPECT_FALSE(document.isUndoAvailable());
  EXPECT_TRUE(document.isUndoRedoEnabled());
}

TEST(RtfReader, ConsecutiveBulletParagraphsShareOneList) {
  QTextDocument document;
  ASSERT_TRUE(ReadRtf("{\\rtf1{\\*\\pn\\pnlvlblt}a\\par b\\par\\pard c\\par{\\*\\pn\\pnlvlblt}d}", document));
  const QTextBlock a = document.findBlockByNumber(0);
  const QTextBlock d = document.findBlockByNumber(3);
  ASSERT_NE(a.textList(), nullptr);
  EXPECT_EQ(a.textList(), document.findBlockByNumber(1).textList());
  EXPECT_EQ(document.findBlockByNumber(2).textList(), nullptr);
  ASSERT_NE(d.textList(), nullptr);
  EXPECT_NE(d.textList(), a.textList());
}

// Files written by word processors, compared with reviewed dumps (CORVANA_REGENERATE=1 rewrites them).
class RtfGolden : public testing::TestWithParam<const char *> {};

TEST_P(RtfGolden, MatchesTheReviewedDump) {
  const QString base = corvana::test::testDataPath(QStringLiteral("rtf/") + GetParam());
  QFile input(base + ".rtf");
  ASSERT_TRUE(input.open(QIODevice::ReadOnly)) << base.toStdString();
  const QString dump = Read(input.readAll()) + u'\n';
  QFile golden(base + ".dump");
  if (qEnvironmentVariableIsSet("CORVANA_REGENERATE")) {
    ASSERT_TRUE(golden.open(QIODevice::WriteOnly));
    golden.write(dump.toUtf8());
    return;
  }
  ASSERT_TRUE(golden.open(QIODevice::ReadOnly)) << base.toStdString();
  EXPECT_EQ(dump, QString::fromUtf8(golden.readAll()));
}

INSTANTIATE_TEST_SUITE_P(Rtf, RtfGolden, testing::Values("lo-formats", "lo-mixed", "classic-writer"),
                         [](const testing::TestParamInfo<const char *> &info) {
                           std::string name = info.param;
                           std::replace(name.begin(), name.end(), '-', '_');
                           return name;
                         });

} // namespace
