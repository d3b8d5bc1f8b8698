#include "platform/FirstFrame.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace corvana {

namespace {
// Long enough for a window manager to map the window, short enough not to be noticed.
constexpr int kLatestMs = 2000;
} // namespace

void FirstFrameWork::runAfterFirstFrame(QWidget *window) {
  QWindow *handle = window && window->isVisible() ? window->windowHandle() : nullptr;
  if (!handle || handle->isExposed())
    return runSoon();
  handle->installEventFilter(this);
  QTimer::singleShot(kLatestMs, this, [this] { runNow(); });
}

void FirstFrameWork::runNow() {
  while (!m_work.isEmpty()) {
    const std::function<void()> work = m_work.takeFirst();
    work();
  }
}

bool FirstFrameWork::eventFilter(QObject *watched, QEvent *event) {
  // The filter sees the expose before the window draws for it; the work is queued behind that.
  if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed()) {
    watched->removeEventFilter(this);
    runSoon();
  }
  return false;
}

void FirstFrameWork::runSoon() {
  QTimer::singleShot(0, this, [this] { runNow(); });
}

} // namespace corvana
