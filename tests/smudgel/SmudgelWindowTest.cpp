// The paint window as a person uses it: its controls and menus, the colour list and swatch,
// pen modes and drop-down pictures, files of every kind, the pattern file and closing.

#include "codecs/Bmp.h"
#include "codecs/Gif.h"
#include "codecs/Jpeg.h"
#include "codecs/Png.h"
#include "platform/Paths.h"
#include "platform/StatusPanels.h"
#include "raster/PixelDump.h"
#include "smudgel/PaintAttributes.h"
#include "smudgel/SmudgelU.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QScrollArea>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::smudgel;
using namespace corvana::test;

namespace {

// The program folder of each case: a directory of its own, set before the window starts.
struct OwnAppDir {
  TempDir dir;
  OwnAppDir() { OverrideAppDir(dir.path()); }
  ~OwnAppDir() { OverrideAppDir({}); }
};

class Smudgel : public testing::Test {
protected:
  ~Smudgel() override {
    dialogs.clear();
    if (SmudgelF) {
      SmudgelF->model().markSaved();
      delete SmudgelF;
    }
  }

  OwnAppDir appDir;
  TempDir &dir = appDir.dir;
  ScriptedDialogs dialogs;
  TSmudgelF *window = OpenToolWindow(SmudgelF);
  PaintModel &model = window->model();

  void trigger(const QString &name) {
    QAction *a = window->commands().action(name);
    ASSERT_TRUE(a) << name.toStdString();
    ASSERT_TRUE(a->isEnabled()) << name.toStdString();
    a->trigger();
  }
  QString status(int panel) const { return window->StatusBar1[panel]->text(); }
  void mouse(QEvent::Type type, int x, int y, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers mods = {}) {
    const QPointF at(x + 0.5, y + 0.5);
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, at, window->mypaint->mapToGlobal(at), type == QEvent::MouseMove ? Qt::NoButton : button,
                      held, mods);
    QCoreApplication::sendEvent(window->mypaint, &event);
  }
  void drag(int x0, int y0, int x1, int y1) {
    mouse(QEvent::MouseButtonPress, x0, y0);
    mouse(QEvent::MouseMove, x1, y1);
    mouse(QEvent::MouseButtonRelease, x1, y1);
  }
  QStringList toolBarHints() const {
    QStringList hints;
    for (QAction *a : window->ToolBar1->actions())
      hints << (a->isSeparator() ? QStringLiteral("-") : a->toolTip());
    return hints;
  }
};

TEST_F(Smudgel, OpensWithItsControlsMenusAndStatus) {
  EXPECT_EQ(window->objectName(), "SmudgelF");
  EXPECT_EQ(window->windowTitle(), "Smudgel 4");
  EXPECT_TRUE(window->designedMaximized());
  for (QWidget *w : {static_cast<QWidget *>(window->ToolBar1), static_cast<QWidget *>(window->ScrollBox1),
                     static_cast<QWidget *>(window->mypaint), window->Panel1, static_cast<QWidget *>(window->LineColor),
                     static_cast<QWidget *>(window->shapeflag), static_cast<QWidget *>(window->Bevel1),
                     static_cast<QWidget *>(window->PatList)})
    EXPECT_FALSE(w->objectName().isEmpty());
  EXPECT_EQ(window->mypaint->size(), QSize(256, 256));
  EXPECT_EQ(window->Panel1->width(), 28);
  EXPECT_EQ(window->PatList->width(), 22);
  EXPECT_EQ(window->LineColor->height(), 233);
  EXPECT_EQ(window->shapeflag->size(), QSize(23, 23));
  EXPECT_EQ(window->LineColor->toolTip(), "Click for line color\nright-click for fill color");
  EXPECT_EQ(window->shapeflag->toolTip(), "Click for other line color\nshift-click for other fill color");
  EXPECT_EQ(window->PatList->toolTip(), "Patterns\nRight-click to\nUpdate or Edit");
  ASSERT_EQ(window->LineColor->count(), 19);
  EXPECT_EQ(window->LineColor->item(1)->text(), "clMaroon");
  EXPECT_EQ(window->LineColor->item(15)->text(), "$00A6CAF0");
  ASSERT_EQ(window->PatList->count(), 16);
  EXPECT_EQ(window->PatList->item(15)->text(), "15");
  EXPECT_EQ(window->StatusBar1.size(), 3);
  EXPECT_EQ(window->StatusBar1[0]->width(), 150);
  EXPECT_EQ(status(1), "Pen=Copy");

  EXPECT_EQ(toolBarHints(), (QStringList{"-",
                                         "Shape",
                                         "Paint Text",
                                         "Make Button",
                                         "-",
                                         "Solid/Clear",
                                         "Line Width",
                                         "Set Pen Mode",
                                         "-",
                                         "Select",
                                         "Copy Selection",
                                         "Floodfill",
                                         "Fill Selection",
                                         "Pick Paint",
                                         "Paste Color",
                                         "Paste Color Inverted",
                                         "-",
                                         "Resize Image",
                                         "Clear Image",
                                         "Undo"}));
  for (QAction *a : window->ToolBar1->actions())
    if (!a->isSeparator()) {
      EXPECT_FALSE(a->icon().isNull()) << a->toolTip().toStdString();
    }

  Commands &c = window->commands();
  EXPECT_EQ(menuCaptions(c.menu("File1")),
            (QStringList{"&New", "&Open...", "Save &As...", "Open Pattern...", "Save Pattern...", "-", "E&xit"}));
  EXPECT_EQ(menuCaptions(c.menu("Text1")), (QStringList{"&Font...", "&Text...", "&Shadow", "&Default Shadow"}));
  EXPECT_EQ(c.action("Text2")->shortcut(), QKeySequence("Ctrl+T"));
  EXPECT_EQ(menuCaptions(c.menu("Options1")), (QStringList{"&Blocks...", "Line Tolerance...", "Polygon", "&Rounding...",
                                                           "Shapes...", "Spirals", "Spiralfactor", "&Starpoints"}));
  EXPECT_EQ(menuCaptions(c.menu("Spirals1")), (QStringList{"Right", "Left", "1", "2", "3", "Other..."}));
  EXPECT_EQ(menuCaptions(c.menu("Spiralfactor1")), (QStringList{"0.99", "0.97", "0.95", "Other..."}));
  EXPECT_EQ(menuCaptions(c.menu("Starpoints1")).size(), 10);
  EXPECT_EQ(menuCaptions(c.menu("Image1")), (QStringList{"&Magnify", "&Reduce"}));
  EXPECT_EQ(menuCaptions(c.menu("Magnify1")), (QStringList{"x2", "x4", "x8"}));
  EXPECT_EQ(menuCaptions(c.menu("shapes")),
            (QStringList{"Line", "Line Straight", "Rectangle", "Round Rect", "Ellipse", "Arc", "Chord", "Pie", "Spiral",
                         "Star", "Symmetric", "Bezier", "Spray", "Freehand", "vMirror", "cMirror", "hMirror", "Mirror4",
                         "Blocks"}));
  EXPECT_EQ(menuCaptions(c.menu("SetPaintText")), (QStringList{"Font...", "Text...", "Shadow", "Shadow dx...",
                                                               "Shadow dy...", "Shadow Color...", "Shadow Default"}));
  EXPECT_EQ(menuCaptions(c.menu("setbutton")),
            (QStringList{"&Make", "&Width...", "&Height...", "&Color...", "&Default"}));
  EXPECT_EQ(menuCaptions(c.menu("linewidth")),
            (QStringList{"1 pixel", "2 pixels", "3 pixels", "4 pixels", "5 pixels", "Other Size...", "-", "Solid",
                         "Dash", "Dot", "Dash Dot", "Dash Dot Dot", "Clear", "Inside Frame"}));
  EXPECT_EQ(menuCaptions(c.menu("penmodes")).size(), 15);
  EXPECT_EQ(menuCaptions(c.menu("copymodes")).mid(11), (QStringList{"White", "-", "Paste Mask", "Paste"}));
  EXPECT_EQ(menuCaptions(c.menu("clipspop")), (QStringList{"Mask Clip"}));
  EXPECT_EQ(menuCaptions(c.menu("patpopup")), (QStringList{"Update", "Edit"}));
  // every drop-down button opens its menu
  for (const char *button : {"setshape", "goText", "MakeButton1", "setbrushstyle", "setwidth", "setpenmode",
                             "selectcopy", "FillSelection1"}) {
    auto *tool = window->ToolBar1->findChild<QToolButton *>(button);
    ASSERT_TRUE(tool) << button;
    EXPECT_TRUE(tool->menu() || tool->defaultAction()->menu()) << button;
    EXPECT_TRUE(tool->isEnabled()) << button;
  }
}

TEST_F(Smudgel, PenModesShowTheirTextAndDrawTheirPixels) {
  model.canvas().pen.color = clRed;
  trigger("PenModeNotCopy");
  EXPECT_EQ(status(1), "Pen=Not Copy");
  trigger("ShapeLine");
  drag(10, 10, 30, 10);
  EXPECT_EQ(model.image().pixel(20, 10), clAqua); // NOT red
  for (const PenModeEntry &e : penModeEntries()) {
    trigger(QStringLiteral("PenMode") + QString::fromUtf8(e.caption).remove(' '));
    EXPECT_EQ(status(1), QStringLiteral("Pen=") + e.caption);
    EXPECT_EQ(model.canvas().pen.mode, e.mode);
  }
  // Not Xor twice over the same line restores the pixels
  trigger("PenModeNotXor");
  const Bitmap before = model.image();
  drag(5, 40, 60, 70);
  drag(5, 40, 60, 70);
  EXPECT_EQ(model.image(), before);
  // Not ignores the pen colour and inverts what is there
  trigger("PenModeNot");
  trigger("ShapeFreehand");
  drag(0, 100, 50, 100);
  EXPECT_EQ(model.image().pixel(10, 100), clBlack);
}

TEST_F(Smudgel, DropDownButtonsShowTheEntryLastChosen) {
  trigger("ShapeStar");
  EXPECT_EQ(model.state().tool, "star");
  EXPECT_EQ(window->buttonPicture("setshape"), SmudgelIcon::Star);
  trigger("Select1");
  EXPECT_EQ(model.state().tool, "snapshot");
  trigger("setshape"); // the button repeats the last shape
  EXPECT_EQ(model.state().tool, "star");

  trigger("LineWidth4");
  EXPECT_EQ(model.canvas().pen.width, 4);
  EXPECT_EQ(window->buttonPicture("setwidth"), SmudgelIcon::Width4);
  trigger("PenDashDot"); // pen styles leave the picture alone
  EXPECT_EQ(model.canvas().pen.style, PenStyle::DashDot);
  EXPECT_EQ(window->buttonPicture("setwidth"), SmudgelIcon::Width4);
  dialogs.expectInput("3", "Enter new line width:");
  trigger("OtherSize1");
  EXPECT_EQ(model.canvas().pen.width, 3);
  EXPECT_EQ(window->buttonPicture("setwidth"), SmudgelIcon::Width4);

  trigger("BrushDiagCross");
  EXPECT_EQ(model.canvas().brush.style(), BrushStyle::DiagCross);
  EXPECT_EQ(window->shapeflag->brushStyle(), BrushStyle::DiagCross);
  EXPECT_EQ(window->buttonPicture("setbrushstyle"), SmudgelIcon::BrushDiagCross);
  trigger("ClearImage1");
  EXPECT_EQ(window->buttonPicture("setbrushstyle"), SmudgelIcon::BrushSolid);

  trigger("PasteMask1");
  EXPECT_EQ(window->buttonPicture("selectcopy"), SmudgelIcon::PasteMask);
  trigger("selectcopy");
  EXPECT_EQ(model.state().tool, "pastemask");
  trigger("CopyModeSourceInvert");
  EXPECT_EQ(model.canvas().copyMode, cmSrcInvert);
}

TEST_F(Smudgel, TheColourListSetsPenAndFillAndTheSwatchFollows) {
  QListWidget *list = window->LineColor;
  const QRect red = list->visualItemRect(list->item(9));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, red.center());
  EXPECT_EQ(model.canvas().pen.color, clRed);
  EXPECT_EQ(window->shapeflag->lineColor(), clRed);

  const QRect blue = list->visualItemRect(list->item(12));
  QTest::mousePress(list->viewport(), Qt::RightButton, {}, blue.center());
  EXPECT_EQ(model.canvas().brush.color(), clWhite); // the press alone does nothing
  QTest::mouseRelease(list->viewport(), Qt::RightButton, {}, blue.center());
  EXPECT_EQ(model.canvas().brush.color(), clBlue);
  EXPECT_EQ(model.swatchFill(), clBlue);
  EXPECT_EQ(window->shapeflag->fillColor(), clBlue);
  EXPECT_EQ(list->currentRow(), 12);
  EXPECT_EQ(model.canvas().pen.color, clRed);

  // below the last entry nothing changes
  const QPoint below(red.center().x(), list->visualItemRect(list->item(18)).bottom() + 3);
  ASSERT_FALSE(list->indexAt(below).isValid());
  QTest::mouseClick(list->viewport(), Qt::RightButton, {}, below);
  EXPECT_EQ(model.canvas().brush.color(), clBlue);
  EXPECT_EQ(list->currentRow(), 12);

  // the swatch: a plain click asks for the line colour, a shift-click for the fill colour
  dialogs.expectColor(clLime).expectColor(clYellow).expectCancel(Dialogs::Kind::Color);
  QTest::mouseClick(window->shapeflag, Qt::LeftButton);
  EXPECT_EQ(model.canvas().pen.color, clLime);
  QTest::mouseClick(window->shapeflag, Qt::LeftButton, Qt::ShiftModifier);
  EXPECT_EQ(model.canvas().brush.color(), clYellow);
  EXPECT_EQ(model.swatchFill(), clYellow);
  QTest::mouseClick(window->shapeflag, Qt::LeftButton);
  EXPECT_EQ(model.canvas().pen.color, clLime);
  EXPECT_EQ(dialogs.pending(), 0);
}

TEST_F(Smudgel, MouseStrokesDrawAndRepaintWhatChanged) {
  model.canvas().pen.color = clBlack;
  trigger("ShapeFreehand");
  drag(10, 10, 40, 10);
  EXPECT_EQ(model.image().pixel(25, 10), clBlack);
  EXPECT_TRUE(model.modified());
  trigger("goUndo");
  EXPECT_EQ(model.image().pixel(25, 10), clWhite);
  trigger("goUndo"); // before any other press: a blank 250 x 250 snapshot
  EXPECT_EQ(window->mypaint->size(), QSize(250, 250));
  dialogs.expectAskSave(Dialogs::Answer::No);
  dialogs.expectInput("40", "Image height:").expectInput("60", "Image width:");
  trigger("New1");
  EXPECT_EQ(window->mypaint->size(), QSize(60, 40));
  EXPECT_FALSE(model.modified());
}

TEST_F(Smudgel, FilesOfEveryKindOpenAndSave) {
  trigger("ShapeRectangle");
  model.canvas().brush.setColor(clRed);
  drag(10, 10, 50, 40);
  const Bitmap drawn = model.image();

  dialogs.expectSavePicture(dir.path("star.png"));
  trigger("SaveAs1");
  EXPECT_EQ(status(0), "star.png");
  EXPECT_FALSE(model.modified());
  EXPECT_EQ(ReadPng(dir.read("star.png")), drawn);

  dialogs.expectSavePicture(dir.path("star.bmp"));
  trigger("SaveAs1");
  EXPECT_EQ(LoadBmpFile(dir.path("star.bmp")), drawn);
  dialogs.expectSavePicture(dir.path("star.jpg"));
  trigger("SaveAs1");
  EXPECT_EQ(dir.read("star.jpg"), EncodeJpeg(drawn, 25));
  dialogs.expectSavePicture(dir.path("star.gif"));
  trigger("SaveAs1");
  EXPECT_EQ(ReadGif(dir.read("star.gif")).bitmap.width(), 256);

  // an extension nothing writes: an error, no file, nothing changed
  dialogs.expectSavePicture(dir.path("star.xyz"))
      .expectError("Cannot save \"star.xyz\": Smudgel writes GIF, JPEG, PNG or BMP files; give the name one of "
                   "their extensions.");
  trigger("SaveAs1");
  EXPECT_FALSE(QFile::exists(dir.path("star.xyz")));
  EXPECT_EQ(status(0), "star.gif");

  // opening a PNG gives back the saved pixels; a .txt is refused and changes nothing
  trigger("ClearImage1");
  dialogs.expectAskSave(Dialogs::Answer::No).expectOpenPicture(dir.path("star.png"));
  trigger("Open1");
  EXPECT_EQ(dialogs.lastFileOptions().filter, TSmudgelF::OpenFilter);
  EXPECT_EQ(model.image(), drawn);
  EXPECT_EQ(status(0), "star.png");
  dialogs.expectOpenPicture(dir.write("notes.txt", "hello"))
      .expectError("Cannot open \"notes.txt\": Smudgel opens GIF, JPEG, PNG, BMP, ICO, WMF and EMF files.");
  trigger("Open1");
  EXPECT_EQ(model.image(), drawn);
  EXPECT_EQ(status(0), "star.png");

  // a broken file keeps the image
  dialogs.expectOpenPicture(dir.write("broken.gif", "GIF89a\x01")).expectError();
  trigger("Open1");
  EXPECT_EQ(model.image(), drawn);
  EXPECT_EQ(dialogs.pending(), 0);
}

TEST_F(Smudgel, ClosingAChangedImageAsksAndAFailedSaveKeepsIt) {
  trigger("ShapeLine");
  drag(0, 0, 100, 100);
  dialogs.expectAskSave(Dialogs::Answer::Cancel, "Save File (new image) ?");
  EXPECT_FALSE(window->FormCloseQuery());
  // Yes with a save that cannot be written: the error is shown and the window stays
  QDir(dir.path()).mkdir("taken.bmp");
  dialogs.expectAskSave(Dialogs::Answer::Yes).expectSavePicture(dir.path("taken.bmp")).expectError();
  EXPECT_FALSE(window->FormCloseQuery());
  EXPECT_TRUE(model.modified());
  dialogs.expectAskSave(Dialogs::Answer::Yes).expectSavePicture(dir.path("kept.bmp"));
  EXPECT_TRUE(window->FormCloseQuery());
  EXPECT_EQ(LoadBmpFile(dir.path("kept.bmp")), model.image());
  // saved once, a later change is saved to the same file without a dialog
  drag(0, 100, 100, 0);
  dialogs.expectAskSave(Dialogs::Answer::Yes, "Save File " + dir.path("kept.bmp") + " ?");
  EXPECT_TRUE(window->FormCloseQuery());
  EXPECT_EQ(LoadBmpFile(dir.path("kept.bmp")), model.image());
}

TEST_F(Smudgel, PatternsAreReadAtStartAndWrittenAtClose) {
  // no patterns file yet: a white strip, and the status says why
  EXPECT_EQ(corvana::test::Count(model.patterns().strip(), clWhite), 128 * 8);
  EXPECT_TRUE(StatusNote(window).contains("patterns.bmp"));
  model.canvas().brush.setColor(clBlue);
  model.surface().FillRect(model.image().rect());
  window->PatList->setCurrentRow(5);
  trigger("UpdatePattern1");
  EXPECT_EQ(model.patterns().tile(5).pixel(3, 3), clBlue);
  // written at once, so nothing is lost if the program stops
  EXPECT_EQ(LoadBmpFile(dir.path("patterns.bmp")).pixel(43, 3), clBlue);

  QFile::remove(dir.path("patterns.bmp"));
  TForm::CloseAction action = TForm::CloseAction::Minimize;
  window->FormClose(action);
  const Bitmap written = LoadBmpFile(dir.path("patterns.bmp"));
  EXPECT_EQ(written.width(), 128);
  EXPECT_EQ(written.pixel(40, 0), clBlue);
  EXPECT_EQ(written.pixel(0, 0), clWhite);

  // Save Pattern writes a blockCount square as BMP whatever the name says
  dialogs.expectInput("12", "Number of blocks:");
  trigger("Blocks1");
  dialogs.expectSavePicture(dir.path("tile.png"));
  trigger("SavePattern1");
  EXPECT_EQ(dialogs.lastFileOptions().filterIndex, 2);
  const Bitmap square = ReadBmp(dir.read("tile.png"));
  EXPECT_EQ(square.width(), 12);
  EXPECT_EQ(square.height(), 12);

  // Open Pattern stretches it over the image; a file that is no BMP is refused
  dialogs.expectOpenPicture(dir.path("tile.png"));
  trigger("OpenPattern1");
  EXPECT_EQ(dialogs.lastFileOptions().filterIndex, 5);
  EXPECT_EQ(model.image().pixel(200, 200), clBlue);
  dialogs.expectOpenPicture(dir.write("x.bmp", "junk")).expectError();
  trigger("OpenPattern1");
  EXPECT_EQ(model.image().pixel(200, 200), clBlue);
}

TEST_F(Smudgel, OptionsAndImageCommandsReachTheModel) {
  trigger("Polygon1");
  EXPECT_TRUE(model.state().polygon);
  EXPECT_TRUE(window->commands().action("Polygon1")->isChecked());
  trigger("SpiralLeft1");
  trigger("SpiralTurns2");
  trigger("Factor095");
  trigger("Starpoints9");
  EXPECT_EQ(model.state().spiralDir, -1);
  EXPECT_EQ(model.state().spiralTurns, 2);
  EXPECT_DOUBLE_EQ(model.state().spiralFactor, 0.95);
  EXPECT_EQ(model.state().starPoints, 9);
  trigger("Reduce2");
  EXPECT_EQ(window->mypaint->size(), QSize(128, 128));
  trigger("Magnify2");
  EXPECT_EQ(window->mypaint->size(), QSize(256, 256));
  trigger("Magnify2"); // 512 is too wide: nothing happens
  EXPECT_EQ(window->mypaint->size(), QSize(256, 256));
  trigger("Make1");
  EXPECT_EQ(window->mypaint->size(), QSize(88, 31));
  trigger("goText");
  EXPECT_EQ(model.state().tool, "text");
  trigger("Shadow1");
  EXPECT_EQ(model.state().tool, "shadowtext");
}

} // namespace
