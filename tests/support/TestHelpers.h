#pragma once
// Small helpers for tests: a temporary directory with files, and finding actions by caption
// and widgets by object name.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

class QAction;
class QObject;
class QWidget;

namespace corvana::test {

class TempDir {
public:
  TempDir();
  // Full path of a name inside the directory.
  QString path(const QString &name = {}) const;
  // Creates a file (and its folders) with the given bytes; returns its full path.
  QString write(const QString &name, const QByteArray &bytes) const;
  QByteArray read(const QString &name) const;

private:
  QTemporaryDir m_dir;
};

// The first action below root whose caption is exactly `caption` ("&" included).
QAction *findAction(QObject *root, const QString &caption);
// Captions of the items of a menu or menu bar in order; separators as "-".
QStringList menuCaptions(const QWidget *menu);
// The 256 byte values in order: a file no text reader may change.
QByteArray everyByteValue();
// Files shipped for tests under tests/data.
QString testDataPath(const QString &name);

} // namespace corvana::test
