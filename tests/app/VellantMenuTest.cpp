#include "app/MainU.h"
#include "app/Startup.h"
#include "support/TestHelpers.h"
#include "vellant/VellantU.h"

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::findAction;

namespace {

// The frame's own item; tool windows may carry items of the same caption.
QAction *windowMenuItem() {
  QMenu *window = MainForm->findChild<QMenu *>("Window1");
  return window ? findAction(window, "&Vellant") : nullptr;
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
  StartCorvana();
  auto captions = [] {
    QStringList list;
    for (QAction *a : MainForm->menuBar()->actions())
      list.append(a->text());
    return list;
  };
  MainForm->activateWindow();
  QApplication::setActiveWindow(MainForm);
  QApplication::processEvents();
  const QStringList withEditor = captions();
  ASSERT_TRUE(withEditor.contains("&Insert"));
  OpenToolWindow(VellantF);
  VellantF->activateWindow();
  QApplication::setActiveWindow(VellantF);
  QApplication::processEvents();
  EXPECT_EQ(captions(), withEditor);
  VellantF->hide();
  QApplication::setActiveWindow(MainForm);
  QApplication::processEvents();
  EXPECT_EQ(captions(), withEditor);
  TVellantF::SetCommandLine(std::nullopt);
}
