#include "wndstate.h"

using qvmfc::threadState;

IMPLEMENT_DYNCREATE(CMenu, CObject)

CMenu::~CMenu()
{
    DestroyMenu();
}

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    return Attach(::LoadMenu(AfxFindResourceHandle(lpszResourceName, RT_MENU), lpszResourceName));
}

BOOL CMenu::DestroyMenu()
{
    return m_hMenu ? ::DestroyMenu(Detach()) : FALSE;
}

CMenu* PASCAL CMenu::FromHandle(HMENU hMenu)
{
    return threadState().menus.fromHandle(hMenu, &CMenu::m_hMenu);
}

void PASCAL CMenu::DeleteTempMap()
{
    threadState().menus.deleteTemporaries(&CMenu::m_hMenu);
}

BOOL CMenu::Attach(HMENU hMenu)
{
    return threadState().menus.attach(this, &CMenu::m_hMenu, hMenu);
}

HMENU CMenu::Detach()
{
    return threadState().menus.detach(this, &CMenu::m_hMenu);
}

HMENU CMenu::GetSafeHmenu() const
{
    const CMenu* volatile self = this;
    return self ? m_hMenu : nullptr;
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    rString.Empty();
    const int length = ::GetMenuString(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (length <= 0)
        return 0;
    const int copied = ::GetMenuString(m_hMenu, nIDItem, rString.GetBufferSetLength(length), length + 1, nFlags);
    rString.ReleaseBuffer(copied);
    return copied;
}
