#include "outline/OutlineStore.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#ifdef __linux__
#include <sys/mman.h>
#endif

namespace corvana {

void OutlineBlockFree::operator()(char *block) const {
#ifdef __linux__
  if (mappedSize) {
    munmap(block, mappedSize);
    return;
  }
#endif
  std::free(block);
}

OutlineBlock allocateOutlineBlock(qsizetype size) {
  const size_t bytes = size_t(std::max<qsizetype>(size, 1));
#ifdef __linux__
  // Big blocks (a loaded file, node chunks) are mapped with their pages populated at once,
  // which costs far less than taking a page fault for every 4 KB of them.
  if (bytes >= (1 << 20)) {
    void *block = mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_POPULATE, -1, 0);
    if (block == MAP_FAILED)
      throw std::bad_alloc();
    return OutlineBlock(static_cast<char *>(block), OutlineBlockFree{bytes});
  }
#endif
  void *block = std::malloc(bytes);
  if (!block)
    throw std::bad_alloc();
  return OutlineBlock(static_cast<char *>(block));
}

OutlineStore::~OutlineStore() = default;

void OutlineStore::addChunk() {
  // Chunks grow with the tree, up to some megabytes each.
  const size_t bytes = m_nextChunkNodes * sizeof(OutlineNode);
  m_chunks.push_back(allocateOutlineBlock(qsizetype(bytes)));
  m_chunkFree = m_chunks.back().get();
  m_chunkEnd = m_chunkFree + bytes;
  m_nextChunkNodes = std::min<size_t>(m_nextChunkNodes * 2, 1 << 16);
}

OutlineNode *OutlineStore::newNode(QByteArrayView text) {
  auto *node = new (takeSlot()) OutlineNode;
  node->m_text = storeText(text);
  node->m_textSize = text.size();
  m_textLive += text.size();
  return node;
}

void OutlineStore::freeNode(OutlineNode *node) {
  m_textLive -= node->m_textSize;
  node->~OutlineNode();
  m_freeNodes.push_back(node);
}

void OutlineStore::setText(OutlineNode *node, QByteArrayView text) {
  m_textLive += text.size() - node->m_textSize;
  node->m_text = storeText(text);
  node->m_textSize = text.size();
}

const char *OutlineStore::storeText(QByteArrayView text) {
  if (text.isEmpty())
    return nullptr;
  const qsizetype size = text.size();
  if (m_textEnd - m_textFree < size) {
    constexpr qsizetype blockSize = 256 << 10;
    // A long text gets a block of its own, so the current block keeps its room.
    if (size > blockSize / 4) {
      m_textBlocks.push_back(allocateOutlineBlock(size));
      std::memcpy(m_textBlocks.back().get(), text.data(), size_t(size));
      m_textStored += size;
      return m_textBlocks.back().get();
    }
    m_textBlocks.push_back(allocateOutlineBlock(blockSize));
    m_textFree = m_textBlocks.back().get();
    m_textEnd = m_textFree + blockSize;
  }
  char *stored = m_textFree;
  std::memcpy(stored, text.data(), size_t(size));
  m_textFree += size;
  m_textStored += size;
  return stored;
}

QByteArrayView OutlineStore::adopt(OutlineBytes bytes) {
  const QByteArrayView view = bytes.view();
  m_textStored += bytes.size;
  m_textBlocks.push_back(std::move(bytes.block));
  return view;
}

void OutlineStore::reclaimGaps(OutlineNode *first) {
  // Only worth it once the gaps hold more than the texts themselves.
  if (m_textStored - m_textLive <= std::max<qsizetype>(m_textLive, 1 << 20))
    return;
  OutlineBlock block = allocateOutlineBlock(m_textLive);
  char *out = block.get();
  for (OutlineNode *node = first; node; node = node->nextNode()) {
    if (node->m_textSize == 0)
      continue;
    std::memcpy(out, node->m_text, size_t(node->m_textSize));
    node->m_text = out;
    out += node->m_textSize;
  }
  m_textBlocks.clear();
  m_textBlocks.push_back(std::move(block));
  m_textFree = m_textEnd = out;
  m_textStored = m_textLive;
}

void OutlineStore::clear() {
  m_chunks.clear();
  m_nextChunkNodes = 1024;
  m_freeNodes = {};
  m_chunkFree = m_chunkEnd = nullptr;
  m_textBlocks.clear();
  m_textFree = m_textEnd = nullptr;
  m_textStored = m_textLive = 0;
}

} // namespace corvana
