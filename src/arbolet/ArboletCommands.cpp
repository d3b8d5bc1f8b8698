// The notebook window's commands: HTML snippets into the source pane, the notebook's files,
// editing, the topics of the tree and the slide show.

#include "arbolet/ArboletU.h"

#include "arbolet/NotebookRules.h"
#include "arbolet/Snippets.h"
#include "controls/FindDialog.h"
#include "core/TextFiles.h"
#include "htmlview/HtmlView.h"
#include "outlineview/OutlineTreeView.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/UnsavedDocument.h"

#include <QPlainTextEdit>
#include <QTextDocumentFragment>
#include <QTimer>

namespace corvana {

namespace {
const QByteArray NewNode = "new node";
} // namespace

// ---- snippets

void TArboletF::insertSnippet(SnippetKind kind) {
  if (checked("Html1"))
    return;
  QTextCursor cursor = helptext->textCursor();
  cursor.insertText(ApplySnippet(SnippetOf(kind), cursor.selection().toPlainText()));
  helptext->setTextCursor(cursor);
  helptext->setFocus();
}

void TArboletF::HTML1Click() { insertSnippet(SnippetKind::Html); }
void TArboletF::Anchor1Click() { insertSnippet(SnippetKind::Anchor); }
void TArboletF::Link1Click() { insertSnippet(SnippetKind::Link); }
void TArboletF::TopicHead1Click() { insertSnippet(SnippetKind::TopicHead); }
void TArboletF::Paragraph1Click() { insertSnippet(SnippetKind::Paragraph); }
void TArboletF::Bold1Click() { insertSnippet(SnippetKind::Bold); }
void TArboletF::Italic1Click() { insertSnippet(SnippetKind::Italic); }
void TArboletF::Rule1Click() { insertSnippet(SnippetKind::Rule); }
void TArboletF::Break1Click() { insertSnippet(SnippetKind::Break); }
void TArboletF::Button1Click() { insertSnippet(SnippetKind::Button); }
void TArboletF::Form1Click() { insertSnippet(SnippetKind::Form); }
void TArboletF::FormResults1Click() { insertSnippet(SnippetKind::FormResults); }

void TArboletF::insertFileSnippet(const std::function<QString(const QString &)> &make) {
  m_openDialog.filter.clear();
  if (!Application().dialogs().openFile(m_openDialog))
    return;
  helptext->textCursor().insertText(make(m_openDialog.fileName));
}

void TArboletF::Image1Click() { insertFileSnippet(ImageSnippet); }

void TArboletF::Media1Click() { insertFileSnippet(MediaSnippet); }

void TArboletF::Font1Click() {
  FontChoice choice;
  choice.name = helptext->font().family();
  choice.size = helptext->font().pointSize();
  if (!Application().dialogs().font(choice))
    return;
  QFont font = helptext->font();
  font.setFamily(choice.name);
  font.setPointSize(choice.size);
  helptext->setFont(font);
}

void TArboletF::Load1Click() {
  if (Application().dialogs().openFile(m_openDialog))
    helptext->setPlainText(ReadLines(m_openDialog.fileName).join(u'\n'));
}

void TArboletF::SaveInfo1Click() {
  if (Application().dialogs().saveFile(m_saveDialog))
    WriteLines(m_saveDialog.fileName, SplitLines(helptext->toPlainText()));
}

void TArboletF::BackGround1Click() {
  TColor color = infoviewer->DefBackground();
  if (Application().dialogs().color(color))
    infoviewer->setDefBackground(color);
}

// ---- file commands

void TArboletF::loadNotebook(const QString &path) {
  m_treeReplaced = false;
  try {
    m_tree.LoadFromFile(path);
  } catch (const Error &) {
    // A file that failed part-way is not saved over with the part read: Save asks for a name.
    if (m_treeReplaced) {
      m_notebookFile.clear();
      setStatus(0, QString());
    }
    throw;
  }
  m_modified = false;
}

void TArboletF::saveNotebook(const QString &path) {
  m_tree.SaveToFile(path);
  m_modified = false;
}

bool TArboletF::saveWithDialog() {
  if (!Application().dialogs().saveFile(m_saveDialog))
    return false;
  m_notebookFile = m_saveDialog.fileName;
  setStatus(0, ExtractFileName(m_notebookFile));
  saveNotebook(m_notebookFile);
  return true;
}

bool TArboletF::FormCloseQuery() {
  if (!m_modified)
    return true;
  return MayCloseDocument(Application().dialogs(), {m_notebookFile, [this] {
                                                      if (m_notebookFile.isEmpty())
                                                        return saveWithDialog();
                                                      saveNotebook(m_notebookFile);
                                                      return true;
                                                    }});
}

void TArboletF::Open1Click() {
  // Opening replaces the notebook: changes not saved are asked about first.
  if (!FormCloseQuery())
    return;
  if (!Application().dialogs().openFile(m_openDialog))
    return;
  m_notebookFile = m_openDialog.fileName;
  setStatus(0, ExtractFileName(m_notebookFile));
  loadNotebook(m_notebookFile);
}

void TArboletF::Save1Click() {
  if (m_notebookFile.isEmpty())
    saveWithDialog();
  else
    saveNotebook(m_notebookFile);
}

void TArboletF::SaveAs1Click() { saveWithDialog(); }

void TArboletF::clearTree() {
  m_tree.BeginUpdate();
  m_tree.Clear();
  m_tree.EndUpdate();
}

void TArboletF::Close1Click() {
  if (m_notebookFile.isEmpty() || !Application().dialogs().confirm(QStringLiteral("Clear All Nodes?")))
    return;
  clearTree();
  m_notebookFile.clear();
  m_modified = false;
  setStatus(0, QString());
}

// ---- edit commands

void TArboletF::InsertDate1Click() {
  if (OutlineNode *node = m_tree.selected())
    m_tree.setText(node, NotebookDate(QDate::currentDate()));
}

void TArboletF::Find1Click() { InfoFindDialog->Execute(); }

void TArboletF::InfoFindDialogFind() {
  if (m_tree.isEmpty())
    return;
  if (!m_tree.selected())
    myhelp->setCurrentNode(m_tree.firstNode());
  if (OutlineNode *found = FindNodeFrom(m_tree.selected(), InfoFindDialog->FindText())) {
    myhelp->setCurrentNode(found);
    myhelp->setFocus();
  }
}

void TArboletF::SortNone1Click() { m_tree.setSortMode(OutlineTree::SortMode::None); }

void TArboletF::SortText1Click() { m_tree.setSortMode(OutlineTree::SortMode::Text); }

// ---- node commands

void TArboletF::NodeAdd1Click() {
  m_tree.BeginUpdate();
  OutlineNode *node = m_tree.Add(m_tree.selected(), NewNode);
  m_tree.EndUpdate();
  myhelp->setCurrentNode(node);
}

void TArboletF::NodeInsert1Click() {
  OutlineNode *selected = m_tree.selected();
  if (!selected)
    return;
  m_tree.BeginUpdate();
  OutlineNode *node = m_tree.Insert(selected, NewNode);
  m_tree.EndUpdate();
  myhelp->setCurrentNode(node);
}

void TArboletF::NodeChild1Click() {
  OutlineNode *selected = m_tree.selected();
  expandParentOf(m_tree.AddChild(selected, NewNode));
  myhelp->setCurrentNode(selected);
}

void TArboletF::NodeDelete1Click() {
  if (OutlineNode *selected = m_tree.selected())
    m_tree.Delete(selected);
}

void TArboletF::NodeDuplicate1Click() {
  OutlineNode *selected = m_tree.selected();
  if (!selected)
    return;
  OutlineNode *copy = m_tree.Add(selected, selected->text());
  m_tree.copyChildren(selected, copy);
  myhelp->setCurrentNode(selected);
}

void TArboletF::DeleteAll1Click() {
  if (m_mode != QStringLiteral("edit") || !Application().dialogs().confirm(QStringLiteral("Delete all nodes?")))
    return;
  clearTree();
}

bool TArboletF::myhelpDragOver(QObject *source) const { return OutlineTreeView::IsTreeDragSource(source); }

void TArboletF::myhelpDragDrop(QObject *source, QPoint at) { myhelp->dropSelectedNode(m_tree, source, at); }

// ---- slide show

void TArboletF::infoPlayClick() {
  if (m_tree.isEmpty())
    return;
  m_lastTopic = LastTopic(m_tree);
  if (!m_tree.selected())
    myhelp->setCurrentNode(m_tree.firstNode());
  infotimer->start();
}

// Each slide also shows its page, as a click would: a show that only moved the selection would
// leave the same page on screen.
void TArboletF::infotimerTimer() { selectNode(NextSlide(m_tree, m_tree.selected(), m_lastTopic)); }

void TArboletF::inforewindClick() {
  infotimer->stop();
  myhelp->setCurrentNode(m_tree.firstNode());
}

void TArboletF::InfoStopClick() { infotimer->stop(); }

void TArboletF::infospeedUpClick() {
  infotimer->setInterval(SlowerSlides(infotimer->interval()));
  infospeed->setToolTip(SpeedHint(infotimer->interval()));
}

void TArboletF::infospeedDownClick() {
  infotimer->setInterval(FasterSlides(infotimer->interval()));
  infospeed->setToolTip(SpeedHint(infotimer->interval()));
}

} // namespace corvana
