// Any line must split without a crash; the values joined again must split into the same
// values; and any bytes must import (or stop with the empty-line error) into a sound tree.

#include "kelpwood/Csv.h"
#include "kelpwood/TreeDatabase.h"
#include "platform/Dialogs.h"
#include "platform/Errors.h"

#include <cstddef>
#include <cstdint>

namespace {

class NoDialogs : public corvana::Dialogs {
public:
  bool confirm(const QString &) override { return false; }
  void message(const QString &) override {}
  void information(const QString &) override {}
  void error(const QString &) override {}
  QString inputBox(const QString &, const QString &, const QString &d) override { return d; }
  bool openFile(corvana::FileDialogOptions &) override { return false; }
  bool saveFile(corvana::FileDialogOptions &) override { return false; }
  bool openPicture(corvana::FileDialogOptions &) override { return false; }
  bool savePicture(corvana::FileDialogOptions &) override { return false; }
  bool color(corvana::TColor &) override { return false; }
  bool font(corvana::FontChoice &) override { return false; }
  bool print(corvana::PrintOptions &) override { return false; }
  bool printerSetup() override { return false; }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  const QByteArrayView bytes(reinterpret_cast<const char *>(data), qsizetype(size));
  QList<QByteArray> values = corvana::SplitCsvLine(bytes);
  // A trailing empty value among several is lost when joined ("a," splits as one value).
  while (values.size() > 1 && values.back().isEmpty())
    values.removeLast();
  for (const QByteArray &value : values)
    if (value.contains('\0'))
      __builtin_trap();
  if (corvana::SplitCsvLine(corvana::JoinCsvValues(values)) != values)
    __builtin_trap();

  NoDialogs dialogs;
  corvana::OutlineTree tree;
  corvana::TreeDatabase db(tree, dialogs);
  try {
    db.ImportCsvBytes(db.BeginCsvImport(), bytes);
  } catch (const corvana::Error &) {
  }
  if (!tree.isConsistent())
    __builtin_trap();
  (void)db.ExportCsvBytes();
  return 0;
}
