#pragma once
// The JPEG converter window: a bitmap is opened, compressed at one quality after another with
// each result and its size shown, and the accepted one saved. Opened JPEG files are shown with
// the decoder options of the tool strip.

#include "imagetools/JpegTrial.h"
#include "platform/CommandTable.h"
#include "platform/Forms.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QScrollArea;

namespace corvana {

class PictureView;

class TPixmundF : public TForm {
  Q_OBJECT

public:
  TPixmundF();

  void FormCreate() override;

  void openbmpClick();
  void TestcomprClick();
  void TestOKClick();
  void saveasjpgClick();
  void FitSizeClick();
  // Applies the decoder options to the picture shown when it is a JPEG.
  void SetJPEGOptions();

  bool openFile(const QString &path);
  // The quality of the jpegcompress entry, typed or chosen; throws for anything else.
  int quality() const;
  JpegDecodeOptions decodeOptions() const;

  static const QString OpenFilter;
  // Pictures of more pixels than this are decoded and compressed under the busy cursor, with
  // the status line saying what is happening.
  static inline qint64 LargePicturePixels = 20'000'000;

  QComboBox *scale, *Pixelformat, *ColorSpace, *Performance, *jpegcompress;
  QCheckBox *ProgressiveDisplay, *IncrementalDisplay;
  QScrollArea *ScrollBox1;
  PictureView *Image1;

  const JpegTrial &trial() const { return m_trial; }
  Commands &commands() { return m_commands; }
  QString statusText() const;
  // Every text the status line has shown, oldest first.
  const QStringList &statusHistory() const { return m_statusHistory; }

private:
  void setStatus(const QString &text);
  // Shows a file in Image1; a JPEG with the decoder options when `withOptions`.
  void showFile(const QString &path, bool withOptions);
  void showTrial(qint64 size, int quality);
  void updateButtons();
  // Enables the decoder options exactly when the picture shown is a JPEG (progressive display
  // only for a progressive one).
  void updateOptionControls();
  bool isLarge(const Bitmap &bitmap) const;
  // Reads a picture for Image1 under the busy cursor when it is large; throws when it can't.
  Picture decodeFile(const QString &path, bool withOptions);

  JpegTrial m_trial;
  Commands m_commands;
  QLabel *m_status = nullptr;
  QStringList m_statusHistory;
  QString m_shownPath;
  bool m_shownIsJpeg = false;
};

inline TPixmundF *PixmundF = nullptr;

} // namespace corvana
