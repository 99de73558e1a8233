// An image control in virtual mode, its parent drawing every picture and caption it is asked for:
// paints, hit tests, scrolls and key moves at the end of 10^6 items against the same at 10^2 items,
// and Shift+End over 10^6 items against Shift+End over 10^3 items, per item.

#include <qv.win/ImageCtrl.h>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

using qv::gui::ImageCtrl;

constexpr int kClientWidth = 800;
constexpr int kClientHeight = 600;
constexpr int kRounds = 7;
constexpr int kManyRounds = 51;
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

// The fastest of several rounds, each running the action `times` times, per run; prepare runs
// untimed before each round.
double timeBest(int times, const std::function<void()>& action, const std::function<void()>& prepare = {},
                int rounds = kRounds)
{
    double best = 1e30;
    for (int round = 0; round < rounds; ++round) {
        if (prepare)
            prepare();
        LARGE_INTEGER from, to;
        ::QueryPerformanceCounter(&from);
        for (int i = 0; i < times; ++i)
            action();
        ::GdiFlush();
        ::QueryPerformanceCounter(&to);
        best = std::min(best, seconds(from, to) / times);
    }
    return best;
}

void pump()
{
    MSG msg;
    while (::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessage(&msg);
    }
}

// The parent: a picture fill and a two-line caption for every item the control asks for.
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
        caption->caption.Format(L"Frame %I64d\nsecond line", caption->item);
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
    return ::CreateWindowEx(0, windowClass.lpszClassName, L"bench", WS_POPUP | WS_VISIBLE, 0, 0, kClientWidth + 40,
                            kClientHeight + 40, nullptr, nullptr, windowClass.hInstance, nullptr);
}

// The control showing the end of `count` items, painted once.
void showEnd(ImageCtrl& ctrl, __int64 count)
{
    ctrl.setVirtualMode(count);
    ctrl.setCurSel(count - 1);
    ctrl.populate(TRUE);
    pump();
}

struct Costs {
    double paint;
    double hitTest;
    double scroll;
    double keyMove;
};

Costs measureAtEnd(ImageCtrl& ctrl, __int64 count)
{
    showEnd(ctrl, count);
    Costs costs{};
    costs.paint = timeBest(50, [&] { ctrl.populate(TRUE); });
    int probe = 0;
    __int64 hits = 0;
    costs.hitTest = timeBest(20000, [&] {
        hits += ctrl.hitTest(CPoint(probe * 37 % kClientWidth, probe * 53 % kClientHeight));
        ++probe;
    });
    bool down = true;
    costs.scroll = timeBest(200, [&] {
        ctrl.SendMessage(WM_VSCROLL, down ? SB_LINEUP : SB_LINEDOWN);
        down = !down;
    });
    costs.keyMove = timeBest(200, [&] {
        ctrl.SendMessage(WM_KEYDOWN, down ? VK_UP : VK_DOWN);
        down = !down;
    });
    std::printf("  (%lld items: %lld hits summed)\n", static_cast<long long>(count), static_cast<long long>(hits));
    return costs;
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

// Shift+End from item 0 with the end already in view, so that no scroll adds its fixed cost, per
// item selected.
double shiftEndPerItem(ImageCtrl& ctrl, __int64 count, int rounds)
{
    ctrl.setVirtualMode(count);
    holdShift(true);
    const double perPress = timeBest(
        1, [&] { ctrl.SendMessage(WM_KEYDOWN, VK_END); },
        [&] {
            ctrl.setCurSel(0);
            ctrl.scrollItem(count - 1);
            pump();
        },
        rounds);
    holdShift(false);
    return perPress / double(count);
}

// A click's new selection after a selection of every item, per item cleared.
double clearPerItem(ImageCtrl& ctrl, __int64 count, int rounds)
{
    ctrl.setVirtualMode(count);
    const double perClear = timeBest(
        1, [&] { ctrl.setCurSel(count - 1); }, [&] { ctrl.selectItems(0, count - 1, TRUE, TRUE, FALSE); }, rounds);
    return perClear / double(count);
}

// Appending to the list type that holds the selection, per item: the floor under Shift+End.
double listAppendPerItem(__int64 count, int rounds)
{
    ImageCtrl::SelectedList list;
    const double perFill = timeBest(
        1,
        [&] {
            for (__int64 i = 0; i < count; ++i)
                list.AddTail(i);
        },
        [&] { list.RemoveAll(); }, rounds);
    return perFill / double(count);
}

void report(const char* what, double time, double baseline, const char* unit = "us", double scale = 1e6)
{
    std::printf("  %-44s %10.3f %s   ratio %6.2f\n", what, time * scale, unit, time / baseline);
}

} // namespace

int main()
{
    HWND parent = createParent();
    ImageCtrl ctrl;
    ctrl.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, kClientWidth, kClientHeight), CWnd::FromHandle(parent), 1);
    pump();

    const Costs few = measureAtEnd(ctrl, kFew);
    const Costs many = measureAtEnd(ctrl, kMillion);
    std::printf("%d x %d client at the end of the items, best of %d rounds:\n", kClientWidth, kClientHeight,
                kRounds);
    report("paint, 10^2 items (baseline)", few.paint, few.paint);
    report("paint, 10^6 items", many.paint, few.paint);
    report("hit test, 10^2 items (baseline)", few.hitTest, few.hitTest);
    report("hit test, 10^6 items", many.hitTest, few.hitTest);
    report("line scroll, 10^2 items (baseline)", few.scroll, few.scroll);
    report("line scroll, 10^6 items", many.scroll, few.scroll);
    report("key move, 10^2 items (baseline)", few.keyMove, few.keyMove);
    report("key move, 10^6 items", many.keyMove, few.keyMove);

    const double thousand = shiftEndPerItem(ctrl, kThousand, kManyRounds);
    const double million = shiftEndPerItem(ctrl, kMillion, kRounds);
    std::printf("Shift+End from item 0 with the end in view, per item selected:\n");
    report("over 10^3 items (baseline)", thousand, thousand, "ns", 1e9);
    report("over 10^6 items", million, thousand, "ns", 1e9);
    const double clearThousand = clearPerItem(ctrl, kThousand, kManyRounds);
    const double clearMillion = clearPerItem(ctrl, kMillion, kRounds);
    std::printf("One item selected after all were, per item cleared:\n");
    report("10^3 items (baseline)", clearThousand, clearThousand, "ns", 1e9);
    report("10^6 items", clearMillion, clearThousand, "ns", 1e9);
    const double listThousand = listAppendPerItem(kThousand, kManyRounds);
    const double listMillion = listAppendPerItem(kMillion, kRounds);
    std::printf("The selected list's AddTail alone, per item:\n");
    report("10^3 items (baseline)", listThousand, listThousand, "ns", 1e9);
    report("10^6 items", listMillion, listThousand, "ns", 1e9);

    ctrl.DestroyWindow();
    ::DestroyWindow(parent);
    return 0;
}
