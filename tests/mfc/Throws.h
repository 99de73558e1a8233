#pragma once

#include <afx.h>

// Runs `action` and reports whether it threw a CInvalidArgException*, which it deletes.
template <typename Action>
bool ThrowsInvalidArg(Action action)
{
    try {
        action();
    } catch (CException* e) {
        const bool invalidArg = e->IsKindOf(RUNTIME_CLASS(CInvalidArgException));
        e->Delete();
        return invalidArg;
    }
    return false;
}
