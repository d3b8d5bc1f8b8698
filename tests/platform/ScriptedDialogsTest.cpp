#include "support/ScriptedDialogs.h"
#include "platform/Forms.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::ScriptedDialogs;

TEST(ScriptedDialogs, AnswersInOrderAndRecordsEveryPrompt) {
  ScriptedDialogs dialogs;
  dialogs.expectConfirm(true, "Clear All Lines?")
      .expectInput("7")
      .expectInputCancel()
      .expectOpenFile("/tmp/a.htm", 2)
      .expectColor(0x123456);
  Dialogs &service = Application().dialogs();
  EXPECT_EQ(&service, &dialogs);
  EXPECT_TRUE(service.confirm("Clear All Lines?"));
  EXPECT_EQ(service.inputBox("Caption", "How many?", "3"), "7");
  EXPECT_EQ(service.inputBox("Caption", "Name", "default"), "default"); // Cancel gives the default
  FileDialogOptions options;
  options.fileName = "old.htm";
  EXPECT_TRUE(service.openFile(options));
  EXPECT_EQ(options.fileName, "/tmp/a.htm");
  EXPECT_EQ(options.filterIndex, 2);
  TColor c = 0;
  EXPECT_TRUE(service.color(c));
  EXPECT_EQ(c, 0x123456u);
  EXPECT_EQ(dialogs.log(), (QStringList{"confirm: Clear All Lines?", "input: How many?", "input: Name",
                                        "open file: old.htm", "color: "}));
}

TEST(ScriptedDialogs, FailsOnAnUnexpectedPromptOrAWrongText) {
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedDialogs dialogs;
        dialogs.expectConfirm(true, "Delete all nodes?");
        EXPECT_FALSE(Application().dialogs().confirm("Save File /a ?"));
      },
      "unexpected prompt confirm: Save File /a ?");
  EXPECT_NONFATAL_FAILURE(
      {
        ScriptedDialogs dialogs;
        Application().dialogs().message("Found no more!");
      },
      "unexpected prompt message: Found no more!");
  EXPECT_NONFATAL_FAILURE({ ScriptedDialogs().expectMessage("never shown"); }, "expected prompt never came");
}
