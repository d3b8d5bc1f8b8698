#include "kelpwood/InputHold.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace corvana {

namespace {
// The object name the dialogs service gives its progress window.
const QString ProgressWindowName = QStringLiteral("ProgressBox");

bool isUserInput(QEvent::Type type) {
  switch (type) {
  case QEvent::MouseButtonPress:
  case QEvent::MouseButtonRelease:
  case QEvent::MouseButtonDblClick:
  case QEvent::KeyPress:
  case QEvent::KeyRelease:
  case QEvent::Shortcut:
  case QEvent::ShortcutOverride:
  case QEvent::Wheel:
  case QEvent::Drop:
  case QEvent::Close:
    return true;
  default:
    return false;
  }
}
} // namespace

InputHold::InputHold() { QCoreApplication::instance()->installEventFilter(this); }

InputHold::~InputHold() { QCoreApplication::instance()->removeEventFilter(this); }

bool InputHold::eventFilter(QObject *watched, QEvent *event) {
  if (!isUserInput(event->type()))
    return false;
  auto *widget = qobject_cast<QWidget *>(watched);
  const QWidget *window = widget ? widget->window() : nullptr;
  return !(window && window->objectName() == ProgressWindowName);
}

} // namespace corvana
