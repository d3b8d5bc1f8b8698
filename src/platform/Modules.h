#pragma once
// The suite's heavy libraries (the browser engine, PDF, sound) live in modules the program
// opens the first time it needs one, so that starting the program never maps them. A module
// is looked for beside the running program, then in the build's own folder.

#include <QString>
#include <QStringList>

namespace corvana {

// The module's file name for a name such as "htmlengine": "libcorvana_htmlengine.so".
QString ModuleFileName(const QString &module);
// The folders searched, in order.
QStringList ModuleFolders();
// Tests search other folders; an empty list restores the usual ones. A module already loaded
// stays loaded.
void OverrideModuleFolders(const QStringList &folders);

// The address of `symbol` in the module, loading it on first use; nullptr with `error` set
// when the module or the symbol cannot be found. A module, once loaded, stays for the process.
void *ResolveModuleSymbol(const QString &module, const char *symbol, QString *error);
bool ModuleLoaded(const QString &module);

} // namespace corvana
