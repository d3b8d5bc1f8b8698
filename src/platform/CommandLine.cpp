#include "platform/CommandLine.h"

#include <QCoreApplication>
#include <optional>

namespace corvana {

namespace {
std::optional<QStringList> &overridden() {
  static std::optional<QStringList> arguments;
  return arguments;
}
} // namespace

QStringList CommandLineArguments() {
  if (overridden())
    return *overridden();
  return QCoreApplication::arguments().mid(1);
}

QString ParamStr(int index) { return index >= 1 ? CommandLineArguments().value(index - 1) : QString(); }

int ParamCount() { return int(CommandLineArguments().size()); }

void SetCommandLineArguments(const QStringList &arguments) { overridden() = arguments; }

} // namespace corvana
