#include "kelpwood/KelpwoodU.h"

#include "outline/OutlineChangeFlag.h"

#include "controls/ButtonIcons.h"
#include "controls/FindDialog.h"
#include "core/TextFiles.h"
#include "kelpwood/DataFormLayout.h"
#include "kelpwood/InputHold.h"
#include "kelpwood/TreeDatabase.h"
#include "outline/OutlineFile.h"
#include "outline/OutlineItemModel.h"
#include "outlineview/OutlineTreeView.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/StatusPanels.h"
#include "platform/UnsavedDocument.h"

#include <QFile>
#include <QHBoxLayout>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScrollArea>

namespace corvana {

const QString TKelpwoodF::FileFilter = QStringLiteral("Kelpwood Files|*.txt|Comma Seperated Files|*.csv");

namespace {
using T = TKelpwoodF;
const CommandRow<T> Rows[] = {
    {"", "File1", "&File", {}, nullptr, nullptr, Submenu},
    {"File1", "Open1", "&Open...", Qt::CTRL | Qt::Key_O, &T::Open1Click},
    {"File1", "Save1", "&Save", Qt::CTRL | Qt::Key_S, &T::Save1Click},
    {"File1", "SaveAs1", "Save &As...", {}, &T::SaveAs1Click},
    {"File1", "Close1", "&Close...", {}, &T::Close1Click},
    {"File1", "dtLoadCSV", "Load CSV...", {}, &T::dtLoadCSVClick},
    {"File1", "dtSaveCSV", "Save CSV...", {}, &T::dtSaveCSVClick},
    {"", "Edit1", "&Edit", {}, nullptr, nullptr, Submenu},
    {"Edit1", "Find1", "&Find...", Qt::CTRL | Qt::Key_F, &T::Find1Click},
    {"Edit1", "Sort1", "&Sort", {}, nullptr, nullptr, Submenu},
    {"Sort1", "SortNone1", "&None", {}, &T::SortNone1Click, nullptr, Checked, "sort"},
    {"Sort1", "SortText1", "&Text", {}, &T::SortText1Click, nullptr, Checkable, "sort"},
    {"Edit1", "EditMode1", "&Edit Mode", Qt::Key_F5, &T::EditMode1Click},
    {"Edit1", "FormMode1", "For&m Mode", Qt::SHIFT | Qt::Key_F5, &T::FormMode1Click},
    {"", "Node1", "&Node", {}, nullptr, nullptr, Submenu},
    {"Node1", "NodeAdd1", "&Add", Qt::Key_F2, &T::NodeAdd1Click},
    {"Node1", "NodeInsert1", "&Insert", Qt::SHIFT | Qt::Key_F2, &T::NodeInsert1Click},
    {"Node1", "NodeDelete1", "&Delete", Qt::CTRL | Qt::Key_F2, &T::NodeDelete1Click},
    {"Node1", "NodeChild1", "&Child", Qt::Key_F3, &T::NodeChild1Click},
    {"Node1", "NodeDuplicate1", "Duplicate", Qt::SHIFT | Qt::Key_F3, &T::NodeDuplicate1Click},
    {"Node1", "NodeEdit1", "&Edit", Qt::Key_F4, &T::NodeEdit1Click},
    {"Node1", "DeleteAll1", "Delete All", {}, &T::DeleteAll1Click},
    {"", "Fields1", "&Fields", {}, nullptr, nullptr, Submenu},
    {"Fields1", "MakeFields1", "&Make...", {}, &T::MakeFields1Click},
    {"Fields1", "AppendFields1", "&Append...", {}, &T::AppendFields1Click},
    {"Fields1", "InsertFields1", "&Insert...", {}, &T::InsertFields1Click},
    {"Fields1", "DeleteFields1", "&Delete...", {}, &T::DeleteFields1Click},
    {"Fields1", "Update1", "&Update", Qt::Key_F8, &T::dataformokClick},
    {"", "Records1", "&Records", {}, nullptr, nullptr, Submenu},
    {"Records1", "AppendRecords1", "&Append...", {}, &T::AppendRecords1Click},
    {"#ToolBar1", "goOpen", "", {}, &T::Open1Click, "Open Kelpwood"},
    {"#ToolBar1", "goSave", "", {}, &T::Save1Click, "Save Kelpwood"},
    {"#ToolBar1", "goClose", "", {}, &T::Close1Click, "Close Kelpwood"},
    {"#ToolBar1", "ToolSep1", "-", {}, nullptr, nullptr, Separator},
    {"#ToolBar1", "goAdd", "", {}, &T::NodeAdd1Click, "Add Node"},
    {"#ToolBar1", "goInsert", "", {}, &T::NodeInsert1Click, "Insert Node"},
    {"#ToolBar1", "goDelete", "", {}, &T::NodeDelete1Click, "Delete Node"},
    {"#ToolBar1", "goChild", "", {}, &T::NodeChild1Click, "Add Child Node"},
    {"#ToolBar1", "goDuplicate", "", {}, &T::NodeDuplicate1Click, "Duplicate Node"},
    {"#ToolBar1", "goEdit", "", {}, &T::NodeEdit1Click, "Edit Node"},
    {"#ToolBar1", "ToolSep2", "-", {}, nullptr, nullptr, Separator},
    {"#ToolBar1", "dataformok", "", {}, &T::dataformokClick, "Update"},
};
const QHash<QString, QString> Icons{
    {"goOpen", "document-open"},          {"goSave", "document-save"},
    {"goClose", "document-close"},        {"goAdd", "list-add"},
    {"goInsert", "document-new"},         {"goDelete", "list-remove"},
    {"goChild", "format-list-unordered"}, {"goDuplicate", "edit-copy"},
    {"goEdit", "document-edit"},          {"dataformok", "dialog-ok"},
};

const QByteArray NewNode = "new node";
const QByteArray FieldsText = "_fields";
constexpr int CsvFilter = 2;
constexpr qint64 ReadChunk = 4 << 20;

// The file's bytes, read in pieces so that a long read can be cancelled; nothing when it was.
std::optional<QByteArray> readCancellable(const QString &path, Dialogs &dialogs) {
  QFile file(path);
  if (path.isEmpty() || !file.open(QIODevice::ReadOnly))
    throw Error::cannotOpen(path);
  const qint64 size = file.size();
  QByteArray bytes(size, Qt::Uninitialized);
  const std::unique_ptr<Progress> progress = dialogs.progress(QStringLiteral("Open"), size);
  qint64 done = 0;
  while (done < size) {
    if (!progress->update(done))
      return std::nullopt;
    const qint64 read = file.read(bytes.data() + done, qMin(ReadChunk, size - done));
    if (read <= 0)
      throw Error::cannotOpen(path);
    done += read;
  }
  return bytes;
}

// Raises the file's level error, if it has one, before any tree is touched.
void checkOutline(QByteArrayView bytes) {
  OutlineReader reader(bytes);
  OutlineReader::Line line;
  while (reader.next(line)) {
  }
}
} // namespace

TKelpwoodF::TKelpwoodF()
    : TForm(Kind::MdiChild, QStringLiteral("KelpwoodF")), m_changes(new OutlineChangeFlag(m_modified)) {
  setWindowTitle(QStringLiteral("Kelpwood 2"));
  setDesignedState(true, true);
  setDesignedGeometry(0, 0, 640, 440);
  m_tree.setSortScope(OutlineTree::SortScope::TopLevel);
  m_tree.addObserver(m_changes.get());
  m_commands.build(this, Rows, [](const QString &name) { return ButtonIcon(Icons.value(name)); });

  auto *client = new QWidget(this);
  client->setObjectName(QStringLiteral("KelpwoodClient"));
  auto *row = new QHBoxLayout(client);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);
  mydata = new OutlineTreeView(client);
  mydata->setObjectName(QStringLiteral("mydata"));
  mydata->setFixedWidth(161);
  row->addWidget(mydata);
  Panel3 = new QWidget(client);
  Panel3->setObjectName(QStringLiteral("Panel3"));
  auto *panelLayout = new QHBoxLayout(Panel3);
  panelLayout->setContentsMargins(0, 0, 0, 0);
  dataform = new QScrollArea(Panel3);
  dataform->setObjectName(QStringLiteral("dataform"));
  m_formArea = new QWidget;
  m_formArea->setObjectName(QStringLiteral("dataformArea"));
  dataform->setWidget(m_formArea);
  panelLayout->addWidget(dataform);
  row->addWidget(Panel3, 1);
  setCentralWidget(client);

  m_status = BuildStatusPanels(this, {{200}, {100}});
  setStatus(1, QStringLiteral("Edit Mode"));

  InfoFindDialog = new TFindDialog(this);
  InfoFindDialog->setObjectName(QStringLiteral("InfoFindDialog"));
  connect(InfoFindDialog, &TFindDialog::find, this, [this] { guarded([this] { InfoFindDialogFind(); }); });

  m_openDialog.filter = FileFilter;
  m_saveDialog.filter = FileFilter;

  mydata->OnDragOver = [this](QObject *source) { return mydataDragOver(source); };
  mydata->OnDragDrop = [this](QObject *source, QPoint at) { guarded([&] { mydataDragDrop(source, at); }); };
  mydata->OnKeyPress = [this](QKeyEvent *event) {
    bool taken = false;
    guarded([&] { taken = mydataKeyPress(event->key()); });
    return taken;
  };
  connect(mydata, &QTreeView::clicked, this, [this] { guarded([this] { mydataClick(); }); });
  attachModel();
}

// The view and its model go before the tree they show, which is a member and would go first.
TKelpwoodF::~TKelpwoodF() {
  detachModel();
  m_tree.removeObserver(m_changes.get());
}

void TKelpwoodF::attachModel() {
  m_model = new OutlineItemModel(m_tree, this);
  m_model->setEditable(true);
  QItemSelectionModel *old = mydata->selectionModel();
  mydata->setModel(m_model);
  delete old;
  connect(mydata->selectionModel(), &QItemSelectionModel::currentChanged, this, [this](const QModelIndex &current) {
    guarded([&] {
      m_tree.setSelected(m_model->nodeOf(current));
      mydataChange();
    });
  });
  mydata->setCurrentNode(m_tree.selected());
}

// Long commands run with the view apart from the tree, so it is not told of every node.
void TKelpwoodF::detachModel() {
  if (!m_model)
    return;
  QItemSelectionModel *old = mydata->selectionModel();
  mydata->setModel(nullptr);
  delete old;
  delete m_model;
  m_model = nullptr;
}

void TKelpwoodF::withViewDetached(const std::function<void()> &work) {
  detachModel();
  try {
    work();
  } catch (...) {
    attachModel();
    throw;
  }
  attachModel();
}

QString TKelpwoodF::statusText(int panel) const { return m_status.value(panel) ? m_status[panel]->text() : QString(); }

void TKelpwoodF::setStatus(int panel, const QString &text) {
  if (QLabel *label = m_status.value(panel))
    label->setText(text);
}

void TKelpwoodF::setMode(Mode mode) {
  m_mode = mode;
  if (mode != Mode::None)
    setStatus(1, mode == Mode::Form ? QStringLiteral("Form Mode") : QStringLiteral("Edit Mode"));
}

void TKelpwoodF::selectNode(OutlineNode *node) {
  mydata->setCurrentNode(node);
  if (node)
    mydataClick();
}

QList<QWidget *> TKelpwoodF::dataformControls() const {
  QList<QWidget *> controls;
  for (QLabel *label : m_labels)
    controls.append(label);
  for (QLineEdit *edit : m_edits)
    controls.append(edit);
  return controls;
}

// ---- file commands

void TKelpwoodF::loadDatabase(const QString &path) {
  const InputHold hold;
  const std::optional<QByteArray> bytes = readCancellable(path, Application().dialogs());
  if (!bytes)
    return;
  // A file that is not a tree leaves the database as it was.
  checkOutline(*bytes);
  withViewDetached([&] { m_tree.loadFromBytes(*bytes); });
  m_databaseFile = path;
  m_fileIsCsv = false;
  m_modified = false;
  setStatus(0, ExtractFileName(path));
}

bool TKelpwoodF::saveDatabase(const QString &path) {
  TreeDatabase(m_tree, Application().dialogs()).SaveDatabase(path);
  m_databaseFile = path;
  m_fileIsCsv = false;
  m_modified = false;
  return true;
}

bool TKelpwoodF::saveWithDialog() {
  m_saveDialog.filterIndex = 1;
  if (!Application().dialogs().saveFile(m_saveDialog))
    return false;
  saveDatabase(m_saveDialog.fileName);
  setStatus(0, ExtractFileName(m_saveDialog.fileName));
  return true;
}

bool TKelpwoodF::mayDiscard() {
  if (!m_modified)
    return true;
  const QString path = m_fileIsCsv ? QString() : m_databaseFile;
  return MayCloseDocument(Application().dialogs(), {path, [this, path] {
                                                      if (path.isEmpty())
                                                        return saveWithDialog();
                                                      return saveDatabase(path);
                                                    }});
}

bool TKelpwoodF::FormCloseQuery() { return mayDiscard(); }

void TKelpwoodF::Open1Click() {
  // Opening replaces the tree: changes not saved are asked about first.
  if (!mayDiscard())
    return;
  m_openDialog.filterIndex = 1;
  if (Application().dialogs().openFile(m_openDialog))
    loadDatabase(m_openDialog.fileName);
}

void TKelpwoodF::Save1Click() {
  if (m_databaseFile.isEmpty() || m_fileIsCsv)
    saveWithDialog();
  else
    saveDatabase(m_databaseFile);
}

void TKelpwoodF::SaveAs1Click() { saveWithDialog(); }

void TKelpwoodF::clearTree() {
  m_tree.BeginUpdate();
  m_tree.Clear();
  m_tree.EndUpdate();
}

void TKelpwoodF::clearForm() {
  qDeleteAll(m_labels);
  qDeleteAll(m_edits);
  m_labels.clear();
  m_edits.clear();
  m_formArea->resize(0, 0);
}

void TKelpwoodF::Close1Click() {
  if (!Application().dialogs().confirm(QStringLiteral("Clear All Nodes?")))
    return;
  clearTree();
  m_databaseFile.clear();
  m_fileIsCsv = false;
  m_modified = false;
  setStatus(0, QString());
  clearForm();
}

void TKelpwoodF::dtLoadCSVClick() {
  const bool wasModified = m_modified;
  TreeDatabase database(m_tree, Application().dialogs());
  OutlineNode *record = database.BeginCsvImport();
  m_openDialog.filterIndex = CsvFilter;
  struct FirstFilter {
    FileDialogOptions &options;
    ~FirstFilter() { options.filterIndex = 1; }
  } firstFilter{m_openDialog};
  if (!Application().dialogs().openFile(m_openDialog)) {
    database.CancelCsvImport(record);
    m_modified = wasModified;
    return;
  }
  const QString path = m_openDialog.fileName;
  const QString previousFile = m_databaseFile;
  const bool previousCsv = m_fileIsCsv;
  const QString previousName = statusText(0);
  std::unique_ptr<Progress> progress;
  bool imported = false;
  withViewDetached([&] {
    const InputHold hold;
    imported = database.ImportCsvFile(
        record, path,
        [&](qint64 size) {
          progress = Application().dialogs().progress(QStringLiteral("Load CSV"), size);
          // The file is being read: it is the window's file now, also when a line stops the import.
          m_databaseFile = path;
          m_fileIsCsv = true;
          setStatus(0, ExtractFileName(path));
        },
        [&](qint64 done) { return progress->update(done); });
  });
  if (!imported) {
    m_databaseFile = previousFile;
    m_fileIsCsv = previousCsv;
    setStatus(0, previousName);
    m_modified = wasModified;
  }
}

void TKelpwoodF::dtSaveCSVClick() {
  if (m_tree.isEmpty())
    return;
  const QByteArray lines = TreeDatabase(m_tree, Application().dialogs()).ExportCsvBytes();
  m_saveDialog.filterIndex = CsvFilter;
  if (Application().dialogs().saveFile(m_saveDialog))
    WriteFileBytes(m_saveDialog.fileName, lines);
}

// ---- edit commands

void TKelpwoodF::Find1Click() { InfoFindDialog->Execute(); }

void TKelpwoodF::InfoFindDialogFind() {
  if (m_tree.isEmpty())
    return;
  if (!m_tree.selected())
    selectNode(m_tree.firstNode());
  const QByteArray text = InfoFindDialog->FindText().toUtf8();
  for (OutlineNode *node = m_tree.selected(); node; node = node->nextNode()) {
    if (node->text().contains(text)) {
      selectNode(node);
      mydata->setFocus();
      return;
    }
  }
}

void TKelpwoodF::SortNone1Click() { m_tree.setSortMode(OutlineTree::SortMode::None); }

void TKelpwoodF::SortText1Click() { m_tree.setSortMode(OutlineTree::SortMode::Text); }

void TKelpwoodF::EditMode1Click() { setMode(Mode::Edit); }

void TKelpwoodF::FormMode1Click() {
  const OutlineNode *fields = TreeDatabase(m_tree, Application().dialogs()).fieldTemplate();
  if (!fields || !fields->hasChildren())
    return;
  clearForm();
  const int count = int(fields->childCount());
  int editHeight = 0;
  for (int i = 0; i < count; ++i) {
    auto *label = new QLabel(fields->child(i)->textString(), m_formArea);
    label->setObjectName(QStringLiteral("dataformLabel%1").arg(i));
    label->adjustSize();
    label->move(DataFormLayout::labelPos(i));
    label->show();
    m_labels.append(label);
  }
  for (int i = 0; i < count; ++i) {
    auto *edit = new QLineEdit(m_formArea);
    edit->setObjectName(QStringLiteral("dataformEdit%1").arg(i));
    editHeight = edit->sizeHint().height();
    edit->setGeometry(DataFormLayout::editRect(i, editHeight));
    edit->show();
    m_edits.append(edit);
  }
  m_formArea->resize(DataFormLayout::extent(count, editHeight));
  setMode(Mode::Form);
}

// ---- node commands

void TKelpwoodF::nodeAdded(OutlineNode *node) {
  if (OutlineNode *parent = node->parent())
    mydata->expand(m_model->indexOf(parent));
}

void TKelpwoodF::NodeAdd1Click() {
  m_tree.BeginUpdate();
  OutlineNode *node = m_tree.Add(m_tree.selected(), NewNode);
  m_tree.EndUpdate();
  selectNode(node);
  if (m_tree.absoluteIndex(node) == 0)
    m_tree.setText(node, FieldsText);
}

void TKelpwoodF::NodeInsert1Click() {
  OutlineNode *selected = m_tree.selected();
  if (!selected)
    return;
  m_tree.BeginUpdate();
  OutlineNode *node = m_tree.Insert(selected, NewNode);
  m_tree.EndUpdate();
  selectNode(node);
}

void TKelpwoodF::NodeChild1Click() {
  OutlineNode *selected = m_tree.selected();
  if (!selected)
    return;
  nodeAdded(m_tree.AddChild(selected, NewNode));
}

void TKelpwoodF::NodeDelete1Click() {
  if (OutlineNode *selected = m_tree.selected())
    m_tree.Delete(selected);
}

void TKelpwoodF::NodeDuplicate1Click() { TreeDatabase(m_tree, Application().dialogs()).Duplicate(); }

void TKelpwoodF::NodeEdit1Click() {
  if (m_mode != Mode::Edit || !m_tree.selected())
    return;
  mydata->setCurrentNode(m_tree.selected());
  mydata->edit(mydata->currentIndex());
}

bool TKelpwoodF::mydataKeyPress(int key) {
  if ((key != Qt::Key_Return && key != Qt::Key_Enter) || m_mode != Mode::Edit || !m_tree.selected())
    return false;
  mydata->endEditing();
  return true;
}

void TKelpwoodF::DeleteAll1Click() {
  if (m_mode != Mode::Edit || !Application().dialogs().confirm(QStringLiteral("Delete all nodes?")))
    return;
  clearTree();
}

bool TKelpwoodF::mydataDragOver(QObject *source) const { return OutlineTreeView::IsTreeDragSource(source); }

void TKelpwoodF::mydataDragDrop(QObject *source, QPoint at) { mydata->dropSelectedNode(m_tree, source, at); }

// ---- fields and records

void TKelpwoodF::MakeFields1Click() {
  TreeDatabase(m_tree, Application().dialogs()).MakeFields();
  if (OutlineNode *selected = m_tree.selected())
    mydata->expand(m_model->indexOf(selected));
}

void TKelpwoodF::AppendFields1Click() { TreeDatabase(m_tree, Application().dialogs()).AppendFields(); }

void TKelpwoodF::InsertFields1Click() { TreeDatabase(m_tree, Application().dialogs()).InsertFields(); }

void TKelpwoodF::DeleteFields1Click() { TreeDatabase(m_tree, Application().dialogs()).DeleteFields(); }

void TKelpwoodF::AppendRecords1Click() { TreeDatabase(m_tree, Application().dialogs()).AppendRecords(); }

void TKelpwoodF::showRecord() {
  OutlineNode *node = m_tree.selected();
  if (!node || !node->hasChildren() || m_mode != Mode::Form)
    return;
  const qsizetype count = qMin(qsizetype(m_edits.size()), node->childCount());
  for (qsizetype i = 0; i < count; ++i)
    m_edits[i]->setText(node->child(i)->textString());
}

void TKelpwoodF::mydataChange() { showRecord(); }

void TKelpwoodF::mydataClick() { showRecord(); }

void TKelpwoodF::dataformokClick() {
  OutlineNode *node = m_tree.selected();
  if (!node || !node->hasChildren() || m_mode != Mode::Form)
    return;
  // A rename may sort the records and move the selection: the form must not follow it.
  m_mode = Mode::None;
  struct Restore {
    Mode &mode;
    ~Restore() { mode = Mode::Form; }
  } restore{m_mode};
  const qsizetype count = qMin(qsizetype(m_edits.size()), node->childCount());
  for (qsizetype i = 0; i < count; ++i)
    m_tree.setText(node->child(i), m_edits[i]->text());
}

} // namespace corvana
