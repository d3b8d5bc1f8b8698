#pragma once
// The image-map editor: a marker is moved and sized over a picture, each of its places is kept
// as a hot spot with a link in a tree, and the map's HTML is written and tried out.

#include "outline/OutlineTree.h"
#include "platform/CommandTable.h"
#include "platform/Forms.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QScrollArea;
class QTabWidget;
class QTreeView;

namespace corvana {

class OutlineItemModel;
class THtmlView;
class TRichEdit;
class TSizerControl;

class TZonellaF : public TForm {
  Q_OBJECT

public:
  TZonellaF();
  ~TZonellaF() override;

  void FormCreate() override;
  bool FormCloseQuery() override;

  void goPictureClick();
  void goNewClick();
  void goOpenClick();
  void goSaveClick();
  void goCloseClick();
  void goAddClick();
  void goDeleteClick();
  void goEditClick();
  void HotspotsClick();
  void Button1Click();
  void PageControl1Change();
  void HtmlView1HotSpotCovered(const QString &url);

  bool loadPicture(const QString &path);
  bool loadTree(const QString &path);
  bool saveTree(const QString &path);
  // Selects a node in the tree view, as a click there does (without the click's effects).
  void selectNode(OutlineNode *node);
  OutlineNode *selectedNode() const;

  static const QString PictureFilter;
  static const QString TreeFilter;

  QTabWidget *PageControl1;
  QScrollArea *ScrollBox1;
  QLabel *Image1;
  QPushButton *Button1;
  TRichEdit *Editor;
  THtmlView *HtmlView1;
  QLineEdit *HREF;
  QTreeView *Hotspots;
  QLabel *StatusBar;

  OutlineTree &tree() { return m_tree; }
  bool modified() const { return m_modified; }
  const QString &picturePath() const { return m_picturePath; }
  Commands &commands() { return m_commands; }
  TSizerControl *sizer() const;

private:
  QRect markerArea() const;
  // Asks about unsaved hot spots before they are cleared; false keeps them.
  bool mayDiscard();
  bool saveWithDialog();

  OutlineTree m_tree;
  OutlineItemModel *m_model;
  Commands m_commands;
  QString m_picturePath;
  QString m_treeFile;
  QString m_appDir;
  bool m_modified = false;
};

inline TZonellaF *ZonellaF = nullptr;

} // namespace corvana
