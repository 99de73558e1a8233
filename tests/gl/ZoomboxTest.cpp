#include <qv.win/zoombox.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <ostream>
#include <string>
#include <vector>

namespace qv {

// Readable failures for the value types.
void PrintTo(const rect<float>& r, std::ostream* os)
{
    *os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

void PrintTo(const basic_vector<2, float>& v, std::ostream* os)
{
    *os << "(" << v.x << ", " << v.y << ")";
}

} // namespace qv

namespace {

using Box = qv::gl::zoombox<float, int>;
using rectf = qv::rect<float>;
using vec2 = qv::vector2f;

enum class Hook { ScreenSize, Box, ContentVolume, BoundContentVolume, BoundViewVolume };

struct Call {
    Hook hook;
    rectf before;
    rectf after;
};

// Records every hook with its two values; screen sizes as (0, 0, cx, cy).
class Recorder : public Box {
public:
    std::vector<Call> calls;

    std::vector<Hook> hooks() const
    {
        std::vector<Hook> result;
        for (const Call& call : calls)
            result.push_back(call.hook);
        return result;
    }

protected:
    void onChangedScreenSize(qv::size<int> oldSize, qv::size<int> newSize) override
    {
        calls.push_back({Hook::ScreenSize, {0, 0, float(oldSize.cx), float(oldSize.cy)},
                         {0, 0, float(newSize.cx), float(newSize.cy)}});
    }
    void onChangedBox(rectf before, rectf after) override { calls.push_back({Hook::Box, before, after}); }
    void onChangedContentVolume(rectf before, rectf after) override
    {
        calls.push_back({Hook::ContentVolume, before, after});
    }
    void onChangedBoundContentVolume(rectf before, rectf after) override
    {
        calls.push_back({Hook::BoundContentVolume, before, after});
    }
    void onChangedBoundViewVolume(rectf before, rectf after) override
    {
        calls.push_back({Hook::BoundViewVolume, before, after});
    }
};

// Content 200x100 on a 400x400 viewport, hooks cleared.
void configure(Recorder& box, Box::Stretch stretch, int cx = 400, int cy = 400)
{
    box.setStretch(stretch);
    box.setContentSize(200, 100);
    box.setViewportSize(cx, cy);
    box.calls.clear();
}

void expectNear(const rectf& actual, const rectf& expected, float tolerance = 1e-4f)
{
    EXPECT_NEAR(actual.left, expected.left, tolerance) << "left";
    EXPECT_NEAR(actual.top, expected.top, tolerance) << "top";
    EXPECT_NEAR(actual.right, expected.right, tolerance) << "right";
    EXPECT_NEAR(actual.bottom, expected.bottom, tolerance) << "bottom";
}

void expectNear(const vec2& actual, const vec2& expected, float tolerance = 1e-4f)
{
    EXPECT_NEAR(actual.x, expected.x, tolerance) << "x";
    EXPECT_NEAR(actual.y, expected.y, tolerance) << "y";
}

constexpr Box::Stretch allStretches[] = {Box::None, Box::Fill, Box::Uniform};

using Action = std::function<void(Recorder&)>;

} // namespace

TEST(Zoombox, HooksFireBoundContentThenBoundViewThenTheInputsOwn)
{
    using enum Hook;
    const struct {
        const char* name;
        Action change;
        std::vector<Hook> expected;
    } rows[] = {
        {"viewport size", [](Recorder& b) { b.setViewportSize(800, 400); }, {BoundContentVolume, BoundViewVolume, ScreenSize}},
        {"content size", [](Recorder& b) { b.setContentSize(100, 100); }, {BoundContentVolume, BoundViewVolume, ContentVolume}},
        {"content moved, same size", [](Recorder& b) { b.setContentVolume(10, 20, 210, 120); }, {BoundViewVolume, ContentVolume}},
        {"box", [](Recorder& b) { b.setBox(0.25f, 0.25f, 0.75f, 0.75f); }, {BoundContentVolume, BoundViewVolume, Box}},
        {"centre", [](Recorder& b) { b.setCenterPosition({0.6f, 0.5f}); }, {BoundContentVolume, BoundViewVolume, Box}},
        {"zoom", [](Recorder& b) { b.setZoomFactor(2); }, {BoundContentVolume, BoundViewVolume, Box}},
        {"stretch only stores", [](Recorder& b) { b.setStretch(Box::Fill); }, {}},
        {"maximum above the zoom", [](Recorder& b) { b.setZoomFactorMax(50); }, {}},
        {"minimum below the zoom", [](Recorder& b) { b.setZoomFactorMin(0.5f); }, {}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Recorder box;
        configure(box, Box::Uniform);
        row.change(box);
        EXPECT_EQ(box.hooks(), row.expected);
        box.calls.clear();
        row.change(box);
        EXPECT_TRUE(box.calls.empty()) << "the same change again";
    }
}

TEST(Zoombox, HooksReceiveThePreviousValueFirst)
{
    Recorder box;
    configure(box, Box::Uniform);
    box.setViewportSize(800, 400);
    ASSERT_EQ(box.calls.size(), 3u);
    EXPECT_EQ(box.calls[0].before, (rectf{0, 100, 400, 300}));
    EXPECT_EQ(box.calls[0].after, (rectf{0, 0, 800, 400}));
    EXPECT_EQ(box.calls[1].before, (rectf{0, -50, 200, 150}));
    EXPECT_EQ(box.calls[1].after, (rectf{0, 0, 200, 100}));
    EXPECT_EQ(box.calls[2].before, (rectf{0, 0, 400, 400}));
    EXPECT_EQ(box.calls[2].after, (rectf{0, 0, 800, 400}));
}

TEST(Zoombox, WithoutViewportTheBoundBoxStaysAndTheViewHookIsSilent)
{
    using enum Hook;
    const struct {
        const char* name;
        Box::Stretch stretch;
        int cx, cy;
        rectf content;
        std::vector<Hook> expected;
    } rows[] = {
        {"none, 0x0", Box::None, 0, 0, {0, 0, 200, 100}, {BoundContentVolume, ContentVolume}},
        {"fill, 0x0", Box::Fill, 0, 0, {10, 20, 30, 40}, {ContentVolume}},
        {"uniform, 400x0", Box::Uniform, 400, 0, {0, 0, 200, 100}, {BoundContentVolume, ContentVolume}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Recorder box;
        box.setStretch(row.stretch);
        box.setViewportSize(row.cx, row.cy);
        box.calls.clear();
        EXPECT_NO_THROW(box.setContentVolume(row.content));
        EXPECT_EQ(box.hooks(), row.expected);
        EXPECT_EQ(box.boundBox(), rectf{});
    }
}

TEST(Zoombox, EachStretchHasItsPixelScaleAndBoundVolumes)
{
    const struct {
        Box::Stretch stretch;
        vec2 scale;
        rectf boundContent, boundBox, boundView;
        vec2 zoomedScale;
        rectf zoomedBoundContent;
    } rows[] = {
        {Box::Uniform, {2, 2}, {0, 100, 400, 300}, {0, -0.5f, 1, 1.5f}, {0, -50, 200, 150}, {4, 4}, {-200, 0, 600, 400}},
        {Box::Fill, {2, 4}, {0, 0, 400, 400}, {0, 0, 1, 1}, {0, 0, 200, 100}, {4, 8}, {-200, -200, 600, 600}},
        {Box::None, {1, 1}, {100, 150, 300, 250}, {-0.5f, -1.5f, 1.5f, 2.5f}, {-100, -150, 300, 250}, {2, 2}, {0, 100, 400, 300}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.stretch);
        Recorder box;
        configure(box, row.stretch);
        // The content in pixels is the pixel scale times the content size.
        const rectf bound = box.boundContentVolume();
        EXPECT_EQ(bound, row.boundContent);
        expectNear({bound.width() / 200, bound.height() / 100}, row.scale);
        expectNear(box.boundBox(), row.boundBox);
        expectNear(box.boundViewVolume(), row.boundView);

        box.setBox(0.25f, 0.25f, 0.75f, 0.75f);
        const rectf zoomed = box.boundContentVolume();
        expectNear(zoomed, row.zoomedBoundContent);
        expectNear({zoomed.width() / 200, zoomed.height() / 100}, row.zoomedScale);
    }
}

// Exact values: the content's pixel size is the content size divided by the box size.
TEST(Zoombox, NoneStretchDividesTheContentByTheBox)
{
    Recorder box;
    configure(box, Box::None);
    const rectf request{0.2f, 0.3f, 0.45f, 0.7f};
    box.setBox(request);
    const float contentWidth = 200 / (request.right - request.left);
    const float contentHeight = 100 / (request.bottom - request.top);
    const float left = (400 - 200) * 0.5f - contentWidth * request.left;
    const float top = (400 - 100) * 0.5f - contentHeight * request.top;
    EXPECT_EQ(box.boundContentVolume(), (rectf{left, top, left + contentWidth, top + contentHeight}));
}

// Exact values: the square reaches half its side from the centre on each side.
TEST(Zoombox, SetZoomFactorCentresTheSquareOnTheCentre)
{
    for (float zoom : {2.4f, 2.5f, 7.3f}) {
        SCOPED_TRACE(zoom);
        Recorder box;
        configure(box, Box::Uniform);
        box.setCenterPosition({0.3f, 0.77f});
        const vec2 centre = box.centerPosition();
        box.setZoomFactor(zoom);
        const float half = 1 / zoom / 2;
        const rectf square{centre.x - half, centre.y - half, centre.x + half, centre.y + half};
        EXPECT_EQ(box.box(Box::Relative), square);
        EXPECT_EQ(box.zoomFactor(), box.calcZoomFactorFromBox(square));
    }
}

TEST(Zoombox, UnknownStretchStopsTheDerivedData)
{
    Recorder box;
    configure(box, Box::Uniform);
    const rectf bound = box.boundContentVolume();
    box.setStretch(static_cast<Box::Stretch>(7));
    box.setBox(0.25f, 0.25f, 0.75f, 0.75f);
    EXPECT_EQ(box.hooks(), std::vector<Hook>{Hook::Box});
    EXPECT_EQ(box.boundContentVolume(), bound);
    EXPECT_FLOAT_EQ(box.zoomFactor(), 2);
}

// Every zoom ends in a box whose own zoom factor is the resulting zoom.
TEST(Zoombox, ZoomsClampAtBothLimitsAndKeepTheirFixedPoint)
{
    const rectf whole{0, 0, 1, 1};
    const rectf pixelRect{0.25f, 0.375f, 0.5f, 0.625f};
    const struct {
        const char* name;
        Action zoom;
        rectf box;
    } rows[] = {
        {"box inside the limits", [](Recorder& b) { b.setBox(0.4f, 0.4f, 0.6f, 0.6f); }, {0.4f, 0.4f, 0.6f, 0.6f}},
        {"tiny box", [](Recorder& b) { b.setBox(0.5f, 0.5f, 0.501f, 0.501f); }, {0.4955f, 0.4955f, 0.5055f, 0.5055f}},
        {"huge box", [](Recorder& b) { b.setBox(-100, -100, 200, 200); }, {0, 0, 100, 100}},
        {"zero-width box", [](Recorder& b) { b.setBox(0.5f, 0, 0.5f, 1); }, {0.495f, 0.495f, 0.505f, 0.505f}},
        {"reversed box", [](Recorder& b) { b.setBox(0.6f, 0.6f, 0.4f, 0.4f); }, {-49.5f, -49.5f, 50.5f, 50.5f}},
        {"zoom above", [](Recorder& b) { b.setZoomFactor(1000); }, {0.495f, 0.495f, 0.505f, 0.505f}},
        {"zoom below", [](Recorder& b) { b.setZoomFactor(0.001f); }, {-49.5f, -49.5f, 50.5f, 50.5f}},
        {"maximum lowered", [](Recorder& b) { b.setZoomFactor(50), b.setZoomFactorMax(20); }, {0.475f, 0.475f, 0.525f, 0.525f}},
        {"minimum raised", [](Recorder& b) { b.setZoomFactorMin(4); }, {0.375f, 0.375f, 0.625f, 0.625f}},
        {"crossed: minimum wins", [](Recorder& b) { b.setZoomFactorMax(10), b.setZoomFactorMin(50); }, {0.49f, 0.49f, 0.51f, 0.51f}},
        {"crossed: maximum refused", [](Recorder& b) { b.setZoomFactorMax(10), b.setZoomFactorMin(50), b.setZoomFactor(10); },
         {0.49f, 0.49f, 0.51f, 0.51f}},
        {"NaN maximum ignored", [](Recorder& b) { b.setZoomFactorMax(NAN), b.setZoomFactor(5); }, {0.4f, 0.4f, 0.6f, 0.6f}},
        {"infinite maximum ignored", [](Recorder& b) { b.setZoomFactorMax(INFINITY), b.setZoomFactor(1000); },
         {0.495f, 0.495f, 0.505f, 0.505f}},
        {"zero minimum ignored", [](Recorder& b) { b.setZoomFactorMin(0), b.setZoomFactor(0); }, {-49.5f, -49.5f, 50.5f, 50.5f}},
        {"NaN minimum ignored", [](Recorder& b) { b.setZoomFactorMin(NAN), b.setZoomFactor(0.001f); },
         {-49.5f, -49.5f, 50.5f, 50.5f}},
        {"pixel rect", [](Recorder& b) { b.zoomAtRect(rectf{100, 150, 200, 250}); }, pixelRect},
        {"reversed across", [](Recorder& b) { b.zoomAtRect(rectf{200, 150, 100, 250}); }, pixelRect},
        {"reversed down", [](Recorder& b) { b.zoomAtRect(rectf{100, 250, 200, 150}); }, pixelRect},
        {"reversed both", [](Recorder& b) { b.zoomAtRect(rectf{200, 250, 100, 150}); }, pixelRect},
        {"window pixels", [](Recorder& b) { b.zoomAtRect(100, 150, 200, 250); }, pixelRect},
        {"relative rect", [](Recorder& b) { b.zoomAtRelativeRect({0.25f, 0.25f, 0.5f, 0.75f}); }, pixelRect},
        {"wide rect: smaller scale", [](Recorder& b) { b.zoomAtRect(rectf{100, 150, 300, 170}); }, {0.25f, 0.05f, 0.75f, 0.55f}},
        {"tiny rect ignored", [](Recorder& b) { b.zoomAtRect(rectf{100, 100, 100.0001f, 100.0001f}); }, whole},
        {"tiny reversed ignored", [](Recorder& b) { b.zoomAtRect(rectf{100.0001f, 100.0001f, 100, 100}); }, whole},
        {"point rect: maximum", [](Recorder& b) { b.zoomAtRect(rectf{100, 150, 100, 150}); }, {0.245f, 0.245f, 0.255f, 0.255f}},
        {"box corner, absolute", [](Recorder& b) { b.setBox(0.2f, 0.2f, 0.6f, 0.6f), b.zoomAtBoxPosition(5, {1, 1}, true); },
         {0.4f, 0.4f, 0.6f, 0.6f}},
        {"box position, relative",
         [](Recorder& b) { b.setBox(0.2f, 0.2f, 0.6f, 0.6f), b.zoomAtBoxPosition(5, {0.5f, 0.25f}, false); },
         {0.3f, 0.25f, 0.5f, 0.45f}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Recorder box;
        configure(box, Box::Uniform);
        row.zoom(box);
        expectNear(box.box(Box::Relative), row.box);
        expectNear(box.centerPosition(), {(row.box.left + row.box.right) / 2, (row.box.top + row.box.bottom) / 2});
        const float zoom = box.calcZoomFactorFromBox(row.box);
        EXPECT_NEAR(box.zoomFactor(), zoom, zoom * 1e-4f);
    }
}

TEST(Zoombox, ClampedRequestAtTheCurrentZoomChangesNothing)
{
    Recorder box;
    configure(box, Box::Uniform);
    box.setBox(0.5f, 0.5f, 0.501f, 0.501f);
    const rectf zoomed = box.box(Box::Relative);
    box.calls.clear();
    box.setBox(0.5f, 0.5f, 0.501f, 0.501f);
    box.setBox(0.1f, 0.1f, 0.1001f, 0.1001f);
    EXPECT_TRUE(box.calls.empty());
    EXPECT_EQ(box.box(Box::Relative), zoomed);
}

TEST(Zoombox, InverseVerticalTurnsOnlyWindowPixelInput)
{
    // Each action with inverseVertical set against its equivalent without.
    const struct {
        const char* name;
        Action inverted, plain;
        bool mirrors;
    } rows[] = {
        {"translate", [](Recorder& b) { b.translate(30, 20); }, [](Recorder& b) { b.translate(30, -20); }, true},
        {"zoomAtRect(int)", [](Recorder& b) { b.zoomAtRect(100, 50, 200, 150); },
         [](Recorder& b) { b.zoomAtRect(100, 250, 200, 350); }, true},
        {"zoomAtViewportPoint", [](Recorder& b) { b.zoomAtViewportPoint(3, 100, 120); },
         [](Recorder& b) { b.zoomAtViewportPoint(3, 100, 280); }, true},
        {"zoomAtRect(rect)", [](Recorder& b) { b.zoomAtRect(rectf{100, 50, 200, 150}); },
         [](Recorder& b) { b.zoomAtRect(rectf{100, 50, 200, 150}); }, false},
        {"translateToCenter", [](Recorder& b) { b.translateToCenter({100, 120}); },
         [](Recorder& b) { b.translateToCenter({100, 120}); }, false},
        {"zoomAtBoxPosition", [](Recorder& b) { b.zoomAtBoxPosition(3, {0.2f, 0.3f}, true); },
         [](Recorder& b) { b.zoomAtBoxPosition(3, {0.2f, 0.3f}, true); }, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Recorder inverted, plain, unflagged;
        for (Recorder* box : {&inverted, &plain, &unflagged})
            configure(*box, Box::Uniform);
        inverted.setInverseVertical(true);
        row.inverted(inverted);
        row.plain(plain);
        row.inverted(unflagged);
        expectNear(inverted.box(Box::Relative), plain.box(Box::Relative));
        EXPECT_EQ(inverted.box(Box::Relative) != unflagged.box(Box::Relative), row.mirrors);
        Recorder flagged = plain;
        flagged.setInverseVertical(true);
        const vec2 pixel{100, 120};
        EXPECT_EQ(flagged.fromViewport(pixel), plain.fromViewport(pixel));
        EXPECT_EQ(flagged.viewportToContent(pixel), plain.viewportToContent(pixel));
        EXPECT_EQ(flagged.box(Box::Viewport), plain.box(Box::Viewport));
    }
}

TEST(Zoombox, ZoomAtViewportPointKeepsTheContentUnderThePixel)
{
    Recorder fill;
    configure(fill, Box::Fill, 400, 300);
    fill.zoomAtViewportPoint(2, 200, 150);
    EXPECT_EQ(fill.box(Box::Relative), (rectf{0.25f, 0.25f, 0.75f, 0.75f}));

    for (Box::Stretch stretch : allStretches) {
        SCOPED_TRACE(stretch);
        Recorder box;
        configure(box, stretch);
        const vec2 pixel{100, 180};
        const vec2 before = box.viewportToContent(pixel);
        box.zoomAtViewportPoint(4, 100, 180);
        EXPECT_FLOAT_EQ(box.zoomFactor(), 4);
        expectNear(box.viewportToContent(pixel), before);
    }
}

TEST(Zoombox, NavigationMovesTheCentre)
{
    const struct {
        const char* name;
        Action move;
        vec2 centre;
    } rows[] = {
        {"translate pixels", [](Recorder& b) { b.translate(40, 20); }, {0.6f, 0.6f}},
        {"translate relative", [](Recorder& b) { b.translateRelative(0.1f, -0.2f); }, {0.6f, 0.3f}},
        {"translate content", [](Recorder& b) { b.translateContent(20, 10); }, {0.6f, 0.6f}},
        {"content origin counts", [](Recorder& b) { b.setContentVolume(100, 0, 300, 100), b.translateContent(20, 10); },
         {0.1f, 0.6f}},
        {"pixel to centre", [](Recorder& b) { b.translateToCenter({300, 150}); }, {0.75f, 0.25f}},
        {"relative to centre", [](Recorder& b) { b.translateToRelativeCenter({0.2f, 0.9f}); }, {0.2f, 0.9f}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        Recorder box;
        configure(box, Box::Uniform);
        row.move(box);
        expectNear(box.centerPosition(), row.centre);
        const rectf moved = box.box(Box::Relative);
        expectNear(moved, {row.centre.x - 0.5f, row.centre.y - 0.5f, row.centre.x + 0.5f, row.centre.y + 0.5f});
        EXPECT_FLOAT_EQ(box.zoomFactor(), 1);
    }
}

TEST(Zoombox, ConversionsRoundTripBetweenTheThreeSpaces)
{
    const vec2 points[] = {{-50, 20}, {150, 120}, {33.5f, 71}, {400, -300}};
    for (Box::Stretch stretch : allStretches) {
        SCOPED_TRACE(stretch);
        Recorder box;
        box.setStretch(stretch);
        box.setContentVolume(-50, 20, 150, 120);
        box.setViewportSize(320, 240);
        box.setBox(0.1f, 0.2f, 0.6f, 0.5f);
        for (const vec2& p : points) {
            expectNear(box.viewportToContent(box.contentToViewport(p)), p, 1e-3f);
            expectNear(box.toContent(box.fromContent(p)), p, 1e-3f);
            expectNear(box.fromViewport(box.toViewport(p)), p, 1e-3f);
            expectNear(box.contentToViewport(p), box.toViewport(box.fromContent(p)), 1e-3f);
        }
        const rectf pixels{0, 0, 320, 240};
        expectNear(box.viewport(Box::Viewport), pixels);
        expectNear(box.contentToViewport(box.viewport(Box::Content)), pixels, 1e-3f);
        expectNear(box.viewport(Box::Relative), box.boundBox());
        expectNear(box.viewport(Box::Content), box.boundViewVolume(), 1e-3f);
        expectNear(box.box(Box::Viewport), box.contentToViewport(box.box(Box::Content)), 1e-3f);
        expectNear(box.box(Box::Content), box.toContent(rectf{0.1f, 0.2f, 0.6f, 0.5f}));
        EXPECT_EQ(box.content(Box::Viewport), box.boundContentVolume());
        EXPECT_EQ(box.content(Box::Relative), (rectf{0, 0, 1, 1}));
        EXPECT_EQ(box.content(Box::Content), (rectf{-50, 20, 150, 120}));
    }
}

TEST(Zoombox, UnknownUnitThrowsACString)
{
    const Box box;
    const std::function<rectf(Box::Unit)> getters[] = {
        [&](Box::Unit u) { return box.box(u); },
        [&](Box::Unit u) { return box.content(u); },
        [&](Box::Unit u) { return box.viewport(u); },
    };
    for (const auto& get : getters)
        for (int unit : {-1, 3}) {
            SCOPED_TRACE(unit);
            try {
                get(static_cast<Box::Unit>(unit));
                ADD_FAILURE() << "no exception";
            } catch (const char* message) {
                EXPECT_STREQ(message, "Unknown unit");
            }
        }
}

TEST(Zoombox, DegenerateSizesNeverThrowAndKeepTheZoomInRange)
{
    const struct {
        const char* name;
        int cx, cy;
        rectf content;
    } states[] = {
        {"nothing set", 0, 0, {}},
        {"no viewport", 0, 0, {0, 0, 200, 100}},
        {"flat viewport", 400, 0, {0, 0, 200, 100}},
        {"no content", 400, 300, {}},
        {"flat content", 400, 300, {0, 0, 200, 0}},
    };
    const Action operations[] = {
        [](Recorder& b) { b.setZoomFactor(3); },
        [](Recorder& b) { b.zoomAtRect(rectf{10, 10, 50, 40}); },
        [](Recorder& b) { b.zoomAtRect(50, 40, 10, 10); },
        [](Recorder& b) { b.zoomAtRelativeRect({0.1f, 0.1f, 0.2f, 0.3f}); },
        [](Recorder& b) { b.zoomAtViewportPoint(2, 10, 10); },
        [](Recorder& b) { b.zoomAtBoxPosition(0.5f, {0.5f, 0.5f}, false); },
        [](Recorder& b) { b.translate(5, 5); },
        [](Recorder& b) { b.translateContent(1, 1); },
        [](Recorder& b) { b.translateToCenter({3, 3}); },
        [](Recorder& b) { b.setBox(0.2f, 0.2f, 0.2f, 0.9f); },
        [](Recorder& b) { b.box(Box::Viewport), b.content(Box::Relative), b.viewport(Box::Content); },
    };
    for (const auto& state : states) {
        SCOPED_TRACE(state.name);
        Recorder box;
        box.setViewportSize(state.cx, state.cy);
        box.setContentVolume(state.content);
        for (const Action& operation : operations) {
            EXPECT_NO_THROW(operation(box));
            EXPECT_TRUE(std::isfinite(box.zoomFactor()));
            EXPECT_GE(box.zoomFactor(), box.zoomFactorMin());
            EXPECT_LE(box.zoomFactor(), box.zoomFactorMax());
        }
        if (state.cx == 0 || state.cy == 0) {
            for (const Call& call : box.calls)
                EXPECT_NE(call.hook, Hook::BoundViewVolume);
            EXPECT_EQ(box.boundBox(), rectf{});
        }
    }
}
