#pragma once

#include <array>
#include <compare>
#include <concepts>
#include <cstdint>
#include <limits>
#include <utility>

#include "platform/base/runtime_error.h"

namespace velmora {

// A signed integer whose every arithmetic step detects overflow: the game's numbers are 16-bit
// or 32-bit, and leaving the range is a run-time error rather than a silent wrap.
template <std::signed_integral T>
class Checked {
  public:
    constexpr Checked() = default;

    // Any integer that fits; one that does not is an overflow.
    template <std::integral U>
    constexpr Checked(U v) : v_(narrow(v)) {}  // NOLINT(google-explicit-constructor)

    // A narrower checked integer widens implicitly (Int16 to Int32).
    template <std::signed_integral U>
    requires(sizeof(U) < sizeof(T)) constexpr Checked(Checked<U> other)
        : v_(other.value()) {}  // NOLINT

    constexpr T value() const { return v_; }

    friend constexpr Checked operator+(Checked a, Checked b) {
        T r;
        if (__builtin_add_overflow(a.v_, b.v_, &r)) {
            platform::raise(platform::RuntimeError::Kind::Overflow);
        }
        return fromRaw(r);
    }
    friend constexpr Checked operator-(Checked a, Checked b) {
        T r;
        if (__builtin_sub_overflow(a.v_, b.v_, &r)) {
            platform::raise(platform::RuntimeError::Kind::Overflow);
        }
        return fromRaw(r);
    }
    friend constexpr Checked operator*(Checked a, Checked b) {
        T r;
        if (__builtin_mul_overflow(a.v_, b.v_, &r)) {
            platform::raise(platform::RuntimeError::Kind::Overflow);
        }
        return fromRaw(r);
    }
    constexpr Checked operator-() const { return Checked() - *this; }
    constexpr Checked& operator+=(Checked b) { return *this = *this + b; }
    constexpr Checked& operator-=(Checked b) { return *this = *this - b; }

    friend constexpr bool operator==(Checked a, Checked b) = default;
    friend constexpr auto operator<=>(Checked a, Checked b) = default;

  private:
    static constexpr Checked fromRaw(T raw) {
        Checked c;
        c.v_ = raw;
        return c;
    }
    template <std::integral U>
    static constexpr T narrow(U v) {
        if (!std::in_range<T>(v)) {
            platform::raise(platform::RuntimeError::Kind::Overflow);
        }
        return static_cast<T>(v);
    }

    T v_ = 0;
};

using Int16 = Checked<std::int16_t>;
using Int32 = Checked<std::int32_t>;

// Whole-number division with the remainder dropped (towards zero); dividing by zero is a
// run-time error.
Int32 intDiv(Int32 a, Int32 b);

// Real to integer: to the nearest, halves to the even neighbour; out of range is an overflow.
Int16 cint(double value);
Int32 clng(double value);

// Twips to pixels. The rounded quotient rounds the real quotient; the whole quotient rounds
// both operands first and then drops the remainder of the division.
Int16 roundedQuotient16(float twips, float twipsPerPixel);
Int32 roundedQuotient32(float twips, float twipsPerPixel);
Int32 wholeQuotient(float twips, float twipsPerPixel);

// Six entries addressed by slot 1 to 6; any other slot is a run-time error.
template <class T>
class SlotArray {
  public:
    static constexpr int kFirst = 1;
    static constexpr int kLast = 6;

    T& operator[](int slot) { return values_[index(slot)]; }
    const T& operator[](int slot) const { return values_[index(slot)]; }
    T& operator[](Int16 slot) { return (*this)[int{slot.value()}]; }
    const T& operator[](Int16 slot) const { return (*this)[int{slot.value()}]; }

  private:
    static std::size_t index(int slot) {
        if (slot < kFirst || slot > kLast) {
            platform::raise(platform::RuntimeError::Kind::SubscriptOutOfRange);
        }
        return static_cast<std::size_t>(slot - kFirst);
    }

    std::array<T, 6> values_{};
};

}  // namespace velmora
