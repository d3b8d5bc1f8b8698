#include "codecs/Picture.h"

#include "codecs/Bmp.h"
#include "codecs/Jpeg.h"
#include "codecs/Png.h"
#include "core/TextFiles.h"
#include "platform/Paths.h"
#include "raster/Canvas.h"

#include <utility>

namespace corvana {

int Picture::width() const {
  switch (kind) {
  case Kind::Bitmap:
    return bitmap.width();
  case Kind::Icon:
    return icon.width();
  case Kind::Metafile:
    return metafile.width();
  case Kind::None:
    break;
  }
  return 0;
}

int Picture::height() const {
  switch (kind) {
  case Kind::Bitmap:
    return bitmap.height();
  case Kind::Icon:
    return icon.height();
  case Kind::Metafile:
    return metafile.height();
  case Kind::None:
    break;
  }
  return 0;
}

void Picture::draw(Canvas &canvas, int x, int y) const {
  switch (kind) {
  case Kind::Bitmap: {
    const CopyMode mode = canvas.copyMode;
    canvas.copyMode = cmSrcCopy;
    canvas.Draw(x, y, bitmap);
    canvas.copyMode = mode;
    break;
  }
  case Kind::Icon:
    DrawIcon(canvas, x, y, icon);
    break;
  case Kind::Metafile:
    metafile.draw(canvas, x, y);
    break;
  case Kind::None:
    break;
  }
}

Bitmap Picture::toBitmap() && {
  if (kind == Kind::Bitmap || kind == Kind::None)
    return std::move(bitmap);
  return std::as_const(*this).toBitmap();
}

Bitmap Picture::toBitmap() const & {
  if (kind == Kind::Bitmap || kind == Kind::None)
    return bitmap;
  Bitmap out(width(), height(), PixelFormat::pf24bit, clWhite);
  Canvas canvas(out);
  draw(canvas, 0, 0);
  return out;
}

Picture DecodePicture(const QByteArray &bytes, const QString &ext) {
  Picture p;
  if (ext == QLatin1String(".GIF")) {
    GifImage gif = ReadGif(bytes);
    p.kind = Picture::Kind::Bitmap;
    p.bitmap = std::move(gif.bitmap);
    p.transparentIndex = gif.transparentIndex;
  } else if (ext == QLatin1String(".JPG") || ext == QLatin1String(".JPEG")) {
    p.kind = Picture::Kind::Bitmap;
    p.bitmap = DecodeJpeg(bytes);
  } else if (ext == QLatin1String(".BMP")) {
    p.kind = Picture::Kind::Bitmap;
    p.bitmap = ReadBmp(bytes);
  } else if (ext == QLatin1String(".PNG")) {
    p.kind = Picture::Kind::Bitmap;
    p.bitmap = ReadPng(bytes);
  } else if (ext == QLatin1String(".ICO")) {
    p.kind = Picture::Kind::Icon;
    p.icon = ReadIco(bytes);
  } else if (ext == QLatin1String(".WMF") || ext == QLatin1String(".EMF")) {
    p.kind = Picture::Kind::Metafile;
    p.metafile = Metafile::fromBytes(bytes);
  }
  return p;
}

Picture LoadPicture(const QString &path) {
  const QString ext = UpperFileExt(path);
  static const QStringList known{".GIF", ".JPG", ".JPEG", ".BMP", ".PNG", ".ICO", ".WMF", ".EMF"};
  if (!known.contains(ext))
    return {};
  return DecodePicture(ReadFileBytes(path), ext);
}

// PNG is offered by the "All" entry and an entry of its own at the end, so that the other
// entries keep the places the image windows have always given them.
QString PictureOpenFilter() {
  return QStringLiteral(
      "All (*.gif;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf)|*.gif;*.jpg;*.jpeg;*.bmp;*.ico;*.emf;*.wmf;*.png|"
      "CompuServe GIF Image (*.gif)|*.gif|JPEG Image File (*.jpg)|*.jpg|JPEG Image File (*.jpeg)|*.jpeg|"
      "Bitmaps (*.bmp)|*.bmp|Icons (*.ico)|*.ico|Enhanced Metafiles (*.emf)|*.emf|Metafiles (*.wmf)|*.wmf|"
      "PNG Image (*.png)|*.png");
}

bool CanSavePicture(const QString &path) {
  static const QStringList writable{".BMP", ".GIF", ".JPG", ".JPEG", ".PNG"};
  return writable.contains(UpperFileExt(path));
}

QString SavablePictureKinds() { return QStringLiteral("GIF, JPEG, PNG or BMP"); }

bool SavePicture(const QString &path, const Bitmap &bitmap, int jpegQuality) {
  const QString ext = UpperFileExt(path);
  QByteArray bytes;
  if (ext == QLatin1String(".BMP"))
    bytes = WriteBmp(bitmap);
  else if (ext == QLatin1String(".GIF"))
    bytes = WriteGif(bitmap);
  else if (ext == QLatin1String(".JPG") || ext == QLatin1String(".JPEG"))
    bytes = EncodeJpeg(bitmap, jpegQuality);
  else if (ext == QLatin1String(".PNG"))
    bytes = WritePng(bitmap);
  else
    return false;
  WriteFileBytes(path, bytes);
  return true;
}

} // namespace corvana
