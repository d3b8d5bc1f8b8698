// Starting the frame maps neither the browser engine, nor the PDF library, nor the multimedia
// library: the first HTML view opens the engine's module, the first sound the sound module.

#include "app/MainU.h"
#include "app/Startup.h"
#include "htmlview/HtmlEngine.h"
#include "htmlview/HtmlView.h"
#include "platform/Modules.h"
#include "platform/Shell.h"
#include "support/TestHelpers.h"

#include <QCoreApplication>
#include <QFile>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace corvana;

namespace {

// The heavy libraries this process has mapped, by file name.
QStringList heavyLibrariesMapped() {
  QFile maps(QStringLiteral("/proc/self/maps"));
  EXPECT_TRUE(maps.open(QIODevice::ReadOnly));
  QStringList names;
  for (const QByteArray &line : maps.readAll().split('\n')) {
    const int slash = line.lastIndexOf('/');
    if (slash < 0)
      continue;
    const QString name = QString::fromLocal8Bit(line.mid(slash + 1));
    if ((name.startsWith(QStringLiteral("libQt6WebEngine")) || name.startsWith(QStringLiteral("libQt6Pdf")) ||
         name.startsWith(QStringLiteral("libQt6Multimedia"))) &&
        !names.contains(name))
      names.append(name);
  }
  names.sort();
  return names;
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
  StartCorvana();
  ASSERT_NE(MainForm, nullptr);
  QCoreApplication::processEvents();
  EXPECT_EQ(heavyLibrariesMapped(), QStringList()) << "mapped by the start-up";

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
