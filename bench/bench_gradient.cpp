// Paints a 4000-pixel gradient bar and a plain solid fill of the same area into a memory surface
// and prints how much longer the gradient takes; then an animated progress bar, normal and
// narrower than its borders, which must cost the same.

#include <qv.win/Gradient.h>
#include <qv.win/Progress.h>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace {

constexpr int kBarWidth = 4000;
constexpr int kBarHeight = 20;
constexpr int kPaintsPerRound = 500;
constexpr int kRounds = 7;

double seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return double(to.QuadPart - from.QuadPart) / double(frequency.QuadPart);
}

// The fastest of several rounds, each painting kPaintsPerRound times, per paint.
double timePaint(const std::function<void()>& paint)
{
    double best = 1e30;
    for (int round = 0; round < kRounds; ++round) {
        LARGE_INTEGER from, to;
        ::QueryPerformanceCounter(&from);
        for (int i = 0; i < kPaintsPerRound; ++i)
            paint();
        ::GdiFlush();
        ::QueryPerformanceCounter(&to);
        best = std::min(best, seconds(from, to) / kPaintsPerRound);
    }
    return best;
}

void report(const char* what, double time, double baseline)
{
    std::printf("  %-40s %8.1f us   ratio %6.1f\n", what, time * 1e6, time / baseline);
}

} // namespace

int main()
{
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kBarWidth;
    info.bmiHeader.biHeight = -kBarHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    CDC dc;
    dc.CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc.GetSafeHdc(), bitmap);

    const CRect bar(0, 0, kBarWidth, kBarHeight);
    qv::gui::Gradient twoColours;
    twoColours.SetGradientColors(RGB(0, 0, 0), RGB(255, 255, 255));
    qv::gui::Gradient fourColours;
    fourColours.SetGradientColorsX(4, RGB(255, 0, 0), RGB(0, 255, 0), RGB(0, 0, 255), RGB(255, 255, 0));

    const double solid = timePaint([&] { dc.FillSolidRect(bar, RGB(10, 20, 30)); });
    const double gradient2 = timePaint([&] { twoColours.DrawLinearGradient(&dc, bar, 0, -1, 0); });
    const double runs2 = timePaint([&] {
        qv::gui::GradElementArray runs;
        twoColours.CalcShiftedGradient(runs, 0, kBarWidth, 0, kBarWidth, qv::gui::Gradient::kNoColorLimit);
    });
    const double gradient4 = timePaint([&] { fourColours.DrawLinearGradient(&dc, bar, 0, -1, 1234); });

    std::printf("%d x %d bar, best of %d rounds of %d paints, per paint:\n", kBarWidth, kBarHeight, kRounds,
                kPaintsPerRound);
    report("FillSolidRect (baseline)", solid, solid);
    report("DrawLinearGradient, 2 colours", gradient2, solid);
    report("  of which computing its 255 runs", runs2, solid);
    report("DrawLinearGradient, 4 colours, shifted", gradient4, solid);

    qv::gui::Progress normal;
    qv::gui::Progress narrow;
    narrow.SetBorders(CRect(6, 0, 6, 0));
    for (qv::gui::Progress* progress : {&normal, &narrow}) {
        progress->SetPos(100);
        progress->Animate(60);
    }
    const double normalDraw = timePaint([&] { normal.Draw(&dc, CRect(0, 0, 200, kBarHeight)); });
    const double narrowDraw = timePaint([&] { narrow.Draw(&dc, CRect(0, 0, 10, kBarHeight)); });
    std::printf("Animated progress bar, per paint:\n");
    report("200 px wide (baseline)", normalDraw, normalDraw);
    report("10 px wide, 12 px of borders", narrowDraw, normalDraw);

    ::SelectObject(dc.GetSafeHdc(), old);
    ::DeleteObject(bitmap);
    return 0;
}
