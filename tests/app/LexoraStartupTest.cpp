#include "app/MainU.h"
#include "app/Startup.h"
#include "lexora/LexoraU.h"
#include "platform/Paths.h"
#include "prosel/ProselU.h"

#include <QFile>
#include <QListWidget>
#include <QTest>
#include <gtest/gtest.h>

using namespace corvana;

TEST(LexoraStartup, CreatedHiddenAfterTheEditor) {
  QFile rules(AppDir() + "Lexora.txt");
  ASSERT_TRUE(rules.open(QIODevice::WriteOnly));
  rules.write("NEWRULE=Tags\r\nKBE=<;>;blue\r\nENABLED=yes\r\n");
  rules.close();

  StartCorvana();
  ASSERT_TRUE(QTest::qWaitFor([] { return LexoraF != nullptr; })) << "made after the first frame";
  const QList<TForm *> forms = Application().forms();
  ASSERT_GE(forms.size(), 3);
  EXPECT_EQ(forms.mid(0, 2), (QList<TForm *>{MainForm, ProselF}));
  EXPECT_EQ(forms.last(), LexoraF) << "the last window made at start";
  EXPECT_FALSE(LexoraF->isVisible());
  EXPECT_EQ(LexoraF->mdiSubWindow(), nullptr) << "a window of its own, not an MDI child";
  // Its creation already read the settings and the rule file.
  EXPECT_EQ(LexoraF->LexoraNames->count(), 1);

  // Nothing the user sees at start shows it.
  MainForm->show();
  ProselF->Show();
  EXPECT_FALSE(LexoraF->isVisible());
}
