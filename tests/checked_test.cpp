#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "core/checked.h"

using platform::RuntimeError;
using velmora::cint;
using velmora::clng;
using velmora::Int16;
using velmora::Int32;

namespace {

void expectOverflow(const std::function<void()>& f) {
    try {
        f();
        ADD_FAILURE() << "no overflow";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.kind(), platform::RuntimeError::Kind::Overflow);
        EXPECT_EQ(e.number(), 6);
    }
}

}  // namespace

TEST(CheckedInteger, SixteenBitArithmeticStopsAtItsLimits) {
    EXPECT_EQ((Int16(32766) + 1).value(), 32767);
    EXPECT_EQ((Int16(-32767) - 1).value(), -32768);
    expectOverflow([] { (void)(Int16(32767) + 1); });
    expectOverflow([] { (void)(Int16(-32768) - 1); });
    expectOverflow([] { (void)(Int16(182) * 181); });  // 32942
    expectOverflow([] { (void)(-Int16(-32768)); });
    expectOverflow([] { (void)Int16(40000); });
    Int16 x = 32767;
    expectOverflow([&] { x += 1; });
    EXPECT_EQ(x.value(), 32767) << "a failed step leaves the value as it was";
}

TEST(CheckedInteger, ThirtyTwoBitArithmeticStopsAtItsLimits) {
    EXPECT_EQ((Int32(2147483646) + 1).value(), 2147483647);
    expectOverflow([] { (void)(Int32(2147483647) + 1); });
    expectOverflow([] { (void)(Int32(-2147483647) - 2); });
    expectOverflow([] { (void)(Int32(65536) * 32768); });
    // A 16-bit value widens: mixed arithmetic is 32-bit.
    EXPECT_EQ((Int32(40000) + Int16(30000)).value(), 70000);
}

TEST(CheckedInteger, WholeDivisionDropsTheRemainderAndRefusesZero) {
    EXPECT_EQ(velmora::intDiv(7, 2).value(), 3);
    EXPECT_EQ(velmora::intDiv(-7, 2).value(), -3);
    EXPECT_THROW(velmora::intDiv(1, 0), platform::RuntimeError);
    expectOverflow([] { (void)velmora::intDiv(Int32(-2147483647) - 1, -1); });
}

TEST(Conversion, RealToIntegerRoundsHalvesToEven) {
    EXPECT_EQ(cint(0.5).value(), 0);
    EXPECT_EQ(cint(1.5).value(), 2);
    EXPECT_EQ(cint(2.5).value(), 2);
    EXPECT_EQ(cint(-0.5).value(), 0);
    EXPECT_EQ(cint(-1.5).value(), -2);
    EXPECT_EQ(cint(62.5).value(), 62);
    EXPECT_EQ(cint(2.4999).value(), 2);
    EXPECT_EQ(cint(32767.4).value(), 32767);
    expectOverflow([] { (void)cint(32767.5); });  // rounds to 32768
    EXPECT_EQ(cint(-32768.5).value(), -32768);    // rounds to the even -32768
    expectOverflow([] { (void)cint(-32769.5); });
    expectOverflow([] { (void)cint(std::nan("")); });
    EXPECT_EQ(clng(2147483646.5).value(), 2147483646);
    expectOverflow([] { (void)clng(2147483647.5); });
    expectOverflow([] { (void)clng(std::numeric_limits<double>::infinity()); });
}

TEST(Conversion, TwipsToPixels) {
    // 1366 pixels at 15 twips per pixel, and the thirds of a pixel the title screen moves by.
    EXPECT_EQ(velmora::roundedQuotient16(20490, 15).value(), 1366);
    EXPECT_EQ(velmora::roundedQuotient32(100, 15).value(), 7);
    EXPECT_EQ(velmora::roundedQuotient32(22.5f, 15).value(), 2);           // 1.5 to even
    EXPECT_EQ(velmora::roundedQuotient32(37.5f, 15).value(), 2);           // 2.5 to even
    expectOverflow([] { (void)velmora::roundedQuotient16(491520, 15); });  // 32768
    // The whole quotient rounds both operands first, then drops the remainder.
    EXPECT_EQ(velmora::wholeQuotient(1706.67f, 15).value(), 113);             // 1707 \ 15
    EXPECT_EQ(velmora::wholeQuotient(29.5f, 15).value(), 2);                  // 30 \ 15
    EXPECT_EQ(velmora::wholeQuotient(28.5f, 15).value(), 1);                  // 28 \ 15
    EXPECT_EQ(velmora::wholeQuotient(100, 14.5f).value(), 7);                 // 100 \ 14
    EXPECT_THROW(velmora::wholeQuotient(100, 0.4f), platform::RuntimeError);  // 100 \ 0
}

TEST(SlotArray, AcceptsSlotsOneToSixOnly) {
    velmora::SlotArray<Int16> table;
    table[1] = 5;
    table[6] = 7;
    EXPECT_EQ(table[1].value(), 5);
    EXPECT_EQ(table[Int16(6)].value(), 7);
    for (int slot : {0, 7, -1}) {
        try {
            (void)table[slot];
            ADD_FAILURE() << "slot " << slot << " accepted";
        } catch (const platform::RuntimeError& e) {
            EXPECT_EQ(e.kind(), platform::RuntimeError::Kind::SubscriptOutOfRange) << slot;
        }
    }
}
