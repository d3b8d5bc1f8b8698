#include "controls/RichEdit.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QMimeData>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

using namespace corvana;

namespace {

TEST(RichEditText, SelectionUsesTheControlsOwnPositions) {
  TRichEdit edit;
  edit.SetText("ab\r\ncd\nef");
  EXPECT_EQ(edit.Text(), "ab\ncd\nef");
  EXPECT_EQ(edit.TextLength(), 8);
  edit.Select(1, 3);
  EXPECT_EQ(edit.SelStart(), 1);
  EXPECT_EQ(edit.SelLength(), 3);
  EXPECT_EQ(edit.SelText(), "b\nc");
  edit.SetSelText("X\r\nY");
  EXPECT_EQ(edit.Text(), "aX\nYd\nef");
  EXPECT_EQ(edit.SelStart(), 4);
  EXPECT_EQ(edit.SelLength(), 0);
  edit.SetSelStart(6);
  edit.SetSelLength(100);
  EXPECT_EQ(edit.SelText(), "ef");
  edit.Select(-5, 2);
  EXPECT_EQ(edit.SelStart(), 0);
  EXPECT_EQ(edit.SelText(), "aX");
  edit.SetSelStart(3);
  EXPECT_EQ(edit.SelLength(), 0);
  edit.SetSelText("");
  EXPECT_EQ(edit.Text(), "aX\nYd\nef");
}

TEST(RichEditText, LinesAndDeleteLine) {
  TRichEdit edit;
  edit.SetText("one\ntwo\nthree");
  EXPECT_EQ(edit.Lines(), (QStringList{"one", "two", "three"}));
  EXPECT_EQ(edit.LineCount(), 3);
  EXPECT_EQ(edit.LineFromChar(0), 0);
  EXPECT_EQ(edit.LineFromChar(3), 0);
  EXPECT_EQ(edit.LineFromChar(4), 1);
  EXPECT_EQ(edit.LineFromChar(999), 2);
  EXPECT_EQ(edit.LineStart(2), 8);
  EXPECT_EQ(edit.LineStart(3), -1);
  edit.SetSelStart(5);
  EXPECT_EQ(edit.CaretLine(), 1);

  edit.DeleteLine(edit.CaretLine());
  EXPECT_EQ(edit.Lines(), (QStringList{"one", "three"}));
  edit.DeleteLine(1); // the last line takes its line break along
  EXPECT_EQ(edit.Lines(), QStringList{"one"});
  edit.DeleteLine(0);
  EXPECT_EQ(edit.Text(), "");
  edit.DeleteLine(5);
  EXPECT_EQ(edit.LineCount(), 1);

  edit.Undo();
  EXPECT_EQ(edit.Text(), "one");
  edit.Undo();
  EXPECT_EQ(edit.Text(), "one\nthree");
}

class RichEditMaxLength : public testing::TestWithParam<bool> {};

TEST_P(RichEditMaxLength, RefusesTypingPastingAndInsertingBeyondIt) {
  TRichEdit edit;
  edit.SetPlainText(GetParam());
  edit.SetMaxLength(5);
  edit.SetText("abc");
  edit.SetSelStart(3);
  QTest::keyClicks(&edit, "defg");
  EXPECT_EQ(edit.Text(), "abcde");
  QTest::keyClick(&edit, Qt::Key_Return);
  QTest::keyClick(&edit, Qt::Key_Tab);
  EXPECT_EQ(edit.Text(), "abcde");
  QTest::keyClick(&edit, Qt::Key_Backspace);
  EXPECT_EQ(edit.Text(), "abcd");
  edit.Select(0, 2);
  QTest::keyClicks(&edit, "XYZ"); // replaces the selection, then stops at the limit
  EXPECT_EQ(edit.Text(), "XYZcd");

  edit.SetSelStart(1);
  edit.SetSelText("123");
  EXPECT_EQ(edit.Text(), "XYZcd");
  edit.Select(0, 3);
  edit.SetSelText("1234");
  EXPECT_EQ(edit.Text(), "123cd"); // cut to the room the selection leaves

  QApplication::clipboard()->setText("pasted text");
  edit.Select(4, 1);
  edit.paste();
  EXPECT_EQ(edit.Text(), "123cp");

  edit.SetText("ab");
  edit.SetSelStart(2);
  QInputMethodEvent composed;
  composed.setCommitString("cdefgh");
  QCoreApplication::sendEvent(&edit, &composed);
  EXPECT_EQ(edit.Text(), "abcde");

  edit.LoadFromBytes("a text longer than the limit");
  EXPECT_EQ(edit.Text(), "a text longer than the limit"); // loading never cuts a document short
  edit.SetMaxLength(0);
  edit.SetSelStart(0);
  QTest::keyClicks(&edit, "no limit ");
  EXPECT_EQ(edit.Text(), "no limit a text longer than the limit");
}

INSTANTIATE_TEST_SUITE_P(Modes, RichEditMaxLength, testing::Values(false, true),
                         [](const testing::TestParamInfo<bool> &info) { return info.param ? "plain" : "rich"; });

TEST(RichEditText, MaxLengthKeepsSurrogatePairsWhole) {
  TRichEdit edit;
  edit.SetMaxLength(2);
  edit.SetText("a");
  edit.SetSelStart(1);
  edit.SetSelText(QString::fromUtf8("😀"));
  EXPECT_EQ(edit.Text(), "a");
}

TEST(RichEditText, ReportsWhenItGetsTheFocus) {
  QWidget window;
  TRichEdit *first = new TRichEdit(&window);
  TRichEdit *second = new TRichEdit(&window);
  window.show();
  window.activateWindow();
  QSignalSpy spy(second, &TRichEdit::focusEntered);
  first->setFocus();
  second->setFocus();
  QCoreApplication::processEvents();
  EXPECT_EQ(spy.count(), 1);
}

TEST(RichEditText, TabsAreTypedIntoTheText) {
  TRichEdit edit;
  edit.SetText("ab");
  edit.SetSelStart(1);
  QTest::keyClick(&edit, Qt::Key_Tab);
  EXPECT_EQ(edit.Text(), "a\tb");
  edit.SetWantTabs(false);
  EXPECT_FALSE(edit.WantTabs());
  EXPECT_TRUE(edit.tabChangesFocus());
}

TEST(RichEditText, WordWrapAndSelectionVisibility) {
  TRichEdit edit;
  EXPECT_TRUE(edit.WordWrap());
  edit.SetWordWrap(false);
  EXPECT_EQ(edit.lineWrapMode(), QTextEdit::NoWrap);
  edit.SetWordWrap(true);
  EXPECT_EQ(edit.lineWrapMode(), QTextEdit::WidgetWidth);

  edit.SetHideSelection(false);
  EXPECT_EQ(edit.palette().color(QPalette::Inactive, QPalette::Highlight),
            edit.palette().color(QPalette::Active, QPalette::Highlight));
  edit.SetHideSelection(true);
  EXPECT_EQ(edit.palette().color(QPalette::Inactive, QPalette::Highlight),
            edit.palette().color(QPalette::Inactive, QPalette::Base));
}

TEST(RichEditText, UndoAndClipboard) {
  TRichEdit edit;
  EXPECT_FALSE(edit.CanUndo());
  QTest::keyClicks(&edit, "hello");
  EXPECT_TRUE(edit.CanUndo());
  EXPECT_TRUE(edit.Modified());
  edit.Undo();
  EXPECT_EQ(edit.Text(), "");

  edit.SetText("cut me");
  edit.Select(0, 4);
  edit.cut();
  EXPECT_EQ(edit.Text(), "me");
  EXPECT_EQ(QApplication::clipboard()->text(), "cut ");
  edit.selectAll();
  EXPECT_EQ(edit.SelLength(), 2);
  edit.copy();
  edit.SetSelStart(2);
  edit.paste();
  EXPECT_EQ(edit.Text(), "meme");
}

TEST(RichEditText, RichCopyCarriesFormattingPlainPasteDoesNot) {
  TRichEdit source;
  source.LoadFromBytes("{\\rtf1 \\b bold\\b0  plain}");
  source.Select(0, 4);
  source.copy();
  const QMimeData *copied = QApplication::clipboard()->mimeData();
  ASSERT_TRUE(copied->hasFormat("text/rtf"));

  TRichEdit rich;
  rich.paste();
  rich.Select(0, 1);
  EXPECT_EQ(rich.Text(), "bold");
  EXPECT_TRUE(rich.SelAttributes().Style().testFlag(fsBold));

  TRichEdit plain;
  plain.SetPlainText(true);
  plain.paste();
  plain.Select(0, 1);
  EXPECT_EQ(plain.Text(), "bold");
  EXPECT_FALSE(plain.SelAttributes().Style().testFlag(fsBold));
}

struct FindCase {
  const char *name;
  QString text;
  int start;
  int length;
  TSearchTypes options;
  int found;
};

void PrintTo(const FindCase &c, std::ostream *os) { *os << c.name; }

class RichEditFinds : public testing::TestWithParam<FindCase> {};

TEST_P(RichEditFinds, TheFirstMatchInRange) {
  TRichEdit edit;
  edit.SetText("The cat scattered\nCAT_x cat.");
  EXPECT_EQ(edit.FindText(GetParam().text, GetParam().start, GetParam().length, GetParam().options), GetParam().found);
}

const FindCase kFindCases[] = {
    {"from_the_start", "cat", 0, -1, {}, 4},
    {"from_a_later_position", "cat", 5, -1, {}, 9},
    {"match_at_the_start_position", "cat", 4, -1, {}, 4},
    {"ignoring_case", "CAT", 5, -1, {}, 9},
    {"matching_case", "CAT", 5, -1, stMatchCase, 18},
    {"whole_word_skips_parts_and_underscores", "cat", 5, -1, stWholeWord, 24},
    {"whole_word_and_case", "The", 0, -1, stWholeWord | stMatchCase, 0},
    {"across_a_line_break", "scattered\ncat", 0, -1, {}, 8},
    {"length_limits_the_range", "cat", 5, 6, {}, -1},
    {"length_just_enough", "cat", 5, 7, {}, 9},
    {"not_found", "dog", 0, -1, {}, -1},
    {"empty_text", "", 0, -1, {}, -1},
    {"start_past_the_end", "cat", 100, -1, {}, -1},
};

INSTANTIATE_TEST_SUITE_P(Find, RichEditFinds, testing::ValuesIn(kFindCases),
                         [](const testing::TestParamInfo<FindCase> &info) { return std::string(info.param.name); });

} // namespace
