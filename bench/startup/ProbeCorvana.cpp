// The frame's start-up sequence, ending at the main window's first exposed frame.

#include "ExposeExit.h"
#include "app/MainU.h"
#include "app/Startup.h"

#include <QApplication>

int main(int argc, char **argv) {
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  corvana::StartCorvana();
  ExposeExit::install(corvana::MainForm);
  return QApplication::exec();
}
