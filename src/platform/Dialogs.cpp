#include "platform/Dialogs.h"

namespace corvana {

QString DialogKindName(Dialogs::Kind kind) {
  switch (kind) {
  case Dialogs::Kind::Confirm:
    return QStringLiteral("confirm");
  case Dialogs::Kind::AskSave:
    return QStringLiteral("askSave");
  case Dialogs::Kind::Message:
    return QStringLiteral("message");
  case Dialogs::Kind::Information:
    return QStringLiteral("information");
  case Dialogs::Kind::Error:
    return QStringLiteral("error");
  case Dialogs::Kind::Input:
    return QStringLiteral("input");
  case Dialogs::Kind::OpenFile:
    return QStringLiteral("open file");
  case Dialogs::Kind::SaveFile:
    return QStringLiteral("save file");
  case Dialogs::Kind::OpenPicture:
    return QStringLiteral("open picture");
  case Dialogs::Kind::SavePicture:
    return QStringLiteral("save picture");
  case Dialogs::Kind::Color:
    return QStringLiteral("color");
  case Dialogs::Kind::Font:
    return QStringLiteral("font");
  case Dialogs::Kind::Print:
    return QStringLiteral("print");
  case Dialogs::Kind::PrinterSetup:
    return QStringLiteral("printer setup");
  }
  return QString();
}

namespace {
class SilentProgress : public Progress {
public:
  bool update(qint64, const QString &) override { return true; }
  bool cancelled() const override { return false; }
};
} // namespace

std::unique_ptr<Progress> Dialogs::progress(const QString &, qint64) { return std::make_unique<SilentProgress>(); }

} // namespace corvana
