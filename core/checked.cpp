#include "core/checked.h"

#include <cmath>

namespace velmora {
namespace {

template <std::signed_integral R>
R roundHalfEven(double value) {
    // nearbyint rounds in the current mode, which is to-nearest-even unless someone changed it.
    const double r = std::nearbyint(value);
    if (!(r >= std::numeric_limits<R>::min() && r <= std::numeric_limits<R>::max())) {
        platform::raise(platform::RuntimeError::Kind::Overflow);  // also NaN
    }
    return static_cast<R>(r);
}

}  // namespace

Int32 intDiv(Int32 a, Int32 b) {
    if (b.value() == 0) {
        platform::raise(platform::RuntimeError::Kind::DivisionByZero);
    }
    // The one overflowing case, INT32_MIN / -1, goes through the checked constructor.
    return Int32(static_cast<std::int64_t>(a.value()) / b.value());
}

Int16 cint(double value) {
    return roundHalfEven<std::int16_t>(value);
}

Int32 clng(double value) {
    return roundHalfEven<std::int32_t>(value);
}

Int16 roundedQuotient16(float twips, float twipsPerPixel) {
    return cint(twips / twipsPerPixel);
}

Int32 roundedQuotient32(float twips, float twipsPerPixel) {
    return clng(twips / twipsPerPixel);
}

Int32 wholeQuotient(float twips, float twipsPerPixel) {
    return intDiv(clng(twips), clng(twipsPerPixel));
}

}  // namespace velmora
