#pragma once

#include <cstdint>

namespace assetgen {

// Smooth value noise in [0, 1): random values on an integer lattice, blended with a smoothstep.
// With `periodX` > 0 the noise repeats every `periodX` units along x.
double valueNoise(double x, double y, std::uint64_t seed, int periodX = 0);

// Sum of `octaves` layers of value noise, each twice as fine and half as strong, in [0, 1).
double fractalNoise(double x, double y, std::uint64_t seed, int octaves, int periodX = 0);

}  // namespace assetgen
