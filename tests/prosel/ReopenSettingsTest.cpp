#include "platform/IniFile.h"
#include "prosel/ProselSettings.h"
#include "prosel/ReopenList.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::TempDir;

namespace {

ReopenList listOf(const QStringList &paths) {
  ReopenList list;
  for (int i = paths.size() - 1; i >= 0; --i)
    list.Take(paths[i]);
  return list;
}

QStringList pathsOf(const ReopenList &list) {
  QStringList paths;
  for (int i = 0; i < ReopenList::Count; ++i)
    paths.append(list.path(i));
  return paths;
}

} // namespace

TEST(ReopenList, TakingShiftsDownAndKeepsDuplicates) {
  ReopenList list = listOf({"A", "B", "C", "D", "E"});
  EXPECT_EQ(list.captions(), (QStringList{"&1 A", "&2 B", "&3 C", "&4 D", "&5 E"}));
  list.Take("F");
  EXPECT_EQ(pathsOf(list), (QStringList{"F", "A", "B", "C", "D"}));
  list.Take(list.path(3)); // choosing the entry "C" again
  EXPECT_EQ(pathsOf(list), (QStringList{"C", "F", "A", "B", "C"}));
}

TEST(ReopenList, DesignedCaptionsHaveNoPath) {
  ReopenList list;
  EXPECT_EQ(list.captions(), (QStringList{"&1", "&2", "&3", "&4", "&5"}));
  EXPECT_EQ(list.path(1), "");
  list.Take("/site/index.htm");
  EXPECT_EQ(list.captions(), (QStringList{"&1 /site/index.htm", "&2 ", "&3 ", "&4 ", "&5 "}));
  EXPECT_EQ(ReopenList::PathOf("&2 /a b/c.htm"), "/a b/c.htm");
}

TEST(ProselSettings, WithoutAFileEverythingIsShownInRichText) {
  const ProselSettings s = ProselSettings::Read(IniFile(QString()));
  EXPECT_TRUE(s.tags);
  EXPECT_TRUE(s.files);
  EXPECT_TRUE(s.styles);
  EXPECT_TRUE(s.richText);
  EXPECT_EQ(s.fontName, "MS Sans Serif");
  EXPECT_EQ(s.fontSize, 8);
  EXPECT_EQ(s.reopen.captions(), (QStringList{"&1", "&2", "&3", "&4", "&5"}));
}

TEST(ProselSettings, AnythingButYesIsNoAndABadSizeIsEight) {
  TempDir dir;
  const QString path = dir.write("c.ini", "[ProselView]\r\nTags=Yes\r\nFiles=no\r\nStyles=1\r\nRichText=\r\n"
                                          "FontSize=big\r\nFontName=Courier New\r\n[ProselFiles]\r\n2=&2\r\n");
  const ProselSettings s = ProselSettings::Read(IniFile(path));
  EXPECT_FALSE(s.tags);
  EXPECT_FALSE(s.files);
  EXPECT_FALSE(s.styles);
  EXPECT_FALSE(s.richText);
  EXPECT_EQ(s.fontSize, 8);
  EXPECT_EQ(s.fontName, "Courier New");
  EXPECT_EQ(s.reopen.path(1), "");
}

TEST(ProselSettings, WrittenFileIsExactAndReadsBack) {
  TempDir dir;
  ProselSettings s;
  s.files = false;
  s.richText = false;
  s.fontName = "Courier New";
  s.fontSize = 12;
  s.reopen = listOf({"/w/b.htm", "/w/a.htm"});
  IniFile ini(dir.path("Corvana8.ini"));
  s.Write(ini);
  ini.UpdateFile();
  EXPECT_EQ(dir.read("Corvana8.ini"), QByteArray("[ProselView]\r\nTags=yes\r\nFiles=no\r\nStyles=yes\r\nRichText=no\r\n"
                                                 "FontName=Courier New\r\nFontSize=12\r\n\r\n[ProselFiles]\r\n"
                                                 "1=&1 /w/b.htm\r\n2=&2 /w/a.htm\r\n3=&3 \r\n4=&4 \r\n5=&5 \r\n"));
  const ProselSettings back = ProselSettings::Read(IniFile(dir.path("Corvana8.ini")));
  EXPECT_EQ(pathsOf(back.reopen), pathsOf(s.reopen)); // "&3 " reads back as "&3": no path either way
  EXPECT_FALSE(back.files);
  EXPECT_EQ(back.fontSize, 12);
}
