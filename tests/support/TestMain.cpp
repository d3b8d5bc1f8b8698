// The main of every test program: a QApplication on the offscreen platform, scripted dialogs
// under every test, and between tests the application's forms are destroyed so each test
// starts from a clean frame.

#include "platform/DeferredStyleIcons.h"
#include "platform/Forms.h"
#include "platform/Paths.h"
#include "support/ScriptedDialogs.h"

#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Each test gets a program directory and settings file of its own, and a clean frame afterwards.
class FormCleanup : public testing::EmptyTestEventListener {
  void OnTestStart(const testing::TestInfo &) override {
    m_settingsDir = std::make_unique<QTemporaryDir>();
    corvana::OverrideSettingsFilePath(m_settingsDir->filePath(QStringLiteral("Corvana8.ini")));
    corvana::OverrideAppDir(m_settingsDir->path());
  }
  void OnTestEnd(const testing::TestInfo &) override {
    corvana::Application().DestroyForms();
    corvana::Application().setMdiArea(nullptr);
    QCoreApplication::processEvents();
    corvana::OverrideSettingsFilePath(QString());
    corvana::OverrideAppDir(QString());
    m_settingsDir.reset();
  }
  std::unique_ptr<QTemporaryDir> m_settingsDir;
};

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  // The browser engine refuses to run as root with its sandbox, and has no GPU here.
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
  if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
    qputenv("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  // As in the program, the first HTML view sets up the GL context the browser views share.
  QApplication app(argc, argv);
  // The program's style, with its standard pictures made on first use.
  corvana::DeferStandardIcons();
  testing::InitGoogleTest(&argc, argv);
  testing::UnitTest::GetInstance()->listeners().Append(new FormCleanup);
  // A prompt no test expected fails that test instead of waiting for a click that never comes.
  corvana::test::ScriptedDialogs unexpectedPrompts;
  return RUN_ALL_TESTS();
}
