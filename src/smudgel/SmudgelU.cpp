#include "smudgel/SmudgelU.h"

#include "codecs/Bmp.h"
#include "codecs/Picture.h"
#include "controls/BusyCursor.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/StatusPanels.h"
#include "platform/UnsavedDocument.h"
#include "smudgel/PaintAttributes.h"

#include <QAction>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QToolBar>
#include <QVBoxLayout>

namespace corvana {

using namespace smudgel;

const QString TSmudgelF::OpenFilter = PictureOpenFilter();
// PNG is written too, so it is offered beside the other three.
const QString TSmudgelF::SaveFilter =
    QStringLiteral("Graphic Files (bmp,gif or jpg)|*.bmp;*.gif;*.jpg;*.jpeg;*.png|BMP Files|*.bmp|PNG Files|*.png");

TSmudgelF::TSmudgelF() : TForm(Kind::MdiChild, QStringLiteral("SmudgelF")), m_model(Application().dialogs()) {
  setWindowTitle(QStringLiteral("Smudgel 4"));
  setDesignedState(true, true);
  setDesignedGeometry(0, 0, 640, 480);
  buildCommands();
  buildControls();
}

TSmudgelF::~TSmudgelF() = default;

void TSmudgelF::buildControls() {
  auto *client = new QWidget(this);
  client->setObjectName(QStringLiteral("ClientArea"));
  auto *row = new QHBoxLayout(client);
  row->setContentsMargins(0, 0, 0, 0);
  row->setSpacing(0);

  ScrollBox1 = new QScrollArea(client);
  ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
  ScrollBox1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  ScrollBox1->setBackgroundRole(QPalette::Dark);
  mypaint = new PaintView(m_model.image(), ScrollBox1);
  mypaint->setObjectName(QStringLiteral("mypaint"));
  ScrollBox1->setWidget(mypaint);
  mypaint->onPress = [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    m_model.mypaintMouseDown(button, shift, x, y);
    refresh();
  };
  mypaint->onMove = [this](Qt::KeyboardModifiers shift, int x, int y) {
    m_model.mypaintMouseMove(shift, x, y);
    refresh();
  };
  mypaint->onRelease = [this](Qt::MouseButton button, Qt::KeyboardModifiers shift, int x, int y) {
    m_model.mypaintMouseUp(button, shift, x, y);
    refresh();
  };
  row->addWidget(ScrollBox1, 1);

  PatList = new PatternListBox(16, client);
  PatList->setObjectName(QStringLiteral("PatList"));
  PatList->setFixedWidth(22);
  PatList->setToolTip(QStringLiteral("Patterns\nRight-click to\nUpdate or Edit"));
  PatList->tileOf = [this](int i) { return m_model.patterns().tile(i); };
  PatList->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(PatList, &QWidget::customContextMenuRequested, this, &TSmudgelF::patternMenu);
  connect(PatList, &QListWidget::clicked, this, [this](const QModelIndex &index) {
    if (index.isValid()) {
      m_model.choosePattern(index.row());
      refresh();
    }
  });
  row->addWidget(PatList);

  Bevel1 = new QFrame(client);
  Bevel1->setObjectName(QStringLiteral("Bevel1"));
  Bevel1->setFrameShape(QFrame::VLine);
  Bevel1->setFrameShadow(QFrame::Sunken);
  row->addWidget(Bevel1);

  Panel1 = new QWidget(client);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  Panel1->setFixedWidth(28);
  auto *column = new QVBoxLayout(Panel1);
  column->setContentsMargins(2, 2, 2, 2);
  column->setSpacing(4);
  LineColor = new ColorListBox(12, Panel1);
  LineColor->setObjectName(QStringLiteral("LineColor"));
  LineColor->setFixedHeight(233);
  LineColor->setToolTip(QStringLiteral("Click for line color\nright-click for fill color"));
  for (const ColorEntry &e : colorEntries())
    LineColor->addColor(QString::fromUtf8(e.text), e.color);
  connect(LineColor, &ColorListBox::chosen, this, &TSmudgelF::lineColorChosen);
  connect(LineColor, &ColorListBox::rightReleased, this, &TSmudgelF::fillColorChosen);
  column->addWidget(LineColor);
  shapeflag = new ColorSwatch(Panel1);
  shapeflag->setObjectName(QStringLiteral("shapeflag"));
  shapeflag->setToolTip(QStringLiteral("Click for other line color\nshift-click for other fill color"));
  connect(shapeflag, &ColorSwatch::released, this, &TSmudgelF::swatchReleased);
  column->addWidget(shapeflag, 0, Qt::AlignHCenter);
  column->addStretch(1);
  row->addWidget(Panel1);
  setCentralWidget(client);

  StatusBar1 = BuildStatusPanels(this, {{150}, {150}, {50}});
  setStatus(1, penModeStatus(m_model.canvas().pen.mode));
  refresh();
}

void TSmudgelF::FormCreate() {
  AppDir = corvana::AppDir();
  const QString problem = m_model.patterns().load(AppDir + QStringLiteral("patterns.bmp"));
  if (!problem.isEmpty())
    ShowStatusNote(this, problem);
  PatList->viewport()->update();
}

// ---- colours and patterns -----------------------------------------------------------------------

void TSmudgelF::setStatus(int panel, const QString &text) { StatusBar1[panel]->setText(text); }

void TSmudgelF::lineColorChosen(int row) {
  m_model.canvas().pen.color = LineColor->colorAt(row);
  refresh();
}

void TSmudgelF::fillColorChosen(int row) {
  const TColor color = LineColor->colorAt(row);
  m_model.canvas().brush.setColor(color);
  m_model.setSwatchFill(color);
  refresh();
}

void TSmudgelF::swatchReleased(bool shift) {
  TColor color = shift ? m_model.swatchFill() : m_model.canvas().pen.color;
  if (!Application().dialogs().color(color))
    return;
  if (shift) {
    m_model.setSwatchFill(color);
    m_model.canvas().brush.setColor(color);
  } else {
    m_model.canvas().pen.color = color;
  }
  refresh();
}

void TSmudgelF::patternMenu(const QPoint &at) {
  const QModelIndex index = PatList->indexAt(at);
  if (index.isValid())
    PatList->setCurrentIndex(index);
  m_commands.menu(QStringLiteral("patpopup"))->popup(PatList->viewport()->mapToGlobal(at));
}

// ---- files ----------------------------------------------------------------------------------

bool TSmudgelF::mayDiscardImage() {
  if (!m_model.modified())
    return true;
  const QString shown = m_fileName.isEmpty() ? QStringLiteral("(new image)") : m_fileName;
  return MayCloseDocument(Application().dialogs(), {shown, [this] {
                                                      if (!CanSavePicture(m_fileName))
                                                        return saveWithDialog();
                                                      saveFile(m_fileName);
                                                      return !m_model.modified();
                                                    }});
}

bool TSmudgelF::saveWithDialog() {
  FileDialogOptions options;
  options.filter = SaveFilter;
  if (!Application().dialogs().savePicture(options))
    return false;
  return saveFile(options.fileName);
}

void TSmudgelF::New1Click() {
  if (!mayDiscardImage())
    return;
  m_model.newImage();
  m_fileName.clear();
  setStatus(0, {});
  m_model.markSaved();
}

void TSmudgelF::Open1Click() {
  if (!mayDiscardImage())
    return;
  FileDialogOptions options;
  options.filter = OpenFilter;
  if (Application().dialogs().openPicture(options))
    openFile(options.fileName);
}

bool TSmudgelF::openFile(const QString &path) {
  const bool ok = guarded([&] {
    BusyCursor busy(QFileInfo(path).size() > 4 * 1024 * 1024);
    const Picture picture = LoadPicture(path);
    if (picture.isNull())
      throw Error(QStringLiteral("Cannot open \"%1\": Smudgel opens GIF, JPEG, PNG, BMP, ICO, WMF and EMF files.")
                      .arg(ExtractFileName(path)));
    m_model.openPicture(picture);
    m_fileName = path;
    setStatus(0, ExtractFileName(path));
    m_model.markSaved();
  });
  refresh();
  return ok;
}

void TSmudgelF::SaveAs1Click() { saveWithDialog(); }

bool TSmudgelF::saveFile(const QString &path) {
  return guarded([&] {
    if (!CanSavePicture(path))
      throw Error(QStringLiteral("Cannot save \"%1\": Smudgel writes %2 files; give the name one of their extensions.")
                      .arg(ExtractFileName(path), SavablePictureKinds()));
    const Bitmap &image = m_model.image();
    BusyCursor busy(qint64(image.width()) * image.height() > 20'000'000);
    SavePicture(path, image, 25);
    m_fileName = path;
    setStatus(0, ExtractFileName(path));
    m_model.markSaved();
  });
}

void TSmudgelF::OpenPattern1Click() {
  FileDialogOptions options;
  options.filter = OpenFilter;
  options.filterIndex = 5;
  if (!Application().dialogs().openPicture(options))
    return;
  guarded([&] { m_model.stretchOverImage(LoadBmpFile(options.fileName)); });
  refresh();
}

void TSmudgelF::SavePattern1Click() {
  FileDialogOptions options;
  options.filter = SaveFilter;
  options.filterIndex = 2;
  if (Application().dialogs().savePicture(options))
    guarded([&] { SaveBmpFile(options.fileName, m_model.patternForSave()); });
}

void TSmudgelF::Exit1Click() { Close(); }

void TSmudgelF::writePatterns() {
  guarded([&] { m_model.patterns().save(AppDir + QStringLiteral("patterns.bmp")); });
}

bool TSmudgelF::FormCloseQuery() { return mayDiscardImage(); }

void TSmudgelF::FormClose(CloseAction &) { writePatterns(); }

} // namespace corvana