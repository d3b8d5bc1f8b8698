#pragma once
// Work the first frame does not need, such as the windows that start hidden: it runs just after
// a window's first frame is drawn, so that the window appears without waiting for it, or at
// once when something asks for what it makes.

#include <QList>
#include <QObject>
#include <functional>

class QWidget;

namespace corvana {

class FirstFrameWork : public QObject {
public:
  explicit FirstFrameWork(QObject *parent) : QObject(parent) {}

  void add(std::function<void()> work) { m_work.append(std::move(work)); }
  bool pending() const { return !m_work.isEmpty(); }

  // Runs the work once `window` is first exposed, after that frame has been drawn; a window
  // that is hidden, or never exposed, does not keep it waiting long.
  void runAfterFirstFrame(QWidget *window);
  // Runs the waiting work now, in the order it was added.
  void runNow();
  void drop() { m_work.clear(); }

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void runSoon();

  QList<std::function<void()>> m_work;
};

} // namespace corvana
