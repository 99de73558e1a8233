#include "afx.h"

#include <cstring>

namespace {

// Classes registered by IMPLEMENT_DYNAMIC and IMPLEMENT_DYNCREATE, most recent first. Modules register
// while they load, which the loader serialises.
AFX_CLASSINIT* g_pFirstClassInit = nullptr;

HINSTANCE g_hInstResource = nullptr;

} // namespace

AFX_CLASSINIT::AFX_CLASSINIT(CRuntimeClass* pNewClass) : m_pClass(pNewClass), m_pNext(g_pFirstClassInit)
{
    g_pFirstClassInit = this;
}

AFX_CLASSINIT::~AFX_CLASSINIT()
{
    for (AFX_CLASSINIT** link = &g_pFirstClassInit; *link != nullptr; link = &(*link)->m_pNext) {
        if (*link == this) {
            *link = m_pNext;
            return;
        }
    }
}

CObject* CRuntimeClass::CreateObject()
{
    if (m_pfnCreateObject == nullptr)
        return nullptr;
    try {
        return m_pfnCreateObject();
    } catch (CException* e) {
        e->Delete();
        return nullptr;
    }
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* pBaseClass) const
{
    for (const CRuntimeClass* pClass = this; pClass != nullptr; pClass = pClass->m_pfnGetBaseClass()) {
        if (pClass == pBaseClass)
            return TRUE;
    }
    return FALSE;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCSTR lpszClassName)
{
    if (lpszClassName == nullptr)
        return nullptr;
    for (const AFX_CLASSINIT* pInit = g_pFirstClassInit; pInit != nullptr; pInit = pInit->m_pNext) {
        if (std::strcmp(pInit->m_pClass->m_lpszClassName, lpszClassName) == 0)
            return pInit->m_pClass;
    }
    return nullptr;
}

CRuntimeClass* PASCAL CRuntimeClass::FromName(LPCWSTR lpszClassName)
{
    return lpszClassName == nullptr ? nullptr : FromName(CStringA(lpszClassName));
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass == nullptr ? nullptr : pClass->CreateObject();
}

CObject* PASCAL CRuntimeClass::CreateObject(LPCWSTR lpszClassName)
{
    CRuntimeClass* pClass = FromName(lpszClassName);
    return pClass == nullptr ? nullptr : pClass->CreateObject();
}

const CRuntimeClass CObject::classCObject = {"CObject", sizeof(CObject), 0xFFFF, nullptr,
                                             &CObject::_GetBaseClass};
static AFX_CLASSINIT _init_CObject(CObject::GetThisClass());

CObject::~CObject() = default;

CRuntimeClass* PASCAL CObject::GetThisClass()
{
    return const_cast<CRuntimeClass*>(&classCObject);
}

CRuntimeClass* PASCAL CObject::_GetBaseClass()
{
    return nullptr;
}

CRuntimeClass* CObject::GetRuntimeClass() const
{
    return GetThisClass();
}

BOOL CObject::IsKindOf(const CRuntimeClass* pClass) const
{
    return GetRuntimeClass()->IsDerivedFrom(pClass);
}

CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject)
{
    return pObject != nullptr && pObject->IsKindOf(pClass) ? pObject : nullptr;
}

HINSTANCE AFXAPI AfxGetResourceHandle()
{
    return g_hInstResource != nullptr ? g_hInstResource : ::GetModuleHandleW(nullptr);
}

void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource)
{
    g_hInstResource = hInstResource;
}

namespace {

template <typename Char>
void TraceV(const Char* lpszFormat, va_list args)
{
    CStringT<Char> text;
    text.FormatV(lpszFormat, args);
    ::OutputDebugStringW(CStringW(text));
}

} // namespace

void AFX_CDECL AfxTrace(LPCWSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    TraceV(lpszFormat, args);
    va_end(args);
}

void AFX_CDECL AfxTrace(LPCSTR lpszFormat, ...)
{
    va_list args;
    va_start(args, lpszFormat);
    TraceV(lpszFormat, args);
    va_end(args);
}

void AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine)
{
    AfxTrace("%s(%d): ASSERT failed\n", lpszFileName, nLine);
    if (::IsDebuggerPresent())
        ::DebugBreak();
}
