#pragma once
// The image viewer and converter without its window: the file shown, the bitmap every Save As
// writes from, and the rule by which a saved file becomes the one shown.

#include "codecs/Picture.h"

#include <QString>
#include <optional>

namespace corvana {

class ImageConverter {
public:
  static constexpr int JpegQuality = 25;

  const QString &fileName() const { return m_fileName; }
  const QString &extension() const { return m_extension; }
  const QString &saveName() const { return m_saveName; }
  const QString &saveExtension() const { return m_saveExtension; }
  // "Halcyne", or "Halcyne - " and the name of the file shown.
  QString caption() const;

  const Picture &shown() const { return m_shown; }
  bool hasWorkBitmap() const { return m_workBitmap.has_value(); }
  const Bitmap *workBitmap() const { return m_workBitmap ? &*m_workBitmap : nullptr; }

  // Names the file first, so a file its decoder refuses is still named by the caption; the
  // decoder's error is then thrown and the picture shown stays. A file of a kind not read
  // changes only the names.
  void open(const QString &path);
  // Writes the bitmap in the format of the name's extension (JPEG at quality 25); the saved file
  // is then read back and shown, so the window shows what the conversion made. Without a
  // bitmap from Open, the picture shown is converted. Throws, changing nothing, for an
  // extension it cannot write, when nothing is shown, or when the file cannot be written.
  void saveAs(const QString &path);

private:
  QString m_fileName, m_extension, m_saveName, m_saveExtension;
  Picture m_shown;
  std::optional<Bitmap> m_workBitmap;
};

} // namespace corvana
