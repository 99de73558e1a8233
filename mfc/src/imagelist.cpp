#include "wndstate.h"

using qvmfc::threadState;

IMPLEMENT_DYNCREATE(CImageList, CObject)

CImageList::~CImageList()
{
    DeleteImageList();
}

BOOL CImageList::Create(int cx, int cy, UINT nFlags, int nInitial, int nGrow)
{
    qvmfc::initCommonControls(ICC_WIN95_CLASSES);
    return attachNew(ImageList_Create(cx, cy, nFlags, nInitial, nGrow));
}

BOOL CImageList::Create(UINT nBitmapID, int cx, int nGrow, COLORREF crMask)
{
    return Create(MAKEINTRESOURCE(nBitmapID), cx, nGrow, crMask);
}

BOOL CImageList::Create(LPCTSTR lpszBitmapID, int cx, int nGrow, COLORREF crMask)
{
    qvmfc::initCommonControls(ICC_WIN95_CLASSES);
    HINSTANCE instance = AfxFindResourceHandle(lpszBitmapID, RT_BITMAP);
    return attachNew(ImageList_LoadBitmap(instance, lpszBitmapID, cx, nGrow, crMask));
}

BOOL CImageList::Create(CImageList* pImageList)
{
    return pImageList ? attachNew(ImageList_Duplicate(pImageList->m_hImageList)) : FALSE;
}

BOOL CImageList::DeleteImageList()
{
    return m_hImageList ? ImageList_Destroy(Detach()) : FALSE;
}

BOOL CImageList::attachNew(HIMAGELIST hImageList)
{
    if (Attach(hImageList))
        return TRUE;
    if (hImageList)
        ImageList_Destroy(hImageList);
    return FALSE;
}

// Handle map

CImageList* PASCAL CImageList::FromHandle(HIMAGELIST hImageList)
{
    return threadState().imageLists.fromHandle(hImageList, &CImageList::m_hImageList);
}

CImageList* PASCAL CImageList::FromHandlePermanent(HIMAGELIST hImageList)
{
    return threadState().imageLists.lookupPermanent(hImageList);
}

void PASCAL CImageList::DeleteTempMap()
{
    threadState().imageLists.deleteTemporaries(&CImageList::m_hImageList);
}

BOOL CImageList::Attach(HIMAGELIST hImageList)
{
    return threadState().imageLists.attach(this, &CImageList::m_hImageList, hImageList);
}

HIMAGELIST CImageList::Detach()
{
    return threadState().imageLists.detach(this, &CImageList::m_hImageList);
}

HIMAGELIST CImageList::GetSafeHandle() const
{
    const CImageList* volatile self = this;
    return self ? m_hImageList : nullptr;
}
