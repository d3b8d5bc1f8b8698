#include "platform/Paths.h"

#include <QCoreApplication>

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
} // namespace

QString AppDir() {
  if (!appDirOverride().isEmpty())
    return appDirOverride();
  return ExtractFilePath(QCoreApplication::applicationFilePath());
}

void OverrideAppDir(const QString &directory) {
  appDirOverride() = directory.isEmpty() || directory.endsWith(u'/') ? directory : directory + u'/';
}

QString SettingsFilePath() {
  if (!settingsOverride().isEmpty())
    return settingsOverride();
  return ChangeFileExt(QCoreApplication::applicationFilePath(), QStringLiteral(".ini"));
}

void OverrideSettingsFilePath(const QString &path) { settingsOverride() = path; }

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
