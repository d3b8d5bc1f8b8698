#pragma once
// The Dialogs service on Qt's message boxes and common dialogs.

#include "platform/Dialogs.h"

class QWidget;

namespace corvana {

class QtDialogs : public Dialogs {
public:
  bool confirm(const QString &text) override;
  Answer askSave(const QString &text) override;
  void message(const QString &text) override;
  void information(const QString &text) override;
  void error(const QString &text) override;
  QString inputBox(const QString &caption, const QString &prompt, const QString &defaultText) override;
  bool openFile(FileDialogOptions &options) override;
  bool saveFile(FileDialogOptions &options) override;
  bool openPicture(FileDialogOptions &options) override;
  bool savePicture(FileDialogOptions &options) override;
  bool color(TColor &color) override;
  bool font(FontChoice &font) override;
  bool print(PrintOptions &options) override;
  bool printerSetup() override;
  std::unique_ptr<Progress> progress(const QString &title, qint64 total) override;

private:
  bool fileDialog(FileDialogOptions &options, bool save, bool picture);
  static QWidget *parentWindow();
};

} // namespace corvana
