#include "controls/ToolBarWidget.h"

#include <QPointer>
#include <QToolBar>
#include <QWidgetAction>

namespace corvana {

namespace {

// Gives the bar the control it already holds, once, instead of a default widget to move.
class MadeControlAction : public QWidgetAction {
public:
  MadeControlAction(QToolBar *bar, QWidget *control) : QWidgetAction(bar), m_control(control) {}

protected:
  QWidget *createWidget(QWidget *parent) override {
    if (m_given || !m_control || parent != m_control->parentWidget())
      return nullptr;
    m_given = true;
    return m_control;
  }
  // Taken off the bar, the control stays the bar's child, hidden, as addWidget would leave it.
  void deleteWidget(QWidget *widget) override {
    widget->hide();
    m_given = false;
  }

private:
  QPointer<QWidget> m_control;
  bool m_given = false;
};

} // namespace

QAction *AddToolBarWidget(QToolBar *bar, QWidget *control) {
  Q_ASSERT(control->parentWidget() == bar);
  auto *action = new MadeControlAction(bar, control);
  bar->addAction(action);
  return action;
}

} // namespace corvana
