#pragma once
// The tree database window: records in a tree on the left, and a data-entry form built from
// the field template on the right. In edit mode the tree is edited directly; in form mode the
// selected record's values fill the form and Update writes them back.

#include "outline/OutlineTree.h"
#include "platform/CommandTable.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"

#include <QList>

#include <functional>
#include <memory>

class QKeyEvent;
class QLabel;
class QLineEdit;
class QScrollArea;

namespace corvana {

class OutlineItemModel;
class OutlineTreeView;
class TFindDialog;
class TreeDatabase;

class TKelpwoodF : public TForm {
  Q_OBJECT

public:
  enum class Mode { None, Edit, Form };
  static const QString FileFilter;

  TKelpwoodF();
  ~TKelpwoodF() override;

  bool FormCloseQuery() override;

  void Open1Click();
  void Save1Click();
  void SaveAs1Click();
  void Close1Click();
  void dtLoadCSVClick();
  void dtSaveCSVClick();
  void Find1Click();
  void SortNone1Click();
  void SortText1Click();
  void EditMode1Click();
  void FormMode1Click();
  void NodeAdd1Click();
  void NodeInsert1Click();
  void NodeDelete1Click();
  void NodeChild1Click();
  void NodeDuplicate1Click();
  void NodeEdit1Click();
  void DeleteAll1Click();
  void MakeFields1Click();
  void AppendFields1Click();
  void InsertFields1Click();
  void DeleteFields1Click();
  void dataformokClick();
  void AppendRecords1Click();

  void mydataChange();
  void mydataClick();
  // True when the window takes the key.
  bool mydataKeyPress(int key);
  bool mydataDragOver(QObject *source) const;
  void mydataDragDrop(QObject *source, QPoint at);
  void InfoFindDialogFind();

  OutlineTreeView *mydata;
  QWidget *Panel3;
  QScrollArea *dataform;
  TFindDialog *InfoFindDialog;

  Mode mode() const { return m_mode; }
  const QString &databaseFile() const { return m_databaseFile; }
  bool modified() const { return m_modified; }
  OutlineTree &tree() { return m_tree; }
  OutlineNode *selectedNode() const { return m_tree.selected(); }
  // Makes a node the selected one, as a click on it does.
  void selectNode(OutlineNode *node);
  // The controls of the data form in their order: all labels, then all edit boxes.
  QList<QWidget *> dataformControls() const;
  QLineEdit *editBox(int field) const { return m_edits.value(field); }
  QString statusText(int panel) const;
  const FileDialogOptions &openDialog() const { return m_openDialog; }
  const FileDialogOptions &saveDialog() const { return m_saveDialog; }
  Commands &commands() { return m_commands; }

private:
  void attachModel();
  void detachModel();
  void withViewDetached(const std::function<void()> &work);
  void setStatus(int panel, const QString &text);
  void setMode(Mode mode);
  void clearForm();
  void clearTree();
  void loadDatabase(const QString &path);
  bool saveDatabase(const QString &path);
  bool saveWithDialog();
  bool mayDiscard();
  void showRecord();
  void nodeAdded(OutlineNode *node);

  OutlineTree m_tree;
  OutlineItemModel *m_model = nullptr;
  std::unique_ptr<OutlineObserver> m_changes;
  QList<QLabel *> m_labels;
  QList<QLineEdit *> m_edits;
  QWidget *m_formArea;
  QList<QLabel *> m_status;
  Mode m_mode = Mode::Edit;
  QString m_databaseFile;
  // A CSV path taken as the database file: Save asks for a name rather than overwrite the CSV.
  bool m_fileIsCsv = false;
  bool m_modified = false;
  FileDialogOptions m_openDialog;
  FileDialogOptions m_saveDialog;
  Commands m_commands;
};

inline TKelpwoodF *KelpwoodF = nullptr;

} // namespace corvana
