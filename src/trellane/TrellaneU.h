#pragma once
// The HTML wizard: tables and frame sets are built as trees of tag lines, their attributes
// edited through the node menu, previewed, and sent as HTML to an output memo to copy from.

#include "outline/OutlineTree.h"
#include "platform/CommandTable.h"
#include "platform/Forms.h"
#include "trellane/NodeCommands.h"

class QButtonGroup;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTabWidget;
class QTreeView;

namespace corvana {

class OutlineItemModel;
class TColorPanel;
class TFrameView;
enum class CellSpan;

class TTrellaneF : public TForm {
  Q_OBJECT

public:
  TTrellaneF();
  ~TTrellaneF() override;

  void FormCreate() override;

  void mywizardsChange();
  // Readies the node menu for the tree it opens on, which becomes the current tree.
  void infopopupPopup(QTreeView *tree);

  void AddList1Click();
  void AddListFirst1Click();
  void AddListInsert1Click();
  void AddChild1Click();
  void AddChildFirst1Click();
  void Duplicate1Click();
  void Delete1Click();
  void Source1Click();
  void MoveList1Click();
  void MoveListFirst1Click();
  void MoveListInsert1Click();
  void MoveChild1Click();
  void MoveChildFirst1Click();
  void TableTable1Click();
  void SpanCols1Click();
  void SpanRows1Click();
  void NoSpan1Click();
  void AlignSet1Click();
  void AlignDelete1Click();
  void AlignGet1Click();
  void ColorSet1Click();
  void ColorDelete1Click();
  void ColorGet1Click();
  void WidthSet1Click();
  void WidthDelete1Click();
  void WidthGet1Click();
  void Frameset1Click();
  void Frame1Click();

  void tablecolorsClick();
  void tablepreviewClick();
  void tablesokClick();
  void getframesourceClick();
  void framespreviewClick();
  void framesokClick();
  void frameseditClick();

  QTabWidget *mywizards;
  QTreeView *mytable;
  TFrameView *tableviewer;
  QComboBox *tablerows;
  QComboBox *tablecols;
  TColorPanel *tablecolors;
  QComboBox *tablealign;
  QLineEdit *tablewidth;
  QPushButton *tablepreview;
  QPushButton *tablesok;
  QTreeView *myframe;
  TFrameView *frameviewer;
  QComboBox *nrofframes;
  QGroupBox *framecolsrows;
  QLineEdit *framesource;
  QPushButton *getframesource;
  QLineEdit *framename;
  QPushButton *framespreview;
  QPushButton *framesok;
  QPushButton *framesedit;
  QPlainTextEdit *Memo1;

  // 0 for "cols", 1 for "rows".
  int framecolsrowsIndex() const;
  void setFramecolsrowsIndex(int index);
  // The view in front on the Frames page: the tree or the preview.
  QWidget *frontFrameWidget() const;

  OutlineTree &tableTree() { return m_table; }
  OutlineTree &frameTree() { return m_frames; }
  QTreeView *currentTreeView() const { return m_current; }
  OutlineNode *selectedNode() const;
  // Makes a node of the view's tree the selected one, as a click on it does.
  void selectNode(QTreeView *view, OutlineNode *node);
  OutlineNode *moveSource() const { return m_mover.source(); }
  QString previewFile() const { return m_appDir + QStringLiteral("preview.htm"); }
  Commands &commands() { return m_commands; }

private:
  QWidget *makeTablesPage();
  QWidget *makeFramesPage();
  QTreeView *makeTree(const QString &name, OutlineItemModel *model);
  OutlineTree &currentTree() { return m_current == mytable ? m_table : m_frames; }
  OutlineItemModel *currentModel() const { return m_current == mytable ? m_tableModel : m_frameModel; }
  void addNode(OutlineTree::MoveMode place);
  void moveSourceTo(OutlineTree::MoveMode mode);
  void setCell(CellSpan span);
  void setAttribute(const QString &key, const QString &value);
  void deleteAttribute(const QString &key);
  void sendToOutput(const QString &html);
  void showPreview(const QString &html, TFrameView *viewer);

  OutlineTree m_table;
  OutlineTree m_frames;
  OutlineItemModel *m_tableModel;
  OutlineItemModel *m_frameModel;
  NodeMover m_mover;
  QTreeView *m_current = nullptr;
  QButtonGroup *m_colsRows = nullptr;
  QStackedWidget *m_frameArea = nullptr;
  Commands m_commands;
  QString m_appDir;
};

inline TTrellaneF *TrellaneF = nullptr;

} // namespace corvana
