#include "prosel/ProselSettings.h"

#include "platform/IniFile.h"

namespace corvana {

namespace {
const QString View = QStringLiteral("ProselView");
const QString Files = QStringLiteral("ProselFiles");
} // namespace

ProselSettings ProselSettings::Read(const IniFile &ini) {
  ProselSettings s;
  s.tags = ini.ReadYesNo(View, QStringLiteral("Tags"), true);
  s.files = ini.ReadYesNo(View, QStringLiteral("Files"), true);
  s.styles = ini.ReadYesNo(View, QStringLiteral("Styles"), true);
  s.fontName = ini.ReadString(View, QStringLiteral("FontName"), s.fontName);
  s.fontSize = ini.ReadInteger(View, QStringLiteral("FontSize"), 8);
  s.richText = ini.ReadYesNo(View, QStringLiteral("RichText"), true);
  for (int i = 0; i < ReopenList::Count; ++i)
    s.reopen.setCaption(i, ini.ReadString(Files, QString::number(i + 1), s.reopen.caption(i)));
  return s;
}

void ProselSettings::Write(IniFile &ini) const {
  ini.WriteYesNo(View, QStringLiteral("Tags"), tags);
  ini.WriteYesNo(View, QStringLiteral("Files"), files);
  ini.WriteYesNo(View, QStringLiteral("Styles"), styles);
  ini.WriteYesNo(View, QStringLiteral("RichText"), richText);
  for (int i = 0; i < ReopenList::Count; ++i)
    ini.WriteString(Files, QString::number(i + 1), reopen.caption(i));
  ini.WriteString(View, QStringLiteral("FontName"), fontName);
  ini.WriteInteger(View, QStringLiteral("FontSize"), fontSize);
}

} // namespace corvana
