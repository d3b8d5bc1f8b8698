// Bad files opened into the editor's panes and the rule editor: each either opens or is refused
// with an error box; nothing crashes, and the window takes typing afterwards.

#include "colormemo/ColMemo.h"
#include "controls/RichEdit.h"
#include "lexora/LexoraU.h"
#include "platform/CommandLine.h"
#include "platform/DecliningDialogs.h"
#include "platform/Errors.h"
#include "prosel/ProselU.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <QTest>
#include <gtest/gtest.h>
#include <random>
#include <utility>

using namespace corvana;
using namespace corvana::test;

namespace {

// Opens the one file it is given and records anything else that asks or tells.
class OpeningDialogs : public DecliningDialogs {
public:
  explicit OpeningDialogs(QString path) : m_path(std::move(path)), m_previous(Application().installedDialogs()) {
    Application().setDialogs(this);
  }
  ~OpeningDialogs() override { Application().setDialogs(m_previous); }
  bool openFile(FileDialogOptions &options) override {
    options.fileName = m_path;
    return true;
  }
  bool confirm(const QString &text) override { return record("confirm", text), false; }
  void message(const QString &text) override { record("message", text); }
  void information(const QString &text) override { record("information", text); }
  void error(const QString &text) override { record("error", text); }
  QStringList log;

private:
  void record(const char *kind, const QString &text) { log.append(QString::fromLatin1(kind) + ": " + text); }
  QString m_path;
  Dialogs *m_previous;
};

struct HostileText {
  const char *name;
  QByteArray bytes;
};

QList<HostileText> HostileTexts() {
  std::mt19937 random(7);
  QByteArray noise(1 << 18, '\0');
  for (char &c : noise)
    c = char(random());
  QByteArray nested = "{\\rtf1\\ansi ";
  nested += QByteArray(200000, '{') + "deep" + QByteArray(200000, '}') + "}";
  QByteArray groups = "{\\rtf1\\ansi ";
  for (int i = 0; i < 10000; ++i)
    groups += "{\\b x}{\\i y}\\par ";
  groups += "}";
  return {
      {"empty", QByteArray()},
      {"random", noise},
      {"nul bytes", QByteArray("a\0b\0\r\n\0", 7).repeated(1000)},
      {"truncated rtf", "{\\rtf1\\ansi{\\fonttbl{\\f0 Ari"},
      {"rtf cut in a control word", "{\\rtf1\\ansi \\b"},
      {"deeply nested rtf", nested},
      {"many groups", groups},
      {"rtf with huge numbers", "{\\rtf1\\ansi\\fs99999999999999999999 \\u-99999999999? x\\'zz}"},
      {"one long line", QByteArray(256 * 1024, 'w')},
      {"lone carriage returns", QByteArray("x\r").repeated(100000)},
  };
}

} // namespace

TEST(HostileText, EveryBadFileOpensOrIsRefusedAndThePanesStillWork) {
  SetCommandLineArguments({});
  CreateForm(ProselF);
  TempDir dir;
  for (const bool rich : {false, true}) {
    rich ? ProselF->RichText1Click() : ProselF->PlainText1Click();
    for (const HostileText &bad : HostileTexts()) {
      const QString path = dir.write(QString::fromLatin1(bad.name), bad.bytes);
      OpeningDialogs dialogs(path);
      ProselF->action("Open1")->trigger();
      // Opened, or refused with an error box: nothing else.
      for (const QString &entry : dialogs.log)
        EXPECT_TRUE(entry.startsWith("error")) << bad.name << ": " << entry.toStdString();
      // The pane takes typing again once cleared (a text over its length limit takes none).
      TRichEdit *pane = ProselF->ActiveEditor;
      pane->SetText(QString());
      QTest::keyClicks(pane, "ok");
      EXPECT_EQ(pane->Text(), "ok") << bad.name << (rich ? " (rich)" : " (plain)");
    }
  }
  SetCommandLineArguments({});
}

TEST(HostileText, TheRuleEditorOpensEveryBadFileOrRefusesIt) {
  CreateForm(LexoraF);
  TempDir dir;
  for (const HostileText &bad : HostileTexts()) {
    const QString path = dir.write(QString::fromLatin1(bad.name), bad.bytes);
    OpeningDialogs dialogs(path);
    guarded([&] { LexoraF->OpenFile(path); });
    for (const QString &entry : dialogs.log)
      EXPECT_TRUE(entry.startsWith("error")) << bad.name << ": " << entry.toStdString();
    LexoraF->Editor->moveCursor(QTextCursor::Start);
    QTest::keyClicks(LexoraF->Editor, "ok");
    EXPECT_TRUE(LexoraF->Editor->toPlainText().startsWith("ok")) << bad.name;
  }
}
