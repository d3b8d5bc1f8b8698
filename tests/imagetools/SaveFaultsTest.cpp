#include "support/SaveFaults.h"
#include "ImageToolsTestSupport.h"
#include "codecs/Bmp.h"
#include "core/Error.h"
#include "imagetools/ImageConverter.h"
#include "imagetools/JpegTrial.h"
#include "support/TestHelpers.h"

#include <QDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

using namespace corvana;
using namespace corvana::test;

namespace {

// A save of the image tools: set up in this process, the returned save run under the fault.
struct SavePath {
  const char *name;
  const char *extension;
  std::function<std::function<void()>(TempDir &dir, const QString &target)> prepare;
};

std::function<void()> halcyneSave(TempDir &dir, const QString &target) {
  auto converter = std::make_shared<ImageConverter>();
  converter->open(dir.write("in.bmp", WriteBmp(PhotoLike(64, 64))));
  return [converter, target] { converter->saveAs(target); };
}

const QList<SavePath> &savePaths() {
  static const QList<SavePath> paths{
      {"Halcyne BMP", ".bmp", [](TempDir &d, const QString &t) { return halcyneSave(d, t + ".bmp"); }},
      {"Halcyne JPEG", ".jpg", [](TempDir &d, const QString &t) { return halcyneSave(d, t + ".jpg"); }},
      {"Halcyne GIF", ".gif", [](TempDir &d, const QString &t) { return halcyneSave(d, t + ".gif"); }},
      {"Halcyne PNG", ".png", [](TempDir &d, const QString &t) { return halcyneSave(d, t + ".png"); }},
      {"Pixmund Save", ".jpg",
       [](TempDir &, const QString &t) {
         auto trial = std::make_shared<JpegTrial>();
         trial->opened("in.bmp", PhotoLike(64, 64), 30);
         return std::function<void()>([trial, t] { trial->save(t + ".jpg", 30); });
       }},
      {"Pixmund Test", ".jpg",
       [](TempDir &, const QString &t) {
         auto trial = std::make_shared<JpegTrial>(t + ".jpg");
         trial->opened("in.bmp", PhotoLike(64, 64), 30);
         return std::function<void()>([trial] { trial->test(90); });
       }},
  };
  return paths;
}

const QByteArray OldContents = "the file as it was before the save";

TEST(SaveFaults, ADiskThatFillsMidWriteLeavesTheOldFileAndRaisesAnError) {
  for (const SavePath &path : savePaths()) {
    SCOPED_TRACE(path.name);
    TempDir dir;
    const QString old = "out" + QString(path.extension);
    dir.write(old, OldContents);
    const std::function<void()> save = path.prepare(dir, dir.path("out"));
    const QStringList before = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden);
    EXPECT_EQ(SaveWithDiskFull(save), SaveOutcome::ErrorRaised);
    EXPECT_EQ(dir.read(old), OldContents);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), before) << "no temporary file is left";
  }
}

TEST(SaveFaults, ATargetThatIsADirectoryRaisesAnErrorAndStaysADirectory) {
  for (const SavePath &path : savePaths()) {
    SCOPED_TRACE(path.name);
    TempDir dir;
    QDir(dir.path()).mkdir("out" + QString(path.extension));
    const std::function<void()> save = path.prepare(dir, dir.path("out"));
    EXPECT_THROW(save(), Error);
    EXPECT_TRUE(QFileInfo(dir.path("out" + QString(path.extension))).isDir());
  }
}

} // namespace
