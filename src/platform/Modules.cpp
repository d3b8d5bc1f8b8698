#include "platform/Modules.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <map>
#include <memory>

namespace corvana {

namespace {

QStringList &overriddenFolders() {
  static QStringList folders;
  return folders;
}

// Loaded modules by name. They are never unloaded, since their code backs live objects; a
// QLibrary destroyed at exit leaves its library loaded.
std::map<QString, std::unique_ptr<QLibrary>> &loadedModules() {
  static std::map<QString, std::unique_ptr<QLibrary>> modules;
  return modules;
}

} // namespace

QString ModuleFileName(const QString &module) { return QStringLiteral("libcorvana_%1.so").arg(module); }

QStringList ModuleFolders() {
  if (!overriddenFolders().isEmpty())
    return overriddenFolders();
  QStringList folders{QCoreApplication::applicationDirPath()};
#ifdef CORVANA_BUILD_MODULE_DIR
  // Test and benchmark programs live in other folders of the build.
  const QString built = QStringLiteral(CORVANA_BUILD_MODULE_DIR);
  if (!folders.contains(built))
    folders.append(built);
#endif
  return folders;
}

void OverrideModuleFolders(const QStringList &folders) { overriddenFolders() = folders; }

bool ModuleLoaded(const QString &module) { return loadedModules().count(module) > 0; }

void *ResolveModuleSymbol(const QString &module, const char *symbol, QString *error) {
  const auto known = loadedModules().find(module);
  QLibrary *library = known == loadedModules().end() ? nullptr : known->second.get();
  if (!library) {
    const QString fileName = ModuleFileName(module);
    QStringList tried;
    for (const QString &folder : ModuleFolders()) {
      const QString path = QDir(folder).filePath(fileName);
      if (!QFileInfo::exists(path)) {
        tried.append(path);
        continue;
      }
      auto candidate = std::make_unique<QLibrary>(path);
      if (!candidate->load()) {
        if (error)
          *error = QStringLiteral("Cannot load %1: %2").arg(path, candidate->errorString());
        return nullptr;
      }
      library = candidate.get();
      loadedModules()[module] = std::move(candidate);
      break;
    }
    if (!library) {
      if (error)
        *error =
            QStringLiteral("The module %1 is missing (looked for %2)").arg(fileName, tried.join(QStringLiteral(", ")));
      return nullptr;
    }
  }
  void *address = reinterpret_cast<void *>(library->resolve(symbol));
  if (!address && error)
    *error = QStringLiteral("The module %1 has no entry %2").arg(library->fileName(), QString::fromLatin1(symbol));
  return address;
}

} // namespace corvana
