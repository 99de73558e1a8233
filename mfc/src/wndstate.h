#pragma once

// Per-thread state of the window layer: handle maps, the message being processed, the window
// being created and the temporary-map lock.

#include "afxcmn.h"

#include <unordered_map>
#include <utility>

namespace qvmfc {

// Maps handles to their wrapper objects. Permanent entries belong to their objects; temporary
// ones are created on demand by FromHandle and deleted by deleteTemporaries.
template <class T> class HandleMap {
public:
    T* lookupPermanent(HANDLE h) const { return find(m_permanent, h); }
    T* lookupTemporary(HANDLE h) const { return find(m_temporary, h); }
    void setPermanent(HANDLE h, T* object) { m_permanent[h] = object; }
    void removeHandle(HANDLE h)
    {
        m_permanent.erase(h);
        m_temporary.erase(h);
    }

    // make(h) returns a new object already holding h; release(object) lets go of the handle
    // without destroying it, before the object is deleted.
    template <class Make> T* fromHandle(HANDLE h, Make make)
    {
        if (!h)
            return nullptr;
        if (T* object = lookupPermanent(h))
            return object;
        if (T* object = lookupTemporary(h))
            return object;
        T* object = make(h);
        m_temporary[h] = object;
        return object;
    }

    template <class Release> void deleteTemporaries(Release release)
    {
        auto temporaries = std::move(m_temporary);
        m_temporary.clear();
        for (auto& [h, object] : temporaries) {
            release(object);
            delete object;
        }
    }

    // The same for wrappers that keep their handle in one member of type H.
    template <class H> T* fromHandle(H h, H T::*member)
    {
        return fromHandle(h, [member](HANDLE handle) {
            T* object = new T;
            object->*member = static_cast<H>(handle);
            return object;
        });
    }
    template <class H> void deleteTemporaries(H T::*member)
    {
        deleteTemporaries([member](T* object) { object->*member = nullptr; });
    }
    // Makes object the permanent wrapper of h; FALSE for a null handle or when the object's
    // member already holds one.
    template <class H> BOOL attach(T* object, H T::*member, H h)
    {
        if (!h || object->*member)
            return FALSE;
        setPermanent(h, object);
        object->*member = h;
        return TRUE;
    }
    template <class H> H detach(T* object, H T::*member)
    {
        H h = std::exchange(object->*member, nullptr);
        if (h)
            removeHandle(h);
        return h;
    }

private:
    static T* find(const std::unordered_map<HANDLE, T*>& map, HANDLE h)
    {
        auto it = map.find(h);
        return it == map.end() ? nullptr : it->second;
    }

    std::unordered_map<HANDLE, T*> m_permanent;
    std::unordered_map<HANDLE, T*> m_temporary;
};

struct ThreadState {
    HandleMap<CWnd> windows;
    HandleMap<CDC> dcs;
    HandleMap<CGdiObject> gdiObjects;
    HandleMap<CMenu> menus;
    HandleMap<CImageList> imageLists;
    MSG lastSentMsg{};           // the message the innermost window procedure is processing
    CWnd* wndInit = nullptr;     // the window CreateEx is creating, attached by the CBT hook
    HHOOK createHook = nullptr;
    int tempMapLock = 0;
    CWinThread* currentThread = nullptr;
    int waitCursorCount = 0;
    HCURSOR cursorBeforeWait = nullptr;
    HWND toolTip = nullptr;      // the thread's tool tip for windows with EnableToolTips
    HWND toolOwner = nullptr;
    UINT_PTR toolId = 0;
    HWND toolWindow = nullptr;   // the window the current tool covers
};

ThreadState& threadState();

} // namespace qvmfc

namespace qvmfc {

void doWaitCursor(int code);

// Calls the handler of a window-message entry with the message cracked into its arguments.
LRESULT dispatchWindowMessage(CWnd* wnd, const AFX_MSGMAP_ENTRY* entry, WPARAM wParam, LPARAM lParam);

} // namespace qvmfc

namespace qvmfc {

// Changes the style (GWL_STYLE) or extended style (GWL_EXSTYLE); FALSE when nothing changed.
// Non-zero flags are passed to SetWindowPos, e.g. SWP_FRAMECHANGED.
BOOL modifyWindowLong(HWND hWnd, int index, DWORD remove, DWORD add, UINT flags);

} // namespace qvmfc

namespace qvmfc {

// The class of frames and views: redrawn on resize, double clicks, the window colour behind.
LPCTSTR frameOrViewClass(HICON icon = nullptr);

// POSITION values of this layer's lists are 1-based indexes.
inline POSITION positionOf(size_t index)
{
    return reinterpret_cast<POSITION>(index + 1);
}
inline size_t indexOf(POSITION position)
{
    return reinterpret_cast<size_t>(position) - 1;
}

} // namespace qvmfc

namespace qvmfc {

// Registers the comctl32 window classes of the ICC_ flags once per process.
void initCommonControls(DWORD classes);

// Creates a child control of a comctl32 class, registering the classes first.
BOOL createCommonControl(CWnd& control, DWORD classes, LPCTSTR className, DWORD dwExStyle, DWORD dwStyle,
                         const RECT& rect, CWnd* pParentWnd, UINT nID);

} // namespace qvmfc

namespace qvmfc {

// What happens to an exception a message handler let escape: it is logged to the debugger and
// deleted; WM_CREATE fails and WM_PAINT validates the window so that it is not sent again.
LRESULT defaultWndProcException(CException* e, const MSG* pMsg);

} // namespace qvmfc
