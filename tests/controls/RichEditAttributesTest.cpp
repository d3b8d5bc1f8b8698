#include "controls/RichEdit.h"
#include "platform/Errors.h"
#include "platform/Printing.h"
#include "rtf/DocumentDump.h"
#include "support/TestHelpers.h"

#include <QFile>
#include <QTest>
#include <gtest/gtest.h>

using namespace corvana;

namespace {

QString Dump(TRichEdit &edit) { return rtf::DumpDocument(*edit.document()); }

TEST(RichEditAttributes, SelectionAttributesChangeTheSelectedText) {
  TRichEdit edit;
  edit.DefAttributes().Assign(QFont("Arial", 10));
  edit.SetText("one two three");
  edit.Select(4, 3);
  edit.SelAttributes().SetStyle(fsBold | fsUnderline);
  edit.SelAttributes().SetName("Courier New");
  edit.SelAttributes().SetSize(14);
  edit.SelAttributes().SetColor(clRed);
  EXPECT_EQ(Dump(edit), "L-: [Arial 10]one [Courier New 14 #ff0000 BU]two[Arial 10] three");
  EXPECT_EQ(edit.SelAttributes().Style(), fsBold | fsUnderline);
  EXPECT_EQ(edit.SelAttributes().Name(), "Courier New");
  EXPECT_EQ(edit.SelAttributes().Size(), 14);
  EXPECT_EQ(edit.SelAttributes().Color(), clRed);

  edit.Select(0, 7); // mixed: reports the first selected character
  EXPECT_EQ(edit.SelAttributes().Style(), TFontStyles());
  EXPECT_EQ(edit.SelAttributes().Size(), 10);
  EXPECT_EQ(edit.SelAttributes().Color(), clWindowText);
  edit.Select(4, 9);
  EXPECT_EQ(edit.SelAttributes().Style(), fsBold | fsUnderline);

  edit.Select(0, 13);
  edit.SelAttributes().SetStyle(fsItalic | fsStrikeOut);
  edit.SelAttributes().SetColor(clWindowText);
  EXPECT_EQ(Dump(edit), "L-: [Arial 10 IS]one [Courier New 14 IS]two[Arial 10 IS] three");
}

TEST(RichEditAttributes, WithoutSelectionTheyApplyToTextTypedNext) {
  TRichEdit edit;
  edit.DefAttributes().Assign(QFont("Arial", 10));
  edit.SetText("ab");
  edit.SetSelStart(1);
  edit.SelAttributes().SetStyle(fsBold);
  EXPECT_EQ(edit.SelAttributes().Style(), TFontStyles(fsBold));
  EXPECT_EQ(Dump(edit), "L-: [Arial 10]ab");
  QTest::keyClicks(&edit, "X");
  EXPECT_EQ(Dump(edit), "L-: [Arial 10]a[Arial 10 B]X[Arial 10]b");
}

TEST(RichEditAttributes, DefaultAttributesAreTheControlsFont) {
  TRichEdit edit;
  edit.SetText("text");
  edit.DefAttributes().Assign(QFont("Times New Roman", 12));
  EXPECT_EQ(edit.DefAttributes().Name(), "Times New Roman");
  EXPECT_EQ(edit.DefAttributes().Size(), 12);
  EXPECT_EQ(Dump(edit), "L-: [Times New Roman 12]text");
  edit.DefAttributes().SetSize(9);
  edit.DefAttributes().SetStyle(fsItalic);
  EXPECT_EQ(Dump(edit), "L-: [Times New Roman 9 I]text");
  edit.DefAttributes().SetColor(clBlack);
  EXPECT_EQ(edit.DefAttributes().Color(), clBlack);
  EXPECT_EQ(edit.palette().color(QPalette::Text), QColor(Qt::black));
  edit.Select(0, 1);
  EXPECT_EQ(edit.SelAttributes().Name(), "Times New Roman");
}

TEST(RichEditAttributes, ParagraphAttributesActOnTheSelectedParagraphs) {
  TRichEdit edit;
  edit.DefAttributes().Assign(QFont("Arial", 10));
  edit.SetText("one\ntwo\nthree\nfour");
  edit.Select(5, 5); // "wo\nth"
  edit.Paragraph().SetAlignment(TAlignment::taCenter);
  edit.Paragraph().SetNumbering(TNumberingStyle::nsBullet);
  EXPECT_EQ(Dump(edit), "L-: [Arial 10]one\nC*: [Arial 10]two\nC*: [Arial 10]three\nL-: [Arial 10]four");
  EXPECT_EQ(edit.Paragraph().Alignment(), TAlignment::taCenter);
  EXPECT_EQ(edit.Paragraph().Numbering(), TNumberingStyle::nsBullet);

  edit.SetSelStart(9);
  edit.Paragraph().SetAlignment(TAlignment::taRightJustify);
  edit.Paragraph().SetNumbering(TNumberingStyle::nsNone);
  EXPECT_EQ(Dump(edit), "L-: [Arial 10]one\nC*: [Arial 10]two\nR-: [Arial 10]three\nL-: [Arial 10]four");
  EXPECT_EQ(edit.Paragraph().Numbering(), TNumberingStyle::nsNone);
  EXPECT_EQ(edit.Paragraph().Alignment(), TAlignment::taRightJustify);
  edit.SetSelStart(0);
  EXPECT_EQ(edit.Paragraph().Alignment(), TAlignment::taLeftJustify);

  // Bullets and alignment survive a rich save and load.
  TRichEdit copy;
  copy.DefAttributes().Assign(QFont("Arial", 10));
  copy.LoadFromBytes(edit.SaveToBytes());
  EXPECT_EQ(Dump(copy), Dump(edit));
}

TEST(RichEditAttributes, DeleteLineLeavesTheNextLineItsOwnFormat) {
  TRichEdit edit;
  edit.DefAttributes().Assign(QFont("Arial", 10));
  edit.SetText("bullet\nplain\nbullet\ncentre");
  edit.SetSelStart(0);
  edit.Paragraph().SetNumbering(TNumberingStyle::nsBullet);
  edit.SetSelStart(14);
  edit.Paragraph().SetNumbering(TNumberingStyle::nsBullet);
  edit.SetSelStart(22);
  edit.Paragraph().SetAlignment(TAlignment::taCenter);
  edit.DeleteLine(0);
  EXPECT_EQ(Dump(edit), "L-: [Arial 10]plain\nL*: [Arial 10]bullet\nC-: [Arial 10]centre");
  edit.DeleteLine(0);
  EXPECT_EQ(Dump(edit), "L*: [Arial 10]bullet\nC-: [Arial 10]centre");
  edit.DeleteLine(0);
  EXPECT_EQ(Dump(edit), "C-: [Arial 10]centre");
}

TEST(RichEditAttributes, PrintsToTheDefaultPrinter) {
  test::TempDir dir;
  const QString pdf = dir.path("out.pdf");
  PrintToPdf(pdf);
  TRichEdit edit;
  QString text;
  for (int i = 0; i < 200; ++i)
    text += QStringLiteral("line %1\n").arg(i);
  edit.SetText(text);
  edit.Print("");
  PrintToPdf({});
  QFile file(pdf);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF"));
  EXPECT_GE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 2)
      << "200 lines fill more than one page";
}

} // namespace
