// The game's numbers: 16- and 32-bit steps that stop at their limits instead of wrapping, real
// values rounded halves to even, twips turned into pixels two ways, and tables of slots 1 to 6.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>

#include "core/checked.h"

using platform::RuntimeError;
using velmora::cint;
using velmora::clng;
using velmora::Int16;
using velmora::Int32;

namespace {

RuntimeError::Kind errorOf(const std::function<void()>& step) {
    try {
        step();
    } catch (const RuntimeError& e) {
        return e.kind();
    }
    return RuntimeError::Kind::FileNotFound;  // stands for "none" here
}

}  // namespace

TEST(CheckedInteger, StepsBeyondTheLimitsAreRunTimeErrors) {
    constexpr auto kOverflow = RuntimeError::Kind::Overflow;
    const std::function<void()> overflows[] = {
        [] { (void)(Int16(32767) + 1); },
        [] { (void)(Int16(-32768) - 1); },
        [] { (void)(Int16(182) * 181); },
        [] { (void)(-Int16(-32768)); },
        [] { (void)Int16(40000); },
        [] { (void)Int16(-40000); },
        [] { (void)(Int32(2147483647) + 1); },
        [] { (void)(Int32(65536) * 32768); },
        [] { (void)cint(32767.5); },
        [] { (void)cint(-32769.5); },
        [] { (void)cint(std::nan("")); },
        [] { (void)clng(2147483647.5); },
        [] { (void)velmora::intDiv(Int32(-2147483647) - 1, -1); },
        [] { (void)velmora::roundedQuotient16(491520, 15); },
    };
    for (const auto& step : overflows) {
        EXPECT_EQ(errorOf(step), kOverflow);
    }
    EXPECT_EQ(errorOf([] { (void)velmora::intDiv(1, 0); }), RuntimeError::Kind::DivisionByZero);
    EXPECT_EQ(errorOf([] { (void)velmora::wholeQuotient(100, 0.4f); }),
              RuntimeError::Kind::DivisionByZero);
    Int16 x = 32767;
    EXPECT_EQ(errorOf([&] { x += 1; }), kOverflow);
    EXPECT_EQ(x.value(), 32767) << "a failed step leaves the value as it was";
    EXPECT_EQ((Int32(40000) + Int16(30000)).value(), 70000) << "mixed arithmetic is 32-bit";
}

TEST(CheckedInteger, RealsRoundHalvesToEvenAndTwipsBecomePixels) {
    const std::pair<Int32, int> cases[] = {
        {cint(0.5), 0},
        {cint(1.5), 2},
        {cint(2.5), 2},
        {cint(-1.5), -2},
        {cint(62.5), 62},
        {cint(-32768.5), -32768},
        {clng(2147483646.5), 2147483646},
        {velmora::intDiv(-7, 2), -3},
        // 1366 pixels at 15 twips per pixel; thirds of a pixel round to even.
        {velmora::roundedQuotient16(20490, 15), 1366},
        {velmora::roundedQuotient32(37.5f, 15), 2},
        // The whole quotient rounds both operands first, then drops the remainder.
        {velmora::wholeQuotient(1706.67f, 15), 113},  // 1707 \ 15, where the rounded is 114
        {velmora::wholeQuotient(29.5f, 15), 2},       // 30 \ 15
        {velmora::wholeQuotient(100, 14.5f), 7},      // 100 \ 14
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(cases[i].first.value(), cases[i].second) << "case " << i;
    }
}

TEST(CheckedInteger, SixEntryTablesTakeSlotsOneToSixOnly) {
    velmora::SlotArray<Int16> table;
    table[1] = 5;
    table[6] = 7;
    EXPECT_EQ(table[1].value() + table[Int16(6)].value(), 12);
    for (int slot : {0, 7, -1}) {
        EXPECT_EQ(errorOf([&] { (void)table[slot]; }), RuntimeError::Kind::SubscriptOutOfRange);
    }
}
