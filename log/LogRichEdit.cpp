#include <qv.win/LogRichEdit.h>

#include <qv.win/RichEditCtrl.h>

#include "LogLines.h"

#include <bit>

namespace qv {

namespace {

const wchar_t kWindowClass[] = L"qv.LogRichEdit";
const UINT kAppendQueued = WM_APP;
const COLORREF kErrorColor = RGB(192, 0, 0);
const COLORREF kWarningColor = RGB(192, 96, 0);
const COLORREF kDebugColor = RGB(128, 128, 128);

// The slot of a single-bit level: error 0, warning 1, info 2, debug 3; -1 for anything else.
int slotOf(LogLevel level)
{
    const unsigned bits = level;
    if (std::popcount(bits) != 1 || bits > LogDebug)
        return -1;
    return std::countr_zero(bits);
}

HWND createMessageWindow(WNDPROC proc, void* owner)
{
    WNDCLASS windowClass{};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = ::GetModuleHandle(nullptr);
    windowClass.lpszClassName = kWindowClass;
    ::RegisterClass(&windowClass);
    const HWND window = ::CreateWindowEx(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                         ::GetModuleHandle(nullptr), nullptr);
    ::SetWindowLongPtr(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return window;
}

} // namespace

LogRichEdit::LogRichEdit(gui::RichEditCtrl& pane, LogLevel level)
    : Logger(level),
      m_pane(pane),
      m_styles{{kErrorColor, true}, {kWarningColor, false}, {::GetSysColor(COLOR_WINDOWTEXT), false},
               {kDebugColor, false}},
      m_window(createMessageWindow(&LogRichEdit::_windowProc, this))
{
}

LogRichEdit::~LogRichEdit()
{
    ::DestroyWindow(m_window);
}

void LogRichEdit::setStyle(LogLevel level, COLORREF color, bool bold)
{
    const int slot = slotOf(level);
    if (slot < 0)
        return;
    std::lock_guard lock(mutex());
    m_styles[slot] = Style{color, bold};
}

// Only the pane's thread touches the pane, so the logger's mutex guards no more than the
// styles: appending without it lets a handler of the pane's notifications log in turn.
void LogRichEdit::onWriteMessage(const Message& message)
{
    std::vector<Line> lines;
    {
        std::lock_guard lock(mutex());
        const Style style = _styleOf(message.level);
        detail::emitLogLines(*this, message, "", [&](const std::wstring& text) { lines.push_back({text, style}); });
    }
    if (!_onPaneThread()) {
        _queue(std::move(lines));
        return;
    }
    // Lines of other threads that came first stay first.
    _appendQueued();
    for (const Line& line : lines)
        _append(line);
}

LogRichEdit::Style LogRichEdit::_styleOf(LogLevel level) const
{
    const int slot = slotOf(level);
    return m_styles[slot < 0 ? slotOf(LogInfo) : slot];
}

bool LogRichEdit::_onPaneThread() const
{
    return ::GetWindowThreadProcessId(m_window, nullptr) == ::GetCurrentThreadId();
}

// A pane whose window is gone is not asked anything: its wrappers require a window.
void LogRichEdit::_append(const Line& line)
{
    if (!::IsWindow(m_pane.GetSafeHwnd()))
        return;
    if (!line.style.bold)
        _endBold();
    m_pane.appendString(line.text.c_str(), line.style.color, line.style.bold);
}

// A coloured append keeps the bold in force at the end of the pane: end it first.
void LogRichEdit::_endBold()
{
    const long end = m_pane.GetTextLength();
    m_pane.SetSel(end, end);
    CHARFORMAT format{};
    format.dwMask = CFM_BOLD;
    m_pane.SetSelectionCharFormat(format);
}

void LogRichEdit::_queue(std::vector<Line> lines)
{
    std::lock_guard lock(m_queueMutex);
    const bool wasEmpty = m_queue.empty();
    m_queue.insert(m_queue.end(), std::make_move_iterator(lines.begin()), std::make_move_iterator(lines.end()));
    if (wasEmpty)
        ::PostMessage(m_window, kAppendQueued, 0, 0);
}

void LogRichEdit::_appendQueued()
{
    std::vector<Line> lines;
    {
        std::lock_guard lock(m_queueMutex);
        lines.swap(m_queue);
    }
    for (const Line& line : lines)
        _append(line);
}

LRESULT CALLBACK LogRichEdit::_windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* sink = reinterpret_cast<LogRichEdit*>(::GetWindowLongPtr(hwnd, GWLP_USERDATA));
    if (message != kAppendQueued || sink == nullptr)
        return ::DefWindowProc(hwnd, message, wParam, lParam);
    sink->_appendQueued();
    return 0;
}

} // namespace qv
