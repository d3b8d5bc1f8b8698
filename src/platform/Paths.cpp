#include "platform/Paths.h"

#include <QCoreApplication>

namespace corvana {

QString AppDir() { return ExtractFilePath(QCoreApplication::applicationFilePath()); }

QString SettingsFilePath() { return ChangeFileExt(QCoreApplication::applicationFilePath(), QStringLiteral(".ini")); }

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
