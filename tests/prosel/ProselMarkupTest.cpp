#include "../htmlview/HtmlTestSupport.h"
#include "controls/FileChain.h"
#include "controls/RichEdit.h"
#include "htmlview/HtmlView.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "prosel/HtmlInserts.h"
#include "prosel/ProselU.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"
#include "vellant/VellantU.h"

#include <QAction>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QTextBlock>
#include <QTextCursor>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::ScriptedDialogs;
using corvana::test::TempDir;

namespace {

class ProselMarkup : public testing::Test {
protected:
  void SetUp() override {
    CreateForm(ProselF);
    pane = ProselF->ActiveEditor;
  }
  void run(const char *name) {
    QAction *a = ProselF->action(QString::fromLatin1(name));
    ASSERT_NE(a, nullptr) << name;
    ASSERT_TRUE(a->isEnabled()) << name;
    a->trigger();
  }
  void type(const QString &text, int selStart, int selLength = 0) {
    pane->SetText(text);
    pane->Select(selStart, selLength);
  }
  // The text with "|" at the caret.
  QString withCaret() const {
    QString text = pane->Text();
    return text.insert(pane->SelStart(), QLatin1Char('|'));
  }
  bool boldAt(int position) {
    QTextCursor cursor(pane->document());
    cursor.setPosition(position + 1);
    return cursor.charFormat().fontWeight() >= QFont::Bold;
  }

  TRichEdit *pane = nullptr;
  TempDir dir;
};

} // namespace

TEST_F(ProselMarkup, EveryFixedInsertPutsItsTextAndCaretInPlace) {
  struct Case {
    const char *item;
    QString expected; // "[" and "]" around the text that was selected, "|" at the caret
  };
  const QList<Case> cases{
      {"HTMLInsert", "x<html><head><title>|</title>\n</head>\n<body>\n\n</body></html>y"},
      {"ParagraphInsert", "x\n<p>\n|</p>y"},
      {"BoldInsert", "x<b>|sel</b>y"},
      {"ItalicInsert", "x<i>|sel</i>y"},
      {"BreakInsert", "x<br>\n|y"},
      {"RuleInsert", "x<hr>\n|y"},
      {"FontInsert", "x<font |>sel</font>y"},
      {"LinkInsert", "x<a href=\"|\">sel</a>y"},
      {"TargetInsert", "x<a name=\"|\"></a>y"},
      {"ListItemInsert", "x\n<li>|y"},
      {"BulletListInsert", "x\n<ul>|\n</ul>\ny"},
      {"NumListInsert", "x\n<ol>|\n</ol>\ny"},
      {"Keywords1", "x\n<meta name=\"keywords\" content=\"|key1, ke2\">y"},
      {"Description1", "x\n<meta name=\"description\" content=\"|\">y"},
      {"FrameLeft1", "x<frameset cols=\"30%,*\" border=0 framespacing=0>\n<frame src=\"\" name=\"index\">\n"
                     "<frame src=\"\" name=\"main\">\n</frameset>\n|y"},
  };
  for (const Case &c : cases) {
    // A line break before the selection: caret places are counted as the pane counts.
    type(QStringLiteral("line\nxsely"), 6, 3);
    run(c.item);
    EXPECT_EQ(withCaret(), QStringLiteral("line\n") + c.expected) << c.item;
  }
  // A wrapping insert with nothing selected closes at once.
  type(QStringLiteral("ab"), 1);
  run("LinkInsert");
  EXPECT_EQ(withCaret(), "a<a href=\"|\"></a>b");
  // Bold around a four-letter word at 10: the caret at 13, before the word.
  type(QStringLiteral("0123456789word rest"), 10, 4);
  run("BoldInsert");
  EXPECT_EQ(pane->SelStart(), 13);
  EXPECT_EQ(pane->Text(), "0123456789<b>word</b> rest");
}

TEST_F(ProselMarkup, TheHtmlSkeletonForgetsTheOpenTagAndInsertsWorkInPlainTextToo) {
  ProselF->InTag = true;
  ProselF->TagName = QStringLiteral("table");
  ProselF->PlainText1Click();
  type(QString(), 0);
  run("HTMLInsert");
  EXPECT_FALSE(ProselF->InTag);
  EXPECT_EQ(ProselF->TagName, "");
  EXPECT_EQ(pane->SelStart(), 19);
  run("Date1");
  EXPECT_TRUE(pane->Text().contains(QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat)));
}

TEST_F(ProselMarkup, TopicAsksForANameAndLeavesTheCaretInItsParagraph) {
  ScriptedDialogs dialogs;
  dialogs.expectInput(QStringLiteral("_intro"), QStringLiteral("Enter Topic Name:"));
  type(QString(), 0);
  run("Topic1");
  EXPECT_TRUE(pane->Text().startsWith("<A NAME=\"_intro\"></A>\n"));
  EXPECT_TRUE(withCaret().endsWith("<h3>intro</h3></font>\n</td></tr></table><br>\n<P>\n|</P>"));
  EXPECT_EQ(dialogs.prompts().front().caption, "Prosel HTML");
  // Cancel answers with the default name.
  dialogs.expectInputCancel();
  type(QString(), 0);
  run("Topic1");
  EXPECT_TRUE(pane->Text().startsWith("<A NAME=\"topic\"></A>\n"));
}

TEST_F(ProselMarkup, TableAsksColumnsThenRowsAndInsertsNothingBelowOne) {
  ScriptedDialogs dialogs;
  type(QStringLiteral("before"), 6);
  dialogs.expectInput(QStringLiteral("x"), QStringLiteral("Enter number of Columns:"))
      .expectInput(QStringLiteral("0"), QStringLiteral("Enter number of Rows:"));
  run("Table1");
  EXPECT_EQ(pane->Text(), "before");
  // No rows question after a column count below one.
  dialogs.expectInput(QStringLiteral("0"), QStringLiteral("Enter number of Columns:"));
  run("Table1");
  EXPECT_EQ(dialogs.pending(), 0);
  EXPECT_EQ(pane->Text(), "before");

  dialogs.expectInput(QStringLiteral("3")).expectInput(QStringLiteral("2"));
  run("Table1");
  EXPECT_EQ(pane->Text(), "before" + TableText(3, 2));
  EXPECT_EQ(pane->SelStart(), pane->TextLength());
  EXPECT_EQ(dialogs.prompts().back().caption, "Prosel Table");

  // A table too large for a page is refused with a message, not built.
  dialogs.expectInput(QStringLiteral("5000")).expectInput(QStringLiteral("5000")).expectError();
  run("Table1");
  EXPECT_EQ(dialogs.pending(), 0);
  EXPECT_TRUE(dialogs.log().back().contains("too large"));
  EXPECT_EQ(pane->Text(), "before" + TableText(3, 2));
}

TEST_F(ProselMarkup, ImageTakesTheFileChosenInTheFileList) {
  type(QString(), 0);
  run("Image1");
  EXPECT_EQ(pane->Text(), "<IMG SRC=\"\">");

  dir.write(QStringLiteral("pics/logo.gif"), "GIF89a");
  ProselF->FileListBox1->setDirectory(dir.path(QStringLiteral("pics")));
  ProselF->FileListBox1->waitForListing();
  ProselF->FileListBox1->setCurrentIndex(ProselF->FileListBox1->model()->index(0, 0));
  type(QString(), 0);
  run("Image1");
  run("ImageShort1");
  EXPECT_EQ(pane->Text(), "<IMG SRC=\"" + dir.path(QStringLiteral("pics/logo.gif")) + "\"><IMG SRC=\"logo.gif\">");
}

TEST_F(ProselMarkup, ADoubleClickInTheFileListLoadsTheFileIntoTheActivePane) {
  ScriptedDialogs dialogs;
  dir.write(QStringLiteral("docs/page.htm"), "<p>loaded</p>\r\n");
  dir.write(QStringLiteral("docs/gone.htm"), "x");
  ProselF->FileListBox1->setDirectory(dir.path(QStringLiteral("docs")));
  ProselF->FileListBox1->waitForListing();
  ASSERT_EQ(ProselF->FileListBox1->items(), QStringList({"gone.htm", "page.htm"}));
  ProselF->FileListBox1->setCurrentIndex(ProselF->FileListBox1->model()->index(1, 0));
  ProselF->FileListBox1DblClick();
  EXPECT_EQ(pane->Text(), "<p>loaded</p>\n");
  EXPECT_EQ(ProselF->CurrentFile, dir.path(QStringLiteral("docs/page.htm")));
  EXPECT_EQ(ProselF->FileA, ProselF->CurrentFile);
  EXPECT_EQ(ProselF->windowTitle(), "page.htm - Prosel 11");

  // A file that went away is reported and the window keeps its document.
  QFile::remove(dir.path(QStringLiteral("docs/gone.htm")));
  ProselF->FileListBox1->setCurrentIndex(ProselF->FileListBox1->model()->index(0, 0));
  dialogs.expectError(QStringLiteral("Cannot open file ") + dir.path(QStringLiteral("docs/gone.htm")));
  guarded([] { ProselF->FileListBox1DblClick(); });
  EXPECT_EQ(dialogs.pending(), 0);
  EXPECT_EQ(ProselF->CurrentFile, dir.path(QStringLiteral("docs/page.htm")));
  EXPECT_EQ(pane->Text(), "<p>loaded</p>\n");
}

TEST_F(ProselMarkup, RemoveHtmlDeletesTagsInOneUndoableStepAndKeepsTheRestsFormat) {
  type(QStringLiteral("a<b>b</b> &lt; <p\nclass=x>c</p> < d"), 0);
  pane->Select(4, 1); // the "b" between the bold tags
  pane->SelAttributes().SetStyle(fsItalic);
  run("RemoveHTML1");
  EXPECT_EQ(pane->Text(), "ab &lt; c < d");
  pane->Select(1, 1);
  EXPECT_EQ(pane->SelAttributes().Style(), TFontStyles(fsItalic));
  run("Undo1");
  EXPECT_EQ(pane->Text(), "a<b>b</b> &lt; <p\nclass=x>c</p> < d");
}

TEST_F(ProselMarkup, HighlightMarksTagsBoldKeepsTheTextAndSavesPlainTextUnchanged) {
  ProselF->PlainText1Click();
  const QString path = dir.write(QStringLiteral("page.htm"), "<p>one</p>\n<b>two</b>\n\n");
  pane->LoadFromFile(path);
  const QByteArray before = pane->SaveToBytes();
  run("HighlightHTML1");
  EXPECT_TRUE(pane->PlainText()) << "the pane's mode is kept";
  EXPECT_EQ(pane->Text(), "<p>one</p>\n<b>two</b>\n\n");
  EXPECT_TRUE(boldAt(0));  // "<"
  EXPECT_TRUE(boldAt(2));  // ">"
  EXPECT_FALSE(boldAt(3)); // "o"
  EXPECT_EQ(pane->SaveToBytes(), before) << "line ends and trailing blank lines survive";
  // A second run nests the groups; the text still reads the same.
  run("HighlightHTML1");
  EXPECT_EQ(pane->Text(), "<p>one</p>\n<b>two</b>\n\n");
  EXPECT_TRUE(boldAt(11));
  EXPECT_FALSE(boldAt(14));
  EXPECT_TRUE(pane->Modified()) << "the formatting changed";
}

TEST_F(ProselMarkup, HighlightKeepsEveryCharacterAroundUnpairedBrackets) {
  for (const QString &text : {QStringLiteral("a > b < c"), QStringLiteral("x >> y\nnext line"),
                              QStringLiteral("<< {braces} \\back\\slash <tag"), QStringLiteral("é € > ü")}) {
    type(text, 0);
    run("HighlightHTML1");
    EXPECT_EQ(pane->Text(), text);
  }
}

TEST_F(ProselMarkup, PreviewWritesBesideTheDocumentOrInTheProgramFolderWithoutSaving) {
  ScriptedDialogs dialogs;
  ProselF->PlainText1Click();
  type(QStringLiteral("<html><body><h1>Preview</h1></body></html>"), 0);
  pane->SetModified(true);
  run("HTML1");
  const QString inAppDir = AppDir() + QStringLiteral("preview.htm");
  ASSERT_NE(VellantF, nullptr);
  EXPECT_TRUE(VellantF->isVisible());
  EXPECT_EQ(VellantF->windowTitle(), "Prosel Preview");
  QFile written(inAppDir);
  ASSERT_TRUE(written.open(QIODevice::ReadOnly));
  EXPECT_EQ(written.readAll(), "<html><body><h1>Preview</h1></body></html>");
  ASSERT_TRUE(VellantF->FrameView->waitForLoad(30000));
  EXPECT_EQ(VellantF->FrameView->CurrentFile(), QFileInfo(inAppDir).absoluteFilePath());
  EXPECT_TRUE(pane->Modified()) << "a preview is not a save";

  // A rich pane previews its HTML text, not its RTF.
  const QString page = dir.write(QStringLiteral("site/page.htm"), "<p>beside</p>");
  ProselF->CurrentFile = page;
  ProselF->RichText1Click();
  pane->selectAll();
  pane->SelAttributes().SetStyle(fsBold);
  run("HTML1");
  EXPECT_EQ(dir.read(QStringLiteral("site/preview.htm")), "<html><body><h1>Preview</h1></body></html>");
  EXPECT_TRUE(pane->Modified());

  // A folder that went away: the browser is shown, the error reported, the text kept.
  ProselF->CurrentFile = dir.path(QStringLiteral("gone/page.htm"));
  dialogs.expectError(QStringLiteral("Cannot create file ") + dir.path(QStringLiteral("gone/preview.htm")));
  run("HTML1");
  EXPECT_EQ(dialogs.pending(), 0);
  EXPECT_TRUE(VellantF->isVisible());
  EXPECT_EQ(pane->Text(), "<html><body><h1>Preview</h1></body></html>");
}

TEST_F(ProselMarkup, PreviewingTheSamePageAgainKeepsTheReadersPlace) {
  ProselF->PlainText1Click();
  QString long_page = QStringLiteral("<html><body>");
  for (int i = 0; i < 300; ++i)
    long_page += QStringLiteral("<p>Line %1 of a long page</p>\n").arg(i);
  type(long_page + QStringLiteral("</body></html>"), 0);
  run("HTML1");
  ASSERT_TRUE(VellantF->FrameView->waitForLoad(30000));
  test::RunPageScript(*VellantF->FrameView, QStringLiteral("window.scrollTo(0, 2000); 1"));
  run("HTML1");
  ASSERT_TRUE(VellantF->FrameView->waitForLoad(30000));
  EXPECT_TRUE(WaitUntil(
      [] { return test::RunPageScript(*VellantF->FrameView, QStringLiteral("window.scrollY")).toInt() >= 1900; },
      10000));
}
