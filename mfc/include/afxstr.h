#pragma once

// CStringT: MFC's string class for UTF-16 (CStringW, CString) and 8-bit text (CStringA). Text of the
// other character width converts through the ANSI code page. Searches, comparisons and trimming work
// on the text up to its first NUL, as the C runtime functions MFC builds on do.

#include "afx.h"

#include <algorithm>
#include <cstdarg>
#include <cwchar>
#include <cwctype>
#include <cctype>
#include <compare>
#include <cstring>
#include <string>

// Character operations CStringT needs, one specialisation per character width.
template <typename BaseType>
struct ChTraitsCRT;

template <>
struct ChTraitsCRT<wchar_t> {
    using XCHAR = wchar_t;
    using YCHAR = char;

    static int StringLength(const wchar_t* psz) { return psz != nullptr ? int(wcslen(psz)) : 0; }
    static bool IsSpace(wchar_t ch) { return iswspace(ch) != 0; }
    static int StringCompare(const wchar_t* a, const wchar_t* b) { return wcscmp(a, b); }
    static int StringCompareIgnore(const wchar_t* a, const wchar_t* b) { return _wcsicmp(a, b); }
    static int StringCollate(const wchar_t* a, const wchar_t* b) { return wcscoll(a, b); }
    static int StringCollateIgnore(const wchar_t* a, const wchar_t* b) { return _wcsicoll(a, b); }
    static int StringSpanIncluding(const wchar_t* psz, const wchar_t* set) { return int(wcsspn(psz, set)); }
    static int StringSpanExcluding(const wchar_t* psz, const wchar_t* set) { return int(wcscspn(psz, set)); }
    static void StringLowercase(wchar_t* psz, int n) { ::CharLowerBuffW(psz, DWORD(n)); }
    static void StringUppercase(wchar_t* psz, int n) { ::CharUpperBuffW(psz, DWORD(n)); }
    // Formatting follows the Microsoft C runtime: %s takes a wide string, %S and %hs a narrow one.
    static int GetFormattedLength(const wchar_t* fmt, va_list args) { return _vscwprintf(fmt, args); }
    static int Format(wchar_t* buffer, size_t count, const wchar_t* fmt, va_list args)
    {
        return _vsnwprintf(buffer, count, fmt, args);
    }
    static std::wstring Convert(const char* psz, int length, UINT codePage)
    {
        std::wstring text;
        if (length <= 0)
            return text;
        text.resize(size_t(::MultiByteToWideChar(codePage, 0, psz, length, nullptr, 0)));
        ::MultiByteToWideChar(codePage, 0, psz, length, text.data(), int(text.size()));
        return text;
    }
};

template <>
struct ChTraitsCRT<char> {
    using XCHAR = char;
    using YCHAR = wchar_t;

    static int StringLength(const char* psz) { return psz != nullptr ? int(strlen(psz)) : 0; }
    static bool IsSpace(char ch) { return isspace(static_cast<unsigned char>(ch)) != 0; }
    static int StringCompare(const char* a, const char* b) { return strcmp(a, b); }
    static int StringCompareIgnore(const char* a, const char* b) { return _stricmp(a, b); }
    static int StringCollate(const char* a, const char* b) { return strcoll(a, b); }
    static int StringCollateIgnore(const char* a, const char* b) { return _stricoll(a, b); }
    static int StringSpanIncluding(const char* psz, const char* set) { return int(strspn(psz, set)); }
    static int StringSpanExcluding(const char* psz, const char* set) { return int(strcspn(psz, set)); }
    static void StringLowercase(char* psz, int n) { ::CharLowerBuffA(psz, DWORD(n)); }
    static void StringUppercase(char* psz, int n) { ::CharUpperBuffA(psz, DWORD(n)); }
    static int GetFormattedLength(const char* fmt, va_list args) { return _vscprintf(fmt, args); }
    static int Format(char* buffer, size_t count, const char* fmt, va_list args)
    {
        return _vsnprintf(buffer, count, fmt, args);
    }
    static std::string Convert(const wchar_t* psz, int length, UINT codePage)
    {
        std::string text;
        if (length <= 0)
            return text;
        text.resize(size_t(::WideCharToMultiByte(codePage, 0, psz, length, nullptr, 0, nullptr, nullptr)));
        ::WideCharToMultiByte(codePage, 0, psz, length, text.data(), int(text.size()), nullptr, nullptr);
        return text;
    }
};

template <typename BaseType>
class CStringT {
public:
    using XCHAR = BaseType;
    using PXSTR = XCHAR*;
    using PCXSTR = const XCHAR*;
    using YCHAR = typename ChTraitsCRT<BaseType>::YCHAR;
    using PYSTR = YCHAR*;
    using PCYSTR = const YCHAR*;

    // Construction. A pointer made with MAKEINTRESOURCE loads that string resource.
    CStringT() = default;
    CStringT(PCXSTR psz)
    {
        if (!CheckImplicitLoad(psz))
            m_text = Make(psz, Traits::StringLength(psz));
    }
    CStringT(PCYSTR psz)
    {
        if (!CheckImplicitLoad(psz))
            m_text = Make(psz, YTraits::StringLength(psz));
    }
    CStringT(const unsigned char* psz) : CStringT(reinterpret_cast<const char*>(psz)) {}
    CStringT(PCXSTR pch, int nLength) : m_text(Make(pch, nLength)) {}
    CStringT(PCYSTR pch, int nLength) : m_text(Make(pch, nLength)) {}
    explicit CStringT(const CStringT<YCHAR>& str) : m_text(Make(str.GetString(), str.GetLength())) {}
    explicit CStringT(XCHAR ch, int nRepeat = 1) : m_text(size_t((std::max)(nRepeat, 0)), ch) {}
    explicit CStringT(YCHAR ch, int nRepeat = 1)
    {
        const String one = Make(&ch, 1);
        for (int i = 0; i < nRepeat; ++i)
            m_text += one;
    }

    CStringT& operator=(PCXSTR psz) { return *this = CStringT(psz); }
    CStringT& operator=(PCYSTR psz) { return *this = CStringT(psz); }
    CStringT& operator=(const unsigned char* psz) { return *this = CStringT(psz); }
    CStringT& operator=(XCHAR ch) { return *this = CStringT(ch); }
    CStringT& operator=(YCHAR ch) { return *this = CStringT(ch); }

    // Attributes
    static int StringLength(PCXSTR psz) { return Traits::StringLength(psz); }
    int GetLength() const { return int(m_text.size()); }
    int GetAllocLength() const { return int(m_text.capacity()); }
    bool IsEmpty() const { return m_text.empty(); }
    void Empty() { m_text.clear(); }
    PCXSTR GetString() const { return m_text.c_str(); }
    operator PCXSTR() const { return m_text.c_str(); }

    // The terminating NUL at GetLength() may be read; other indexes throw CInvalidArgException.
    XCHAR GetAt(int iChar) const
    {
        if (iChar < 0 || iChar > GetLength())
            AfxThrowInvalidArgException();
        return m_text.c_str()[iChar];
    }
    XCHAR operator[](int iChar) const { return GetAt(iChar); }
    void SetAt(int iChar, XCHAR ch)
    {
        if (iChar < 0 || iChar >= GetLength())
            AfxThrowInvalidArgException();
        m_text[size_t(iChar)] = ch;
    }

    // Buffer access: write at most the requested length plus a NUL, then call ReleaseBuffer.
    PXSTR GetBuffer() { return m_text.data(); }
    PXSTR GetBuffer(int nMinBufferLength)
    {
        if (nMinBufferLength > GetLength())
            m_text.resize(size_t(nMinBufferLength));
        return m_text.data();
    }
    PXSTR GetBufferSetLength(int nLength)
    {
        m_text.resize(size_t((std::max)(nLength, 0)));
        return m_text.data();
    }
    // A negative length means up to the first NUL.
    void ReleaseBuffer(int nNewLength = -1)
    {
        if (nNewLength < 0)
            nNewLength = Traits::StringLength(m_text.c_str());
        m_text.resize(size_t(nNewLength));
    }
    void ReleaseBufferSetLength(int nNewLength) { ReleaseBuffer((std::max)(nNewLength, 0)); }
    void Preallocate(int nLength) { m_text.reserve(size_t((std::max)(nLength, 0))); }
    void FreeExtra() { m_text.shrink_to_fit(); }
    void Truncate(int nNewLength)
    {
        if (nNewLength < 0 || nNewLength > GetLength())
            AfxThrowInvalidArgException();
        m_text.resize(size_t(nNewLength));
    }

    // Assembly
    void SetString(PCXSTR psz) { m_text = Make(psz, Traits::StringLength(psz)); }
    void SetString(PCXSTR psz, int nLength) { m_text = Make(psz, nLength); }
    void Append(PCXSTR psz) { m_text += Make(psz, Traits::StringLength(psz)); }
    void Append(PCXSTR psz, int nLength) { m_text += Make(psz, nLength); }
    void Append(const CStringT& str) { m_text += str.m_text; }
    void AppendChar(XCHAR ch) { m_text += ch; }

    CStringT& operator+=(const CStringT& str) { return Append(str), *this; }
    CStringT& operator+=(PCXSTR psz) { return Append(psz), *this; }
    CStringT& operator+=(PCYSTR psz) { return Append(CStringT(psz)), *this; }
    CStringT& operator+=(XCHAR ch) { return AppendChar(ch), *this; }
    CStringT& operator+=(YCHAR ch) { return Append(CStringT(ch)), *this; }

    // Formatting with the C runtime's printf rules; the result has no length limit. The arguments may
    // point into this string.
    void AFX_CDECL Format(PCXSTR pszFormat, ...)
    {
        va_list args;
        va_start(args, pszFormat);
        FormatV(pszFormat, args);
        va_end(args);
    }
    void AFX_CDECL Format(UINT nFormatID, ...)
    {
        const CStringT format = LoadFormat(nFormatID);
        va_list args;
        va_start(args, nFormatID);
        FormatV(format, args);
        va_end(args);
    }
    void AFX_CDECL AppendFormat(PCXSTR pszFormat, ...)
    {
        va_list args;
        va_start(args, pszFormat);
        AppendFormatV(pszFormat, args);
        va_end(args);
    }
    void AFX_CDECL AppendFormat(UINT nFormatID, ...)
    {
        const CStringT format = LoadFormat(nFormatID);
        va_list args;
        va_start(args, nFormatID);
        AppendFormatV(format, args);
        va_end(args);
    }
    void FormatV(PCXSTR pszFormat, va_list args) { m_text = Formatted(pszFormat, args); }
    void AppendFormatV(PCXSTR pszFormat, va_list args) { m_text += Formatted(pszFormat, args); }

    // Loads a string resource from the given module, or from AfxGetResourceHandle().
    BOOL LoadString(UINT nID) { return LoadString(AfxGetResourceHandle(), nID); }
    BOOL LoadString(HINSTANCE hInstance, UINT nID)
    {
        const wchar_t* image = nullptr;
        const int length = ::LoadStringW(hInstance, nID, reinterpret_cast<LPWSTR>(&image), 0);
        if (length <= 0)
            return FALSE;
        m_text = Make(image, length);
        return TRUE;
    }

    // Comparison: the sign of the C runtime's comparison.
    int Compare(PCXSTR psz) const { return Traits::StringCompare(GetString(), Safe(psz)); }
    int CompareNoCase(PCXSTR psz) const { return Traits::StringCompareIgnore(GetString(), Safe(psz)); }
    int Collate(PCXSTR psz) const { return Traits::StringCollate(GetString(), Safe(psz)); }
    int CollateNoCase(PCXSTR psz) const { return Traits::StringCollateIgnore(GetString(), Safe(psz)); }

    // Searching: the index found, or -1.
    int Find(XCHAR ch, int iStart = 0) const
    {
        if (iStart < 0 || iStart >= GetLength())
            return -1;
        return Index(m_text.find(ch, size_t(iStart)));
    }
    int Find(PCXSTR pszSub, int iStart = 0) const
    {
        if (pszSub == nullptr || iStart < 0 || iStart > GetLength())
            return -1;
        return Index(m_text.find(pszSub, size_t(iStart)));
    }
    int ReverseFind(XCHAR ch) const { return Index(m_text.rfind(ch)); }
    int FindOneOf(PCXSTR pszCharSet) const { return Index(m_text.find_first_of(Safe(pszCharSet))); }

    // Extraction: counts and positions are clamped to the string.
    CStringT Mid(int iFirst) const { return Mid(iFirst, GetLength() - (std::max)(iFirst, 0)); }
    CStringT Mid(int iFirst, int nCount) const
    {
        iFirst = std::clamp(iFirst, 0, GetLength());
        nCount = std::clamp(nCount, 0, GetLength() - iFirst);
        return CStringT(GetString() + iFirst, nCount);
    }
    CStringT Left(int nCount) const { return Mid(0, nCount); }
    CStringT Right(int nCount) const
    {
        nCount = std::clamp(nCount, 0, GetLength());
        return Mid(GetLength() - nCount, nCount);
    }
    CStringT SpanIncluding(PCXSTR pszCharSet) const
    {
        return Left(Traits::StringSpanIncluding(GetString(), Safe(pszCharSet)));
    }
    CStringT SpanExcluding(PCXSTR pszCharSet) const
    {
        return Left(Traits::StringSpanExcluding(GetString(), Safe(pszCharSet)));
    }
    // Returns the next token at or after iStart and moves iStart past its delimiter; at the end it
    // returns an empty string and sets iStart to -1. Without delimiters it returns the rest of the
    // string and leaves iStart alone.
    CStringT Tokenize(PCXSTR pszTokens, int& iStart) const
    {
        if (iStart < 0)
            AfxThrowInvalidArgException();
        if (pszTokens == nullptr || *pszTokens == 0) {
            if (iStart < GetLength())
                return Mid(iStart);
        } else if (iStart < GetLength()) {
            const PCXSTR place = GetString() + iStart;
            const int skipped = Traits::StringSpanIncluding(place, pszTokens);
            if (iStart + skipped < GetLength()) {
                const int from = iStart + skipped;
                const int count = Traits::StringSpanExcluding(place + skipped, pszTokens);
                iStart = from + count + 1;
                return Mid(from, count);
            }
        }
        iStart = -1;
        return CStringT();
    }

    // Modification
    CStringT& MakeLower() { return Traits::StringLowercase(m_text.data(), GetLength()), *this; }
    CStringT& MakeUpper() { return Traits::StringUppercase(m_text.data(), GetLength()), *this; }
    CStringT& MakeReverse() { return std::reverse(m_text.begin(), m_text.end()), *this; }

    CStringT& Trim() { return TrimRight().TrimLeft(); }
    CStringT& Trim(XCHAR chTarget) { return TrimRight(chTarget).TrimLeft(chTarget); }
    CStringT& Trim(PCXSTR pszTargets) { return TrimRight(pszTargets).TrimLeft(pszTargets); }
    CStringT& TrimLeft() { return TrimLeftWhile([](XCHAR ch) { return Traits::IsSpace(ch); }); }
    CStringT& TrimLeft(XCHAR chTarget) { return TrimLeftWhile([=](XCHAR ch) { return ch == chTarget; }); }
    CStringT& TrimLeft(PCXSTR pszTargets) { return TrimLeftWhile(InSet(pszTargets)); }
    CStringT& TrimRight() { return TrimRightWhile([](XCHAR ch) { return Traits::IsSpace(ch); }); }
    CStringT& TrimRight(XCHAR chTarget) { return TrimRightWhile([=](XCHAR ch) { return ch == chTarget; }); }
    CStringT& TrimRight(PCXSTR pszTargets) { return TrimRightWhile(InSet(pszTargets)); }

    // Each returns the number of characters replaced or removed.
    int Replace(XCHAR chOld, XCHAR chNew)
    {
        int count = 0;
        for (XCHAR& ch : m_text) {
            if (ch == chOld) {
                ch = chNew;
                ++count;
            }
        }
        return count;
    }
    int Replace(PCXSTR pszOld, PCXSTR pszNew)
    {
        const int oldLength = Traits::StringLength(pszOld);
        if (oldLength == 0)
            return 0;
        const String replacement = Make(pszNew, Traits::StringLength(pszNew));
        int count = 0;
        for (size_t at = m_text.find(pszOld); at != String::npos; at = m_text.find(pszOld, at)) {
            m_text.replace(at, size_t(oldLength), replacement);
            at += replacement.size();
            ++count;
        }
        return count;
    }
    int Remove(XCHAR chRemove)
    {
        const auto end = std::remove(m_text.begin(), m_text.end(), chRemove);
        const int count = int(m_text.end() - end);
        m_text.erase(end, m_text.end());
        return count;
    }

    // Each returns the new length; the index is clamped to the string.
    int Insert(int iIndex, XCHAR ch) { return Insert(iIndex, CStringT(ch)); }
    int Insert(int iIndex, PCXSTR psz)
    {
        m_text.insert(size_t(std::clamp(iIndex, 0, GetLength())), Make(psz, Traits::StringLength(psz)));
        return GetLength();
    }
    int Delete(int iIndex, int nCount = 1)
    {
        iIndex = (std::max)(iIndex, 0);
        if (iIndex < GetLength() && nCount > 0)
            m_text.erase(size_t(iIndex), size_t((std::min)(nCount, GetLength() - iIndex)));
        return GetLength();
    }

    friend CStringT operator+(const CStringT& str1, const CStringT& str2) { return Concat(str1, str2); }
    friend CStringT operator+(const CStringT& str1, PCXSTR psz2) { return Concat(str1, psz2); }
    friend CStringT operator+(PCXSTR psz1, const CStringT& str2) { return Concat(psz1, str2); }
    friend CStringT operator+(const CStringT& str1, XCHAR ch2) { return Concat(str1, CStringT(ch2)); }
    friend CStringT operator+(XCHAR ch1, const CStringT& str2) { return Concat(CStringT(ch1), str2); }
    friend CStringT operator+(const CStringT& str1, YCHAR ch2) { return Concat(str1, CStringT(ch2)); }
    friend CStringT operator+(YCHAR ch1, const CStringT& str2) { return Concat(CStringT(ch1), str2); }

    // Comparison operators; != and the reversed forms follow from these.
    friend bool operator==(const CStringT& str1, const CStringT& str2) { return str1.Compare(str2) == 0; }
    friend bool operator==(const CStringT& str1, PCXSTR psz2) { return str1.Compare(psz2) == 0; }
    friend bool operator==(const CStringT& str1, PCYSTR psz2) { return str1 == CStringT(psz2); }
    friend std::strong_ordering operator<=>(const CStringT& str1, const CStringT& str2)
    {
        return str1.Compare(str2) <=> 0;
    }
    friend std::strong_ordering operator<=>(const CStringT& str1, PCXSTR psz2) { return str1.Compare(psz2) <=> 0; }

    // Implementation
private:
    using Traits = ChTraitsCRT<XCHAR>;
    using YTraits = ChTraitsCRT<YCHAR>;
    using String = std::basic_string<XCHAR>;

    static PCXSTR Safe(PCXSTR psz)
    {
        static const XCHAR empty = 0;
        return psz != nullptr ? psz : &empty;
    }
    static int Index(size_t position) { return position == String::npos ? -1 : int(position); }
    static String Make(PCXSTR pch, int nLength)
    {
        return pch != nullptr && nLength > 0 ? String(pch, size_t(nLength)) : String();
    }
    static String Make(PCYSTR pch, int nLength) { return Traits::Convert(pch, nLength, CP_ACP); }
    static CStringT Concat(const CStringT& str1, const CStringT& str2)
    {
        CStringT result;
        result.m_text.reserve(str1.m_text.size() + str2.m_text.size());
        result.m_text.append(str1.m_text).append(str2.m_text);
        return result;
    }

    template <typename Char>
    bool CheckImplicitLoad(const Char* psz)
    {
        if (psz == nullptr || !IS_INTRESOURCE(psz))
            return false;
        LoadString(LOWORD(reinterpret_cast<ULONG_PTR>(psz)));
        return true;
    }
    static CStringT LoadFormat(UINT nFormatID)
    {
        CStringT format;
        if (!format.LoadString(nFormatID))
            AfxThrowInvalidArgException();
        return format;
    }
    static String Formatted(PCXSTR pszFormat, va_list args)
    {
        if (pszFormat == nullptr)
            AfxThrowInvalidArgException();
        va_list counting;
        va_copy(counting, args);
        const int length = Traits::GetFormattedLength(pszFormat, counting);
        va_end(counting);
        String text;
        if (length > 0) {
            text.resize(size_t(length));
            Traits::Format(text.data(), size_t(length) + 1, pszFormat, args);
        }
        return text;
    }

    auto InSet(PCXSTR pszTargets) const
    {
        const PCXSTR set = Safe(pszTargets);
        return [set](XCHAR ch) { return ch != 0 && String::traits_type::find(set, Traits::StringLength(set), ch); };
    }
    template <typename Predicate>
    CStringT& TrimLeftWhile(Predicate matches)
    {
        m_text.erase(m_text.begin(), std::find_if_not(m_text.begin(), m_text.end(), matches));
        return *this;
    }
    template <typename Predicate>
    CStringT& TrimRightWhile(Predicate matches)
    {
        m_text.erase(std::find_if_not(m_text.rbegin(), m_text.rend(), matches).base(), m_text.end());
        return *this;
    }

    String m_text;
};

using CStringW = CStringT<wchar_t>;
using CStringA = CStringT<char>;
using CString = CStringT<TCHAR>;

// afx.h's CFileFind needs CString: afx.h ends by including this header, which includes afx.h.
#include "afxfind_.h"
