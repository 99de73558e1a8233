#pragma once

// The base of the MFC-compatible layer: run-time classes, CObject, the exception classes and the
// diagnostic macros; it also brings in CString, the CPoint/CSize/CRect value types and CFileFind as
// MFC does.
//
// Run-time class information is reached through a function (GetThisClass) rather than through the
// address of static data, so that a class in one DLL can name a base class exported by another and
// still be initialised before any constructor runs.

#include <windows.h>
#include <tchar.h>

#include "qv.mfc.h"

#ifndef AFXAPI
#define AFXAPI __stdcall
#endif
#ifndef AFX_CDECL
#define AFX_CDECL __cdecl
#endif

#define DEBUG_NEW new

// An opaque position in a collection; BEFORE_START_POSITION begins a map walk.
struct __POSITION {};
typedef __POSITION* POSITION;
#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(static_cast<INT_PTR>(-1)))

class CObject;
struct CRuntimeClass;

// Run-time class information, one constant object per class that uses DECLARE_DYNAMIC.
struct QV_MFC_API CRuntimeClass {
    LPCSTR m_lpszClassName;
    int m_nObjectSize;
    UINT m_wSchema;
    CObject*(PASCAL* m_pfnCreateObject)();
    CRuntimeClass*(PASCAL* m_pfnGetBaseClass)();

    // Null when the class was not declared with DECLARE_DYNCREATE or its constructor throws.
    CObject* CreateObject();
    BOOL IsDerivedFrom(const CRuntimeClass* pBaseClass) const;

    // Finds a class implemented with IMPLEMENT_DYNAMIC or IMPLEMENT_DYNCREATE in any loaded module.
    static CRuntimeClass* PASCAL FromName(LPCSTR lpszClassName);
    static CRuntimeClass* PASCAL FromName(LPCWSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCSTR lpszClassName);
    static CObject* PASCAL CreateObject(LPCWSTR lpszClassName);
};

// Registers a run-time class for CRuntimeClass::FromName for as long as its module is loaded.
struct QV_MFC_API AFX_CLASSINIT {
    explicit AFX_CLASSINIT(CRuntimeClass* pNewClass);
    ~AFX_CLASSINIT();
    AFX_CLASSINIT(const AFX_CLASSINIT&) = delete;
    AFX_CLASSINIT& operator=(const AFX_CLASSINIT&) = delete;

    CRuntimeClass* m_pClass;
    AFX_CLASSINIT* m_pNext;
};

#define RUNTIME_CLASS(class_name) (class_name::GetThisClass())

#define DECLARE_DYNAMIC(class_name)                                                                    \
protected:                                                                                             \
    static CRuntimeClass* PASCAL _GetBaseClass();                                                      \
                                                                                                       \
public:                                                                                                \
    static const CRuntimeClass class##class_name;                                                      \
    static CRuntimeClass* PASCAL GetThisClass();                                                       \
    virtual CRuntimeClass* GetRuntimeClass() const;

#define DECLARE_DYNCREATE(class_name)                                                                  \
    DECLARE_DYNAMIC(class_name)                                                                        \
    static CObject* PASCAL CreateObject();

#define IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, wSchema, pfnNew)                           \
    CRuntimeClass* PASCAL class_name::_GetBaseClass() { return RUNTIME_CLASS(base_class_name); }        \
    const CRuntimeClass class_name::class##class_name = {#class_name, sizeof(class_name), wSchema,      \
                                                         pfnNew, &class_name::_GetBaseClass};           \
    CRuntimeClass* PASCAL class_name::GetThisClass()                                                   \
    {                                                                                                  \
        return const_cast<CRuntimeClass*>(&class_name::class##class_name);                             \
    }                                                                                                  \
    CRuntimeClass* class_name::GetRuntimeClass() const { return class_name::GetThisClass(); }          \
    static AFX_CLASSINIT _init_##class_name(class_name::GetThisClass());

#define IMPLEMENT_DYNAMIC(class_name, base_class_name)                                                 \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, nullptr)

#define IMPLEMENT_DYNCREATE(class_name, base_class_name)                                               \
    CObject* PASCAL class_name::CreateObject() { return new class_name; }                              \
    IMPLEMENT_RUNTIMECLASS(class_name, base_class_name, 0xFFFF, &class_name::CreateObject)

// The root of the run-time class hierarchy. Objects are not copyable.
class QV_MFC_API CObject {
public:
    virtual ~CObject() = 0;
    CObject(const CObject&) = delete;
    CObject& operator=(const CObject&) = delete;

    static const CRuntimeClass classCObject;
    static CRuntimeClass* PASCAL GetThisClass();
    virtual CRuntimeClass* GetRuntimeClass() const;
    BOOL IsKindOf(const CRuntimeClass* pClass) const;

protected:
    CObject() = default;
    static CRuntimeClass* PASCAL _GetBaseClass();
};

QV_MFC_API CObject* AFXAPI AfxDynamicDownCast(CRuntimeClass* pClass, CObject* pObject);

#define DYNAMIC_DOWNCAST(class_name, object)                                                           \
    (static_cast<class_name*>(AfxDynamicDownCast(RUNTIME_CLASS(class_name), object)))
#define STATIC_DOWNCAST(class_name, object) (static_cast<class_name*>(object))

// Exceptions are thrown as pointers; the handler calls Delete():
//     catch (CException* e) { e->Delete(); }
class QV_MFC_API CException : public CObject {
    DECLARE_DYNAMIC(CException)
public:
    CException();
    explicit CException(BOOL bAutoDelete);
    ~CException() override = 0;

    // Deletes the object unless it was thrown from static storage.
    void Delete();
    virtual BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;

    BOOL m_bAutoDelete;
};

// An exception whose message is a fixed text.
class QV_MFC_API CSimpleException : public CException {
    DECLARE_DYNAMIC(CSimpleException)
public:
    CSimpleException();
    explicit CSimpleException(BOOL bAutoDelete);

    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

protected:
    CSimpleException(BOOL bAutoDelete, LPCTSTR lpszMessage);

private:
    LPCTSTR m_lpszMessage;
};

class QV_MFC_API CMemoryException : public CSimpleException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    CMemoryException();
    explicit CMemoryException(BOOL bAutoDelete);
};

class QV_MFC_API CNotSupportedException : public CSimpleException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    CNotSupportedException();
    explicit CNotSupportedException(BOOL bAutoDelete);
};

class QV_MFC_API CInvalidArgException : public CSimpleException {
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    CInvalidArgException();
    explicit CInvalidArgException(BOOL bAutoDelete);
};

class QV_MFC_API CResourceException : public CSimpleException {
    DECLARE_DYNAMIC(CResourceException)
public:
    CResourceException();
    explicit CResourceException(BOOL bAutoDelete);
};

[[noreturn]] QV_MFC_API void AFXAPI AfxThrowMemoryException();
[[noreturn]] QV_MFC_API void AFXAPI AfxThrowNotSupportedException();
[[noreturn]] QV_MFC_API void AFXAPI AfxThrowInvalidArgException();
[[noreturn]] QV_MFC_API void AFXAPI AfxThrowResourceException();

// The module whose resources LoadString and friends read; the executable unless set.
QV_MFC_API HINSTANCE AFXAPI AfxGetResourceHandle();
QV_MFC_API void AFXAPI AfxSetResourceHandle(HINSTANCE hInstResource);

// Writes formatted text to the debugger output channel.
QV_MFC_API void AFX_CDECL AfxTrace(LPCWSTR lpszFormat, ...);
QV_MFC_API void AFX_CDECL AfxTrace(LPCSTR lpszFormat, ...);
// Reports a failed ASSERT on the debugger channel and breaks into an attached debugger.
QV_MFC_API void AFXAPI AfxAssertFailedLine(LPCSTR lpszFileName, int nLine);

// Pointer checks for ASSERTs: a pointer is valid when it is not null.
inline BOOL AFXAPI AfxIsValidAddress(const void* p, [[maybe_unused]] UINT_PTR nBytes,
                                      [[maybe_unused]] BOOL bReadWrite = TRUE)
{
    return p != nullptr;
}
inline BOOL AFXAPI AfxIsValidString(LPCWSTR psz, [[maybe_unused]] int nLength = -1)
{
    return psz != nullptr;
}
inline BOOL AFXAPI AfxIsValidString(LPCSTR psz, [[maybe_unused]] int nLength = -1)
{
    return psz != nullptr;
}

// Diagnostics exist in _DEBUG builds only; release builds do not evaluate the arguments but still
// name them, so that a variable used only in an ASSERT does not warn.
#ifdef _DEBUG
#define ASSERT(f) ((void)((f) || (AfxAssertFailedLine(__FILE__, __LINE__), 0)))
#define VERIFY(f) ASSERT(f)
#define TRACE AfxTrace
#else
#define ASSERT(f) ((void)(false && (f)))
#define VERIFY(f) ((void)(f))
#define TRACE(...) ((void)(false && (AfxTrace(__VA_ARGS__), true)))
#endif
#define TRACE0(sz) TRACE(_T("%s"), _T(sz))
#define TRACE1(sz, p1) TRACE(_T(sz), p1)
#define TRACE2(sz, p1, p2) TRACE(_T(sz), p1, p2)
#define TRACE3(sz, p1, p2, p3) TRACE(_T(sz), p1, p2, p3)
#define ASSERT_VALID(pOb) ((void)(false && (pOb)))
#define ASSERT_KINDOF(class_name, object) ASSERT((object)->IsKindOf(RUNTIME_CLASS(class_name)))

#include "afxstr.h"
#include "atltypes.h"
