#include "imagetools/PixmundU.h"

#include "controls/BusyCursor.h"
#include "controls/ButtonIcons.h"
#include "controls/ToolBarWidget.h"
#include "core/TextFiles.h"
#include "imagetools/PictureView.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "platform/StatusPanels.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QScrollArea>
#include <QToolBar>

namespace corvana {

const QString TPixmundF::OpenFilter =
    QStringLiteral("All (*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf|JPEG Image File "
                   "(*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|Enhanced "
                   "Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf");

namespace {
using T = TPixmundF;
const CommandRow<T> Buttons[] = {
    {"#ToolBar1", "openbmp", "Open", {}, &T::openbmpClick, "Open Image File (*.bmp;*wmf;*.jpg)"},
    {"#ToolBar1", "Testcompr", "Test", {}, &T::TestcomprClick, "Test Compression"},
    {"#ToolBar1", "TestOK", "OK", Qt::Key_Return, &T::TestOKClick, "Test OK"},
    {"#ToolBar1", "saveasjpg", "Save", {}, &T::saveasjpgClick, "Save BMP as JPG"},
};
const CommandRow<T> FitButton[] = {
    {"#ToolBar1",
     "FitSize",
     "Fit size...",
     {},
     &T::FitSizeClick,
     "Fit size...\nThe highest quality whose JPEG fits in a size you give"},
};
const QHash<QString, QString> Icons{
    {"openbmp", "document-open"},   {"Testcompr", "media-playback-start"}, {"TestOK", "dialog-ok"},
    {"saveasjpg", "document-save"}, {"FitSize", "zoom-fit-best"},
};
const int ScaleDenominators[] = {1, 2, 4, 8};

QComboBox *optionList(QToolBar *bar, const QString &name, const QString &hint, const QStringList &items) {
  auto *list = new QComboBox(bar);
  list->setObjectName(name);
  list->setToolTip(hint);
  list->addItems(items);
  list->setEnabled(false);
  AddToolBarWidget(bar, list)->setObjectName(name + QStringLiteral("Action"));
  return list;
}

QCheckBox *optionBox(QToolBar *bar, const QString &name, const QString &caption) {
  auto *box = new QCheckBox(caption, bar);
  box->setObjectName(name);
  box->setEnabled(false);
  AddToolBarWidget(bar, box)->setObjectName(name + QStringLiteral("Action"));
  return box;
}

QString megapixels(qint64 pixels) { return QString::number(double(pixels) / 1e6, 'f', 1) + QStringLiteral(" MP"); }
} // namespace

TPixmundF::TPixmundF() : TForm(Kind::MdiChild, QStringLiteral("PixmundF")) {
  setWindowTitle(QStringLiteral("Pixmund 1.1"));
  setDesignedState(true, true);
  setDesignedGeometry(0, 0, 640, 420);

  auto *bar = new QToolBar(QStringLiteral("Tools"), this);
  bar->setObjectName(QStringLiteral("ToolBar1"));
  bar->setMovable(false);
  addToolBar(bar);
  scale = optionList(bar, QStringLiteral("scale"), QStringLiteral("Scale"), {"1:1", "1:2", "1:4", "1:8"});
  Pixelformat = optionList(bar, QStringLiteral("Pixelformat"), QStringLiteral("Pixel Format"), {"24 bit", "8 bit"});
  ColorSpace = optionList(bar, QStringLiteral("ColorSpace"), QStringLiteral("Color Space"), {"RGB", "Grayscale"});
  Performance = optionList(bar, QStringLiteral("Performance"), QStringLiteral("Performance"), {"Quality", "Speed"});
  ProgressiveDisplay = optionBox(bar, QStringLiteral("ProgressiveDisplay"), QStringLiteral("Progressive JPEG"));
  IncrementalDisplay = optionBox(bar, QStringLiteral("IncrementalDisplay"), QStringLiteral("Incremental Display"));
  bar->addSeparator();
  const auto icon = [](const QString &name) { return ButtonIcon(Icons.value(name)); };
  m_commands.build(this, Buttons, icon);
  bar->addSeparator();
  jpegcompress = new QComboBox(bar);
  jpegcompress->setObjectName(QStringLiteral("jpegcompress"));
  jpegcompress->setToolTip(QStringLiteral("Compression "));
  jpegcompress->setEditable(true);
  jpegcompress->setInsertPolicy(QComboBox::NoInsert);
  jpegcompress->addItems({"90", "80", "70", "60", "40", "30", "25", "20", "15", "12", "10", "8", "7", "6", "5"});
  jpegcompress->setMinimumContentsLength(4);
  AddToolBarWidget(bar, jpegcompress)->setObjectName(QStringLiteral("jpegcompressAction"));
  m_commands.build(this, FitButton, icon);
  // Enter presses Test OK, as a dialog's default button, only while Pixmund has the focus: the
  // other windows of the frame keep Enter for themselves.
  QAction *ok = m_commands.action(QStringLiteral("TestOK"));
  ok->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  addAction(ok);

  ScrollBox1 = new QScrollArea(this);
  ScrollBox1->setObjectName(QStringLiteral("ScrollBox1"));
  ScrollBox1->setBackgroundRole(QPalette::Dark);
  Image1 = new PictureView;
  Image1->setObjectName(QStringLiteral("Image1"));
  ScrollBox1->setWidget(Image1);
  ScrollBox1->setWidgetResizable(false);
  setCentralWidget(ScrollBox1);
  m_status = BuildStatusPanels(this, {{200, false, 1}}).value(0);

  for (QComboBox *list : {scale, Pixelformat, ColorSpace, Performance})
    connect(list, &QComboBox::currentIndexChanged, this, [this] { guarded([this] { SetJPEGOptions(); }); });
  for (QCheckBox *box : {ProgressiveDisplay, IncrementalDisplay})
    connect(box, &QCheckBox::toggled, this, [this] { guarded([this] { SetJPEGOptions(); }); });
  updateButtons();
}

void TPixmundF::FormCreate() {
  jpegcompress->setCurrentIndex(5);
  m_trial = JpegTrial(AppDir() + QStringLiteral("temp.jpg"));
  for (QComboBox *list : {scale, Pixelformat, ColorSpace, Performance}) {
    const QSignalBlocker quiet(list);
    list->setCurrentIndex(0);
  }
}

QString TPixmundF::statusText() const { return m_status->text(); }

void TPixmundF::setStatus(const QString &text) {
  m_status->setText(text);
  m_statusHistory.append(text);
  // Shown before long work starts, not after it ends.
  m_status->repaint();
}

int TPixmundF::quality() const { return ParseJpegQuality(jpegcompress->currentText()); }

JpegDecodeOptions TPixmundF::decodeOptions() const {
  JpegDecodeOptions options;
  options.scaleDenominator = ScaleDenominators[qBound(0, scale->currentIndex(), 3)];
  options.quantize = Pixelformat->currentIndex() == 1;
  options.grayscale = ColorSpace->currentIndex() == 1;
  options.fast = Performance->currentIndex() == 1;
  options.progressiveDisplay = ProgressiveDisplay->isEnabled() && ProgressiveDisplay->isChecked();
  if (IncrementalDisplay->isChecked() || options.progressiveDisplay)
    options.progress = [view = Image1](const Bitmap &partial) { view->showPartial(partial); };
  return options;
}

bool TPixmundF::isLarge(const Bitmap &bitmap) const {
  return qint64(bitmap.width()) * bitmap.height() > LargePicturePixels;
}

void TPixmundF::updateButtons() {
  const PixmundButtons &b = m_trial.buttons();
  m_commands.action(QStringLiteral("openbmp"))->setEnabled(b.openbmp);
  m_commands.action(QStringLiteral("Testcompr"))->setEnabled(b.Testcompr);
  m_commands.action(QStringLiteral("TestOK"))->setEnabled(b.TestOK);
  m_commands.action(QStringLiteral("saveasjpg"))->setEnabled(b.saveasjpg);
  m_commands.action(QStringLiteral("FitSize"))->setEnabled(b.Testcompr);
}

Picture TPixmundF::decodeFile(const QString &path, bool withOptions) {
  const qint64 pixels = PicturePixels(path);
  const BusyCursor busy(pixels > LargePicturePixels);
  if (pixels > LargePicturePixels)
    setStatus(QStringLiteral("Decoding %1 (%2)...").arg(ExtractFileName(path), megapixels(pixels)));
  Image1->beginPicture();
  Picture picture = LoadPictureWithJpegOptions(path, withOptions ? decodeOptions() : JpegDecodeOptions{});
  if (picture.isNull())
    throw Error(
        QStringLiteral("Cannot open \"%1\": it is not a picture this window reads.").arg(ExtractFileName(path)));
  return picture;
}

void TPixmundF::showFile(const QString &path, bool withOptions) {
  Image1->setBitmap(decodeFile(path, withOptions).toBitmap());
  m_shownPath = path;
  m_shownIsJpeg = IsJpegName(path);
}

bool TPixmundF::openFile(const QString &path) {
  return guarded([&] {
    const bool bitmap = UpperFileExt(path) == QLatin1String(".BMP");
    const int q = bitmap ? quality() : 0;
    const bool jpeg = IsJpegName(path);
    // The picture is read in full before anything changes, so a file the decoder refuses
    // leaves the window as it was.
    Bitmap pixels = decodeFile(path, jpeg).toBitmap();
    {
      const bool large = bitmap && isLarge(pixels);
      const BusyCursor busy(large);
      if (large)
        setStatus(QStringLiteral("Compressing %1 at quality %2...").arg(ExtractFileName(path)).arg(q));
      m_trial.opened(path, pixels, q);
    }
    setStatus(QStringLiteral("%1: %2 x %3 pixels, %4 bytes")
                  .arg(ExtractFileName(path))
                  .arg(pixels.width())
                  .arg(pixels.height())
                  .arg(m_trial.originalSize()));
    Image1->setBitmap(std::move(pixels));
    m_shownPath = path;
    m_shownIsJpeg = jpeg;
    updateButtons();
    // The picture was decoded with the options already: only their controls follow it.
    if (jpeg)
      updateOptionControls();
  });
}

void TPixmundF::SetJPEGOptions() {
  updateOptionControls();
  if (m_shownIsJpeg)
    showFile(m_shownPath, true);
}

void TPixmundF::updateOptionControls() {
  const bool jpeg = m_shownIsJpeg;
  for (QWidget *control :
       {static_cast<QWidget *>(scale), static_cast<QWidget *>(Pixelformat), static_cast<QWidget *>(ColorSpace),
        static_cast<QWidget *>(Performance), static_cast<QWidget *>(IncrementalDisplay)})
    control->setEnabled(jpeg);
  bool progressive = false;
  if (jpeg) {
    try {
      progressive = IsProgressiveJpeg(ReadFileBytes(m_shownPath));
    } catch (const Error &) {
    }
  }
  ProgressiveDisplay->setEnabled(progressive);
}

void TPixmundF::openbmpClick() {
  FileDialogOptions options;
  options.filter = OpenFilter;
  if (Application().dialogs().openPicture(options))
    openFile(options.fileName);
}

void TPixmundF::showTrial(qint64 size, int q) {
  QString text = QStringLiteral("File Size: %1 bytes").arg(size);
  text += QStringLiteral("    quality %1").arg(q);
  if (m_trial.originalSize() > 0)
    text += QStringLiteral(", %1% of the original %2 bytes")
                .arg(QString::number(100.0 * double(size) / double(m_trial.originalSize()), 'f', 1))
                .arg(m_trial.originalSize());
  setStatus(text);
}

void TPixmundF::TestcomprClick() {
  const int q = quality();
  qint64 size = 0;
  {
    const bool large = isLarge(m_trial.source());
    const BusyCursor busy(large);
    if (large)
      setStatus(QStringLiteral("Compressing at quality %1...").arg(q));
    size = m_trial.test(q);
  }
  updateButtons();
  showFile(m_trial.tempName(), false);
  showTrial(size, q);
}

void TPixmundF::TestOKClick() {
  const int q = quality();
  {
    const BusyCursor busy(isLarge(m_trial.source()));
    m_trial.accept(q);
  }
  updateButtons();
  Image1->setBitmap(m_trial.source());
  m_shownPath = m_trial.openName();
  m_shownIsJpeg = IsJpegName(m_shownPath);
  setStatus(QStringLiteral("Quality %1 accepted: Save writes it.").arg(q));
}

void TPixmundF::saveasjpgClick() {
  const int q = m_trial.hasWorkJpeg() ? 0 : quality();
  FileDialogOptions options;
  if (!Application().dialogs().saveFile(options))
    return;
  m_trial.save(options.fileName, q);
  setStatus(QStringLiteral("Saved %1").arg(options.fileName));
}

void TPixmundF::FitSizeClick() {
  const QString answer = Application().dialogs().inputBox(QStringLiteral("Fit size"),
                                                          QStringLiteral("Largest file size in KB:"), QString());
  if (answer.trimmed().isEmpty())
    return;
  bool ok = false;
  const double kb = QLocale::c().toDouble(answer.trimmed(), &ok);
  if (!ok || kb <= 0 || kb > 1e9)
    throw Error(
        QStringLiteral("'%1' is not a size: give the largest file size in KB, such as 50.").arg(answer.trimmed()));
  const qint64 maxBytes = qint64(kb * 1024);
  QualityFit fit;
  {
    const BusyCursor busy(isLarge(m_trial.source()));
    setStatus(QStringLiteral("Finding the highest quality that fits in %1 KB...").arg(answer.trimmed()));
    fit = FitQuality(m_trial.source(), maxBytes);
  }
  if (fit.quality == 0)
    throw Error(QStringLiteral("The picture does not fit in %1 KB: even at quality 1 its JPEG takes %2 bytes.")
                    .arg(answer.trimmed())
                    .arg(fit.smallest));
  const int index = jpegcompress->findText(QString::number(fit.quality));
  if (index >= 0)
    jpegcompress->setCurrentIndex(index);
  else
    jpegcompress->setEditText(QString::number(fit.quality));
  const qint64 size = m_trial.testFitted(fit);
  updateButtons();
  showFile(m_trial.tempName(), false);
  showTrial(size, fit.quality);
}

} // namespace corvana
