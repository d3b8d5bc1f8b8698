#pragma once
// Ends the process at a window's first exposed frame, skipping teardown, so a probe's run time
// is the time from launch to a frame on screen.

#include <QEvent>
#include <QObject>
#include <QWidget>
#include <QWindow>
#include <unistd.h>

class ExposeExit : public QObject {
public:
  static void install(QWidget *window) {
    window->winId(); // makes the native window so its expose events can be watched
    window->windowHandle()->installEventFilter(new ExposeExit);
  }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() == QEvent::Expose && static_cast<QWindow *>(watched)->isExposed())
      _exit(0);
    return false;
  }
};
