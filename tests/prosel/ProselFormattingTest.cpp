#include "controls/FindDialog.h"
#include "controls/FontNameBox.h"
#include "controls/ReplaceDialog.h"
#include "controls/RichEdit.h"
#include "prosel/ColorComboBox.h"
#include "prosel/ProselU.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QComboBox>
#include <QTest>
#include <QTextBlock>
#include <QTextList>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::ScriptedDialogs;

namespace {

class ProselFormatting : public testing::Test {
protected:
  void SetUp() override {
    CreateForm(ProselF);
    ProselF->RichText1Click();
    pane = ProselF->ActiveEditor;
  }
  void run(const char *name) {
    QAction *a = ProselF->action(QString::fromLatin1(name));
    ASSERT_NE(a, nullptr) << name;
    ASSERT_TRUE(a->isEnabled()) << name;
    a->trigger();
  }
  void type(const QString &text, int caret) {
    pane->SetText(text);
    pane->SetSelStart(caret);
  }
  // Presses the Font Larger button with the mouse, Shift held or not.
  void clickLarger(bool shift) {
    QWidget *button = ProselF->ToolBar2->widgetForAction(ProselF->action(QStringLiteral("rtfFontLarger")));
    ASSERT_NE(button, nullptr);
    QTest::mouseClick(button, Qt::LeftButton, shift ? Qt::ShiftModifier : Qt::NoModifier);
  }
  int sizeAfterLarger(int size, bool shift) {
    pane->selectAll();
    pane->SelAttributes().SetSize(size);
    clickLarger(shift);
    return pane->SelAttributes().Size();
  }
  QString selection() const { return pane->SelText(); }

  TRichEdit *pane = nullptr;
};

} // namespace

TEST_F(ProselFormatting, FontLargerGrowsBelow34AndShrinksWithShiftFrom10) {
  type(QStringLiteral("sized text"), 0);
  EXPECT_EQ(sizeAfterLarger(33, false), 35);
  EXPECT_EQ(sizeAfterLarger(34, false), 34);
  EXPECT_EQ(sizeAfterLarger(8, false), 10);
  EXPECT_EQ(sizeAfterLarger(9, true), 9);
  EXPECT_EQ(sizeAfterLarger(10, true), 8);
  EXPECT_EQ(sizeAfterLarger(40, true), 38);
  // Shift belongs to the press it came with: the next plain click grows again.
  EXPECT_EQ(sizeAfterLarger(20, false), 22);
}

TEST_F(ProselFormatting, TheBookmarkSelectsOnlyForwardAndIsSharedByBothPanes) {
  type(QStringLiteral("0123456789abcdef"), 5);
  run("Bookmark1");
  EXPECT_EQ(ProselF->BookmarkPos, 5);
  pane->SetSelStart(2);
  run("SelectfromBookmark1");
  EXPECT_EQ(pane->SelStart(), 2);
  EXPECT_EQ(pane->SelLength(), 0);
  pane->SetSelStart(9);
  run("SelectfromBookmark1");
  EXPECT_EQ(selection(), "5678");
  // Text inserted before the bookmark does not move it.
  pane->SetSelStart(0);
  pane->SetSelText(QStringLiteral("xx"));
  run("GoBookMark1");
  EXPECT_EQ(pane->SelStart(), 5);

  ProselF->Both1Click();
  ProselF->EditorB->setFocus();
  ProselF->EditorB->SetText(QStringLiteral("ab"));
  QApplication::processEvents();
  ASSERT_EQ(ProselF->ActiveEditor, ProselF->EditorB);
  // Past the end of the shorter text, the caret goes to its end.
  run("GoBookMark1");
  EXPECT_EQ(ProselF->EditorB->SelStart(), 2);
}

TEST_F(ProselFormatting, FindStartsAfterTheCaretRunsForwardAndSaysWhenThereIsNoMore) {
  ScriptedDialogs dialogs;
  type(QStringLiteral("cat Cat concat cat"), 0);
  run("Find1");
  TFindDialog *find = ProselF->FindDialog1;
  EXPECT_TRUE(find->isVisible());
  find->SetFindText(QStringLiteral("cat"));
  find->SetDown(false); // upwards in the dialog, forwards all the same
  find->FindNext();
  // The match at the caret is passed over; without match case "Cat" is next.
  EXPECT_EQ(pane->SelStart(), 4);
  EXPECT_EQ(selection(), "Cat");
  find->SetMatchCase(true);
  find->FindNext();
  EXPECT_EQ(pane->SelStart(), 11);
  find->SetWholeWord(true);
  find->FindNext();
  EXPECT_EQ(pane->SelStart(), 15);
  dialogs.expectMessage(QStringLiteral("Found no more!"));
  find->FindNext();
  EXPECT_EQ(dialogs.pending(), 0);
  EXPECT_EQ(pane->SelStart(), 15) << "a failed search leaves the selection";

  // Chosen again while open, the search starts over from the top.
  run("Find1");
  EXPECT_EQ(pane->SelLength(), 0);
  find->FindNext();
  EXPECT_EQ(pane->SelStart(), 0);
  EXPECT_EQ(selection(), "cat");
}

TEST_F(ProselFormatting, TheDialogsLendEachOtherTheirSearchText) {
  run("Find1");
  ProselF->FindDialog1->SetFindText(QStringLiteral("needle"));
  run("Replace1");
  EXPECT_EQ(ProselF->ReplaceDialog1->FindText(), "needle");
  ProselF->ReplaceDialog1->SetFindText(QStringLiteral("other"));
  run("Find1");
  EXPECT_EQ(ProselF->FindDialog1->FindText(), "needle") << "a dialog with a text keeps it";
}

TEST_F(ProselFormatting, ReplaceOnceSelectsTheReplacementAndReplaceAllEndsOnGrowingText) {
  ScriptedDialogs dialogs; // no prompt at all: a failing replace is silent
  type(QStringLiteral("a b a b a"), 0);
  run("Replace1");
  TReplaceDialog *replace = ProselF->ReplaceDialog1;
  replace->SetFindText(QStringLiteral("a"));
  replace->SetReplaceText(QStringLiteral("aa"));
  replace->Replace();
  EXPECT_EQ(pane->Text(), "a b aa b a");
  EXPECT_EQ(pane->SelStart(), 4);
  EXPECT_EQ(selection(), "aa");
  EXPECT_EQ(ProselF->FindPos, 4);

  // Open again: from the top, every "a" once, and the loop ends although each replacement
  // holds the search text.
  run("Replace1");
  replace->ReplaceAllClick();
  EXPECT_EQ(pane->Text(), "aa b aaaa b aa");
  replace->SetFindText(QStringLiteral("zzz"));
  replace->ReplaceAllClick();
  EXPECT_EQ(pane->Text(), "aa b aaaa b aa");

  // An empty replacement deletes every match.
  run("Replace1");
  replace->SetFindText(QStringLiteral("a"));
  replace->SetReplaceText(QString());
  replace->ReplaceAllClick();
  EXPECT_EQ(pane->Text(), " b  b ");
  EXPECT_EQ(dialogs.log(), QStringList());
}

TEST_F(ProselFormatting, StyleTogglesFollowTheSelectionAndLeaveTheOtherStyles) {
  type(QStringLiteral("one two three"), 0);
  pane->Select(4, 3);
  run("Bold1");
  EXPECT_EQ(pane->SelAttributes().Style(), TFontStyles(fsBold));
  run("rtfItalic");
  EXPECT_EQ(pane->SelAttributes().Style(), fsBold | fsItalic);
  run("Underline1");
  run("Bold1");
  EXPECT_EQ(pane->SelAttributes().Style(), fsItalic | fsUnderline);
  pane->SelAttributes().SetStyle(fsItalic | fsStrikeOut);
  run("Normal1");
  EXPECT_EQ(pane->SelAttributes().Style(), TFontStyles());
  // Only the selection changed.
  pane->Select(0, 3);
  EXPECT_EQ(pane->SelAttributes().Style(), TFontStyles());

  // With nothing selected, the style is for the text typed next.
  pane->SetSelStart(pane->TextLength());
  run("Bold1");
  pane->SetSelText(QStringLiteral(" four"));
  pane->Select(pane->TextLength() - 4, 4);
  EXPECT_EQ(pane->SelAttributes().Style(), TFontStyles(fsBold));
}

TEST_F(ProselFormatting, StyleAndTheStyleBarBoxesFormatTheSelection) {
  ScriptedDialogs dialogs;
  type(QStringLiteral("styled words here"), 0);
  pane->Select(7, 5);
  FontChoice font;
  font.name = QStringLiteral("DejaVu Serif");
  font.size = 18;
  font.color = clRed;
  font.italic = true;
  dialogs.expectFont(font);
  run("FontStyle1");
  TTextAttributes attributes = pane->SelAttributes();
  EXPECT_EQ(attributes.Name(), "DejaVu Serif");
  EXPECT_EQ(attributes.Size(), 18);
  EXPECT_EQ(attributes.Color(), clRed);
  EXPECT_EQ(attributes.Style(), TFontStyles(fsItalic));

  // The boxes act in plain mode too, and only on a person's choice.
  ProselF->PlainText1Click();
  pane->Select(0, 6);
  ProselF->SizeBox->setCurrentIndex(ProselF->SizeBox->findText(QStringLiteral("24")));
  EXPECT_NE(pane->SelAttributes().Size(), 24);
  emit ProselF->SizeBox->activated(ProselF->SizeBox->currentIndex());
  EXPECT_EQ(pane->SelAttributes().Size(), 24);
  // The box lists the families once a person opens it.
  ProselF->Fontbox->showPopup();
  ProselF->Fontbox->hidePopup();
  const int serif = ProselF->Fontbox->findText(QStringLiteral("DejaVu Sans Mono"));
  ASSERT_GE(serif, 0);
  ProselF->Fontbox->setCurrentIndex(serif);
  emit ProselF->Fontbox->activated(serif);
  EXPECT_EQ(pane->SelAttributes().Name(), "DejaVu Sans Mono");
  const int navy = ProselF->richcolor->findText(QStringLiteral("Navy"));
  ProselF->richcolor->setCurrentIndex(navy);
  emit ProselF->richcolor->activated(navy);
  EXPECT_EQ(pane->SelAttributes().Color(), clNavy);
  EXPECT_EQ(dialogs.pending(), 0);
}

TEST_F(ProselFormatting, PlainFontSetsThePaneFontAndShowsItInTheBoxesWhereTheyHaveIt) {
  ScriptedDialogs dialogs;
  FontChoice font;
  font.name = QStringLiteral("DejaVu Sans");
  font.size = 13;
  dialogs.expectFont(font);
  run("PlainFont1");
  EXPECT_EQ(pane->font().family(), "DejaVu Sans");
  EXPECT_EQ(pane->font().pointSize(), 13);
  EXPECT_EQ(ProselF->SizeBox->currentIndex(), -1) << "13 is not in the size list";
  EXPECT_EQ(ProselF->Fontbox->currentText(), "DejaVu Sans");

  font.name = QStringLiteral("No Such Family At All");
  font.size = 14;
  dialogs.expectFont(font);
  run("PlainFont1");
  EXPECT_EQ(ProselF->SizeBox->currentText(), "14");
  EXPECT_EQ(ProselF->Fontbox->currentIndex(), -1);

  dialogs.expectCancel(Dialogs::Kind::Font);
  run("PlainFont1");
  EXPECT_EQ(pane->font().pointSize(), 14);

  dialogs.expectColor(clYellow);
  run("Background1");
  EXPECT_EQ(FromQColor(pane->palette().color(QPalette::Base)), clYellow);
  EXPECT_EQ(dialogs.pending(), 0);
}

TEST_F(ProselFormatting, AlignmentAndBulletsActOnTheSelectedParagraphs) {
  type(QStringLiteral("first\nsecond\nthird"), 0);
  pane->Select(2, 7); // from "first" into "second"
  run("rtfCenter");
  run("Bullet1");
  auto block = [this](int n) { return pane->document()->findBlockByNumber(n); };
  EXPECT_EQ(block(0).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_EQ(block(1).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_NE(block(2).blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  EXPECT_NE(block(0).textList(), nullptr);
  EXPECT_NE(block(1).textList(), nullptr);
  EXPECT_EQ(block(2).textList(), nullptr);
  run("Right1");
  EXPECT_EQ(pane->Paragraph().Alignment(), TAlignment::taRightJustify);
  run("Left1");
  EXPECT_EQ(pane->Paragraph().Alignment(), TAlignment::taLeftJustify);
  run("None1");
  EXPECT_EQ(block(0).textList(), nullptr);
  EXPECT_EQ(block(1).textList(), nullptr);
}
