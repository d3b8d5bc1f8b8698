// Bad pictures opened in the paint window and saves that fail: an error box each time, the
// old file intact, and the window still drawing afterwards.

#include "codecs/Bmp.h"
#include "codecs/Picture.h"
#include "core/Error.h"
#include "imagetools/HostileFiles.h"
#include "imagetools/ImageToolsTestSupport.h"
#include "platform/Paths.h"
#include "smudgel/PatternStore.h"
#include "smudgel/SmudgelU.h"
#include "support/SaveFaults.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <functional>
#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::smudgel;
using namespace corvana::test;

namespace {

TEST(SmudgelHostileFiles, EachGivesAnErrorOrAPictureAndTheWindowGoesOnDrawing) {
  RecordingDialogs dialogs;
  TSmudgelF *window = OpenToolWindow(SmudgelF);
  PaintModel &model = window->model();
  TempDir dir;
  for (const HostileFile &file : HostileFiles()) {
    SCOPED_TRACE(file.name.toStdString());
    dialogs.errors.clear();
    const Bitmap before = model.image();
    const bool opened = window->openFile(dir.write(file.name, file.bytes));
    EXPECT_EQ(opened, dialogs.errors.isEmpty());
    if (file.mustFail) {
      EXPECT_EQ(dialogs.errors.size(), 1);
      EXPECT_EQ(model.image(), before) << "a refused file leaves the picture";
    }
    EXPECT_LE(dialogs.errors.size(), 1);
    EXPECT_EQ(model.checkConsistency().toStdString(), "");

    dialogs.errors.clear();
    ASSERT_TRUE(window->openFile(dir.write("good.bmp", GoodBitmapFile())));
    EXPECT_EQ(window->mypaint->width(), 24);
    model.state().tool = "line";
    model.mypaintMouseDown(Qt::LeftButton, {}, 0, 0);
    model.mypaintMouseUp(Qt::LeftButton, {}, 10, 0);
    EXPECT_EQ(model.image().pixel(5, 0), clBlack);
  }
  model.markSaved();
  delete SmudgelF;
}

// The paint window's saves, set up here and run under the fault.
struct SavePath {
  const char *name;
  const char *extension;
  std::function<void(const QString &target)> save;
};

QList<SavePath> SavePaths() {
  const Bitmap picture = PhotoLike(64, 48);
  const auto image = [picture](const QString &target) { SavePicture(target, picture, 25); };
  return {
      {"picture as BMP", ".bmp", image},
      {"picture as GIF", ".gif", image},
      {"picture as JPEG", ".jpg", image},
      {"picture as PNG", ".png", image},
      {"pattern strip", ".bmp",
       [](const QString &target) {
         PatternStore store;
         store.setTile(2, PhotoLike(8, 8));
         store.save(target);
       }},
      {"Save Pattern square", ".bmp", [picture](const QString &target) { SaveBmpFile(target, picture); }},
  };
}

const QByteArray OldContents = "the picture as it was before the save";

TEST(SmudgelSaveFaults, ADiskThatFillsMidWriteLeavesTheOldFile) {
  for (const SavePath &path : SavePaths()) {
    SCOPED_TRACE(path.name);
    TempDir dir;
    const QString target = dir.path(QStringLiteral("out") + path.extension);
    dir.write(QStringLiteral("out") + path.extension, OldContents);
    EXPECT_EQ(SaveWithDiskFull([&] { path.save(target); }), SaveOutcome::ErrorRaised);
    EXPECT_EQ(dir.read(QStringLiteral("out") + path.extension), OldContents);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).size(), 1) << "no temporary file is left";
  }
}

TEST(SmudgelSaveFaults, ADirectoryOrAReadOnlyFolderRaisesAnError) {
  for (const SavePath &path : SavePaths()) {
    SCOPED_TRACE(path.name);
    TempDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("out") + path.extension);
    EXPECT_THROW(path.save(dir.path(QStringLiteral("out") + path.extension)), Error);
    EXPECT_TRUE(QFileInfo(dir.path(QStringLiteral("out") + path.extension)).isDir());
    // a folder that does not exist cannot be written into, even by root
    EXPECT_THROW(path.save(dir.path(QStringLiteral("missing/out") + path.extension)), Error);
  }
}

TEST(SmudgelSaveFaults, AFailedPatternWriteAtCloseIsShown) {
  RecordingDialogs dialogs;
  TempDir dir;
  QDir(dir.path()).mkdir("patterns.bmp"); // the program folder's patterns file cannot be replaced
  OverrideAppDir(dir.path());
  TSmudgelF *window = OpenToolWindow(SmudgelF);
  TForm::CloseAction action = TForm::CloseAction::Minimize;
  window->FormClose(action);
  ASSERT_EQ(dialogs.errors.size(), 1);
  EXPECT_TRUE(dialogs.errors[0].contains("patterns.bmp")) << dialogs.errors[0].toStdString();
  delete SmudgelF;
  OverrideAppDir({});
}

} // namespace
