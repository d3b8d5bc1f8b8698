#include "support/TestHelpers.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QWidget>

namespace corvana::test {

TempDir::TempDir() { m_dir.setAutoRemove(true); }

QString TempDir::path(const QString &name) const { return name.isEmpty() ? m_dir.path() + u'/' : m_dir.filePath(name); }

QString TempDir::write(const QString &name, const QByteArray &bytes) const {
  const QString full = path(name);
  QDir().mkpath(QFileInfo(full).absolutePath());
  QFile file(full);
  if (file.open(QIODevice::WriteOnly))
    file.write(bytes);
  return full;
}

QByteArray TempDir::read(const QString &name) const {
  QFile file(path(name));
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QAction *findAction(QObject *root, const QString &caption) {
  if (!root)
    return nullptr;
  for (QAction *action : root->findChildren<QAction *>())
    if (action->text() == caption)
      return action;
  if (auto *widget = qobject_cast<QWidget *>(root))
    for (QAction *action : widget->actions())
      if (action->text() == caption)
        return action;
  return nullptr;
}

QStringList menuCaptions(const QWidget *menu) {
  QStringList captions;
  for (const QAction *action : menu->actions())
    captions.append(action->isSeparator() ? QStringLiteral("-") : action->text());
  return captions;
}

QString testDataPath(const QString &name) {
  const QByteArray root = qgetenv("CORVANA_TEST_DATA");
  return QString::fromLocal8Bit(root.isEmpty() ? QByteArray(CORVANA_SOURCE_DIR "/tests/data") : root) + u'/' + name;
}

QByteArray everyByteValue() {
  QByteArray bytes(256, Qt::Uninitialized);
  for (int b = 0; b < 256; ++b)
    bytes[b] = char(b);
  return bytes;
}

} // namespace corvana::test
