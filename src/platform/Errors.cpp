#include "platform/Errors.h"

#include "platform/Dialogs.h"
#include "platform/Forms.h"

#include <QAction>

namespace corvana {

bool guarded(Dialogs &dialogs, const std::function<void()> &command) {
  QString message;
  try {
    command();
    return true;
  } catch (const Error &e) {
    message = e.message();
  } catch (const std::bad_alloc &) {
    message = QStringLiteral("Out of memory");
  } catch (const std::exception &e) {
    message = QString::fromUtf8(e.what());
  } catch (...) {
    message = QStringLiteral("Unknown error");
  }
  // Shown outside the catch so a failing error box cannot rethrow into the handler.
  dialogs.error(message);
  return false;
}

bool guarded(const std::function<void()> &command) { return guarded(Application().dialogs(), command); }

void onTriggered(QAction *action, QObject *context, std::function<void()> command) {
  QObject::connect(action, &QAction::triggered, context, [command = std::move(command)] { guarded(command); });
}

} // namespace corvana
