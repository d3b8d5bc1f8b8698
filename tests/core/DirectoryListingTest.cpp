#include "core/DirectoryListing.h"
#include "support/TestHelpers.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::TempDir;

namespace {

TEST(DirectoryListing, FilesMatchTheMaskWithoutRegardToCaseAndSortAsPeopleRead) {
  TempDir dir;
  for (const char *name : {"b.HTM", "a.htm", "C.html", "notes", ".hidden.htm", "pic.jpg", "A.htm"})
    dir.write(name, "x");
  QDir(dir.path()).mkdir("sub.htm");
  QFile::link(dir.path("pic.jpg"), dir.path("link.htm"));

  EXPECT_EQ(ListFiles(dir.path(), "*.htm;*.html"), (QStringList{"A.htm", "a.htm", "b.HTM", "C.html", "link.htm"}));
  // "*.*" is every name, those without a dot too, as the desktop's masks mean it.
  EXPECT_EQ(ListFiles(dir.path(), "*.*").size(), 7);
  EXPECT_TRUE(ListFiles(dir.path(), "*.*").contains("notes"));
  EXPECT_EQ(ListFiles(dir.path(), "*.gif"), QStringList{});
  EXPECT_EQ(ListSubdirectories(dir.path()), QStringList{"sub.htm"});
  EXPECT_TRUE(ListFiles(dir.path("missing")).isEmpty());
}

TEST(DirectoryListing, PathsJoinWithoutADoubledSeparator) {
  EXPECT_EQ(JoinPath("/", "new"), "/new");
  EXPECT_EQ(JoinPath("/home/ann/", "new"), "/home/ann/new");
  EXPECT_EQ(JoinPath("/home/ann", "new"), "/home/ann/new");
  EXPECT_EQ(PathSteps("/home//ann/site/"), (QStringList{"/", "/home", "/home/ann", "/home/ann/site"}));
  EXPECT_EQ(PathSteps("/"), QStringList{"/"});
  EXPECT_EQ(MaskPatterns(" *.htm ; *.html;;"), (QStringList{"*.htm", "*.html"}));
  EXPECT_TRUE(MatchesMask("Index.HTML", MaskPatterns("*.htm;*.html")));
  EXPECT_FALSE(MatchesMask("index.html.bak", MaskPatterns("*.htm;*.html")));
}

} // namespace
