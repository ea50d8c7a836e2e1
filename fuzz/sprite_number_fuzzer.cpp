// Any text typed into the map's sprite box: the number it starts with is read without fault,
// and the rule that takes it as the leader's picture yields an index 0 to 63 or leaves the
// picture alone.
#include <QString>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/checked.h"
#include "map/leading_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QString text =
        QString::fromUtf8(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const double v = velmora::leadingNumber(text);
    if (std::isnan(v)) {
        std::abort();  // a text gives a number or 0, never "not a number"
    }
    if (v >= 0 && v <= 63) {
        const int index = velmora::cint(v).value();
        if (index < 0 || index > 63) {
            std::abort();
        }
    }
    return 0;
}
