#pragma once
// Damaged and hostile picture files, made on the fly: empty, random, cut short, and headers that
// claim 65 535 x 65 535 pixels or an absurd metafile. Every window that opens pictures must
// answer each with an error or a picture, never a crash, and stay usable.

#include "platform/DecliningDialogs.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

namespace corvana::test {

struct HostileFile {
  QString name;
  QByteArray bytes;
  bool mustFail; // false: a partial picture is an answer too
};

QList<HostileFile> HostileFiles();
// A good picture to open afterwards.
QByteArray GoodBitmapFile();

// Records the errors shown instead of showing them; declines everything else.
class RecordingDialogs : public DecliningDialogs {
public:
  RecordingDialogs();
  ~RecordingDialogs() override;
  void error(const QString &text) override { errors.append(text); }
  QStringList errors;

private:
  Dialogs *m_previous;
};

} // namespace corvana::test
