#include "rtf/DocumentDump.h"
#include "rtf/RtfReader.h"
#include "rtf/RtfWriter.h"
#include "support/TestHelpers.h"

#include <QFile>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <functional>
#include <gtest/gtest.h>

using namespace corvana::rtf;

namespace {

void SetDefaults(QTextDocument &document) { document.setDefaultFont(QFont("MS Sans Serif", 8)); }

QString RoundTrip(const QTextDocument &source, const WriteOptions &options = {}) {
  QTextDocument copy;
  SetDefaults(copy);
  EXPECT_TRUE(ReadRtf(WriteRtf(source, options), copy));
  return DumpDocument(copy);
}

QTextCharFormat Format(const QString &family, qreal points, QColor color = {}, bool bold = false, bool italic = false,
                       bool underline = false, bool strike = false) {
  QTextCharFormat format;
  if (!family.isEmpty())
    format.setFontFamilies(QStringList{family});
  if (points > 0)
    format.setFontPointSize(points);
  if (color.isValid())
    format.setForeground(color);
  format.setFontWeight(bold ? QFont::Bold : QFont::Normal);
  format.setFontItalic(italic);
  format.setFontUnderline(underline);
  format.setFontStrikeOut(strike);
  return format;
}

struct Builder {
  const char *name;
  std::function<void(QTextCursor &)> build;
};

void PrintTo(const Builder &b, std::ostream *os) { *os << b.name; }

class RtfRoundTrip : public testing::TestWithParam<Builder> {};

TEST_P(RtfRoundTrip, GivesTheSameTextAndRuns) {
  QTextDocument document;
  SetDefaults(document);
  QTextCursor cursor(&document);
  GetParam().build(cursor);
  const QString before = DumpDocument(document);
  EXPECT_EQ(RoundTrip(document), before);
  WriteOptions lf;
  lf.lineEnd = "\n";
  EXPECT_EQ(RoundTrip(document, lf), before);
}

const Builder kBuilders[] = {
    {"empty_document", [](QTextCursor &) {}},
    {"default_text", [](QTextCursor &c) { c.insertText("plain text in the default font"); }},
    {"every_style",
     [](QTextCursor &c) {
       c.insertText("bold ", Format("Arial", 10, {}, true));
       c.insertText("italic ", Format("Arial", 10, {}, false, true));
       c.insertText("under ", Format("Arial", 10, {}, false, false, true));
       c.insertText("strike ", Format("Arial", 10, {}, false, false, false, true));
       c.insertText("all", Format("Arial", 10, {}, true, true, true, true));
     }},
    {"fonts_sizes_colours",
     [](QTextCursor &c) {
       c.insertText("red courier ", Format("Courier New", 14, QColor(255, 0, 0)));
       c.insertText("green times ", Format("Times New Roman", 9.5, QColor(0, 128, 0)));
       c.insertText("red again ", Format("Courier New", 72, QColor(255, 0, 0)));
       c.insertText("auto", Format("Verdana", 8));
     }},
    {"alignment_and_empty_paragraphs",
     [](QTextCursor &c) {
       QTextBlockFormat centre;
       centre.setAlignment(Qt::AlignHCenter);
       QTextBlockFormat right;
       right.setAlignment(Qt::AlignRight);
       QTextBlockFormat justify;
       justify.setAlignment(Qt::AlignJustify);
       c.setBlockFormat(centre);
       c.insertText("centre");
       c.insertBlock(right);
       c.insertText("right");
       c.insertBlock(QTextBlockFormat());
       c.insertBlock(justify);
       c.insertText("justify");
       c.insertBlock(QTextBlockFormat());
     }},
    {"bullets_and_numbers",
     [](QTextCursor &c) {
       c.insertText("intro");
       c.insertBlock();
       c.insertList(QTextListFormat::ListDisc);
       c.insertText("first");
       c.insertBlock();
       c.insertText("second", Format("Arial", 10, {}, true));
       c.insertBlock(QTextBlockFormat());
       c.insertText("between");
       c.insertBlock();
       c.insertList(QTextListFormat::ListDecimal);
       c.insertText("one");
       c.insertBlock();
       c.insertText("two");
     }},
    {"tabs_breaks_and_specials",
     [](QTextCursor &c) {
       c.insertText(QString::fromUtf8("a\tb\u2028c {braces} back\\slash \u00a0nbsp\u00adsoft\u2011hyphen <tag>"));
     }},
    {"unicode_and_8_bit",
     [](QTextCursor &c) {
       c.insertText(QString::fromUtf8("café € “quotes” Привет Ελληνικά 日本語 😀 \u007f ₈5 ő8 end"));
     }},
    {"many_lines", [](QTextCursor &c) {
       for (int i = 0; i < 50; ++i) {
         c.insertText(QString("line %1").arg(i),
                      Format(i % 2 ? "Arial" : "Georgia", 8 + i % 5, QColor(i * 5, 0, 0), i % 3 == 0));
         c.insertBlock();
       }
     }}};

INSTANTIATE_TEST_SUITE_P(Rtf, RtfRoundTrip, testing::ValuesIn(kBuilders),
                         [](const testing::TestParamInfo<Builder> &info) { return std::string(info.param.name); });

TEST(RtfWriter, WritesAStandardDocument) {
  QTextDocument document;
  SetDefaults(document);
  QTextCursor cursor(&document);
  cursor.insertText("x", Format("Arial", 10, QColor(255, 0, 0), true));
  cursor.insertText(QString::fromUtf8("{é€Ж}"), Format("", 0));
  const QByteArray rtf = WriteRtf(document);
  EXPECT_TRUE(rtf.startsWith("{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 MS Sans Serif;}"
                             "{\\f1\\fnil\\fcharset0 Arial;}}\r\n{\\colortbl ;\\red255\\green0\\blue0;}\r\n"))
      << rtf.data();
  EXPECT_TRUE(rtf.contains("\\f1\\fs20\\cf1\\b x\\f0\\fs16\\cf0\\b0 \\{\\'e9\\'80\\u1046?\\}\\par\r\n}")) << rtf.data();
  EXPECT_TRUE(rtf.endsWith("}\r\n"));

  QTextDocument accented;
  accented.setPlainText(QString::fromUtf8("ő"));
  EXPECT_TRUE(WriteRtf(accented).contains("\\u337o\\par")) << "base letter as the ANSI fallback";
}

TEST(RtfWriter, UsesTheGivenLineEndOnly) {
  QTextDocument document;
  document.setPlainText("a\nb\nc");
  WriteOptions options;
  options.lineEnd = "\n";
  const QByteArray rtf = WriteRtf(document, options);
  EXPECT_FALSE(rtf.contains('\r'));
  EXPECT_EQ(rtf.count("\\par\n"), 3);
}

TEST(RtfWriter, DocumentsFromWordProcessorsSurviveAWriteAndRead) {
  for (const char *name : {"lo-formats", "lo-mixed", "classic-writer"}) {
    QFile file(corvana::test::testDataPath(QStringLiteral("rtf/%1.rtf").arg(name)));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    QTextDocument document;
    SetDefaults(document);
    ASSERT_TRUE(ReadRtf(file.readAll(), document));
    EXPECT_EQ(RoundTrip(document), DumpDocument(document)) << name;
  }
}

// What the editor's Highlight HTML does to a pane's RTF: every tag becomes a bold group.
QByteArray Highlight(QByteArray rtf) {
  rtf.replace("<", "{\\b <");
  rtf.replace(">", ">}");
  return rtf;
}

TEST(RtfHighlight, TagsBecomeBoldAndTheTextStaysTheSame) {
  QTextDocument document;
  SetDefaults(document);
  document.setPlainText("<p>Hello <i>world</i></p>\n<br> after");
  const QString text = document.toPlainText();
  QTextDocument once;
  SetDefaults(once);
  ASSERT_TRUE(ReadRtf(Highlight(WriteRtf(document)), once));
  EXPECT_EQ(once.toPlainText(), text);
  EXPECT_EQ(DumpDocument(once),
            "L-: [MS Sans Serif 8 B]<p>[MS Sans Serif 8]Hello [MS Sans Serif 8 B]<i>[MS Sans Serif "
            "8]world[MS Sans Serif 8 B]</i></p>\nL-: [MS Sans Serif 8 B]<br>[MS Sans Serif 8] after");
  QTextDocument twice;
  SetDefaults(twice);
  ASSERT_TRUE(ReadRtf(Highlight(WriteRtf(once)), twice));
  EXPECT_EQ(twice.toPlainText(), text);
  EXPECT_EQ(DumpDocument(twice), DumpDocument(once));
}

TEST(RtfHighlight, UnpairedBracketsLoseNoText) {
  for (const QString &text : {QStringLiteral("a > b < c"), QStringLiteral("x >> y\nz"), QStringLiteral("<<< open"),
                              QStringLiteral(">>> close\n>\n>")}) {
    QTextDocument document;
    SetDefaults(document);
    document.setPlainText(text);
    QTextDocument highlighted;
    SetDefaults(highlighted);
    ASSERT_TRUE(ReadRtf(Highlight(WriteRtf(document)), highlighted));
    EXPECT_EQ(highlighted.toPlainText(), text);
    QTextDocument again;
    ASSERT_TRUE(ReadRtf(Highlight(WriteRtf(highlighted)), again));
    EXPECT_EQ(again.toPlainText(), text);
  }
}

} // namespace
