#include "outline/OutlineFile.h"

#include "core/Error.h"
#include "outline/OutlineNode.h"

#include <QFile>
#include <QSaveFile>

#include <algorithm>
#include <cstring>

namespace corvana {

// ---- reading

QByteArrayView outlineTextPart(QByteArrayView bytes) {
  if (const void *nul = bytes.isEmpty() ? nullptr : std::memchr(bytes.data(), '\0', size_t(bytes.size())))
    return bytes.first(static_cast<const char *>(nul) - bytes.data());
  return bytes;
}

OutlineReader::OutlineReader(QByteArrayView bytes) {
  bytes = outlineTextPart(bytes);
  m_p = bytes.data();
  m_end = m_p + bytes.size();
  m_cr = find(m_p, '\r');
  m_lf = find(m_p, '\n');
}

void OutlineReader::invalidLevel(qsizetype level, QByteArrayView text) {
  throw Error(QStringLiteral("Invalid level (%1) for item \"%2\"").arg(level).arg(QString::fromUtf8(text)));
}

OutlineBytes readOutlineFile(const QString &path) {
  QFile file(path);
  if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
    throw Error::cannotOpen(path);
  OutlineBytes bytes;
  if (file.isSequential()) {
    const QByteArray all = file.readAll();
    if (file.error() != QFileDevice::NoError)
      throw Error::cannotOpen(path);
    bytes.block = allocateOutlineBlock(all.size());
    if (!all.isEmpty())
      std::memcpy(bytes.block.get(), all.constData(), size_t(all.size()));
    bytes.size = all.size();
    return bytes;
  }
  const qint64 size = file.size();
  bytes.block = allocateOutlineBlock(size);
  while (bytes.size < size) {
    const qint64 got = file.read(bytes.block.get() + bytes.size, size - bytes.size);
    if (got < 0)
      throw Error::cannotOpen(path);
    if (got == 0)
      break;
    bytes.size += got;
  }
  return bytes;
}

// ---- writing

namespace {

// Writes the tree in pre-order, one line per node, handing out full chunks as it goes.
template <typename Sink> void writeOutline(const OutlineNode *first, Sink &&sink) {
  constexpr qsizetype chunk = 1 << 20;
  QByteArray buffer(chunk, Qt::Uninitialized);
  char *const begin = buffer.data();
  char *const limit = begin + chunk;
  char *out = begin;
  auto flush = [&] {
    sink(QByteArrayView(begin, out - begin));
    out = begin;
  };
  // Pieces longer than the room left (deep levels, long texts) go through in parts.
  auto put = [&](const char *bytes, char fill, qsizetype n) {
    while (n > 0) {
      if (out == limit)
        flush();
      const qsizetype part = std::min(n, qsizetype(limit - out));
      if (bytes) {
        std::memcpy(out, bytes, size_t(part));
        bytes += part;
      } else {
        std::memset(out, fill, size_t(part));
      }
      out += part;
      n -= part;
    }
  };
  qsizetype level = 0;
  for (const OutlineNode *node = first; node;) {
    const QByteArrayView text = node->text();
    if (limit - out >= level + text.size() + 2) {
      std::memset(out, '\t', size_t(level));
      out += level;
      if (!text.isEmpty())
        std::memcpy(out, text.constData(), size_t(text.size()));
      out += text.size();
      *out++ = '\r';
      *out++ = '\n';
    } else {
      put(nullptr, '\t', level);
      put(text.constData(), 0, text.size());
      put("\r\n", 0, 2);
    }
    if (node->hasChildren()) {
      node = node->firstChild();
      ++level;
      continue;
    }
    while (node && !node->nextSibling()) {
      node = node->parent();
      --level;
    }
    if (node)
      node = node->nextSibling();
  }
  if (out != begin)
    flush();
}

} // namespace

QByteArray writeOutlineBytes(const OutlineNode *first, qsizetype sizeHint) {
  QByteArray out;
  out.reserve(sizeHint);
  writeOutline(first, [&](QByteArrayView chunk) { out += chunk; });
  return out;
}

void writeOutlineFile(const QString &path, const OutlineNode *first) {
  QSaveFile file(path);
  if (path.isEmpty() || !file.open(QIODevice::WriteOnly))
    throw Error::cannotCreate(path);
  bool ok = true;
  writeOutline(first, [&](QByteArrayView chunk) {
    if (ok && file.write(chunk.data(), chunk.size()) != chunk.size())
      ok = false;
  });
  // A failed flush of the last buffered bytes goes unnoticed by commit: check it first.
  if (!ok || !file.flush() || !file.commit()) {
    file.cancelWriting();
    throw Error::cannotCreate(path);
  }
}

} // namespace corvana
