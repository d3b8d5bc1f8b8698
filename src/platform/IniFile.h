#pragma once
// A settings file of [sections] and key=value lines. Sections and keys are found without
// regard to letter case; lines it does not understand (comments, junk, duplicates) are kept
// byte for byte, and a rewrite keeps the file's order. Changes reach the disk on UpdateFile.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace corvana {

class IniFile {
public:
  // Loads the file if it exists and can be read; a missing or unreadable file is an empty one.
  explicit IniFile(QString fileName);

  const QString &fileName() const { return m_fileName; }
  bool modified() const { return m_modified; }

  QString ReadString(const QString &section, const QString &key, const QString &defaultValue) const;
  void WriteString(const QString &section, const QString &key, const QString &value);
  // Integers in decimal; a value that is no number gives the default.
  int ReadInteger(const QString &section, const QString &key, int defaultValue) const;
  void WriteInteger(const QString &section, const QString &key, int value);
  // Yes/no values are written as "yes" and "no" and read as yes only when exactly "yes".
  bool ReadYesNo(const QString &section, const QString &key, bool defaultValue) const;
  void WriteYesNo(const QString &section, const QString &key, bool value);

  bool SectionExists(const QString &section) const;
  bool ValueExists(const QString &section, const QString &key) const;
  QStringList ReadSection(const QString &section) const; // keys in file order
  QStringList ReadSections() const;
  void DeleteKey(const QString &section, const QString &key);
  void EraseSection(const QString &section);

  // Writes the file through a temporary; raises "Cannot create file %s" on failure and stays
  // modified, so a later call can try again.
  void UpdateFile();
  QByteArray toBytes() const;

private:
  struct Line {
    QByteArray raw;  // the line as read, without its end; rebuilt when changed
    QString section; // for section headers: the name
    QString key;     // for key lines: the key
    QString value;
    enum Kind { Other, Section, Key } kind = Other;
  };
  void parse(const QByteArray &bytes);
  qsizetype findSection(const QString &section) const;
  qsizetype findKey(const QString &section, const QString &key) const;
  qsizetype sectionEnd(qsizetype header) const;

  QString m_fileName;
  std::vector<Line> m_lines;
  bool m_modified = false;
};

// One section of a settings file, so the settings that live in it name it once.
class IniSection {
public:
  IniSection(const IniFile &ini, QString section) : m_ini(&ini), m_section(std::move(section)) {}
  IniSection(IniFile &ini, QString section) : m_ini(&ini), m_writable(&ini), m_section(std::move(section)) {}

  QString ReadString(const QString &key, const QString &defaultValue) const {
    return m_ini->ReadString(m_section, key, defaultValue);
  }
  int ReadInteger(const QString &key, int defaultValue) const { return m_ini->ReadInteger(m_section, key, defaultValue); }
  bool ReadYesNo(const QString &key, bool defaultValue) const { return m_ini->ReadYesNo(m_section, key, defaultValue); }
  QStringList keys() const { return m_ini->ReadSection(m_section); }

  // Only on a section of a writable file.
  void WriteString(const QString &key, const QString &value) { m_writable->WriteString(m_section, key, value); }
  void WriteInteger(const QString &key, int value) { m_writable->WriteInteger(m_section, key, value); }
  void WriteYesNo(const QString &key, bool value) { m_writable->WriteYesNo(m_section, key, value); }
  void Erase() { m_writable->EraseSection(m_section); }

private:
  const IniFile *m_ini;
  IniFile *m_writable = nullptr;
  QString m_section;
};

// Reads the settings file next to the program, lets `change` edit it and writes it back;
// raises "Cannot create file %s" when it cannot be written.
void UpdateSettingsFile(const std::function<void(IniFile &)> &change);

} // namespace corvana
