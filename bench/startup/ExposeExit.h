#pragma once
// Ends the process at a window's first exposed frame, skipping teardown. With
// CORVANA_PROBE_EXPOSED set to a file name, it first writes the monotonic clock (ns) of that
// frame to the file: the kernel's unmapping of the process after the end is no part of its
// start. With CORVANA_PROBE_RSS set to a file name, the probe instead stays idle a moment after
// that frame and writes its resident memory (VmRSS, in kB) to the file before it ends.

#include <QByteArray>
#include <QEvent>
#include <QFile>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

class ExposeExit : public QObject {
public:
  static void install(QWidget *window) {
    window->winId(); // makes the native window so its expose events can be watched
    window->windowHandle()->installEventFilter(new ExposeExit);
  }

  // The process's resident memory in kB, 0 when unknown.
  static qint64 residentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
      return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
      if (line.startsWith("VmRSS:"))
        return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return 0;
  }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override {
    if (event->type() != QEvent::Expose || !static_cast<QWindow *>(watched)->isExposed() || m_seen)
      return false;
    m_seen = true;
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    if (const char *exposedFile = getenv("CORVANA_PROBE_EXPOSED")) {
      const QByteArray ns = QByteArray::number(qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec);
      const int fd = open(exposedFile, O_WRONLY | O_CREAT | O_TRUNC, 0600);
      if (fd < 0 || write(fd, ns.constData(), size_t(ns.size())) != ns.size())
        _exit(1);
      close(fd);
    }
    const QByteArray rssFile = qgetenv("CORVANA_PROBE_RSS");
    if (rssFile.isEmpty())
      _exit(0);
    // Idle after start-up: what timers and deferred work settle to shortly after the first frame.
    QTimer::singleShot(1000, [rssFile] {
      QFile out(QString::fromLocal8Bit(rssFile));
      if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        _exit(1);
      out.write(QByteArray::number(residentKb()));
      out.close();
      _exit(0);
    });
    return false;
  }

private:
  bool m_seen = false;
};
