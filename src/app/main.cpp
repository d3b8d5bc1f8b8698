// Corvana8: the suite's program.

#include "app/Startup.h"
#include "platform/Forms.h"

#include <QApplication>
#include <cstdio>

int main(int argc, char **argv) {
  // Answered before any window, so they work without a display.
  QStringList arguments;
  for (int i = 1; i < argc; ++i)
    arguments.append(QString::fromLocal8Bit(argv[i]));
  if (const auto reply = corvana::CommandLineReply(arguments)) {
    std::fputs(reply->toLocal8Bit().constData(), stdout);
    return 0;
  }
  QApplication application(argc, argv);
  // Hidden tool windows outlive the frame's last visible window; closing the frame ends us.
  QApplication::setQuitOnLastWindowClosed(false);
  corvana::SettleProgram();
  corvana::StartCorvana();
  const int result = corvana::Application().terminated() ? 0 : QApplication::exec();
  corvana::Application().DestroyForms();
  return result;
}
