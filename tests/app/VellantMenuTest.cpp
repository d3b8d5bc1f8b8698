#include "app/MainU.h"
#include "app/Startup.h"
#include "prosel/HTMLTagsU.h"
#include "support/TestHelpers.h"
#include "vellant/VellantU.h"

#include <QAction>
#include <QApplication>
#include <QListView>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::findAction;

namespace {

// The frame's own item; tool windows may carry items of the same caption.
QAction *windowMenuItem() {
  QMenu *window = MainForm->findChild<QMenu *>("Window1");
  return window ? findAction(window, "&Vellant") : nullptr;
}

QStringList frameMenus() { return corvana::test::menuCaptions(MainForm->menuBar()); }

// Starts the suite with the frame the active window; returns its menus then, the editor's in front.
QStringList startWithTheFrameActive() {
  StartCorvana();
  Application().FinishStart();
  MainForm->activateWindow();
  QApplication::setActiveWindow(MainForm);
  QApplication::processEvents();
  return frameMenus();
}

} // namespace

TEST(VellantMenu, OpensTheBrowserOnceAndShowsItAgainAfterItWasHidden) {
  TVellantF::SetCommandLine(QStringList{});
  StartCorvana();
  QAction *item = windowMenuItem();
  ASSERT_NE(item, nullptr);
  EXPECT_TRUE(item->isEnabled());
  item->trigger();
  ASSERT_NE(VellantF, nullptr);
  TVellantF *first = VellantF;
  EXPECT_TRUE(VellantF->isVisible());
  EXPECT_EQ(VellantF->mdiSubWindow(), nullptr);
  VellantF->close();
  EXPECT_FALSE(VellantF->isVisible());
  item->trigger();
  EXPECT_EQ(VellantF, first);
  EXPECT_TRUE(VellantF->isVisible());
  TVellantF::SetCommandLine(std::nullopt);
}

TEST(VellantMenu, ShowsTheWindowAnotherToolAlreadyCreated) {
  TVellantF::SetCommandLine(QStringList{});
  StartCorvana();
  OpenToolWindow(VellantF);
  TVellantF *created = VellantF;
  VellantF->hide();
  windowMenuItem()->trigger();
  EXPECT_EQ(VellantF, created);
  EXPECT_TRUE(VellantF->isVisible());
  TVellantF::SetCommandLine(std::nullopt);
}

TEST(VellantMenu, TheEditorsMenusStayInTheFrameWhileTheBrowserHasTheFocus) {
  TVellantF::SetCommandLine(QStringList{});
  const QStringList withEditor = startWithTheFrameActive();
  ASSERT_TRUE(withEditor.contains("&Insert"));
  OpenToolWindow(VellantF);
  VellantF->activateWindow();
  QApplication::setActiveWindow(VellantF);
  QApplication::processEvents();
  EXPECT_EQ(frameMenus(), withEditor);
  VellantF->hide();
  QApplication::setActiveWindow(MainForm);
  QApplication::processEvents();
  EXPECT_EQ(frameMenus(), withEditor);
  TVellantF::SetCommandLine(std::nullopt);
}

// The tag picker takes the focus while it is open. Under no window manager it leaves no window
// active when it closes, and the area reports no active child: the frame keeps the editor's
// menus all the while.
TEST(VellantMenu, TheEditorsMenusStayAfterTheTagPickerCloses) {
  const QStringList withEditor = startWithTheFrameActive();
  ASSERT_TRUE(withEditor.contains("&Insert"));
  QStringList whileOpen;
  QTimer::singleShot(0, [&] {
    whileOpen = frameMenus();
    QTest::keyClick(HTMLTagsF->HTMLList, Qt::Key_Backspace);
  });
  HTMLTagsF->ShowModal();
  QApplication::processEvents();
  EXPECT_EQ(whileOpen, withEditor);
  EXPECT_EQ(frameMenus(), withEditor);

  // What the area does under X11 as the frame loses the focus to no window.
  QApplication::setActiveWindow(nullptr);
  MainForm->mdiArea()->setActiveSubWindow(nullptr);
  EXPECT_EQ(frameMenus(), withEditor);
  QApplication::setActiveWindow(MainForm);
  QApplication::processEvents();
  EXPECT_EQ(frameMenus(), withEditor);
}
