#pragma once

// ATL's string conversion classes. Each converts its argument when constructed and keeps the result
// until it goes out of scope, so use it within one expression or name it:
//     CW2A utf8(text, CP_UTF8);  fputs(utf8, file);
// A null argument gives a null pointer.

#include "afxstr.h"

#include <string>
#include <type_traits>

template <typename Source, typename Target>
class CConvertStringT {
public:
    CConvertStringT(const Source* psz, UINT nCodePage = CP_ACP)
        : m_text(Convert(psz, nCodePage)), m_psz(psz != nullptr ? m_text.data() : nullptr)
    {
    }
    CConvertStringT(const CConvertStringT&) = delete;
    CConvertStringT& operator=(const CConvertStringT&) = delete;

    operator Target*() const noexcept { return m_psz; }

    // Implementation
private:
    static std::basic_string<Target> Convert(const Source* psz, UINT nCodePage)
    {
        if constexpr (std::is_same_v<Source, Target>)
            return psz != nullptr ? std::basic_string<Target>(psz) : std::basic_string<Target>();
        else
            return ChTraitsCRT<Target>::Convert(psz, ChTraitsCRT<Source>::StringLength(psz), nCodePage);
    }

    std::basic_string<Target> m_text;
    Target* m_psz;
};

using CW2A = CConvertStringT<wchar_t, char>;
using CA2W = CConvertStringT<char, wchar_t>;
using CW2W = CConvertStringT<wchar_t, wchar_t>;
using CA2A = CConvertStringT<char, char>;
template <int t_nBufferLength = 128>
using CW2AEX = CW2A;
template <int t_nBufferLength = 128>
using CA2WEX = CA2W;

using CT2A = CConvertStringT<TCHAR, char>;
using CT2CA = CT2A;
using CA2T = CConvertStringT<char, TCHAR>;
using CA2CT = CA2T;
using CW2T = CConvertStringT<wchar_t, TCHAR>;
using CW2CT = CW2T;
using CT2W = CConvertStringT<TCHAR, wchar_t>;
using CT2CW = CT2W;

// The conversion classes need no per-function state.
#define USES_CONVERSION ((void)0)
