#pragma once
// The image viewer and converter window: one picture shown at its own size and saved again
// as GIF, JPEG, PNG or BMP.

#include "imagetools/ImageConverter.h"
#include "platform/CommandTable.h"
#include "platform/Forms.h"

class QWidget;

namespace corvana {

class PictureView;

class THalcyneF : public TForm {
  Q_OBJECT

public:
  THalcyneF();

  void Open1Click();
  void SaveAs1Click();
  void Exit1Click();

  // The file opened or saved: what the window shows and converts.
  bool openFile(const QString &path);
  bool saveFileAs(const QString &path);

  static const QString OpenFilter;
  static const QString SaveFilter;

  PictureView *Viewer;
  const ImageConverter &converter() const { return m_converter; }
  Commands &commands() { return m_commands; }

private:
  void showPicture();
  ImageConverter m_converter;
  Commands m_commands;
};

inline THalcyneF *HalcyneF = nullptr;

} // namespace corvana
