#include "kelpwood/KelpwoodU.h"
#include "outline/OutlineTree.h"
#include "support/HostileOutlines.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

TEST(HostileOutline, TheDatabaseOpensEveryBadFileOrRefusesItAndGoesOnWorking) {
  TKelpwoodF *window = OpenToolWindow(KelpwoodF);
  TempDir dir;
  for (const HostileOutline &bad : HostileOutlines()) {
    const QString path = dir.write(QString::fromLatin1(bad.name), bad.bytes);
    OpeningDialogs dialogs(path);
    window->commands().action("Open1")->trigger();
    // The node added after the last file makes the window ask about saving first.
    for (const QString &entry : dialogs.log)
      EXPECT_TRUE(entry.startsWith("error: ") || entry.startsWith("askSave: "))
          << bad.name << ": " << entry.toStdString();
    const qsizetype before = window->tree().topLevelCount();
    window->NodeAdd1Click();
    EXPECT_GT(window->tree().topLevelCount(), before) << bad.name;
  }
}
