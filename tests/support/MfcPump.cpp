#include "qvtest/MfcPump.h"

#include <afxwin.h>

namespace qvtest {

int pumpMfcUntilIdle(DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    int dispatched = 0;
    MSG msg;
    while (::GetTickCount64() < end && ::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (AfxPreTranslateMessage(&msg))
            continue;
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
        ++dispatched;
    }
    // Lock and unlock, so that a pump nested in a window procedure leaves its temporaries alone.
    AfxLockTempMaps();
    AfxUnlockTempMaps();
    return dispatched;
}

} // namespace qvtest
