#pragma once

#include <windows.h>

#include <cwchar>
#include <vector>

namespace qvtest {

// A dialog template built in memory for CreateDialogIndirect: no menu, the dialog class, no
// title; items added one by one with a class name, no title and no creation data.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short cx, short cy)
    {
        dword(style);
        dword(0);
        m_words.insert(m_words.end(), {0, 0, 0, WORD(cx), WORD(cy), 0, 0, 0});
    }

    void item(DWORD style, short x, short y, short cx, short cy, UINT id, const wchar_t* className)
    {
        if (m_words.size() % 2 != 0)
            m_words.push_back(0); // items start on a DWORD boundary
        dword(style);
        dword(0);
        m_words.insert(m_words.end(), {WORD(x), WORD(y), WORD(cx), WORD(cy), WORD(id)});
        m_words.insert(m_words.end(), className, className + std::wcslen(className) + 1);
        m_words.insert(m_words.end(), {0, 0});
        ++m_words[kItemCount];
    }

    LPCDLGTEMPLATE get() const { return reinterpret_cast<LPCDLGTEMPLATE>(m_words.data()); }

private:
    static constexpr size_t kItemCount = 4; // the word after style and extended style

    void dword(DWORD value) { m_words.insert(m_words.end(), {LOWORD(value), HIWORD(value)}); }

    std::vector<WORD> m_words;
};

} // namespace qvtest
