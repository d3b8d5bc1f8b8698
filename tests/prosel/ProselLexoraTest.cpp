#include "colormemo/ColMemo.h"
#include "controls/RichEdit.h"
#include "lexora/LexoraU.h"
#include "platform/CommandLine.h"
#include "platform/IniFile.h"
#include "platform/Paths.h"
#include "prosel/ProselU.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QTimer>
#include <gtest/gtest.h>

using namespace corvana;

namespace {

TLexoraF *shownLexora() {
  for (QWidget *w : QApplication::topLevelWidgets())
    if (auto *lexora = qobject_cast<TLexoraF *>(w); lexora && lexora->isVisible())
      return lexora;
  return nullptr;
}

} // namespace

TEST(ProselLexora, ShiftF2OpensAFreshModalLexoraAndDestroysItWhenClosed) {
  SetCommandLineArguments({});
  CreateForm(ProselF);
  QAction *item = ProselF->action("Lexora1");
  ASSERT_NE(item, nullptr);
  EXPECT_EQ(item->text(), "Lexora");
  EXPECT_EQ(item->shortcut(), QKeySequence(Qt::SHIFT | Qt::Key_F2));
  ASSERT_TRUE(item->isEnabled());

  QPointer<TLexoraF> seen;
  bool modal = false, ownedByProsel = false, empty = false;
  QTimer::singleShot(0, [&] {
    seen = shownLexora();
    if (!seen)
      return;
    modal = seen->isModal() || seen->windowModality() != Qt::NonModal;
    ownedByProsel = seen->parent() == ProselF && seen->isWindow();
    empty = seen->Editor->toPlainText().isEmpty();
    seen->Editor->setPlainText("typed in Lexora");
    seen->close();
  });
  item->trigger();

  EXPECT_TRUE(modal);
  EXPECT_TRUE(ownedByProsel);
  EXPECT_TRUE(empty);
  EXPECT_TRUE(seen.isNull()) << "destroyed when closed";
  EXPECT_EQ(LexoraF, nullptr) << "the hidden instance is not used";
  EXPECT_TRUE(ProselF->findChildren<TLexoraF *>().isEmpty());
  EXPECT_NE(ProselF->EditorA->toPlainText(), "typed in Lexora") << "no text passes between the two";
  // Closing wrote its settings.
  EXPECT_TRUE(IniFile(SettingsFilePath()).SectionExists("LexoraSettings"));

  // A second choice makes another window.
  bool again = false;
  QTimer::singleShot(0, [&] {
    TLexoraF *second = shownLexora();
    again = second != nullptr;
    if (second)
      second->close();
  });
  item->trigger();
  EXPECT_TRUE(again);
}
