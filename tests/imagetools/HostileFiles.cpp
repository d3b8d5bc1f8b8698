#include "HostileFiles.h"

#include "ImageToolsTestSupport.h"
#include "codecs/Bmp.h"
#include "codecs/Gif.h"
#include "codecs/Jpeg.h"
#include "codecs/Png.h"
#include "platform/Forms.h"

#include <QtEndian>
#include <random>

namespace corvana::test {

namespace {

QByteArray randomBytes(int size, unsigned seed) {
  std::mt19937 random(seed);
  QByteArray bytes(size, '\0');
  for (char &c : bytes)
    c = char(random() & 0xFF);
  return bytes;
}

void putLe16(QByteArray &b, int at, quint16 v) { qToLittleEndian(v, b.data() + at); }
void putLe32(QByteArray &b, int at, quint32 v) { qToLittleEndian(v, b.data() + at); }
void putBe16(QByteArray &b, int at, quint16 v) { qToBigEndian(v, b.data() + at); }
void putBe32(QByteArray &b, int at, quint32 v) { qToBigEndian(v, b.data() + at); }

QByteArray hugeBmp() {
  QByteArray b = WriteBmp(PhotoLike(4, 4));
  putLe32(b, 18, 65535);
  putLe32(b, 22, 65535);
  return b;
}

QByteArray hugeGif() {
  QByteArray b = WriteGif(PhotoLike(4, 4));
  putLe16(b, 6, 65535);
  putLe16(b, 8, 65535);
  const int descriptor = int(b.indexOf('\x2C', 13));
  putLe16(b, descriptor + 5, 65535);
  putLe16(b, descriptor + 7, 65535);
  return b;
}

QByteArray hugeJpeg() {
  QByteArray b = EncodeJpeg(PhotoLike(8, 8), 50);
  const int frame = int(b.indexOf("\xFF\xC0"));
  putBe16(b, frame + 5, 65535);
  putBe16(b, frame + 7, 65535);
  return b;
}

QByteArray hugePng() {
  QByteArray b = WritePng(PhotoLike(4, 4));
  putBe32(b, 16, 65535);
  putBe32(b, 20, 65535);
  return b;
}

// A placeable metafile whose frame claims the largest size its fields hold, drawn at one unit
// per inch, and whose header claims a vast number of objects.
QByteArray hugeWmf() {
  QByteArray b(22 + 18 + 6, '\0');
  putLe32(b, 0, 0x9AC6CDD7);
  putLe16(b, 10, 32767); // right
  putLe16(b, 12, 32767); // bottom
  putLe16(b, 14, 1);     // units per inch
  putLe16(b, 22, 1);     // memory metafile
  putLe16(b, 24, 9);     // header words
  putLe16(b, 26, 0x0300);
  putLe32(b, 28, quint32(b.size() / 2));
  putLe16(b, 32, 65535); // objects
  putLe32(b, 34, 3);
  putLe32(b, 40, 3); // the end record
  return b;
}

QByteArray hugeEmf() {
  QByteArray b(88 + 20, '\0');
  putLe32(b, 0, 1);
  putLe32(b, 4, 88);
  putLe32(b, 16, 0x7FFFFFFF); // bounds right
  putLe32(b, 20, 0x7FFFFFFF); // bounds bottom
  putLe32(b, 32, 0x7FFFFFFF); // frame right (0.01 mm)
  putLe32(b, 36, 0x7FFFFFFF); // frame bottom
  putLe32(b, 40, 0x464D4520); // " EMF"
  putLe32(b, 44, 0x00010000);
  putLe32(b, 48, quint32(b.size()));
  putLe32(b, 52, 0xFFFFFFFF); // records
  putLe16(b, 56, 65535);      // handles
  putLe32(b, 72, 1024);       // reference device in pixels
  putLe32(b, 76, 768);
  putLe32(b, 80, 320); // in millimetres
  putLe32(b, 84, 240);
  putLe32(b, 88, 14); // EMR_EOF
  putLe32(b, 92, 20);
  return b;
}

} // namespace

QByteArray GoodBitmapFile() { return WriteBmp(PhotoLike(24, 16)); }

QList<HostileFile> HostileFiles() {
  QList<HostileFile> files;
  const QStringList kinds{"bmp", "gif", "jpg", "png", "ico", "wmf", "emf"};
  unsigned seed = 1;
  for (const QString &kind : kinds) {
    files.append({"empty." + kind, QByteArray(), true});
    files.append({"random." + kind, randomBytes(4096, seed++), true});
  }
  const QByteArray bmp = WriteBmp(PhotoLike(40, 30)), gif = WriteGif(PhotoLike(40, 30)),
                   jpg = EncodeJpeg(PhotoLike(40, 30), 60), png = WritePng(PhotoLike(40, 30));
  files.append({"half.bmp", bmp.left(bmp.size() / 2), false});
  files.append({"half.gif", gif.left(gif.size() / 2), false});
  files.append({"half.jpg", jpg.left(jpg.size() / 2), false});
  files.append({"half.png", png.left(png.size() / 2), false});
  files.append({"huge.bmp", hugeBmp(), true});
  files.append({"huge.gif", hugeGif(), true});
  files.append({"huge.jpg", hugeJpeg(), true});
  files.append({"huge.png", hugePng(), true});
  files.append({"huge.wmf", hugeWmf(), false});
  files.append({"huge.emf", hugeEmf(), false});
  return files;
}

RecordingDialogs::RecordingDialogs() : m_previous(Application().installedDialogs()) { Application().setDialogs(this); }

RecordingDialogs::~RecordingDialogs() { Application().setDialogs(m_previous); }

} // namespace corvana::test
