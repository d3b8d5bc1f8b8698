#pragma once
// What the editor keeps in the settings file: its tool areas, font, mode and reopen list,
// read once when the window is made and written at every close.

#include "prosel/ReopenList.h"

#include <QString>

namespace corvana {

class IniFile;

struct ProselSettings {
  bool tags = true;
  bool files = true;
  bool styles = true;
  QString fontName = QStringLiteral("MS Sans Serif");
  int fontSize = 8;
  bool richText = true;
  ReopenList reopen;

  static ProselSettings Read(const IniFile &ini);
  // Keys in the order "Tags", "Files", "Styles", "RichText", "1" .. "5", "FontName", "FontSize".
  void Write(IniFile &ini) const;
};

} // namespace corvana
