#pragma once
// The tree database: records are the top-level nodes of an OutlineTree, their children the
// field values; a first node "_fields" is the template naming the fields. The commands here
// work on the tree's selected node and ask their numbers through the Dialogs service.

#include "outline/OutlineTree.h"

#include <QByteArray>
#include <QString>

#include <functional>

namespace corvana {

class Dialogs;
struct FileDialogOptions;

class TreeDatabase {
public:
  // Sorting by text orders the records only: field order carries the names.
  TreeDatabase(OutlineTree &tree, Dialogs &dialogs);
  TreeDatabase(const TreeDatabase &) = delete;
  TreeDatabase &operator=(const TreeDatabase &) = delete;

  OutlineTree &tree() const { return m_tree; }
  // The first top-level node when its text is exactly "_fields".
  OutlineNode *fieldTemplate() const;

  void MakeFields();
  void AppendFields();
  void InsertFields();
  void DeleteFields();
  void AppendRecords();
  void Duplicate();

  void LoadDatabase(const QString &path) { m_tree.LoadFromFile(path); }
  void SaveDatabase(const QString &path) const { m_tree.SaveToFile(path); }

  // CSV import in its steps: the "record" node comes first (after the selection, or last at the
  // top level), then the file is read into it; without a file the node is dropped again.
  OutlineNode *BeginCsvImport();
  void ImportCsvFile(OutlineNode *record, const QString &path);
  void ImportCsvBytes(OutlineNode *record, QByteArrayView bytes);
  // Told the bytes read so far every few thousand lines; answering false cancels the import,
  // which then takes away every node it added, the first "record" node included.
  using ImportProgress = std::function<bool(qint64 bytesDone)>;
  // False when cancelled.
  bool ImportCsvBytes(OutlineNode *record, QByteArrayView bytes, const ImportProgress &progress);
  // The file's size goes to `started` before the first line is read.
  bool ImportCsvFile(OutlineNode *record, const QString &path, const std::function<void(qint64 size)> &started,
                     const ImportProgress &progress);
  void CancelCsvImport(OutlineNode *record);
  // The whole import with the open dialog; returns the chosen file, empty when none was chosen.
  QString ImportCsv(FileDialogOptions &options);

  // The export lines; empty for an empty database.
  QByteArray ExportCsvBytes() const;
  // Builds the lines, then asks for the file; returns the file written, empty when none.
  QString ExportCsv(FileDialogOptions &options);

  // The field position of a node: pre-order steps back to its record (0 for a record).
  static qsizetype FieldPosition(const OutlineNode *node, OutlineNode **record = nullptr);
  // Input box answers: a decimal integer, or 0 for anything else.
  static qint64 ReadNumber(const QString &answer);

private:
  qint64 askNumber(const QString &caption, const QString &prompt, const QString &defaultText);

  OutlineTree &m_tree;
  Dialogs &m_dialogs;
};

} // namespace corvana
