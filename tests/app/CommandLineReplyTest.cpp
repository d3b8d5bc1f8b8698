// The command line's own options answer before any window; every other argument is a file.

#include "app/Startup.h"

#include <gtest/gtest.h>

using namespace corvana;

TEST(CommandLine, HelpAndVersionAreAnsweredAndOtherArgumentsStart) {
  const auto version = CommandLineReply({"--version"});
  ASSERT_TRUE(version.has_value());
  EXPECT_EQ(*version, QStringLiteral("Corvana %1\n").arg(QStringLiteral(CORVANA_VERSION)));
  const auto help = CommandLineReply({"--help"});
  ASSERT_TRUE(help.has_value());
  EXPECT_TRUE(help->startsWith("Usage: corvana [FILE]\n"));
  EXPECT_TRUE(help->contains("--version"));
  // A page to open, or none at all, starts the program.
  EXPECT_FALSE(CommandLineReply({}).has_value());
  EXPECT_FALSE(CommandLineReply({"page.htm"}).has_value());
  EXPECT_FALSE(CommandLineReply({"./--help.htm"}).has_value());
}
