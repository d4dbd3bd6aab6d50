// Combinations per second on one core over the whole grid the bars can
// set: every cylinder and axis of both lenses, about 14.4 million pairs.
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <vector>

#include "toric/combine.h"
#include "toric/lens_power.h"

int main() {
  std::vector<toric::LensPower> lenses;
  for (std::int16_t c = 0; c <= 20; ++c) {
    for (std::int16_t a = 0; a <= 180; ++a) {
      lenses.push_back({toric::scale_to_sphere(41), toric::scale_to_cylinder(c),
                        toric::scale_to_axis(a)});
    }
  }
  double checksum = 0;
  const auto start = std::chrono::steady_clock::now();
  for (const auto& lens1 : lenses) {
    for (const auto& lens2 : lenses) {
      const toric::LensPower r = toric::combine_lenses(lens1, lens2);
      checksum += r.sphere + r.cylinder + r.axis;
    }
  }
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start)
          .count();
  const double pairs = static_cast<double>(lenses.size()) * lenses.size();
  std::printf("grid_pairs %.0f\n", pairs);
  std::printf("grid_seconds %.3f\n", seconds);
  std::printf("combinations_per_second %.0f\n", pairs / seconds);
  std::printf("checksum %.6f\n", checksum);
  return 0;
}
