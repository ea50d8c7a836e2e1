// The game's numbers: steps that stop at their limits, reals rounded halves to even, twips.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <variant>

#include "core/checked.h"
#include "platform/widgets/controls.h"

using Kind = platform::RuntimeError::Kind;
using velmora::cint;
using velmora::Int16;
using velmora::Int32;

TEST(CheckedInteger, EachStepGivesItsValueOrARunTimeErrorAndRealsRoundHalvesToEven) {
    using L16 = std::numeric_limits<std::int16_t>;
    using L32 = std::numeric_limits<std::int32_t>;
    using Result = std::variant<std::int64_t, Kind>;
    Int16 x = 32767;
    velmora::SlotArray<Int16> table;
    table[1] = 1;
    table[6] = 7;
    // Each way a number is made, just beyond its limits, then at them, then reals and twips.
    const std::pair<std::function<Int32()>, Result> cases[] = {
        {[&] { return x += 1; }, Kind::Overflow},
        {[] { return Int16(-32768) - 1; }, Kind::Overflow},
        {[] { return Int16(182) * 181; }, Kind::Overflow},
        {[] { return -Int16(-32768); }, Kind::Overflow},
        {[] { return Int16(-40000); }, Kind::Overflow},
        {[] { return Int32(65536) * 32768; }, Kind::Overflow},
        {[] { return cint(32767.5); }, Kind::Overflow},
        {[] { return cint(std::nan("")); }, Kind::Overflow},
        {[] { return velmora::intDiv(Int32(-2147483647) - 1, -1); }, Kind::Overflow},
        {[] { return velmora::intDiv(1, 0); }, Kind::DivisionByZero},
        {[] { return velmora::wholeQuotient(100, 0.4f); }, Kind::DivisionByZero},
        {[] { return velmora::SlotArray<Int16>()[0]; }, Kind::SubscriptOutOfRange},
        {[] { return velmora::SlotArray<Int16>()[7]; }, Kind::SubscriptOutOfRange},
        {[] { return Int16(L16::max()); }, L16::max()},
        {[] { return Int16(L16::min()); }, L16::min()},
        {[] { return Int32(L32::max()); }, L32::max()},
        {[] { return Int32(L32::min()); }, L32::min()},
        {[] { return Int16(32766) + 1; }, L16::max()},
        {[] { return Int16(-32767) + -1; }, L16::min()},
        {[] { return Int16(-32767) - 1; }, L16::min()},
        {[] { return Int16(32766) - -1; }, L16::max()},
        {[] { return Int16(16384) * -2; }, L16::min()},
        {[] { return Int16(151) * 217; }, L16::max()},
        {[] { return -Int16(L16::max()); }, -L16::max()},
        {[] { return cint(32767.4); }, L16::max()},
        {[] { return cint(-32768.4); }, L16::min()},
        {[] { return velmora::clng(2147483647.0); }, L32::max()},
        {[] { return velmora::clng(-2147483648.5); }, L32::min()},
        {[] { return velmora::intDiv(Int32(L32::min()), 1); }, L32::min()},
        {[] { return velmora::intDiv(Int32(L32::max()), -1); }, -L32::max()},
        {[] { return Int32(Int16(L16::min())); }, L16::min()},
        {[&] { return table[Int16(1)]; }, 1},
        {[&] { return table[Int16(6)]; }, 7},
        {[] { return cint(0.5); }, 0},
        {[] { return cint(-1.5); }, -2},
        {[] { return cint(-32768.5); }, -32768},
        {[] { return velmora::clng(2147483646.5); }, 2147483646},
        {[] { return velmora::intDiv(-7, 2); }, -3},
        {[] { return Int32(40000) + Int16(30000); }, 70000},
        // 1366 pixels at 15 twips per pixel; thirds of a pixel round to even.
        {[] { return velmora::roundedQuotient16(20490, 15); }, 1366},
        {[] { return velmora::roundedQuotient32(37.5f, 15); }, 2},
        // Both operands rounded, then the remainder dropped: 1707 \ 15 (rounded, 114), 100 \ 14.
        {[] { return velmora::wholeQuotient(1706.67f, 15); }, 113},
        {[] { return velmora::wholeQuotient(100, 14.5f); }, 7},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        try {
            EXPECT_EQ(Result(cases[i].first().value()), cases[i].second) << "case " << i;
        } catch (const platform::RuntimeError& e) {
            EXPECT_EQ(Result(e.kind()), cases[i].second) << "case " << i << ": " << e.what();
        }
    }
    EXPECT_EQ(x.value(), 32767) << "a failed step leaves the value as it was";
}

TEST(DisplayScaling, TwipsPerPixelAreWholeAHalfGoingDownAndTextKeepsTheDpi) {
    // DPI, twips per pixel, 12-point text in pixels
    const std::tuple<double, float, int> cases[] = {{96, 15, 16},  {110, 13, 18}, {120, 12, 20},
                                                    {144, 10, 24}, {168, 9, 28},  {192, 7, 32},
                                                    {72, 20, 12}};
    for (const auto& [dpi, twipsPerPixel, fontPixels] : cases) {
        const platform::Display d = platform::Display::ofScreen(QSize(1024, 768), dpi, dpi);
        EXPECT_EQ(QSizeF(d.twipsPerPixelX, d.twipsPerPixelY), QSizeF(twipsPerPixel, twipsPerPixel))
            << dpi << " DPI";
        EXPECT_EQ(QSizeF(d.widthTwips, d.heightTwips), QSizeF(1024, 768) * twipsPerPixel);
        EXPECT_EQ(platform::makeFont({QStringLiteral("MS Sans Serif"), 12, true}, d).pixelSize(),
                  fontPixels)
            << dpi << " DPI";
    }
}
