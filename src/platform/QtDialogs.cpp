#include "platform/QtDialogs.h"

#include "platform/FileFilters.h"
#include "platform/Forms.h"
#include "platform/Printing.h"

#include <QApplication>
#include <QColorDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QProgressDialog>
#include <QVBoxLayout>

namespace corvana {

QWidget *QtDialogs::parentWindow() { return QApplication::activeWindow(); }

bool QtDialogs::confirm(const QString &text) {
  QMessageBox box(QMessageBox::Question, Application().title(), text, QMessageBox::Yes | QMessageBox::No,
                  parentWindow());
  box.setObjectName(QStringLiteral("ConfirmBox"));
  return box.exec() == QMessageBox::Yes;
}

Dialogs::Answer QtDialogs::askSave(const QString &text) {
  QMessageBox box(QMessageBox::Question, Application().title(), text,
                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parentWindow());
  box.setObjectName(QStringLiteral("AskSaveBox"));
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
  case QMessageBox::Yes:
    return Answer::Yes;
  case QMessageBox::No:
    return Answer::No;
  default:
    return Answer::Cancel;
  }
}

void QtDialogs::message(const QString &text) {
  QMessageBox box(QMessageBox::NoIcon, Application().title(), text, QMessageBox::Ok, parentWindow());
  box.setObjectName(QStringLiteral("MessageBox"));
  box.exec();
}

void QtDialogs::information(const QString &text) {
  QMessageBox box(QMessageBox::Information, Application().title(), text, QMessageBox::Ok, parentWindow());
  box.setObjectName(QStringLiteral("InformationBox"));
  box.exec();
}

void QtDialogs::error(const QString &text) {
  QMessageBox box(QMessageBox::Critical, Application().title(), text, QMessageBox::Ok, parentWindow());
  box.setObjectName(QStringLiteral("ErrorBox"));
  box.exec();
}

QString QtDialogs::inputBox(const QString &caption, const QString &prompt, const QString &defaultText) {
  bool ok = false;
  const QString text = QInputDialog::getText(parentWindow(), caption, prompt, QLineEdit::Normal, defaultText, &ok);
  return ok ? text : defaultText;
}

bool QtDialogs::fileDialog(FileDialogOptions &options, bool save, bool picture) {
  QFileDialog dialog(parentWindow(), options.title);
  dialog.setObjectName(save ? QStringLiteral("SaveDialog") : QStringLiteral("OpenDialog"));
  dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
  dialog.setFileMode(save                  ? QFileDialog::AnyFile
                     : options.multiSelect ? QFileDialog::ExistingFiles
                                           : QFileDialog::ExistingFile);
  const QStringList filters = QtNameFilters(options.filter);
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    if (options.filterIndex >= 1 && options.filterIndex <= filters.size())
      dialog.selectNameFilter(filters[options.filterIndex - 1]);
  }
  if (!options.defaultExt.isEmpty())
    dialog.setDefaultSuffix(options.defaultExt);
  const QString dir = options.initialDir.isEmpty() ? QFileInfo(options.fileName).absolutePath() : options.initialDir;
  if (!options.initialDir.isEmpty() || !options.fileName.isEmpty())
    dialog.setDirectory(dir);
  if (!options.fileName.isEmpty())
    dialog.selectFile(QFileInfo(options.fileName).fileName());
  if (picture) {
    // A small preview of the picture under the cursor, as picture dialogs offer.
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    auto *preview = new QLabel(&dialog);
    preview->setObjectName(QStringLiteral("PicturePreview"));
    preview->setFixedSize(160, 160);
    preview->setAlignment(Qt::AlignCenter);
    if (auto *grid = qobject_cast<QGridLayout *>(dialog.layout()))
      grid->addWidget(preview, 1, 3);
    QObject::connect(&dialog, &QFileDialog::currentChanged, preview, [preview](const QString &path) {
      const QPixmap pixmap(path);
      preview->setPixmap(
          pixmap.isNull() ? QPixmap() : pixmap.scaled(preview->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
    });
  }
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
    return false;
  options.files = dialog.selectedFiles();
  options.fileName = options.files.first();
  options.filterIndex = int(filters.indexOf(dialog.selectedNameFilter())) + 1;
  if (options.filterIndex < 1)
    options.filterIndex = 1;
  return true;
}

bool QtDialogs::openFile(FileDialogOptions &options) { return fileDialog(options, false, false); }
bool QtDialogs::saveFile(FileDialogOptions &options) { return fileDialog(options, true, false); }
bool QtDialogs::openPicture(FileDialogOptions &options) { return fileDialog(options, false, true); }
bool QtDialogs::savePicture(FileDialogOptions &options) { return fileDialog(options, true, true); }

bool QtDialogs::color(TColor &color) {
  const QColor chosen = QColorDialog::getColor(ToQColor(color), parentWindow());
  if (!chosen.isValid())
    return false;
  color = FromQColor(chosen);
  return true;
}

bool QtDialogs::font(FontChoice &font) {
  QFont initial(font.name, font.size);
  initial.setBold(font.bold);
  initial.setItalic(font.italic);
  initial.setUnderline(font.underline);
  initial.setStrikeOut(font.strikeOut);
  bool ok = false;
  const QFont chosen = QFontDialog::getFont(&ok, initial, parentWindow());
  if (!ok)
    return false;
  font.name = chosen.family();
  font.size = chosen.pointSize() > 0 ? chosen.pointSize() : font.size;
  font.bold = chosen.bold();
  font.italic = chosen.italic();
  font.underline = chosen.underline();
  font.strikeOut = chosen.strikeOut();
  return true;
}

bool QtDialogs::print(PrintOptions &options) {
  QPrintDialog dialog(&DefaultPrinter(), parentWindow());
  if (dialog.exec() != QDialog::Accepted)
    return false;
  const QPrinter &printer = DefaultPrinter();
  options.copies = printer.copyCount();
  options.fromPage = printer.fromPage();
  options.toPage = printer.toPage();
  options.selectionOnly = printer.printRange() == QPrinter::Selection;
  return true;
}

bool QtDialogs::printerSetup() {
  QPageSetupDialog dialog(&DefaultPrinter(), parentWindow());
  return dialog.exec() == QDialog::Accepted;
}

namespace {
// Shown after half a second of work; every update lets the window answer the Cancel button.
class ProgressWindow : public Progress {
public:
  ProgressWindow(const QString &title, qint64 total, QWidget *parent)
      : m_dialog(title, QStringLiteral("Cancel"), 0, 1000, parent), m_total(total > 0 ? total : 1) {
    m_dialog.setObjectName(QStringLiteral("ProgressBox"));
    m_dialog.setWindowTitle(Application().title());
    m_dialog.setWindowModality(Qt::WindowModal);
    m_dialog.setMinimumDuration(500);
    m_dialog.setAutoReset(false);
    m_dialog.setAutoClose(false);
    m_dialog.setValue(0);
  }
  bool update(qint64 done, const QString &text) override {
    if (!text.isEmpty())
      m_dialog.setLabelText(text);
    m_dialog.setValue(int(qBound(qint64(0), done * 1000 / m_total, qint64(1000))));
    QCoreApplication::processEvents();
    return !m_dialog.wasCanceled();
  }
  bool cancelled() const override { return m_dialog.wasCanceled(); }

private:
  QProgressDialog m_dialog;
  qint64 m_total;
};
} // namespace

std::unique_ptr<Progress> QtDialogs::progress(const QString &title, qint64 total) {
  return std::make_unique<ProgressWindow>(title, total, parentWindow());
}

} // namespace corvana
