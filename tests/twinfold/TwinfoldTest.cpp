#include "controls/FileChain.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"
#include "twinfold/TwinfoldU.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

namespace {

class Twinfold : public testing::Test {
protected:
  TempDir dir;
  ScriptedDialogs dialogs;
  TTwinfoldF *window = OpenToolWindow(TwinfoldF);
  QString left = dir.path("left"), right = dir.path("right");

  void SetUp() override {
    for (const char *name : {"left/a.txt", "left/b.txt", "left/c.txt", "right/b.txt"})
      dir.write(name, QByteArray(name));
    window->fmdira->setDirectory(left);
    window->fmdirb->setDirectory(right);
  }
  void select(FileListBox *list, QStringList names) {
    list->clearSelection();
    for (const QString &name : names)
      list->setSelected(int(list->items().indexOf(name)), true);
  }
  void run(QWidget *component, const char *command) {
    window->PopupComponent = component;
    window->commands().action(command)->trigger();
  }
};

TEST_F(Twinfold, TwoPanesOfFourLinkedControlsWithTheirMenus) {
  EXPECT_EQ(window->windowTitle(), "Twinfold 2");
  for (const char *name : {"fmdrivea", "fmfiltera", "fmdira", "fmfilea", "fmdriveb", "fmfilterb", "fmdirb", "fmfileb"})
    EXPECT_NE(window->findChild<QWidget *>(name), nullptr) << name;
  EXPECT_EQ(window->fmfilea->parentWidget()->width(), 250);
  EXPECT_EQ(window->fmfiltera->itemText(3), "HTML");
  EXPECT_EQ(window->fmfilea->palette().color(QPalette::Base), QColor(0xC0, 0xC0, 0xC0));
  EXPECT_EQ(menuCaptions(window->commands().menu("dirs")), (QStringList{"&Make Directory", "&Delete Directory"}));
  EXPECT_EQ(menuCaptions(window->commands().menu("files")),
            (QStringList{"&Copy Files", "&Delete Files", "&Rename File"}));
  EXPECT_EQ(window->fmfilea->items(), (QStringList{"a.txt", "b.txt", "c.txt"}));
}

TEST_F(Twinfold, CopyFilesCopiesTheSelectionToTheOtherPaneAndKeepsWhatIsThere) {
  select(window->fmfilea, {"a.txt", "b.txt", "c.txt"});
  run(window->fmfilea, "CopyFiles1");
  EXPECT_EQ(window->fmfileb->items(), (QStringList{"a.txt", "b.txt", "c.txt"}));
  EXPECT_EQ(dir.read("right/b.txt"), "right/b.txt");
  EXPECT_EQ(dir.read("right/c.txt"), "left/c.txt");
  EXPECT_EQ(dialogs.progressTitles(), QStringList{"Copying files"});

  // From B to A the other way round.
  dir.write("right/d.txt", "d");
  window->fmfileb->Update();
  select(window->fmfileb, {"d.txt"});
  run(window->fmfileb, "CopyFiles1");
  EXPECT_TRUE(window->fmfilea->items().contains("d.txt"));
}

TEST_F(Twinfold, ACancelledCopyLeavesNothingHalfWritten) {
  dir.write("left/big.bin", QByteArray(4 << 20, 'b'));
  window->fmfilea->Update();
  select(window->fmfilea, {"big.bin"});
  dialogs.cancelProgressAt(2);
  run(window->fmfilea, "CopyFiles1");
  EXPECT_EQ(QDir(right).entryList(QDir::Files | QDir::Hidden), QStringList{"b.txt"});
}

TEST_F(Twinfold, DeleteFilesAsksWithTheCountEvenWhenItIsNought) {
  window->fmfilea->clearSelection();
  dialogs.expectConfirm(true, "Delete 0 files?");
  run(window->fmfilea, "DeleteFiles1");
  EXPECT_EQ(window->fmfilea->count(), 3);

  select(window->fmfilea, {"a.txt", "c.txt"});
  dialogs.expectConfirm(false, "Delete 2 files?");
  run(window->fmfilea, "DeleteFiles1");
  EXPECT_EQ(window->fmfilea->count(), 3);
  dialogs.expectConfirm(true, "Delete 2 files?");
  run(window->fmfilea, "DeleteFiles1");
  EXPECT_EQ(window->fmfilea->items(), QStringList{"b.txt"});
}

TEST_F(Twinfold, DirectoriesAreMadeAndRemovedInThePaneTheMenuWasOpenedOn) {
  dialogs.expectInput("new", "New Directory");
  run(window->fmdirb, "MakeDirectory1");
  EXPECT_TRUE(QDir(right + "/new").exists());
  const QList<QListWidgetItem *> made = window->fmdirb->findItems("new", Qt::MatchExactly);
  ASSERT_EQ(made.size(), 1);
  const int row = window->fmdirb->row(made[0]);
  ASSERT_GE(row, 0);
  dialogs.expectInputCancel("New Directory");
  run(window->fmdirb, "MakeDirectory1");

  window->fmdirb->setCurrentRow(row);
  run(window->fmdirb, "DeleteDirectory1");
  EXPECT_FALSE(QDir(right + "/new").exists());
  EXPECT_TRUE(window->fmdirb->findItems("new", Qt::MatchExactly).isEmpty());
  EXPECT_EQ(window->fmdira->Directory(), left);
}

TEST_F(Twinfold, RenameFileGivesTheCurrentFileANewNameOrMovesItIntoASubdirectory) {
  QDir(left).mkdir("sub");
  window->fmfilea->setCurrentIndex(window->fmfilea->model()->index(0, 0));
  dialogs.expectInput("sub/moved.txt", "New File Name:");
  run(window->fmfilea, "RenameFile1");
  EXPECT_EQ(dir.read("left/sub/moved.txt"), "left/a.txt");
  EXPECT_EQ(window->fmfilea->items(), (QStringList{"b.txt", "c.txt"}));
  window->fmfilea->setCurrentIndex(window->fmfilea->model()->index(0, 0));
  dialogs.expectInput("c.txt", "New File Name:");
  run(window->fmfilea, "RenameFile1");
  EXPECT_EQ(dir.read("left/b.txt"), "left/b.txt");
  EXPECT_EQ(dir.read("left/c.txt"), "left/c.txt");
}

TEST_F(Twinfold, ADropCopiesOnlyWhenItComesFromTheOtherPane) {
  select(window->fmfilea, {"a.txt"});
  window->FileListDragDrop(window->fmfilea, window->fmfilea);
  EXPECT_EQ(window->fmfileb->items(), QStringList{"b.txt"});
  window->FileListDragDrop(window->fmfileb, window->fmfilea);
  EXPECT_EQ(window->fmfileb->items(), (QStringList{"a.txt", "b.txt"}));
}

} // namespace
