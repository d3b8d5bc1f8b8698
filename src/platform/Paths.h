#pragma once
// File-name helpers with the suite's conventions: directories end in "/", extensions are
// compared upper-cased with their dot. Also where the program keeps its data and settings.

#include <QString>
#include <QStringList>

namespace corvana {

// Directory of the program's data files, ending in "/"; data file names are appended directly.
// The program's own folder, or the user's data folder for an installed copy (see ProgramPlace).
QString AppDir();
// Tests give each case a directory of its own; an empty path restores the program's.
void OverrideAppDir(const QString &directory);
// The settings file: the program's name with the extension ".ini", beside the data files.
QString SettingsFilePath();
// Tests keep their settings elsewhere; an empty path restores the program's own.
void OverrideSettingsFilePath(const QString &path);

// Where the program keeps its data files and its settings file.
struct ProgramPlace {
  QString appDir; // ends in "/"
  QString settingsFile;
  bool perUser = false; // the user's own folder, seeded from the program's
};

// The one rule: a program that may write in its own folder (a build, an unpacked copy) keeps
// everything beside itself; an installed copy keeps it in the user's data folder.
ProgramPlace DecideProgramPlace(const QString &programFile, bool programFolderWritable, const QString &userFolder);
// $XDG_DATA_HOME/corvana/, by default ~/.local/share/corvana/.
QString UserDataFolder();
// Whether this process can create a file in `folder`. A real attempt: permission bits do not
// tell for root, nor for a read-only mount.
bool CanCreateFilesIn(const QString &folder);
// Copies the shipped data files (the folder's files that are not programs) from the program's
// folder into the user's, creating it; a copy the user already has is never replaced. Returns
// the names copied.
QStringList SeedUserFolder(const QString &programFolder, const QString &userFolder);
// Decides the place and, when it is the user's folder, creates and seeds it.
ProgramPlace PrepareProgramPlace(const QString &programFile, bool programFolderWritable, const QString &userFolder);
// Makes AppDir and SettingsFilePath answer from `place`.
void UseProgramPlace(const ProgramPlace &place);
// The running program's place, prepared and put to use; called once before any window.
ProgramPlace SetUpProgramPlace();

QString ExtractFileName(const QString &path); // after the last "/"
QString ExtractFilePath(const QString &path); // up to and including the last "/"
QString ExtractFileExt(const QString &path);  // ".htm", or empty; taken from the name part only
QString UpperFileExt(const QString &path);    // ".HTM"
QString ChangeFileExt(const QString &path, const QString &extension);

} // namespace corvana
