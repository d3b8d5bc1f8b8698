#include "ImageToolsTestSupport.h"
#include "codecs/Bmp.h"
#include "codecs/Jpeg.h"
#include "core/TextFiles.h"
#include "imagetools/PictureView.h"
#include "imagetools/PixmundU.h"
#include "platform/Paths.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

namespace {

class Pixmund : public testing::Test {
protected:
  TempDir dir;
  ScriptedDialogs dialogs;
  Bitmap photo = PhotoLike(96, 80);
  QString bmp = dir.write("photo.bmp", WriteBmp(photo));
  TPixmundF *window = OpenToolWindow(PixmundF);

  QAction *button(const char *name) { return window->commands().action(name); }
  // openbmp, Testcompr, TestOK, saveasjpg
  QString buttons() {
    QString s;
    for (const char *name : {"openbmp", "Testcompr", "TestOK", "saveasjpg"})
      s += button(name)->isEnabled() ? '1' : '0';
    return s;
  }
  void open(const QString &path) {
    dialogs.expectOpenPicture(path);
    button("openbmp")->trigger();
  }
  void setQuality(const QString &text) { window->jpegcompress->setEditText(text); }
  QList<QWidget *> optionLists() {
    return {window->scale, window->Pixelformat, window->ColorSpace, window->Performance, window->IncrementalDisplay};
  }
};

TEST_F(Pixmund, StartsAsDesigned) {
  EXPECT_EQ(window->windowTitle(), "Pixmund 1.1");
  EXPECT_EQ(window->jpegcompress->currentText(), "30");
  EXPECT_EQ(window->jpegcompress->count(), 15);
  EXPECT_EQ(window->jpegcompress->toolTip(), "Compression ");
  EXPECT_EQ(buttons(), "1000");
  EXPECT_FALSE(button("FitSize")->isEnabled());
  for (QWidget *control : optionLists())
    EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
  EXPECT_FALSE(window->ProgressiveDisplay->isEnabled());
  EXPECT_EQ(window->scale->currentText(), "1:1");
  EXPECT_EQ(window->Pixelformat->toolTip(), "Pixel Format");
  EXPECT_EQ(button("openbmp")->toolTip(), "Open Image File (*.bmp;*wmf;*.jpg)");
  EXPECT_EQ(button("saveasjpg")->toolTip(), "Save BMP as JPG");
  EXPECT_EQ(button("TestOK")->shortcut(), QKeySequence(Qt::Key_Return));
  EXPECT_EQ(button("TestOK")->shortcutContext(), Qt::WidgetWithChildrenShortcut);
  EXPECT_EQ(window->trial().tempName(), AppDir() + "temp.jpg");
  // Left to right as the strip is designed.
  QStringList order;
  for (QAction *action : window->findChild<QToolBar *>("ToolBar1")->actions())
    if (!action->isSeparator())
      order << action->objectName();
  EXPECT_EQ(order, (QStringList{"scaleAction", "PixelformatAction", "ColorSpaceAction", "PerformanceAction",
                                "ProgressiveDisplayAction", "IncrementalDisplayAction", "openbmp", "Testcompr",
                                "TestOK", "saveasjpg", "jpegcompressAction", "FitSize"}));
}

TEST_F(Pixmund, SaveRightAfterOpenKeepsTheQualityOfTheOpen) {
  open(bmp);
  EXPECT_EQ(dialogs.lastFileOptions().filter, TPixmundF::OpenFilter);
  EXPECT_EQ(buttons(), "1101");
  EXPECT_EQ(window->Image1->bitmap(), photo);
  setQuality("90");
  dialogs.expectSaveFile(dir.path("out.jpg"));
  button("saveasjpg")->trigger();
  EXPECT_EQ(dir.read("out.jpg"), EncodeJpeg(photo, 30));
}

TEST_F(Pixmund, TestAt90Then5ShowsTwoSizesAndOkDecidesTheSavedQuality) {
  open(bmp);
  setQuality("90");
  button("Testcompr")->trigger();
  EXPECT_EQ(buttons(), "0110");
  const qint64 fine = QFileInfo(AppDir() + "temp.jpg").size();
  EXPECT_TRUE(window->statusText().startsWith(QString("File Size: %1 bytes").arg(fine)))
      << window->statusText().toStdString();
  setQuality("5");
  button("Testcompr")->trigger();
  const qint64 coarse = QFileInfo(AppDir() + "temp.jpg").size();
  EXPECT_LT(coarse, fine);
  EXPECT_TRUE(window->statusText().startsWith(QString("File Size: %1 bytes").arg(coarse)));
  EXPECT_EQ(window->Image1->bitmap(), DecodeJpeg(EncodeJpeg(photo, 5)));

  button("TestOK")->trigger();
  EXPECT_EQ(buttons(), "1101");
  EXPECT_EQ(window->Image1->bitmap(), photo);
  setQuality("80");
  dialogs.expectSaveFile(dir.path("out.jpg"));
  button("saveasjpg")->trigger();
  EXPECT_EQ(dir.read("out.jpg"), EncodeJpeg(photo, 5));
}

TEST_F(Pixmund, AJpegEnablesTheDecoderOptionsAndABitmapLeavesThemAlone) {
  open(dir.write("p.jpg", EncodeJpeg(photo, 70)));
  EXPECT_EQ(buttons(), "1000");
  for (QWidget *control : optionLists())
    EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
  EXPECT_FALSE(window->ProgressiveDisplay->isEnabled()); // baseline

  window->scale->setCurrentIndex(2); // 1:4
  EXPECT_EQ(window->Image1->size(), QSize(24, 20));
  window->Pixelformat->setCurrentIndex(1);
  EXPECT_LE(ColourCount(window->Image1->bitmap()), JpegPaletteColors);
  window->ColorSpace->setCurrentIndex(1);
  const TColor grey = window->Image1->bitmap().pixel(3, 3);
  EXPECT_TRUE(GetRValue(grey) == GetGValue(grey) && GetGValue(grey) == GetBValue(grey));

  open(bmp);
  EXPECT_EQ(buttons(), "1101");
  for (QWidget *control : optionLists())
    EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
  EXPECT_EQ(window->Image1->bitmap(), photo); // options are for JPEGs only
}

TEST_F(Pixmund, ProgressiveAndIncrementalDisplayPaintWhileDecoding) {
  open(dir.write("prog.jpg", ReadFileBytes(testDataPath("codecs/progressive.jpg"))));
  EXPECT_TRUE(window->ProgressiveDisplay->isEnabled());
  EXPECT_EQ(window->Image1->partialPaints(), 0);
  window->ProgressiveDisplay->setChecked(true);
  const int scans = window->Image1->partialPaints();
  EXPECT_GT(scans, 2);
  window->ProgressiveDisplay->setChecked(false);
  EXPECT_EQ(window->Image1->partialPaints(), 0);

  open(dir.write("tall.jpg", EncodeJpeg(PhotoLike(40, 300), 60)));
  EXPECT_FALSE(window->ProgressiveDisplay->isEnabled());
  window->IncrementalDisplay->setChecked(true);
  EXPECT_EQ(window->Image1->partialPaints(), 300 / 64);
}

TEST_F(Pixmund, BadFilesAndBadQualitiesAreErrorsThatChangeNothing) {
  open(bmp);
  dialogs.expectOpenPicture(dir.write("bad.jpg", "\xFF\xD8\xFF\xDB junk")).expectError();
  button("openbmp")->trigger();
  EXPECT_EQ(buttons(), "1101");
  EXPECT_EQ(window->Image1->bitmap(), photo);

  setQuality("abc");
  dialogs.expectError("'abc' is not a compression quality: give a whole number from 1 to 100.");
  button("Testcompr")->trigger();
  EXPECT_EQ(buttons(), "1101");
  // A typed quality not in the list is used as it stands.
  setQuality("42");
  button("Testcompr")->trigger();
  EXPECT_EQ(ReadFileBytes(AppDir() + "temp.jpg"), EncodeJpeg(photo, 42));
}

TEST_F(Pixmund, FitSizeFindsTheQualityAndShowsItAsATest) {
  open(bmp);
  dialogs.expectInput("4", "Largest file size in KB:");
  button("FitSize")->trigger();
  const int q = window->jpegcompress->currentText().toInt();
  ASSERT_GT(q, 1);
  EXPECT_EQ(ReadFileBytes(AppDir() + "temp.jpg"), EncodeJpeg(photo, q));
  EXPECT_LE(QFileInfo(AppDir() + "temp.jpg").size(), 4096);
  EXPECT_GT(EncodeJpeg(photo, q + 1).size(), 4096);
  EXPECT_EQ(buttons(), "0110");
  EXPECT_TRUE(window->statusText().startsWith("File Size: "));

  dialogs.expectInput("0.01").expectError();
  button("FitSize")->trigger();
  EXPECT_TRUE(dialogs.log().last().contains("even at quality 1")) << dialogs.log().last().toStdString();
  dialogs.expectInputCancel();
  button("FitSize")->trigger();
}

TEST_F(Pixmund, LargePicturesSayWhatIsHappening) {
  const qint64 saved = TPixmundF::LargePicturePixels;
  TPixmundF::LargePicturePixels = 1000;
  open(bmp);
  button("Testcompr")->trigger();
  TPixmundF::LargePicturePixels = saved;
  const QStringList history = window->statusHistory();
  EXPECT_TRUE(history.filter("Decoding photo.bmp (0.0 MP)...").size() == 1) << history.join('\n').toStdString();
  EXPECT_TRUE(history.contains("Compressing at quality 30...")) << history.join('\n').toStdString();
}

} // namespace
