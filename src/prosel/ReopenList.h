#pragma once
// The editor's five reopen entries. Each caption is "&N " followed by a path; taking a path
// shifts every entry down one place, so the oldest falls off and a path may stand twice.

#include <QString>
#include <QStringList>
#include <array>

namespace corvana {

class ReopenList {
public:
  static constexpr int Count = 5;

  ReopenList(); // designed captions "&1" .. "&5"

  // index 0 .. 4 for ro1 .. ro5
  const QString &caption(int index) const { return m_captions[size_t(index)]; }
  void setCaption(int index, const QString &caption) { m_captions[size_t(index)] = caption; }
  QString path(int index) const { return PathOf(caption(index)); }
  QStringList captions() const;

  void Take(const QString &path);

  // The path part of a caption: everything from its fourth character on.
  static QString PathOf(const QString &caption) { return caption.mid(3); }
  // What a menu shows of a caption: its "&N " mnemonic, and the path with every "&" as it is.
  static QString DisplayCaption(const QString &caption);

private:
  std::array<QString, Count> m_captions;
};

} // namespace corvana
