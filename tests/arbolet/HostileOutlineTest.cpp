#include "arbolet/ArboletU.h"
#include "outline/OutlineTree.h"
#include "platform/Paths.h"
#include "support/HostileOutlines.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <QFile>
#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

TEST(HostileOutline, TheNotebookOpensEveryBadFileOrRefusesItAndGoesOnWorking) {
  TempDir dir;
  // The notebook opens on its guide at start; a small one keeps this about the bad files.
  QFile guide(AppDir() + "myinfo.txt");
  ASSERT_TRUE(guide.open(QIODevice::WriteOnly));
  guide.write("Guide\r\n\t<p>page</p>\r\n");
  guide.close();
  TArboletF *window = OpenToolWindow(ArboletF);
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
    EXPECT_EQ(window->tree().topLevelCount(), before + 1) << bad.name;
  }
}
