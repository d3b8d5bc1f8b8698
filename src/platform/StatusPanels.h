#pragma once
// A window's status bar as its designer lays it out: text panels of given widths, named
// "StatusPanel0", "StatusPanel1", ..., and after them a note panel ("StatusNote") for what a
// command has to tell in passing, such as a save that changed the file's encoding.

#include <QList>

class QLabel;
class QMainWindow;
class QString;

namespace corvana {

struct StatusPanelWidth {
  int pixels = 100;
  bool fixed = true; // otherwise the panel is at least this wide
  int stretch = 0;
};

// Makes the status bar "StatusBar1" with its panels, left to right.
QList<QLabel *> BuildStatusPanels(QMainWindow *window, std::initializer_list<StatusPanelWidth> widths);
// Shows a note in the window's note panel; an empty text clears it.
void ShowStatusNote(QMainWindow *window, const QString &text);
QString StatusNote(const QMainWindow *window);

} // namespace corvana
