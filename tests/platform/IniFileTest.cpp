#include "platform/IniFile.h"
#include "platform/Errors.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::TempDir;

TEST(IniFile, ReadsSectionsAndKeysWithoutRegardToCase) {
  TempDir dir;
  const QString path =
      dir.write("a.ini", "[ProselView]\r\nWordWrap=yes\r\nLeft = 12 \r\n[ProselFiles]\nFile1=/x/a.htm\n");
  const IniFile ini(path);
  EXPECT_EQ(ini.ReadString("proselview", "WORDWRAP", "?"), "yes");
  EXPECT_EQ(ini.ReadInteger("ProselView", "left", -1), 12);
  EXPECT_EQ(ini.ReadString("ProselFiles", "File1", ""), "/x/a.htm");
  EXPECT_EQ(ini.ReadString("ProselFiles", "File2", "none"), "none");
  EXPECT_EQ(ini.ReadString("Missing", "File1", "d"), "d");
  EXPECT_EQ(ini.ReadSections(), (QStringList{"ProselView", "ProselFiles"}));
  EXPECT_EQ(ini.ReadSection("PROSELVIEW"), (QStringList{"WordWrap", "Left"}));
}

TEST(IniFile, YesOnlyWhenExactlyYes) {
  IniFile ini(QString{});
  ini.WriteString("S", "a", "yes");
  ini.WriteString("S", "b", "Yes");
  ini.WriteString("S", "c", "1");
  EXPECT_TRUE(ini.ReadYesNo("S", "a", false));
  EXPECT_FALSE(ini.ReadYesNo("S", "b", true));
  EXPECT_FALSE(ini.ReadYesNo("S", "c", true));
  EXPECT_TRUE(ini.ReadYesNo("S", "missing", true));
  ini.WriteYesNo("S", "d", false);
  EXPECT_EQ(ini.ReadString("S", "d", ""), "no");
}

TEST(IniFile, IntegerFallsBackWhenNotANumber) {
  IniFile ini(QString{});
  ini.WriteString("S", "n", "12px");
  ini.WriteString("S", "m", "-7");
  EXPECT_EQ(ini.ReadInteger("S", "n", 5), 5);
  EXPECT_EQ(ini.ReadInteger("S", "m", 5), -7);
  ini.WriteInteger("S", "n", 42);
  EXPECT_EQ(ini.ReadInteger("S", "n", 5), 42);
}

TEST(IniFile, RewriteKeepsOrderJunkAndCommentsAndUsesCrLf) {
  TempDir dir;
  const QByteArray original = "; settings\n[B]\nx=1\njunk line without equals\n\n[A]\ny=2\n";
  const QString path = dir.write("a.ini", original);
  IniFile ini(path);
  ini.WriteString("a", "Y", "3"); // existing key, other case
  ini.WriteString("B", "z", "new");
  ini.WriteString("C", "w", "v");
  ini.UpdateFile();
  EXPECT_EQ(dir.read("a.ini"), QByteArray("; settings\r\n[B]\r\nx=1\r\njunk line without equals\r\nz=new\r\n\r\n[A]\r\n"
                                          "y=3\r\n\r\n[C]\r\nw=v\r\n"));
  EXPECT_FALSE(ini.modified());
  EXPECT_EQ(IniFile(path).ReadString("c", "W", ""), "v");
}

// A settings file is written back at every close: each save of a CR LF file must give it back
// line for line, or blank lines would pile up.
TEST(IniFile, ACrLfFileChangedAndSavedKeepsItsLines) {
  TempDir dir;
  const QByteArray original = "[ProselView]\r\nTags=yes\r\nFiles=no\r\n\r\n[ProselFiles]\r\n1=&1 /a.htm\r\n";
  const QString path = dir.write("a.ini", original);
  for (int round = 0; round < 3; ++round) {
    IniFile ini(path);
    EXPECT_EQ(ini.ReadSection("ProselView"), (QStringList{"Tags", "Files"}));
    ini.WriteYesNo("ProselView", "Files", round % 2 == 0);
    ini.UpdateFile();
  }
  EXPECT_EQ(dir.read("a.ini"), QByteArray(original).replace("Files=no", "Files=yes"));
}

TEST(IniFile, DuplicateKeysFirstWinsAndWriteChangesTheFirst) {
  TempDir dir;
  const QString path = dir.write("d.ini", "[S]\nk=first\nk=second\n[S]\nk=third\nj=4\n");
  IniFile dup(path);
  EXPECT_EQ(dup.ReadString("S", "k", ""), "first");
  EXPECT_EQ(dup.ReadString("S", "j", ""), "4"); // a repeated section is still searched
  dup.WriteString("S", "k", "changed");
  EXPECT_EQ(dup.toBytes(), QByteArray("[S]\r\nk=changed\r\nk=second\r\n[S]\r\nk=third\r\nj=4\r\n"));
  dup.DeleteKey("S", "k");
  EXPECT_FALSE(dup.ValueExists("S", "k"));
  dup.EraseSection("s");
  EXPECT_FALSE(dup.SectionExists("S"));
}

TEST(IniFile, JunkAndBinaryLoadWhatTheyCanAndSurviveARewrite) {
  TempDir dir;
  QByteArray blob("[S]\nk=v\n=novalue\n[broken\n");
  for (int i = 0; i < 256; ++i)
    blob += char(i);
  blob += "\nafter=1\n";
  const QString path = dir.write("junk.ini", blob);
  IniFile ini(path);
  EXPECT_EQ(ini.ReadString("S", "k", ""), "v");
  EXPECT_EQ(ini.ReadString("S", "after", ""), "1");
  ini.WriteString("S", "k", "w");
  ini.UpdateFile();
  const QByteArray written = dir.read("junk.ini");
  // The binary line went back out byte for byte.
  QByteArray binaryLine;
  for (int i = 0; i < 256; ++i)
    if (i != '\n' && i != '\r')
      binaryLine += char(i);
  EXPECT_TRUE(written.contains(binaryLine.left(10))) << "bytes before the first CR kept";
  EXPECT_TRUE(written.contains("k=w\r\n=novalue\r\n[broken\r\n"));
}

TEST(IniFile, UnwritableFileRaisesCannotCreateAndStaysModified) {
  TempDir dir;
  const QString path = dir.path("sub"); // a directory cannot be written as a file
  QDir().mkpath(path);
  IniFile ini(path);
  ini.WriteString("S", "k", "v");
  try {
    ini.UpdateFile();
    FAIL() << "no error";
  } catch (const Error &e) {
    EXPECT_EQ(e.message(), "Cannot create file " + path);
  }
  EXPECT_TRUE(ini.modified());
  EXPECT_EQ(ini.ReadString("S", "k", ""), "v");

  // Saved from a command, the failure reaches the error box once and the program goes on.
  corvana::test::ScriptedDialogs dialogs;
  dialogs.expectError("Cannot create file " + path);
  EXPECT_FALSE(guarded([&] {
    ini.WriteString("S", "k2", "v2");
    ini.UpdateFile();
  }));
}
