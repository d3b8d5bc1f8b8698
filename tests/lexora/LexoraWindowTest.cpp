#include "colormemo/ColMemo.h"
#include "controls/FindDialog.h"
#include "controls/ReplaceDialog.h"
#include "lexora/LexoraU.h"
#include "platform/CommandLine.h"
#include "platform/Help.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "platform/Printing.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::menuCaptions;
using corvana::test::ScriptedDialogs;
using corvana::test::TempDir;

namespace {

const QByteArray rules = "/ test rules\r\n"
                         "NEWRULE=Tags\r\nKBE=<;>;blue\r\nENABLED=yes\r\nZORDER=5\r\n"
                         "NEWRULE=Words\r\nDTKEYSHOW=\r\nKW=if;red\r\n"
                         "NEWRULE=Comments\r\nKBE=<!--;-->;green\r\nENABLED=no\r\n";

class Lexora : public testing::Test {
protected:
  void SetUp() override { SetCommandLineArguments({}); }
  void TearDown() override { SetCommandLineArguments({}); }

  // The window as the application makes it, with a rule file in the program's folder.
  TLexoraF *create(const QByteArray &ruleFile = rules) {
    if (!ruleFile.isNull())
      writeAppFile("Lexora.txt", ruleFile);
    CreateForm(LexoraF);
    LexoraF->resize(700, 500);
    return LexoraF;
  }
  static void writeAppFile(const QString &name, const QByteArray &bytes) {
    QFile file(AppDir() + name);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }
  void run(const QString &name) {
    QAction *a = LexoraF->action(name);
    ASSERT_NE(a, nullptr) << name.toStdString();
    a->trigger();
  }
  QStringList ticks() const {
    QStringList out;
    for (int i = 0; i < LexoraF->LexoraNames->count(); ++i) {
      const QListWidgetItem *item = LexoraF->LexoraNames->item(i);
      out.append(item->text() + (item->checkState() == Qt::Checked ? "[x]" : "[ ]"));
    }
    return out;
  }
  QList<bool> enabled() const {
    QList<bool> out;
    TDrawRules &r = LexoraF->Editor->ColorRules();
    for (int i = 0; i < r.Count(); ++i)
      out.append(r[i]->Enabled);
    return out;
  }
  QString selection() const { return LexoraF->Editor->textCursor().selectedText(); }
  int selStart() const { return LexoraF->Editor->textCursor().selectionStart(); }

  TempDir dir;
};

} // namespace

TEST_F(Lexora, CreatedHiddenWithTheDesignedControls) {
  create();
  EXPECT_EQ(LexoraF->objectName(), "LexoraF");
  EXPECT_EQ(LexoraF->windowTitle(), "Lexora 2");
  EXPECT_FALSE(LexoraF->isVisible());
  EXPECT_EQ(LexoraF->kind(), TForm::Kind::TopLevel);
  EXPECT_EQ(LexoraF->LexoraFile, "");
  EXPECT_EQ(LexoraF->RuleFile, AppDir() + "Lexora.txt");
  EXPECT_EQ(LexoraF->Editor->objectName(), "Editor");
  EXPECT_EQ(LexoraF->LexoraNames->width(), 144);
  EXPECT_EQ(LexoraF->LexoraNames->palette().color(QPalette::Base), QColor(0xC0, 0xDC, 0xC0));
  EXPECT_EQ(LexoraF->findChild<QStatusBar *>("StatusBar1"), LexoraF->statusBar());
  ASSERT_EQ(LexoraF->StatusPanels.size(), 3);
  EXPECT_EQ(LexoraF->StatusPanels[0]->width(), 300);
  EXPECT_EQ(LexoraF->StatusPanels[1]->width(), 150);
  EXPECT_EQ(LexoraF->StatusPanels[2]->width(), 50);

  QStringList hints;
  for (QAction *a : LexoraF->ToolBar1->actions())
    if (!a->isSeparator() && !a->toolTip().isEmpty() && a->objectName().startsWith('g'))
      hints.append(a->objectName() + "=" + a->toolTip());
  EXPECT_EQ(hints, (QStringList{"goOpen=File Open", "goSave=File Save", "goClose=File Close", "gpPrint=File Print",
                                "goUndo=Undo", "goCut=Cut", "goCopy=Copy", "goPaste=Paste", "goFind=Find",
                                "goReplace=Replace"}));
  EXPECT_EQ(LexoraF->cboFiles->toolTip(), "Recent Files\nClick to Open");
  EXPECT_FALSE(LexoraF->FindDialog1->WholeWord());
  EXPECT_TRUE(LexoraF->FindDialog1->MatchCase());
  EXPECT_FALSE(LexoraF->ReplaceDialog1->MatchCase());
}

TEST_F(Lexora, MenusAsDesigned) {
  create();
  const auto captions = [](const char *name) { return menuCaptions(LexoraF->findChild<QMenu *>(name)); };
  EXPECT_EQ(captions("File1"),
            (QStringList{"&Open...", "&Save", "Save &As...", "&Close", "-", "&Print", "-", "E&xit"}));
  EXPECT_EQ(captions("Edit1"),
            (QStringList{"&Undo", "Cu&t", "&Copy", "&Paste", "&Delete", "Select All", "-", "Find...", "Replace..."}));
  EXPECT_EQ(captions("Options1"),
            (QStringList{"&View Checklist", "&Print Font...", "&Editor Font...", "&Reload Rules", "-", "Wordwrap"}));
  EXPECT_EQ(captions("Help1"), (QStringList{"&Contents", "-", "&About"}));
  const std::pair<const char *, QKeySequence> keys[] = {{"Print1", QKeySequence(Qt::CTRL | Qt::Key_P)},
                                                        {"Cut1", QKeySequence(Qt::CTRL | Qt::Key_X)},
                                                        {"Copy1", QKeySequence(Qt::CTRL | Qt::Key_C)},
                                                        {"Paste1", QKeySequence(Qt::CTRL | Qt::Key_V)},
                                                        {"SelectAll1", QKeySequence(Qt::CTRL | Qt::Key_A)},
                                                        {"Find1", QKeySequence(Qt::CTRL | Qt::Key_F)},
                                                        {"Replace1", QKeySequence(Qt::CTRL | Qt::Key_R)},
                                                        {"ViewChecklist1", QKeySequence(Qt::Key_F4)},
                                                        {"Contents1", QKeySequence(Qt::Key_F1)},
                                                        {"Open1", QKeySequence()}};
  for (const auto &[name, key] : keys)
    EXPECT_EQ(LexoraF->action(name)->shortcut(), key) << name;
  EXPECT_TRUE(LexoraF->action("ViewChecklist1")->isChecked());
  EXPECT_TRUE(LexoraF->action("Wordwrap1")->isChecked());
}

TEST_F(Lexora, RuleFileFillsTheCheckList) {
  create();
  EXPECT_EQ(ticks(), (QStringList{"Tags[x]", "Words[ ]", "Comments[ ]"}));
  // A rule without an ENABLED line colours, although its box is not ticked.
  EXPECT_EQ(enabled(), (QList<bool>{true, true, false}));
  EXPECT_EQ(LexoraF->LexoraNames->currentRow(), 0);
  EXPECT_EQ(LexoraF->Editor->ColorRules()[0]->ZOrder, 5);

  // Its keyword is coloured on screen.
  LexoraF->Show();
  LexoraF->Editor->setPlainText("if <b>");
  ASSERT_TRUE(LexoraF->Editor->ComputeColors(false));
  const TKeyDescrList &runs = LexoraF->Editor->Scanner().Ranges();
  QStringList found;
  for (int i = 0; i < runs.Count() && !runs[i].IsFree(); ++i)
    found.append(QString("%1-%2:%3").arg(runs[i].StartPos).arg(runs[i].EndPos).arg(runs[i].Color, 0, 16));
  EXPECT_EQ(found, (QStringList{"0-1:ff", "3-5:ff0000"}));
}

TEST_F(Lexora, CheckBoxesSwitchRulesOnAndOff) {
  create();
  LexoraF->LexoraNames->item(1)->setCheckState(Qt::Checked);
  LexoraF->LexoraNames->item(0)->setCheckState(Qt::Unchecked);
  EXPECT_EQ(enabled(), (QList<bool>{false, true, false}));
  LexoraF->LexoraNames->item(2)->setCheckState(Qt::Checked);
  EXPECT_EQ(enabled(), (QList<bool>{false, true, true}));
}

TEST_F(Lexora, ReloadRulesLeavesEveryRuleUntickedAndOff) {
  create();
  writeAppFile("Lexora.txt", "NEWRULE=One\r\nENABLED=yes\r\nNEWRULE=Two\r\n");
  run("ReloadRules1");
  EXPECT_EQ(ticks(), (QStringList{"One[ ]", "Two[ ]"}));
  EXPECT_EQ(enabled(), (QList<bool>{false, false}));
  LexoraF->Show();
  LexoraF->Editor->setPlainText("<b>");
  EXPECT_TRUE(LexoraF->Editor->ComputeColors(false));
  EXPECT_TRUE(LexoraF->Editor->Scanner().Ranges()[0].IsFree()) << "no colours until rules are ticked again";

  // Without a rule file the rules stay as they are, unticked.
  QFile::remove(AppDir() + "Lexora.txt");
  LexoraF->LexoraNames->item(0)->setCheckState(Qt::Checked);
  run("ReloadRules1");
  EXPECT_EQ(ticks(), (QStringList{"One[ ]", "Two[ ]"}));
  EXPECT_EQ(enabled(), (QList<bool>{false, false}));
}

TEST_F(Lexora, RuleFileErrorsAreReportedAndReadingStops) {
  ScriptedDialogs dialogs;
  dialogs.expectMessage("Add New Rule before setting properties");
  create("\r\nNEWRULE=never\r\n");
  EXPECT_EQ(ticks(), QStringList());
  EXPECT_EQ(LexoraF->Editor->ColorRules().Count(), 0);

  writeAppFile("Lexora.txt", "NEWRULE=a\r\nENABLED=yes\r\nDEFKEYCOLOR=Reddish\r\nNEWRULE=b\r\n");
  dialogs.expectError("'clReddish' is not a valid color");
  run("ReloadRules1");
  EXPECT_EQ(ticks(), (QStringList{"a[ ]"}));
  EXPECT_EQ(enabled(), (QList<bool>{false}));
  EXPECT_EQ(dialogs.pending(), 0);
}

TEST_F(Lexora, NoRuleFileNoRulesNoMessage) {
  create(QByteArray());
  EXPECT_EQ(LexoraF->Editor->ColorRules().Count(), 0);
  EXPECT_EQ(LexoraF->LexoraNames->count(), 0);
}

TEST_F(Lexora, OpenSaveCloseAndSaveAs) {
  create();
  ScriptedDialogs dialogs;
  const QString doc = dir.write("docs/page.htm", "<p>one</p>\n<p>two</p>\n");
  dialogs.expectOpenFile(doc);
  run("Open1");
  EXPECT_EQ(dialogs.lastFileOptions().filter, "All Files|*.*|Pascal Files|*.pas|HTML Files|*.htm;*.html");
  EXPECT_EQ(LexoraF->LexoraFile, doc);
  EXPECT_EQ(LexoraF->LexoraDir, dir.path("docs/"));
  EXPECT_EQ(LexoraF->StatusPanels[0]->text(), doc);
  EXPECT_EQ(LexoraF->Editor->toPlainText(), "<p>one</p>\n<p>two</p>");
  EXPECT_EQ(LexoraF->Recent.paths(), QStringList{doc});
  EXPECT_EQ(LexoraF->cboFiles->currentIndex(), 0);

  LexoraF->Editor->appendPlainText("three");
  run("Save1");
  EXPECT_EQ(dir.read("docs/page.htm"), "<p>one</p>\n<p>two</p>\nthree\n") << "the file's own line ends";

  // Close asks, keeps the file name; Save then writes an empty file.
  dialogs.expectConfirm(false, "Clear All Lines?");
  run("Close1");
  EXPECT_FALSE(LexoraF->Editor->toPlainText().isEmpty());
  dialogs.expectConfirm(true, "Clear All Lines?");
  run("Close1");
  EXPECT_EQ(LexoraF->Editor->toPlainText(), "");
  EXPECT_EQ(LexoraF->LexoraFile, doc);
  run("Save1");
  EXPECT_EQ(dir.read("docs/page.htm"), "");

  // Save As starts in the document's folder and does not touch the recent list.
  LexoraF->Editor->setPlainText("new");
  dialogs.expectSaveFile(dir.path("other/copy.txt"));
  QDir().mkpath(dir.path("other"));
  run("SaveAs1");
  EXPECT_EQ(dialogs.lastFileOptions().initialDir, dir.path("docs/"));
  EXPECT_EQ(dir.read("other/copy.txt"), "new\n");
  EXPECT_EQ(LexoraF->LexoraFile, dir.path("other/copy.txt"));
  EXPECT_EQ(LexoraF->LexoraDir, dir.path("other/"));
  EXPECT_EQ(LexoraF->Recent.paths(), QStringList{doc});
  dialogs.expectCancel(Dialogs::Kind::OpenFile);
  run("Open1");
  EXPECT_EQ(dialogs.lastFileOptions().initialDir, dir.path("other/"));
}

TEST_F(Lexora, SaveWithoutAFileAsksForOneAndNewFilesGetCrLf) {
  create();
  ScriptedDialogs dialogs;
  LexoraF->Editor->setPlainText("a\nb");
  dialogs.expectSaveFile(dir.path("n.txt"));
  run("Save1");
  EXPECT_EQ(dir.read("n.txt"), "a\r\nb\r\n");
  EXPECT_EQ(LexoraF->LexoraFile, dir.path("n.txt"));
}

TEST_F(Lexora, FilesThatCannotBeReadOrWrittenGiveTheErrorBox) {
  create();
  ScriptedDialogs dialogs;
  LexoraF->Editor->setPlainText("keep");
  const QString missing = dir.path("gone.htm");
  dialogs.expectOpenFile(missing).expectError("Cannot open file " + missing);
  run("Open1");
  EXPECT_EQ(LexoraF->Editor->toPlainText(), "keep");
  EXPECT_EQ(LexoraF->LexoraFile, "") << "the window stays as it was";
  EXPECT_TRUE(LexoraF->Recent.paths().isEmpty());

  const QString bad = dir.path("no/such/dir/x.txt");
  dialogs.expectSaveFile(bad).expectError("Cannot create file " + bad);
  run("SaveAs1");
  EXPECT_EQ(LexoraF->LexoraFile, "");
  EXPECT_EQ(dialogs.pending(), 0);
}

TEST_F(Lexora, RecentFilesBoxOpensExistingEntriesOnly) {
  const QString a = dir.write("a.txt", "alpha");
  const QString b = dir.write("sub/b.txt", "beta");
  IniFile ini(SettingsFilePath());
  ini.WriteString("LexoraFiles", "File0", a);
  ini.WriteString("LexoraFiles", "File1", dir.path("missing.txt"));
  ini.WriteString("LexoraFiles", "File2", b);
  ini.UpdateFile();
  create();
  EXPECT_EQ(LexoraF->cboFiles->count(), 3);
  EXPECT_EQ(LexoraF->cboFiles->currentIndex(), 0);

  LexoraF->cboFilesClick(1);
  EXPECT_EQ(LexoraF->LexoraFile, "");
  LexoraF->cboFilesClick(2);
  EXPECT_EQ(LexoraF->LexoraFile, b);
  EXPECT_EQ(LexoraF->Editor->toPlainText(), "beta");
  EXPECT_EQ(LexoraF->Recent.paths(), (QStringList{b, a, dir.path("missing.txt")}));
  EXPECT_EQ(LexoraF->cboFiles->currentIndex(), 0);
  EXPECT_EQ(LexoraF->cboFiles->itemText(0), b);
  EXPECT_EQ(RecentFiles::DisplayText(b, LexoraF->LexoraDir), "b.txt");
}

TEST_F(Lexora, SettingsAreReadAtCreationAndWrittenWhenClosed) {
  IniFile ini(SettingsFilePath());
  ini.WriteString("LexoraSettings", "EditorFontName", "Courier New");
  ini.WriteString("LexoraSettings", "EditorFontSize", "11");
  ini.WriteString("LexoraSettings", "PrinterFontName", "Times New Roman");
  ini.WriteString("LexoraSettings", "Wordwrap", "no");
  ini.UpdateFile();
  create();
  EXPECT_EQ(LexoraF->Editor->font().family(), "Courier New");
  EXPECT_EQ(LexoraF->Editor->font().pointSize(), 11);
  EXPECT_EQ(LexoraF->FontDialog1.name, "Courier New");
  EXPECT_EQ(LexoraF->PrinterFont.name, "Times New Roman");
  EXPECT_EQ(LexoraF->PrinterFont.size, 12);
  EXPECT_FALSE(LexoraF->action("Wordwrap1")->isChecked());
  EXPECT_EQ(LexoraF->Editor->lineWrapMode(), QPlainTextEdit::NoWrap);
  EXPECT_EQ(LexoraF->Editor->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);

  ScriptedDialogs dialogs;
  FontChoice font;
  font.name = "Arial";
  font.size = 16;
  dialogs.expectFont(font);
  run("EditorFont1");
  EXPECT_EQ(LexoraF->Editor->font().family(), "Arial");
  font.name = "Courier New";
  font.size = 9;
  dialogs.expectFont(font);
  run("PrintFont1");
  EXPECT_EQ(LexoraF->PrinterFont.name, "Courier New");
  EXPECT_EQ(LexoraF->PrinterFont.size, 9);
  run("Wordwrap1");
  EXPECT_EQ(LexoraF->Editor->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_EQ(LexoraF->Editor->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  const QString doc = dir.write("d.txt", "x");
  LexoraF->OpenFile(doc);

  LexoraF->Show();
  LexoraF->close();
  const IniFile saved(SettingsFilePath());
  EXPECT_EQ(saved.ReadString("LexoraSettings", "EditorFontName", ""), "Arial");
  EXPECT_EQ(saved.ReadString("LexoraSettings", "EditorFontSize", ""), "16");
  EXPECT_EQ(saved.ReadString("LexoraSettings", "PrinterFontName", ""), "Courier New");
  EXPECT_EQ(saved.ReadString("LexoraSettings", "PrinterFontSize", ""), "9");
  EXPECT_EQ(saved.ReadString("LexoraSettings", "Wordwrap", ""), "yes");
  EXPECT_EQ(saved.ReadString("LexoraFiles", "File0", ""), doc);
}

TEST_F(Lexora, FindGoesForwardAndClosesAtTheEnd) {
  create();
  LexoraF->Show();
  LexoraF->Editor->setPlainText("Cat cat\ncat");
  run("Find1");
  TFindDialog *find = LexoraF->FindDialog1;
  EXPECT_TRUE(find->isVisible());
  find->SetFindText("cat");
  find->FindNext();
  EXPECT_EQ(selStart(), 4) << "match case is ticked at first";
  EXPECT_EQ(selection(), "cat");
  EXPECT_EQ(LexoraF->FindFrom, 5);
  find->FindNext();
  EXPECT_EQ(selStart(), 8);
  find->FindNext();
  EXPECT_FALSE(find->isVisible()) << "no more: the dialog closes, no message";
  EXPECT_EQ(LexoraF->FindFrom, 0);

  find->SetMatchCase(false);
  find->FindNext();
  EXPECT_EQ(selStart(), 0);
  // Choosing Find again starts at the top.
  find->FindNext();
  EXPECT_EQ(selStart(), 4);
  run("Find1");
  find->FindNext();
  EXPECT_EQ(selStart(), 0);
}

TEST_F(Lexora, ReplaceFirstOrAllInTheWholeText) {
  create();
  LexoraF->Show();
  LexoraF->Editor->setPlainText("Red red\nred");
  // The selection does not matter.
  QTextCursor c = LexoraF->Editor->textCursor();
  c.setPosition(9);
  LexoraF->Editor->setTextCursor(c);
  run("Replace1");
  TReplaceDialog *replace = LexoraF->ReplaceDialog1;
  EXPECT_TRUE(replace->isVisible());
  replace->SetFindText("red");
  replace->SetReplaceText("blue");
  replace->Replace();
  EXPECT_EQ(LexoraF->Editor->toPlainText(), "blue red\nred") << "case ignored unless ticked";
  EXPECT_EQ(LexoraF->FindText, "red");
  EXPECT_EQ(LexoraF->ReplaceText, "blue");
  replace->SetMatchCase(true);
  replace->SetFindText("red");
  replace->SetReplaceText("x");
  replace->ReplaceAllClick();
  EXPECT_EQ(LexoraF->Editor->toPlainText(), "blue x\nx");
  LexoraF->Editor->undo();
  EXPECT_EQ(LexoraF->Editor->toPlainText(), "blue red\nred") << "one undo step";
  // Its Find Next searches forward like the find dialog and closes it at the end.
  replace->SetFindText("blue");
  replace->FindNext();
  EXPECT_EQ(selection(), "blue");
  replace->FindNext();
  EXPECT_FALSE(replace->isVisible());
}

TEST_F(Lexora, TabIndentsSelectedLines) {
  create();
  LexoraF->Show();
  LexoraF->Editor->setPlainText("one\ntwo\nthree");
  QTextCursor c = LexoraF->Editor->textCursor();
  c.setPosition(1);
  c.setPosition(8, QTextCursor::KeepAnchor); // ends at the start of "three"
  LexoraF->Editor->setTextCursor(c);
  QTest::keyClick(LexoraF->Editor, Qt::Key_Tab);
  EXPECT_EQ(LexoraF->Editor->toPlainText(), "\tone\n\ttwo\n\tthree");

  c.setPosition(0);
  LexoraF->Editor->setTextCursor(c);
  QTest::keyClick(LexoraF->Editor, Qt::Key_Tab);
  EXPECT_EQ(LexoraF->Editor->toPlainText(), "\t\tone\n\ttwo\n\tthree") << "without a selection Tab is typed";
}

TEST_F(Lexora, ViewChecklistShowsAndHidesTheRuleList) {
  create();
  LexoraF->Show();
  run("ViewChecklist1");
  EXPECT_FALSE(LexoraF->action("ViewChecklist1")->isChecked());
  EXPECT_TRUE(LexoraF->LexoraNames->isHidden());
  run("ViewChecklist1");
  EXPECT_FALSE(LexoraF->LexoraNames->isHidden());
}

TEST_F(Lexora, OpensTheFileNamedOnTheCommandLineWhenShown) {
  const QString doc = dir.write("arg.htm", "<html>");
  SetCommandLineArguments({doc});
  create();
  EXPECT_EQ(LexoraF->LexoraFile, "") << "not before it is shown";
  LexoraF->Show();
  EXPECT_EQ(LexoraF->LexoraFile, doc);
  EXPECT_EQ(LexoraF->Editor->toPlainText(), "<html>");
  EXPECT_EQ(LexoraF->Recent.paths(), QStringList{doc});

  SetCommandLineArguments({dir.path("none.htm")});
  CreateForm(LexoraF);
  LexoraF->Show();
  EXPECT_EQ(LexoraF->LexoraFile, "");
}

TEST_F(Lexora, HelpAndAbout) {
  create();
  ScriptedDialogs dialogs;
  dialogs.expectError("Cannot find the help file " + AppDir() + "Lexora.hlp");
  run("Contents1");
  EXPECT_EQ(Application().helpFile(), AppDir() + "Lexora.hlp");

  QFile shipped(test::testDataPath("../../data/Lexora.hlp"));
  ASSERT_TRUE(shipped.open(QIODevice::ReadOnly));
  writeAppFile("Lexora.hlp", shipped.readAll());
  run("Contents1");
  ASSERT_NE(CurrentHelpViewer(), nullptr);
  EXPECT_TRUE(CurrentHelpViewer()->browser()->toHtml().contains("Lexora"));
  EXPECT_EQ(CurrentHelpViewer()->browser()->source().fileName(), "Lexora.hlp");
  CurrentHelpViewer()->close();

  dialogs.expectMessage();
  run("About1");
  ASSERT_EQ(dialogs.prompts().size(), 2);
  EXPECT_TRUE(dialogs.prompts().last().text.startsWith("Lexora 2"));
}

TEST_F(Lexora, PrintsEveryLineWithoutADialog) {
  create();
  const QString pdf = dir.path("out.pdf");
  PrintToPdf(pdf);
  QString text;
  for (int i = 0; i < 150; ++i)
    text += QString("line %1\n").arg(i);
  LexoraF->Editor->setPlainText(text);
  run("Print1");
  PrintToPdf({});
  QFile file(pdf);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QByteArray bytes = file.readAll();
  EXPECT_TRUE(bytes.startsWith("%PDF"));
  EXPECT_GE(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 2)
      << "150 lines of 12 points fill more than one page";
}
