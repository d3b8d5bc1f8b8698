#include "platform/Forms.h"
#include "platform/Errors.h"
#include "support/ScriptedDialogs.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <gtest/gtest.h>

using namespace corvana;
using corvana::test::ScriptedDialogs;

namespace {

// A tool window of each kind, counting its creations and recording what the instance variable
// held when FormCreate ran.
template <TForm::Kind K> class TProbeF : public TForm {
public:
  TProbeF() : TForm(K, QStringLiteral("ProbeF")) {
    ++constructed;
    setDesignedState(true, K == Kind::MdiChild);
    addMenu(QStringLiteral("&File"), QStringLiteral("File1"))->addAction(QStringLiteral("&Open"));
  }
  void FormCreate() override { instanceAtCreate = instance; }
  bool FormCloseQuery() override {
    ++closeQueries;
    return mayClose;
  }
  static inline TProbeF *instance = nullptr;
  static inline TProbeF *instanceAtCreate = nullptr;
  static inline int constructed = 0;
  int closeQueries = 0;
  bool mayClose = true;
};
using TChildF = TProbeF<TForm::Kind::MdiChild>;
using TTopF = TProbeF<TForm::Kind::TopLevel>;
using TDialogF = TProbeF<TForm::Kind::Dialog>;

class TFrameF : public TForm {
public:
  TFrameF() : TForm(Kind::TopLevel, QStringLiteral("FrameF")), area(new QMdiArea(this)) {
    setCentralWidget(area);
    Application().setMdiArea(area);
  }
  QMdiArea *area;
  static inline TFrameF *instance = nullptr;
};

// A tool window whose control is made in its constructor, before it joins the frame.
class TEditorF : public TForm {
public:
  TEditorF() : TForm(Kind::MdiChild, QStringLiteral("EditorF")), edit(new QLineEdit(this)) { setCentralWidget(edit); }
  QLineEdit *edit;
  static inline TEditorF *instance = nullptr;
};

class Forms : public testing::Test {
protected:
  void SetUp() override {
    TChildF::constructed = TTopF::constructed = TDialogF::constructed = 0;
    CreateForm(TFrameF::instance);
    TFrameF::instance->show();
  }
};

} // namespace

TEST_F(Forms, CreateFormStoresTheInstanceBeforeFormCreateAndRegistersInOrder) {
  CreateForm(TChildF::instance);
  EXPECT_EQ(TChildF::instanceAtCreate, TChildF::instance);
  CreateForm(TTopF::instance);
  EXPECT_EQ(Application().forms(), (QList<TForm *>{TFrameF::instance, TChildF::instance, TTopF::instance}));
  EXPECT_EQ(Application().mainForm(), TFrameF::instance);
  Application().DestroyForms();
  EXPECT_EQ(TChildF::instance, nullptr); // no dangling variable after the forms are gone
  EXPECT_EQ(TFrameF::instance, nullptr);
}

TEST_F(Forms, MdiChildLandsMaximisedInTheAreaAndHandsItsMenusToTheFrame) {
  CreateForm(TChildF::instance);
  QMdiSubWindow *sub = TChildF::instance->mdiSubWindow();
  ASSERT_NE(sub, nullptr);
  EXPECT_EQ(sub->mdiArea(), TFrameF::instance->area);
  EXPECT_TRUE(sub->isMaximized());
  EXPECT_TRUE(TChildF::instance->mergesMenus());
  EXPECT_TRUE(TChildF::instance->menuBar()->actions().isEmpty());
  ASSERT_EQ(TChildF::instance->menus().size(), 1);
  EXPECT_EQ(TChildF::instance->menus()[0]->title(), "&File");
}

TEST_F(Forms, MdiChildAndTheControlsItMadeWearTheFramesFont) {
  const QFont designed(QStringLiteral("Serif"), 13);
  TFrameF::instance->setFont(designed);
  CreateForm(TEditorF::instance);
  EXPECT_EQ(TEditorF::instance->font(), designed);
  EXPECT_EQ(TEditorF::instance->edit->font(), designed);
  EXPECT_EQ(TEditorF::instance->mdiSubWindow()->font(), designed);
  // A control added once the window is in the frame wears it too.
  auto *later = new QLineEdit(TEditorF::instance);
  EXPECT_EQ(later->font(), designed);
}

TEST_F(Forms, OpenToolWindowCreatesOnceAndShowsAgainAfterClose) {
  OpenToolWindow(TChildF::instance);
  TChildF *first = TChildF::instance;
  OpenToolWindow(TChildF::instance);
  EXPECT_EQ(TChildF::constructed, 1);
  EXPECT_EQ(TChildF::instance, first);

  // Closing an MDI child minimises it; choosing it again restores it as designed.
  TChildF::instance->mdiSubWindow()->close();
  EXPECT_TRUE(TChildF::instance->mdiSubWindow()->isMinimized());
  EXPECT_EQ(TChildF::instance->closeQueries, 1);
  OpenToolWindow(TChildF::instance);
  EXPECT_EQ(TChildF::constructed, 1);
  EXPECT_TRUE(TChildF::instance->mdiSubWindow()->isMaximized());
  EXPECT_TRUE(TChildF::instance->isShownToUser());
  EXPECT_EQ(TFrameF::instance->area->activeSubWindow(), TChildF::instance->mdiSubWindow());

  // Closing a top-level tool window hides it.
  OpenToolWindow(TTopF::instance);
  EXPECT_TRUE(TTopF::instance->isVisible());
  EXPECT_FALSE(TTopF::instance->mergesMenus());
  TTopF::instance->close();
  EXPECT_FALSE(TTopF::instance->isVisible());
  OpenToolWindow(TTopF::instance);
  EXPECT_TRUE(TTopF::instance->isShownToUser());
  EXPECT_EQ(TTopF::constructed, 1);
}

TEST_F(Forms, ChildThatRefusesToCloseStaysAsItWas) {
  OpenToolWindow(TChildF::instance);
  TChildF::instance->mayClose = false;
  TChildF::instance->mdiSubWindow()->close();
  EXPECT_TRUE(TChildF::instance->mdiSubWindow()->isMaximized());
}

TEST_F(Forms, ClosingTheMainFormAsksEveryFormAndTerminatesOnlyWhenAllAgree) {
  OpenToolWindow(TChildF::instance);
  OpenToolWindow(TTopF::instance);
  TChildF::instance->mayClose = false;
  TFrameF::instance->close();
  EXPECT_FALSE(Application().terminated());
  EXPECT_TRUE(TFrameF::instance->isVisible());
  EXPECT_EQ(TTopF::instance->closeQueries, 0); // MDI children are asked first

  TChildF::instance->mayClose = true;
  TFrameF::instance->close();
  EXPECT_TRUE(Application().terminated());
  EXPECT_EQ(TChildF::instance->closeQueries, 2);
  EXPECT_EQ(TTopF::instance->closeQueries, 1);
}

TEST_F(Forms, DialogFormsStartHiddenAndShowModalReturnsTheModalResult) {
  CreateForm(TDialogF::instance);
  EXPECT_FALSE(TDialogF::instance->isVisible());
  QTimer::singleShot(0, TDialogF::instance, [] {
    EXPECT_TRUE(TDialogF::instance->isVisible());
    TDialogF::instance->setModalResult(TForm::mrOk);
  });
  EXPECT_EQ(TDialogF::instance->ShowModal(), TForm::mrOk);
  EXPECT_FALSE(TDialogF::instance->isVisible());

  QTimer::singleShot(0, TDialogF::instance, [] { TDialogF::instance->close(); });
  EXPECT_EQ(TDialogF::instance->ShowModal(), TForm::mrCancel);
}

TEST(FormsWithoutFrame, MdiChildWithoutAFrameShowsItsOwnMenus) {
  CreateForm(TChildF::instance);
  EXPECT_FALSE(TChildF::instance->mergesMenus());
  EXPECT_EQ(TChildF::instance->menuBar()->actions().size(), 1);
  EXPECT_TRUE(TChildF::instance->isVisible());
}

TEST(FormsWithoutFrame, AnErrorInFormCreateIsShownAndTheFormStillExists) {
  struct TFailingF : TForm {
    TFailingF() : TForm(Kind::TopLevel, QStringLiteral("FailingF")) {}
    void FormCreate() override { throw Error::cannotOpen("/data/HTMLTags.txt"); }
  };
  ScriptedDialogs dialogs;
  dialogs.expectError("Cannot open file /data/HTMLTags.txt");
  static TFailingF *failing = nullptr;
  CreateForm(failing);
  EXPECT_NE(failing, nullptr);
  EXPECT_TRUE(failing->isVisible());
}

// The frame held at start-up takes its first windows while hidden and shows them as designed,
// at its own size, once it is shown.
TEST(FormsHeldFrame, AHeldMainFormShowsOnlyOnceItsStartWindowsAreInIt) {
  Application().HoldMainForm();
  CreateForm(TFrameF::instance);
  EXPECT_FALSE(TFrameF::instance->isVisible());
  CreateForm(TChildF::instance);
  CreateForm(TTopF::instance);
  QMdiSubWindow *sub = TChildF::instance->mdiSubWindow();
  ASSERT_NE(sub, nullptr);
  EXPECT_FALSE(TFrameF::instance->isVisible());
  EXPECT_TRUE(TTopF::instance->isVisible()) << "only the main form waits";

  Application().ShowMainForm();
  EXPECT_FALSE(Application().mainFormHeld());
  EXPECT_TRUE(TFrameF::instance->isVisible());
  EXPECT_TRUE(sub->isVisible());
  EXPECT_TRUE(sub->isMaximized());
  EXPECT_EQ(TFrameF::instance->area->activeSubWindow(), sub);
  QCoreApplication::processEvents();
  EXPECT_EQ(sub->geometry(), TFrameF::instance->area->viewport()->rect());
}

// Work the first frame does not need runs after the main form's first frame, in the order given,
// once.
TEST(FormsHeldFrame, WorkAfterTheFirstFrameWaitsForTheMainFormToBeExposed) {
  Application().HoldMainForm();
  CreateForm(TFrameF::instance);
  QStringList done;
  Application().AfterFirstFrame([&] { done << "picker"; });
  Application().AfterFirstFrame([&] { done << "editor"; });
  QCoreApplication::processEvents();
  EXPECT_TRUE(done.isEmpty()) << "the frame is still hidden";

  Application().ShowMainForm();
  EXPECT_TRUE(done.isEmpty()) << "not before the first frame";
  ASSERT_TRUE(QTest::qWaitFor([&] { return !done.isEmpty(); }));
  EXPECT_TRUE(TFrameF::instance->windowHandle()->isExposed());
  EXPECT_EQ(done, (QStringList{"picker", "editor"}));
  Application().FinishStart();
  QTest::qWait(20);
  EXPECT_EQ(done.size(), 2) << "run once";
}

TEST(FormsHeldFrame, FinishStartRunsTheWaitingWorkAtOnceAndDestroyingTheFormsDropsIt) {
  int runs = 0;
  Application().AfterFirstFrame([&] { ++runs; });
  EXPECT_EQ(runs, 1) << "with no main form there is no frame to wait for";

  Application().HoldMainForm();
  CreateForm(TFrameF::instance);
  Application().AfterFirstFrame([&] { ++runs; });
  Application().FinishStart();
  EXPECT_EQ(runs, 2) << "asked for before the frame is shown";

  Application().AfterFirstFrame([&] { ++runs; });
  Application().ShowMainForm();
  Application().DestroyForms();
  QTest::qWait(50);
  EXPECT_EQ(runs, 2) << "dropped with the forms";
}
