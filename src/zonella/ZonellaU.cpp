#include "zonella/ZonellaU.h"

#include "codecs/Picture.h"
#include "controls/ButtonIcons.h"
#include "controls/RichEdit.h"
#include "core/TextFiles.h"
#include "htmlview/HtmlView.h"
#include "outline/OutlineItemModel.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/UnsavedDocument.h"
#include "zonella/HotspotMap.h"
#include "zonella/SizerCtl.h"

#include <QHBoxLayout>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>

namespace corvana {

const QString TZonellaF::PictureFilter = PictureOpenFilter();
const QString TZonellaF::TreeFilter = QStringLiteral("Text Files|*.txt");

namespace {
using T = TZonellaF;
const CommandRow<T> Rows[] = {
    {"#ToolBar1", "goPicture", "", {}, &T::goPictureClick, "Load Image"},
    {"#ToolBar1", "goNew", "", {}, &T::goNewClick, "New Hotspots Tree"},
    {"#ToolBar1", "goOpen", "", {}, &T::goOpenClick, "Load Hotspots Tree"},
    {"#ToolBar1", "goSave", "", {}, &T::goSaveClick, "Save Hotspots Tree"},
    {"#ToolBar1", "goClose", "", {}, &T::goCloseClick, "Close Hotspots Tree"},
    {"#ToolBar1", "N1", "-", {}, nullptr, nullptr, Separator},
    {"#ToolBar1", "goAdd", "", {}, &T::goAddClick, "Add Hotspot"},
    {"#ToolBar1", "goDelete", "", {}, &T::goDeleteClick, "Delete Hotspot"},
    {"#ToolBar1", "goEdit", "", {}, &T::goEditClick, "Update Hotspot"},
};
const QHash<QString, QString> Icons{
    {"goPicture", "image-x-generic"}, {"goNew", "document-new"},     {"goOpen", "document-open"},
    {"goSave", "document-save"},      {"goClose", "document-close"}, {"goAdd", "list-add"},
    {"goDelete", "list-remove"},      {"goEdit", "document-edit"},
};
enum Page { ImagePage, CodePage, TestPage };
} // namespace

TZonellaF::TZonellaF()
    : TForm(Kind::MdiChild, QStringLiteral("ZonellaF")), m_model(new OutlineItemModel(m_tree, this)) {
  setWindowTitle(QStringLiteral("Zonella"));
  setDesignedState(true, true);
  setDesignedGeometry(0, 0, 640, 440);
  m_commands.build(this, Rows, [](const QString &name) { return ButtonIcon(Icons.value(name)); });

  auto *client = new QWidget(this);
  client->setObjectName(QStringLiteral("ClientArea"));
  auto *row = new QHBoxLayout(client);
  row->setContentsMargins(0, 0, 0, 0);

  PageControl1 = new QTabWidget(client);
  PageControl1->setObjectName(QStringLiteral("PageControl1"));
  ScrollBox1 = new QScrollArea;
  ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
  // The picture and the marker share one surface, so the marker's place is in image pixels
  // however the box is scrolled.
  auto *surface = new QWidget;
  surface->setObjectName(QStringLiteral("ImageSurface"));
  Image1 = new QLabel(surface);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->move(0, 0);
  Button1 = new QPushButton(QStringLiteral("S"), surface);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setToolTip(QStringLiteral("Click and size/move me"));
  Button1->setStyleSheet(QStringLiteral("QPushButton#Button1 { color: red; font-weight: bold; }"));
  Button1->setGeometry(152, 144, 75, 25);
  surface->resize(400, 300);
  ScrollBox1->setWidget(surface);
  connect(Button1, &QPushButton::clicked, this, [this] { guarded([this] { Button1Click(); }); });
  auto *imagePage = new QWidget;
  imagePage->setObjectName(QStringLiteral("TabSheet1"));
  auto *imageLayout = new QVBoxLayout(imagePage);
  imageLayout->setContentsMargins(0, 0, 0, 0);
  imageLayout->addWidget(ScrollBox1);
  PageControl1->addTab(imagePage, QStringLiteral("Image"));

  Editor = new TRichEdit;
  Editor->setObjectName(QStringLiteral("Editor"));
  Editor->SetPlainText(true);
  auto *codePage = new QWidget;
  codePage->setObjectName(QStringLiteral("Code"));
  auto *codeLayout = new QVBoxLayout(codePage);
  codeLayout->setContentsMargins(0, 0, 0, 0);
  codeLayout->addWidget(Editor);
  PageControl1->addTab(codePage, QStringLiteral("Code"));

  HtmlView1 = new THtmlView;
  HtmlView1->setObjectName(QStringLiteral("HtmlView1"));
  HtmlView1->OnHotSpotCovered = [this](const QString &url) { HtmlView1HotSpotCovered(url); };
  auto *testPage = new QWidget;
  testPage->setObjectName(QStringLiteral("Test"));
  auto *testLayout = new QVBoxLayout(testPage);
  testLayout->setContentsMargins(0, 0, 0, 0);
  testLayout->addWidget(HtmlView1);
  PageControl1->addTab(testPage, QStringLiteral("Test"));
  connect(PageControl1, &QTabWidget::currentChanged, this, [this] { guarded([this] { PageControl1Change(); }); });
  row->addWidget(PageControl1, 1);

  auto *panel = new QWidget(client);
  panel->setObjectName(QStringLiteral("Panel1"));
  panel->setFixedWidth(166);
  auto *column = new QVBoxLayout(panel);
  column->setContentsMargins(2, 2, 2, 2);
  HREF = new QLineEdit(QStringLiteral("HREF"), panel);
  HREF->setObjectName(QStringLiteral("HREF"));
  HREF->setToolTip(QStringLiteral("Enter the hotspot HREF here"));
  Hotspots = new QTreeView(panel);
  Hotspots->setObjectName(QStringLiteral("Hotspots"));
  Hotspots->setToolTip(QStringLiteral("the Topics Tree"));
  Hotspots->setHeaderHidden(true);
  Hotspots->setModel(m_model);
  Hotspots->setEditTriggers(QAbstractItemView::NoEditTriggers);
  connect(Hotspots, &QTreeView::clicked, this, [this] { guarded([this] { HotspotsClick(); }); });
  column->addWidget(HREF);
  column->addWidget(Hotspots, 1);
  row->addWidget(panel);
  setCentralWidget(client);

  statusBar()->setObjectName(QStringLiteral("StatusBar1"));
  StatusBar = new QLabel(this);
  StatusBar->setObjectName(QStringLiteral("StatusPanel"));
  statusBar()->addWidget(StatusBar, 1);
}

// The view and its model go before the tree they show, which is a member and would go first.
TZonellaF::~TZonellaF() {
  Hotspots->setModel(nullptr);
  delete m_model;
}

void TZonellaF::FormCreate() { m_appDir = AppDir(); }

TSizerControl *TZonellaF::sizer() const { return Button1->parentWidget()->findChild<TSizerControl *>(); }

QRect TZonellaF::markerArea() const { return Button1->geometry(); }

OutlineNode *TZonellaF::selectedNode() const { return m_model->nodeOf(Hotspots->currentIndex()); }

void TZonellaF::selectNode(OutlineNode *node) {
  Hotspots->setCurrentIndex(m_model->indexOf(node));
  m_tree.setSelected(node);
}

bool TZonellaF::loadPicture(const QString &path) {
  return guarded([&] {
    const Picture picture = LoadPicture(path);
    if (picture.isNull())
      throw Error(QStringLiteral("Cannot open \"%1\": it is not a picture Zonella reads.").arg(ExtractFileName(path)));
    Image1->setPixmap(QPixmap::fromImage(picture.toBitmap().toQImage()));
    Image1->adjustSize();
    QWidget *surface = Image1->parentWidget();
    surface->resize(qMax(Image1->width(), Button1->geometry().right() + 1),
                    qMax(Image1->height(), Button1->geometry().bottom() + 1));
    m_picturePath = path;
  });
}

void TZonellaF::goPictureClick() {
  FileDialogOptions options;
  options.filter = PictureFilter;
  if (Application().dialogs().openPicture(options))
    loadPicture(options.fileName);
}

bool TZonellaF::saveTree(const QString &path) {
  m_tree.SaveToFile(path);
  m_treeFile = path;
  m_modified = false;
  return true;
}

bool TZonellaF::saveWithDialog() {
  FileDialogOptions options;
  options.filter = TreeFilter;
  options.defaultExt = QStringLiteral("txt");
  options.fileName = m_treeFile;
  if (!Application().dialogs().saveFile(options))
    return false;
  return saveTree(options.fileName);
}

bool TZonellaF::mayDiscard() {
  if (!m_modified)
    return true;
  return MayCloseDocument(Application().dialogs(), {m_treeFile, [this] { return saveWithDialog(); }});
}

void TZonellaF::goNewClick() {
  if (!mayDiscard())
    return;
  m_tree.BeginUpdate();
  m_tree.Clear();
  m_tree.EndUpdate();
  HREF->clear();
  m_treeFile.clear();
  m_modified = false;
}

void TZonellaF::goCloseClick() { goNewClick(); }

bool TZonellaF::loadTree(const QString &path) {
  return guarded([&] {
    // Read into a tree of our own first, so a file that is not a tree leaves ours as it was.
    const QByteArray bytes = ReadFileBytes(path);
    OutlineTree check;
    check.loadFromBytes(bytes);
    m_tree.loadFromBytes(bytes);
    m_treeFile = path;
    m_modified = false;
  });
}

void TZonellaF::goOpenClick() {
  if (!mayDiscard())
    return;
  FileDialogOptions options;
  options.filter = TreeFilter;
  options.defaultExt = QStringLiteral("txt");
  if (Application().dialogs().openFile(options))
    loadTree(options.fileName);
}

void TZonellaF::goSaveClick() { saveWithDialog(); }

void TZonellaF::goAddClick() {
  OutlineNode *node = AddHotspot(m_tree, selectedNode(), HREF->text(), markerArea());
  m_modified = true;
  Hotspots->expand(m_model->indexOf(node->parent()));
}

void TZonellaF::goDeleteClick() {
  OutlineNode *node = selectedNode();
  if (!node)
    return;
  m_tree.Delete(node);
  m_modified = true;
}

void TZonellaF::goEditClick() {
  OutlineNode *hotspot = HotspotOf(selectedNode());
  if (!hotspot)
    return;
  UpdateHotspot(m_tree, hotspot, HREF->text(), markerArea());
  m_modified = true;
}

void TZonellaF::HotspotsClick() {
  OutlineNode *hotspot = HotspotOf(selectedNode());
  if (!hotspot)
    return;
  m_tree.setSelected(selectedNode());
  HREF->setText(hotspot->textString());
  if (const std::optional<QRect> area = HotspotArea(hotspot))
    Button1->setGeometry(*area);
}

void TZonellaF::Button1Click() { new TSizerControl(this, Button1); }

void TZonellaF::PageControl1Change() {
  switch (PageControl1->currentIndex()) {
  case CodePage:
    if (m_tree.isEmpty()) {
      PageControl1->setCurrentIndex(ImagePage);
      return;
    }
    Editor->SetText(MapHtml(m_tree, m_picturePath).join(u'\n'));
    break;
  case TestPage:
    HtmlView1->LoadStrings(Editor->Lines());
    break;
  default:
    break;
  }
}

void TZonellaF::HtmlView1HotSpotCovered(const QString &url) { StatusBar->setText(url); }

bool TZonellaF::FormCloseQuery() { return mayDiscard(); }

} // namespace corvana
