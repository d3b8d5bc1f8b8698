// What the editor does with the bytes of its documents and with unsaved text when it closes.

#include "colormemo/ColMemo.h"
#include "controls/FontNameBox.h"
#include "controls/RichEdit.h"
#include "lexora/LexoraU.h"
#include "platform/CommandLine.h"
#include "platform/StatusPanels.h"
#include "prosel/ColorComboBox.h"
#include "prosel/NameValueList.h"
#include "prosel/ProselU.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::everyByteValue;
using corvana::test::ScriptedDialogs;
using corvana::test::TempDir;

namespace {

class ProselDocuments : public testing::Test {
protected:
  void SetUp() override {
    SetCommandLineArguments({});
    CreateForm(ProselF);
  }
  void run(const QString &name) { ProselF->action(name)->trigger(); }
  void open(ScriptedDialogs &dialogs, const QString &path) {
    dialogs.expectOpenFile(path);
    run("Open1");
  }
  void type(TRichEdit *pane, const QString &text) {
    pane->moveCursor(QTextCursor::End);
    pane->insertPlainText(text);
  }

  TempDir dir;
};

} // namespace

TEST_F(ProselDocuments, APlainPageSavesBackEveryByte) {
  ScriptedDialogs dialogs;
  run("PlainText1");
  const QByteArray cases[] = {everyByteValue(), "a\r\n\r\n", "caf\xe9\n\n", "\xef\xbb\xbfx\xc2\xa0y\r\n"};
  for (const QByteArray &bytes : cases) {
    open(dialogs, dir.write("page.htm", bytes));
    run("Save1");
    EXPECT_EQ(dir.read("page.htm"), bytes) << bytes.toStdString();
  }
}

TEST_F(ProselDocuments, ACharacterThePageCannotHoldSavesAsUtf8AndSaysSo) {
  ScriptedDialogs dialogs;
  run("PlainText1");
  open(dialogs, dir.write("latin.htm", "caf\xe9"));
  type(ProselF->EditorA, QString::fromUtf8(" ω"));
  run("Save1");
  EXPECT_EQ(dir.read("latin.htm"), "caf\xc3\xa9 \xcf\x89");
  EXPECT_EQ(StatusNote(ProselF), "Saved as UTF-8: the text holds characters Windows-1252 cannot");
}

TEST_F(ProselDocuments, NameValueListsKeepTheirBytes) {
  QByteArray line = "name=";
  for (int b = 1; b < 256; ++b)
    if (b != '\r' && b != '\n')
      line.append(char(b));
  const QString path = dir.write("ProselTrans.txt", line + "\r\n");
  NameValueList list;
  list.LoadFromFile(path);
  list.SaveToFile(path);
  EXPECT_EQ(dir.read("ProselTrans.txt"), line + "\r\n");
}

TEST_F(ProselDocuments, AFailedSaveAtCloseKeepsTheWindowAndTheText) {
  ScriptedDialogs dialogs;
  run("PlainText1");
  const QString page = dir.write("site/page.htm", "old");
  open(dialogs, page);
  type(ProselF->EditorA, " new");
  QFile::remove(page);
  QDir(dir.path("site")).removeRecursively(); // the save cannot create the file now
  dialogs.expectConfirm(true, "Save File " + page + " ?").expectError("Cannot create file " + page);
  EXPECT_FALSE(ProselF->FormCloseQuery());
  EXPECT_EQ(ProselF->EditorA->Text(), "old new");
  // Nor does Exit end the application.
  dialogs.expectConfirm(true).expectError();
  run("Exit1");
  EXPECT_FALSE(Application().terminated());
}

TEST_F(ProselDocuments, TheOtherPaneIsOfferedWhenItsTextChanged) {
  ScriptedDialogs dialogs;
  run("PlainText1");
  const QString a = dir.write("a.htm", "A"), b = dir.write("b.htm", "B");
  open(dialogs, a);
  run("Bottom1");
  run("PlainText1");
  open(dialogs, b);
  type(ProselF->EditorB, "+");
  run("Top1");
  ASSERT_EQ(ProselF->ActiveEditor, ProselF->EditorA);

  dialogs.expectConfirm(false, "Save File " + a + " ?").expectAskSave(Dialogs::Answer::Cancel, "Save File " + b + " ?");
  EXPECT_FALSE(ProselF->FormCloseQuery());
  dialogs.expectConfirm(false).expectAskSave(Dialogs::Answer::Yes);
  EXPECT_TRUE(ProselF->FormCloseQuery());
  EXPECT_EQ(dir.read("b.htm"), "B+");
  EXPECT_EQ(dir.read("a.htm"), "A");
  dialogs.expectConfirm(false);
  EXPECT_TRUE(ProselF->FormCloseQuery()) << "saved: only the active pane's question";
}

TEST_F(ProselDocuments, ReopenCaptionsShowAmpersandsAsTheyAre) {
  ScriptedDialogs dialogs;
  const QString page = dir.write("R&D/a&b.htm", "x");
  open(dialogs, page);
  EXPECT_EQ(ProselF->action("ro1")->text(), "&1 " + QString(page).replace("&", "&&"));
  EXPECT_EQ(ProselF->Reopen.caption(0), "&1 " + page) << "the stored caption is unchanged";
  dialogs.expectConfirm(true, "Clear All Lines?");
  run("New1");
  run("ro1");
  EXPECT_EQ(ProselF->CurrentFile, page);
}

TEST_F(ProselDocuments, FormattingCommandsFollowTheModeBothWays) {
  const QStringList rich{"Font1",         "Paragraph1", "rtfBold",   "rtfItalic", "rtfUnderline",
                         "rtfFontLarger", "rtfLeft",    "rtfCenter", "rtfRight",  "rtfBullets"};
  for (const char *mode : {"PlainText1", "RichText1", "PlainText1", "RichText1"}) {
    run(mode);
    const bool isRich = QString::fromLatin1(mode) == "RichText1";
    for (const QString &name : rich)
      EXPECT_EQ(ProselF->action(name)->isEnabled(), isRich) << mode << " " << name.toStdString();
    // The boxes of the style bar act in either mode.
    for (QWidget *box : {static_cast<QWidget *>(ProselF->Fontbox), static_cast<QWidget *>(ProselF->SizeBox),
                         static_cast<QWidget *>(ProselF->richcolor)})
      EXPECT_TRUE(box->isEnabled()) << mode;
  }
}

TEST(ProselLexoraClose, ALexoraOpenedFromProselAsksBeforeItGoes) {
  SetCommandLineArguments({});
  CreateForm(ProselF);
  ScriptedDialogs dialogs;
  dialogs.expectAskSave(Dialogs::Answer::Cancel).expectAskSave(Dialogs::Answer::No);
  QPointer<TLexoraF> lexora;
  bool stayedAfterCancel = false;
  QTimer::singleShot(0, [&] {
    for (QWidget *w : QApplication::topLevelWidgets())
      if (auto *l = qobject_cast<TLexoraF *>(w); l && l->isVisible())
        lexora = l;
    if (!lexora)
      return;
    lexora->Editor->insertPlainText("typed");
    lexora->close();
    stayedAfterCancel = lexora && lexora->isVisible();
    lexora->close();
  });
  ProselF->action("Lexora1")->trigger();
  EXPECT_TRUE(stayedAfterCancel);
  EXPECT_TRUE(lexora.isNull());
}
