#pragma once
// The busy cursor for the length of a scope, for work that keeps the window from answering.

namespace corvana {

class BusyCursor {
public:
  // `busy` false leaves the cursor as it is, so callers can ask for it only for large work.
  explicit BusyCursor(bool busy = true);
  ~BusyCursor();
  BusyCursor(const BusyCursor &) = delete;
  BusyCursor &operator=(const BusyCursor &) = delete;

private:
  bool m_busy;
};

} // namespace corvana
