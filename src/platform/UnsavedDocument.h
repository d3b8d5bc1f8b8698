#pragma once
// The question a window asks before it closes about a document that changed since it was
// loaded or saved: Yes saves it (a save that fails or is cancelled keeps the window open),
// No lets the changes go, Cancel keeps the window open.

#include <QString>
#include <functional>

namespace corvana {

class Dialogs;

struct UnsavedDocument {
  QString path; // empty for a document never saved
  // Saves the document; false when the user cancelled its save dialog. Errors are raised.
  std::function<bool()> save;
};

// "Save File " + path + " ?"
QString SaveQuestion(const QString &path);
// Asks about one document and acts on the answer; returns whether the window may close.
bool MayCloseDocument(Dialogs &dialogs, const UnsavedDocument &document);
// Runs a save for a close: a failure is shown in the error box and keeps the window.
bool SaveForClose(Dialogs &dialogs, const UnsavedDocument &document);

} // namespace corvana
