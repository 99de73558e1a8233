// Times one 800 x 600 line-graph window holding two layers in x order (a noisy random walk and a
// smooth wave) at 10^3 to 10^7 points: its frames (unchanged, after a 1-pixel pan, after a wheel
// notch's zoom), against the frame at 10^3 points and against the same frame drawing every
// point; then a hover's pick under the mouse, found on the CPU and by GL selection, against GL
// selection at 10^3 points.
//
// The frames are timed in rounds, each going through every size once, and a size is compared
// with the 10^3 frame of the same round: a shared machine slows everything down for seconds at
// a time (the labels as much as the data), which would otherwise land on one size only.

#include <qv.win/CameraGraph.h>
#include <qv.win/GraphWnd.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <functional>
#include <iterator>
#include <random>
#include <vector>

namespace {

using qv::gl::CameraGraph;
using qv::gl::GraphLayer;
using qv::gl::GraphWnd;

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kRounds = 5;
constexpr int kFramesPerRound = 5;
constexpr long kCounts[] = {1000, 10000, 100000, 1000000, 10000000};
constexpr std::size_t kCountCount = std::size(kCounts);
constexpr float kZoomStep = 1.01f; // a Shift wheel notch
constexpr long kMostEveryPoint = 1000000; // drawing every point beyond this takes seconds a frame
constexpr long kMostGLPick = 100000;      // GL selection beyond this takes a second a move
constexpr int kMoves = 40;
constexpr int kSnapSize = 20;

// Exposes both searches of the hover; picks and draws points as GraphWnd itself does.
class PickGraph : public GraphWnd {
public:
    PickGraph() : GraphWnd(false) {}
    using GraphWnd::pickOnCPU;
    using GraphWnd::pickWithGL;
    bool isDefaultPick() const override { return true; }
    bool isDefaultPointDrawing() const override { return true; }
};

double now()
{
    LARGE_INTEGER frequency, counter;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&counter);
    return double(counter.QuadPart) / double(frequency.QuadPart);
}

// The fastest of frames timings of action, in seconds: on a shared machine the others
// measure the neighbours.
double fastest(const std::function<void()>& action, int frames)
{
    double best = 1e30;
    for (int i = 0; i < frames; ++i) {
        const double start = now();
        action();
        best = std::min(best, now() - start);
    }
    return best;
}

void fill(GraphWnd& wnd, long count)
{
    wnd.removeAllLayer();
    auto* walk = new GraphLayer("walk", {0.8f, 0.1f, 0.1f, 1});
    auto* wave = new GraphLayer("wave", {0.1f, 0.3f, 0.9f, 1});
    std::mt19937 random(1);
    std::normal_distribution<float> noise(0, 1);
    float y = 0;
    for (long i = 0; i < count / 2; ++i) {
        const float x = static_cast<float>(i) / static_cast<float>(count / 2);
        y += noise(random);
        walk->addItem({x, y * 0.02f + noise(random)}, 0);
        wave->addItem({x, 10 + 5 * std::sin(x * 40)}, 0);
    }
    wnd.addLayer(walk);
    wnd.addLayer(wave);
    wnd.recalcRange(false);
}

struct Frames {
    double steady = 0; // nothing changed since the last frame
    double panned = 0; // the view moved by a pixel
    double zoomed = 0; // the view zoomed by a wheel notch
    double every = 0;  // every point drawn
};

// The frames of the layers in the window; every point only when asked, as it takes seconds.
Frames measure(GraphWnd& wnd, long count, bool every)
{
    const auto frame = [&] { wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW); };
    Frames frames;
    frame();
    frames.steady = fastest(frame, kFramesPerRound);
    int direction = 1;
    frames.panned = fastest(
        [&] {
            wnd.getGraphCamera()->pan(direction, 0, false);
            direction = -direction;
            frame();
        },
        kFramesPerRound);
    float step = kZoomStep;
    frames.zoomed = fastest(
        [&] {
            CameraGraph* camera = wnd.getGraphCamera();
            camera->zoom(camera->zoomFactor() * step, false);
            step = 1 / step;
            frame();
        },
        kFramesPerRound);
    if (every && count <= kMostEveryPoint) {
        wnd.setDrawEveryPoint(true);
        frames.every = fastest(frame, count < kMostEveryPoint ? kFramesPerRound : 1);
        wnd.setDrawEveryPoint(false);
    }
    return frames;
}

constexpr GraphWnd::EViewType kTypes[] = {GraphWnd::Line, GraphWnd::LineAndPoint};
constexpr std::size_t kTypeCount = std::size(kTypes);

// One per round.
using Series = std::vector<Frames>;
using SeriesByCount = std::array<Series, kCountCount>;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The fastest of the rounds' frames, and the median of their ratios to the 10^3 frame of the
// same round.
struct Row {
    double ms = 1e30;
    double ratio = 0;
};

Row row(const Series& rounds, const Series& baseline, double Frames::*frame)
{
    Row result;
    std::vector<double> ratios;
    for (std::size_t i = 0; i < rounds.size(); ++i) {
        result.ms = std::min(result.ms, rounds[i].*frame * 1e3);
        ratios.push_back(rounds[i].*frame / baseline[i].steady);
    }
    result.ratio = median(ratios);
    return result;
}

void printFrames(const SeriesByCount& rounds, const char* title)
{
    std::printf("%s\n  %-9s %10s %8s %10s %8s %10s %8s %12s %9s\n", title, "points", "frame ms", "x 10^3",
                "panned ms", "x 10^3", "zoomed ms", "x 10^3", "every pt ms", "speed-up");
    for (std::size_t c = 0; c < kCountCount; ++c) {
        std::printf("  %-9ld", kCounts[c]);
        for (double Frames::*frame : {&Frames::steady, &Frames::panned, &Frames::zoomed}) {
            const Row result = row(rounds[c], rounds[0], frame);
            std::printf(" %10.2f %8.2f", result.ms, result.ratio);
        }
        const Frames& first = rounds[c].front();
        if (first.every > 0)
            std::printf(" %12.2f %9.1f\n", first.every * 1e3, first.every / first.panned);
        else
            std::printf(" %12s %9s\n", "-", "-");
    }
}

void benchFrames(GraphWnd& wnd)
{
    std::array<SeriesByCount, kTypeCount> rounds;
    for (int round = 0; round < kRounds; ++round)
        for (std::size_t c = 0; c < kCountCount; ++c) {
            fill(wnd, kCounts[c]);
            for (std::size_t t = 0; t < kTypeCount; ++t) {
                wnd.setViewType(kTypes[t]);
                rounds[t][c].push_back(measure(wnd, kCounts[c], round == 0));
            }
        }
    std::printf("Frames, best of %d rounds (x 10^3: the median over the rounds of the frame against the round's "
                "frame at 10^3 points; speed-up: every point against the panned frame)\n",
                kRounds);
    printFrames(rounds[0], "Lines");
    printFrames(rounds[1], "Lines and points");
}

// Cursor positions spread over the plot, the same for every run.
std::vector<CPoint> cursors(const CRect& plot)
{
    std::mt19937 random(3);
    std::uniform_int_distribution<int> x(plot.left, plot.right - 1), y(plot.top, plot.bottom - 1);
    std::vector<CPoint> points;
    for (int i = 0; i < kMoves; ++i)
        points.emplace_back(x(random), y(random));
    return points;
}

// The mean time of one search over the cursors.
double perMove(const std::vector<CPoint>& points, const std::function<void(CPoint)>& search)
{
    return fastest(
               [&] {
                   for (const CPoint point : points)
                       search(point);
               },
               3)
         / static_cast<double>(points.size());
}

void benchPicks(PickGraph& wnd)
{
    wnd.setViewType(GraphWnd::Line);
    std::printf("Hover picks, %d-pixel square (x GL 10^3: against GL selection at 10^3 points; a move: the "
                "CPU search, the snap and the repaint)\n  %-9s %10s %10s %10s %10s %10s %10s\n",
                kSnapSize, "points", "CPU us", "x GL 10^3", "GL us", "x GL 10^3", "hits", "move ms");
    double baseline = 0;
    std::vector<GraphWnd::Hit> hits;
    for (const long count : {1000L, 10000L, 100000L, 1000000L}) {
        fill(wnd, count);
        wnd.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        const std::vector<CPoint> points = cursors(wnd.getGraphRect());
        long found = 0;
        // A pick that overflows the selection buffer finds nothing.
        const double cpu = perMove(points, [&](CPoint point) {
            found += std::max(0, wnd.pickOnCPU(point, kSnapSize, hits));
        });
        const double gl = count <= kMostGLPick
                            ? perMove(points, [&](CPoint point) { wnd.pickWithGL(point, kSnapSize, hits); })
                            : 0;
        if (count == 1000)
            baseline = gl;
        const double move = perMove(points, [&](CPoint point) {
            wnd.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
        });
        std::printf("  %-9ld %10.1f %10.3f", count, cpu * 1e6, cpu / baseline);
        if (gl > 0)
            std::printf(" %10.1f %10.2f", gl * 1e6, gl / baseline);
        else
            std::printf(" %10s %10s", "-", "-");
        std::printf(" %10.1f %10.2f\n", static_cast<double>(found) / (3.0 * kMoves), move * 1e3);
    }
}

} // namespace

int main()
{
    LPCTSTR className = AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW),
                                            static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    CWnd parent;
    if (!parent.CreateEx(0, className, L"Graph bench", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, kWidth + 20,
                         kHeight + 20, nullptr, nullptr))
        return 1;
    PickGraph wnd;
    if (!wnd.Create(WS_CHILD | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), &parent, 1))
        return 1;
    benchFrames(wnd);
    benchPicks(wnd);
    return 0;
}
