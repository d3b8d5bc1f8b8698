#include "imagetools/HalcyneU.h"

#include "controls/BusyCursor.h"
#include "imagetools/PictureView.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"

#include <QFileInfo>
#include <QWidget>

namespace corvana {

const QString THalcyneF::OpenFilter = PictureOpenFilter();
// PNG, which the window writes too, is offered as in the open dialog.
const QString THalcyneF::SaveFilter =
    QStringLiteral("All (*.gif;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.gif;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.png|"
                   "CompuServe GIF Image (*.gif)|*.gif|JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|"
                   "Bitmaps (*.bmp)|*.bmp|PNG Image (*.png)|*.png");

namespace {
using T = THalcyneF;
const CommandRow<T> Rows[] = {
    {"", "File1", "&File", {}, nullptr, nullptr, Submenu},     {"File1", "Open1", "&Open...", {}, &T::Open1Click},
    {"File1", "SaveAs1", "Save &As...", {}, &T::SaveAs1Click}, {"File1", "N1", "-", {}, nullptr, nullptr, Separator},
    {"File1", "Exit1", "&Exit", {}, &T::Exit1Click},
};

// Decoding a picture this large takes long enough to need the busy cursor.
bool large(qint64 bytes) { return bytes > 4 * 1024 * 1024; }
} // namespace

THalcyneF::THalcyneF() : TForm(Kind::MdiChild, QStringLiteral("HalcyneF")) {
  setWindowTitle(m_converter.caption());
  setDesignedState(true, true);
  setDesignedGeometry(0, 0, 520, 380);
  m_commands.build(this, Rows);

  auto *client = new QWidget(this);
  client->setObjectName(QStringLiteral("ClientArea"));
  client->setAutoFillBackground(true);
  Viewer = new PictureView(client);
  Viewer->setObjectName(QStringLiteral("Viewer"));
  Viewer->move(16, 8);
  setCentralWidget(client);
}

void THalcyneF::showPicture() {
  setWindowTitle(m_converter.caption());
  Viewer->setBitmap(m_converter.shown().toBitmap());
}

bool THalcyneF::openFile(const QString &path) {
  const bool ok = guarded([&] {
    BusyCursor busy(large(QFileInfo(path).size()));
    try {
      m_converter.open(path);
    } catch (...) {
      setWindowTitle(m_converter.caption());
      throw;
    }
  });
  showPicture();
  return ok;
}

bool THalcyneF::saveFileAs(const QString &path) {
  const bool ok = guarded([&] {
    BusyCursor busy(m_converter.shown().width() * qint64(m_converter.shown().height()) > 20'000'000);
    m_converter.saveAs(path);
  });
  if (ok)
    showPicture();
  return ok;
}

void THalcyneF::Open1Click() {
  FileDialogOptions options;
  options.filter = OpenFilter;
  if (Application().dialogs().openPicture(options))
    openFile(options.fileName);
}

void THalcyneF::SaveAs1Click() {
  FileDialogOptions options;
  options.filter = SaveFilter;
  if (Application().dialogs().savePicture(options))
    saveFileAs(options.fileName);
}

void THalcyneF::Exit1Click() { Close(); }

} // namespace corvana
