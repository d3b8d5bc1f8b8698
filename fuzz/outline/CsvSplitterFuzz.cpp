// Any line must split without a crash; the values joined again must split into the same
// values; and any bytes must import (or stop with the empty-line error) into a sound tree.

#include "kelpwood/Csv.h"
#include "kelpwood/TreeDatabase.h"
#include "platform/DecliningDialogs.h"
#include "platform/Errors.h"

#include <cstddef>
#include <cstdint>

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

  corvana::DecliningDialogs dialogs;
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
