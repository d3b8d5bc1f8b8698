#include "platform/Paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <optional>

namespace corvana {

namespace {
QString &settingsOverride() {
  static QString path;
  return path;
}
QString &appDirOverride() {
  static QString path;
  return path;
}
std::optional<ProgramPlace> &placeInUse() {
  static std::optional<ProgramPlace> place;
  return place;
}
QString withSlash(const QString &directory) {
  return directory.isEmpty() || directory.endsWith(u'/') ? directory : directory + u'/';
}
} // namespace

QString AppDir() {
  if (!appDirOverride().isEmpty())
    return appDirOverride();
  if (placeInUse())
    return placeInUse()->appDir;
  return ExtractFilePath(QCoreApplication::applicationFilePath());
}

void OverrideAppDir(const QString &directory) { appDirOverride() = withSlash(directory); }

QString SettingsFilePath() {
  if (!settingsOverride().isEmpty())
    return settingsOverride();
  if (placeInUse())
    return placeInUse()->settingsFile;
  return ChangeFileExt(QCoreApplication::applicationFilePath(), QStringLiteral(".ini"));
}

void OverrideSettingsFilePath(const QString &path) { settingsOverride() = path; }

ProgramPlace DecideProgramPlace(const QString &programFile, bool programFolderWritable, const QString &userFolder) {
  const QString settingsName = ChangeFileExt(ExtractFileName(programFile), QStringLiteral(".ini"));
  if (programFolderWritable)
    return {ExtractFilePath(programFile), ChangeFileExt(programFile, QStringLiteral(".ini")), false};
  const QString folder = withSlash(userFolder);
  return {folder, folder + settingsName, true};
}

QString UserDataFolder() {
  // Qt reads XDG_DATA_HOME and falls back to ~/.local/share as the XDG rules say.
  return withSlash(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)) + QStringLiteral("corvana/");
}

bool CanCreateFilesIn(const QString &folder) {
  if (!QFileInfo(folder).isDir())
    return false;
  QTemporaryFile probe(withSlash(folder) + QStringLiteral(".corvana-write-probe-XXXXXX"));
  return probe.open();
}

QStringList SeedUserFolder(const QString &programFolder, const QString &userFolder) {
  QStringList copied;
  if (!QDir().mkpath(userFolder)) {
    qWarning("Cannot create the folder %s", qPrintable(userFolder));
    return copied;
  }
  const QDir source(programFolder);
  const QFileInfoList files = source.entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
  for (const QFileInfo &file : files) {
    // The program itself and its helpers are not data.
    if (file.isExecutable())
      continue;
    const QString target = withSlash(userFolder) + file.fileName();
    if (QFileInfo::exists(target))
      continue;
    if (!QFile::copy(file.filePath(), target)) {
      qWarning("Cannot copy %s to %s", qPrintable(file.filePath()), qPrintable(target));
      continue;
    }
    // Copies of read-only installed files must stay the user's to change.
    QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner | QFile::ReadOwner);
    copied.append(file.fileName());
  }
  return copied;
}

ProgramPlace PrepareProgramPlace(const QString &programFile, bool programFolderWritable, const QString &userFolder) {
  ProgramPlace place = DecideProgramPlace(programFile, programFolderWritable, userFolder);
  if (place.perUser)
    SeedUserFolder(ExtractFilePath(programFile), place.appDir);
  return place;
}

void UseProgramPlace(const ProgramPlace &place) { placeInUse() = place; }

ProgramPlace SetUpProgramPlace() {
  const QString program = QCoreApplication::applicationFilePath();
  const ProgramPlace place = PrepareProgramPlace(program, CanCreateFilesIn(ExtractFilePath(program)), UserDataFolder());
  UseProgramPlace(place);
  return place;
}

QString ExtractFileName(const QString &path) { return path.mid(path.lastIndexOf(u'/') + 1); }

QString ExtractFilePath(const QString &path) { return path.left(path.lastIndexOf(u'/') + 1); }

QString ExtractFileExt(const QString &path) {
  const qsizetype nameStart = path.lastIndexOf(u'/') + 1;
  const qsizetype dot = path.lastIndexOf(u'.');
  return dot >= nameStart ? path.mid(dot) : QString();
}

QString UpperFileExt(const QString &path) { return ExtractFileExt(path).toUpper(); }

QString ChangeFileExt(const QString &path, const QString &extension) {
  return path.left(path.size() - ExtractFileExt(path).size()) + extension;
}

} // namespace corvana
