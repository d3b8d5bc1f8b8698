#include "lexora/LexoraSettings.h"

#include "platform/IniFile.h"
#include "platform/Paths.h"

namespace corvana {

namespace {
const QString settingsSection = QStringLiteral("LexoraSettings");
const QString filesSection = QStringLiteral("LexoraFiles");
} // namespace

LexoraSettings LexoraSettings::Read(const IniFile &ini) {
  LexoraSettings s;
  s.printerFontName = ini.ReadString(settingsSection, QStringLiteral("PrinterFontName"), s.printerFontName);
  s.printerFontSize = ini.ReadInteger(settingsSection, QStringLiteral("PrinterFontSize"), s.printerFontSize);
  s.editorFontName = ini.ReadString(settingsSection, QStringLiteral("EditorFontName"), s.editorFontName);
  s.editorFontSize = ini.ReadInteger(settingsSection, QStringLiteral("EditorFontSize"), s.editorFontSize);
  s.wordwrap = ini.ReadYesNo(settingsSection, QStringLiteral("Wordwrap"), s.wordwrap);
  // In the order the keys stand in the file, whatever their numbers say.
  for (const QString &key : ini.ReadSection(filesSection)) {
    const QString path = ini.ReadString(filesSection, key, QString());
    if (!path.isEmpty())
      s.files.append(path);
  }
  return s;
}

void LexoraSettings::Write(IniFile &ini) const {
  ini.WriteString(settingsSection, QStringLiteral("EditorFontName"), editorFontName);
  ini.WriteInteger(settingsSection, QStringLiteral("EditorFontSize"), editorFontSize);
  ini.WriteString(settingsSection, QStringLiteral("PrinterFontName"), printerFontName);
  ini.WriteInteger(settingsSection, QStringLiteral("PrinterFontSize"), printerFontSize);
  ini.WriteYesNo(settingsSection, QStringLiteral("Wordwrap"), wordwrap);
  // Old entries go first, so keys that are no longer written are not read back next time.
  ini.EraseSection(filesSection);
  for (int i = 0; i < files.size() && i < SavedFiles; ++i)
    ini.WriteString(filesSection, QStringLiteral("File%1").arg(i), files[i]);
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
