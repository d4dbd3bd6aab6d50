// Speed of the lens arithmetic: the combination on oblique and non-oblique
// pairs, and the rendering of the result line.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "toric/combine.h"
#include "toric/format.h"
#include "toric/lens_power.h"

namespace {

using toric::LensPower;

// A spread of pairs from the bars: cylinders 0.25 to 5.00 D at every 7th
// axis, so most pairs are oblique and a few are equal or right-angled.
std::vector<std::pair<LensPower, LensPower>> pairs(bool oblique) {
  std::vector<std::pair<LensPower, LensPower>> result;
  for (std::int16_t c = 1; c <= 20; c += 3) {
    for (std::int16_t a1 = 0; a1 <= 180; a1 += 7) {
      for (std::int16_t a2 = 3; a2 <= 180; a2 += 11) {
        const LensPower l1{toric::scale_to_sphere(44),
                           toric::scale_to_cylinder(c),
                           toric::scale_to_axis(a1)};
        // Non-oblique: lens 2 at the same axis or at right angles.
        const int axis1 = l1.axis == 0 ? 180 : l1.axis;
        const int right_angle = axis1 > 90 ? axis1 - 90 : axis1 + 90;
        const int a2_axis =
            oblique ? toric::scale_to_axis(a2) : (a2 % 2 ? axis1 : right_angle);
        const LensPower l2{toric::scale_to_sphere(36),
                           toric::scale_to_cylinder(20 - c), a2_axis};
        result.emplace_back(l1, l2);
      }
    }
  }
  return result;
}

void combine(benchmark::State& state, bool oblique) {
  const auto lens_pairs = pairs(oblique);
  std::size_t i = 0;
  for (auto _ : state) {
    const auto& [l1, l2] = lens_pairs[i];
    benchmark::DoNotOptimize(toric::combine_lenses(l1, l2));
    i = (i + 1 == lens_pairs.size()) ? 0 : i + 1;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK_CAPTURE(combine, oblique_pairs, true);
BENCHMARK_CAPTURE(combine, equal_or_right_angled_pairs, false);

void format_result_line(benchmark::State& state) {
  const LensPower results[] = {
      {-0.0603, -1.8794, 50}, {0.0, 0.0, 0}, {1.5, 0.75, 90}};
  std::size_t i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(toric::format_result(results[i]));
    i = (i + 1) % 3;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(format_result_line);

}  // namespace
