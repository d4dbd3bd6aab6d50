#pragma once
// Bit-for-bit equality of two lenses: the combination must not depend on
// which lens comes first, down to the last bit of sphere and cylinder.

#include <bit>
#include <cstdint>

#include "toric/lens_power.h"

namespace toric::test {

inline bool same_bits(const LensPower& a, const LensPower& b) {
  return std::bit_cast<std::uint64_t>(a.sphere) ==
             std::bit_cast<std::uint64_t>(b.sphere) &&
         std::bit_cast<std::uint64_t>(a.cylinder) ==
             std::bit_cast<std::uint64_t>(b.cylinder) &&
         a.axis == b.axis;
}

}  // namespace toric::test
