// What the highlighting editor does with the bytes of a document and with unsaved text.

#include "colormemo/ColMemo.h"
#include "lexora/LexoraU.h"
#include "platform/CommandLine.h"
#include "platform/StatusPanels.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::everyByteValue;
using corvana::test::ScriptedDialogs;
using corvana::test::TempDir;

namespace {

class LexoraDocument : public testing::Test {
protected:
  void SetUp() override {
    SetCommandLineArguments({});
    CreateForm(LexoraF);
  }
  void run(const QString &name) { LexoraF->action(name)->trigger(); }
  void openFile(ScriptedDialogs &dialogs, const QString &path) {
    dialogs.expectOpenFile(path);
    run("Open1");
  }
  void type(const QString &text) { LexoraF->Editor->insertPlainText(text); }

  TempDir dir;
};

} // namespace

TEST_F(LexoraDocument, OpenThenSaveGivesBackEveryByte) {
  ScriptedDialogs dialogs;
  const QByteArray cases[] = {everyByteValue(), "a\r\n\r\n", "caf\xe9\r\n\r\n\r\n", "\xef\xbb\xbf<p>\xc2\xa0</p>\n\n"};
  for (const QByteArray &bytes : cases) {
    const QString path = dir.write("doc.txt", bytes);
    openFile(dialogs, path);
    run("Save1");
    EXPECT_EQ(dir.read("doc.txt"), bytes) << bytes.toStdString();
  }
  EXPECT_EQ(StatusNote(LexoraF), "");
}

TEST_F(LexoraDocument, ACharacterTheFileCannotHoldSavesAsUtf8AndSaysSo) {
  ScriptedDialogs dialogs;
  openFile(dialogs, dir.write("latin.htm", "caf\xe9\r\n"));
  LexoraF->Editor->moveCursor(QTextCursor::End);
  type(QString::fromUtf8("ω"));
  run("Save1");
  EXPECT_EQ(dir.read("latin.htm"), "caf\xc3\xa9\xcf\x89\r\n");
  EXPECT_EQ(StatusNote(LexoraF), "Saved as UTF-8: the text holds characters Windows-1252 cannot");
}

TEST_F(LexoraDocument, ClosingWithChangedTextAsksYesNoOrCancel) {
  ScriptedDialogs dialogs;
  const QString path = dir.write("page.htm", "old");
  openFile(dialogs, path);
  EXPECT_TRUE(LexoraF->FormCloseQuery()) << "unchanged: no question";

  type("new ");
  dialogs.expectAskSave(Dialogs::Answer::Cancel, "Save File " + path + " ?");
  EXPECT_FALSE(LexoraF->FormCloseQuery());
  dialogs.expectAskSave(Dialogs::Answer::No);
  EXPECT_TRUE(LexoraF->FormCloseQuery());
  EXPECT_EQ(dir.read("page.htm"), "old");
  dialogs.expectAskSave(Dialogs::Answer::Yes);
  EXPECT_TRUE(LexoraF->FormCloseQuery());
  EXPECT_EQ(dir.read("page.htm"), "new old");
  EXPECT_TRUE(LexoraF->FormCloseQuery()) << "saved: no question";
}

TEST_F(LexoraDocument, ASaveThatFailsOrIsCancelledKeepsTheWindowOpen) {
  ScriptedDialogs dialogs;
  type("draft");
  dialogs.expectAskSave(Dialogs::Answer::Yes, "Save File  ?").expectCancel(Dialogs::Kind::SaveFile);
  EXPECT_FALSE(LexoraF->FormCloseQuery());
  const QString bad = dir.path("no/such/dir/x.txt");
  dialogs.expectAskSave(Dialogs::Answer::Yes).expectSaveFile(bad).expectError("Cannot create file " + bad);
  EXPECT_FALSE(LexoraF->FormCloseQuery());
  EXPECT_EQ(LexoraF->Editor->toPlainText(), "draft");
}
