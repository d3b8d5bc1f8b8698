// Where the program keeps its data files and settings: beside itself when it may write there,
// and in the user's data folder, seeded from its own, when it is installed read-only.

#include "platform/Paths.h"
#include "support/TestHelpers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::TempDir;

namespace {

QStringList filesIn(const QString &folder) { return QDir(folder).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

QByteArray contents(const QString &path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

// An installed copy: the program and its data files in a folder nobody may write to, and a
// user whose data folder does not exist yet.
class InstalledCopy : public testing::Test {
protected:
  void SetUp() override {
    programFolder = dir.path("usr/lib/corvana") + u'/';
    programFile = programFolder + QStringLiteral("Corvana8");
    userFolder = dir.path("home/.local/share/corvana") + u'/';
    dir.write("usr/lib/corvana/Corvana8", "\x7f"
                                          "ELF program");
    QFile::setPermissions(programFile,
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
    for (const char *name : {"HTMLTags.txt", "Lexora.txt", "myinfo.txt", "Corvana.hlp"}) {
      dir.write(QStringLiteral("usr/lib/corvana/") + QLatin1String(name), QByteArray("shipped ") + name);
      QFile::setPermissions(programFolder + QLatin1String(name), QFile::ReadOwner | QFile::ReadOther);
    }
    setProgramFolderWritable(false);
  }
  void TearDown() override { setProgramFolderWritable(true); }
  void setProgramFolderWritable(bool writable) {
    QFile::Permissions permissions = QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;
    if (writable)
      permissions |= QFile::WriteOwner;
    QFile::setPermissions(programFolder, permissions);
  }

  TempDir dir;
  QString programFolder, programFile, userFolder;
};

} // namespace

TEST(ProgramPlace, AWritableProgramFolderKeepsDataAndSettingsBesideTheProgram) {
  const ProgramPlace place = DecideProgramPlace("/opt/corvana/Corvana8", true, "/home/u/.local/share/corvana");
  EXPECT_EQ(place.appDir, "/opt/corvana/");
  EXPECT_EQ(place.settingsFile, "/opt/corvana/Corvana8.ini");
  EXPECT_FALSE(place.perUser);
}

TEST(ProgramPlace, AReadOnlyProgramFolderMovesDataAndSettingsToTheUsersFolder) {
  const ProgramPlace place = DecideProgramPlace("/usr/lib/corvana/Corvana8", false, "/home/u/.local/share/corvana");
  EXPECT_EQ(place.appDir, "/home/u/.local/share/corvana/");
  EXPECT_EQ(place.settingsFile, "/home/u/.local/share/corvana/Corvana8.ini");
  EXPECT_TRUE(place.perUser);
}

TEST(ProgramPlace, TheUsersFolderFollowsXdgDataHome) {
  const QByteArray saved = qgetenv("XDG_DATA_HOME");
  qputenv("XDG_DATA_HOME", "/srv/people/ann/data");
  EXPECT_EQ(UserDataFolder(), "/srv/people/ann/data/corvana/");
  qunsetenv("XDG_DATA_HOME");
  EXPECT_EQ(UserDataFolder(), QDir::homePath() + "/.local/share/corvana/");
  if (!saved.isNull())
    qputenv("XDG_DATA_HOME", saved);
}

TEST(ProgramPlace, TheWriteProbeAnswersFromARealAttemptAndLeavesNothingBehind) {
  TempDir dir;
  EXPECT_TRUE(CanCreateFilesIn(dir.path()));
  EXPECT_EQ(filesIn(dir.path()), QStringList{});
  // Not even root may create files here.
  EXPECT_FALSE(CanCreateFilesIn("/proc/"));
  EXPECT_FALSE(CanCreateFilesIn(dir.path("missing")));
  // Permission bits alone do not decide: root writes into a read-only folder, others may not.
  const QString locked = dir.path("locked");
  QDir().mkpath(locked);
  QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
  QFile attempt(locked + "/attempt");
  const bool reallyWritable = attempt.open(QIODevice::WriteOnly);
  attempt.remove();
  EXPECT_EQ(CanCreateFilesIn(locked), reallyWritable);
  QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

TEST_F(InstalledCopy, FirstStartCreatesTheUsersFolderAndSeedsItWithTheShippedData) {
  const ProgramPlace place = PrepareProgramPlace(programFile, false, userFolder);
  EXPECT_TRUE(place.perUser);
  EXPECT_EQ(place.appDir, userFolder);
  EXPECT_EQ(place.settingsFile, userFolder + "Corvana8.ini");
  // Data files only: the program is not copied, and no settings exist until they are written.
  EXPECT_EQ(filesIn(userFolder), (QStringList{"Corvana.hlp", "HTMLTags.txt", "Lexora.txt", "myinfo.txt"}));
  EXPECT_EQ(contents(userFolder + "myinfo.txt"), "shipped myinfo.txt");
  // Copies of read-only installed files must be the user's to change.
  EXPECT_TRUE(QFileInfo(userFolder + "myinfo.txt").permissions().testFlag(QFile::WriteOwner));
  EXPECT_EQ(filesIn(programFolder),
            (QStringList{"Corvana.hlp", "Corvana8", "HTMLTags.txt", "Lexora.txt", "myinfo.txt"}));
}

TEST_F(InstalledCopy, SeedingNeverReplacesTheUsersCopyButAddsNewlyShippedFiles) {
  dir.write("home/.local/share/corvana/myinfo.txt", "my own notes");
  EXPECT_EQ(SeedUserFolder(programFolder, userFolder), (QStringList{"Corvana.hlp", "HTMLTags.txt", "Lexora.txt"}));
  EXPECT_EQ(contents(userFolder + "myinfo.txt"), "my own notes");
  EXPECT_EQ(SeedUserFolder(programFolder, userFolder), QStringList{});
  // An update ships a new file: the next start copies it and still keeps the user's notes.
  setProgramFolderWritable(true);
  dir.write("usr/lib/corvana/TreeTags.txt", "shipped TreeTags.txt");
  setProgramFolderWritable(false);
  EXPECT_EQ(SeedUserFolder(programFolder, userFolder), QStringList{"TreeTags.txt"});
  EXPECT_EQ(contents(userFolder + "myinfo.txt"), "my own notes");
}

TEST_F(InstalledCopy, AWritableCopyLeavesTheUsersFolderAlone) {
  setProgramFolderWritable(true);
  const ProgramPlace place = PrepareProgramPlace(programFile, true, userFolder);
  EXPECT_EQ(place.appDir, programFolder);
  EXPECT_EQ(place.settingsFile, programFolder + "Corvana8.ini");
  EXPECT_FALSE(QFileInfo::exists(userFolder));
}

TEST_F(InstalledCopy, AppDirAndTheSettingsFileAnswerFromThePlaceInUse) {
  OverrideAppDir(QString());
  OverrideSettingsFilePath(QString());
  UseProgramPlace(PrepareProgramPlace(programFile, false, userFolder));
  EXPECT_EQ(AppDir(), userFolder);
  EXPECT_EQ(SettingsFilePath(), userFolder + "Corvana8.ini");
  // Back to the test program's own place.
  const QString self = QCoreApplication::applicationFilePath();
  UseProgramPlace(DecideProgramPlace(self, true, QString()));
  EXPECT_EQ(AppDir(), QCoreApplication::applicationDirPath() + "/");
}
