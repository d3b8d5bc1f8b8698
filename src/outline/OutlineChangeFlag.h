#pragma once
// Raises a flag on every change to a tree's nodes, so a window knows its document needs saving.

#include "outline/OutlineTree.h"

namespace corvana {

class OutlineChangeFlag : public OutlineObserver {
public:
  explicit OutlineChangeFlag(bool &changed) : m_changed(changed) {}
  void nodeInserted(OutlineNode *) override { m_changed = true; }
  void nodeRemoved(OutlineNode *, qsizetype) override { m_changed = true; }
  void nodeMoved(OutlineNode *) override { m_changed = true; }
  void textChanged(OutlineNode *) override { m_changed = true; }
  void childrenSorted(OutlineNode *) override { m_changed = true; }
  void resetDone() override { m_changed = true; }

private:
  bool &m_changed;
};

} // namespace corvana
