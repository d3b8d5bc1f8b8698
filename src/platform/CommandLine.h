#pragma once
// The program's command-line arguments (without the program's own name). Tests set their own.

#include <QString>
#include <QStringList>

namespace corvana {

QStringList CommandLineArguments();
// The argument at index 1.. as the platform counts them; empty when there is none.
QString ParamStr(int index);
int ParamCount();
void SetCommandLineArguments(const QStringList &arguments);

} // namespace corvana
