#pragma once
// Loading a picture file by its extension and saving a bitmap by the extension of the name
// given: the one place the image windows share for choosing a codec.

#include "codecs/Gif.h"
#include "codecs/Ico.h"
#include "raster/Bitmap.h"
#include "raster/Metafile.h"

#include <QString>

namespace corvana {

class Canvas;

struct Picture {
  enum class Kind { None, Bitmap, Icon, Metafile };
  Kind kind = Kind::None;
  corvana::Bitmap bitmap; // BMP, GIF (its palette bitmap) and JPEG
  corvana::Icon icon;
  corvana::Metafile metafile;
  int transparentIndex = -1; // a GIF's transparent palette entry

  bool isNull() const { return kind == Kind::None; }
  int width() const;
  int height() const;
  // Draws at (x, y) over the pixels already there (metafiles and icons leave them where they
  // draw nothing or are transparent).
  void draw(Canvas &canvas, int x, int y) const;
  // The picture at its own size: bitmaps as they are, icons and metafiles over white.
  corvana::Bitmap toBitmap() const &;
  // The same, taking a bitmap picture's pixels instead of copying them.
  corvana::Bitmap toBitmap() &&;
};

// ".GIF", ".JPG", ".JPEG", ".BMP", ".PNG", ".ICO", ".WMF", ".EMF" (any letter case) are read; any
// other extension gives a null picture. Read errors throw corvana::Error.
Picture LoadPicture(const QString &path);
// Decodes bytes by the upper-cased extension with its dot.
Picture DecodePicture(const QByteArray &bytes, const QString &upperExtension);

// Writes ".BMP" at the bitmap's depth, ".GIF" after the default colour reduction, ".JPG" and
// ".JPEG" at `jpegQuality`, ".PNG" losslessly. Returns false, writing nothing, for any other
// extension.
bool SavePicture(const QString &path, const Bitmap &bitmap, int jpegQuality);
// The pictures LoadPicture reads, as an open dialog's filter ("name|patterns|…"): the "All"
// entry first, one entry per kind after it.
QString PictureOpenFilter();
// Whether SavePicture writes a file of this name's extension.
bool CanSavePicture(const QString &path);
// "GIF, JPEG, PNG or BMP": the formats SavePicture writes, for messages.
QString SavablePictureKinds();

} // namespace corvana
