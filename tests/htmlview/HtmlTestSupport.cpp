#include "HtmlTestSupport.h"

#include <gtest/gtest.h>
#include <optional>

namespace corvana::test {

namespace {
// These tests click links through page script; the users' clicks come from the mouse.
const bool scriptedClicksTrusted = [] {
  THtmlViewBase::TrustScriptedClicks(true);
  return true;
}();
} // namespace

QVariant RunPageScript(THtmlViewBase &view, const QString &script) {
  std::optional<QVariant> result;
  view.RunScript(script, [&result](const QVariant &value) { result = value; });
  EXPECT_TRUE(WaitUntil([&result] { return result.has_value(); }, 20000)) << script.toStdString();
  return result.value_or(QVariant());
}

void LoadAndWait(THtmlViewBase &view, const QString &file) {
  view.LoadFromFile(file);
  EXPECT_TRUE(view.waitForLoad(30000)) << file.toStdString();
}

} // namespace corvana::test
