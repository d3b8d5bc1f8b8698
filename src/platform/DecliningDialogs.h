#pragma once
// A dialogs service that declines every question and shows nothing: for benchmarks and other
// runs where nobody is there to answer.

#include "platform/Dialogs.h"

namespace corvana {

class DecliningDialogs : public Dialogs {
public:
  bool confirm(const QString &) override { return false; }
  Answer askSave(const QString &) override { return Answer::No; }
  void message(const QString &) override {}
  void information(const QString &) override {}
  void error(const QString &) override {}
  QString inputBox(const QString &, const QString &, const QString &defaultText) override { return defaultText; }
  bool openFile(FileDialogOptions &) override { return false; }
  bool saveFile(FileDialogOptions &) override { return false; }
  bool openPicture(FileDialogOptions &) override { return false; }
  bool savePicture(FileDialogOptions &) override { return false; }
  bool color(TColor &) override { return false; }
  bool font(FontChoice &) override { return false; }
  bool print(PrintOptions &) override { return false; }
  bool printerSetup() override { return false; }
};

} // namespace corvana
