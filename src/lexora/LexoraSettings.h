#pragma once
// The highlighting editor's settings: its fonts, word wrap and recent files, kept in the
// shared settings file under "LexoraSettings" and "LexoraFiles".

#include <QString>
#include <QStringList>

namespace corvana {

class IniFile;

struct LexoraSettings {
  // Keys "File0" … "File30" hold at most this many recent files.
  static constexpr int SavedFiles = 31;

  QString printerFontName = QStringLiteral("Arial");
  int printerFontSize = 12;
  QString editorFontName = QStringLiteral("MS Sans Serif");
  int editorFontSize = 8;
  bool wordwrap = true;
  QStringList files; // most recent first

  static LexoraSettings Read(const IniFile &ini);
  // Writes every value; the recent files replace the section's old entries.
  void Write(IniFile &ini) const;
  bool operator==(const LexoraSettings &) const = default;
};

// The recent-files list of the tool bar box: paths, most recent first, never trimmed in memory.
class RecentFiles {
public:
  // Only the first this many entries count when a path is looked for.
  static constexpr int Searched = 30;

  RecentFiles() = default;
  explicit RecentFiles(QStringList paths) : m_paths(std::move(paths)) {}

  const QStringList &paths() const { return m_paths; }
  int count() const { return int(m_paths.size()); }
  // After opening a file: the path goes to the top unless it is among the first 30 entries.
  // Returns the entry to select.
  int Take(const QString &path);
  // After choosing an entry: it moves to the top. Returns the entry to select (0).
  int MoveToTop(int index);

  // What the box shows of an entry: the file name alone when it lies in `directory`.
  static QString DisplayText(const QString &path, const QString &directory);

private:
  QStringList m_paths;
};

} // namespace corvana
