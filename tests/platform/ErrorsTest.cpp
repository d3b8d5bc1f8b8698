#include "platform/Errors.h"
#include "support/ScriptedDialogs.h"

#include <QAction>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::ScriptedDialogs;

TEST(Guarded, ShowsTheErrorMessageAndReportsTheCommandUnfinished) {
  ScriptedDialogs dialogs;
  dialogs.expectError("Cannot open file /x.htm").expectError("plain failure").expectError("Unknown error");
  int stepsDone = 0;
  EXPECT_FALSE(guarded([&] {
    ++stepsDone;
    throw Error::cannotOpen("/x.htm");
  }));
  EXPECT_FALSE(guarded([] { throw std::runtime_error("plain failure"); }));
  EXPECT_FALSE(guarded([] { throw 42; }));
  EXPECT_TRUE(guarded([&] { ++stepsDone; }));
  EXPECT_EQ(stepsDone, 2); // steps done before the error stay done
}

TEST(Guarded, ActionHandlersRunGuarded) {
  ScriptedDialogs dialogs;
  dialogs.expectError("Cannot create file /ro/x");
  QAction action("&Save");
  QObject context;
  onTriggered(&action, &context, [] { throw Error::cannotCreate("/ro/x"); });
  action.trigger(); // must not escape into the event loop
  EXPECT_EQ(dialogs.pending(), 0);
}
