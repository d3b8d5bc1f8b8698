#include "imagetools/JpegTrial.h"

#include "core/Error.h"
#include "core/TextFiles.h"
#include "platform/Paths.h"

#include <QFile>
#include <QFileInfo>

namespace corvana {

QualityFit FitQuality(const Bitmap &bitmap, qint64 maxBytes, const JpegEncoder &encode) {
  QualityFit fit;
  // lo always fits (0 standing for "none"), everything above hi is known not to.
  int lo = 0, hi = 100;
  while (lo < hi) {
    const int mid = (lo + hi + 1) / 2;
    QByteArray jpeg = encode(bitmap, mid);
    ++fit.encodes;
    const qint64 size = jpeg.size();
    if (fit.smallest == 0 || size < fit.smallest)
      fit.smallest = size;
    if (size <= maxBytes) {
      lo = mid;
      fit.quality = mid;
      fit.jpeg = std::move(jpeg);
    } else {
      hi = mid - 1;
    }
  }
  return fit;
}

bool IsJpegName(const QString &path) {
  const QString ext = UpperFileExt(path);
  return ext == QLatin1String(".JPG") || ext == QLatin1String(".JPEG");
}

Picture LoadPictureWithJpegOptions(const QString &path, const JpegDecodeOptions &options) {
  if (!IsJpegName(path))
    return LoadPicture(path);
  Picture p;
  p.kind = Picture::Kind::Bitmap;
  p.bitmap = DecodeJpeg(ReadFileBytes(path), options);
  return p;
}

qint64 PicturePixels(const QString &path) {
  try {
    if (IsJpegName(path)) {
      // The frame header comes early, after at most a thumbnail or two: the head of the file
      // is enough, so a large file is not read twice.
      QFile file(path);
      if (!file.open(QIODevice::ReadOnly))
        return 0;
      const JpegInfo info = ReadJpegInfo(file.read(256 * 1024));
      return qint64(info.width) * info.height;
    }
    if (UpperFileExt(path) != QLatin1String(".BMP"))
      return 0;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
      return 0;
    const QByteArray head = file.read(26);
    if (head.size() < 26 || !head.startsWith("BM"))
      return 0;
    auto word = [&](int at, int bytes) {
      qint64 v = 0;
      for (int i = bytes - 1; i >= 0; --i)
        v = (v << 8) | quint8(head[at + i]);
      return v;
    };
    if (word(14, 4) == 12) // the old core header: 16-bit sides
      return word(18, 2) * word(20, 2);
    const qint64 height = qint32(word(22, 4)); // negative for top-down files
    return word(18, 4) * (height < 0 ? -height : height);
  } catch (const Error &) {
    return 0;
  }
}

int ParseJpegQuality(const QString &text) {
  bool ok = false;
  const int quality = text.trimmed().toInt(&ok);
  if (!ok || quality < 1 || quality > 100)
    throw Error(
        QStringLiteral("'%1' is not a compression quality: give a whole number from 1 to 100.").arg(text.trimmed()));
  return quality;
}

JpegTrial::Kind JpegTrial::opened(const QString &path, Bitmap shown, int quality) {
  m_openName = path;
  m_originalSize = QFileInfo(path).size();
  m_source = std::move(shown);
  const QString ext = UpperFileExt(path);
  if (ext == QLatin1String(".BMP")) {
    m_workJpeg = EncodeJpeg(m_source, quality);
    m_buttons.saveasjpg = m_buttons.Testcompr = true;
    return Kind::Bitmap;
  }
  if (IsJpegName(path)) {
    m_buttons.saveasjpg = m_buttons.Testcompr = false;
    return Kind::Jpeg;
  }
  return Kind::Other;
}

const Bitmap &JpegTrial::source() const {
  if (m_source.isNull())
    throw Error(QStringLiteral("There is no picture to compress. Open one first."));
  return m_source;
}

qint64 JpegTrial::writeTrial(const QByteArray &jpeg) {
  WriteFileBytes(m_tempName, jpeg);
  m_buttons.openbmp = m_buttons.saveasjpg = false;
  m_buttons.TestOK = true;
  return QFileInfo(m_tempName).size();
}

qint64 JpegTrial::test(int quality) { return writeTrial(EncodeJpeg(source(), quality)); }

qint64 JpegTrial::testFitted(const QualityFit &fit) {
  if (fit.quality == 0)
    throw Error(QStringLiteral("Even at quality 1 the JPEG takes %1 bytes.").arg(fit.smallest));
  return writeTrial(fit.jpeg);
}

void JpegTrial::accept(int quality) {
  m_workJpeg = EncodeJpeg(source(), quality);
  m_buttons.TestOK = false;
  m_buttons.openbmp = m_buttons.saveasjpg = true;
}

void JpegTrial::save(const QString &path, int quality) {
  const QByteArray jpeg = m_workJpeg ? *m_workJpeg : EncodeJpeg(source(), quality);
  WriteFileBytes(path, jpeg);
  m_workJpeg.reset();
}

} // namespace corvana
