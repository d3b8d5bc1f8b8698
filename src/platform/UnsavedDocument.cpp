#include "platform/UnsavedDocument.h"

#include "platform/Dialogs.h"
#include "platform/Errors.h"

namespace corvana {

QString SaveQuestion(const QString &path) { return QStringLiteral("Save File ") + path + QStringLiteral(" ?"); }

bool SaveForClose(Dialogs &dialogs, const UnsavedDocument &document) {
  bool saved = false;
  guarded(dialogs, [&] { saved = document.save(); });
  return saved;
}

bool MayCloseDocument(Dialogs &dialogs, const UnsavedDocument &document) {
  switch (dialogs.askSave(SaveQuestion(document.path))) {
  case Dialogs::Answer::Yes:
    return SaveForClose(dialogs, document);
  case Dialogs::Answer::No:
    return true;
  case Dialogs::Answer::Cancel:
    break;
  }
  return false;
}

} // namespace corvana
