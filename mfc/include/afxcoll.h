#pragma once

// MFC's non-template collections: arrays and lists of the common element types, each with its own
// run-time class. They are the corresponding CArray and CList.

#include "afxtempl.h"

class QV_MFC_API CByteArray : public CArray<BYTE, BYTE> {
    DECLARE_DYNAMIC(CByteArray)
};

class QV_MFC_API CWordArray : public CArray<WORD, WORD> {
    DECLARE_DYNAMIC(CWordArray)
};

class QV_MFC_API CDWordArray : public CArray<DWORD, DWORD> {
    DECLARE_DYNAMIC(CDWordArray)
};

class QV_MFC_API CUIntArray : public CArray<UINT, UINT> {
    DECLARE_DYNAMIC(CUIntArray)
};

class QV_MFC_API CPtrArray : public CArray<void*, void*> {
    DECLARE_DYNAMIC(CPtrArray)
};

class QV_MFC_API CObArray : public CArray<CObject*, CObject*> {
    DECLARE_DYNAMIC(CObArray)
};

class QV_MFC_API CStringArray : public CArray<CString, const CString&> {
    DECLARE_DYNAMIC(CStringArray)
};

class QV_MFC_API CPtrList : public CList<void*, void*> {
    DECLARE_DYNAMIC(CPtrList)
public:
    using CList::CList;
};

class QV_MFC_API CObList : public CList<CObject*, CObject*> {
    DECLARE_DYNAMIC(CObList)
public:
    using CList::CList;
};

class QV_MFC_API CStringList : public CList<CString, const CString&> {
    DECLARE_DYNAMIC(CStringList)
public:
    using CList::CList;
};
