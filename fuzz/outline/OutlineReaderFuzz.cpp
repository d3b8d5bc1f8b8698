// Any bytes must load without a crash into a consistent tree (or stop with the level
// error), and a loaded tree must come back unchanged from its own saved file.

#include "core/Error.h"
#include "outline/OutlineTree.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
  corvana::OutlineTree tree;
  try {
    tree.loadFromBytes(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
  } catch (const corvana::Error &) {
  }
  if (!tree.isConsistent() || tree.updating())
    __builtin_trap();
  const QByteArray saved = tree.saveToBytes();
  corvana::OutlineTree back;
  back.loadFromBytes(saved); // a saved tree never fails to load
  if (back.saveToBytes() != saved || back.count() != tree.count())
    __builtin_trap();
  // Moving the last node under the first one and deleting the first keep the tree sound.
  if (tree.count() > 1) {
    tree.MoveTo(tree.lastNode(), tree.firstNode(), corvana::OutlineTree::MoveMode::AddChildFirst);
    tree.Delete(tree.firstNode());
    if (!tree.isConsistent())
      __builtin_trap();
  }
  return 0;
}
