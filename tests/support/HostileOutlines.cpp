#include "support/HostileOutlines.h"

#include "platform/Forms.h"

#include <random>
#include <utility>

namespace corvana::test {

QList<HostileOutline> HostileOutlines() {
  std::mt19937 random(11);
  QByteArray noise(1 << 18, '\0');
  for (char &c : noise)
    c = char(random());
  QByteArray staircase;
  for (int level = 0; level < 20000; ++level)
    staircase += QByteArray(level, '\t') + "step\r\n";
  QByteArray wide;
  for (int i = 0; i < 100000; ++i)
    wide += "sibling " + QByteArray::number(i) + "\r\n";
  return {
      {"empty", QByteArray()},
      {"random", noise},
      {"nul bytes", QByteArray("top\r\n\t\0child\r\n", 14).repeated(500)},
      {"level jump", "top\r\n\t\t\tfar too deep\r\n"},
      {"first line indented", "\tno parent\r\n"},
      {"only tabs", QByteArray("\t\t\t\r\n").repeated(100)},
      {"lone carriage returns", QByteArray("a\r\tb\r").repeated(1000)},
      {"staircase 20000 deep", staircase},
      {"100000 siblings", wide},
      {"one 20 MB line", QByteArray(20 * 1024 * 1024, 'n')},
  };
}

OpeningDialogs::OpeningDialogs(QString path) : m_path(std::move(path)), m_previous(Application().installedDialogs()) {
  Application().setDialogs(this);
}
OpeningDialogs::~OpeningDialogs() { Application().setDialogs(m_previous); }

bool OpeningDialogs::openFile(FileDialogOptions &options) {
  options.fileName = m_path;
  return true;
}
bool OpeningDialogs::confirm(const QString &text) {
  log.append("confirm: " + text);
  return false;
}
Dialogs::Answer OpeningDialogs::askSave(const QString &text) {
  log.append("askSave: " + text);
  return Answer::No;
}
void OpeningDialogs::message(const QString &text) { log.append("message: " + text); }
void OpeningDialogs::information(const QString &text) { log.append("information: " + text); }
void OpeningDialogs::error(const QString &text) { log.append("error: " + text); }

} // namespace corvana::test
