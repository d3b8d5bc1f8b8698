// Ten thousand seeded random commands, keys and mouse clicks into the editor and into the rule
// editor: nothing may crash, and no command may end in an error box. Every question is
// answered the way a hurried person would: No, Cancel, or the offered default.

#include "colormemo/ColMemo.h"
#include "controls/RichEdit.h"
#include "lexora/LexoraU.h"
#include "platform/CommandLine.h"
#include "platform/DecliningDialogs.h"
#include "platform/Forms.h"
#include "prosel/ProselU.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QTest>
#include <gtest/gtest.h>
#include <random>

using namespace corvana;

namespace {

class HurriedDialogs : public DecliningDialogs {
public:
  HurriedDialogs() : m_previous(Application().installedDialogs()) { Application().setDialogs(this); }
  ~HurriedDialogs() override { Application().setDialogs(m_previous); }
  void error(const QString &text) override { errors.append(text); }
  QStringList errors;

private:
  Dialogs *m_previous;
};

// Commands that leave the window (exit, printing, other windows) are not the monkey's to press.
bool LeavesTheWindow(const QString &name) {
  static const QStringList names{"Exit1",     "Print1",      "PrinterSetup1", "Lexora1", "Vellant1", "HTML1",
                                 "Contents1", "SiteWizard1", "Close1",        "goPrint", "gpPrint",  "goClose"};
  return names.contains(name);
}

QList<QAction *> Commands(QWidget *form) {
  QList<QAction *> commands;
  for (QAction *a : form->findChildren<QAction *>())
    if (!a->objectName().isEmpty() && !a->menu() && !a->isSeparator() && !LeavesTheWindow(a->objectName()))
      commands.append(a);
  return commands;
}

// A typed character as the keyboard delivers it, for characters no key names.
void typeCharacter(QWidget *target, QChar c) {
  QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
  QApplication::sendEvent(target, &press);
  QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
  QApplication::sendEvent(target, &release);
}

struct MonkeyRun {
  int commands = 0, keys = 0, clicks = 0;
};

// Drives `target` with `events` random events; returns what was sent.
MonkeyRun Drive(QWidget *form, QWidget *target, int events, std::mt19937 &random) {
  static const QList<Qt::Key> keys{Qt::Key_Left,   Qt::Key_Right, Qt::Key_Up,       Qt::Key_Down,
                                   Qt::Key_Home,   Qt::Key_End,   Qt::Key_Return,   Qt::Key_Backspace,
                                   Qt::Key_Delete, Qt::Key_Tab,   Qt::Key_PageDown, Qt::Key_PageUp};
  static const QString typed = QStringLiteral("<>abc xyz=;~\"/é€{}\\");
  const QList<QAction *> commands = Commands(form);
  MonkeyRun run;
  for (int i = 0; i < events; ++i) {
    const unsigned roll = random() % 100;
    if (roll < 20) {
      QAction *command = commands[int(random() % commands.size())];
      if (command->isEnabled()) {
        command->trigger();
        ++run.commands;
      }
    } else if (roll < 85) {
      if (random() % 2)
        typeCharacter(target, typed[int(random() % typed.size())]);
      else
        QTest::keyClick(target, keys[int(random() % keys.size())],
                        random() % 4 == 0 ? Qt::ShiftModifier : Qt::NoModifier);
      ++run.keys;
    } else {
      QWidget *surface = target->findChild<QWidget *>(QStringLiteral("qt_scrollarea_viewport"));
      if (!surface)
        surface = target;
      const QPoint at(int(random() % 400), int(random() % 300));
      if (random() % 3 == 0)
        QTest::mouseDClick(surface, Qt::LeftButton, {}, at);
      else
        QTest::mouseClick(surface, Qt::LeftButton, random() % 4 == 0 ? Qt::ShiftModifier : Qt::NoModifier, at);
      ++run.clicks;
    }
    if (i % 50 == 0)
      QApplication::processEvents();
  }
  return run;
}

} // namespace

TEST(Monkey, TenThousandEventsIntoTheEditorAndTheRuleEditor) {
  SetCommandLineArguments({});
  CreateForm(ProselF);
  ProselF->resize(800, 600);
  ProselF->show();
  CreateForm(LexoraF);
  LexoraF->resize(800, 600);
  LexoraF->show();
  HurriedDialogs dialogs;
  std::mt19937 random(20261209);

  const MonkeyRun editor = Drive(ProselF, ProselF->EditorA, 6000, random);
  ProselF->Bottom1Click();
  const MonkeyRun lower = Drive(ProselF, ProselF->EditorB, 1000, random);
  const MonkeyRun rules = Drive(LexoraF, LexoraF->Editor, 3000, random);

  EXPECT_EQ(dialogs.errors, QStringList());
  EXPECT_GT(editor.commands, 500);
  EXPECT_GT(editor.keys + lower.keys + rules.keys, 5000);
  EXPECT_GT(rules.commands, 200);
  // The windows still answer: text typed now arrives.
  ProselF->EditorB->SetText(QString());
  QTest::keyClicks(ProselF->EditorB, "still here");
  EXPECT_TRUE(ProselF->EditorB->Text().contains("still here"));
  SetCommandLineArguments({});
}
