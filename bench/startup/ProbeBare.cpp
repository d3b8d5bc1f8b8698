// A bare main window with the same Qt, ending at its first exposed frame. With "--menu" it
// also has a one-item menu bar, so it pays for the font system as any window with text does.

#include "ExposeExit.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <cstring>

int main(int argc, char **argv) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.resize(638, 420);
  if (argc > 1 && std::strcmp(argv[1], "--menu") == 0)
    window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("&Open"));
  window.show();
  ExposeExit::install(&window);
  return QApplication::exec();
}
