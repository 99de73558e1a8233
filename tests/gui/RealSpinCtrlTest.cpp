#include "RealInputWindows.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

std::pair<int, int> intRange(const qv::gui::RealSpinCtrl& spin)
{
    int lower = 0;
    int upper = 0;
    spin.SendMessage(UDM_GETRANGE32, reinterpret_cast<WPARAM>(&lower), reinterpret_cast<LPARAM>(&upper));
    return {lower, upper};
}

class RealSpinCtrlText : public SuiteWindow<SpinWindow> {};
class RealSpinCtrlRange : public SuiteWindow<SpinWindow> {};

} // namespace

TEST_F(RealSpinCtrlText, BuddyShowsTheFormattedValue)
{
    struct Row {
        const char* name;
        int decimals;
        BOOL trim;
        const wchar_t* format;
        double value;
        const wchar_t* expected;
    };
    const Row rows[] = {
        {"general", -1, TRUE, nullptr, 2.5, L"2.5"},
        {"general in exponent form", -1, TRUE, nullptr, 1e20, L"1e+020"},
        {"three decimals trimmed", 3, TRUE, nullptr, 2.5, L"2.5"},
        {"three decimals", 3, FALSE, nullptr, 2.5, L"2.500"},
        {"point goes with the zeros", 2, TRUE, nullptr, 2, L"2"},
        {"zeros before the point stay", 2, TRUE, nullptr, 100, L"100"},
        {"exponent form where %g uses it", 2, FALSE, nullptr, 1e20, L"1.00e+020"},
        {"exponent form trimmed", 2, TRUE, nullptr, 1.5e20, L"1.5e+020"},
        {"exponent mantissa trimmed to nothing", 2, TRUE, nullptr, 1e20, L"1e+020"},
        {"negative decimals are general", -5, TRUE, nullptr, 0.125, L"0.125"},
        {"decimals are capped", 100000, TRUE, nullptr, 0.125, L"0.125"},
        {"format replaces decimals and trimming", 1, TRUE, L"%.3f", 2.5, L"2.500"},
        {"format without a double is not used", 1, TRUE, L"%s", 2.5, L"2.5"},
        {"format with two doubles is not used", 1, FALSE, L"%g %g", 2.5, L"2.5"},
    };
    SpinWindow& w = window();
    w.renew();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        w.spin->setDecimalPlaces(row.decimals);
        w.spin->setTrimTrailingZeros(row.trim);
        w.spin->setFormatString(row.format);
        w.spin->setPos(row.value);
        EXPECT_EQ(w.text(), row.expected);
        EXPECT_EQ(w.spin->getPos(), row.value);
    }
}

TEST_F(RealSpinCtrlRange, IntegerPositionMirrorsTheValue)
{
    struct Row {
        const char* name;
        double min, max, delta;
        double value;
        std::pair<int, int> range;
        int pos;
    };
    // Each row starts from the range the rows before it left.
    const Row rows[] = {
        {"defaults", 0, 100, 1, 25, {0, 100}, 25},
        {"rounded to nearest", 0, 10, 1, 2.5, {0, 10}, 3},
        {"below the range", 0, 10, 1, -5, {0, 10}, 0},
        {"above the range", 0, 10, 1, 50, {0, 10}, 10},
        {"steps are truncated", 0, 1, 0.3, 1, {0, 3}, 3},
        {"at most 32767 steps", -1e6, 1e6, 0.001, 0, {0, 32767}, 16384},
        {"widest range", -1.7e308, 1.7e308, 1e-300, 1e308, {0, 32767}, 26021},
        {"negative delta", 0, 10, -2, 4, {0, 5}, 2},
        {"zero delta keeps the integer range", 0, 20, 0, 10, {0, 5}, 3},
        {"not a number is ignored", kNaN, 30, 1, 10, {0, 5}, 3},
        {"infinity is ignored", 0, kInf, 1, 10, {0, 5}, 3},
    };
    SpinWindow& w = window();
    w.renew();
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        w.spin->setRangeAndDelta(row.min, row.max, row.delta);
        w.spin->setPos(row.value);
        EXPECT_EQ(intRange(*w.spin), row.range);
        EXPECT_EQ(w.intPos(), row.pos);
    }
    double min = 0, max = 0, delta = 0;
    w.spin->getRangeAndDelta(min, max, delta);
    EXPECT_EQ(min, 0);
    EXPECT_EQ(max, 20);
    EXPECT_EQ(delta, 0);
}

TEST_F(RealSpinCtrlRange, SettingARangeMirrorsTheBuddyWithoutRewritingIt)
{
    SpinWindow& w = window();
    w.renew();
    w.buddy->SetWindowText(L"7.50");
    w.spin->setRangeAndDelta(0, 10, 0.5);
    EXPECT_EQ(intRange(*w.spin), std::make_pair(0, 20));
    EXPECT_EQ(w.intPos(), 15);
    EXPECT_EQ(w.text(), L"7.50");
}

TEST_F(RealSpinCtrlRange, NoBuddyReadsZeroAndWritesNothing)
{
    SpinWindow& w = window();
    w.renew();
    w.spin->SetBuddy(nullptr);
    w.spin->setPos(40);
    EXPECT_EQ(w.spin->getPos(), 0);
    EXPECT_EQ(w.intPos(), 40);
    EXPECT_EQ(w.text(), L"");
}
