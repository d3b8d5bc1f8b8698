#include "lexora/LexoraSettings.h"
#include "platform/IniFile.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::TempDir;

TEST(LexoraSettings, DefaultsWithoutASettingsFile) {
  TempDir dir;
  const LexoraSettings s = LexoraSettings::Read(IniFile(dir.path("none.ini")));
  EXPECT_EQ(QString("%1 %2 %3 %4 %5 %6")
                .arg(s.printerFontName)
                .arg(s.printerFontSize)
                .arg(s.editorFontName)
                .arg(s.editorFontSize)
                .arg(s.wordwrap)
                .arg(s.files.size()),
            "Arial 12 MS Sans Serif 8 1 0");
}

TEST(LexoraSettings, ReadsJunkAsTheDefaultsAndFilesInFileOrder) {
  TempDir dir;
  const QString path = dir.write("c.ini", "[LexoraSettings]\r\nPrinterFontSize=big\r\nEditorFontSize=\r\n"
                                          "Wordwrap=Yes\r\nEditorFontName=Courier New\r\n"
                                          "[LexoraFiles]\r\nFile2=/c.txt\r\nFile0=/a.txt\r\nOther=/b.txt\r\n"
                                          "File1=\r\n");
  const LexoraSettings s = LexoraSettings::Read(IniFile(path));
  EXPECT_EQ(s.printerFontSize, 12);
  EXPECT_EQ(s.editorFontSize, 8);
  EXPECT_FALSE(s.wordwrap) << "only exactly \"yes\" is yes";
  EXPECT_EQ(s.editorFontName, "Courier New");
  EXPECT_EQ(s.files, (QStringList{"/c.txt", "/a.txt", "/b.txt"}));
}

TEST(LexoraSettings, RoundTripKeepsAtMost31FilesAndDropsOldKeys) {
  TempDir dir;
  const QString path = dir.write("c.ini", "[LexoraFiles]\r\nFile40=/stale.txt\r\nOther=/old.txt\r\n"
                                          "[ProselView]\r\nTags=no\r\n");
  LexoraSettings s;
  s.printerFontName = "Courier New";
  s.printerFontSize = 10;
  s.editorFontName = "Arial";
  s.editorFontSize = 14;
  s.wordwrap = false;
  for (int i = 0; i < 35; ++i)
    s.files.append(QString("/docs/f%1.txt").arg(i));
  {
    IniFile ini(path);
    s.Write(ini);
    ini.UpdateFile();
  }
  IniFile ini(path);
  EXPECT_EQ(ini.ReadString("LexoraSettings", "Wordwrap", ""), "no");
  EXPECT_EQ(ini.ReadString("LexoraFiles", "File30", ""), "/docs/f30.txt");
  EXPECT_FALSE(ini.ValueExists("LexoraFiles", "File31"));
  EXPECT_FALSE(ini.ValueExists("LexoraFiles", "File40"));
  EXPECT_EQ(ini.ReadString("ProselView", "Tags", ""), "no") << "other sections stay";
  const LexoraSettings back = LexoraSettings::Read(ini);
  LexoraSettings expected = s;
  expected.files = s.files.mid(0, 31);
  EXPECT_EQ(back, expected);
}

TEST(RecentFiles, TakeMoveAndShow) {
  RecentFiles recent({"/a", "/b"});
  EXPECT_EQ(recent.Take("/c"), 0);
  EXPECT_EQ(recent.paths(), (QStringList{"/c", "/a", "/b"}));
  EXPECT_EQ(recent.Take("/b"), 2) << "already listed: only selected";
  EXPECT_EQ(recent.paths(), (QStringList{"/c", "/a", "/b"}));
  EXPECT_EQ(recent.MoveToTop(2), 0);
  EXPECT_EQ(recent.paths(), (QStringList{"/b", "/c", "/a"}));
  EXPECT_EQ(recent.MoveToTop(7), 0);
  EXPECT_EQ(recent.paths(), (QStringList{"/b", "/c", "/a"}));

  // Only the first 30 entries count; the list is not trimmed.
  QStringList many;
  for (int i = 0; i < 32; ++i)
    many.append(QString("/f%1").arg(i));
  RecentFiles full(many);
  EXPECT_EQ(full.Take("/f29"), 29);
  EXPECT_EQ(full.count(), 32);
  EXPECT_EQ(full.Take("/f30"), 0);
  EXPECT_EQ(full.count(), 33);
  EXPECT_EQ(full.paths().first(), "/f30");

  EXPECT_EQ(RecentFiles::DisplayText("/home/u/a.htm", "/home/u/"), "a.htm");
  EXPECT_EQ(RecentFiles::DisplayText("/home/u/sub/a.htm", "/home/u/"), "/home/u/sub/a.htm");
  EXPECT_EQ(RecentFiles::DisplayText("/home/u/a.htm", ""), "/home/u/a.htm");
}
