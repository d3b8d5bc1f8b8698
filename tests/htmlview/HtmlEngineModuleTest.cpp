// A view whose engine module cannot be opened says so in its place and stays usable; the next
// view opens the module once it is in reach.

#include "htmlview/HtmlEngine.h"
#include "htmlview/HtmlView.h"
#include "platform/Errors.h"
#include "platform/Modules.h"
#include "support/TestHelpers.h"

#include <QLabel>
#include <QPrinter>
#include <gtest/gtest.h>

using namespace corvana;

namespace {

// Restores the usual module folders however the test ends.
struct FoldersForTest {
  explicit FoldersForTest(const QStringList &folders) { OverrideModuleFolders(folders); }
  ~FoldersForTest() { OverrideModuleFolders({}); }
};

// Drives a view without an engine through what a window asks of it.
void exerciseWithoutEngine(THtmlViewBase &view, const QString &page) {
  view.resize(400, 300);
  view.show();
  view.LoadStrings({QStringLiteral("<p>shown nowhere</p>")});
  EXPECT_FALSE(view.isProcessing());
  EXPECT_TRUE(view.waitForLoad(100));
  EXPECT_NO_THROW(view.LoadFromFile(page));
  view.Reload();
  view.GoBack();
  view.SelectAll();
  EXPECT_EQ(view.SelText(), "");
  EXPECT_FALSE(view.Find(QStringLiteral("shown"), false));
  EXPECT_EQ(view.engineWidget(), nullptr);
  QPrinter printer;
  EXPECT_THROW(view.Print(printer, 1, 1), Error);
}

} // namespace

TEST(HtmlEngineModule, AViewWithoutItsModuleSaysWhyAndTheNextViewOpensItOnceInReach) {
  const QString module = QString::fromLatin1(kHtmlEngineModule);
  if (ModuleLoaded(module))
    GTEST_SKIP() << "an earlier test in this process opened the engine";
  test::TempDir dir;
  const QString page = dir.write(QStringLiteral("page.htm"), "<p>a page</p>");
  {
    const FoldersForTest nowhere({dir.path(QStringLiteral("empty"))});
    THtmlView view;
    exerciseWithoutEngine(view, page);
    const auto *notice = view.findChild<QLabel *>(QStringLiteral("EngineMissing"));
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisibleTo(&view));
    EXPECT_TRUE(notice->text().contains(ModuleFileName(module))) << notice->text().toStdString();
    EXPECT_EQ(view.EngineError(), notice->text().mid(notice->text().indexOf(u':') + 2));
  }
  {
    // Something that is no library under the module's name.
    const FoldersForTest broken({dir.path()});
    dir.write(ModuleFileName(module), "not a library");
    TFrameView view;
    exerciseWithoutEngine(view, page);
    EXPECT_TRUE(view.EngineError().startsWith(QStringLiteral("Cannot load"))) << view.EngineError().toStdString();
    EXPECT_FALSE(ModuleLoaded(module));
  }
  THtmlView view;
  view.resize(400, 300);
  view.show();
  view.LoadFromFile(page);
  ASSERT_TRUE(view.waitForLoad(30000));
  EXPECT_EQ(view.EngineError(), "");
  EXPECT_NE(view.engineWidget(), nullptr);
  EXPECT_EQ(view.findChild<QLabel *>(QStringLiteral("EngineMissing")), nullptr);
  EXPECT_TRUE(ModuleLoaded(module));
}
