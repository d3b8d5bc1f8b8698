// Starting the frame maps neither the browser engine, nor the PDF library, nor the multimedia
// library: the first HTML view opens the engine's module, the first sound the sound module. Nor
// does it read picture files, which would open Qt's image plugins.

#include "app/MainU.h"
#include "app/Startup.h"
#include "htmlview/HtmlEngine.h"
#include "htmlview/HtmlView.h"
#include "platform/Modules.h"
#include "platform/Shell.h"
#include "platform/SuiteIcons.h"
#include "support/TestHelpers.h"

#include <QApplication>
#include <QFile>
#include <QtEndian>
#include <functional>
#include <gtest/gtest.h>

using namespace corvana;

namespace {

// The files this process has mapped whose paths `wanted` picks, by file name.
QStringList mappedFiles(const std::function<bool(const QString &path)> &wanted) {
  QFile maps(QStringLiteral("/proc/self/maps"));
  EXPECT_TRUE(maps.open(QIODevice::ReadOnly));
  QStringList names;
  for (const QByteArray &line : maps.readAll().split('\n')) {
    const int start = line.indexOf('/');
    if (start < 0)
      continue;
    const QString path = QString::fromLocal8Bit(line.mid(start));
    const QString name = path.mid(path.lastIndexOf(u'/') + 1);
    if (wanted(path) && !names.contains(name))
      names.append(name);
  }
  names.sort();
  return names;
}

QStringList heavyLibrariesMapped() {
  return mappedFiles([](const QString &path) {
    const QString name = path.mid(path.lastIndexOf(u'/') + 1);
    return name.startsWith(QStringLiteral("libQt6WebEngine")) || name.startsWith(QStringLiteral("libQt6Pdf")) ||
           name.startsWith(QStringLiteral("libQt6Multimedia"));
  });
}

// Qt opens every image plugin it has to read one picture file whose kind it is not told.
QStringList imagePluginsMapped() {
  return mappedFiles([](const QString &path) { return path.contains(QStringLiteral("/imageformats/")); });
}

bool mapped(const QString &prefix) {
  for (const QString &name : heavyLibrariesMapped())
    if (name.startsWith(prefix))
      return true;
  return false;
}

// A short silent wave file: 16-bit mono at 8000 Hz.
QByteArray silentWave(int samples) {
  QByteArray data(samples * 2, '\0');
  QByteArray wave("RIFF");
  auto le32 = [&wave](quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    wave.append(b, 4);
  };
  auto le16 = [&wave](quint16 v) {
    char b[2];
    qToLittleEndian(v, b);
    wave.append(b, 2);
  };
  le32(36 + data.size());
  wave += "WAVEfmt ";
  le32(16);
  le16(1);
  le16(1);
  le32(8000);
  le32(16000);
  le16(2);
  le16(16);
  wave += "data";
  le32(data.size());
  return wave + data;
}

} // namespace

TEST(StartupLibraries, TheFrameStartsWithoutTheHeavyLibrariesAndTheFirstUsesOpenThem) {
  if (ModuleLoaded(QString::fromLatin1(kHtmlEngineModule)) || ModuleLoaded(QStringLiteral("sound")))
    GTEST_SKIP() << "an earlier test in this process opened a module";
  // As the program's own start settles it: without one, each MDI window draws the style's.
  const QIcon icon = QApplication::windowIcon();
  QApplication::setWindowIcon(SuiteIcon());
  StartCorvana();
  QApplication::setWindowIcon(icon);
  ASSERT_NE(MainForm, nullptr);
  QCoreApplication::processEvents();
  EXPECT_EQ(heavyLibrariesMapped(), QStringList()) << "mapped by the start-up";
  EXPECT_EQ(imagePluginsMapped(), QStringList()) << "the first frame read a picture file";

  THtmlView view;
  view.resize(400, 300);
  view.show();
  view.LoadStrings({QStringLiteral("<html><body><p>first view</p></body></html>")});
  ASSERT_TRUE(view.waitForLoad(30000));
  EXPECT_EQ(view.EngineError(), "");
  ASSERT_NE(view.engineWidget(), nullptr);
  EXPECT_TRUE(mapped(QStringLiteral("libQt6WebEngineCore")));
  EXPECT_TRUE(mapped(QStringLiteral("libQt6Pdf")));
  EXPECT_FALSE(mapped(QStringLiteral("libQt6Multimedia"))) << "a view plays no sound by itself";

  test::TempDir dir;
  EXPECT_TRUE(PlaySound(dir.write(QStringLiteral("quiet.wav"), silentWave(80))));
  EXPECT_TRUE(mapped(QStringLiteral("libQt6Multimedia")));
}
