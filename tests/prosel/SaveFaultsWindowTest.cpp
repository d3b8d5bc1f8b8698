// The editors' saves when the disk fills or the file cannot be written: the old file stays as
// it was, the person sees the error, and the text stays open, unsaved, as they typed it.

#include "colormemo/ColMemo.h"
#include "controls/RichEdit.h"
#include "lexora/LexoraU.h"
#include "platform/CommandLine.h"
#include "prosel/ProselU.h"
#include "support/SaveFaults.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

namespace {

// The file turned into a folder of the same name: no save can replace it.
void BlockWithFolder(const QString &path) {
  ASSERT_TRUE(QFile::remove(path));
  ASSERT_TRUE(QDir().mkdir(path));
}

} // namespace

TEST(SaveFaultsWindow, TheEditorKeepsItsTextInBothModesWhenASaveFails) {
  SetCommandLineArguments({});
  CreateForm(ProselF);
  for (const bool rich : {false, true}) {
    TempDir dir;
    const QByteArray old = rich ? QByteArray("{\\rtf1\\ansi old page\\par}") : QByteArray("<p>old page</p>\r\n");
    const QString path = dir.write(rich ? "page.rtf" : "page.htm", old);
    rich ? ProselF->RichText1Click() : ProselF->PlainText1Click();
    ScriptedDialogs dialogs;
    dialogs.expectOpenFile(path);
    ProselF->action("Open1")->trigger();
    TRichEdit *pane = ProselF->ActiveEditor;
    pane->SetSelStart(0);
    pane->SetSelText("typed text that will not fit on the disk ");
    const QString typed = pane->Text();

    EXPECT_EQ(SaveWithDiskFull([] { ProselF->Save1Click(); }, 16), SaveOutcome::ErrorRaised) << rich;
    EXPECT_EQ(dir.read(QFileInfo(path).fileName()), old) << rich;

    BlockWithFolder(path);
    dialogs.expectError("Cannot create file " + path);
    ProselF->action("Save1")->trigger();
    EXPECT_EQ(dialogs.pending(), 0) << rich;
    EXPECT_EQ(pane->Text(), typed) << rich;
    EXPECT_TRUE(pane->Modified()) << rich;
    EXPECT_EQ(ProselF->CurrentFile, path) << rich;
  }
  SetCommandLineArguments({});
}

TEST(SaveFaultsWindow, TheRuleEditorKeepsItsTextWhenASaveFails) {
  CreateForm(LexoraF);
  TempDir dir;
  const QByteArray old = "[Rules]\r\nold=1\r\n";
  const QString path = dir.write("rules.txt", old);
  LexoraF->OpenFile(path);
  LexoraF->Editor->moveCursor(QTextCursor::End);
  LexoraF->Editor->insertPlainText("typed=2 and more than the disk can take\n");
  const QString typed = LexoraF->Editor->toPlainText();

  EXPECT_EQ(SaveWithDiskFull([] { LexoraF->Save1Click(); }, 8), SaveOutcome::ErrorRaised);
  EXPECT_EQ(dir.read("rules.txt"), old);

  ScriptedDialogs dialogs;
  BlockWithFolder(path);
  dialogs.expectError("Cannot create file " + path);
  LexoraF->action("Save1")->trigger();
  EXPECT_EQ(dialogs.pending(), 0);
  EXPECT_EQ(LexoraF->Editor->toPlainText(), typed);
  EXPECT_TRUE(LexoraF->Editor->document()->isModified());
}
