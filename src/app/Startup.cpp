#include "app/Startup.h"

#include "app/MainU.h"
#include "lexora/LexoraU.h"
#include "prosel/HTMLTagsU.h"
#include "prosel/ProselU.h"

namespace corvana {

void StartCorvana() {
  Application().setTitle(QStringLiteral("Corvana"));
  Application().setHelpFile(QString());
  CreateForm(MainForm);
  CreateForm(ProselF);
  CreateForm(HTMLTagsF);
  CreateForm(LexoraF);
}

} // namespace corvana
