#pragma once
// File-name helpers with the suite's conventions: directories end in "/", extensions are
// compared upper-cased with their dot.

#include <QString>

namespace corvana {

// Directory of the running program, ending in "/"; data file names are appended directly.
QString AppDir();
// Tests give each case a directory of its own; an empty path restores the program's.
void OverrideAppDir(const QString &directory);
// The settings file: the program's path with its extension replaced by ".ini".
QString SettingsFilePath();
// Tests keep their settings elsewhere; an empty path restores the program's own.
void OverrideSettingsFilePath(const QString &path);

QString ExtractFileName(const QString &path); // after the last "/"
QString ExtractFilePath(const QString &path); // up to and including the last "/"
QString ExtractFileExt(const QString &path);  // ".htm", or empty; taken from the name part only
QString UpperFileExt(const QString &path);    // ".HTM"
QString ChangeFileExt(const QString &path, const QString &extension);

} // namespace corvana
