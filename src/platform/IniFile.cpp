#include "platform/IniFile.h"

#include "platform/Errors.h"
#include "core/TextFiles.h"
#include "platform/Paths.h"

#include <QFile>

namespace corvana {

namespace {

bool sameName(const QString &a, const QString &b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

} // namespace

IniFile::IniFile(QString fileName) : m_fileName(std::move(fileName)) {
  QFile file(m_fileName);
  if (file.open(QIODevice::ReadOnly))
    parse(file.readAll());
}

void IniFile::parse(const QByteArray &bytes) {
  qsizetype start = 0;
  const qsizetype n = bytes.size();
  while (start < n) {
    qsizetype end = start;
    while (end < n && bytes[end] != '\r' && bytes[end] != '\n')
      ++end;
    Line line;
    line.raw = bytes.mid(start, end - start);
    const QString text = QString::fromUtf8(line.raw).trimmed();
    if (text.startsWith(u'[') && text.endsWith(u']')) {
      line.kind = Line::Section;
      line.section = text.mid(1, text.size() - 2).trimmed();
    } else if (const qsizetype eq = text.indexOf(u'='); eq > 0 && !text.startsWith(u';')) {
      line.kind = Line::Key;
      line.key = text.left(eq).trimmed();
      line.value = text.mid(eq + 1).trimmed();
    }
    m_lines.push_back(std::move(line));
    if (end < n && bytes[end] == '\r' && end + 1 < n && bytes[end + 1] == '\n')
      ++end;
    start = end + 1;
  }
}

qsizetype IniFile::findSection(const QString &section) const {
  for (size_t i = 0; i < m_lines.size(); ++i)
    if (m_lines[i].kind == Line::Section && sameName(m_lines[i].section, section))
      return qsizetype(i);
  return -1;
}

qsizetype IniFile::sectionEnd(qsizetype header) const {
  qsizetype i = header + 1;
  while (i < qsizetype(m_lines.size()) && m_lines[size_t(i)].kind != Line::Section)
    ++i;
  return i;
}

qsizetype IniFile::findKey(const QString &section, const QString &key) const {
  // A section may appear more than once; the first occurrence of the key wins.
  for (size_t i = 0; i < m_lines.size(); ++i) {
    if (m_lines[i].kind != Line::Section || !sameName(m_lines[i].section, section))
      continue;
    const qsizetype end = sectionEnd(qsizetype(i));
    for (qsizetype j = qsizetype(i) + 1; j < end; ++j)
      if (m_lines[size_t(j)].kind == Line::Key && sameName(m_lines[size_t(j)].key, key))
        return j;
  }
  return -1;
}

QString IniFile::ReadString(const QString &section, const QString &key, const QString &defaultValue) const {
  const qsizetype i = findKey(section, key);
  return i < 0 ? defaultValue : m_lines[size_t(i)].value;
}

void IniFile::WriteString(const QString &section, const QString &key, const QString &value) {
  Line line;
  line.kind = Line::Key;
  line.key = key;
  line.value = value;
  line.raw = (key + u'=' + value).toUtf8();
  if (const qsizetype i = findKey(section, key); i >= 0) {
    if (m_lines[size_t(i)].value == value)
      return;
    line.key = m_lines[size_t(i)].key; // keep the file's spelling of the key
    line.raw = (line.key + u'=' + value).toUtf8();
    m_lines[size_t(i)] = std::move(line);
  } else if (const qsizetype header = findSection(section); header >= 0) {
    // After the section's last key, so blank lines that separate sections stay between them.
    qsizetype at = sectionEnd(header);
    while (at > header + 1 && m_lines[size_t(at - 1)].kind == Line::Other &&
           m_lines[size_t(at - 1)].raw.trimmed().isEmpty())
      --at;
    m_lines.insert(m_lines.begin() + at, std::move(line));
  } else {
    if (!m_lines.empty() && !m_lines.back().raw.trimmed().isEmpty())
      m_lines.push_back(Line{});
    Line head;
    head.kind = Line::Section;
    head.section = section;
    head.raw = (u'[' + section + u']').toUtf8();
    m_lines.push_back(std::move(head));
    m_lines.push_back(std::move(line));
  }
  m_modified = true;
}

int IniFile::ReadInteger(const QString &section, const QString &key, int defaultValue) const {
  bool ok = false;
  const int value = ReadString(section, key, QString()).toInt(&ok, 10);
  return ok ? value : defaultValue;
}

void IniFile::WriteInteger(const QString &section, const QString &key, int value) {
  WriteString(section, key, QString::number(value));
}

bool IniFile::ReadYesNo(const QString &section, const QString &key, bool defaultValue) const {
  if (!ValueExists(section, key))
    return defaultValue;
  return ReadString(section, key, QString()) == QLatin1String("yes");
}

void IniFile::WriteYesNo(const QString &section, const QString &key, bool value) {
  WriteString(section, key, value ? QStringLiteral("yes") : QStringLiteral("no"));
}

bool IniFile::SectionExists(const QString &section) const { return findSection(section) >= 0; }

bool IniFile::ValueExists(const QString &section, const QString &key) const { return findKey(section, key) >= 0; }

QStringList IniFile::ReadSection(const QString &section) const {
  QStringList keys;
  for (size_t i = 0; i < m_lines.size(); ++i) {
    if (m_lines[i].kind != Line::Section || !sameName(m_lines[i].section, section))
      continue;
    const qsizetype end = sectionEnd(qsizetype(i));
    for (qsizetype j = qsizetype(i) + 1; j < end; ++j) {
      const Line &line = m_lines[size_t(j)];
      if (line.kind == Line::Key && !keys.contains(line.key, Qt::CaseInsensitive))
        keys.append(line.key);
    }
  }
  return keys;
}

QStringList IniFile::ReadSections() const {
  QStringList sections;
  for (const Line &line : m_lines)
    if (line.kind == Line::Section && !sections.contains(line.section, Qt::CaseInsensitive))
      sections.append(line.section);
  return sections;
}

void IniFile::DeleteKey(const QString &section, const QString &key) {
  for (qsizetype i = findKey(section, key); i >= 0; i = findKey(section, key)) {
    m_lines.erase(m_lines.begin() + i);
    m_modified = true;
  }
}

void IniFile::EraseSection(const QString &section) {
  for (qsizetype header = findSection(section); header >= 0; header = findSection(section)) {
    m_lines.erase(m_lines.begin() + header, m_lines.begin() + sectionEnd(header));
    m_modified = true;
  }
}

QByteArray IniFile::toBytes() const {
  QByteArray bytes;
  for (const Line &line : m_lines) {
    bytes += line.raw;
    bytes += "\r\n";
  }
  return bytes;
}

void IniFile::UpdateFile() {
  WriteFileBytes(m_fileName, toBytes());
  m_modified = false;
}

void UpdateSettingsFile(const std::function<void(IniFile &)> &change) {
  IniFile ini(SettingsFilePath());
  change(ini);
  ini.UpdateFile();
}

} // namespace corvana
