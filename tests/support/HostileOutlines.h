#pragma once
// Bad outline files for every window that opens one: each either opens or is refused with an
// error box, and the window goes on working.

#include "platform/DecliningDialogs.h"

#include <QByteArray>
#include <QList>
#include <QStringList>

namespace corvana::test {

struct HostileOutline {
  const char *name;
  QByteArray bytes;
};
QList<HostileOutline> HostileOutlines();

// Opens the one file it is given and records every other prompt as "kind: text".
class OpeningDialogs : public DecliningDialogs {
public:
  explicit OpeningDialogs(QString path);
  ~OpeningDialogs() override;
  bool openFile(FileDialogOptions &options) override;
  bool confirm(const QString &text) override;
  Answer askSave(const QString &text) override;
  void message(const QString &text) override;
  void information(const QString &text) override;
  void error(const QString &text) override;
  QStringList log;

private:
  QString m_path;
  Dialogs *m_previous;
};

} // namespace corvana::test
