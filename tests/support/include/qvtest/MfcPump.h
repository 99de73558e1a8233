#pragma once

#include <windows.h>

namespace qvtest {

// The pump of a host that runs its own loop around MFC-layer windows: every message gets the
// layer's pre-translation (AfxPreTranslateMessage) before TranslateMessage/DispatchMessage, and
// when the queue is empty the temporary CWnd/CDC/GDI wrappers are released (AfxLockTempMaps and
// AfxUnlockTempMaps, which release nothing while a window procedure is running).
// Returns the number of messages dispatched; stops after timeoutMs.
int pumpMfcUntilIdle(DWORD timeoutMs = 2000);

} // namespace qvtest
