// The program's start-up as main() runs it (its place, icon, then the start-up windows), ending at
// the main window's first exposed frame.

#include "ExposeExit.h"
#include "app/MainU.h"
#include "app/Startup.h"

#include <QApplication>

int main(int argc, char **argv) {
  QApplication application(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  corvana::SettleProgram();
  corvana::StartCorvana();
  ExposeExit::install(corvana::MainForm);
  return QApplication::exec();
}
