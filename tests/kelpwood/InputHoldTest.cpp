#include "kelpwood/InputHold.h"

#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace corvana;

namespace {

TEST(InputHold, KeepsTypingFromEveryWindowButTheProgressWindowWhileItLasts) {
  QLineEdit window;
  QWidget progress;
  progress.setObjectName("ProgressBox");
  auto *cancel = new QLineEdit(&progress);
  {
    const InputHold hold;
    QTest::keyClicks(&window, "ab");
    QTest::keyClicks(cancel, "ok");
  }
  EXPECT_EQ(window.text(), "");
  EXPECT_EQ(cancel->text(), "ok");
  QTest::keyClicks(&window, "ab");
  EXPECT_EQ(window.text(), "ab");
}

} // namespace
