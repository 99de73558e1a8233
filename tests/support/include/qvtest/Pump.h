#pragma once

#include <windows.h>

namespace qvtest {

// Dispatches every message of this thread until the queue is empty (pending paints
// included), or until timeoutMs have passed. Returns the number of messages handled.
int pumpUntilIdle(DWORD timeoutMs = 2000);

// Pumps for at least ms milliseconds: for timers and other delayed messages.
void pumpFor(DWORD ms);

} // namespace qvtest
