#include "afx.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CSimpleException, CException)
IMPLEMENT_DYNAMIC(CMemoryException, CSimpleException)
IMPLEMENT_DYNAMIC(CNotSupportedException, CSimpleException)
IMPLEMENT_DYNAMIC(CInvalidArgException, CSimpleException)
IMPLEMENT_DYNAMIC(CResourceException, CSimpleException)

namespace {

const wchar_t kMemoryMessage[] = L"Out of memory.";
const wchar_t kNotSupportedMessage[] = L"An unsupported operation was attempted.";
const wchar_t kInvalidArgMessage[] = L"Encountered an improper argument.";
const wchar_t kResourceMessage[] = L"A required resource was unavailable.";

} // namespace

CException::CException() : m_bAutoDelete(TRUE) {}

CException::CException(BOOL bAutoDelete) : m_bAutoDelete(bAutoDelete) {}

CException::~CException() = default;

void CException::Delete()
{
    if (m_bAutoDelete > 0)
        delete this;
}

BOOL CException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError != nullptr && nMaxError != 0)
        *lpszError = L'\0';
    return FALSE;
}

CSimpleException::CSimpleException() : CSimpleException(TRUE, L"") {}

CSimpleException::CSimpleException(BOOL bAutoDelete) : CSimpleException(bAutoDelete, L"") {}

CSimpleException::CSimpleException(BOOL bAutoDelete, LPCTSTR lpszMessage)
    : CException(bAutoDelete), m_lpszMessage(lpszMessage)
{
}

// Copies the message, cut to fit the buffer.
BOOL CSimpleException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext != nullptr)
        *pnHelpContext = 0;
    if (lpszError == nullptr || nMaxError == 0)
        return FALSE;
    const size_t length = std::min<size_t>(wcslen(m_lpszMessage), nMaxError - 1);
    std::copy_n(m_lpszMessage, length, lpszError);
    lpszError[length] = L'\0';
    return TRUE;
}

CMemoryException::CMemoryException() : CSimpleException(TRUE, kMemoryMessage) {}

CMemoryException::CMemoryException(BOOL bAutoDelete) : CSimpleException(bAutoDelete, kMemoryMessage) {}

CNotSupportedException::CNotSupportedException() : CSimpleException(TRUE, kNotSupportedMessage) {}

CNotSupportedException::CNotSupportedException(BOOL bAutoDelete)
    : CSimpleException(bAutoDelete, kNotSupportedMessage)
{
}

CInvalidArgException::CInvalidArgException() : CSimpleException(TRUE, kInvalidArgMessage) {}

CInvalidArgException::CInvalidArgException(BOOL bAutoDelete)
    : CSimpleException(bAutoDelete, kInvalidArgMessage)
{
}

CResourceException::CResourceException() : CSimpleException(TRUE, kResourceMessage) {}

CResourceException::CResourceException(BOOL bAutoDelete) : CSimpleException(bAutoDelete, kResourceMessage) {}

// Memory is short when this is thrown, so the object lives in static storage and Delete() keeps it.
void AFXAPI AfxThrowMemoryException()
{
    static CMemoryException s_exception(FALSE);
    throw &s_exception;
}

void AFXAPI AfxThrowNotSupportedException()
{
    throw new CNotSupportedException;
}

void AFXAPI AfxThrowInvalidArgException()
{
    throw new CInvalidArgException;
}

void AFXAPI AfxThrowResourceException()
{
    throw new CResourceException;
}
