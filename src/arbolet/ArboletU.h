#pragma once
// The outline notebook: topics in a tree on the left, and on the right the selected topic's
// page, rendered or as HTML source. In view mode a click shows a page; in edit mode a page is
// loaded into the memo, changed with the snippet commands and written back. A timer steps the
// selection through the topics as a slide show.

#include "arbolet/Snippets.h"
#include "outline/OutlineTree.h"
#include "platform/CommandTable.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"

#include <QList>
#include <functional>
#include <memory>

class QLabel;
class QPlainTextEdit;
class QSplitter;
class QStackedWidget;
class QTimer;
class QToolButton;

namespace corvana {

class OutlineItemModel;
class OutlineTreeView;
class TFindDialog;
class THtmlView;
struct THtmlFormControl;

class TArboletF : public TForm {
  Q_OBJECT

public:
  TArboletF();
  ~TArboletF() override;

  void FormCreate() override;
  bool FormCloseQuery() override;

  void Open1Click();
  void Save1Click();
  void SaveAs1Click();
  void Close1Click();
  void InsertDate1Click();
  void Find1Click();
  void SortNone1Click();
  void SortText1Click();
  void HTML1Click();
  void Anchor1Click();
  void Link1Click();
  void TopicHead1Click();
  void Paragraph1Click();
  void Bold1Click();
  void Italic1Click();
  void Rule1Click();
  void Break1Click();
  void Button1Click();
  void Form1Click();
  void FormResults1Click();
  void NodeAdd1Click();
  void NodeInsert1Click();
  void NodeDelete1Click();
  void NodeChild1Click();
  void NodeDuplicate1Click();
  void DeleteAll1Click();
  void NodeEdit1Click();
  void GetText1Click();
  void viewClick();
  void Html1Click();
  void Font1Click();
  void Image1Click();
  void Media1Click();
  void Load1Click();
  void SaveInfo1Click();
  void BackGround1Click();
  void infoPlayClick();
  void inforewindClick();
  void InfoStopClick();
  void infotimerTimer();
  void infospeedUpClick();
  void infospeedDownClick();

  void myhelpClick();
  bool myhelpDragOver(QObject *source) const;
  void myhelpDragDrop(QObject *source, QPoint at);
  void InfoFindDialogFind();
  void infoviewerHotSpotClick(const QString &src, bool &handled);
  void infoviewerFormSubmit(const QString &action, const QStringList &results);
  void infoviewerObjectClick(const THtmlFormControl &control, const QString &onClick);

  OutlineTreeView *myhelp;
  QSplitter *Splitter1;
  QPlainTextEdit *helptext;
  THtmlView *infoviewer;
  QTimer *infotimer;
  QWidget *infospeed;
  QToolButton *infospeedUp;
  QToolButton *infospeedDown;
  TFindDialog *InfoFindDialog;

  const QString &mode() const { return m_mode; }
  const QString &notebookFile() const { return m_notebookFile; }
  bool modified() const { return m_modified; }
  OutlineTree &tree() { return m_tree; }
  OutlineNode *selectedNode() const { return m_tree.selected(); }
  // Makes a node the selected one, as a click on it does.
  void selectNode(OutlineNode *node);
  // The pane in front: helptext or infoviewer.
  QWidget *frontPane() const;
  QString statusText(int panel) const;
  Commands &commands() { return m_commands; }

  // How the window reaches the desktop for link clicks; tests record the calls instead.
  std::function<bool(const QString &)> playSound;
  std::function<bool(const QString &)> startProgram;
  std::function<bool(const QString &)> playMedia;

private:
  class Changes;

  bool checked(const char *name) const;
  void setStatus(int panel, const QString &text);
  void showPage();
  void insertSnippet(SnippetKind kind);
  void insertFileSnippet(const std::function<QString(const QString &)> &make);
  void loadNotebook(const QString &path);
  void saveNotebook(const QString &path);
  bool saveWithDialog();
  void clearTree();
  void expandParentOf(OutlineNode *node);

  OutlineTree m_tree;
  OutlineItemModel *m_model = nullptr;
  std::unique_ptr<Changes> m_changes;
  QStackedWidget *m_panes;
  QList<QLabel *> m_status;
  QString m_mode = QStringLiteral("view");
  QString m_notebookFile;
  OutlineNode *m_lastTopic = nullptr;
  bool m_modified = false;
  bool m_treeReplaced = false; // the tree was reset since a load began
  FileDialogOptions m_openDialog;
  FileDialogOptions m_saveDialog;
  Commands m_commands;
};

inline TArboletF *ArboletF = nullptr;

} // namespace corvana
