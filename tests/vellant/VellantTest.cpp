#include "HtmlTestSupport.h"
#include "controls/FindDialog.h"
#include "htmlview/HtmlView.h"
#include "platform/Paths.h"
#include "platform/Printing.h"
#include "platform/Shell.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"
#include "vellant/VellantU.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDropEvent>
#include <QLocale>
#include <QMenu>
#include <QMimeData>
#include <QPdfDocument>
#include <QPdfSelection>
#include <QStatusBar>
#include <QToolButton>
#include <QUrl>
#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

namespace {

QString site(const QString &name) { return testDataPath("htmlview/site/" + name); }

QString clickIn(const QString &frame, const QString &id) {
  const QString doc =
      frame.isEmpty() ? "document" : "document.querySelector('frame[name=" + frame + "]').contentDocument";
  return doc + ".getElementById('" + id + "').click(); true";
}

// Records what would go to the desktop instead of sending it.
class VellantTest : public testing::Test {
protected:
  VellantTest() {
    SetUrlOpener([this](const QUrl &url) {
      opened.append(url.toString());
      return true;
    });
    SetProgramStarter([this](const QString &program, const QStringList &arguments) {
      started.append(QStringList{program} + arguments);
      return true;
    });
    TVellantF::SetCommandLine(QStringList{});
  }
  ~VellantTest() override {
    SetUrlOpener(nullptr);
    SetProgramStarter(nullptr);
    TVellantF::SetCommandLine(std::nullopt);
  }
  TVellantF *open(const QString &file = {}) {
    OpenToolWindow(VellantF);
    if (!file.isEmpty()) {
      VellantF->FrameView->LoadFromFile(file);
      EXPECT_TRUE(VellantF->FrameView->waitForLoad());
    }
    return VellantF;
  }
  QString js(const QString &script) { return RunPageScript(*VellantF->FrameView, script).toString(); }
  bool button(const char *name) { return VellantF->findChild<QToolButton *>(name)->isEnabled(); }
  QAction *item(const QString &caption) { return findAction(VellantF, caption); }

  QStringList opened;
  QList<QStringList> started;
};

} // namespace

TEST_F(VellantTest, CreatedAsATopLevelWindowWithItsControlsAndSettings) {
  open();
  EXPECT_EQ(VellantF->windowTitle(), "Vellant 2");
  EXPECT_EQ(VellantF->kind(), TForm::Kind::TopLevel);
  EXPECT_TRUE(VellantF->isVisible());
  EXPECT_EQ(VellantF->AppDir, AppDir());
  EXPECT_EQ(VellantF->Bookmark, "");
  EXPECT_EQ(VellantF->openDir(), AppDir());
  TFrameView *view = VellantF->FrameView;
  EXPECT_EQ(view->objectName(), "FrameView");
  EXPECT_EQ(view->ImageCacheCount(), 6);
  EXPECT_EQ(view->HistoryMaxCount(), 50);
  EXPECT_EQ(view->DefFontName(), "Times New Roman");
  EXPECT_EQ(view->DefPreFontName(), "Courier New");
  EXPECT_EQ(view->PrintMarginTop, 3.0);
  const QStringList hints{"Open File", "Set Bookmark", "Go Bookmark", "Refresh", "Go Back", "Go Forward"};
  const char *names[] = {"Openbutton", "Bookmarkbutton", "Gohomebutton", "Reloadbutton", "backbutton", "Fwdbutton"};
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(VellantF->findChild<QToolButton *>(names[i])->toolTip(), hints[i]);
  EXPECT_EQ(VellantF->historyList()->toolTip(), "History List");
  EXPECT_FALSE(VellantF->historyList()->isVisible());
  EXPECT_NE(VellantF->findChild<QStatusBar *>("StatusBar1"), nullptr);
  EXPECT_EQ(menuCaptions(VellantF->findChild<QMenu *>("File1")), (QStringList{"&Open...", "&Print...", "-", "E&xit"}));
  EXPECT_EQ(menuCaptions(VellantF->findChild<QMenu *>("Edit1")), (QStringList{"&Find", "&Copy", "Select &All"}));
  EXPECT_TRUE(item("&Show Images")->isChecked());
  // Opening it again shows the same window.
  TVellantF *first = VellantF;
  VellantF->close();
  EXPECT_FALSE(VellantF->isVisible());
  open();
  EXPECT_EQ(VellantF, first);
  EXPECT_TRUE(VellantF->isVisible());
}

TEST_F(VellantTest, ProcessingDisablesCommandsAndTheEndEnablesThemByTheDocument) {
  open();
  QStringList states;
  auto previous = VellantF->FrameView->OnProcessing;
  VellantF->FrameView->OnProcessing = [&](bool processing) {
    previous(processing);
    states.append(QString("%1 open=%2 print=%3 find=%4 all=%5 reload=%6 back=%7")
                      .arg(processing)
                      .arg(item("&Open...")->isEnabled())
                      .arg(item("&Print...")->isEnabled())
                      .arg(item("&Find")->isEnabled())
                      .arg(item("Select &All")->isEnabled())
                      .arg(button("Reloadbutton"))
                      .arg(button("backbutton")));
  };
  VellantF->FrameView->LoadFromFile(site("single.htm"));
  ASSERT_TRUE(VellantF->FrameView->waitForLoad());
  VellantF->FrameView->LoadFromFile(site("index.htm"));
  ASSERT_TRUE(VellantF->FrameView->waitForLoad());
  EXPECT_EQ(
      states,
      (QStringList{"1 open=0 print=0 find=0 all=0 reload=0 back=0", "0 open=1 print=1 find=1 all=1 reload=1 back=0",
                   "1 open=0 print=0 find=0 all=0 reload=0 back=0", "0 open=1 print=1 find=1 all=1 reload=1 back=1"}));
  EXPECT_FALSE(button("Fwdbutton"));
}

TEST_F(VellantTest, HistoryChangeFillsTheListAndSetsTheCaption) {
  open(site("single.htm"));
  VellantF->FrameView->LoadFromFile(site("index.htm"));
  ASSERT_TRUE(VellantF->FrameView->waitForLoad());
  EXPECT_EQ(VellantF->windowTitle(), "Test Site");
  QComboBox *list = VellantF->historyList();
  EXPECT_TRUE(list->isVisible());
  ASSERT_EQ(list->count(), 2);
  EXPECT_EQ(list->itemText(0), "Test Site");
  EXPECT_EQ(list->itemText(1), "Single Page");
  // The caption names the page a step lands on, not the one it left.
  VellantF->backbuttonClick();
  ASSERT_TRUE(VellantF->FrameView->waitForLoad());
  EXPECT_EQ(VellantF->windowTitle(), "Single Page");
  VellantF->FwdbuttonClick();
  ASSERT_TRUE(VellantF->FrameView->waitForLoad());
  EXPECT_EQ(VellantF->windowTitle(), "Test Site");

  VellantF->HistoryListClick(1);
  ASSERT_TRUE(VellantF->FrameView->waitForLoad());
  EXPECT_EQ(VellantF->FrameView->CurrentFile(), site("single.htm"));
  EXPECT_EQ(VellantF->windowTitle(), "Single Page");
  // Choosing the older entry stepped back to it; the newer one is still ahead.
  EXPECT_EQ(list->count(), 2);
  EXPECT_TRUE(button("Fwdbutton"));

  VellantF->FwdbuttonClick();
  ASSERT_TRUE(VellantF->FrameView->waitForLoad());
  EXPECT_EQ(VellantF->FrameView->CurrentFile(), site("index.htm"));
  EXPECT_EQ(VellantF->windowTitle(), "Test Site");
}

TEST_F(VellantTest, ChoosingAHistoryEntryStepsToItAndKeepsTheEntriesAhead) {
  open(site("single.htm"));
  LoadAndWait(*VellantF->FrameView, site("pages/home.htm"));
  LoadAndWait(*VellantF->FrameView, site("pages/about.htm"));
  const QStringList history{site("pages/about.htm"), site("pages/home.htm"), site("single.htm")};
  ASSERT_EQ(VellantF->FrameView->History(), history);
  QComboBox *list = VellantF->historyList();

  VellantF->HistoryListClick(2);
  ASSERT_TRUE(VellantF->FrameView->waitForLoad());
  EXPECT_EQ(VellantF->FrameView->History(), history);
  EXPECT_EQ(VellantF->FrameView->HistoryIndex(), 2);
  EXPECT_EQ(list->currentIndex(), 2) << "the list shows where the view stands";
  EXPECT_TRUE(button("Fwdbutton"));
  EXPECT_FALSE(button("backbutton"));

  // Two steps forward again, to the newest entry.
  VellantF->HistoryListClick(0);
  ASSERT_TRUE(VellantF->FrameView->waitForLoad());
  EXPECT_EQ(VellantF->FrameView->CurrentFile(), site("pages/about.htm"));
  EXPECT_EQ(VellantF->windowTitle(), "About");
  EXPECT_EQ(VellantF->FrameView->History(), history);
  EXPECT_EQ(list->itemText(0), "About");
  EXPECT_EQ(list->count(), 3);
}

TEST_F(VellantTest, OpenStartsInTheDocumentsDirectoryAndTitlesTheWindow) {
  open(site("pages/home.htm"));
  ScriptedDialogs dialogs;
  dialogs.expectOpenFile(site("single.htm"));
  VellantF->Open1Click();
  EXPECT_EQ(dialogs.lastFileOptions().initialDir, site("pages/"));
  EXPECT_EQ(dialogs.lastFileOptions().filter, "html files|*.htm;*.html|all files|*.*|Programs|*.exe");
  EXPECT_EQ(dialogs.lastFileOptions().filterIndex, 1);
  EXPECT_EQ(dialogs.lastFileOptions().defaultExt, "htm");
  ASSERT_TRUE(VellantF->FrameView->waitForLoad());
  EXPECT_EQ(VellantF->windowTitle(), "Single Page");
}

TEST_F(VellantTest, BookmarkAndGoBookmark) {
  open(site("single.htm"));
  VellantF->BookmarkbuttonClick();
  EXPECT_EQ(VellantF->Bookmark, site("single.htm"));
  VellantF->FrameView->LoadFromFile(site("pages/about.htm"));
  ASSERT_TRUE(VellantF->FrameView->waitForLoad());
  VellantF->GohomebuttonClick();
  ASSERT_TRUE(VellantF->FrameView->waitForLoad());
  EXPECT_EQ(VellantF->FrameView->CurrentFile(), site("single.htm"));
}

TEST_F(VellantTest, CommandLineFileUrlIsLoadedBookmarkedAndTitled) {
  TVellantF::SetCommandLine(QStringList{"file://" + site("pages/about.htm")});
  open();
  ASSERT_TRUE(VellantF->FrameView->waitForLoad());
  EXPECT_EQ(VellantF->FrameView->CurrentFile(), site("pages/about.htm"));
  EXPECT_EQ(VellantF->Bookmark, site("pages/about.htm"));
  EXPECT_EQ(VellantF->windowTitle(), "About");
  EXPECT_EQ(VellantF->openDir(), site("pages/"));
}

TEST_F(VellantTest, CommandLineDirectorySwitches) {
  TVellantF::SetCommandLine(QStringList{"/d", site("pages")});
  open();
  EXPECT_EQ(VellantF->openDir(), site("pages"));
  EXPECT_EQ(VellantF->FrameView->CurrentFile(), "");

  TVellantF::SetCommandLine(QStringList{"/DO", site("")});
  ScriptedDialogs dialogs;
  dialogs.expectOpenFile(site("pages/home.htm"));
  VellantF->hide();
  open();
  EXPECT_EQ(dialogs.lastFileOptions().initialDir, site(""));
  EXPECT_EQ(dialogs.lastFileOptions().filterIndex, 1);
  ASSERT_TRUE(VellantF->FrameView->waitForLoad());
  EXPECT_EQ(VellantF->Bookmark, site("pages/home.htm"));
  EXPECT_EQ(VellantF->windowTitle(), "Home");
}

TEST_F(VellantTest, AMissingCommandLineFileShowsTheViewsMessage) {
  TVellantF::SetCommandLine(QStringList{site("gone.htm")});
  ScriptedDialogs dialogs;
  dialogs.expectError("Can't locate file: " + site("gone.htm"));
  open();
  EXPECT_EQ(dialogs.pending(), 0);
}

TEST_F(VellantTest, LinksGoToTheDesktopProgramsOrTheViewByTheirKind) {
  open(site("single.htm"));
  js(clickIn("", "web"));
  js(clickIn("", "mail"));
  js(clickIn("", "secure"));
  js(clickIn("", "setup"));
  ASSERT_TRUE(WaitUntil([&] { return opened.size() == 3 && started.size() == 1; }, 10000));
  EXPECT_EQ(opened, (QStringList{"http://example.com/", "mailto:someone@example.com", "https://example.com/"}));
  EXPECT_EQ(started[0], (QStringList{site("setup.exe"), "x=1"}));
  EXPECT_EQ(VellantF->FrameView->CurrentFile(), site("single.htm"));

  // A web link written in capitals is left to the view, which tries it itself.
  js(clickIn("", "upper"));
  ASSERT_TRUE(WaitUntil([&] { return VellantF->FrameView->CurrentFile().startsWith("http"); }, 15000));
  EXPECT_TRUE(VellantF->FrameView->waitForLoad());
  EXPECT_EQ(opened.size(), 3);
}

TEST_F(VellantTest, ALocalPageLinkIsFollowedByTheView) {
  open(site("single.htm"));
  js(clickIn("", "local"));
  ASSERT_TRUE(WaitUntil([&] { return VellantF->FrameView->CurrentFile() == site("contents.htm"); }, 15000));
  ASSERT_TRUE(VellantF->FrameView->waitForLoad());
  EXPECT_EQ(VellantF->windowTitle(), "Contents");
  EXPECT_TRUE(opened.isEmpty());
  EXPECT_TRUE(started.isEmpty());
}

TEST_F(VellantTest, StatusLineFollowsTheLinkUnderTheMouse) {
  open(site("index.htm"));
  const QString doc = "document.querySelector('frame[name=contents]').contentDocument";
  auto hover = [&](const QString &id) {
    js(doc + ".getElementById('" + id + "').dispatchEvent(new MouseEvent('mouseover', {bubbles: true}))");
  };
  hover("about");
  EXPECT_TRUE(WaitUntil([&] { return VellantF->statusText() == "Target: main  URL: pages/about.htm"; }, 10000))
      << VellantF->statusText().toStdString();
  hover("top");
  EXPECT_TRUE(WaitUntil([&] { return VellantF->statusText() == "Target: _top  URL: single.htm"; }, 10000));
  js(doc + ".getElementById('top').dispatchEvent(new MouseEvent('mouseout', {bubbles: true, relatedTarget: " + doc +
     ".body}))");
  EXPECT_TRUE(WaitUntil([&] { return VellantF->statusText().isEmpty(); }, 10000));

  LoadAndWait(*VellantF->FrameView, site("single.htm"));
  js("document.getElementById('local').dispatchEvent(new MouseEvent('mouseover', {bubbles: true}))");
  EXPECT_TRUE(WaitUntil([&] { return VellantF->statusText() == "URL: contents.htm#top"; }, 10000));
}

TEST_F(VellantTest, ANewWindowLinkStartsAnotherInstanceWithFileAndAnchor) {
  open(site("index.htm"));
  js(clickIn("contents", "new"));
  ASSERT_TRUE(WaitUntil([&] { return started.size() == 1; }, 10000));
  EXPECT_EQ(started[0], (QStringList{QCoreApplication::applicationFilePath(), site("pages/about.htm") + "#team"}));
}

TEST_F(VellantTest, APushButtonShowsItsOnclickText) {
  open(site("single.htm"));
  ScriptedDialogs dialogs;
  dialogs.expectMessage("window.pressed = 1");
  js(clickIn("", "btn"));
  EXPECT_TRUE(WaitUntil([&] { return dialogs.pending() == 0; }, 10000));
  // A text box is no push button.
  js("document.querySelector('input[name=first]').click()");
  js("true");
}

TEST_F(VellantTest, FindWithAndWithoutMatchCase) {
  open(site("single.htm"));
  ScriptedDialogs dialogs;
  TFindDialog *find = VellantF->findDialog();
  VellantF->Find1Click();
  EXPECT_TRUE(find->isVisible());
  find->SetFindText("Apple");
  find->SetMatchCase(true);
  dialogs.expectInformation("No further occurances of \"Apple\"");
  // Searches run in the order asked; only the third finds nothing more.
  for (int i = 0; i < 3; ++i)
    find->FindNext();
  EXPECT_TRUE(WaitUntil([&] { return dialogs.pending() == 0; }, 10000));
  EXPECT_EQ(dialogs.prompts().size(), 1);

  find->SetFindText("apple");
  find->SetMatchCase(false);
  dialogs.expectInformation("No further occurances of \"apple\"");
  for (int i = 0; i < 5; ++i)
    find->FindNext();
  EXPECT_TRUE(WaitUntil([&] { return dialogs.pending() == 0; }, 10000));
  EXPECT_EQ(dialogs.prompts().size(), 2);
}

TEST_F(VellantTest, PrintPutsTitlePathDateAndPageNumberOnEveryPage) {
  TempDir dir;
  QByteArray page = "<html><head><title>Printed Page</title></head><body>";
  for (int i = 1; i <= 3; ++i)
    page += "<p style='page-break-after: always'>Section " + QByteArray::number(i) + "</p>";
  const QString file = dir.write("print.htm", page + "</body></html>");
  open(file);
  PrintToPdf(dir.path("out.pdf"));
  ScriptedDialogs dialogs;
  dialogs.expectPrint();
  VellantF->Print1Click();
  PrintToPdf(QString());

  QPdfDocument pdf;
  ASSERT_EQ(pdf.load(dir.path("out.pdf")), QPdfDocument::Error::None);
  ASSERT_EQ(pdf.pageCount(), 3);
  const QString date = QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
  for (int i = 0; i < pdf.pageCount(); ++i) {
    const QString text = pdf.getAllText(i).text();
    for (const QString &expected : {QString("Printed Page"), file, date, QString("Page %1").arg(i + 1)})
      EXPECT_TRUE(text.contains(expected))
          << "page " << i + 1 << " lacks " << expected.toStdString() << " in " << text.toStdString();
  }
}

TEST_F(VellantTest, DroppedFilesLoadTheFirst) {
  open();
  QMimeData mime;
  mime.setUrls({QUrl::fromLocalFile(site("pages/about.htm")), QUrl::fromLocalFile(site("single.htm"))});
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(VellantF, &enter);
  EXPECT_TRUE(enter.isAccepted());
  VellantF->DropFiles({site("pages/about.htm"), site("single.htm")});
  ASSERT_TRUE(VellantF->FrameView->waitForLoad());
  EXPECT_EQ(VellantF->FrameView->CurrentFile(), site("pages/about.htm"));
}

TEST_F(VellantTest, ExitOnlyHidesTheWindow) {
  open(site("single.htm"));
  item("E&xit")->trigger();
  EXPECT_FALSE(VellantF->isVisible());
  EXPECT_NE(VellantF, nullptr);
  EXPECT_EQ(VellantF->FrameView->CurrentFile(), site("single.htm"));
}

TEST_F(VellantTest, BackgroundMidiGoesToThePlayerAndAFailureIsReported) {
  TempDir dir;
  dir.write("tune.mid", "MThd");
  const QString page = dir.write("music.htm", "<bgsound src='tune.mid'><bgsound src='ding.wav'><p>music</p>");
  open(page);
  ASSERT_TRUE(WaitUntil([&] { return opened.size() == 1; }, 10000));
  EXPECT_EQ(opened[0], QUrl::fromLocalFile(dir.path("tune.mid")).toString());

  ScriptedDialogs dialogs;
  dialogs.expectMessage("failed to execute");
  LoadAndWait(*VellantF->FrameView, dir.write("gone.htm", "<bgsound src='missing.mid'><p>x</p>"));
  EXPECT_TRUE(WaitUntil([&] { return dialogs.pending() == 0; }, 10000));
  EXPECT_EQ(opened.size(), 1);
}
