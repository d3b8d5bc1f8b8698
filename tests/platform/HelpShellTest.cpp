#include "platform/Forms.h"
#include "platform/Help.h"
#include "platform/Shell.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"

#include <QCoreApplication>
#include <QScrollBar>
#include <QTextBrowser>
#include <QUrl>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::ScriptedDialogs;
using corvana::test::TempDir;

TEST(Help, MissingHelpFileIsReportedByTheHelpLayer) {
  ScriptedDialogs dialogs;
  dialogs.expectError("Cannot find the help file /nowhere/Corvana.hlp");
  Application().setHelpFile("/nowhere/Corvana.hlp");
  Application().HelpJump("Corvana");
  EXPECT_EQ(dialogs.pending(), 0);
}

TEST(Help, ShowsTheFileAtTheTopicAnchor) {
  TempDir dir;
  QByteArray html = "<html><head><title>Guide</title></head><body><p>top</p>";
  for (int i = 0; i < 200; ++i)
    html += "<p>filler</p>";
  html += "<h2><a name=\"Topic\">Topic</a></h2><p>here</p></body></html>";
  const QString file = dir.write("Guide.hlp", html);
  ASSERT_TRUE(ShowHelpTopic(file, "Topic"));
  HelpViewer *viewer = CurrentHelpViewer();
  ASSERT_NE(viewer, nullptr);
  EXPECT_TRUE(viewer->isVisible());
  EXPECT_EQ(viewer->browser()->source().toLocalFile(), file);
  EXPECT_TRUE(viewer->browser()->toPlainText().contains("here"));
  EXPECT_GT(viewer->browser()->verticalScrollBar()->value(), 0) << "scrolled to the anchor";
  viewer->hide();
}

TEST(Shell, ReportsFailuresToTheCaller) {
  QList<QUrl> opened;
  SetUrlOpener([&](const QUrl &url) {
    opened.append(url);
    return true;
  });
  TempDir dir;
  const QString page = dir.write("page.htm", "<p>x</p>");
  EXPECT_TRUE(ShellOpen("https://example.org/a?b=1"));
  EXPECT_TRUE(ShellOpen("mailto:someone@example.org"));
  EXPECT_TRUE(ShellOpen(page));
  EXPECT_FALSE(ShellOpen(dir.path("missing.htm")));
  EXPECT_FALSE(ShellOpen(""));
  ASSERT_EQ(opened.size(), 3);
  EXPECT_EQ(opened[2], QUrl::fromLocalFile(page));
  SetUrlOpener(nullptr);

  EXPECT_FALSE(StartProgram("", {}));
  EXPECT_FALSE(StartProgram(dir.path("no-such-program"), {"x"}));
  QStringList started;
  SetProgramStarter([&](const QString &program, const QStringList &args) {
    started = QStringList{program} + args;
    return true;
  });
  EXPECT_TRUE(StartNewInstance({"/tmp/page.htm#a"}));
  EXPECT_EQ(started, (QStringList{QCoreApplication::applicationFilePath(), "/tmp/page.htm#a"}));
  SetProgramStarter(nullptr);

  EXPECT_FALSE(PlaySound(dir.path("missing.wav")));
  EXPECT_FALSE(PlaySound(page)) << "not a WAVE file";
}
