// The main of every test program: a QApplication on the offscreen platform, and between tests
// the application's forms are destroyed so each test starts from a clean frame.

#include "platform/Forms.h"

#include <QApplication>
#include <gtest/gtest.h>

namespace {

class FormCleanup : public testing::EmptyTestEventListener {
  void OnTestEnd(const testing::TestInfo &) override {
    corvana::Application().DestroyForms();
    corvana::Application().setMdiArea(nullptr);
    QCoreApplication::processEvents();
  }
};

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  // The browser views share GL contexts with the widgets; this must precede the application.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication app(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new FormCleanup);
  return RUN_ALL_TESTS();
}
