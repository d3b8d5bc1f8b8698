#pragma once
// The one way the suite asks the user anything: questions, notices, input boxes and the common
// dialogs. Windows and models take this service; the application gives them the Qt one and
// tests a scripted one.

#include "platform/Colors.h"

#include <QString>
#include <QStringList>
#include <memory>

namespace corvana {

// In and out values of a file dialog, like the platform's dialog component: the caller sets
// them, a dialog that is accepted writes back the choice.
struct FileDialogOptions {
  QString title;
  QString filter;      // "name|pattern;pattern|name|pattern…"
  int filterIndex = 1; // 1-based
  QString initialDir;
  QString fileName;
  QString defaultExt; // without the dot
  bool multiSelect = false;
  QStringList files; // every chosen file, when multiSelect
};

struct FontChoice {
  QString name = QStringLiteral("MS Sans Serif");
  int size = 8;
  TColor color = clWindowText;
  bool bold = false, italic = false, underline = false, strikeOut = false;
  bool operator==(const FontChoice &) const = default;
};

struct PrintOptions {
  int copies = 1;
  int fromPage = 0; // 0: all pages
  int toPage = 0;
  bool selectionOnly = false;
};

// Long work reports its steps here and learns whether the user has cancelled it.
class Progress {
public:
  virtual ~Progress() = default;
  // The work done so far, from 0 to the total given; false once the user has cancelled.
  virtual bool update(qint64 done, const QString &text = {}) = 0;
  virtual bool cancelled() const = 0;
};

class Dialogs {
public:
  enum class Kind {
    Confirm,
    AskSave,
    Message,
    Information,
    Error,
    Input,
    OpenFile,
    SaveFile,
    OpenPicture,
    SavePicture,
    Color,
    Font,
    Print,
    PrinterSetup
  };

  virtual ~Dialogs() = default;

  // Modal Yes/No question; true for Yes.
  virtual bool confirm(const QString &text) = 0;
  // Modal Yes/No/Cancel question about saving before a window closes.
  enum class Answer { Yes, No, Cancel };
  virtual Answer askSave(const QString &text) = 0;
  // Plain notice with an OK button, no icon, the application title as caption.
  virtual void message(const QString &text) = 0;
  virtual void information(const QString &text) = 0;
  // The default error box.
  virtual void error(const QString &text) = 0;
  // One-line input box; Cancel returns the default text.
  virtual QString inputBox(const QString &caption, const QString &prompt, const QString &defaultText) = 0;

  virtual bool openFile(FileDialogOptions &options) = 0;
  virtual bool saveFile(FileDialogOptions &options) = 0;
  virtual bool openPicture(FileDialogOptions &options) = 0;
  virtual bool savePicture(FileDialogOptions &options) = 0;
  virtual bool color(TColor &color) = 0;
  virtual bool font(FontChoice &font) = 0;
  virtual bool print(PrintOptions &options) = 0;
  virtual bool printerSetup() = 0;
  // A progress window with a Cancel button for work of `total` steps; it appears only when the
  // work lasts long enough to need it and goes away with the object. The default shows nothing
  // and is never cancelled.
  virtual std::unique_ptr<Progress> progress(const QString &title, qint64 total);
};

QString DialogKindName(Dialogs::Kind kind);

} // namespace corvana
