#include "imagetools/ImageConverter.h"

#include "core/Error.h"
#include "platform/Paths.h"

namespace corvana {

QString ImageConverter::caption() const {
  if (m_fileName.isEmpty())
    return QStringLiteral("Halcyne");
  return QStringLiteral("Halcyne - ") + ExtractFileName(m_fileName);
}

void ImageConverter::open(const QString &path) {
  m_fileName = path;
  m_extension = UpperFileExt(path);
  Picture picture = LoadPicture(path);
  if (picture.isNull())
    return;
  // Icons and metafiles are drawn at their own size over white, as the paint window does.
  m_workBitmap = picture.toBitmap();
  m_shown = std::move(picture);
}

void ImageConverter::saveAs(const QString &path) {
  const QString extension = UpperFileExt(path);
  if (!CanSavePicture(path))
    throw Error(QStringLiteral("Cannot save \"%1\": Halcyne writes %2 files; give the name one of their "
                               "extensions.")
                    .arg(ExtractFileName(path), SavablePictureKinds()));
  if (!m_workBitmap && m_shown.isNull())
    throw Error(QStringLiteral("There is no picture to save. Open one first."));
  const Bitmap source = m_workBitmap ? *m_workBitmap : m_shown.toBitmap();
  SavePicture(path, source, JpegQuality);
  m_saveName = path;
  m_saveExtension = extension;
  m_workBitmap.reset();
  m_fileName = path;
  m_extension = extension;
  m_shown = LoadPicture(path);
}

} // namespace corvana
