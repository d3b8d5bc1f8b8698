#include "HostileFiles.h"
#include "HtmlTestSupport.h"
#include "codecs/Bmp.h"
#include "controls/RichEdit.h"
#include "htmlview/HtmlView.h"
#include "platform/Paths.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"
#include "zonella/SizerCtl.h"
#include "zonella/ZonellaU.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTreeView>
#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

namespace {

class Zonella : public testing::Test {
protected:
  TempDir dir;
  ScriptedDialogs dialogs;
  TZonellaF *window = OpenToolWindow(ZonellaF);
  void trigger(const char *name) { window->commands().action(name)->trigger(); }
  void addSpot(const QString &href, const QRect &area) {
    window->HREF->setText(href);
    window->Button1->setGeometry(area);
    trigger("goAdd");
  }
};

TEST_F(Zonella, StartsWithTheMarkerAndTheControlsAsDesigned) {
  EXPECT_EQ(window->windowTitle(), "Zonella");
  EXPECT_EQ(window->Button1->geometry(), QRect(152, 144, 75, 25));
  EXPECT_EQ(window->Button1->text(), "S");
  EXPECT_EQ(window->Button1->toolTip(), "Click and size/move me");
  EXPECT_EQ(window->HREF->text(), "HREF");
  EXPECT_EQ(window->PageControl1->tabText(1), "Code");
  EXPECT_EQ(window->commands().action("goEdit")->toolTip(), "Update Hotspot");
  EXPECT_EQ(window->findChild<QWidget *>("Panel1")->width(), 166);
}

TEST_F(Zonella, AddClickUpdateAndDeleteWorkOnTheSelectedHotSpot) {
  addSpot("a.htm", QRect(0, 0, 75, 25));
  addSpot("b.htm", QRect(10, 20, 100, 25));
  EXPECT_EQ(window->tree().dump(), "a.htm(0 0 75 25) b.htm(10 20 110 45)");
  EXPECT_TRUE(window->modified());

  // A click on a coordinate node shows its hot spot.
  window->selectNode(window->tree().topLevelNode(0)->child(3));
  window->HotspotsClick();
  EXPECT_EQ(window->HREF->text(), "a.htm");
  EXPECT_EQ(window->Button1->geometry(), QRect(0, 0, 75, 25));

  window->HREF->setText("c.htm");
  window->Button1->setGeometry(5, 5, 20, 20);
  trigger("goEdit");
  EXPECT_EQ(window->tree().dump(), "c.htm(5 5 25 25) b.htm(10 20 110 45)");

  window->selectNode(window->tree().topLevelNode(1));
  trigger("goDelete");
  EXPECT_EQ(window->tree().dump(), "c.htm(5 5 25 25)");
}

TEST_F(Zonella, TheCodePageWritesTheMapAndAnEmptyTreeStaysOnTheImage) {
  window->PageControl1->setCurrentIndex(1);
  EXPECT_EQ(window->PageControl1->currentIndex(), 0);
  dialogs.expectOpenPicture(dir.write("map.bmp", WriteBmp(Bitmap(300, 200, PixelFormat::pf24bit, clYellow))));
  trigger("goPicture");
  EXPECT_EQ(window->Image1->size(), QSize(300, 200));
  addSpot("page.htm", QRect(0, 0, 75, 25));
  window->PageControl1->setCurrentIndex(1);
  EXPECT_EQ(window->Editor->Lines().value(3), "<AREA SHAPE=RECT COORDS=\"0,0,75,25\" HREF=\"page.htm\">");
  EXPECT_EQ(window->Editor->Lines().value(5), "<IMG SRC=\"" + dir.path("map.bmp") + "\" USEMAP=\"#MAPDATA\" BORDER=0>");
}

TEST_F(Zonella, TheTestPageFollowsAnAreaLink) {
  dir.write("target.htm", "<html><head><title>Target</title></head><body>here</body></html>");
  dialogs.expectOpenPicture(dir.write("map.bmp", WriteBmp(Bitmap(200, 100, PixelFormat::pf24bit, clAqua))));
  trigger("goPicture");
  addSpot(dir.path("target.htm"), QRect(0, 0, 200, 100));
  window->PageControl1->setCurrentIndex(1);
  window->PageControl1->setCurrentIndex(2);
  ASSERT_TRUE(window->HtmlView1->waitForLoad());
  // The pointer over an area names its link in the status bar.
  RunPageScript(*window->HtmlView1,
                "document.querySelector('area').dispatchEvent(new MouseEvent('mouseover', {bubbles: true})); true");
  EXPECT_TRUE(WaitUntil([&] { return window->StatusBar->text() == dir.path("target.htm"); }, 20000))
      << window->StatusBar->text().toStdString();
  RunPageScript(*window->HtmlView1, "document.querySelector('area').click(); true");
  ASSERT_TRUE(WaitUntil([&] { return window->HtmlView1->DocumentTitle() == "Target"; }, 20000));
  EXPECT_TRUE(window->HtmlView1->CurrentFile().endsWith("target.htm"));
}

TEST_F(Zonella, TreesAreSavedAndAFileThatIsNoTreeLeavesTheTreeAlone) {
  addSpot("a.htm", QRect(1, 2, 3, 4));
  dialogs.expectSaveFile(dir.path("spots.txt"));
  trigger("goSave");
  EXPECT_EQ(dir.read("spots.txt"), "a.htm\r\n\t1\r\n\t2\r\n\t4\r\n\t6\r\n");
  EXPECT_FALSE(window->modified());

  dialogs.expectOpenFile(dir.write("bad.txt", "A\r\n\t\tB\r\n")).expectError("Invalid level (2) for item \"B\"");
  trigger("goOpen");
  EXPECT_EQ(window->tree().dump(), "a.htm(1 2 4 6)");

  trigger("goNew");
  EXPECT_TRUE(window->tree().isEmpty());
  EXPECT_TRUE(window->HREF->text().isEmpty());
  dialogs.expectOpenFile(dir.path("spots.txt"));
  trigger("goOpen");
  EXPECT_EQ(window->tree().dump(), "a.htm(1 2 4 6)");
}

TEST_F(Zonella, AFailedSaveShowsTheErrorAndKeepsTheChangedTree) {
  addSpot("a.htm", QRect(1, 2, 3, 4));
  QDir(dir.path()).mkdir("taken.txt");
  dialogs.expectSaveFile(dir.path("taken.txt")).expectError("Cannot create file " + dir.path("taken.txt"));
  trigger("goSave");
  EXPECT_TRUE(window->modified());
  EXPECT_EQ(window->tree().dump(), "a.htm(1 2 4 6)");
  // Closing then still asks.
  dialogs.expectAskSave(Dialogs::Answer::Cancel);
  EXPECT_FALSE(window->FormCloseQuery());
}

TEST_F(Zonella, ChangedHotSpotsAreNotLostWithoutAQuestion) {
  addSpot("a.htm", QRect(1, 2, 3, 4));
  dialogs.expectAskSave(Dialogs::Answer::Cancel);
  trigger("goClose");
  EXPECT_FALSE(window->tree().isEmpty());
  dialogs.expectAskSave(Dialogs::Answer::Cancel);
  EXPECT_FALSE(window->FormCloseQuery());
  dialogs.expectAskSave(Dialogs::Answer::Yes).expectSaveFile(dir.path("kept.txt"));
  trigger("goNew");
  EXPECT_TRUE(window->tree().isEmpty());
  EXPECT_EQ(dir.read("kept.txt"), "a.htm\r\n\t1\r\n\t2\r\n\t4\r\n\t6\r\n");
  EXPECT_TRUE(window->FormCloseQuery());
}

TEST_F(Zonella, TheSizerMovesAndSizesTheMarkerAndGoesWhenItLosesTheFocus) {
  window->show();
  window->Button1->click();
  TSizerControl *sizer = window->sizer();
  ASSERT_NE(sizer, nullptr);
  EXPECT_EQ(sizer->geometry(), QRect(150, 142, 79, 29));
  // Drag the left edge 20 pixels left: the right edge stays.
  const QPoint onLeft = sizer->handle(8).center();
  QTest::mousePress(sizer, Qt::LeftButton, {}, onLeft);
  QTest::mouseMove(sizer, onLeft + QPoint(-20, 0));
  QTest::mouseRelease(sizer, Qt::LeftButton, {}, onLeft + QPoint(-20, 0));
  EXPECT_EQ(window->Button1->geometry(), QRect(132, 144, 95, 25));
  // Drag inside: the marker moves with the frame.
  const QPoint inside(40, 14);
  QTest::mousePress(sizer, Qt::LeftButton, {}, inside);
  QTest::mouseMove(sizer, inside + QPoint(10, 5));
  QTest::mouseRelease(sizer, Qt::LeftButton, {}, inside + QPoint(10, 5));
  EXPECT_EQ(window->Button1->geometry(), QRect(142, 149, 95, 25));

  QPointer<TSizerControl> gone = sizer;
  window->HREF->setFocus();
  QFocusEvent out(QEvent::FocusOut);
  QApplication::sendEvent(sizer, &out);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(gone.isNull());
}

TEST(ZonellaHostileFiles, ABadPictureIsAnErrorAndTheWindowStaysUsable) {
  RecordingDialogs dialogs;
  TZonellaF *window = OpenToolWindow(ZonellaF);
  TempDir dir;
  for (const HostileFile &file : HostileFiles()) {
    SCOPED_TRACE(file.name.toStdString());
    dialogs.errors.clear();
    window->loadPicture(dir.write(file.name, file.bytes));
    EXPECT_EQ(dialogs.errors.size(), file.mustFail ? 1 : dialogs.errors.size());
    dialogs.errors.clear();
    window->loadPicture(dir.write("good.bmp", GoodBitmapFile()));
    EXPECT_TRUE(dialogs.errors.isEmpty());
    EXPECT_EQ(window->Image1->width(), 24);
  }
}

} // namespace
