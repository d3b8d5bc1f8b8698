#include "prosel/ProselSettings.h"

#include "platform/IniFile.h"

namespace corvana {

namespace {
const QString ViewSection = QStringLiteral("ProselView");
const QString FilesSection = QStringLiteral("ProselFiles");
} // namespace

ProselSettings ProselSettings::Read(const IniFile &ini) {
  const IniSection view(ini, ViewSection), files(ini, FilesSection);
  ProselSettings s;
  s.tags = view.ReadYesNo(QStringLiteral("Tags"), true);
  s.files = view.ReadYesNo(QStringLiteral("Files"), true);
  s.styles = view.ReadYesNo(QStringLiteral("Styles"), true);
  s.fontName = view.ReadString(QStringLiteral("FontName"), s.fontName);
  s.fontSize = view.ReadInteger(QStringLiteral("FontSize"), 8);
  s.richText = view.ReadYesNo(QStringLiteral("RichText"), true);
  for (int i = 0; i < ReopenList::Count; ++i)
    s.reopen.setCaption(i, files.ReadString(QString::number(i + 1), s.reopen.caption(i)));
  return s;
}

void ProselSettings::Write(IniFile &ini) const {
  IniSection view(ini, ViewSection), files(ini, FilesSection);
  view.WriteYesNo(QStringLiteral("Tags"), tags);
  view.WriteYesNo(QStringLiteral("Files"), this->files);
  view.WriteYesNo(QStringLiteral("Styles"), styles);
  view.WriteYesNo(QStringLiteral("RichText"), richText);
  for (int i = 0; i < ReopenList::Count; ++i)
    files.WriteString(QString::number(i + 1), reopen.caption(i));
  view.WriteString(QStringLiteral("FontName"), fontName);
  view.WriteInteger(QStringLiteral("FontSize"), fontSize);
}

} // namespace corvana
