#pragma once
// The JPEG converter without its window: the picture opened, the trial compressions written to
// a temporary file, the JPEG that Save writes, and which of the four buttons may be pressed.

#include "codecs/Jpeg.h"
#include "codecs/Picture.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <functional>
#include <optional>

namespace corvana {

struct PixmundButtons {
  bool openbmp = true;
  bool Testcompr = false;
  bool TestOK = false;
  bool saveasjpg = false;
  bool operator==(const PixmundButtons &) const = default;
};

// The highest quality whose JPEG fits in a size, found by bisection.
struct QualityFit {
  int quality = 0;     // 0: not even quality 1 fits
  QByteArray jpeg;     // the JPEG at that quality
  qint64 smallest = 0; // the smallest size tried
  int encodes = 0;
};
using JpegEncoder = std::function<QByteArray(const Bitmap &, int quality)>;
// Bisection over qualities 1..100; at most seven encodes.
QualityFit FitQuality(const Bitmap &bitmap, qint64 maxBytes, const JpegEncoder &encode = EncodeJpeg);

// ".JPG" and ".JPEG" files decoded with `options`; other pictures as LoadPicture reads them.
Picture LoadPictureWithJpegOptions(const QString &path, const JpegDecodeOptions &options);
bool IsJpegName(const QString &path);
// Pixels of a JPEG or BMP file read from its header, without decoding; 0 for other kinds and
// for files whose header cannot be read.
qint64 PicturePixels(const QString &path);

class JpegTrial {
public:
  enum class Kind { Bitmap, Jpeg, Other };

  explicit JpegTrial(QString tempName = {}) : m_tempName(std::move(tempName)) {}

  const QString &openName() const { return m_openName; }
  const QString &tempName() const { return m_tempName; }
  const PixmundButtons &buttons() const { return m_buttons; }
  bool hasWorkJpeg() const { return m_workJpeg.has_value(); }
  const QByteArray &workJpeg() const { return *m_workJpeg; }
  // Size in bytes of the file opened: what a trial's size is compared with.
  qint64 originalSize() const { return m_originalSize; }

  // Takes the file just shown: a bitmap is compressed at once at `quality` and may then be
  // tested and saved; a JPEG may only be viewed; other kinds keep the buttons as they are.
  Kind opened(const QString &path, Bitmap shown, int quality);
  // Compresses the opened picture into the temporary file; returns
  // the file's size. Open and Save wait until the trial is accepted.
  qint64 test(int quality);
  // The result of FitQuality, written as a trial.
  qint64 testFitted(const QualityFit &fit);
  // Accepts the trial: the opened picture is compressed at `quality` for Save.
  void accept(int quality);
  // Writes the JPEG to `path`, whatever its extension, and releases it; after an earlier save
  // the opened picture is compressed again at `quality`.
  void save(const QString &path, int quality);
  // The opened picture as a bitmap to compress: the picture as it was opened, so a trial
  // compresses what the user saw even when the file has changed since.
  const Bitmap &source() const;

private:
  qint64 writeTrial(const QByteArray &jpeg);
  QString m_openName;
  QString m_tempName;
  qint64 m_originalSize = 0;
  PixmundButtons m_buttons;
  std::optional<QByteArray> m_workJpeg;
  Bitmap m_source;
};

// Reads a compression quality typed or chosen: a whole number from 1 to 100.
int ParseJpegQuality(const QString &text);

} // namespace corvana
