#include "GraphPage.h"

#include "Tour.h"

#include <qv.win/CameraGraph.h>

#include <algorithm>
#include <cmath>

namespace demo {

namespace {

using color = qv::gl::GraphLayer::color;

constexpr UINT_PTR kStreamTimer = 1;
constexpr UINT kStreamMs = 100;
constexpr int kSamplesPerTick = 100;     // per channel: 1000 points a second each
constexpr int kFirstSamples = 6000;
constexpr int kMostSamples = 100000;     // then the stream stops growing
constexpr float kSecondsPerSample = 0.001f;
constexpr DWORD kTourWaitMs = 2000;

struct Channel {
    const char* name;
    color colour;
};
const Channel kChannels[] = {
    {"Pressure", {0.85f, 0.2f, 0.15f, 1}},
    {"Temperature", {0.1f, 0.45f, 0.85f, 1}},
    {"Flow", {0.15f, 0.6f, 0.25f, 1}},
};

} // namespace

BEGIN_MESSAGE_MAP(GraphPage, qv::gl::GraphWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()

GraphPage::GraphPage() : GraphWnd(false), random(5), noise(0, 1)
{
    setHeader("Test bench channels (time in s)");
    setEnablePick(true);
    showOriginAxis(true);
    setPointSize(2);
    for (const Channel& channel : kChannels)
        addLayer(new qv::gl::GraphLayer(channel.name, channel.colour));
    _stream(kFirstSamples);
}

bool GraphPage::create(CWnd* parent, UINT id)
{
    if (!Create(WS_CHILD, CRect(0, 0, 1, 1), parent, id, nullptr))
        return false;
    recalcRange(false);
    return true;
}

void GraphPage::activate(bool active)
{
    streaming = active;
    if (active)
        SetTimer(kStreamTimer, kStreamMs, nullptr);
    else
        KillTimer(kStreamTimer);
}

// Selects a point with a click, then hovers it until its tip shows.
void GraphPage::tour(Tour& tour)
{
    activate(false);
    recalcRange(true);
    tour.pump(100);
    const CPoint point = _visiblePoint();
    tour.click(this, point);
    const auto snappedSelected = [this] {
        return isSnapped() && getLayer(getSnapLayer())->getItem(getSnapItem()).getSelected();
    };
    tour.check(tour.waitFor(snappedSelected, kTourWaitMs), L"selecting a graph point with a click");
    tour.moveMouse(this, point + CPoint(1, 1));
    const auto tipShown = [this] { return isSnapped() && getToolTip().IsWindowVisible(); };
    tour.check(tour.waitFor(tipShown, kTourWaitMs), L"the tip of the graph point under the mouse");
}

// One tick at a time: the next is armed when its picture has been drawn, so that on a slow
// machine the stream slows down instead of keeping the message loop busy.
void GraphPage::OnTimer(UINT_PTR /*id*/)
{
    KillTimer(kStreamTimer);
    _stream(kSamplesPerTick);
    recalcRange(true);
}

void GraphPage::onRenderGLPost()
{
    if (streaming && samples < kMostSamples)
        SetTimer(kStreamTimer, kStreamMs, nullptr);
}

// A noisy pressure with a slow drift, a smooth temperature and a pulsing flow.
void GraphPage::_stream(int count)
{
    for (int i = 0; i < count; ++i, ++samples) {
        const float t = static_cast<float>(samples) * kSecondsPerSample;
        drift += 0.02f * noise(random);
        getLayer(0)->addItem({t, 5 + drift + 0.6f * noise(random)}, 0);
        getLayer(1)->addItem({t, 2 + 1.5f * std::sin(t * 0.7f) + 0.05f * noise(random)}, 0);
        getLayer(2)->addItem({t, std::fmod(t, 2.0f) < 0.3f ? 8.0f : 1 + 0.1f * noise(random)}, 0);
    }
}

// The pixel of a point in the middle of the view: of the first channel that shows one there.
CPoint GraphPage::_visiblePoint() const
{
    const qv::rect<float> view = getGraphCamera()->getBoundVolume(true);
    const float middle = (view.left + view.right) / 2;
    const int item = std::clamp(static_cast<int>(middle / kSecondsPerSample), 0, samples - 1);
    for (int layer = 0; layer < getLayerCount(); ++layer) {
        const qv::gl::GraphPos::vector2 p = getLayer(layer)->getItem(item).getItem();
        if (p.y > view.bottom && p.y < view.top)
            return getGraphCamera()->convert3DTo2D({p.x, p.y, 0});
    }
    return getGraphRect().CenterPoint();
}

} // namespace demo
