#include "lexora/LexoraSettings.h"

#include "platform/IniFile.h"
#include "platform/Paths.h"

namespace corvana {

namespace {
const QString settingsSection = QStringLiteral("LexoraSettings");
const QString filesSection = QStringLiteral("LexoraFiles");
} // namespace

LexoraSettings LexoraSettings::Read(const IniFile &ini) {
  const IniSection settings(ini, settingsSection), recent(ini, filesSection);
  LexoraSettings s;
  s.printerFontName = settings.ReadString(QStringLiteral("PrinterFontName"), s.printerFontName);
  s.printerFontSize = settings.ReadInteger(QStringLiteral("PrinterFontSize"), s.printerFontSize);
  s.editorFontName = settings.ReadString(QStringLiteral("EditorFontName"), s.editorFontName);
  s.editorFontSize = settings.ReadInteger(QStringLiteral("EditorFontSize"), s.editorFontSize);
  s.wordwrap = settings.ReadYesNo(QStringLiteral("Wordwrap"), s.wordwrap);
  // In the order the keys stand in the file, whatever their numbers say.
  for (const QString &key : recent.keys()) {
    const QString path = recent.ReadString(key, QString());
    if (!path.isEmpty())
      s.files.append(path);
  }
  return s;
}

void LexoraSettings::Write(IniFile &ini) const {
  IniSection settings(ini, settingsSection), recent(ini, filesSection);
  settings.WriteString(QStringLiteral("EditorFontName"), editorFontName);
  settings.WriteInteger(QStringLiteral("EditorFontSize"), editorFontSize);
  settings.WriteString(QStringLiteral("PrinterFontName"), printerFontName);
  settings.WriteInteger(QStringLiteral("PrinterFontSize"), printerFontSize);
  settings.WriteYesNo(QStringLiteral("Wordwrap"), wordwrap);
  // Old entries go first, so keys that are no longer written are not read back next time.
  recent.Erase();
  for (int i = 0; i < files.size() && i < SavedFiles; ++i)
    recent.WriteString(QStringLiteral("File%1").arg(i), files[i]);
}

int RecentFiles::Take(const QString &path) {
  const int at = int(m_paths.indexOf(path));
  if (at >= 0 && at < Searched)
    return at;
  m_paths.prepend(path);
  return 0;
}

int RecentFiles::MoveToTop(int index) {
  if (index > 0 && index < m_paths.size())
    m_paths.move(index, 0);
  return 0;
}

QString RecentFiles::DisplayText(const QString &path, const QString &directory) {
  if (!directory.isEmpty() && ExtractFilePath(path) == directory)
    return ExtractFileName(path);
  return path;
}

} // namespace corvana
