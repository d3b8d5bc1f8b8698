#include "app/Startup.h"

#include "app/MainU.h"

namespace corvana {

void StartCorvana() {
  Application().setTitle(QStringLiteral("Corvana"));
  Application().setHelpFile(QString());
  CreateForm(MainForm);
}

} // namespace corvana
