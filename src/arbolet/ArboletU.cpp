#include "arbolet/ArboletU.h"

#include "outline/OutlineChangeFlag.h"

#include "arbolet/NotebookRules.h"
#include "controls/ButtonIcons.h"
#include "controls/FindDialog.h"
#include "core/TextFiles.h"
#include "htmlview/HtmlView.h"
#include "outline/OutlineItemModel.h"
#include "outlineview/OutlineTreeView.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "platform/StatusPanels.h"

#include <QAction>
#include <QBoxLayout>
#include <QHash>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QStackedWidget>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>

namespace corvana {

namespace {
using T = TArboletF;
const CommandRow<T> Rows[] = {
    {"", "File1", "&File", {}, nullptr, nullptr, Submenu},
    {"File1", "Open1", "&Open...", Qt::CTRL | Qt::Key_O, &T::Open1Click},
    {"File1", "Save1", "&Save", Qt::CTRL | Qt::Key_S, &T::Save1Click},
    {"File1", "SaveAs1", "Save &As", {}, &T::SaveAs1Click},
    {"File1", "Close1", "&Close", {}, &T::Close1Click},
    {"File1", "Exit1", "E&xit"},
    {"", "Edit1", "&Edit", {}, nullptr, nullptr, Submenu},
    {"Edit1", "InsertDate1", "Insert &Date", {}, &T::InsertDate1Click},
    {"Edit1", "Find1", "&Find...", Qt::CTRL | Qt::Key_F, &T::Find1Click},
    {"Edit1", "Sort1", "&Sort", {}, nullptr, nullptr, Submenu},
    {"Sort1", "SortNone1", "&None", {}, &T::SortNone1Click, nullptr, Checked, "sort"},
    {"Sort1", "SortText1", "&Text", {}, &T::SortText1Click, nullptr, Checkable, "sort"},
    {"", "Insert1", "&Insert", {}, nullptr, nullptr, Submenu},
    {"Insert1", "HTML1", "&HTML", {}, &T::HTML1Click},
    {"Insert1", "Anchor1", "&Anchor", {}, &T::Anchor1Click},
    {"Insert1", "Link1", "&Link", {}, &T::Link1Click},
    {"Insert1", "TopicHead1", "&Topic Head", {}, &T::TopicHead1Click},
    {"Insert1", "Paragraph1", "&Paragraph", {}, &T::Paragraph1Click},
    {"Insert1", "Bold1", "&Bold", Qt::CTRL | Qt::Key_B, &T::Bold1Click},
    {"Insert1", "Italic1", "&Italic", Qt::CTRL | Qt::Key_I, &T::Italic1Click},
    {"Insert1", "Rule1", "&Rule", {}, &T::Rule1Click},
    {"Insert1", "Break1", "Brea&k", {}, &T::Break1Click},
    {"Insert1", "Button1", "&Button", {}, &T::Button1Click},
    {"Insert1", "Form1", "&Form", {}, &T::Form1Click},
    {"Insert1", "FormResults1", "Form Results", {}, &T::FormResults1Click},
    {"", "Node1", "&Node", {}, nullptr, nullptr, Submenu},
    {"Node1", "NodeAdd1", "&Add", Qt::Key_F2, &T::NodeAdd1Click},
    {"Node1", "NodeInsert1", "&Insert", Qt::SHIFT | Qt::Key_F2, &T::NodeInsert1Click},
    {"Node1", "NodeDelete1", "&Delete", Qt::CTRL | Qt::Key_F2, &T::NodeDelete1Click},
    {"Node1", "NodeChild1", "&Child", Qt::Key_F3, &T::NodeChild1Click},
    {"Node1", "NodeDuplicate1", "&Duplicate", Qt::SHIFT | Qt::Key_F3, &T::NodeDuplicate1Click},
    {"Node1", "DeleteAll1", "Delete All", {}, &T::DeleteAll1Click},
    {"Node1", "NodeEdit1", "&Edit", Qt::Key_F4, &T::NodeEdit1Click},
    {"Node1", "GetText1", "&Get Text", Qt::SHIFT | Qt::Key_F4, &T::GetText1Click},
    {"", "Info1", "&Info", {}, nullptr, nullptr, Submenu},
    {"Info1", "view", "&View", Qt::Key_F5, &T::viewClick, nullptr, Checked},
    {"Info1", "Html1", "&Html", Qt::Key_F6, &T::Html1Click, nullptr, Checked},
    {"Info1", "Font1", "&Font...", {}, &T::Font1Click},
    {"Info1", "Image1", "&Image...", {}, &T::Image1Click},
    {"Info1", "Media1", "&Media...", {}, &T::Media1Click},
    {"Info1", "Load1", "&Load...", {}, &T::Load1Click},
    {"Info1", "SaveInfo1", "&Save...", {}, &T::SaveInfo1Click},
    {"", "Options1", "&Options", {}, nullptr, nullptr, Submenu},
    {"Options1", "BackGround1", "&BackGround", {}, &T::BackGround1Click},
    {"#ToolBar1", "goOpen", "", {}, &T::Open1Click},
    {"#ToolBar1", "goSave", "", {}, &T::SaveAs1Click},
    {"#ToolBar1", "goClose", "", {}, &T::Close1Click},
    {"#ToolBar1", "ToolSep1", "-", {}, nullptr, nullptr, Separator},
    {"#ToolBar1", "goHeading", "", {}, &T::TopicHead1Click, "Heading"},
    {"#ToolBar1", "goPara", "", {}, &T::Paragraph1Click, "Paragraph"},
    {"#ToolBar1", "goBold", "", {}, &T::Bold1Click, "Bold"},
    {"#ToolBar1", "goItalic", "", {}, &T::Italic1Click, "Italic"},
    {"#ToolBar1", "goRule", "", {}, &T::Rule1Click, "Horizontal Rule"},
    {"#ToolBar1", "goBreak", "", {}, &T::Break1Click, "Break"},
    {"#ToolBar1", "goButton", "", {}, &T::Button1Click, "Button"},
    {"#ToolBar1", "goForm", "", {}, &T::Form1Click, "Form"},
    {"#ToolBar1", "ToolSep2", "-", {}, nullptr, nullptr, Separator},
    {"#ToolBar1", "goAddNode", "", {}, &T::NodeAdd1Click},
    {"#ToolBar1", "goInsertNode", "", {}, &T::NodeInsert1Click},
    {"#ToolBar1", "goDeleteNode", "", {}, &T::NodeDelete1Click},
    {"#ToolBar1", "goAddChild", "", {}, &T::NodeChild1Click},
    {"#ToolBar1", "goDupNode", "", {}, &T::NodeDuplicate1Click},
    {"#ToolBar1", "goEditNode", "", {}, &T::NodeEdit1Click},
    {"#ToolBar1", "ToolSep3", "-", {}, nullptr, nullptr, Separator},
    {"#ToolBar1", "inforewind", "", {}, &T::inforewindClick, "Rewind"},
    {"#ToolBar1", "infoPlay", "", {}, &T::infoPlayClick, "Play"},
    {"#ToolBar1", "InfoStop", "", {}, &T::InfoStopClick, "Stop"},
};
const QHash<QString, QString> Icons{
    {"goOpen", "document-open"},
    {"goSave", "document-save"},
    {"goClose", "document-close"},
    {"goHeading", "format-text-underline"},
    {"goPara", "format-justify-left"},
    {"goBold", "format-text-bold"},
    {"goItalic", "format-text-italic"},
    {"goRule", "format-justify-center"},
    {"goBreak", "format-justify-right"},
    {"goButton", "dialog-ok"},
    {"goForm", "text-html"},
    {"goAddNode", "list-add"},
    {"goInsertNode", "document-new"},
    {"goDeleteNode", "list-remove"},
    {"goAddChild", "format-list-unordered"},
    {"goDupNode", "edit-copy"},
    {"goEditNode", "document-edit"},
    {"inforewind", "edit-undo"},
    {"infoPlay", "media-playback-start"},
    {"InfoStop", "list-remove"},
};

constexpr int InitialInterval = 1000;
} // namespace

// Notes changes to the notebook, so the window knows when it needs saving, and forgets the
// slide show's last topic when that node goes.
class TArboletF::Changes : public OutlineChangeFlag {
public:
  explicit Changes(TArboletF &window) : OutlineChangeFlag(window.m_modified), m_window(window) {}
  void nodeAboutToBeRemoved(OutlineNode *node) override {
    if (m_window.m_lastTopic && node->contains(m_window.m_lastTopic))
      m_window.m_lastTopic = nullptr;
  }
  void aboutToReset() override {
    m_window.m_lastTopic = nullptr;
    m_window.m_treeReplaced = true;
  }

private:
  TArboletF &m_window;
};

TArboletF::TArboletF() : TForm(Kind::MdiChild, QStringLiteral("ArboletF")), m_changes(new Changes(*this)) {
  setWindowTitle(QStringLiteral("Arbolet 2"));
  setDesignedState(true, true);
  setDesignedGeometry(0, 0, 640, 440);
  m_tree.addObserver(m_changes.get());
  m_commands.build(this, Rows, [](const QString &name) { return ButtonIcon(Icons.value(name)); });

  Splitter1 = new QSplitter(Qt::Horizontal, this);
  Splitter1->setObjectName(QStringLiteral("Splitter1"));
  Splitter1->setChildrenCollapsible(false);
  myhelp = new OutlineTreeView(Splitter1);
  myhelp->setObjectName(QStringLiteral("myhelp"));
  myhelp->setStartsDrags(true);
  myhelp->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::EditKeyPressed);
  m_panes = new QStackedWidget(Splitter1);
  m_panes->setObjectName(QStringLiteral("InfoPanes"));
  helptext = new QPlainTextEdit(m_panes);
  helptext->setObjectName(QStringLiteral("helptext"));
  helptext->setLineWrapMode(QPlainTextEdit::NoWrap);
  helptext->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  infoviewer = new THtmlView(m_panes);
  infoviewer->setObjectName(QStringLiteral("infoviewer"));
  infoviewer->setViewImages(true);
  infoviewer->setHistoryMaxCount(0);
  infoviewer->setDefFontName(QStringLiteral("Times New Roman"));
  infoviewer->setDefPreFontName(QStringLiteral("Courier New"));
  infoviewer->PrintMarginLeft = infoviewer->PrintMarginRight = 2.0;
  infoviewer->PrintMarginTop = infoviewer->PrintMarginBottom = 2.0;
  m_panes->addWidget(helptext);
  m_panes->addWidget(infoviewer);
  m_panes->setCurrentWidget(infoviewer);
  Splitter1->addWidget(myhelp);
  Splitter1->addWidget(m_panes);
  Splitter1->setStretchFactor(1, 1);
  Splitter1->setSizes({190, 450});
  setCentralWidget(Splitter1);

  m_status = BuildStatusPanels(this, {{200}, {100, false, 1}});
  setStatus(1, QStringLiteral("View Mode"));

  infotimer = new QTimer(this);
  infotimer->setObjectName(QStringLiteral("infotimer"));
  infotimer->setInterval(InitialInterval);
  connect(infotimer, &QTimer::timeout, this, [this] { guarded([this] { infotimerTimer(); }); });

  infospeed = new QWidget(this);
  infospeed->setObjectName(QStringLiteral("infospeed"));
  infospeed->setToolTip(QStringLiteral("infospeed 3000"));
  auto *arrows = new QVBoxLayout(infospeed);
  arrows->setContentsMargins(0, 0, 0, 0);
  arrows->setSpacing(0);
  for (auto [button, name, arrow] : {std::tuple{&infospeedUp, "infospeedUp", Qt::UpArrow},
                                     std::tuple{&infospeedDown, "infospeedDown", Qt::DownArrow}}) {
    *button = new QToolButton(infospeed);
    (*button)->setObjectName(QString::fromUtf8(name));
    (*button)->setArrowType(arrow);
    (*button)->setFixedSize(18, 11);
    arrows->addWidget(*button);
  }
  connect(infospeedUp, &QToolButton::clicked, this, [this] { guarded([this] { infospeedUpClick(); }); });
  connect(infospeedDown, &QToolButton::clicked, this, [this] { guarded([this] { infospeedDownClick(); }); });
  if (QToolBar *bar = m_commands.toolBar(QStringLiteral("ToolBar1")))
    bar->insertWidget(m_commands.action(QStringLiteral("inforewind")), infospeed);

  InfoFindDialog = new TFindDialog(this);
  InfoFindDialog->setObjectName(QStringLiteral("InfoFindDialog"));
  connect(InfoFindDialog, &TFindDialog::find, this, [this] { guarded([this] { InfoFindDialogFind(); }); });

  playSound = [](const QString &file) { return PlaySound(file); };
  startProgram = [](const QString &file) { return StartProgram(file, {}); };
  playMedia = [](const QString &file) { return PlayMedia(file); };

  myhelp->OnDragOver = [this](QObject *source) { return myhelpDragOver(source); };
  myhelp->OnDragDrop = [this](QObject *source, QPoint at) { guarded([&] { myhelpDragDrop(source, at); }); };
  connect(myhelp, &QTreeView::clicked, this, [this] { guarded([this] { myhelpClick(); }); });
  infoviewer->OnHotSpotClick = [this](const QString &src, bool &handled) {
    guarded([&] { infoviewerHotSpotClick(src, handled); });
  };
  infoviewer->OnFormSubmit = [this](const QString &action, const QString &, const QString &, const QString &,
                                    const QStringList &results) {
    guarded([&] { infoviewerFormSubmit(action, results); });
  };
  infoviewer->OnObjectClick = [this](const THtmlFormControl &control, const QString &onClick) {
    guarded([&] { infoviewerObjectClick(control, onClick); });
  };

  m_model = new OutlineItemModel(m_tree, this);
  m_model->setEditable(true);
  myhelp->setModel(m_model);
  connect(myhelp->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex &current) { m_tree.setSelected(m_model->nodeOf(current)); });
}

// The view and its model go before the tree they show, which is a member and would go first.
TArboletF::~TArboletF() {
  myhelp->setModel(nullptr);
  delete m_model;
  m_tree.removeObserver(m_changes.get());
}

void TArboletF::FormCreate() {
  m_notebookFile = AppDir() + QStringLiteral("myinfo.txt");
  // A missing notebook is reported; the window still opens, empty, and Save creates the file.
  guarded([this] { loadNotebook(m_notebookFile); });
  m_modified = false;
  if (OutlineNode *first = m_tree.firstNode())
    selectNode(first);
}

bool TArboletF::checked(const char *name) const {
  QAction *action = m_commands.action(QString::fromUtf8(name));
  return action && action->isChecked();
}

QString TArboletF::statusText(int panel) const { return m_status.value(panel) ? m_status[panel]->text() : QString(); }

void TArboletF::setStatus(int panel, const QString &text) {
  if (QLabel *label = m_status.value(panel))
    label->setText(text);
}

QWidget *TArboletF::frontPane() const { return m_panes->currentWidget(); }

void TArboletF::selectNode(OutlineNode *node) {
  myhelp->setCurrentNode(node);
  m_tree.setSelected(node);
  if (node)
    myhelpClick();
}

void TArboletF::expandParentOf(OutlineNode *node) {
  if (OutlineNode *parent = node->parent())
    myhelp->expand(m_model->indexOf(parent));
}

// ---- pages and modes

void TArboletF::showPage() {
  if (m_mode != QStringLiteral("view"))
    return;
  const std::optional<QString> page = PageOf(m_tree.selected());
  if (!page)
    return;
  helptext->setPlainText(UnifyLineEnds(*page));
  if (checked("Html1"))
    infoviewer->LoadStrings(SplitLines(helptext->toPlainText()));
}

void TArboletF::myhelpClick() { showPage(); }

void TArboletF::viewClick() {
  if (checked("view")) {
    m_mode = QStringLiteral("view");
    setStatus(1, QStringLiteral("View Mode"));
    m_panes->setCurrentWidget(infoviewer);
  } else {
    m_mode = QStringLiteral("edit");
    setStatus(1, QStringLiteral("Edit Mode"));
    m_panes->setCurrentWidget(helptext);
  }
}

void TArboletF::Html1Click() {
  m_panes->setCurrentWidget(checked("Html1") ? static_cast<QWidget *>(infoviewer) : helptext);
}

void TArboletF::NodeEdit1Click() {
  OutlineNode *node = m_tree.selected();
  if (m_mode != QStringLiteral("edit") || !node || node->isTopLevel())
    return;
  helptext->setPlainText(UnifyLineEnds(Decode(node->textString())));
  helptext->setFocus();
}

void TArboletF::GetText1Click() {
  OutlineNode *node = m_tree.selected();
  if (m_mode != QStringLiteral("edit") || !node || node->isTopLevel())
    return;
  m_tree.setText(node, Encode(helptext->toPlainText()));
  myhelp->setFocus();
}

// ---- events of the rendered page

void TArboletF::infoviewerHotSpotClick(const QString &src, bool &handled) {
  const NotebookLink link =
      NotebookLinkAction(src, [this](const QString &name) { return infoviewer->HTMLExpandFilename(name); });
  bool started = true;
  switch (link.kind) {
  case NotebookLink::Kind::LeaveToView:
    return;
  case NotebookLink::Kind::PlaySound:
    playSound(link.file);
    break;
  case NotebookLink::Kind::StartProgram:
    started = startProgram(link.file);
    break;
  case NotebookLink::Kind::PlayMedia:
    started = playMedia(link.file);
    break;
  }
  handled = true;
  if (!started)
    Application().dialogs().message(QStringLiteral("failed to execute"));
}

void TArboletF::infoviewerFormSubmit(const QString &action, const QStringList &results) {
  WriteLines(SubmitFile(AppDir(), action), results);
}

void TArboletF::infoviewerObjectClick(const THtmlFormControl &control, const QString &onClick) {
  if (control.isPushButton() && !onClick.isEmpty())
    Application().dialogs().message(onClick);
}

} // namespace corvana
