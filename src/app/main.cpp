// Corvana8: the suite's program.

#include "app/Startup.h"
#include "platform/Forms.h"

#include <QApplication>

int main(int argc, char **argv) {
  // The browser views share GL contexts with the widgets; this must precede the application.
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication application(argc, argv);
  // Hidden tool windows outlive the frame's last visible window; closing the frame ends us.
  QApplication::setQuitOnLastWindowClosed(false);
  corvana::StartCorvana();
  const int result = corvana::Application().terminated() ? 0 : QApplication::exec();
  corvana::Application().DestroyForms();
  return result;
}
