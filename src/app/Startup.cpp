#include "app/Startup.h"

#include "app/MainU.h"
#include "lexora/LexoraU.h"
#include "platform/DeferredStyleIcons.h"
#include "platform/Paths.h"
#include "platform/SuiteIcons.h"
#include "prosel/HTMLTagsU.h"
#include "prosel/ProselU.h"

#include <QApplication>
#include <QIcon>

namespace corvana {

std::optional<QString> CommandLineReply(const QStringList &arguments) {
  if (arguments.contains(QStringLiteral("--version")))
    return QStringLiteral("Corvana %1\n").arg(QStringLiteral(CORVANA_VERSION));
  if (arguments.contains(QStringLiteral("--help")))
    return QStringLiteral("Usage: corvana [FILE]\n"
                          "Corvana, a suite for writing web sites by hand: the frame with its tools,\n"
                          "and FILE, when given, opened in the HTML editor.\n"
                          "\n"
                          "  --help     show this help and exit\n"
                          "  --version  show the version and exit\n"
                          "\n"
                          "Run from a folder it may write, Corvana keeps its data files and settings\n"
                          "beside the program; installed, in $XDG_DATA_HOME/corvana/\n"
                          "(~/.local/share/corvana/).\n");
  return std::nullopt;
}

void SettleProgram() {
  SetUpProgramPlace();
  DeferStandardIcons();
  QApplication::setWindowIcon(SuiteIcon());
  // Lets the desktop match the windows to the installed entry and its icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("org.corvana.Corvana"));
}

void StartCorvana() {
  Application().setTitle(QStringLiteral("Corvana"));
  Application().setHelpFile(QString());
  Application().HoldMainForm();
  CreateForm(MainForm);
  CreateForm(ProselF);
  // The tag picker and Lexora start hidden: they are made once the frame is on the screen.
  Application().AfterFirstFrame([] {
    CreateForm(HTMLTagsF);
    CreateForm(LexoraF);
  });
  Application().ShowMainForm();
}

} // namespace corvana
