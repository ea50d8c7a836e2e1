#include "noise.h"

#include <cmath>

#include "rng.h"

namespace assetgen {

namespace {

double smooth(double t) {
    return t * t * (3.0 - 2.0 * t);
}

int wrap(int v, int period) {
    if (period <= 0) {
        return v;
    }
    const int m = v % period;
    return m < 0 ? m + period : m;
}

}  // namespace

double valueNoise(double x, double y, std::uint64_t seed, int periodX) {
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const double tx = smooth(x - fx), ty = smooth(y - fy);
    const int x0 = wrap(ix, periodX), x1 = wrap(ix + 1, periodX);
    const double a = hashUnit(x0, iy, seed), b = hashUnit(x1, iy, seed);
    const double c = hashUnit(x0, iy + 1, seed), d = hashUnit(x1, iy + 1, seed);
    const double top = a + (b - a) * tx;
    const double bottom = c + (d - c) * tx;
    return top + (bottom - top) * ty;
}

double fractalNoise(double x, double y, std::uint64_t seed, int octaves, int periodX) {
    double sum = 0.0, weight = 0.5, total = 0.0;
    int period = periodX;
    for (int o = 0; o < octaves; ++o) {
        sum += weight * valueNoise(x, y, seed + static_cast<std::uint64_t>(o) * 7919u, period);
        total += weight;
        x *= 2.0;
        y *= 2.0;
        period *= 2;
        weight *= 0.5;
    }
    return sum / total;
}

}  // namespace assetgen
