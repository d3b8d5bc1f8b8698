#pragma once
// The program's fixed start-up order, from titling the application to the last window
// created at start. The message loop is the caller's.

namespace corvana {

void StartCorvana();

} // namespace corvana
