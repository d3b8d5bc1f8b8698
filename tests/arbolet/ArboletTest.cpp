#include "arbolet/ArboletU.h"
#include "controls/FindDialog.h"
#include "htmlview/HtmlView.h"
#include "outlineview/OutlineTreeView.h"
#include "platform/Paths.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace corvana;
using namespace corvana::test;

namespace {

// Three topics; the second has two children, so a click on it shows no page.
const QByteArray Notebook = "Welcome\r\n\t<h1>Hello</h1>~<p>first page</p>\r\n"
                            "Tools\r\n\tone\r\n\ttwo\r\n"
                            "Last\r\n\t<p>last page</p>\r\n";

class Arbolet : public testing::Test {
protected:
  ScriptedDialogs dialogs;
  TempDir dir;
  TArboletF *window = nullptr;
  QStringList desktop; // what links asked of the desktop

  TArboletF *open(const QByteArray &notebook = Notebook) {
    QFile file(AppDir() + "myinfo.txt");
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(notebook);
    file.close();
    window = OpenToolWindow(ArboletF);
    window->playSound = [this](const QString &f) { return record("sound " + f); };
    window->startProgram = [this](const QString &f) { return record("program " + f); };
    window->playMedia = [this](const QString &f) { return record("media " + f); };
    return window;
  }
  bool record(const QString &call) {
    desktop.append(call);
    return !call.contains("broken");
  }
  void trigger(const char *name) {
    QAction *action = window->commands().action(name);
    ASSERT_NE(action, nullptr) << name;
    action->trigger();
  }
  OutlineNode *top(int index) const { return window->tree().topLevelNode(index); }
  QString memo() const { return window->helptext->toPlainText(); }
  QString dump() const { return window->tree().dump(); }
  void editMode() { trigger("view"); }
  void selectMemoText(const QString &text) {
    QTextCursor cursor = window->helptext->document()->find(text);
    ASSERT_FALSE(cursor.isNull()) << text.toStdString();
    window->helptext->setTextCursor(cursor);
  }
};

TEST_F(Arbolet, OpensOnTheDefaultNotebookWithControlsMenusAndToolBarAsDesigned) {
  open();
  EXPECT_EQ(window->windowTitle(), "Arbolet 2");
  EXPECT_EQ(window->objectName(), "ArboletF");
  EXPECT_TRUE(window->designedMaximized());
  for (const char *name :
       {"myhelp", "Splitter1", "helptext", "infoviewer", "ToolBar1", "StatusBar1", "infospeed", "InfoFindDialog"})
    EXPECT_NE(window->findChild<QWidget *>(name), nullptr) << name;
  EXPECT_NE(window->findChild<QTimer *>("infotimer"), nullptr);
  EXPECT_EQ(window->myhelp->indentation(), 19);
  EXPECT_TRUE(window->myhelp->startsDrags());
  EXPECT_EQ(window->myhelp->palette().color(QPalette::Inactive, QPalette::Highlight),
            window->myhelp->palette().color(QPalette::Active, QPalette::Highlight));
  EXPECT_EQ(window->helptext->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(window->infoviewer->HistoryMaxCount(), 1); // depth 0: only the page shown is kept
  EXPECT_EQ(window->infoviewer->DefFontName(), "Times New Roman");
  EXPECT_EQ(window->infoviewer->DefPreFontName(), "Courier New");
  EXPECT_FALSE(window->infotimer->isActive());
  EXPECT_EQ(window->infotimer->interval(), 1000);
  EXPECT_EQ(window->infospeed->toolTip(), "infospeed 3000");

  // Start-up: the default notebook in view mode, its first page shown and rendered in front.
  EXPECT_EQ(window->notebookFile(), AppDir() + "myinfo.txt");
  EXPECT_EQ(window->mode(), "view");
  EXPECT_EQ(window->statusText(0), "");
  EXPECT_EQ(window->statusText(1), "View Mode");
  EXPECT_EQ(window->findChild<QLabel *>("StatusPanel0")->width(), 200);
  EXPECT_EQ(dump(), "Welcome(<h1>Hello</h1>~<p>first page</p>) Tools(one two) Last(<p>last page</p>)");
  EXPECT_EQ(window->selectedNode(), top(0));
  EXPECT_EQ(window->myhelp->currentNode(), top(0));
  EXPECT_EQ(memo(), "<h1>Hello</h1>\n<p>first page</p>");
  EXPECT_EQ(window->frontPane(), window->infoviewer);
  EXPECT_FALSE(window->modified());

  QStringList bar;
  for (QMenu *menu : window->menus())
    bar.append(menu->title());
  EXPECT_EQ(bar, (QStringList{"&File", "&Edit", "&Insert", "&Node", "&Info", "&Options"}));
  auto captions = [&](const char *menu) { return menuCaptions(window->commands().menu(menu)); };
  EXPECT_EQ(captions("File1"), (QStringList{"&Open...", "&Save", "Save &As", "&Close", "E&xit"}));
  EXPECT_EQ(captions("Edit1"), (QStringList{"Insert &Date", "&Find...", "&Sort"}));
  EXPECT_EQ(captions("Sort1"), (QStringList{"&None", "&Text"}));
  EXPECT_EQ(captions("Insert1"), (QStringList{"&HTML", "&Anchor", "&Link", "&Topic Head", "&Paragraph", "&Bold",
                                              "&Italic", "&Rule", "Brea&k", "&Button", "&Form", "Form Results"}));
  EXPECT_EQ(captions("Node1"),
            (QStringList{"&Add", "&Insert", "&Delete", "&Child", "&Duplicate", "Delete All", "&Edit", "&Get Text"}));
  EXPECT_EQ(captions("Info1"),
            (QStringList{"&View", "&Html", "&Font...", "&Image...", "&Media...", "&Load...", "&Save..."}));
  EXPECT_EQ(captions("Options1"), (QStringList{"&BackGround"}));
  EXPECT_TRUE(window->commands().action("view")->isChecked());
  EXPECT_TRUE(window->commands().action("Html1")->isChecked());

  const std::pair<const char *, QKeySequence> keys[] = {
      {"Open1", QKeySequence(Qt::CTRL | Qt::Key_O)},
      {"Save1", QKeySequence(Qt::CTRL | Qt::Key_S)},
      {"Find1", QKeySequence(Qt::CTRL | Qt::Key_F)},
      {"Bold1", QKeySequence(Qt::CTRL | Qt::Key_B)},
      {"Italic1", QKeySequence(Qt::CTRL | Qt::Key_I)},
      {"NodeAdd1", QKeySequence(Qt::Key_F2)},
      {"NodeInsert1", QKeySequence(Qt::SHIFT | Qt::Key_F2)},
      {"NodeDelete1", QKeySequence(Qt::CTRL | Qt::Key_F2)},
      {"NodeChild1", QKeySequence(Qt::Key_F3)},
      {"NodeDuplicate1", QKeySequence(Qt::SHIFT | Qt::Key_F3)},
      {"NodeEdit1", QKeySequence(Qt::Key_F4)},
      {"GetText1", QKeySequence(Qt::SHIFT | Qt::Key_F4)},
      {"view", QKeySequence(Qt::Key_F5)},
      {"Html1", QKeySequence(Qt::Key_F6)},
  };
  for (const auto &[name, key] : keys)
    EXPECT_EQ(window->commands().action(name)->shortcut(), key) << name;

  QStringList tools;
  for (QAction *action : window->commands().toolBar("ToolBar1")->actions()) {
    if (action->isSeparator())
      continue;
    QWidget *widget = window->commands().toolBar("ToolBar1")->widgetForAction(action);
    tools.append(widget && widget->objectName() == "infospeed" ? "infospeed"
                                                               : action->objectName() + "=" + action->toolTip());
  }
  EXPECT_EQ(tools, (QStringList{"goOpen=",          "goSave=",         "goClose=",          "goHeading=Heading",
                                "goPara=Paragraph", "goBold=Bold",     "goItalic=Italic",   "goRule=Horizontal Rule",
                                "goBreak=Break",    "goButton=Button", "goForm=Form",       "goAddNode=",
                                "goInsertNode=",    "goDeleteNode=",   "goAddChild=",       "goDupNode=",
                                "goEditNode=",      "infospeed",       "inforewind=Rewind", "infoPlay=Play",
                                "InfoStop=Stop"}));
}

TEST_F(Arbolet, AMissingNotebookIsReportedAndALaterSaveCreatesIt) {
  QFile::remove(AppDir() + "myinfo.txt");
  dialogs.expectError("Cannot open file " + AppDir() + "myinfo.txt");
  window = OpenToolWindow(ArboletF);
  EXPECT_TRUE(window->tree().isEmpty());
  EXPECT_EQ(window->mode(), "view");
  EXPECT_EQ(window->notebookFile(), AppDir() + "myinfo.txt");
  trigger("NodeAdd1");
  trigger("Save1");
  QFile saved(AppDir() + "myinfo.txt");
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), "new node\r\n");
}

TEST_F(Arbolet, ADefaultNotebookThatFailsPartWayIsNotSavedOverWithThePartRead) {
  dialogs.expectError("Invalid level (2) for item \"B\"");
  open("A\r\n\t\tB\r\nC\r\n");
  EXPECT_EQ(dump(), "A");
  EXPECT_EQ(window->notebookFile(), "");
  EXPECT_FALSE(window->modified()); // nothing of the user's to ask about
  dialogs.expectSaveFile(dir.path("saved.txt"));
  trigger("Save1");
  EXPECT_EQ(dir.read("saved.txt"), "A\r\n");
  QFile original(AppDir() + "myinfo.txt");
  ASSERT_TRUE(original.open(QIODevice::ReadOnly));
  EXPECT_EQ(original.readAll(), "A\r\n\t\tB\r\nC\r\n");
}

TEST_F(Arbolet, AClickShowsAPageOnlyForATopicWithOneChildInViewMode) {
  open();
  window->selectNode(top(2));
  EXPECT_EQ(memo(), "<p>last page</p>");
  // Two children: the page shown before stays.
  window->selectNode(top(1));
  EXPECT_EQ(memo(), "<p>last page</p>");
  // A content node has no child: nothing changes either.
  window->selectNode(top(0)->child(0));
  EXPECT_EQ(memo(), "<p>last page</p>");
  editMode();
  window->selectNode(top(0));
  EXPECT_EQ(memo(), "<p>last page</p>");
}

TEST_F(Arbolet, ViewAndHtmlSwitchModeAndPanes) {
  open();
  editMode();
  EXPECT_EQ(window->mode(), "edit");
  EXPECT_EQ(window->statusText(1), "Edit Mode");
  EXPECT_EQ(window->frontPane(), window->helptext);
  trigger("Html1"); // unchecked
  EXPECT_EQ(window->frontPane(), window->helptext);
  trigger("Html1"); // checked
  EXPECT_EQ(window->frontPane(), window->infoviewer);
  EXPECT_EQ(window->mode(), "edit");
  trigger("view");
  EXPECT_EQ(window->mode(), "view");
  EXPECT_EQ(window->statusText(1), "View Mode");
  EXPECT_EQ(window->frontPane(), window->infoviewer);
  EXPECT_TRUE(window->commands().action("view")->isChecked());
}

TEST_F(Arbolet, EditAndGetTextWorkOnContentNodesInEditModeOnly) {
  open();
  window->selectNode(top(0)->child(0));
  trigger("NodeEdit1"); // view mode: nothing
  EXPECT_EQ(memo(), "<h1>Hello</h1>\n<p>first page</p>");
  window->selectNode(top(2)->child(0));
  trigger("NodeEdit1");
  EXPECT_EQ(memo(), "<h1>Hello</h1>\n<p>first page</p>");

  editMode();
  window->selectNode(top(2));
  trigger("NodeEdit1"); // F4 on a top-level node does nothing
  EXPECT_EQ(memo(), "<h1>Hello</h1>\n<p>first page</p>");
  window->helptext->setPlainText("changed");
  trigger("GetText1");
  EXPECT_EQ(top(2)->textString(), "Last");

  window->selectNode(top(2)->child(0));
  trigger("NodeEdit1");
  EXPECT_EQ(memo(), "<p>last page</p>");
  window->helptext->setPlainText("<p>x~y</p>\nline two");
  trigger("GetText1");
  EXPECT_EQ(top(2)->child(0)->textString(), "<p>x~y</p>~line two");
  EXPECT_TRUE(window->modified());
  // The memo's "~" comes back as a line break after the round trip.
  trigger("NodeEdit1");
  EXPECT_EQ(memo(), "<p>x\ny</p>\nline two");
}

TEST_F(Arbolet, SnippetsActOnlyWhileHtmlIsUnchecked) {
  open();
  window->helptext->setPlainText("a word here");
  selectMemoText("word");
  trigger("Bold1");
  EXPECT_EQ(memo(), "a word here");
  trigger("Html1");
  selectMemoText("word");
  trigger("Bold1");
  EXPECT_EQ(memo(), "a <b>word</b> here");
  selectMemoText("here");
  trigger("Rule1");
  EXPECT_EQ(memo(), "a <b>word</b> <hr>\n");
  window->helptext->moveCursor(QTextCursor::Start);
  trigger("Link1");
  EXPECT_EQ(memo(), "<a href=\"mylink.htm\">mylinktext</a>a <b>word</b> <hr>\n");
  // Both modes alike: the memo is edited in view mode too.
  EXPECT_EQ(window->mode(), "view");
}

TEST_F(Arbolet, FileInsertsAskForAFileWhateverHtmlIs) {
  open();
  window->helptext->setPlainText("X");
  selectMemoText("X");
  dialogs.expectOpenFile("/pics/a.gif");
  trigger("Image1");
  EXPECT_EQ(memo(), "<img src=\"/pics/a.gif\">");
  dialogs.expectCancel(Dialogs::Kind::OpenFile);
  trigger("Media1");
  dialogs.expectOpenFile("/snd/t.mid");
  trigger("Media1");
  EXPECT_EQ(memo(), "<img src=\"/pics/a.gif\"><a href=\"/snd/t.mid\">music</a>");
  EXPECT_TRUE(dialogs.lastFileOptions().filter.isEmpty());
}

TEST_F(Arbolet, MemoLoadSaveFontAndBackground) {
  open();
  dialogs.expectOpenFile(dir.write("in.txt", "one\r\ntwo\r\n"));
  trigger("Load1");
  EXPECT_EQ(memo(), "one\ntwo");
  dialogs.expectSaveFile(dir.path("out.txt"));
  trigger("SaveInfo1");
  EXPECT_EQ(dir.read("out.txt"), "one\r\ntwo\r\n");
  FontChoice font;
  font.name = "Courier New";
  font.size = 14;
  font.bold = true;
  dialogs.expectFont(font);
  trigger("Font1");
  EXPECT_EQ(window->helptext->font().family(), "Courier New");
  EXPECT_EQ(window->helptext->font().pointSize(), 14);
  EXPECT_FALSE(window->helptext->font().bold());
  dialogs.expectColor(0x00FFEE);
  trigger("BackGround1");
  EXPECT_EQ(window->infoviewer->DefBackground(), TColor(0x00FFEE));
}

TEST_F(Arbolet, OpenSaveAsAndCloseKeepTheFileNameAndPanel) {
  open();
  dialogs.expectOpenFile(dir.write("notes.txt", "A\r\n\tB\r\n"));
  trigger("Open1");
  EXPECT_EQ(dump(), "A(B)");
  EXPECT_EQ(window->notebookFile(), dir.path("notes.txt"));
  EXPECT_EQ(window->statusText(0), "notes.txt");
  EXPECT_EQ(memo(), "<h1>Hello</h1>\n<p>first page</p>"); // panes are not refreshed

  // A file that fails part-way keeps the part read but no file name, so Save cannot cut it short.
  dialogs.expectOpenFile(dir.write("bad.txt", "X\r\n\t\tY\r\n")).expectError("Invalid level (2) for item \"Y\"");
  trigger("Open1");
  EXPECT_EQ(dump(), "X");
  EXPECT_EQ(window->notebookFile(), "");
  EXPECT_EQ(window->statusText(0), "");
  dialogs.expectSaveFile(dir.path("rescued.txt"));
  trigger("Save1");
  EXPECT_EQ(dir.read("bad.txt"), "X\r\n\t\tY\r\n");
  EXPECT_EQ(dir.read("rescued.txt"), "X\r\n");
  dialogs.expectOpenFile(dir.path("notes.txt"));
  trigger("Open1");
  EXPECT_EQ(dump(), "A(B)");
  // A file that cannot be read leaves the notebook as it was, now named as the chosen file.
  dialogs.expectOpenFile(dir.path("none.txt")).expectError("Cannot open file " + dir.path("none.txt"));
  trigger("Open1");
  EXPECT_EQ(dump(), "A(B)");
  EXPECT_EQ(window->statusText(0), "none.txt");
  dialogs.expectOpenFile(dir.path("notes.txt"));
  trigger("Open1");

  window->selectNode(top(0));
  trigger("NodeChild1");
  dialogs.expectSaveFile(dir.path("copy.txt"));
  trigger("SaveAs1");
  EXPECT_EQ(dir.read("copy.txt"), "A\r\n\tB\r\n\tnew node\r\n");
  EXPECT_EQ(window->statusText(0), "copy.txt");
  EXPECT_FALSE(window->modified());

  dialogs.expectConfirm(false, "Clear All Nodes?");
  trigger("Close1");
  EXPECT_EQ(dump(), "A(B new node)");
  dialogs.expectConfirm(true, "Clear All Nodes?");
  trigger("Close1");
  EXPECT_TRUE(window->tree().isEmpty());
  EXPECT_EQ(window->notebookFile(), "");
  EXPECT_EQ(window->statusText(0), "");
  trigger("Close1"); // no file: no question
  // Save without a file asks for one.
  trigger("NodeAdd1");
  dialogs.expectSaveFile(dir.path("fresh.txt"));
  trigger("Save1");
  EXPECT_EQ(dir.read("fresh.txt"), "new node\r\n");
}

TEST_F(Arbolet, AFailedSaveKeepsTheNotebookChangedAndShowsTheError) {
  open();
  trigger("NodeAdd1");
  dialogs.expectSaveFile(dir.path("")).expectError("Cannot create file " + dir.path(""));
  trigger("SaveAs1");
  EXPECT_TRUE(window->modified());
  EXPECT_EQ(window->tree().topLevelCount(), 4);
}

TEST_F(Arbolet, ClosingAChangedNotebookAsksToSaveIt) {
  open();
  EXPECT_TRUE(window->FormCloseQuery()); // unchanged: no question
  trigger("NodeDelete1");
  const QString path = AppDir() + "myinfo.txt";
  dialogs.expectAskSave(Dialogs::Answer::Cancel, "Save File " + path + " ?");
  EXPECT_FALSE(window->FormCloseQuery());
  dialogs.expectAskSave(Dialogs::Answer::No);
  EXPECT_TRUE(window->FormCloseQuery());
  // A save that fails keeps the window open.
  QFile::remove(path);
  QDir().mkdir(path);
  dialogs.expectAskSave(Dialogs::Answer::Yes).expectError();
  EXPECT_FALSE(window->FormCloseQuery());
  QDir().rmdir(path);
  dialogs.expectAskSave(Dialogs::Answer::Yes);
  EXPECT_TRUE(window->FormCloseQuery());
  QFile saved(path);
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_EQ(saved.readAll(), "Tools\r\n\tone\r\n\ttwo\r\nLast\r\n\t<p>last page</p>\r\n");
  EXPECT_TRUE(window->FormCloseQuery());
}

TEST_F(Arbolet, NodeCommandsFollowTheSelection) {
  open("A\r\n\ta1\r\n\ta2\r\nB\r\n");
  window->selectNode(nullptr);
  for (const char *name : {"NodeInsert1", "NodeDelete1", "NodeDuplicate1", "InsertDate1"})
    trigger(name);
  EXPECT_EQ(dump(), "A(a1 a2) B");
  trigger("NodeAdd1");
  EXPECT_EQ(dump(), "A(a1 a2) B new node");
  EXPECT_EQ(window->selectedNode(), top(2));
  window->selectNode(top(1));
  trigger("NodeInsert1");
  EXPECT_EQ(dump(), "A(a1 a2) new node B new node");
  EXPECT_EQ(window->selectedNode(), top(1));
  trigger("NodeChild1");
  EXPECT_EQ(dump(), "A(a1 a2) new node(new node) B new node");
  EXPECT_EQ(window->selectedNode(), top(1));
  window->selectNode(top(0));
  trigger("NodeDuplicate1");
  EXPECT_EQ(dump(), "A(a1 a2) new node(new node) B new node A(a1 a2)");
  EXPECT_EQ(window->selectedNode(), top(0));
  trigger("NodeDelete1");
  EXPECT_EQ(dump(), "new node(new node) B new node A(a1 a2)");

  QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
  window->selectNode(top(1));
  trigger("InsertDate1");
  QLocale::setDefault(QLocale::system());
  EXPECT_EQ(top(1)->textString(),
            QLocale(QLocale::English, QLocale::UnitedStates).toString(QDate::currentDate(), "dddd, MMM d, yyyy"));

  trigger("SortText1");
  EXPECT_TRUE(window->commands().action("SortText1")->isChecked());
  EXPECT_EQ(window->tree().sortMode(), OutlineTree::SortMode::Text);
  EXPECT_EQ(top(0)->textString(), "A");
  trigger("SortNone1");
  EXPECT_EQ(window->tree().sortMode(), OutlineTree::SortMode::None);

  trigger("DeleteAll1"); // view mode: nothing
  EXPECT_FALSE(window->tree().isEmpty());
  editMode();
  dialogs.expectConfirm(false, "Delete all nodes?");
  trigger("DeleteAll1");
  EXPECT_FALSE(window->tree().isEmpty());
  dialogs.expectConfirm(true, "Delete all nodes?");
  trigger("DeleteAll1");
  EXPECT_TRUE(window->tree().isEmpty());
  EXPECT_TRUE(window->tree().isConsistent());
}

TEST_F(Arbolet, CaptionsAreEditedInPlaceInTheTreeAndKeptSorted) {
  open();
  trigger("SortText1");
  EXPECT_EQ(top(0)->textString(), "Last");
  window->selectNode(top(0));
  window->myhelp->edit(window->myhelp->currentIndex());
  auto *editor = window->myhelp->findChild<QLineEdit *>();
  ASSERT_NE(editor, nullptr);
  editor->setText("Zebra");
  EXPECT_TRUE(window->myhelp->endEditing());
  EXPECT_EQ(dump(), "Tools(one two) Welcome(<h1>Hello</h1>~<p>first page</p>) Zebra(<p>last page</p>)");
  EXPECT_TRUE(window->modified());
}

TEST_F(Arbolet, FindStartsAtTheSelectedNodeWithoutShowingThePage) {
  open();
  window->selectNode(top(2));
  window->InfoFindDialog->SetFindText("Last");
  window->InfoFindDialog->FindNext();
  EXPECT_EQ(window->selectedNode(), top(2));
  window->InfoFindDialog->SetFindText("page");
  window->InfoFindDialog->FindNext();
  EXPECT_EQ(window->selectedNode(), top(2)->child(0));
  EXPECT_EQ(memo(), "<p>last page</p>");
  window->InfoFindDialog->SetFindText("Hello"); // only before the selection: no wrap-around
  window->InfoFindDialog->FindNext();
  EXPECT_EQ(window->selectedNode(), top(2)->child(0));
  window->selectNode(nullptr);
  window->InfoFindDialog->SetFindText("two");
  window->InfoFindDialog->FindNext();
  EXPECT_EQ(window->selectedNode(), top(1)->child(1));
  EXPECT_EQ(window->myhelp->currentNode(), top(1)->child(1));
  EXPECT_EQ(memo(), "<p>last page</p>");
}

TEST_F(Arbolet, TheSlideShowStepsThroughTheTopics) {
  open();
  window->selectNode(top(0));
  trigger("infoPlay");
  EXPECT_TRUE(window->infotimer->isActive());
  QStringList order;
  for (int i = 0; i < 4; ++i) {
    window->infotimerTimer();
    order.append(window->selectedNode()->textString());
  }
  EXPECT_EQ(order, (QStringList{"Tools", "Last", "Welcome", "Tools"}));
  trigger("InfoStop");
  EXPECT_FALSE(window->infotimer->isActive());
  trigger("inforewind");
  EXPECT_EQ(window->selectedNode(), top(0));
  trigger("infoPlay");
  // The last topic is fixed at Play: a topic added after it does not join the round.
  window->selectNode(top(2));
  trigger("NodeAdd1");
  window->selectNode(top(2));
  window->infotimerTimer();
  EXPECT_EQ(window->selectedNode(), top(0));
  // Deleting the last topic while the show runs does not stop it.
  window->selectNode(top(2));
  trigger("NodeDelete1");
  window->infotimerTimer();
  EXPECT_NE(window->selectedNode(), nullptr);
  trigger("inforewind");
  EXPECT_FALSE(window->infotimer->isActive());

  dialogs.expectConfirm(true);
  trigger("Close1");
  trigger("infoPlay"); // an empty tree: no show
  EXPECT_FALSE(window->infotimer->isActive());
}

TEST_F(Arbolet, SpeedArrowsChangeTheIntervalAndTheHint) {
  open();
  window->infospeedDown->click();
  EXPECT_EQ(window->infotimer->interval(), 1000);
  EXPECT_EQ(window->infospeed->toolTip(), "infospeed 1000");
  for (int i = 0; i < 30; ++i)
    window->infospeedUp->click();
  EXPECT_EQ(window->infotimer->interval(), 25000);
  EXPECT_EQ(window->infospeed->toolTip(), "infospeed 25000");
  window->infospeedDown->click();
  EXPECT_EQ(window->infotimer->interval(), 24000);
  EXPECT_EQ(window->infospeed->toolTip(), "infospeed 24000");
}

TEST_F(Arbolet, LocalLinksPlayOrStartAndOthersAreLeftToTheView) {
  open();
  bool handled = false;
  window->infoviewerHotSpotClick("sound.wav", handled);
  EXPECT_TRUE(handled);
  EXPECT_EQ(desktop, QStringList{"sound " + AppDir() + "sound.wav"});
  handled = false;
  window->infoviewerHotSpotClick("http://host/sound.wav", handled);
  EXPECT_FALSE(handled);
  window->infoviewerHotSpotClick("page.htm", handled);
  EXPECT_FALSE(handled);
  EXPECT_EQ(desktop.size(), 1);
  window->infoviewerHotSpotClick("c:\\music\\song.mid?x", handled);
  EXPECT_TRUE(handled);
  ASSERT_EQ(desktop.size(), 2);
  EXPECT_TRUE(desktop[1].startsWith("media ")) << desktop[1].toStdString();
  EXPECT_TRUE(desktop[1].endsWith("song.mid")) << desktop[1].toStdString();
  handled = false;
  window->infoviewerHotSpotClick("tool.exe /a", handled);
  EXPECT_TRUE(handled);
  EXPECT_EQ(desktop[2], "program " + AppDir() + "tool.exe");
  handled = false;
  dialogs.expectMessage("failed to execute");
  window->infoviewerHotSpotClick("broken.exe", handled);
  EXPECT_TRUE(handled);
}

TEST_F(Arbolet, FormResultsAreWrittenBesideTheProgram) {
  open();
  window->infoviewerFormSubmit("", {"name=Ann", "city=Oslo"});
  QFile first(AppDir() + "mysubmit.txt");
  ASSERT_TRUE(first.open(QIODevice::ReadOnly));
  EXPECT_EQ(first.readAll(), "name=Ann\r\ncity=Oslo\r\n");
  first.close();
  window->infoviewerFormSubmit("", {"name=Bo"});
  ASSERT_TRUE(first.open(QIODevice::ReadOnly));
  EXPECT_EQ(first.readAll(), "name=Bo\r\n");
  window->infoviewerFormSubmit("../order.txt", {"x=1"});
  QFile order(AppDir() + "order.txt");
  ASSERT_TRUE(order.open(QIODevice::ReadOnly));
  EXPECT_EQ(order.readAll(), "x=1\r\n");
}

TEST_F(Arbolet, AButtonWithOnClickTextShowsIt) {
  open();
  dialogs.expectMessage("Wrong");
  window->infoviewerObjectClick({"input", "button", "", "The Hague", ""}, "Wrong");
  window->infoviewerObjectClick({"input", "button", "", "x", ""}, "");
  window->infoviewerObjectClick({"input", "text", "name", "", ""}, "Nope");
  EXPECT_EQ(dialogs.log(), QStringList{"message: Wrong"});
}

TEST_F(Arbolet, DropsMoveTheSelectedNodeAndComeOnlyFromTreeViews) {
  open();
  EXPECT_TRUE(window->myhelpDragOver(window->myhelp));
  EXPECT_FALSE(window->myhelpDragOver(window->helptext));
  window->myhelp->resize(190, 400);
  window->selectNode(top(0));
  // Below the last row is nowhere: the node becomes the last top-level node.
  window->myhelpDragDrop(window->myhelp, QPoint(5, 390));
  EXPECT_EQ(top(2)->textString(), "Welcome");
  EXPECT_EQ(window->selectedNode(), top(2));
  window->myhelpDragDrop(window->helptext, QPoint(5, 390));
  EXPECT_EQ(top(2)->textString(), "Welcome");
  EXPECT_TRUE(window->tree().isConsistent());
}

} // namespace
