#pragma once
// The file manager's operations on the disk, without its window. Each skips what it cannot do
// and reports what it did, so the window can refresh its lists whatever happened.

#include <QString>
#include <QStringList>
#include <functional>

namespace corvana {

// Bytes copied so far of the whole job, and the file being copied; false stops the copy.
using CopyProgress = std::function<bool(qint64 done, const QString &name)>;

struct CopyResult {
  QStringList copied;
  QStringList skipped; // names whose copy was refused or failed
  bool cancelled = false;
};

// Total bytes of the named files of a directory, for a progress bar.
qint64 TotalSize(const QString &directory, const QStringList &names);

// Copies each named file of `sourceDirectory` into `targetDirectory` under the same name. A
// file is never written over: one whose target exists (the source itself included, however
// its path is spelt) is skipped. Each copy goes to a temporary name that is renamed when the
// copy is whole, so a cancelled or failed copy leaves no part of a file behind. Symbolic links
// are copied as links: a copy never follows one out of the tree it copies.
CopyResult CopyFiles(const QString &sourceDirectory, const QStringList &names, const QString &targetDirectory,
                     const CopyProgress &progress = {});

// Deletes the named files of a directory; returns how many went.
int DeleteFiles(const QString &directory, const QStringList &names);
// Creates `name` under `directory`; false when it cannot.
bool MakeDirectory(const QString &directory, const QString &name);
// Removes an empty directory; false when it cannot (not empty, missing, no right).
bool RemoveDirectory(const QString &path);
// Gives a file of `directory` a new name there. A name with "/" moves the file into that
// subdirectory when it exists. An existing file is never replaced.
bool RenameFile(const QString &directory, const QString &oldName, const QString &newName);

} // namespace corvana
