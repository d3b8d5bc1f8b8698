// Any bytes as a name-value list file: no crash; the lines stay in sorted order; a lookup by any
// line's name finds the first line of that name; a list written back reads back the same.

#include "prosel/NameValueList.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {
QTemporaryDir *dir = nullptr;

void fail(const char *what) {
  std::fprintf(stderr, "%s\n", what);
  std::abort();
}

corvana::NameValueList loaded(const QString &path) {
  corvana::NameValueList list;
  list.LoadFromFile(path);
  return list;
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
  static QCoreApplication app(*argc, *argv);
  // In memory where it can be: every save waits for the disk otherwise.
  static QTemporaryDir temporary(QFileInfo(QStringLiteral("/dev/shm")).isDir()
                                     ? QStringLiteral("/dev/shm/corvana-fuzz-XXXXXX")
                                     : QDir::tempPath() + QStringLiteral("/corvana-fuzz-XXXXXX"));
  dir = &temporary;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QString path = dir->filePath(QStringLiteral("list.txt"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
      file.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
    std::abort();
  file.close();

  const corvana::NameValueList list = loaded(path);
  for (int i = 1; i < list.count(); ++i)
    if (list.line(i - 1).compare(list.line(i), Qt::CaseInsensitive) > 0)
      fail("the lines are out of order");
  for (int i = 0; i < list.count(); ++i) {
    const int first = list.IndexOfName(list.name(i));
    if (first < 0 || first > i)
      fail("a line's name does not find the first line of that name");
    if (list.Value(list.name(i)) != corvana::NameValueList::ValueOf(list.line(first)))
      fail("a lookup gave another line's value");
  }

  const QString copy = dir->filePath(QStringLiteral("copy.txt"));
  list.SaveToFile(copy);
  if (loaded(copy).lines() != list.lines())
    fail("a list written back did not read back the same");
  return 0;
}
