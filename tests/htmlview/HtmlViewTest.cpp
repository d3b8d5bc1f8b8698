#include "htmlview/HtmlView.h"
#include "HtmlTestSupport.h"
#include "platform/Errors.h"
#include "platform/Paths.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"

#include <QApplication>
#include <QClipboard>
#include <QTimer>
#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

namespace {

class FrameViewTest : public testing::Test {
protected:
  FrameViewTest() {
    view.resize(900, 700);
    view.show();
  }
  QString site(const QString &name) { return testDataPath("htmlview/site/" + name); }

  TFrameView view;
};

} // namespace

TEST_F(FrameViewTest, LoadsAFileAndReportsTitleAndFileOnceProcessingEnds) {
  QStringList processing;
  view.OnProcessing = [&](bool on) {
    processing.append(on ? "on" : "off");
    if (!on)
      processing.append(view.DocumentTitle() + "|" + ExtractFileName(view.CurrentFile()));
  };
  LoadAndWait(view, site("index.htm"));
  EXPECT_EQ(processing, (QStringList{"on", "off", "Test Site|index.htm"}));
  EXPECT_EQ(view.CurrentFile(), site("index.htm"));
  EXPECT_EQ(view.History(), QStringList{site("index.htm")});
  EXPECT_EQ(view.TitleHistory(), QStringList{"Test Site"});
}

namespace {

QString clickIn(const QString &frame, const QString &id) {
  const QString doc =
      frame.isEmpty() ? "document" : "document.querySelector('frame[name=" + frame + "]').contentDocument";
  return doc + ".getElementById('" + id + "').click(); true";
}

} // namespace

TEST_F(FrameViewTest, TargetClickInAFramesetCarriesTheBaseTarget) {
  LoadAndWait(view, site("index.htm"));
  QStringList clicks;
  view.OnHotSpotTargetClick = [&](const QString &target, const QString &url, bool &handled) {
    clicks.append(target + "|" + url);
    handled = true;
  };
  EXPECT_EQ(RunPageScript(view, clickIn("contents", "about")), QVariant(true));
  ASSERT_TRUE(WaitUntil([&] { return clicks.size() == 1; }, 10000));
  EXPECT_EQ(clicks[0], "main|pages/about.htm");
  EXPECT_EQ(view.HTMLExpandFilename("pages/about.htm"), site("pages/about.htm"));
}

TEST_F(FrameViewTest, APageScriptClickingALinkNeverReachesTheLinkHandlers) {
  LoadAndWait(view, site("index.htm"));
  THtmlViewBase::TrustScriptedClicks(false);
  bool asked = false;
  view.OnHotSpotTargetClick = [&](const QString &, const QString &, bool &) { asked = true; };
  view.OnHotSpotClick = [&](const QString &, bool &) { asked = true; };
  RunPageScript(view, clickIn("contents", "about"));
  // The link is followed in the view, as any page's own navigation.
  const bool followed = WaitUntil(
      [&] {
        return RunPageScript(view, "document.querySelector('frame[name=main]').contentDocument.title").toString() ==
               "About";
      },
      15000);
  THtmlViewBase::TrustScriptedClicks(true);
  EXPECT_TRUE(followed);
  EXPECT_FALSE(asked) << "a page's script could otherwise start programs through the link rules";
}

TEST_F(FrameViewTest, AnUnhandledTargetClickLoadsTheTargetFrame) {
  LoadAndWait(view, site("index.htm"));
  bool asked = false;
  view.OnHotSpotTargetClick = [&](const QString &, const QString &, bool &) { asked = true; };
  RunPageScript(view, clickIn("contents", "about"));
  EXPECT_TRUE(WaitUntil(
      [&] {
        return RunPageScript(view, "document.querySelector('frame[name=main]').contentDocument.title").toString() ==
               "About";
      },
      15000));
  EXPECT_TRUE(asked);
  EXPECT_EQ(view.CurrentFile(), site("index.htm"));
}

TEST_F(FrameViewTest, AMissingFileOrADirectoryFailsBeforeAnythingLoads) {
  bool processing = false;
  view.OnProcessing = [&](bool) { processing = true; };
  for (const QString &name : {site("nothing.htm"), site("pages"), QString("file://") + site("nothing.htm")}) {
    try {
      view.LoadFromFile(name);
      ADD_FAILURE() << "loaded " << name.toStdString();
    } catch (const Error &e) {
      EXPECT_EQ(e.message(), "Can't locate file: " + site(name.endsWith("pages") ? "pages" : "nothing.htm"));
    }
  }
  EXPECT_FALSE(processing);
  EXPECT_EQ(view.CurrentFile(), "");
  EXPECT_FALSE(view.ActiveViewer().has_value());
}

TEST_F(FrameViewTest, HistoryKeepsNewestFirstAndStepsBackAndForward) {
  int changes = 0;
  view.OnHistoryChange = [&] { ++changes; };
  LoadAndWait(view, site("single.htm"));
  LoadAndWait(view, site("pages/home.htm"));
  LoadAndWait(view, "file://" + site("pages/about.htm"));
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(view.History(), (QStringList{site("pages/about.htm"), site("pages/home.htm"), site("single.htm")}));
  EXPECT_EQ(view.TitleHistory(), (QStringList{"About", "Home", "Single Page"}));
  EXPECT_TRUE(view.BackButtonEnabled());
  EXPECT_FALSE(view.FwdButtonEnabled());

  view.GoBack();
  ASSERT_TRUE(view.waitForLoad());
  view.GoBack();
  ASSERT_TRUE(view.waitForLoad());
  EXPECT_EQ(view.CurrentFile(), site("single.htm"));
  EXPECT_EQ(view.DocumentTitle(), "Single Page");
  EXPECT_FALSE(view.BackButtonEnabled());
  EXPECT_TRUE(view.FwdButtonEnabled());

  view.GoFwd();
  ASSERT_TRUE(view.waitForLoad());
  EXPECT_EQ(view.CurrentFile(), site("pages/home.htm"));
  // A new document drops the entries ahead of the position.
  LoadAndWait(view, site("contents.htm"));
  EXPECT_EQ(view.History(), (QStringList{site("contents.htm"), site("pages/home.htm"), site("single.htm")}));
  EXPECT_FALSE(view.FwdButtonEnabled());
}

TEST_F(FrameViewTest, AHistoryStepIsReportedOnceTheDocumentItLandsOnIsShown) {
  LoadAndWait(view, site("single.htm"));
  LoadAndWait(view, site("pages/home.htm"));
  QStringList changes;
  view.OnHistoryChange = [&] {
    changes.append(
        QString("%1|%2|%3").arg(ExtractFileName(view.CurrentFile()), view.DocumentTitle()).arg(view.HistoryIndex()));
  };
  view.GoBack();
  ASSERT_TRUE(view.waitForLoad());
  view.GoFwd();
  ASSERT_TRUE(view.waitForLoad());
  EXPECT_EQ(changes, (QStringList{"single.htm|Single Page|1", "home.htm|Home|0"}));
}

TEST_F(FrameViewTest, GoingToAHistoryEntryStepsThereAndKeepsTheEntries) {
  LoadAndWait(view, site("single.htm"));
  LoadAndWait(view, site("pages/home.htm"));
  LoadAndWait(view, site("pages/about.htm"));
  const QStringList history = view.History();
  QStringList changes;
  view.OnHistoryChange = [&] { changes.append(view.DocumentTitle()); };

  view.GoToHistory(2);
  ASSERT_TRUE(view.waitForLoad());
  EXPECT_EQ(view.History(), history);
  EXPECT_EQ(view.HistoryIndex(), 2);
  EXPECT_TRUE(view.FwdButtonEnabled());
  EXPECT_FALSE(view.BackButtonEnabled());

  view.GoToHistory(0);
  ASSERT_TRUE(view.waitForLoad());
  EXPECT_EQ(view.CurrentFile(), site("pages/about.htm"));
  EXPECT_EQ(view.History(), history);
  EXPECT_EQ(changes, (QStringList{"Single Page", "About"}));
}

TEST_F(FrameViewTest, AnAnchorInTheNameScrollsToIt) {
  TempDir dir;
  QByteArray page = "<html><body>";
  for (int i = 0; i < 300; ++i)
    page += "<p>line " + QByteArray::number(i) + "</p>";
  page += "<h2 id='end'>End</h2></body></html>";
  const QString file = dir.write("long.htm", page);
  LoadAndWait(view, file + "#end");
  EXPECT_EQ(view.CurrentFile(), file);
  EXPECT_TRUE(WaitUntil([&] { return RunPageScript(view, "window.scrollY").toInt() > 1000; }, 10000));
  RunPageScript(view, "window.scrollTo(0, 0)");
  // The same document with an anchor only scrolls.
  view.LoadFromFile(file + "#end");
  EXPECT_FALSE(view.isProcessing());
  EXPECT_TRUE(WaitUntil([&] { return RunPageScript(view, "window.scrollY").toInt() > 1000; }, 10000));
}

TEST_F(FrameViewTest, LoadStringsResolvesRelativeLinksAgainstTheProgramDirectory) {
  view.LoadStrings(
      {"<html><head><title>From lines</title></head>", "<body><a id='l' href='x.htm'>x</a></body></html>"});
  ASSERT_TRUE(view.waitForLoad());
  EXPECT_EQ(view.DocumentTitle(), "From lines");
  EXPECT_EQ(view.CurrentFile(), "");
  EXPECT_EQ(view.History(), QStringList{});
  EXPECT_EQ(view.HTMLExpandFilename("x.htm"), AppDir() + "x.htm");
  EXPECT_EQ(RunPageScript(view, "document.getElementById('l').href").toString(), "file://" + AppDir() + "x.htm");
}

TEST_F(FrameViewTest, AClickToTheTopLoadsTheDocumentAsANewHistoryEntry) {
  LoadAndWait(view, site("index.htm"));
  RunPageScript(view, clickIn("contents", "top"));
  ASSERT_TRUE(WaitUntil([&] { return view.CurrentFile() == site("single.htm") && !view.isProcessing(); }, 15000));
  EXPECT_EQ(view.History(), (QStringList{site("single.htm"), site("index.htm")}));
  EXPECT_EQ(view.DocumentTitle(), "Single Page");
}

TEST_F(FrameViewTest, FormSubmitGivesOneLinePerControlAndDoesNotNavigate) {
  LoadAndWait(view, site("single.htm"));
  QStringList submitted;
  view.OnFormSubmit = [&](const QString &action, const QString &target, const QString &encType, const QString &method,
                          const QStringList &lines) {
    submitted = QStringList{action, target, encType, method} + lines;
  };
  RunPageScript(view, clickIn("", "go"));
  ASSERT_TRUE(WaitUntil([&] { return !submitted.isEmpty(); }, 10000));
  EXPECT_EQ(submitted,
            (QStringList{"mysubmit.htm", "main", "", "post", "first=Ann", "cb=on", "pick=b", "note=hi", "go=Send"}));
  EXPECT_FALSE(view.isProcessing());
  EXPECT_EQ(view.CurrentFile(), site("single.htm"));
}

TEST_F(FrameViewTest, AButtonClickReportsTheControlAndItsOnclickText) {
  LoadAndWait(view, site("single.htm"));
  std::optional<THtmlFormControl> clicked;
  QString onClick;
  view.OnObjectClick = [&](const THtmlFormControl &control, const QString &text) {
    clicked = control;
    onClick = text;
  };
  RunPageScript(view, clickIn("", "btn"));
  ASSERT_TRUE(WaitUntil([&] { return clicked.has_value(); }, 10000));
  EXPECT_TRUE(clicked->isPushButton());
  EXPECT_EQ(clicked->value, "Press");
  EXPECT_EQ(onClick, "window.pressed = 1");
  // Page scripts still run.
  EXPECT_EQ(RunPageScript(view, "window.pressed").toInt(), 1);
}

TEST_F(FrameViewTest, FindSelectsEachOccurrenceThenReportsNoneLeft) {
  LoadAndWait(view, site("single.htm"));
  EXPECT_TRUE(view.Find("Apple", true));
  EXPECT_TRUE(WaitUntil([&] { return view.SelText() == "Apple"; }, 10000));
  EXPECT_TRUE(view.Find("Apple", true));
  EXPECT_FALSE(view.Find("Apple", true));
  int found = 0;
  while (found < 10 && view.Find("apple", false))
    ++found;
  EXPECT_EQ(found, 4);
  EXPECT_FALSE(view.Find("cherry", false));
}

TEST_F(FrameViewTest, SelectAllAndCopy) {
  LoadAndWait(view, site("pages/about.htm"));
  view.SelectAll();
  ASSERT_TRUE(WaitUntil([&] { return view.SelLength() > 0; }, 10000));
  EXPECT_TRUE(view.SelText().contains("Three people and a cat."));
  view.CopyToClipboard();
  EXPECT_TRUE(QApplication::clipboard()->text().contains("We write small web sites by hand."));
}

TEST_F(FrameViewTest, ClickingIntoAFrameMakesItTheActiveViewer) {
  LoadAndWait(view, site("index.htm"));
  ASSERT_TRUE(view.ActiveViewer().has_value());
  EXPECT_EQ(view.ActiveViewer()->CurrentFile, site("index.htm"));
  RunPageScript(view, "document.querySelector('frame[name=contents]').contentDocument.body.dispatchEvent("
                      "new MouseEvent('mousedown', {bubbles: true}))");
  ASSERT_TRUE(WaitUntil([&] { return view.ActiveViewer()->CurrentFile == site("contents.htm"); }, 10000));
  EXPECT_EQ(view.ActiveViewer()->DocumentTitle, "Contents");
}

TEST_F(FrameViewTest, ABackgroundSoundIsRequestedWithItsLoopCount) {
  TempDir dir;
  const QString file =
      dir.write("music.htm", "<html><body><bgsound src='tune.mid' loop='infinite'><p>x</p></body></html>");
  QStringList sounds;
  view.OnSoundRequest = [&](const QString &src, int loop, bool terminate) {
    sounds.append(QString("%1 %2 %3 %4").arg(src).arg(loop).arg(terminate).arg(view.HTMLExpandFilename(src)));
  };
  LoadAndWait(view, file);
  ASSERT_TRUE(WaitUntil([&] { return !sounds.isEmpty(); }, 10000));
  EXPECT_EQ(sounds, QStringList{"tune.mid -1 0 " + dir.path("tune.mid")});
}

TEST_F(FrameViewTest, ImagesCanBeSwitchedOff) {
  LoadAndWait(view, site("pages/home.htm"));
  EXPECT_TRUE(WaitUntil([&] { return RunPageScript(view, "document.images[0].naturalWidth").toInt() == 200; }, 10000));
  view.setViewImages(false);
  ASSERT_TRUE(view.waitForLoad());
  EXPECT_EQ(RunPageScript(view, "document.images[0].naturalWidth").toInt(), 0);
  EXPECT_EQ(view.History().size(), 1);
}

TEST_F(FrameViewTest, CopyingAHugeSelectionFailsWithTheBufferMessage) {
  TempDir dir;
  LoadAndWait(view, dir.write("big.htm", "<p>" + QByteArray(40000, 'z') + "</p>"));
  view.SelectAll();
  ASSERT_TRUE(WaitUntil([&] { return view.SelLength() >= 40000; }, 10000));
  try {
    view.CopyToClipboard();
    ADD_FAILURE() << "copied";
  } catch (const Error &e) {
    EXPECT_EQ(e.message(), "Selected text exceeds buffer size");
  }
}

TEST_F(FrameViewTest, ScriptAlertsGoThroughTheDialogsService) {
  ScriptedDialogs dialogs;
  dialogs.expectMessage("hello from the page");
  TempDir dir;
  LoadAndWait(view, dir.write("alert.htm", "<script>alert('hello from the page')</script>"));
  EXPECT_TRUE(WaitUntil([&] { return dialogs.pending() == 0; }, 10000));
}

TEST_F(FrameViewTest, ReloadShowsTheChangedFileWithoutANewHistoryEntry) {
  TempDir dir;
  const QString file = dir.write("page.htm", "<title>First</title><p id='end'>x</p>");
  LoadAndWait(view, file + "#end");
  dir.write("page.htm", "<title>Second</title><p id='end'>y</p>");
  view.Reload();
  EXPECT_TRUE(view.isProcessing());
  ASSERT_TRUE(view.waitForLoad());
  EXPECT_EQ(view.DocumentTitle(), "Second");
  EXPECT_EQ(view.TitleHistory(), QStringList{"Second"});
}

TEST_F(FrameViewTest, LoadStringsShowsADocumentTooLargeForAnInlineLoad) {
  const QString filler = QString("<p>%1</p>").arg(QString(1000, 'q'));
  QStringList lines{"<html><head><title>Large lines</title></head><body>"};
  for (int i = 0; i < 2000; ++i)
    lines.append(filler);
  lines.append("<a id='l' href='x.htm'>x</a></body></html>");
  view.LoadStrings(lines);
  ASSERT_TRUE(view.waitForLoad());
  EXPECT_EQ(view.DocumentTitle(), "Large lines");
  EXPECT_EQ(view.CurrentFile(), "");
  EXPECT_EQ(RunPageScript(view, "document.getElementById('l').href").toString(), "file://" + AppDir() + "x.htm");
}

TEST_F(FrameViewTest, ASecondLoadBeforeTheFirstEndsWins) {
  QStringList processing;
  view.OnProcessing = [&](bool on) { processing.append(on ? "on" : "off:" + ExtractFileName(view.CurrentFile())); };
  view.LoadFromFile(site("index.htm"));
  view.LoadFromFile(site("single.htm"));
  ASSERT_TRUE(view.waitForLoad());
  EXPECT_TRUE(WaitUntil([&] { return view.CurrentFile() == site("single.htm") && !view.isProcessing(); }, 10000));
  EXPECT_EQ(processing.last(), "off:single.htm");
  EXPECT_EQ(view.DocumentTitle(), "Single Page");
  EXPECT_EQ(view.History().first(), site("single.htm"));
}

// The waits that printing, finding and loading use sleep between events: a wait that spun
// would take a core from the engine's own threads for as long as it lasts.
TEST(WaitUntil, SleepsBetweenEventsAndStillSeesItsDeadline) {
  bool set = false;
  QTimer::singleShot(200, [&set] { set = true; });
  int asked = 0;
  EXPECT_TRUE(WaitUntil(
      [&] {
        ++asked;
        return set;
      },
      10000));
  // One look at each event: its own 20 ms wake-ups and whatever an engine left running by
  // earlier tests posts. A wait that spun would look thousands of times.
  EXPECT_LT(asked, 500);

  asked = 0;
  EXPECT_FALSE(WaitUntil(
      [&] {
        ++asked;
        return false;
      },
      100));
  EXPECT_LT(asked, 250);
}
