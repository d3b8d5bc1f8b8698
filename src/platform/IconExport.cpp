// corvana_icon_export: writes one of the suite's drawings as PNG files at the desktop's icon
// sizes, for installation into the icon theme. Usage: corvana_icon_export NAME FOLDER SIZE...
// writes FOLDER/SIZExSIZE/apps/NAME.png.

#include "platform/SuiteIcons.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication application(argc, argv);
  const QStringList arguments = QCoreApplication::arguments();
  if (arguments.size() < 4) {
    std::fputs("usage: corvana_icon_export NAME FOLDER SIZE...\n", stderr);
    return 2;
  }
  const QString name = arguments[1];
  for (const QString &sizeText : arguments.mid(3)) {
    const int size = sizeText.toInt();
    const QImage image = corvana::RenderIcon(name, size);
    const QString folder = QStringLiteral("%1/%2x%2/apps").arg(arguments[2]).arg(size);
    if (image.isNull() || !QDir().mkpath(folder) || !image.save(folder + u'/' + name + QStringLiteral(".png"))) {
      std::fprintf(stderr, "corvana_icon_export: cannot write %s at %d px\n", qPrintable(name), size);
      return 1;
    }
  }
  return 0;
}
