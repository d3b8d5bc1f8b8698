#include "kelpwood/TreeDatabase.h"

#include "core/TextFiles.h"
#include "kelpwood/Csv.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"

#include <QFile>

#include <optional>

#include <vector>

namespace corvana {

namespace {

// One answer must not be able to exhaust memory: a command that would add more nodes than
// this is refused before it changes anything.
constexpr qint64 kMaxNewNodes = 10'000'000;

void checkNewNodes(qint64 perStep, qint64 steps) {
  if (perStep > 0 && steps > kMaxNewNodes / perStep)
    throw Error(QStringLiteral("Too many new nodes (%1)").arg(steps));
}

qint64 subtreeSize(const OutlineNode *node) {
  qint64 size = 0;
  std::vector<const OutlineNode *> stack{node};
  while (!stack.empty()) {
    const OutlineNode *n = stack.back();
    stack.pop_back();
    ++size;
    for (qsizetype i = 0; i < n->childCount(); ++i)
      stack.push_back(n->child(i));
  }
  return size;
}

QByteArray numbered(const char *name, qint64 number) { return name + QByteArray::number(number); }

Error listIndexError(qsizetype index) { return Error(QStringLiteral("List index out of bounds (%1)").arg(index)); }

// Sorting is done once at the end of a long command instead of once per changed text.
class SortPause {
public:
  explicit SortPause(OutlineTree &tree) : m_tree(tree), m_mode(tree.sortMode()) {
    if (m_mode != OutlineTree::SortMode::None)
      m_tree.setSortMode(OutlineTree::SortMode::None);
  }
  ~SortPause() {
    if (m_mode != OutlineTree::SortMode::None)
      m_tree.setSortMode(m_mode);
  }

private:
  OutlineTree &m_tree;
  OutlineTree::SortMode m_mode;
};

} // namespace

TreeDatabase::TreeDatabase(OutlineTree &tree, Dialogs &dialogs) : m_tree(tree), m_dialogs(dialogs) {
  m_tree.setSortScope(OutlineTree::SortScope::TopLevel);
}

OutlineNode *TreeDatabase::fieldTemplate() const {
  OutlineNode *first = m_tree.firstNode();
  return first && first->text() == "_fields" ? first : nullptr;
}

qint64 TreeDatabase::ReadNumber(const QString &answer) {
  bool ok = false;
  const qint64 number = answer.trimmed().toLongLong(&ok, 10);
  return ok ? number : 0;
}

qint64 TreeDatabase::askNumber(const QString &caption, const QString &prompt, const QString &defaultText) {
  return ReadNumber(m_dialogs.inputBox(caption, prompt, defaultText));
}

qsizetype TreeDatabase::FieldPosition(const OutlineNode *node, OutlineNode **record) {
  qsizetype steps = 0;
  const OutlineNode *n = node;
  while (n && !n->isTopLevel()) {
    n = n->prevNode();
    ++steps;
  }
  if (record)
    *record = const_cast<OutlineNode *>(n);
  return steps;
}

void TreeDatabase::MakeFields() {
  OutlineNode *node = m_tree.selected();
  if (!node)
    return;
  const qint64 n =
      askNumber(QStringLiteral("Kelpwood Fields"), QStringLiteral("Enter number of fields"), QStringLiteral("4"));
  if (n <= 0)
    return;
  checkNewNodes(1, n);
  m_tree.BeginUpdate();
  m_tree.setText(node, "_fields");
  for (qint64 i = 1; i <= n; ++i)
    m_tree.AddChild(node, numbered("field", i));
  m_tree.EndUpdate();
}

void TreeDatabase::AppendFields() {
  OutlineNode *first = m_tree.firstNode();
  if (!first || m_tree.selected() != first)
    return;
  const qint64 n = askNumber(QStringLiteral("Corvana Add Fields"), QStringLiteral("Enter number of fields to add"),
                             QStringLiteral("2"));
  if (n <= 0)
    return;
  checkNewNodes(m_tree.topLevelCount(), n);
  m_tree.BeginUpdate();
  for (OutlineNode *record = first; record; record = record->nextSibling())
    for (qint64 i = 1; i <= n; ++i)
      m_tree.AddChild(record, numbered("new field", i));
  m_tree.EndUpdate();
}

void TreeDatabase::InsertFields() {
  OutlineNode *selected = m_tree.selected();
  if (!selected)
    return;
  const qint64 n = askNumber(QStringLiteral("Kelpwood Insert Fields"), QStringLiteral("Enter number of fields to add"),
                             QStringLiteral("2"));
  if (n <= 0)
    return;
  OutlineNode *record = nullptr;
  const qsizetype k = FieldPosition(selected, &record);
  if (k == 0)
    return;
  checkNewNodes(m_tree.topLevelCount() - record->index(), n);
  m_tree.BeginUpdate();
  struct EndUpdate {
    OutlineTree &tree;
    ~EndUpdate() { tree.EndUpdate(); }
  } endUpdate{m_tree};
  for (OutlineNode *r = record; r; r = r->nextSibling()) {
    for (qint64 j = 1; j <= n; ++j) {
      OutlineNode *field = r->child(k - 1);
      if (!field)
        throw listIndexError(k - 1);
      m_tree.Insert(field, numbered("insert field", j));
    }
  }
}

void TreeDatabase::DeleteFields() {
  OutlineNode *selected = m_tree.selected();
  if (!selected)
    return;
  const qint64 n = askNumber(QStringLiteral("Kelpwood Delete Fields"),
                             QStringLiteral("Enter number of fields to Delete"), QStringLiteral("2"));
  if (n <= 0)
    return;
  OutlineNode *record = nullptr;
  const qsizetype k = FieldPosition(selected, &record);
  if (k == 0)
    return;
  m_tree.BeginUpdate();
  for (OutlineNode *r = record; r; r = r->nextSibling()) {
    // A record that has run out of fields at k loses nothing more.
    for (qint64 i = 0; i < n && r->childCount() >= k; ++i)
      m_tree.Delete(r->child(k - 1));
  }
  m_tree.EndUpdate();
}

void TreeDatabase::AppendRecords() {
  OutlineNode *selected = m_tree.selected();
  if (!selected || !selected->isTopLevel())
    return;
  const qint64 n =
      askNumber(QStringLiteral("Kelpwood Records"), QStringLiteral("Enter number of Records"), QStringLiteral("10"));
  if (n <= 0)
    return;
  checkNewNodes(subtreeSize(selected), n);
  m_tree.BeginUpdate();
  for (qint64 i = 0; i < n; ++i)
    m_tree.copyChildren(selected, m_tree.Add(nullptr, selected->text()));
  m_tree.EndUpdate();
}

void TreeDatabase::Duplicate() {
  OutlineNode *selected = m_tree.selected();
  if (!selected)
    return;
  m_tree.copyChildren(selected, m_tree.Add(selected, "new node"));
}

// ---- CSV

OutlineNode *TreeDatabase::BeginCsvImport() { return m_tree.Add(m_tree.selected(), "record"); }

void TreeDatabase::CancelCsvImport(OutlineNode *record) { m_tree.Delete(record); }

void TreeDatabase::ImportCsvBytes(OutlineNode *record, QByteArrayView bytes) { ImportCsvBytes(record, bytes, {}); }

namespace {
struct ImportCancelled {};
constexpr qsizetype kLinesPerReport = 4096;
} // namespace

bool TreeDatabase::ImportCsvBytes(OutlineNode *record, QByteArrayView bytes, const ImportProgress &progress) {
  SortPause pause(m_tree);
  m_tree.BeginUpdate();
  struct EndUpdate {
    OutlineTree &tree;
    ~EndUpdate() { tree.EndUpdate(); }
  } endUpdate{m_tree};
  OutlineNode *const first = record;
  bool firstLine = true;
  qsizetype lines = 0;
  try {
    ForEachLine(bytes, [&](QByteArrayView line) {
      if (progress && lines++ % kLinesPerReport == 0 && !progress(line.data() - bytes.data()))
        throw ImportCancelled();
      qsizetype count = 0;
      ForEachCsvValue(line, [&](QByteArrayView value) {
        m_tree.AddChild(record, value);
        ++count;
      });
      if (count == 0)
        throw listIndexError(0);
      // The caption is the first value; the first line names the fields.
      m_tree.setText(record, firstLine ? QByteArrayView("_fields") : record->firstChild()->text());
      firstLine = false;
      record = m_tree.Add(record, "record");
    });
  } catch (const ImportCancelled &) {
    // The added records are the siblings from the first one to the current one; the last goes
    // first so that no sibling is renumbered.
    OutlineNode *const parent = first->parent();
    const qsizetype firstRow = first->index();
    for (qsizetype row = record->index(); row >= firstRow; --row)
      m_tree.Delete(parent ? parent->child(row) : m_tree.topLevelNode(row));
    return false;
  }
  m_tree.Delete(record);
  return true;
}

namespace {
// A CSV file's bytes, mapped where the system allows; raises "Cannot open file %s".
class CsvFileBytes {
public:
  explicit CsvFileBytes(const QString &path) : m_file(path) {
    if (path.isEmpty() || !m_file.open(QIODevice::ReadOnly))
      throw Error::cannotOpen(path);
    const qint64 size = m_file.size();
    if (size > 0) {
      if (const uchar *mapped = m_file.map(0, size)) {
        m_bytes = QByteArrayView(reinterpret_cast<const char *>(mapped), size);
        return;
      }
    }
    m_read = m_file.readAll();
    if (m_file.error() != QFileDevice::NoError)
      throw Error::cannotOpen(path);
    m_bytes = m_read;
  }
  QByteArrayView bytes() const { return m_bytes; }

private:
  QFile m_file;
  QByteArray m_read;
  QByteArrayView m_bytes;
};
} // namespace

void TreeDatabase::ImportCsvFile(OutlineNode *record, const QString &path) {
  const CsvFileBytes file(path);
  ImportCsvBytes(record, file.bytes());
}

bool TreeDatabase::ImportCsvFile(OutlineNode *record, const QString &path,
                                 const std::function<void(qint64 size)> &started, const ImportProgress &progress) {
  std::optional<CsvFileBytes> file;
  try {
    file.emplace(path);
  } catch (const Error &) {
    CancelCsvImport(record);
    throw;
  }
  if (started)
    started(file->bytes().size());
  return ImportCsvBytes(record, file->bytes(), progress);
}

QString TreeDatabase::ImportCsv(FileDialogOptions &options) {
  OutlineNode *record = BeginCsvImport();
  if (!m_dialogs.openFile(options)) {
    CancelCsvImport(record);
    return QString();
  }
  // A file that cannot be read leaves the tree as it was before the command.
  ImportCsvFile(record, options.fileName, {}, {});
  return options.fileName;
}

QByteArray TreeDatabase::ExportCsvBytes() const {
  // Sized up front: quotes aside, the lines hold the values, a separator each and the line ends.
  qsizetype size = 0;
  for (const OutlineNode *record = m_tree.firstNode(); record; record = record->nextSibling()) {
    size += record->childCount() + 2;
    for (qsizetype i = 0; i < record->childCount(); ++i)
      size += record->child(i)->text().size();
  }
  QByteArray out;
  out.reserve(size + size / 16);
  for (const OutlineNode *record = m_tree.firstNode(); record; record = record->nextSibling()) {
    if (record->childCount() == 1 && record->firstChild()->text().isEmpty()) {
      out.append("\"\"", 2);
    } else {
      for (qsizetype i = 0; i < record->childCount(); ++i) {
        if (i > 0)
          out.append(',');
        AppendCsvValue(out, record->child(i)->text());
      }
    }
    out.append("\r\n", 2);
  }
  return out;
}

QString TreeDatabase::ExportCsv(FileDialogOptions &options) {
  if (m_tree.isEmpty())
    return QString();
  const QByteArray lines = ExportCsvBytes();
  if (!m_dialogs.saveFile(options))
    return QString();
  WriteFileBytes(options.fileName, lines);
  return options.fileName;
}

} // namespace corvana
