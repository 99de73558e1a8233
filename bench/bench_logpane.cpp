// Appends 10^3 and then 10^4 coloured lines, one by one, to a visible log pane and prints the
// time per line of each run: appending must not grow with the length of the log.

#include <qv.win/RichEditCtrl.h>

#include <cstdio>

namespace {

constexpr int kShortRun = 1000;
constexpr int kLongRun = 10000;

double seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// Clears the pane, appends lines and handles the resulting messages; the time per line.
double appendLines(qv::gui::RichEditCtrl& pane, int lines)
{
    pane.clearAll();
    LARGE_INTEGER from, to;
    ::QueryPerformanceCounter(&from);
    for (int line = 0; line < lines; ++line) {
        wchar_t text[64];
        std::swprintf(text, 64, L"12:00:00.00|INFO |00042|line %d of the log\n", line);
        pane.appendString(text, line % 2 != 0 ? RGB(192, 0, 0) : RGB(0, 0, 0), line % 10 == 0);
    }
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessage(&msg);
    ::QueryPerformanceCounter(&to);
    return seconds(from, to) / lines;
}

} // namespace

int main()
{
    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), L"log pane", WS_POPUP, CRect(0, 0, 600, 400), nullptr, 0);
    qv::gui::RichEditCtrl pane;
    pane.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY,
                CRect(0, 0, 600, 400), &host, 1);
    host.ShowWindow(SW_SHOWNA);

    const double shortRun = appendLines(pane, kShortRun);
    const double longRun = appendLines(pane, kLongRun);
    std::printf("Log pane appends, per line:\n");
    std::printf("  %6d lines (baseline) %8.1f us\n", kShortRun, shortRun * 1e6);
    std::printf("  %6d lines            %8.1f us   ratio %5.2f\n", kLongRun, longRun * 1e6, longRun / shortRun);
    return 0;
}
