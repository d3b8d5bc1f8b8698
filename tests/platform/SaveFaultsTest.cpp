#include "support/SaveFaults.h"
#include "core/TextFiles.h"
#include "platform/IniFile.h"
#include "support/TestHelpers.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

namespace {

// The settings file and the editors' plain-text saves, onto a disk that fills mid-write.
TEST(TextSaveFaults, ADiskThatFillsLeavesTheOldFileAndRaisesTheError) {
  TempDir dir;
  const QString settings = dir.write("Corvana8.ini", "[Prosel]\r\nWordWrap=no\r\n");
  IniFile ini(settings);
  ini.WriteString("Prosel", "Font", "a font name long enough to pass the limit");
  EXPECT_EQ(SaveWithDiskFull([&] { ini.UpdateFile(); }, 24), SaveOutcome::ErrorRaised);
  EXPECT_EQ(dir.read("Corvana8.ini"), "[Prosel]\r\nWordWrap=no\r\n");

  const QString page = dir.write("page.htm", "<p>old</p>\r\n");
  EXPECT_EQ(SaveWithDiskFull(
                [&] {
                  TextFileFormat format;
                  WriteEditorText(page, "<p>new text, longer than the room left</p>\n", format);
                },
                8),
            SaveOutcome::ErrorRaised);
  EXPECT_EQ(dir.read("page.htm"), "<p>old</p>\r\n");
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), (QStringList{"Corvana8.ini", "page.htm"}));
}

} // namespace
