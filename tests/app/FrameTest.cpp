#include "app/MainU.h"
#include "app/Startup.h"
#include "arbolet/ArboletU.h"
#include "imagetools/HalcyneU.h"
#include "imagetools/PixmundU.h"
#include "kelpwood/KelpwoodU.h"
#include "lexora/LexoraU.h"
#include "platform/Paths.h"
#include "prosel/HTMLTagsU.h"
#include "prosel/ProselU.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"
#include "trellane/TrellaneU.h"
#include "twinfold/TwinfoldU.h"
#include "zonella/ZonellaU.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::findAction;
using corvana::test::menuCaptions;
using corvana::test::ScriptedDialogs;

namespace {

class TEditorF : public TForm {
public:
  TEditorF() : TForm(Kind::MdiChild, QStringLiteral("EditorF")) {
    setDesignedState(true, true);
    addMenu(QStringLiteral("&File"), QStringLiteral("File1"));
    addMenu(QStringLiteral("&Edit"), QStringLiteral("Edit1"));
  }
  static inline TEditorF *instance = nullptr;
};

QStringList menuBarCaptions() {
  QStringList captions;
  for (QAction *action : MainForm->menuBar()->actions())
    captions.append(action->text());
  return captions;
}

} // namespace

TEST(Startup, TitlesTheApplicationAndCreatesTheFrameFirst) {
  Application().setHelpFile("left over");
  StartCorvana();
  EXPECT_EQ(Application().title(), "Corvana");
  EXPECT_EQ(Application().helpFile(), "");
  ASSERT_NE(MainForm, nullptr);
  ASSERT_NE(ProselF, nullptr);
  // The windows that start hidden are made once the frame has drawn its first frame.
  EXPECT_EQ(Application().forms(), (QList<TForm *>{MainForm, ProselF}));
  ASSERT_TRUE(QTest::qWaitFor([] { return LexoraF != nullptr; }));
  EXPECT_TRUE(MainForm->windowHandle()->isExposed());
  EXPECT_EQ(Application().forms(), (QList<TForm *>{MainForm, ProselF, HTMLTagsF, LexoraF}));
  EXPECT_FALSE(HTMLTagsF->isVisible());
  EXPECT_FALSE(LexoraF->isVisible());
  // The editor is the window the user sees first.
  EXPECT_EQ(ProselF->mdiSubWindow()->mdiArea(), MainForm->mdiArea());
  EXPECT_TRUE(ProselF->mdiSubWindow()->isMaximized());
  EXPECT_EQ(MainForm->mdiArea()->activeSubWindow(), ProselF->mdiSubWindow());
  EXPECT_EQ(MainForm->appDir(), AppDir());
  EXPECT_TRUE(MainForm->appDir().endsWith("/"));
  EXPECT_TRUE(MainForm->isVisible());
}

TEST(Frame, CaptionPlaceAndMenusAreAsDesigned) {
  StartCorvana();
  EXPECT_EQ(MainForm->objectName(), "MainForm");
  // A maximised child adds " - [its caption]", as MDI frames do.
  EXPECT_TRUE(MainForm->windowTitle().startsWith("Tovi Corvana 8")) << MainForm->windowTitle().toStdString();
  EXPECT_EQ(MainForm->size(), QSize(638, 420));
  EXPECT_EQ(MainForm->menuBar()->objectName(), "MainMenu1");
  EXPECT_EQ(menuBarCaptions().mid(menuBarCaptions().size() - 2), (QStringList{"&Window", "&Help"}));

  const QMenu *window = MainForm->findChild<QMenu *>("Window1");
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(menuCaptions(window), (QStringList{"&Vellant", "&Kelpwood", "&Prosel", "&Trellane", "&Arbolet", "&Pixmund",
                                               "H&alcyne", "&Smudgel", "&Zonella", "&Twinfold"}));
  const QMenu *help = MainForm->findChild<QMenu *>("Help1");
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(menuCaptions(help), (QStringList{"&Contents", "-", "&About"}));
  EXPECT_EQ(findAction(MainForm, "&Contents")->shortcut(), QKeySequence(Qt::Key_F1));
  EXPECT_EQ(findAction(MainForm, "&About")->objectName(), "About1");
}

TEST(Frame, AboutShowsAPlainMessageBeginningWithTheProductName) {
  StartCorvana();
  ScriptedDialogs dialogs;
  dialogs.expectMessage();
  findAction(MainForm, "&About")->trigger();
  ASSERT_EQ(dialogs.prompts().size(), 1);
  EXPECT_TRUE(dialogs.prompts()[0].text.startsWith("Corvana 8")) << dialogs.prompts()[0].text.toStdString();
  EXPECT_EQ(dialogs.prompts()[0].caption, "Corvana");
}

TEST(Frame, HelpContentsNamesTheHelpFileInTheProgramDirectory) {
  StartCorvana();
  ScriptedDialogs dialogs;
  const QString expected = AppDir() + "Corvana.hlp";
  // Test programs run without the shipped data files, so the help layer reports the file.
  dialogs.expectError("Cannot find the help file " + expected);
  findAction(MainForm, "&Contents")->trigger();
  EXPECT_EQ(Application().helpFile(), expected);
}

TEST(Frame, ActiveChildMenusMergeInFrontOfWindowAndHelp) {
  StartCorvana();
  EXPECT_EQ(menuBarCaptions(),
            (QStringList{"&File", "&Edit", "&Insert", "&View", "&Options", "Fo&nt", "&Paragraph", "&Window", "&Help"}));
  CreateForm(TEditorF::instance);
  EXPECT_EQ(TEditorF::instance->mdiSubWindow()->mdiArea(), MainForm->mdiArea());
  EXPECT_EQ(menuBarCaptions(), (QStringList{"&File", "&Edit", "&Window", "&Help"}));
  // A menu the child adds later joins too.
  TEditorF::instance->addMenu("&View", "View1");
  EXPECT_EQ(menuBarCaptions(), (QStringList{"&File", "&Edit", "&View", "&Window", "&Help"}));
  // No child active in the active frame: only the frame's own menus.
  QApplication::setActiveWindow(MainForm);
  MainForm->mdiArea()->setActiveSubWindow(nullptr);
  EXPECT_EQ(menuBarCaptions(), (QStringList{"&Window", "&Help"}));
}

TEST(Frame, ClosingTheFrameEndsTheApplicationAfterAskingTheChildren) {
  StartCorvana();
  CreateForm(TEditorF::instance);
  ScriptedDialogs dialogs;
  dialogs.expectConfirm(false, "Save File  ?");
  MainForm->close();
  EXPECT_TRUE(Application().terminated());
}

TEST(Frame, ProselItemShowsTheEditorCreatedAtStartUp) {
  StartCorvana();
  Application().FinishStart();
  QAction *item = findAction(MainForm, "&Prosel");
  ASSERT_TRUE(item->isEnabled());
  ScriptedDialogs dialogs;
  dialogs.expectConfirm(false); // closing the editor asks to save, then minimises it
  ProselF->mdiSubWindow()->close();
  EXPECT_TRUE(ProselF->mdiSubWindow()->isMinimized());
  item->trigger();
  EXPECT_TRUE(ProselF->isShownToUser());
  EXPECT_EQ(Application().forms().size(), 4) << "shown again, never created twice";
}

TEST(Frame, ArboletItemOpensTheNotebookMaximisedOnTheDefaultNotebook) {
  StartCorvana();
  QFile notebook(AppDir() + "myinfo.txt");
  ASSERT_TRUE(notebook.open(QIODevice::WriteOnly));
  notebook.write("Topic\r\n\t<p>page</p>\r\n");
  notebook.close();
  ScriptedDialogs dialogs; // any prompt fails the test
  findAction(MainForm, "&Arbolet")->trigger();
  ASSERT_NE(ArboletF, nullptr);
  EXPECT_TRUE(ArboletF->mdiSubWindow()->isMaximized());
  EXPECT_EQ(ArboletF->tree().dump(), "Topic(<p>page</p>)");
  EXPECT_EQ(menuBarCaptions(),
            (QStringList{"&File", "&Edit", "&Insert", "&Node", "&Info", "&Options", "&Window", "&Help"}));
  TArboletF *window = ArboletF;
  findAction(MainForm, "&Arbolet")->trigger();
  EXPECT_EQ(ArboletF, window);
}

TEST(Frame, ToolItemsOpenTheirWindowsMaximisedOnceAndMergeTheirMenus) {
  StartCorvana();
  findAction(MainForm, "H&alcyne")->trigger();
  ASSERT_NE(HalcyneF, nullptr);
  EXPECT_TRUE(HalcyneF->mdiSubWindow()->isMaximized());
  EXPECT_EQ(menuBarCaptions(), (QStringList{"&File", "&Window", "&Help"}));
  findAction(MainForm, "&Pixmund")->trigger();
  ASSERT_NE(PixmundF, nullptr);
  EXPECT_TRUE(PixmundF->isShownToUser());
  // Exit minimises the window, as closing a tool window does; the item shows the same one again.
  THalcyneF *halcyne = HalcyneF;
  halcyne->Show(); // the Exit the user can reach is the active window's
  halcyne->commands().action("Exit1")->trigger();
  EXPECT_FALSE(halcyne->isShownToUser());
  findAction(MainForm, "H&alcyne")->trigger();
  EXPECT_EQ(HalcyneF, halcyne);
  EXPECT_TRUE(HalcyneF->isShownToUser());
  findAction(MainForm, "&Twinfold")->trigger();
  ASSERT_NE(TwinfoldF, nullptr);
  EXPECT_TRUE(TwinfoldF->mdiSubWindow()->isMaximized());
  findAction(MainForm, "&Zonella")->trigger();
  ASSERT_NE(ZonellaF, nullptr);
  EXPECT_TRUE(ZonellaF->mdiSubWindow()->isMaximized());
  findAction(MainForm, "&Trellane")->trigger();
  ASSERT_NE(TrellaneF, nullptr);
  EXPECT_TRUE(TrellaneF->mdiSubWindow()->isMaximized());
  findAction(MainForm, "&Kelpwood")->trigger();
  ASSERT_NE(KelpwoodF, nullptr);
  EXPECT_TRUE(KelpwoodF->mdiSubWindow()->isMaximized());
  EXPECT_EQ(menuBarCaptions(), (QStringList{"&File", "&Edit", "&Node", "&Fields", "&Records", "&Window", "&Help"}));
}
