#include "controls/FontNameBox.h"
#include "controls/RichEdit.h"
#include "platform/CommandLine.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "prosel/ProselU.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"
#include "vellant/VellantU.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QMenu>
#include <QSplitter>
#include <QToolBar>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::findAction;
using corvana::test::menuCaptions;
using corvana::test::ScriptedDialogs;
using corvana::test::TempDir;

namespace {

class Prosel : public testing::Test {
protected:
  void SetUp() override {
    SetCommandLineArguments({});
    create();
  }
  void TearDown() override { SetCommandLineArguments({}); }

  void create() {
    CreateForm(ProselF);
    ProselF->resize(800, 600);
  }
  // Runs a menu command by its object name.
  void run(const QString &name) {
    QAction *a = ProselF->action(name);
    ASSERT_NE(a, nullptr) << name.toStdString();
    ASSERT_TRUE(a->isEnabled()) << name.toStdString();
    a->trigger();
  }
  void open(ScriptedDialogs &dialogs, const QString &path) {
    dialogs.expectOpenFile(path);
    run("Open1");
  }
  QString reopenPath(int i) const {
    return ReopenList::PathOf(ProselF->action(QStringLiteral("ro%1").arg(i + 1))->text());
  }

  TempDir dir;
};

} // namespace

TEST_F(Prosel, CreatedWithTheDesignedControlsAndRichTextWithoutSettings) {
  EXPECT_EQ(ProselF->objectName(), "ProselF");
  EXPECT_EQ(ProselF->BaseCaption, "Prosel 11");
  EXPECT_EQ(ProselF->LibMode, "tags");
  EXPECT_EQ(ProselF->ActiveEditor, ProselF->EditorA);
  EXPECT_EQ(ProselF->EditorA->MaxLength(), 500000);
  EXPECT_EQ(ProselF->EditorB->MaxLength(), 0);
  EXPECT_TRUE(ProselF->EditorB->isHidden());
  EXPECT_EQ(ProselF->SizeBox->count(), 20);
  EXPECT_EQ(ProselF->SizeBox->currentText(), "8");
  // The menu is designed in plain text, but a first start without settings is rich.
  EXPECT_TRUE(ProselF->action("RichText1")->isChecked());
  EXPECT_FALSE(ProselF->action("PlainText1")->isChecked());
  EXPECT_FALSE(ProselF->EditorA->PlainText());
  EXPECT_TRUE(ProselF->findChild<QMenu *>("Font1")->isEnabled());
  for (const char *area : {"Tags1", "Files1", "Style1", "Wrap1", "Top1"})
    EXPECT_TRUE(ProselF->action(area)->isChecked()) << area;
  EXPECT_FALSE(ProselF->FilePanel->isHidden());
  EXPECT_EQ(ProselF->FilePanel->width(), 160);
  const QStringList hints{"Clear Editor", "Open File",   "Save File",    "Print File",     "Undo",          "Cut",
                          "Copy",         "Paste",       "Find",         "Replace",        "Bold",          "Italic",
                          "Underline",    "Font Larger", "Justify Left", "Justify Center", "Justify Right", "Bullets"};
  QStringList shown;
  for (QAction *button : ProselF->ToolBar2->actions())
    shown.append(button->toolTip());
  EXPECT_EQ(shown, hints);
}

TEST_F(Prosel, MenusHaveTheirCaptionsShortcutsAndSeparators) {
  EXPECT_EQ(menuCaptions(ProselF->findChild<QMenu *>("File1")),
            (QStringList{"&New", "&Open...", "&ReOpen", "&Save", "Save &as...", "-", "&Print...", "Printer Setup...",
                         "-", "E&xit"}));
  EXPECT_EQ(menuCaptions(ProselF->findChild<QMenu *>("Options1")),
            (QStringList{"&Plain Text", "&Rich Text", "-", "Plain &Font", "&Background", "-", "&Vellant", "-",
                         "&Site Wizard"}));
  EXPECT_EQ(menuCaptions(ProselF->findChild<QMenu *>("Font1")),
            (QStringList{"&Bold", "&Italic", "&Normal", "&Style", "&Underline"}));
  // New and Save keep Ctrl+N and Ctrl+S; the font menu's duplicates get none.
  EXPECT_EQ(ProselF->action("New1")->shortcut(), QKeySequence("Ctrl+N"));
  EXPECT_EQ(ProselF->action("Save1")->shortcut(), QKeySequence("Ctrl+S"));
  EXPECT_TRUE(ProselF->action("Normal1")->shortcut().isEmpty());
  EXPECT_TRUE(ProselF->action("FontStyle1")->shortcut().isEmpty());
  EXPECT_EQ(ProselF->action("Bold1")->shortcut(), QKeySequence("Ctrl+B"));
  EXPECT_EQ(ProselF->action("DeleteLine1")->shortcut(), QKeySequence("Ctrl+L"));
  // No two actions of the window share a shortcut, or Qt would fire neither.
  QMap<QKeySequence, QString> seen;
  for (QAction *a : ProselF->findChildren<QAction *>()) {
    if (a->shortcut().isEmpty())
      continue;
    EXPECT_FALSE(seen.contains(a->shortcut()))
        << a->objectName().toStdString() << " and " << seen.value(a->shortcut()).toStdString();
    seen.insert(a->shortcut(), a->objectName());
  }
}

TEST_F(Prosel, OpenLoadsTheActivePaneAndTakesThePathIntoTheReopenList) {
  const QString page = dir.write("page.htm", "<p>hello</p>\r\n");
  ScriptedDialogs dialogs;
  open(dialogs, page);
  EXPECT_EQ(dialogs.lastFileOptions().filter, TProselF::FileFilter);
  EXPECT_EQ(ProselF->CurrentFile, page);
  EXPECT_EQ(ProselF->CurrentName, "page.htm");
  EXPECT_EQ(ProselF->FileA, page);
  EXPECT_EQ(ProselF->windowTitle(), "page.htm - Prosel 11");
  EXPECT_EQ(ProselF->EditorA->Text(), "<p>hello</p>\n");
  EXPECT_EQ(reopenPath(0), page);
}

TEST_F(Prosel, OpenThatFailsKeepsTheStepsBeforeTheLoad) {
  const QString missing = dir.path("gone.htm");
  ScriptedDialogs dialogs;
  dialogs.expectOpenFile(missing).expectError("Cannot open file " + missing);
  run("Open1");
  EXPECT_EQ(ProselF->CurrentFile, missing);
  EXPECT_EQ(reopenPath(0), missing);
  EXPECT_EQ(ProselF->FileA, "") << "the pane never got the document";
}

TEST_F(Prosel, ReopenEntriesShiftAndANameWithoutPathDoesNothing) {
  ScriptedDialogs dialogs;
  QStringList files;
  for (const char *name : {"e.htm", "d.htm", "c.htm", "b.htm", "a.htm"})
    files.append(dir.write(name, name));
  for (const QString &f : files)
    open(dialogs, f);
  // [a, b, c, d, e]: choosing the third entry takes c again, giving [c, a, b, c, d].
  run("ro3");
  EXPECT_EQ(ProselF->CurrentFile, files[2]);
  EXPECT_EQ(ProselF->EditorA->Text(), "c.htm");
  EXPECT_EQ((QStringList{reopenPath(0), reopenPath(1), reopenPath(2), reopenPath(3), reopenPath(4)}),
            (QStringList{files[2], files[4], files[3], files[2], files[1]}));
  // Opening f pushes the oldest out: [f, c, a, b, c].
  const QString f = dir.write("f.htm", "F");
  open(dialogs, f);
  EXPECT_EQ(ProselF->action("ro1")->text(), "&1 " + f);
  EXPECT_EQ(reopenPath(4), files[2]);
  run("ro3");
  EXPECT_EQ(ProselF->CurrentFile, files[4]);

  // An entry whose file is gone, or a bare "&2", does nothing and says nothing.
  QFile::remove(files[3]);
  const QStringList before{reopenPath(0), reopenPath(1), reopenPath(2), reopenPath(3), reopenPath(4)};
  EXPECT_EQ(reopenPath(4), files[3]);
  run("ro5");
  EXPECT_EQ(ProselF->CurrentFile, files[4]);
  EXPECT_EQ((QStringList{reopenPath(0), reopenPath(1), reopenPath(2), reopenPath(3), reopenPath(4)}), before);
  ProselF->Reopen.setCaption(1, "&2");
  ProselF->ReopenClick(1);
  EXPECT_EQ(ProselF->CurrentFile, files[4]);
}

TEST_F(Prosel, EachPaneKeepsItsDocumentAndTheCaptionFollowsTheActiveOne) {
  ScriptedDialogs dialogs;
  const QString page = dir.write("top.htm", "top");
  open(dialogs, page);
  run("Bottom1");
  EXPECT_TRUE(ProselF->EditorA->isHidden());
  EXPECT_FALSE(ProselF->EditorB->isHidden());
  EXPECT_EQ(ProselF->ActiveEditor, ProselF->EditorB);
  EXPECT_EQ(ProselF->CurrentFile, "");
  EXPECT_EQ(ProselF->windowTitle(), " - Prosel 11");
  EXPECT_TRUE(ProselF->action("Bottom1")->isChecked());
  EXPECT_FALSE(ProselF->action("Top1")->isChecked());
  run("Top1");
  EXPECT_EQ(ProselF->windowTitle(), "top.htm - Prosel 11");
  EXPECT_EQ(ProselF->ActiveEditor, ProselF->EditorA);

  run("Both1");
  EXPECT_FALSE(ProselF->EditorA->isHidden());
  EXPECT_FALSE(ProselF->EditorB->isHidden());
  EXPECT_EQ(ProselF->ActiveEditor, ProselF->EditorA) << "Both keeps the active pane";
}

TEST_F(Prosel, SaveWithoutAFileIsSaveAsAndLeavesTheReopenListAlone) {
  ScriptedDialogs dialogs;
  ProselF->RichText1Click();
  ProselF->PlainText1Click();
  ProselF->EditorA->SetText("line one\nline two");
  const QString target = dir.path("new.txt");
  dialogs.expectSaveFile(target);
  run("Save1");
  EXPECT_EQ(dir.read("new.txt"), QByteArray("line one\r\nline two"));
  EXPECT_EQ(ProselF->CurrentFile, target);
  EXPECT_EQ(ProselF->FileA, target);
  EXPECT_EQ(ProselF->windowTitle(), "new.txt - Prosel 11");
  EXPECT_EQ(ProselF->action("ro1")->text(), "&1");
  // With a file, Save writes without a dialog.
  ProselF->EditorA->SetText("changed");
  run("Save1");
  EXPECT_EQ(dir.read("new.txt"), QByteArray("changed"));
}

TEST_F(Prosel, NewAsksAndClearsOnlyOnYes) {
  ScriptedDialogs dialogs;
  const QString page = dir.write("keep.htm", "keep");
  open(dialogs, page);
  dialogs.expectConfirm(false, "Clear All Lines?");
  run("New1");
  EXPECT_EQ(ProselF->EditorA->Text(), "keep");
  dialogs.expectConfirm(true, "Clear All Lines?");
  run("New1");
  EXPECT_EQ(ProselF->EditorA->Text(), "");
  EXPECT_EQ(ProselF->CurrentFile, "");
  EXPECT_EQ(ProselF->FileA, "");
  EXPECT_EQ(ProselF->windowTitle(), "Prosel 11");
}

TEST_F(Prosel, PlainModeDisablesFormattingAndReadsRtfAsText) {
  ScriptedDialogs dialogs;
  run("PlainText1");
  EXPECT_TRUE(ProselF->EditorA->PlainText());
  EXPECT_FALSE(ProselF->findChild<QMenu *>("Font1")->isEnabled());
  EXPECT_FALSE(ProselF->findChild<QMenu *>("Paragraph1")->isEnabled());
  for (const char *button :
       {"rtfBold", "rtfItalic", "rtfUnderline", "rtfFontLarger", "rtfLeft", "rtfCenter", "rtfRight", "rtfBullets"})
    EXPECT_FALSE(ProselF->action(button)->isEnabled()) << button;
  const QString rtf = dir.write("doc.rtf", "{\\rtf1\\ansi {\\b bold} text\\par}");
  open(dialogs, rtf);
  EXPECT_TRUE(ProselF->EditorA->Text().startsWith("{\\rtf1")) << "plain mode shows RTF as its raw text";
  run("RichText1");
  EXPECT_TRUE(ProselF->findChild<QMenu *>("Font1")->isEnabled());
  EXPECT_TRUE(ProselF->EditorA->Text().startsWith("{\\rtf1")) << "switching does not reload";
}

TEST_F(Prosel, DeleteLineAndWrapActOnThePanes) {
  ProselF->EditorA->SetText("one\ntwo\nthree");
  ProselF->EditorA->SetSelStart(5); // in "two"
  run("DeleteLine1");
  EXPECT_EQ(ProselF->EditorA->Text(), "one\nthree");
  run("Wrap1");
  EXPECT_FALSE(ProselF->action("Wrap1")->isChecked());
  EXPECT_FALSE(ProselF->EditorA->WordWrap());
  EXPECT_FALSE(ProselF->EditorB->WordWrap());
}

TEST_F(Prosel, ViewSwitchesShowAndHideTheToolAreas) {
  run("Files1");
  EXPECT_TRUE(ProselF->FilePanel->isHidden());
  run("Files1");
  EXPECT_FALSE(ProselF->FilePanel->isHidden());
  EXPECT_EQ(ProselF->FilePanel->width(), 160);
  run("Style1");
  EXPECT_TRUE(ProselF->FontPanel->isHidden());
  run("Tags1");
  EXPECT_TRUE(ProselF->Tagspanel->isHidden());
}

TEST_F(Prosel, ClosingAsksToSaveDeletesThePreviewAndWritesTheSettingsExactly) {
  ScriptedDialogs dialogs;
  const QString page = dir.write("site/index.htm", "old");
  QFile previewFile(AppDir() + "Preview.htm");
  ASSERT_TRUE(previewFile.open(QIODevice::WriteOnly));
  previewFile.close();
  open(dialogs, page);
  run("Files1");
  run("PlainText1");
  ProselF->EditorA->SetText("new");
  dialogs.expectConfirm(true, "Save File " + page + " ?");
  EXPECT_TRUE(ProselF->FormCloseQuery());
  EXPECT_EQ(dir.read("site/index.htm"), "new");
  EXPECT_FALSE(QFile::exists(AppDir() + "Preview.htm"));
  QFile ini(SettingsFilePath());
  ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
  const QString font = ProselF->EditorA->font().family();
  EXPECT_EQ(ini.readAll(), ("[ProselView]\r\nTags=yes\r\nFiles=no\r\nStyles=yes\r\nRichText=no\r\nFontName=" + font +
                            "\r\nFontSize=8\r\n\r\n[ProselFiles]\r\n1=&1 " + page +
                            "\r\n2=&2 \r\n3=&3 \r\n4=&4 \r\n"
                            "5=&5 \r\n")
                               .toUtf8());

  // A new window reads them back.
  Application().DestroyForms();
  create();
  EXPECT_FALSE(ProselF->action("Files1")->isChecked());
  EXPECT_TRUE(ProselF->FilePanel->isHidden());
  EXPECT_TRUE(ProselF->action("PlainText1")->isChecked());
  EXPECT_EQ(reopenPath(0), page);
}

TEST_F(Prosel, ClosingWithoutAFileOffersTheSaveDialog) {
  ScriptedDialogs dialogs;
  ProselF->EditorA->SetText("draft");
  run("PlainText1");
  const QString target = dir.path("draft.txt");
  dialogs.expectConfirm(true, "Save File  ?").expectSaveFile(target);
  EXPECT_TRUE(ProselF->FormCloseQuery());
  EXPECT_EQ(dir.read("draft.txt"), "draft");
  EXPECT_EQ(ProselF->CurrentFile, "") << "no other state changes";
}

TEST_F(Prosel, CommandLineFileOpensAtFirstShowingInTheModeOfItsExtension) {
  Application().DestroyForms();
  const QString rtf = dir.write("Letter.RtF", "{\\rtf1\\ansi Dear {\\b friend}\\par}");
  SetCommandLineArguments({rtf});
  create();
  ProselF->show();
  EXPECT_EQ(ProselF->CurrentFile, rtf);
  EXPECT_EQ(ProselF->FileA, rtf);
  EXPECT_FALSE(ProselF->EditorA->PlainText());
  EXPECT_EQ(ProselF->EditorA->Text(), "Dear friend");
  EXPECT_EQ(ProselF->windowTitle(), "Letter.RtF - Prosel 11");

  Application().DestroyForms();
  const QString htm = dir.write("page.htm", "{\\rtf1 not read as rich}");
  SetCommandLineArguments({htm});
  create();
  ProselF->show();
  EXPECT_TRUE(ProselF->EditorA->PlainText());
  EXPECT_EQ(ProselF->EditorA->Text(), "{\\rtf1 not read as rich}");
  EXPECT_EQ(ProselF->action("ro1")->text(), "&1") << "the command line does not add to the reopen list";
}

TEST_F(Prosel, ListFilesAreLoadedWhenTheyExist) {
  Application().DestroyForms();
  QFile trans(AppDir() + "ProselTrans.txt");
  ASSERT_TRUE(trans.open(QIODevice::WriteOnly));
  trans.write("yes=ja\r\nhouse=Haus\r\nBlue=blau\r\n");
  trans.close();
  create();
  ASSERT_EQ(ProselF->cboTrans->count(), 3);
  EXPECT_EQ(ProselF->cboTrans->itemText(0), "Blue");
  EXPECT_EQ(ProselF->cboTrans->currentIndex(), 0);
  EXPECT_EQ(ProselF->TransList.Value("HOUSE"), "Haus");
  EXPECT_EQ(ProselF->cboLib->count(), 0) << "a missing list leaves its box empty";
}

TEST_F(Prosel, ALargeDocumentOpensWhole) {
  ScriptedDialogs dialogs;
  QByteArray big;
  big.reserve(1'200'000);
  while (big.size() < 1'100'000)
    big += "<p>0123456789 abcdefghij</p>\r\n";
  run("PlainText1");
  open(dialogs, dir.write("big.htm", big));
  EXPECT_EQ(ProselF->EditorA->TextLength(), QString::fromLatin1(big).replace("\r\n", "\n").size());
}

TEST_F(Prosel, VellantItemOpensTheOneBrowserWindow) {
  run("Vellant1");
  ASSERT_NE(VellantF, nullptr);
  TVellantF *first = VellantF;
  EXPECT_TRUE(VellantF->isVisible());
  VellantF->close();
  run("Vellant1");
  EXPECT_EQ(VellantF, first);
  EXPECT_TRUE(VellantF->isVisible());
}

// The three bars stack along the top, so a window of common width shows every box of the style
// and tag bars rather than leaving some behind a bar's overflow button.
TEST_F(Prosel, TheBarsStackInRowsAndShowEveryBoxAtACommonWidth) {
  EXPECT_TRUE(ProselF->toolBarBreak(ProselF->FontPanel));
  EXPECT_TRUE(ProselF->toolBarBreak(ProselF->Tagspanel));
  ProselF->resize(1000, 700);
  ProselF->show();
  QCoreApplication::processEvents();
  EXPECT_LT(ProselF->ToolBar2->geometry().bottom(), ProselF->FontPanel->geometry().top());
  EXPECT_LT(ProselF->FontPanel->geometry().bottom(), ProselF->Tagspanel->geometry().top());
  for (QWidget *box :
       std::initializer_list<QWidget *>{ProselF->Fontbox, ProselF->richcolor, ProselF->SizeBox, ProselF->cboTrans,
                                        ProselF->cboLib, ProselF->cboTargets, ProselF->cboDirs})
    EXPECT_TRUE(box->isVisible()) << box->objectName().toStdString();
}
