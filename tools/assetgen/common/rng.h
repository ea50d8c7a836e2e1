#pragma once

#include <cstdint>

namespace assetgen {

// Small deterministic generator (SplitMix64). The same seed gives the same sequence on every
// run, which keeps the generated files reproducible byte for byte.
class Rng {
  public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}

    std::uint64_t next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }

    // Integer in [lo, hi], both ends included.
    int range(int lo, int hi) {
        return lo + static_cast<int>(next() % static_cast<std::uint64_t>(hi - lo + 1));
    }

    // Real number in [0, 1).
    double unit() { return static_cast<double>(next() >> 11) * (1.0 / 9007199254740992.0); }

    bool chance(double p) { return unit() < p; }

  private:
    std::uint64_t state_;
};

// Stateless hash of a grid position, for texture that must not depend on drawing order.
inline std::uint64_t hash2(int x, int y, std::uint64_t seed) {
    Rng r(seed ^ (static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) << 32) ^
          static_cast<std::uint32_t>(y));
    return r.next();
}

inline double hashUnit(int x, int y, std::uint64_t seed) {
    return static_cast<double>(hash2(x, y, seed) >> 11) * (1.0 / 9007199254740992.0);
}

}  // namespace assetgen
