#include "controls/FileChain.h"
#include "support/TestHelpers.h"

#include <QDir>
#include <QSignalSpy>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::TempDir;

namespace {

class FileChain : public testing::Test {
protected:
  TempDir dir;
  DriveComboBox drives;
  DirectoryListBox dirs;
  FilterComboBox filter;
  FileListBox files;
  void SetUp() override {
    for (const char *name : {"site/index.htm", "site/b.txt", "site/A.html", "site/pic.gif", "site/img/x.gif"})
      dir.write(name, "x");
    QDir(dir.path("site")).mkdir("css");
    drives.setDirList(&dirs);
    dirs.setFileList(&files);
    filter.setFileList(&files);
    filter.setFilter("All files (*.*)|*.*|HTML|*.htm;*.html|Graphic|*.bmp;*.jpg;*.gif");
  }
  QStringList dirItems() {
    QStringList items;
    for (int i = 0; i < dirs.count(); ++i)
      items.append(dirs.item(i)->text());
    return items;
  }
};

TEST_F(FileChain, TheDirectoryListShowsThePathThenItsSubdirectoriesAndDrivesTheFileList) {
  dirs.setDirectory(dir.path("site"));
  const QStringList items = dirItems();
  ASSERT_GE(items.size(), 4);
  EXPECT_EQ(items.first(), "/");
  EXPECT_EQ(items.mid(dirs.currentDirectoryIndex()), (QStringList{"site", "css", "img"}));
  EXPECT_EQ(dirs.currentRow(), dirs.currentDirectoryIndex());
  EXPECT_EQ(files.Directory(), dir.path("site"));
  EXPECT_EQ(files.items(), (QStringList{"A.html", "b.txt", "index.htm", "pic.gif"}));

  // Activating a subdirectory enters it; the file list follows.
  QSignalSpy changed(&dirs, &DirectoryListBox::directoryChanged);
  emit dirs.itemActivated(dirs.item(int(items.size()) - 1));
  EXPECT_EQ(dirs.Directory(), dir.path("site/img"));
  EXPECT_EQ(files.items(), QStringList{"x.gif"});
  EXPECT_EQ(changed.size(), 1);

  // A directory that is gone shows its nearest existing parent.
  dirs.setDirectory(dir.path("site/css/gone/deeper"));
  EXPECT_EQ(dirs.Directory(), dir.path("site/css"));
  EXPECT_EQ(DriveComboBox::Drives().first(), "/");
}

TEST_F(FileChain, TheFilterSetsTheMaskAndTheSelectionIsReadInListOrder) {
  dirs.setDirectory(dir.path("site"));
  filter.setCurrentIndex(1);
  EXPECT_EQ(files.Mask(), "*.htm;*.html");
  EXPECT_EQ(files.items(), (QStringList{"A.html", "index.htm"}));
  filter.setCurrentIndex(0);
  files.setSelected(3, true);
  files.setSelected(0, true);
  EXPECT_EQ(files.SelCount(), 2);
  EXPECT_TRUE(files.selected(3));
  EXPECT_FALSE(files.selected(1));
  EXPECT_EQ(files.selectedNames(), (QStringList{"A.html", "pic.gif"}));
  EXPECT_TRUE(files.FileName().isEmpty());
  files.setCurrentIndex(files.model()->index(2, 0));
  EXPECT_EQ(files.FileName(), dir.path("site/index.htm"));
}

TEST_F(FileChain, ADirectoryReadInTheBackgroundArrivesWhole) {
  for (int i = 0; i < 3000; ++i)
    dir.write(QString("many/f%1.txt").arg(i, 5, 10, QChar('0')), {});
  dirs.setDirectory(dir.path("site"));
  QSignalSpy listed(&files, &FileListBox::listed);
  const auto saved = FileListBox::ListingWait;
  FileListBox::ListingWait = std::chrono::milliseconds(0);
  files.setDirectory(dir.path("many"));
  FileListBox::ListingWait = saved;
  files.waitForListing();
  EXPECT_FALSE(files.isListing());
  EXPECT_EQ(files.count(), 3000);
  EXPECT_EQ(files.items().first(), "f00000.txt");
  EXPECT_EQ(files.items().last(), "f02999.txt");
  EXPECT_EQ(listed.size(), 1);
}

} // namespace
