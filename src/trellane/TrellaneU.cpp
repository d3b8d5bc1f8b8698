#include "trellane/TrellaneU.h"

#include "core/TextFiles.h"
#include "htmlview/HtmlView.h"
#include "outline/OutlineItemModel.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "trellane/ColorPanel.h"
#include "trellane/TableWizard.h"
#include "trellane/TagAttributes.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

namespace corvana {

namespace {
using T = TTrellaneF;
using Mode = OutlineTree::MoveMode;
const CommandRow<T> Rows[] = {
    {"", "infopopup", "", {}, nullptr, nullptr, Popup},
    {"infopopup", "Add1", "Add", {}, nullptr, nullptr, Submenu},
    {"Add1", "AddList1", "List", {}, &T::AddList1Click},
    {"Add1", "AddListFirst1", "List First", {}, &T::AddListFirst1Click},
    {"Add1", "AddListInsert1", "List Insert", {}, &T::AddListInsert1Click},
    {"Add1", "AddChild1", "Child", {}, &T::AddChild1Click},
    {"Add1", "AddChildFirst1", "Child First", {}, &T::AddChildFirst1Click},
    {"infopopup", "Duplicate1", "Duplicate", {}, &T::Duplicate1Click},
    {"infopopup", "Delete1", "Delete", {}, &T::Delete1Click},
    {"infopopup", "Source1", "Source", {}, &T::Source1Click},
    {"infopopup", "Move1", "Move", {}, nullptr, nullptr, Submenu},
    {"Move1", "MoveList1", "List", {}, &T::MoveList1Click},
    {"Move1", "MoveListFirst1", "List First", {}, &T::MoveListFirst1Click},
    {"Move1", "MoveListInsert1", "List Insert", {}, &T::MoveListInsert1Click},
    {"Move1", "MoveChild1", "Child", {}, &T::MoveChild1Click},
    {"Move1", "MoveChildFirst1", "Child First", {}, &T::MoveChildFirst1Click},
    {"infopopup", "Table1", "Table", {}, nullptr, nullptr, Submenu},
    {"Table1", "TableTable1", "Table", {}, &T::TableTable1Click},
    // A row has nothing of its own to set: the item stays greyed.
    {"Table1", "TableRow1", "Row"},
    {"Table1", "Cell1", "Cell", {}, nullptr, nullptr, Submenu},
    {"Cell1", "SpanCols1", "Span cols", {}, &T::SpanCols1Click},
    {"Cell1", "SpanRows1", "Span rows", {}, &T::SpanRows1Click},
    {"Cell1", "NoSpan1", "No span", {}, &T::NoSpan1Click},
    {"Table1", "Align1", "Align", {}, nullptr, nullptr, Submenu},
    {"Align1", "AlignSet1", "Set", {}, &T::AlignSet1Click},
    {"Align1", "AlignDelete1", "Delete", {}, &T::AlignDelete1Click},
    {"Align1", "AlignGet1", "Get", {}, &T::AlignGet1Click},
    {"Table1", "Color1", "Color", {}, nullptr, nullptr, Submenu},
    {"Color1", "ColorSet1", "Set", {}, &T::ColorSet1Click},
    {"Color1", "ColorDelete1", "Delete", {}, &T::ColorDelete1Click},
    {"Color1", "ColorGet1", "Get", {}, &T::ColorGet1Click},
    {"Table1", "Width1", "Width", {}, nullptr, nullptr, Submenu},
    {"Width1", "WidthSet1", "Set", {}, &T::WidthSet1Click},
    {"Width1", "WidthDelete1", "Delete", {}, &T::WidthDelete1Click},
    {"Width1", "WidthGet1", "Get", {}, &T::WidthGet1Click},
    {"infopopup", "Frames1", "Frames", {}, nullptr, nullptr, Submenu},
    {"Frames1", "Frameset1", "Frameset", {}, &T::Frameset1Click},
    {"Frames1", "Frame1", "Frame", {}, &T::Frame1Click},
};

enum Page { TablesPage, FramesPage, OutputPage };

const QString AlignKey = QStringLiteral("ALIGN=");
const QString ColorKey = QStringLiteral("BGCOLOR=");
const QString WidthKey = QStringLiteral("WIDTH=");
const QString NewNodeText = QStringLiteral("newnode");

QComboBox *numberList(const QString &name, int last, QWidget *parent) {
  auto *box = new QComboBox(parent);
  box->setObjectName(name);
  for (int i = 1; i <= last; ++i)
    box->addItem(QString::number(i));
  box->setCurrentIndex(-1);
  box->setMinimumContentsLength(2);
  return box;
}

QLabel *label(const QString &text, QWidget *buddy) {
  auto *caption = new QLabel(text, buddy->parentWidget());
  caption->setObjectName(buddy->objectName() + QStringLiteral("Label"));
  caption->setBuddy(buddy);
  return caption;
}

QPushButton *button(const QString &name, const QString &caption, QWidget *parent) {
  auto *push = new QPushButton(caption, parent);
  push->setObjectName(name);
  push->setAutoDefault(false);
  return push;
}

// The number a list gives where commands add 1 to its chosen index: 0 with no choice.
int chosenNumber(const QComboBox *box) { return box->currentIndex() + 1; }
} // namespace

TTrellaneF::TTrellaneF()
    : TForm(Kind::MdiChild, QStringLiteral("TrellaneF")), m_tableModel(new OutlineItemModel(m_table, this)),
      m_frameModel(new OutlineItemModel(m_frames, this)) {
  setWindowTitle(QStringLiteral("Trellane 2"));
  setDesignedState(true, true);
  setDesignedGeometry(0, 0, 640, 440);
  m_commands.build(this, Rows);

  mywizards = new QTabWidget(this);
  mywizards->setObjectName(QStringLiteral("mywizards"));
  mywizards->addTab(makeTablesPage(), QStringLiteral("Tables"));
  mywizards->addTab(makeFramesPage(), QStringLiteral("Frames"));

  auto *output = new QWidget;
  output->setObjectName(QStringLiteral("OutputSheet"));
  auto *outputLayout = new QVBoxLayout(output);
  outputLayout->setContentsMargins(0, 0, 0, 0);
  Memo1 = new QPlainTextEdit(output);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  outputLayout->addWidget(Memo1);
  mywizards->addTab(output, QStringLiteral("Output"));

  mywizards->setCurrentIndex(FramesPage);
  m_current = myframe;
  connect(mywizards, &QTabWidget::currentChanged, this, [this] { guarded([this] { mywizardsChange(); }); });
  setCentralWidget(mywizards);
}

// The views and their models go before the trees they show, which are members and would go first.
TTrellaneF::~TTrellaneF() {
  mytable->setModel(nullptr);
  myframe->setModel(nullptr);
  delete m_tableModel;
  delete m_frameModel;
}

QTreeView *TTrellaneF::makeTree(const QString &name, OutlineItemModel *model) {
  auto *view = new QTreeView;
  view->setObjectName(name);
  view->setHeaderHidden(true);
  model->setEditable(true);
  view->setModel(model);
  view->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                        QAbstractItemView::SelectedClicked);
  OutlineTree &tree = model->tree();
  connect(view->selectionModel(), &QItemSelectionModel::currentChanged, this,
          [model, &tree](const QModelIndex &current) { tree.setSelected(model->nodeOf(current)); });
  view->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(view, &QWidget::customContextMenuRequested, this, [this, view](const QPoint &at) {
    guarded([&] {
      infopopupPopup(view);
      m_commands.menu(QStringLiteral("infopopup"))->popup(view->viewport()->mapToGlobal(at));
    });
  });
  return view;
}

QWidget *TTrellaneF::makeTablesPage() {
  auto *page = new QWidget;
  page->setObjectName(QStringLiteral("TablesSheet"));
  auto *column = new QVBoxLayout(page);
  column->setContentsMargins(2, 2, 2, 2);

  auto *panel = new QWidget(page);
  panel->setObjectName(QStringLiteral("TablePanel"));
  auto *row = new QHBoxLayout(panel);
  row->setContentsMargins(0, 0, 0, 0);
  tablerows = numberList(QStringLiteral("tablerows"), 25, panel);
  tablecols = numberList(QStringLiteral("tablecols"), 15, panel);
  tablecolors = new TColorPanel(panel);
  tablecolors->setObjectName(QStringLiteral("tablecolors"));
  tablecolors->setFixedSize(40, 22);
  tablecolors->OnClick = [this] { guarded([this] { tablecolorsClick(); }); };
  tablealign = new QComboBox(panel);
  tablealign->setObjectName(QStringLiteral("tablealign"));
  tablealign->addItems({QStringLiteral("LEFT"), QStringLiteral("CENTER"), QStringLiteral("RIGHT")});
  tablewidth = new QLineEdit(QStringLiteral("100"), panel);
  tablewidth->setObjectName(QStringLiteral("tablewidth"));
  tablewidth->setToolTip(QStringLiteral("Enter Column/Cell Width"));
  tablewidth->setMaximumWidth(60);
  tablepreview = button(QStringLiteral("tablepreview"), QStringLiteral("Preview"), panel);
  tablepreview->setToolTip(QStringLiteral("Preview Table"));
  tablesok = button(QStringLiteral("tablesok"), QStringLiteral("OK"), panel);
  tablesok->setDefault(true);
  row->addWidget(label(QStringLiteral("Rows"), tablerows));
  row->addWidget(tablerows);
  row->addWidget(label(QStringLiteral("Cells"), tablecols));
  row->addWidget(tablecols);
  row->addWidget(label(QStringLiteral("Color"), tablecolors));
  row->addWidget(tablecolors);
  row->addWidget(label(QStringLiteral("Align"), tablealign));
  row->addWidget(tablealign);
  row->addWidget(label(QStringLiteral("Width"), tablewidth));
  row->addWidget(tablewidth);
  row->addStretch(1);
  row->addWidget(tablepreview);
  row->addWidget(tablesok);
  column->addWidget(panel);

  auto *split = new QSplitter(Qt::Horizontal, page);
  split->setObjectName(QStringLiteral("TableSplitter"));
  mytable = makeTree(QStringLiteral("mytable"), m_tableModel);
  tableviewer = new TFrameView;
  tableviewer->setObjectName(QStringLiteral("tableviewer"));
  tableviewer->setHistoryMaxCount(0);
  split->addWidget(mytable);
  split->addWidget(tableviewer);
  // The view has no size of its own until it first shows a page.
  split->setSizes({250, 500});
  split->setStretchFactor(1, 1);
  column->addWidget(split, 1);

  connect(tablepreview, &QPushButton::clicked, this, [this] { guarded([this] { tablepreviewClick(); }); });
  connect(tablesok, &QPushButton::clicked, this, [this] { guarded([this] { tablesokClick(); }); });
  // Enter in the width box acts on the default button, as on a dialog.
  connect(tablewidth, &QLineEdit::returnPressed, this, [this] { guarded([this] { tablesokClick(); }); });
  return page;
}

QWidget *TTrellaneF::makeFramesPage() {
  auto *page = new QWidget;
  page->setObjectName(QStringLiteral("FramesSheet"));
  auto *column = new QVBoxLayout(page);
  column->setContentsMargins(2, 2, 2, 2);

  auto *panel = new QWidget(page);
  panel->setObjectName(QStringLiteral("FramePanel"));
  auto *grid = new QGridLayout(panel);
  grid->setContentsMargins(0, 0, 0, 0);
  framecolsrows = new QGroupBox(QStringLiteral("Frameset"), panel);
  framecolsrows->setObjectName(QStringLiteral("framecolsrows"));
  auto *choices = new QVBoxLayout(framecolsrows);
  choices->setContentsMargins(6, 2, 6, 2);
  choices->setSpacing(0);
  m_colsRows = new QButtonGroup(framecolsrows);
  for (const QString &item : {QStringLiteral("cols"), QStringLiteral("rows")}) {
    auto *radio = new QRadioButton(item, framecolsrows);
    radio->setObjectName(QStringLiteral("framecolsrows_") + item);
    m_colsRows->addButton(radio, int(m_colsRows->buttons().size()));
    choices->addWidget(radio);
  }
  setFramecolsrowsIndex(0);
  nrofframes = numberList(QStringLiteral("nrofframes"), 25, panel);
  framesource = new QLineEdit(panel);
  framesource->setObjectName(QStringLiteral("framesource"));
  getframesource = button(QStringLiteral("getframesource"), QStringLiteral("..."), panel);
  getframesource->setMaximumWidth(30);
  framename = new QLineEdit(panel);
  framename->setObjectName(QStringLiteral("framename"));
  framespreview = button(QStringLiteral("framespreview"), QStringLiteral("Preview"), panel);
  framesok = button(QStringLiteral("framesok"), QStringLiteral("OK"), panel);
  framesedit = button(QStringLiteral("framesedit"), QStringLiteral("Edit"), panel);

  grid->addWidget(framecolsrows, 0, 0, 2, 1);
  grid->addWidget(label(QStringLiteral("Frames"), nrofframes), 0, 1);
  grid->addWidget(nrofframes, 0, 2);
  grid->addWidget(label(QStringLiteral("Source"), framesource), 0, 3);
  grid->addWidget(framesource, 0, 4);
  grid->addWidget(getframesource, 0, 5);
  grid->addWidget(label(QStringLiteral("Frame Name"), framename), 1, 3);
  grid->addWidget(framename, 1, 4, 1, 2);
  grid->addWidget(framespreview, 0, 6);
  grid->addWidget(framesok, 0, 7);
  grid->addWidget(framesedit, 1, 6);
  grid->setColumnStretch(4, 1);
  column->addWidget(panel);

  m_frameArea = new QStackedWidget(page);
  m_frameArea->setObjectName(QStringLiteral("FrameArea"));
  myframe = makeTree(QStringLiteral("myframe"), m_frameModel);
  frameviewer = new TFrameView;
  frameviewer->setObjectName(QStringLiteral("frameviewer"));
  frameviewer->setHistoryMaxCount(0);
  m_frameArea->addWidget(myframe);
  m_frameArea->addWidget(frameviewer);
  m_frameArea->setCurrentWidget(myframe);
  column->addWidget(m_frameArea, 1);

  connect(getframesource, &QPushButton::clicked, this, [this] { guarded([this] { getframesourceClick(); }); });
  connect(framespreview, &QPushButton::clicked, this, [this] { guarded([this] { framespreviewClick(); }); });
  connect(framesok, &QPushButton::clicked, this, [this] { guarded([this] { framesokClick(); }); });
  connect(framesedit, &QPushButton::clicked, this, [this] { guarded([this] { frameseditClick(); }); });
  return page;
}

void TTrellaneF::FormCreate() { m_appDir = AppDir(); }

int TTrellaneF::framecolsrowsIndex() const { return m_colsRows->checkedId(); }

void TTrellaneF::setFramecolsrowsIndex(int index) {
  if (QAbstractButton *radio = m_colsRows->button(index))
    radio->setChecked(true);
}

QWidget *TTrellaneF::frontFrameWidget() const { return m_frameArea->currentWidget(); }

OutlineNode *TTrellaneF::selectedNode() const { return currentModel()->nodeOf(m_current->currentIndex()); }

void TTrellaneF::selectNode(QTreeView *view, OutlineNode *node) {
  auto *model = static_cast<OutlineItemModel *>(view->model());
  view->setCurrentIndex(model->indexOf(node));
}

// ---- pages and the node menu

void TTrellaneF::mywizardsChange() {
  switch (mywizards->currentIndex()) {
  case TablesPage:
    m_current = mytable;
    break;
  case FramesPage:
    m_current = myframe;
    break;
  default:
    break;
  }
}

void TTrellaneF::infopopupPopup(QTreeView *tree) {
  m_current = tree;
  m_commands.action(QStringLiteral("Table1"))->setVisible(tree == mytable);
  m_commands.action(QStringLiteral("Frames1"))->setVisible(tree == myframe);
}

void TTrellaneF::addNode(OutlineTree::MoveMode place) {
  OutlineNode *at = selectedNode();
  OutlineNode *node = AddNode(currentTree(), at, place, NewNodeText);
  if (!at) {
    // The first node of an empty tree is where the next command works.
    selectNode(m_current, node);
    return;
  }
  m_current->expand(currentModel()->indexOf(node->parent()));
}

void TTrellaneF::AddList1Click() { addNode(Mode::Add); }
void TTrellaneF::AddListFirst1Click() { addNode(Mode::AddFirst); }
void TTrellaneF::AddListInsert1Click() { addNode(Mode::Insert); }
void TTrellaneF::AddChild1Click() { addNode(Mode::AddChild); }
void TTrellaneF::AddChildFirst1Click() { addNode(Mode::AddChildFirst); }

void TTrellaneF::Duplicate1Click() { DuplicateNode(currentTree(), selectedNode()); }

void TTrellaneF::Delete1Click() {
  if (OutlineNode *node = selectedNode())
    currentTree().Delete(node);
}

void TTrellaneF::Source1Click() {
  if (OutlineNode *node = selectedNode())
    m_mover.setSource(currentTree(), node);
}

void TTrellaneF::moveSourceTo(OutlineTree::MoveMode mode) {
  OutlineNode *target = selectedNode();
  if (m_mover.moveTo(currentTree(), target, mode))
    m_current->expand(currentModel()->indexOf(m_mover.source()->parent()));
}

void TTrellaneF::MoveList1Click() { moveSourceTo(Mode::Add); }
void TTrellaneF::MoveListFirst1Click() { moveSourceTo(Mode::AddFirst); }
void TTrellaneF::MoveListInsert1Click() { moveSourceTo(Mode::Insert); }
void TTrellaneF::MoveChild1Click() { moveSourceTo(Mode::AddChild); }
void TTrellaneF::MoveChildFirst1Click() { moveSourceTo(Mode::AddChildFirst); }

// ---- tables

void TTrellaneF::TableTable1Click() {
  OutlineNode *node = selectedNode();
  if (!node)
    return;
  BuildTable(currentTree(), node, chosenNumber(tablerows), chosenNumber(tablecols));
  m_current->expandRecursively(currentModel()->indexOf(node));
}

void TTrellaneF::setCell(CellSpan span) {
  OutlineNode *node = selectedNode();
  if (!node)
    return;
  const int count = span == CellSpan::Rows ? chosenNumber(tablerows) : chosenNumber(tablecols);
  currentTree().setText(node, CellTag(span, count));
}

void TTrellaneF::SpanCols1Click() { setCell(CellSpan::Cols); }
void TTrellaneF::SpanRows1Click() { setCell(CellSpan::Rows); }
void TTrellaneF::NoSpan1Click() { setCell(CellSpan::None); }

void TTrellaneF::setAttribute(const QString &key, const QString &value) {
  if (OutlineNode *node = selectedNode())
    currentTree().setText(node, SetAttribute(node->textString(), key, value));
}

void TTrellaneF::deleteAttribute(const QString &key) {
  if (OutlineNode *node = selectedNode())
    currentTree().setText(node, DeleteAttribute(node->textString(), key));
}

void TTrellaneF::AlignSet1Click() {
  if (tablealign->currentIndex() >= 0)
    setAttribute(AlignKey, tablealign->currentText());
}

void TTrellaneF::AlignDelete1Click() { deleteAttribute(AlignKey); }

void TTrellaneF::AlignGet1Click() {
  OutlineNode *node = selectedNode();
  if (!node)
    return;
  const int index = tablealign->findText(GetAttribute(node->textString(), AlignKey), Qt::MatchExactly);
  if (index >= 0)
    tablealign->setCurrentIndex(index);
}

void TTrellaneF::ColorSet1Click() { setAttribute(ColorKey, HtmlColorValue(tablecolors->Color())); }

void TTrellaneF::ColorDelete1Click() { deleteAttribute(ColorKey); }

void TTrellaneF::ColorGet1Click() {
  if (OutlineNode *node = selectedNode())
    tablecolors->setColor(ColorFromHtmlValue(GetAttribute(node->textString(), ColorKey)));
}

void TTrellaneF::WidthSet1Click() {
  if (IsWidthValue(tablewidth->text()))
    setAttribute(WidthKey, tablewidth->text());
}

void TTrellaneF::WidthDelete1Click() { deleteAttribute(WidthKey); }

void TTrellaneF::WidthGet1Click() {
  if (OutlineNode *node = selectedNode())
    tablewidth->setText(GetAttribute(node->textString(), WidthKey));
}

void TTrellaneF::tablecolorsClick() {
  TColor color = tablecolors->Color();
  if (Application().dialogs().color(color))
    tablecolors->setColor(color);
}

void TTrellaneF::tablepreviewClick() { showPreview(TableText(currentTree()), tableviewer); }

void TTrellaneF::tablesokClick() { sendToOutput(TableText(currentTree())); }

// ---- frames

void TTrellaneF::Frameset1Click() {
  OutlineNode *node = selectedNode();
  if (!node)
    return;
  const FramesetLayout layout = framecolsrowsIndex() == 1 ? FramesetLayout::Rows : FramesetLayout::Cols;
  BuildFrameset(currentTree(), node, chosenNumber(nrofframes), layout);
  m_current->expand(currentModel()->indexOf(node));
}

void TTrellaneF::Frame1Click() {
  if (OutlineNode *node = selectedNode())
    currentTree().setText(node, FrameTag(framesource->text(), framename->text()));
}

void TTrellaneF::getframesourceClick() {
  FileDialogOptions options;
  options.filter = QStringLiteral("HTML files (*.htm;*.html)|*.htm;*.html|All files (*.*)|*.*");
  if (Application().dialogs().openFile(options))
    framesource->setText(options.fileName);
}

void TTrellaneF::framespreviewClick() {
  if (currentTree().isEmpty())
    return;
  showPreview(FrameText(currentTree()), frameviewer);
  m_frameArea->setCurrentWidget(frameviewer);
}

void TTrellaneF::framesokClick() { sendToOutput(FrameText(currentTree())); }

void TTrellaneF::frameseditClick() { m_frameArea->setCurrentWidget(myframe); }

// ---- output

void TTrellaneF::sendToOutput(const QString &html) {
  // The memo keeps one character per line break.
  Memo1->insertPlainText(UnifyLineEnds(html));
  mywizards->setCurrentIndex(OutputPage);
  Memo1->setFocus();
}

void TTrellaneF::showPreview(const QString &html, TFrameView *viewer) {
  const QString file = previewFile();
  WriteLines(file, SplitLines(html));
  viewer->LoadFromFile(file);
}

} // namespace corvana
