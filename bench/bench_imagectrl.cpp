// Two image controls in virtual mode, their parent drawing every picture and caption it is asked
// for: paints, hit tests, scrolls and key moves at the end of 10^6 items against the same at 10^2
// items, and Shift+End and clearing over 10^6 items against 10^3 items, per item. The two cases of
// each line are timed in alternating rounds, so that the machine's load weighs on both alike.

#include <qv.win/ImageCtrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

using qv::gui::ImageCtrl;

constexpr int kClientWidth = 620;
constexpr int kClientHeight = 480;
constexpr int kRounds = 9;
constexpr int kManyRounds = 21;
constexpr __int64 kFew = 100;
constexpr __int64 kThousand = 1000;
constexpr __int64 kMillion = 1000000;
constexpr COLORREF kPicture = RGB(40, 120, 200);

double seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

void pump()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

// One case of a comparison: what is timed, and what is done untimed before each round.
struct Case {
    std::function<void()> action;
    std::function<void()> prepare;
};

struct Times {
    double baseline;
    double measured;
};

double timeRound(int times, const Case& c)
{
    if (c.prepare)
        c.prepare();
    LARGE_INTEGER from, to;
    ::QueryPerformanceCounter(&from);
    for (int i = 0; i < times; ++i)
        c.action();
    ::GdiFlush();
    ::QueryPerformanceCounter(&to);
    return seconds(from, to) / times;
}

// The fastest round of each case, per run of its action.
Times timeBoth(int times, const Case& baseline, const Case& measured, int rounds = kRounds)
{
    Times best{1e30, 1e30};
    for (int round = 0; round < rounds; ++round) {
        best.baseline = std::min(best.baseline, timeRound(times, baseline));
        best.measured = std::min(best.measured, timeRound(times, measured));
    }
    return best;
}

// The parent: a picture fill and a two-line caption for every item a control asks for.
LRESULT CALLBACK parentProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_NOTIFY)
        return ::DefWindowProc(hwnd, message, wParam, lParam);
    auto* header = reinterpret_cast<NMHDR*>(lParam);
    if (header->code == qv::gui::ICN_DRAWITEM) {
        auto* draw = reinterpret_cast<qv::gui::NMIMAGEDRAW*>(header);
        draw->dc->FillSolidRect(&draw->rect, kPicture);
    } else if (header->code == qv::gui::ICN_GETCAPTION) {
        auto* caption = reinterpret_cast<qv::gui::NMIMAGECAPTION*>(header);
        caption->caption.Format(L"Frame %lld\nsecond line", caption->item);
    }
    return 0;
}

HWND createParent()
{
    WNDCLASS windowClass{};
    windowClass.lpfnWndProc = parentProc;
    windowClass.hInstance = ::GetModuleHandle(nullptr);
    windowClass.lpszClassName = L"ImageCtrlBenchParent";
    ::RegisterClass(&windowClass);
    return ::CreateWindowEx(0, windowClass.lpszClassName, L"bench", WS_POPUP | WS_VISIBLE, 0, 0, kClientWidth,
                            2 * kClientHeight, nullptr, nullptr, windowClass.hInstance, nullptr);
}

// Shows the end of `count` items, painted once.
void showEnd(ImageCtrl& ctrl, __int64 count)
{
    ctrl.setVirtualMode(count);
    ctrl.setCurSel(count - 1);
    ctrl.populate(TRUE);
    pump();
}

Case paint(ImageCtrl& ctrl)
{
    return {[&ctrl] { ctrl.populate(TRUE); }, {}};
}

Case hitTests(ImageCtrl& ctrl)
{
    return {[&ctrl, probe = 0]() mutable {
                ctrl.hitTest(CPoint(probe * 37 % kClientWidth, probe * 53 % kClientHeight));
                ++probe;
            },
            {}};
}

// Alternately one way and back, an even number of times per round.
Case backAndForth(ImageCtrl& ctrl, UINT message, WPARAM one, WPARAM other)
{
    return {[&ctrl, message, one, other, forth = true]() mutable {
                ctrl.SendMessage(message, forth ? one : other);
                forth = !forth;
            },
            {}};
}

void holdShift(bool down)
{
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = VK_SHIFT;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    ::SendInput(1, &input, sizeof input);
    pump();
}

// Shift+End from item 0 with the end already in view, so that no scroll adds its fixed cost.
Case shiftEnd(ImageCtrl& ctrl, __int64 count)
{
    return {[&ctrl] { ctrl.SendMessage(WM_KEYDOWN, VK_END); },
            [&ctrl, count] {
                ctrl.setVirtualMode(count);
                ctrl.setCurSel(0);
                ctrl.scrollItem(count - 1);
                pump();
            }};
}

// A click's new selection after a selection of every item.
Case clearAll(ImageCtrl& ctrl, __int64 count)
{
    return {[&ctrl, count] { ctrl.setCurSel(count - 1); },
            [&ctrl, count] { ctrl.selectItems(0, count - 1, TRUE, TRUE, FALSE); }};
}

// Appending to the list type that holds the selection: the floor under Shift+End.
Case listAppend(ImageCtrl::SelectedList& list, __int64 count)
{
    return {[&list, count] {
                for (__int64 i = 0; i < count; ++i)
                    list.AddTail(i);
            },
            [&list] { list.RemoveAll(); }};
}

// Per run, or per item when the cases' item counts are given.
void report(const char* what, const Times& times, double baselineItems = 1, double measuredItems = 1)
{
    const bool perItem = baselineItems > 1;
    const char* unit = perItem ? "ns" : "us";
    const double scale = perItem ? 1e9 : 1e6;
    const double baseline = times.baseline / baselineItems;
    const double measured = times.measured / measuredItems;
    std::printf("  %-40s %10.3f %s %10.3f %s   ratio %5.2f\n", what, baseline * scale, unit, measured * scale, unit,
                measured / baseline);
}

} // namespace

int main()
{
    HWND parent = createParent();
    ImageCtrl few;
    ImageCtrl many;
    const DWORD style = WS_CHILD | WS_VISIBLE;
    few.Create(style, CRect(0, 0, kClientWidth, kClientHeight), CWnd::FromHandle(parent), 1);
    many.Create(style, CRect(0, kClientHeight, kClientWidth, 2 * kClientHeight), CWnd::FromHandle(parent), 2);
    showEnd(few, kFew);
    showEnd(many, kMillion);

    std::printf("%d x %d client at the end of 10^2 items (baseline) and of 10^6 items, best of %d rounds:\n",
                kClientWidth, kClientHeight, kRounds);
    report("paint", timeBoth(20, paint(few), paint(many)));
    report("hit test", timeBoth(20000, hitTests(few), hitTests(many)));
    report("line scroll", timeBoth(100, backAndForth(few, WM_VSCROLL, SB_LINEUP, SB_LINEDOWN),
                                   backAndForth(many, WM_VSCROLL, SB_LINEUP, SB_LINEDOWN)));
    report("key move", timeBoth(100, backAndForth(few, WM_KEYDOWN, VK_UP, VK_DOWN),
                                backAndForth(many, WM_KEYDOWN, VK_UP, VK_DOWN)));

    std::printf("Over 10^3 items (baseline) and over 10^6 items, per item:\n");
    holdShift(true);
    report("Shift+End from item 0, the end in view",
           timeBoth(1, shiftEnd(few, kThousand), shiftEnd(many, kMillion), kManyRounds), kThousand, kMillion);
    holdShift(false);
    report("one item selected after all were",
           timeBoth(1, clearAll(few, kThousand), clearAll(many, kMillion), kManyRounds), kThousand, kMillion);
    ImageCtrl::SelectedList fewList;
    ImageCtrl::SelectedList manyList;
    report("the selected list's AddTail alone",
           timeBoth(1, listAppend(fewList, kThousand), listAppend(manyList, kMillion), kManyRounds), kThousand,
           kMillion);

    few.DestroyWindow();
    many.DestroyWindow();
    ::DestroyWindow(parent);
    return 0;
}
