#include <qv.win/SystemFont.h>

#include <gtest/gtest.h>

using qv::gui::SystemFont;

namespace {

NONCLIENTMETRICS systemMetrics()
{
    NONCLIENTMETRICS metrics{};
    metrics.cbSize = sizeof(metrics);
    SystemParametersInfo(SPI_GETNONCLIENTMETRICS, 0, &metrics, 0);
    return metrics;
}

LOGFONT logFontOf(SystemFont& font)
{
    LOGFONT logFont{};
    EXPECT_EQ(font.GetLogFont(&logFont), int(sizeof(logFont)));
    return logFont;
}

TEST(SystemFontTest, EachTypeIsMadeFromItsMetricsEntry)
{
    const NONCLIENTMETRICS system = systemMetrics();
    struct Case {
        int type;
        const LOGFONT& entry;
    };
    const Case cases[] = {{SystemFont::Caption, system.lfCaptionFont}, {SystemFont::Status, system.lfStatusFont},
                          {SystemFont::Message, system.lfMessageFont}, {SystemFont::Menu, system.lfMenuFont},
                          {7, system.lfCaptionFont}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        SystemFont font(SystemFont::Type(c.type));
        ASSERT_NE(font.GetSafeHandle(), nullptr);
        const LOGFONT made = logFontOf(font);
        EXPECT_STREQ(made.lfFaceName, c.entry.lfFaceName);
        EXPECT_EQ(made.lfHeight, c.entry.lfHeight);
        EXPECT_EQ(made.lfWeight, c.entry.lfWeight);
    }
}

TEST(SystemFontTest, MetricsUseTheLayoutWithoutPaddedBorder)
{
    const NONCLIENTMETRICS system = systemMetrics();
    SystemFont font;
    EXPECT_EQ(font.ncm().cbSize, 500u);
    EXPECT_EQ(font.getCaptionHeight(), system.iCaptionHeight);
    EXPECT_EQ(font.getFontName(), CString(system.lfMenuFont.lfFaceName));
    EXPECT_EQ(font.getFontSize(), system.lfMenuFont.lfHeight);
}

TEST(SystemFontTest, SizeGoesIntoTheCaptionEntryOnly)
{
    const NONCLIENTMETRICS system = systemMetrics();
    ASSERT_NE(system.lfMenuFont.lfHeight, 20);

    SystemFont menu(SystemFont::Menu, 20);
    EXPECT_EQ(logFontOf(menu).lfHeight, system.lfMenuFont.lfHeight);
    EXPECT_EQ(menu.ncm().lfCaptionFont.lfHeight, 20);
    EXPECT_EQ(menu.getFontSize(), system.lfMenuFont.lfHeight);

    // The stored size outlives the font it was given with.
    SystemFont message(SystemFont::Message, 9);
    EXPECT_EQ(logFontOf(message).lfHeight, system.lfMessageFont.lfHeight);
    HGDIOBJ first = message.GetSafeHandle();
    EXPECT_TRUE(message.create(SystemFont::Caption, 0));
    EXPECT_NE(message.GetSafeHandle(), first);
    EXPECT_EQ(GetObjectType(first), 0u); // the replaced font was deleted
    EXPECT_EQ(logFontOf(message).lfHeight, 9);
}

} // namespace
