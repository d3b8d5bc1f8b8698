// Any bytes as a settings file: no crash; a file written back reads back the same; a value
// written can be read again.

#include "platform/IniFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>
#include <cstdlib>

namespace {
QTemporaryDir *dir = nullptr;

corvana::IniFile loaded(const QByteArray &bytes) {
  const QString path = dir->filePath(QStringLiteral("fuzz.ini"));
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
    std::abort();
  file.close();
  return corvana::IniFile(path);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv) {
  static QCoreApplication app(*argc, *argv);
  static QTemporaryDir temporary;
  dir = &temporary;
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
  corvana::IniFile ini = loaded(bytes);
  const QByteArray once = ini.toBytes();
  if (loaded(once).toBytes() != once) {
    std::fprintf(stderr, "a file written back did not read back the same\n");
    std::abort();
  }
  for (const QString &section : ini.ReadSections())
    for (const QString &key : ini.ReadSection(section))
      (void)ini.ReadString(section, key, QString());
  ini.WriteString(QStringLiteral("Fuzz"), QStringLiteral("Key"), QStringLiteral("value one"));
  if (ini.ReadString(QStringLiteral("fuzz"), QStringLiteral("KEY"), QString()) != QLatin1String("value one")) {
    std::fprintf(stderr, "a value written was not read again\n");
    std::abort();
  }
  return 0;
}
