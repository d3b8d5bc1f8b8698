#include "twinfold/FileOperations.h"

#include "core/DirectoryListing.h"
#include "platform/Paths.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace corvana {

namespace {

constexpr qint64 Chunk = 1 << 20;

// rename() that fails instead of replacing an existing target, so a file that appears at the
// target while we copy is not lost.
bool renameNoReplace(const QString &from, const QString &to) {
  const QByteArray a = QFile::encodeName(from), b = QFile::encodeName(to);
#ifdef SYS_renameat2
  if (syscall(SYS_renameat2, AT_FDCWD, a.constData(), AT_FDCWD, b.constData(), 1 /* RENAME_NOREPLACE */) == 0)
    return true;
  if (errno != EINVAL && errno != ENOSYS)
    return false;
#endif
  // File systems without it: a hard link fails on an existing target too.
  if (::link(a.constData(), b.constData()) != 0)
    return false;
  ::unlink(a.constData());
  return true;
}

bool copyLink(const QFileInfo &source, const QString &target) {
  const QByteArray path = QFile::encodeName(source.absoluteFilePath());
  QByteArray buffer(4096, '\0');
  const ssize_t length = ::readlink(path.constData(), buffer.data(), size_t(buffer.size()));
  if (length <= 0 || length >= buffer.size())
    return false;
  buffer.truncate(length);
  return ::symlink(buffer.constData(), QFile::encodeName(target).constData()) == 0;
}

// Copies one plain file through a temporary file beside the target.
bool copyContents(const QString &source, const QString &target, qint64 &done, const CopyProgress &progress,
                  const QString &name, bool &cancelled) {
  QFile in(source);
  if (!in.open(QIODevice::ReadOnly))
    return false;
  QTemporaryFile out(ExtractFilePath(target) + QStringLiteral(".twinfold-XXXXXX"));
  if (!out.open())
    return false;
  QByteArray buffer;
  while (true) {
    buffer = in.read(Chunk);
    if (buffer.isEmpty())
      break;
    if (out.write(buffer) != buffer.size())
      return false;
    done += buffer.size();
    if (progress && !progress(done, name)) {
      cancelled = true;
      return false;
    }
  }
  if (in.error() != QFileDevice::NoError || !out.flush())
    return false;
  out.setPermissions(in.permissions());
  if (!renameNoReplace(out.fileName(), target))
    return false;
  out.setAutoRemove(false);
  return true;
}

} // namespace

qint64 TotalSize(const QString &directory, const QStringList &names) {
  qint64 total = 0;
  for (const QString &name : names) {
    const QFileInfo info(JoinPath(directory, name));
    if (!info.isSymLink())
      total += info.size();
  }
  return total;
}

CopyResult CopyFiles(const QString &sourceDirectory, const QStringList &names, const QString &targetDirectory,
                     const CopyProgress &progress) {
  CopyResult result;
  qint64 done = 0;
  for (const QString &name : names) {
    if (result.cancelled) {
      result.skipped.append(name);
      continue;
    }
    const QFileInfo source(JoinPath(sourceDirectory, name));
    const QString target = JoinPath(targetDirectory, QFileInfo(name).fileName());
    // lstat: a dangling link at the target still counts as a file there.
    const bool targetTaken = QFileInfo(target).exists() || QFileInfo(target).isSymLink();
    bool ok = false;
    if (!targetTaken) {
      if (source.isSymLink())
        ok = copyLink(source, target);
      else if (source.isFile())
        ok = copyContents(source.absoluteFilePath(), target, done, progress, name, result.cancelled);
    }
    (ok ? result.copied : result.skipped).append(name);
    if (progress && !result.cancelled && !progress(done, name))
      result.cancelled = true;
  }
  return result;
}

int DeleteFiles(const QString &directory, const QStringList &names) {
  int deleted = 0;
  for (const QString &name : names)
    if (QFile::remove(JoinPath(directory, name)))
      ++deleted;
  return deleted;
}

bool MakeDirectory(const QString &directory, const QString &name) {
  return !name.isEmpty() && QDir().mkdir(JoinPath(directory, name));
}

bool RemoveDirectory(const QString &path) { return QDir().rmdir(path); }

bool RenameFile(const QString &directory, const QString &oldName, const QString &newName) {
  if (oldName.isEmpty() || newName.isEmpty())
    return false;
  return renameNoReplace(JoinPath(directory, oldName), JoinPath(directory, newName));
}

} // namespace corvana
