#include "core/TextFiles.h"
#include "platform/CommandLine.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "support/TestHelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::TempDir;

TEST(Paths, AppDirIsTheProgramDirectoryEndingInSlash) {
  OverrideAppDir(QString());
  EXPECT_EQ(AppDir(), QCoreApplication::applicationDirPath() + "/");
  EXPECT_EQ(AppDir() + "Corvana.hlp", QCoreApplication::applicationDirPath() + "/Corvana.hlp");
  OverrideSettingsFilePath(QString());
  EXPECT_EQ(SettingsFilePath(), QCoreApplication::applicationFilePath() + ".ini");
}

TEST(Paths, NamePartsAndExtensions) {
  EXPECT_EQ(ExtractFileName("/a/b/page.htm"), "page.htm");
  EXPECT_EQ(ExtractFileName("page.htm"), "page.htm");
  EXPECT_EQ(ExtractFilePath("/a/b/page.htm"), "/a/b/");
  EXPECT_EQ(ExtractFilePath("page.htm"), "");
  EXPECT_EQ(UpperFileExt("/a/b/Page.Jpeg"), ".JPEG");
  EXPECT_EQ(ExtractFileExt("/a.dir/noext"), "");
  EXPECT_EQ(ExtractFileExt("/a/.hidden"), ".hidden");
  EXPECT_EQ(ChangeFileExt("/a/Corvana8", ".ini"), "/a/Corvana8.ini");
  EXPECT_EQ(ChangeFileExt("/a.b/x.exe", ".ini"), "/a.b/x.ini");
  EXPECT_EQ(ChangeFileExt("/a/x.htm", ""), "/a/x");
}

TEST(TextFiles, SplitLinesAcceptsEveryLineEnd) {
  EXPECT_EQ(SplitLines("a\r\nb\nc\rd"), (QStringList{"a", "b", "c", "d"}));
  EXPECT_EQ(SplitLines("a\r\n"), QStringList{"a"});
  EXPECT_EQ(SplitLines("a\n\nb"), (QStringList{"a", "", "b"}));
  EXPECT_EQ(SplitLines("\r\r\n"), (QStringList{"", ""}));
  EXPECT_EQ(SplitLines(""), QStringList{});
  // Carriage returns on their own, at a segment's end and before a CR LF.
  EXPECT_EQ(SplitLines("a\r"), QStringList{"a"});
  EXPECT_EQ(SplitLines("\n"), QStringList{""});
  EXPECT_EQ(SplitLines("a\rb\r\n"), (QStringList{"a", "b"}));
  EXPECT_EQ(SplitLines("a\r\r\nb\r"), (QStringList{"a", "", "b"}));
  EXPECT_EQ(SplitLines("\r\n\r\n x "), (QStringList{"", "", " x "}));
  EXPECT_EQ(DetectLineEnding("x\ny\r\n"), LineEnding::Lf);
  EXPECT_EQ(DetectLineEnding("x\ry"), LineEnding::Cr);
  EXPECT_EQ(DetectLineEnding("x\r\ny"), LineEnding::CrLf);
  EXPECT_EQ(DetectLineEnding("none"), LineEnding::CrLf);
}

TEST(TextFiles, WriteLinesEndsEachLineWithCrLfAndReadsBack) {
  TempDir dir;
  const QString path = dir.path("l.txt");
  WriteLines(path, {"één", "", "x"});
  EXPECT_EQ(dir.read("l.txt"), QByteArray("\xc3\xa9\xc3\xa9n\r\n\r\nx\r\n"));
  EXPECT_EQ(ReadLines(path), (QStringList{"één", "", "x"}));
  WriteLines(path, {"a"}, LineEnding::Lf);
  EXPECT_EQ(dir.read("l.txt"), QByteArray("a\n"));
}

TEST(TextFiles, FailuresRaiseTheFileMessages) {
  TempDir dir;
  try {
    ReadLines(dir.path("missing.txt"));
    FAIL();
  } catch (const Error &e) {
    EXPECT_EQ(e.message(), "Cannot open file " + dir.path("missing.txt"));
  }
  const QString target = dir.path("no/such/dir/x.txt");
  try {
    WriteLines(target, {"a"});
    FAIL();
  } catch (const Error &e) {
    EXPECT_EQ(e.message(), "Cannot create file " + target);
  }
}

TEST(CommandLine, TestsCanSetTheArguments) {
  SetCommandLineArguments({"/tmp/page.htm", "/D/tmp"});
  EXPECT_EQ(ParamCount(), 2);
  EXPECT_EQ(ParamStr(1), "/tmp/page.htm");
  EXPECT_EQ(ParamStr(3), "");
  EXPECT_EQ(ParamStr(0), "");
  SetCommandLineArguments({});
  EXPECT_EQ(ParamCount(), 0);
}
