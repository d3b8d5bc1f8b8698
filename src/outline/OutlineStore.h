#pragma once
// Where an outline tree's nodes and texts live: nodes in chunks and texts in blocks, so that
// millions of nodes load and go without a malloc each. It links no nodes: the tree does.

#include "outline/OutlineNode.h"

#include <QByteArrayView>

#include <cstddef>
#include <memory>
#include <new>
#include <vector>

namespace corvana {

// Frees a block the way it was taken: mapped from the system or from the heap.
struct OutlineBlockFree {
  size_t mappedSize = 0; // non-zero for blocks mapped from the system directly
  void operator()(char *block) const;
};
using OutlineBlock = std::unique_ptr<char[], OutlineBlockFree>;

// A block of at least one byte; big ones are mapped with their pages populated at once.
OutlineBlock allocateOutlineBlock(qsizetype size);

// Bytes in a block of their own, such as a file just read, that a store can take over.
struct OutlineBytes {
  OutlineBlock block;
  qsizetype size = 0;
  QByteArrayView view() const { return QByteArrayView(block.get(), size); }
};

class OutlineStore {
public:
  OutlineStore() = default;
  ~OutlineStore();
  OutlineStore(const OutlineStore &) = delete;
  OutlineStore &operator=(const OutlineStore &) = delete;

  // A new unlinked node holding a copy of text.
  OutlineNode *newNode(QByteArrayView text);
  // A new unlinked node whose text already lies in the store, in bytes it took over.
  OutlineNode *newNodeOver(QByteArrayView storedText);
  // Destroys the node (not its children) and keeps its slot for reuse; its text leaves a gap.
  void freeNode(OutlineNode *node);
  // Gives node a copy of text; the old text leaves a gap.
  void setText(OutlineNode *node, QByteArrayView text);
  // Takes the bytes over as storage for texts handed to newNodeOver; gives their new place.
  QByteArrayView adopt(OutlineBytes bytes);
  // Once the gaps outweigh the texts, moves the texts of every node from `first` on in
  // pre-order into one block. All live nodes must be reachable that way.
  void reclaimGaps(OutlineNode *first);
  // Gives every chunk and block back. The nodes must have been destroyed already.
  void clear();

  // Bytes of the texts nodes hold, and bytes held for texts, gaps included.
  qsizetype liveTextBytes() const { return m_textLive; }
  qsizetype storedTextBytes() const { return m_textStored; }

private:
  void *takeSlot();
  void addChunk();
  const char *storeText(QByteArrayView text);

  std::vector<OutlineBlock> m_chunks;
  size_t m_nextChunkNodes = 1024;
  char *m_chunkFree = nullptr;
  char *m_chunkEnd = nullptr;
  std::vector<OutlineNode *> m_freeNodes;
  // A text that is replaced or deleted leaves a gap that is reclaimed when the gaps
  // outweigh the texts.
  std::vector<OutlineBlock> m_textBlocks;
  char *m_textFree = nullptr;
  char *m_textEnd = nullptr;
  qsizetype m_textStored = 0;
  qsizetype m_textLive = 0;
};

// Inline: a load makes millions of nodes.
inline void *OutlineStore::takeSlot() {
  if (!m_freeNodes.empty()) {
    void *slot = m_freeNodes.back();
    m_freeNodes.pop_back();
    return slot;
  }
  if (m_chunkFree == m_chunkEnd)
    addChunk();
  void *slot = m_chunkFree;
  m_chunkFree += sizeof(OutlineNode);
  return slot;
}

inline OutlineNode *OutlineStore::newNodeOver(QByteArrayView storedText) {
  auto *node = new (takeSlot()) OutlineNode;
  if (!storedText.isEmpty()) {
    node->m_text = storedText.data();
    node->m_textSize = storedText.size();
    m_textLive += storedText.size();
  }
  return node;
}

} // namespace corvana
