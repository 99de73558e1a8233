#include "qvtest/Pump.h"

namespace qvtest {

int pumpUntilIdle(DWORD timeoutMs)
{
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    int handled = 0;
    MSG msg;
    while (GetTickCount64() < end && PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
        ++handled;
    }
    return handled;
}

void pumpFor(DWORD ms)
{
    const ULONGLONG end = GetTickCount64() + ms;
    for (ULONGLONG now = GetTickCount64(); now < end; now = GetTickCount64()) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        pumpUntilIdle(static_cast<DWORD>(end - now));
    }
}

} // namespace qvtest
