#include "platform/CommandTable.h"
#include "core/Error.h"
#include "platform/Dialogs.h"
#include "platform/Forms.h"
#include "platform/StatusPanels.h"
#include "platform/UnsavedDocument.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::menuCaptions;
using corvana::test::ScriptedDialogs;

namespace {

class TableForm : public TForm {
public:
  TableForm() : TForm(Kind::TopLevel, QStringLiteral("TableForm")) {}
  void Open1Click() { log += "open "; }
  void Bold1Click() { log += "bold "; }
  QString log;
};

using T = TableForm;
const CommandRow<T> Rows[] = {
    {"", "File1", "&File", {}, nullptr, nullptr, Submenu},
    {"File1", "Open1", "&Open...", Qt::CTRL | Qt::Key_O, &T::Open1Click, "Opens a file"},
    {"File1", "Recent1", "&Recent", {}, nullptr, nullptr, Submenu},
    {"Recent1", "First1", "&1"},
    {"File1", "N1", "-", {}, nullptr, nullptr, Separator},
    {"File1", "Exit1", "E&xit"},
    {"", "Font1", "Fo&nt", {}, nullptr, nullptr, Submenu, nullptr, "rich"},
    {"Font1", "Bold1", "&Bold", {}, &T::Bold1Click, nullptr, 0, nullptr, "rich"},
    {"Font1", "Italic1", "&Italic", {}, nullptr, nullptr, 0, nullptr, "rich"},
    {"Font1", "Top1", "Top", {}, nullptr, nullptr, Checked, "panes"},
    {"Font1", "Bottom1", "Bottom", {}, nullptr, nullptr, Checkable, "panes"},
    {"#ToolBar1", "goOpen", "", {}, &T::Open1Click, "File Open"},
    {"#ToolBar1", "", "-", {}, nullptr, nullptr, Separator},
    {"#ToolBar1", "goBold", "", {}, &T::Bold1Click, "Bold", 0, nullptr, "rich"},
    {"", "files", "", {}, nullptr, nullptr, Popup},
    {"files", "Copy1", "&Copy Files", {}, &T::Open1Click},
};

class CommandTable : public testing::Test {
protected:
  void SetUp() override { commands.build(&form, Rows); }
  TableForm form;
  Commands commands;
};

} // namespace

TEST_F(CommandTable, RowsBecomeMenusItemsAndToolButtonsInOrder) {
  ASSERT_EQ(form.menus().size(), 2);
  EXPECT_EQ(form.menus()[0]->title(), "&File");
  EXPECT_EQ(form.menus()[0]->objectName(), "File1");
  EXPECT_EQ(menuCaptions(form.menus()[0]), (QStringList{"&Open...", "&Recent", "-", "E&xit"}));
  EXPECT_EQ(commands.menu("Recent1")->parent(), form.menus()[0]);
  EXPECT_EQ(commands.action("Open1")->shortcut(), QKeySequence("Ctrl+O"));
  EXPECT_EQ(commands.action("Open1")->statusTip(), "Opens a file");

  QToolBar *bar = commands.toolBar("ToolBar1");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->objectName(), "ToolBar1");
  ASSERT_EQ(bar->actions().size(), 3);
  EXPECT_TRUE(bar->actions()[1]->isSeparator());
  EXPECT_EQ(commands.action("goOpen")->toolTip(), "File Open");
  auto *button = form.findChild<QToolButton *>("goOpen");
  ASSERT_NE(button, nullptr);
  button->click();
  commands.action("Open1")->trigger();
  EXPECT_EQ(form.log, "open open ");
}

TEST_F(CommandTable, PopUpMenusStayOffTheMenuBar) {
  QMenu *popup = commands.menu("files");
  ASSERT_NE(popup, nullptr);
  EXPECT_FALSE(form.menus().contains(popup));
  EXPECT_EQ(popup->parent(), &form);
  EXPECT_EQ(menuCaptions(popup), QStringList{"&Copy Files"});
  commands.action("Copy1")->trigger();
  EXPECT_EQ(form.log, "open ");
}

TEST_F(CommandTable, CommandsWithoutAHandlerStayDisabled) {
  EXPECT_TRUE(commands.action("Open1")->isEnabled());
  EXPECT_FALSE(commands.action("Exit1")->isEnabled());
  EXPECT_FALSE(commands.action("First1")->isEnabled());
}

TEST_F(CommandTable, CheckGroupsAreExclusive) {
  EXPECT_TRUE(commands.action("Top1")->isChecked());
  commands.action("Bottom1")->setChecked(true);
  EXPECT_FALSE(commands.action("Top1")->isChecked());
}

TEST_F(CommandTable, AnEnableRuleSwitchesItsCommandsAndMenusInOneCall) {
  commands.setRuleEnabled("rich", false);
  EXPECT_FALSE(commands.action("Bold1")->isEnabled());
  EXPECT_FALSE(commands.action("goBold")->isEnabled());
  EXPECT_FALSE(commands.menu("Font1")->isEnabled());
  EXPECT_FALSE(commands.menu("Font1")->menuAction()->isEnabled());
  EXPECT_FALSE(commands.ruleEnabled("rich"));
  commands.setRuleEnabled("rich", true);
  EXPECT_TRUE(commands.action("Bold1")->isEnabled());
  EXPECT_TRUE(commands.action("goBold")->isEnabled());
  EXPECT_TRUE(commands.menu("Font1")->isEnabled());
  EXPECT_FALSE(commands.action("Italic1")->isEnabled()) << "no command behind it";
  EXPECT_TRUE(commands.action("Open1")->isEnabled()) << "not in the rule";
}

TEST(StatusPanels, PanelsOfTheGivenWidthsAndANote) {
  TableForm form;
  const QList<QLabel *> panels = BuildStatusPanels(&form, {{300}, {80, false, 1}});
  ASSERT_EQ(panels.size(), 2);
  EXPECT_EQ(panels[0]->objectName(), "StatusPanel0");
  EXPECT_EQ(panels[0]->maximumWidth(), 300);
  EXPECT_EQ(panels[1]->minimumWidth(), 80);
  EXPECT_EQ(StatusNote(&form), "");
  ShowStatusNote(&form, "saved");
  EXPECT_EQ(StatusNote(&form), "saved");
}

TEST(UnsavedDocument, EachAnswerAndASaveThatFails) {
  ScriptedDialogs dialogs;
  int saves = 0;
  const UnsavedDocument fine{"/a/page.htm", [&] { return ++saves, true; }};
  dialogs.expectAskSave(Dialogs::Answer::Yes, "Save File /a/page.htm ?")
      .expectAskSave(Dialogs::Answer::No)
      .expectAskSave(Dialogs::Answer::Cancel);
  EXPECT_TRUE(MayCloseDocument(dialogs, fine));
  EXPECT_TRUE(MayCloseDocument(dialogs, fine));
  EXPECT_FALSE(MayCloseDocument(dialogs, fine));
  EXPECT_EQ(saves, 1);

  const UnsavedDocument cancelled{"", [] { return false; }};
  dialogs.expectAskSave(Dialogs::Answer::Yes, "Save File  ?");
  EXPECT_FALSE(MayCloseDocument(dialogs, cancelled));
  const UnsavedDocument failing{"/x", []() -> bool {
                                  throw Error::cannotCreate("/x");
                                  return false;
                                }};
  dialogs.expectAskSave(Dialogs::Answer::Yes).expectError("Cannot create file /x");
  EXPECT_FALSE(MayCloseDocument(dialogs, failing));
}
