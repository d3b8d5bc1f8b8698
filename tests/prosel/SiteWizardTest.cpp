#include "controls/RichEdit.h"
#include "htmlview/HtmlView.h"
#include "platform/Paths.h"
#include "prosel/ProselU.h"
#include "prosel/SiteScript.h"
#include "support/ScriptedDialogs.h"
#include "support/TestHelpers.h"
#include "vellant/VellantU.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::ScriptedDialogs;
using corvana::test::TempDir;
using corvana::test::testDataPath;

namespace {

QByteArray golden(const QString &name) {
  QFile file(testDataPath(QStringLiteral("sitewizard/") + name));
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
  return file.readAll();
}

QStringList filesIn(const QString &dir) {
  QStringList names = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::Dirs | QDir::NoDotAndDotDot);
  names.sort();
  return names;
}

class SiteWizard : public testing::Test {
protected:
  void SetUp() override { CreateForm(ProselF); }
  // Types the script into the active pane and runs the wizard.
  void run(const QStringList &lines) {
    ProselF->ActiveEditor->SetText(lines.join(QLatin1Char('\n')));
    QAction *wizard = ProselF->action(QStringLiteral("SiteWizard1"));
    ASSERT_TRUE(wizard->isEnabled());
    wizard->trigger();
  }
  QStringList script(const QString &dir, const QStringList &entries) const {
    return QStringList{QStringLiteral("sitescript"), QStringLiteral("sitedir=") + dir,
                       QStringLiteral("sitetitle=My Garden")} +
           entries;
  }
  QString site() const { return dir.path(QStringLiteral("site/")); }
  QByteArray page(const QString &name) const { return dir.read(QStringLiteral("site/") + name); }
  QString shownInBrowser() const {
    if (!VellantF || !VellantF->FrameView->waitForLoad(30000))
      return {};
    return VellantF->FrameView->CurrentFile();
  }

  const QStringList garden{
      QStringLiteral("1 roses=Roses;All about roses"), QStringLiteral("3 planting=Planting;Planting roses"),
      QStringLiteral("2 care=Care;ignored"),           QStringLiteral("3 pruning=Pruning;Pruning in spring"),
      QStringLiteral("1 herbs=Herbs;Kitchen herbs"),   QStringLiteral("3 basil=Basil;Growing basil"),
  };
  TempDir dir;
};

} // namespace

TEST_F(SiteWizard, WritesTheSiteByteForByteWithTheHeadLinesAndShowsItsHomePage) {
  // The head file has Unix line ends; every page still ends its lines with CR LF.
  QByteArray head = golden(QStringLiteral("SWHead.txt"));
  head.replace("\r\n", "\n");
  QFile headFile(AppDir() + QStringLiteral("SWHead.txt"));
  ASSERT_TRUE(headFile.open(QIODevice::WriteOnly));
  headFile.write(head);
  headFile.close();
  ProselF->AppDir = AppDir();

  ScriptedDialogs dialogs;
  run(script(site(), garden));
  EXPECT_EQ(dialogs.log(), QStringList());
  for (const char *name : {"index.htm", "SiteIndex.htm", "roses.htm", "herbs.htm", "planting.htm", "SiteStyles.css"})
    EXPECT_EQ(page(QString::fromLatin1(name)), golden(QString::fromLatin1(name))) << name;
  EXPECT_EQ(filesIn(site()), QStringList({"SiteIndex.htm", "SiteStyles.css", "basil.htm", "herbs.htm", "index.htm",
                                          "planting.htm", "pruning.htm", "roses.htm"}));
  EXPECT_TRUE(page(QStringLiteral("basil.htm")).contains("<h3>Growing basil</h3>\r\n"));
  ASSERT_NE(VellantF, nullptr);
  EXPECT_TRUE(VellantF->isVisible());
  EXPECT_EQ(shownInBrowser(), QFileInfo(site() + QStringLiteral("index.htm")).absoluteFilePath());
}

TEST(SiteScript, WritesDocumentPagesAsTheyComeAndEachSubIndexWhenTheNextSectionStarts) {
  const QStringList lines{"sitescript",   "sitedir=/s",    "sitetitle=T",     "1 roses=Roses;R", "3 planting=P;P",
                          "2 care=Care;", "3 pruning=P;P", "1 herbs=Herbs;H", "3 basil=B;B"};
  const SitePlan plan = PlanSite(lines, {QStringLiteral("/s"), QStringLiteral("T")}, {});
  EXPECT_EQ(plan.homePage(), "/s/index.htm");
  QStringList order;
  for (const SitePage &page : plan.pages)
    order.append(QFileInfo(page.path).fileName() + (page.keepExisting ? QStringLiteral(" (kept)") : QString()));
  EXPECT_EQ(order, QStringList({"planting.htm (kept)", "pruning.htm (kept)", "roses.htm", "basil.htm (kept)",
                                "herbs.htm", "SiteIndex.htm", "index.htm", "SiteStyles.css (kept)"}));
}

TEST_F(SiteWizard, ChecksTheHeaderInOrderAndWritesNothingOnTheFirstFault) {
  ScriptedDialogs dialogs;
  const QString blocked = dir.write(QStringLiteral("plain-file"), "x");
  struct Case {
    QStringList header;
    QString message;
  };
  const QList<Case> cases{
      {{"sitescript ", "sitedir=" + site(), "sitetitle=T"}, "Invalid SiteScript file"},
      {{"site script", "sitedir=" + site(), "sitetitle=T"}, "Invalid SiteScript file"},
      {{"sitescript", "sitedir" + site(), "sitetitle=T"}, "Missing SiteDir="},
      {{"sitescript", "sitedir=", "sitetitle="}, "SiteDir missing"},
      // The title is checked only after the folder: the folder's fault is the one reported.
      {{"sitescript", "sitedir=" + blocked + "/", "title"}, "Directory " + blocked + "/ could not be created"},
      {{"sitescript", "sitedir=" + dir.path("a/b/c/"), "sitetitle=T"},
       "Directory " + dir.path("a/b/c/") + " could not be created"},
      {{"sitescript", "sitedir=" + site(), "site title=T"}, "Missing SiteTitle="},
      {{"sitescript", "sitedir=" + site(), "sitetitle="}, "SiteTitle missing"},
  };
  for (const Case &c : cases) {
    dialogs.expectMessage(c.message);
    run(c.header + QStringList{QStringLiteral("3 page=Page;Page")});
    EXPECT_EQ(dialogs.pending(), 0) << c.message.toStdString();
  }
  // Only the folder itself was made, by the cases that got past its check.
  EXPECT_EQ(filesIn(site()), QStringList());
  EXPECT_EQ(VellantF, nullptr);

  // Three lines are not a script yet: nothing is said and nothing made.
  run({QStringLiteral("sitescript"), "sitedir=" + dir.path("quiet/"), QStringLiteral("sitetitle=T")});
  EXPECT_FALSE(QFileInfo::exists(dir.path("quiet")));
  EXPECT_EQ(dialogs.log().size(), cases.size());
}

TEST_F(SiteWizard, ReadsTheHeaderKeysInAnyCaseAndGivesTheFolderItsSlash) {
  ScriptedDialogs dialogs;
  QString folder = site();
  folder.chop(1);
  run({QStringLiteral("SiteScript"), QStringLiteral("SITEDIR=") + folder, QStringLiteral("SiteTitle=Shouting"),
       QStringLiteral("1 sec=Section;Section"), QStringLiteral("3 only=Only;Only page")});
  EXPECT_EQ(dialogs.log(), QStringList());
  EXPECT_TRUE(page(QStringLiteral("index.htm")).startsWith("<html><head><title>Shouting</title></head>\r\n"));
  EXPECT_TRUE(QFileInfo::exists(site() + QStringLiteral("only.htm")));
  EXPECT_FALSE(QFileInfo::exists(dir.path(QStringLiteral("siteonly.htm"))));
}

TEST_F(SiteWizard, ASecondRunKeepsEditedPagesAndStyleSheetAndRewritesTheIndexes) {
  ScriptedDialogs dialogs;
  run(script(site(), garden));
  dir.write(QStringLiteral("site/planting.htm"), "my own page");
  dir.write(QStringLiteral("site/SiteStyles.css"), "my own styles");
  dir.write(QStringLiteral("site/roses.htm"), "stale");
  dir.write(QStringLiteral("site/SiteIndex.htm"), "stale");

  QStringList second = garden;
  second.replace(0, QStringLiteral("1 roses=Old Roses;All about roses"));
  run(script(site(), second));
  EXPECT_EQ(page(QStringLiteral("planting.htm")), "my own page");
  EXPECT_EQ(page(QStringLiteral("SiteStyles.css")), "my own styles");
  EXPECT_EQ(page(QStringLiteral("roses.htm")), golden(QStringLiteral("roses.htm")));
  EXPECT_TRUE(page(QStringLiteral("SiteIndex.htm")).contains("<a href=\"roses.htm\">Old Roses</a>\r\n"));
  EXPECT_EQ(page(QStringLiteral("index.htm")), golden(QStringLiteral("index.htm")));
}

TEST(SiteScript, CutsFieldsByPositionWithoutTrimming) {
  const SiteEntry full = ParseSiteEntry(QStringLiteral("3 a b=Link text ; Title; with ; more"));
  EXPECT_EQ(full.kind, QLatin1Char('3'));
  EXPECT_EQ(full.fileName, "a b.htm");
  EXPECT_EQ(full.linkText, "Link text ");
  EXPECT_EQ(full.title, " Title; with ; more");

  const SiteEntry noSemicolon = ParseSiteEntry(QStringLiteral("1 sec=Section"));
  EXPECT_EQ(noSemicolon.fileName, "sec.htm");
  EXPECT_EQ(noSemicolon.linkText, "");
  EXPECT_EQ(noSemicolon.title, "");

  const SiteEntry noEquals = ParseSiteEntry(QStringLiteral("3 page;Title"));
  EXPECT_EQ(noEquals.fileName, ".htm");
  EXPECT_EQ(noEquals.linkText, "");
  EXPECT_EQ(noEquals.title, "Title");

  // "=" before the space, ";" before "=": the fields between them are empty.
  const SiteEntry crossed = ParseSiteEntry(QStringLiteral("3x=y;z w"));
  EXPECT_EQ(crossed.fileName, ".htm");
  EXPECT_EQ(crossed.linkText, "y");
  EXPECT_EQ(ParseSiteEntry(QStringLiteral("3 p;t=l")).linkText, "");
  EXPECT_TRUE(ParseSiteEntry(QString()).kind.isNull());
}

TEST_F(SiteWizard, SectionsHeadingsAndMissingKindsGiveTheirExactPages) {
  ScriptedDialogs dialogs;
  // A section without ";": empty sub-index title and empty link text; a heading uses only its
  // link text; other first characters and empty lines are skipped.
  run(script(site(), {QStringLiteral("1 bare=Bare"), QStringLiteral("2 skip=Heading only;not this"), QString(),
                      QStringLiteral("# 3 note=Not;an entry"), QStringLiteral("  3 indented=No;entry")}));
  EXPECT_EQ(page(QStringLiteral("bare.htm")), QByteArray("<html><head><title></title>\r\n<base target=\"main\">\r\n"
                                                         "</head>\r\n<body text=maroon bgcolor=#ffffc0>\r\n"
                                                         "<font face=arial size=2>\r\n<br><b>Heading only</b><br>\r\n"
                                                         "</font></body></html>\r\n"));
  EXPECT_TRUE(page(QStringLiteral("SiteIndex.htm")).contains("\r\n<a href=\"bare.htm\"></a>\r\n"));
  // No document: the main frame has an empty source.
  EXPECT_TRUE(page(QStringLiteral("index.htm")).contains("\r\n<frame src=\"\" name=\"main\">\r\n"));
  EXPECT_TRUE(page(QStringLiteral("index.htm")).contains("\r\n<frame src=\"bare.htm\" name=\"subindex\">\r\n"));
  EXPECT_EQ(filesIn(site()), QStringList({"SiteIndex.htm", "SiteStyles.css", "bare.htm", "index.htm"}));
  EXPECT_EQ(dialogs.log(), QStringList());
}

TEST_F(SiteWizard, EntriesBeforeTheFirstSectionAreReportedOnceAndMakeNoNamelessPage) {
  ScriptedDialogs dialogs;
  dialogs.expectMessage(QStringLiteral("Lines 4, 6 come before the first section line (one starting with 1), so no "
                                       "sub-index page lists them. Document pages were written all the same."));
  run(script(site(), {QStringLiteral("3 early=Early;Early page"), QStringLiteral("x"), QStringLiteral("2 h=Heading;"),
                      QStringLiteral("1 sec=Section;Section"), QStringLiteral("3 late=Late;Late page")}));
  EXPECT_EQ(dialogs.pending(), 0);
  EXPECT_EQ(filesIn(site()),
            QStringList({"SiteIndex.htm", "SiteStyles.css", "early.htm", "index.htm", "late.htm", "sec.htm"}));
  const QByteArray section = page(QStringLiteral("sec.htm"));
  EXPECT_TRUE(section.contains("<a href=\"late.htm\">Late</a><br>\r\n"));
  EXPECT_FALSE(section.contains("early"));
  EXPECT_FALSE(section.contains("Heading"));
  // The first document is still the home page's main frame.
  EXPECT_TRUE(page(QStringLiteral("index.htm")).contains("<frame src=\"early.htm\" name=\"main\">"));

  // Without any section there is no site index either, and one line is named alone.
  dialogs.expectMessage(QStringLiteral("Line 4 comes before the first section line (one starting with 1), so no "
                                       "sub-index page lists it. Document pages were written all the same."));
  run(script(dir.path(QStringLiteral("flat/")), {QStringLiteral("3 only=Only;Only")}));
  EXPECT_EQ(filesIn(dir.path(QStringLiteral("flat"))), QStringList({"SiteStyles.css", "index.htm", "only.htm"}));
}

TEST_F(SiteWizard, APageThatCannotBeWrittenEndsTheRunAndKeepsThePagesBeforeIt) {
  ScriptedDialogs dialogs;
  ASSERT_TRUE(QDir().mkpath(site() + QStringLiteral("roses.htm")));
  dialogs.expectError(QStringLiteral("Cannot create file ") + site() + QStringLiteral("roses.htm"));
  run(script(site(), garden));
  EXPECT_EQ(dialogs.pending(), 0);
  EXPECT_EQ(filesIn(site()), QStringList({"planting.htm", "pruning.htm", "roses.htm"}));
  EXPECT_EQ(VellantF, nullptr);
  // The window goes on working: the same script into a good folder succeeds.
  run(script(dir.path(QStringLiteral("good/")), garden));
  EXPECT_EQ(dialogs.log().size(), 1);
  EXPECT_TRUE(QFileInfo::exists(dir.path(QStringLiteral("good/index.htm"))));
}
