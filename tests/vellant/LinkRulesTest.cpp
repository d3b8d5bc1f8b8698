#include "vellant/LinkRules.h"
#include "support/TestHelpers.h"

#include <gtest/gtest.h>

using namespace corvana;
using Kind = LinkAction::Kind;

namespace {

QString expandInSite(const QString &name) { return name.startsWith('/') ? name : "/site/" + name; }

struct LinkCase {
  const char *name;
  QString url;
  LinkAction expected;
};

void PrintTo(const LinkCase &c, std::ostream *os) { *os << c.name; }

class LinkClickTest : public testing::TestWithParam<LinkCase> {};

} // namespace

TEST_P(LinkClickTest, ChoosesTheAction) {
  EXPECT_EQ(LinkClickAction(GetParam().url, expandInSite), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Links, LinkClickTest,
    testing::Values(LinkCase{"Web", "http://example.com/a?b=1", {Kind::OpenUrl, "http://example.com/a?b=1", {}}},
                    LinkCase{"SecureWeb", "https://example.com/", {Kind::OpenUrl, "https://example.com/", {}}},
                    LinkCase{"Mail", "mailto:me@example.com", {Kind::OpenUrl, "mailto:me@example.com", {}}},
                    LinkCase{"UpperCaseWebIsLeftToTheView", "HTTP://example.com/", {}},
                    LinkCase{"OtherSchemeIsLeftToTheView", "ftp://example.com/x.exe", {}},
                    LinkCase{"ProgramWithQuery", "setup.exe?x=1", {Kind::StartProgram, "/site/setup.exe", "x=1"}},
                    LinkCase{
                        "ProgramWithBlankBeforeQuery", "run.exe a?b", {Kind::StartProgram, "/site/run.exe", "a?b"}},
                    LinkCase{"ProgramUpperCaseExt", "SETUP.Exe", {Kind::StartProgram, "/site/SETUP.Exe", ""}},
                    LinkCase{"Sound", "ding.wav", {Kind::PlaySound, "/site/ding.wav", {}}},
                    LinkCase{"Midi", "tune.mid", {Kind::PlayMedia, "/site/tune.mid", {}}},
                    LinkCase{"Video", "clip.AVI", {Kind::PlayMedia, "/site/clip.AVI", {}}},
                    LinkCase{"Page", "page.htm", {}}, LinkCase{"LongExtension", "a.wavex", {}},
                    LinkCase{"LinkCutAt255",
                             QString(251, 'a') + ".exe?x=1",
                             {Kind::StartProgram, "/site/" + QString(251, 'a') + ".exe", ""}},
                    LinkCase{"LinkCutBeforeItsExtension", QString(253, 'a') + ".exe", {}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LinkRules, StatusLineTexts) {
  EXPECT_EQ(StatusLineText("", ""), "");
  EXPECT_EQ(StatusLineText("main", ""), "");
  EXPECT_EQ(StatusLineText("", "a.htm"), "URL: a.htm");
  EXPECT_EQ(StatusLineText("main", "a.htm"), "Target: main  URL: a.htm");
}

TEST(LinkRules, NewWindowArgumentKeepsTheAnchorAndNeedsAnExistingFile) {
  test::TempDir dir;
  const QString file = dir.write("page.htm", "<p>x</p>");
  const auto expand = [&](const QString &name) { return dir.path(name); };
  EXPECT_EQ(NewWindowArgument("page.htm#part", expand), file + "#part");
  EXPECT_EQ(NewWindowArgument("page.htm", expand), file);
  EXPECT_EQ(NewWindowArgument("missing.htm#part", expand), "");
  EXPECT_EQ(NewWindowArgument("", expand), "");
}

TEST(LinkRules, OnlyMidiBackgroundSoundsAreHandedOn) {
  EXPECT_EQ(SoundRequestFile("tune.MID", expandInSite), "/site/tune.MID");
  EXPECT_EQ(SoundRequestFile("ding.wav", expandInSite), "");
}

namespace {

struct CommandLineCase {
  const char *name;
  QStringList arguments;
  CommandLineAction expected;
};

void PrintTo(const CommandLineCase &c, std::ostream *os) { *os << c.name; }

class CommandLineTest : public testing::TestWithParam<CommandLineCase> {};

} // namespace

TEST_P(CommandLineTest, ReadsTheArguments) { EXPECT_EQ(CommandLineRule(GetParam().arguments), GetParam().expected); }

using CL = CommandLineAction::Kind;

INSTANTIATE_TEST_SUITE_P(
    Arguments, CommandLineTest,
    testing::Values(
        CommandLineCase{"None", {}, {}}, CommandLineCase{"RelativeFile", {"page.htm"}, {CL::LoadFile, "page.htm"}},
        CommandLineCase{"FileUrl", {"file:///home/me/page.htm"}, {CL::LoadFile, "/home/me/page.htm"}},
        CommandLineCase{"FileUrlTwoSlashes", {"file://home/me/a%20b.htm"}, {CL::LoadFile, "/home/me/a b.htm"}},
        CommandLineCase{"StartIn", {"/d", "/srv/www"}, {CL::StartIn, "/srv/www"}},
        CommandLineCase{"OpenIn", {"/DO", "/srv/www"}, {CL::OpenIn, "/srv/www"}},
        CommandLineCase{"SwitchWithoutDirectory", {"/D"}, {}}, CommandLineCase{"OtherSwitch", {"/X", "/srv"}, {}},
        CommandLineCase{"AbsolutePath", {"/no/such/page.htm"}, {CL::LoadFile, "/no/such/page.htm"}}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(LinkRules, AnAbsolutePathThatExistsIsAFileNotASwitch) {
  test::TempDir dir;
  const QString file = dir.write("page.htm", "<p>x</p>");
  EXPECT_EQ(CommandLineRule({file}), (CommandLineAction{CL::LoadFile, file}));
}
