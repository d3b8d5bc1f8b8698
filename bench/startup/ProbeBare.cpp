// A bare main window with the same Qt, ending at its first exposed frame. With "--menu" it
// also has a one-item menu bar, so it pays for the font system as any window with text does;
// with "--edit" a plain text editor fills it.

#include "ExposeExit.h"

#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <cstring>

int main(int argc, char **argv) {
  QApplication application(argc, argv);
  QMainWindow window;
  window.resize(638, 420);
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--menu") == 0)
      window.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("&Open"));
    else if (std::strcmp(argv[i], "--edit") == 0)
      window.setCentralWidget(new QPlainTextEdit);
  }
  window.show();
  ExposeExit::install(&window);
  return QApplication::exec();
}
