#include "ImageToolsTestSupport.h"
#include "codecs/Bmp.h"
#include "codecs/Gif.h"
#include "codecs/Jpeg.h"
#include "imagetools/HalcyneU.h"
#include "imagetools/PictureView.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

namespace {

class Halcyne : public testing::Test {
protected:
  TempDir dir;
  ScriptedDialogs dialogs;
  Bitmap photo = PhotoLike(40, 30);
  THalcyneF *window = OpenToolWindow(HalcyneF);
  void trigger(const char *name) { window->commands().action(name)->trigger(); }
};

TEST_F(Halcyne, StartsEmptyWithItsMenuAndViewer) {
  EXPECT_EQ(window->objectName(), "HalcyneF");
  EXPECT_EQ(window->windowTitle(), "Halcyne");
  EXPECT_EQ(menuCaptions(window->commands().menu("File1")), (QStringList{"&Open...", "Save &As...", "-", "&Exit"}));
  EXPECT_EQ(window->Viewer->objectName(), "Viewer");
  EXPECT_EQ(window->Viewer->pos(), QPoint(16, 8));
  EXPECT_TRUE(window->designedMaximized());
}

TEST_F(Halcyne, OpenAGifSaveItAsJpgAndTheWindowShowsTheJpg) {
  dialogs.expectOpenPicture(dir.write("in.gif", WriteGif(photo)));
  trigger("Open1");
  EXPECT_EQ(dialogs.lastFileOptions().filter, THalcyneF::OpenFilter);
  EXPECT_EQ(window->windowTitle(), "Halcyne - in.gif");
  EXPECT_EQ(window->Viewer->size(), QSize(40, 30));

  dialogs.expectSavePicture(dir.path("x.jpg"));
  trigger("SaveAs1");
  EXPECT_EQ(dialogs.lastFileOptions().filter, THalcyneF::SaveFilter);
  EXPECT_EQ(window->windowTitle(), "Halcyne - x.jpg");
  EXPECT_EQ(window->Viewer->bitmap(), DecodeJpeg(dir.read("x.jpg")));
  EXPECT_EQ(dir.read("x.jpg"), EncodeJpeg(ReadGif(WriteGif(photo)).bitmap, 25));
}

TEST_F(Halcyne, ErrorsAreShownAndTheWindowStaysAsItWas) {
  dialogs.expectOpenPicture(dir.write("p.bmp", WriteBmp(photo)));
  trigger("Open1");
  dialogs.expectSavePicture(dir.path("x.xyz"))
      .expectError("Cannot save \"x.xyz\": Halcyne writes GIF, JPEG, PNG or BMP files; give the name one of "
                   "their extensions.");
  trigger("SaveAs1");
  EXPECT_FALSE(QFile::exists(dir.path("x.xyz")));
  EXPECT_EQ(window->windowTitle(), "Halcyne - p.bmp");

  dialogs.expectOpenPicture(dir.write("broken.jpg", "\xFF\xD8\xFF\xE0 broken")).expectError();
  trigger("Open1");
  EXPECT_EQ(window->windowTitle(), "Halcyne - broken.jpg");
  EXPECT_EQ(window->Viewer->bitmap(), photo);

  // Cancelled dialogs change nothing.
  dialogs.expectCancel(Dialogs::Kind::OpenPicture).expectCancel(Dialogs::Kind::SavePicture);
  trigger("Open1");
  trigger("SaveAs1");
  EXPECT_EQ(window->windowTitle(), "Halcyne - broken.jpg");
  EXPECT_EQ(dialogs.pending(), 0);
}

TEST_F(Halcyne, ASaveThatCannotBeWrittenShowsTheErrorAndKeepsThePicture) {
  dialogs.expectOpenPicture(dir.write("p.bmp", WriteBmp(photo)));
  trigger("Open1");
  QDir(dir.path()).mkdir("out.gif");
  dialogs.expectSavePicture(dir.path("out.gif")).expectError("Cannot create file " + dir.path("out.gif"));
  trigger("SaveAs1");
  EXPECT_EQ(window->windowTitle(), "Halcyne - p.bmp");
  EXPECT_TRUE(window->converter().hasWorkBitmap());
  EXPECT_EQ(window->Viewer->bitmap(), photo);
}

TEST_F(Halcyne, APngOpensAndSavesLikeTheOtherFormats) {
  dialogs.expectOpenPicture(dir.write("p.bmp", WriteBmp(photo))).expectSavePicture(dir.path("p.png"));
  trigger("Open1");
  trigger("SaveAs1");
  EXPECT_EQ(window->windowTitle(), "Halcyne - p.png");
  EXPECT_EQ(window->Viewer->bitmap(), photo);
}

} // namespace
