#pragma once
// What the readout above each kind of bar shows for a bar position: the one
// rule that the readout labels, the bars' spoken text and their values for
// assistive tools all use.

#include <cstdint>
#include <string>

#include "toric/format.h"
#include "toric/lens_power.h"

namespace toric {

// One kind of bar: the readout's text for a position, the number in it
// (dioptres, or degrees with 0 read as 180), and that number's range and
// step.
struct BarScale {
  std::string (*readout)(std::int16_t position);
  double (*value)(std::int16_t position);
  double lowest, highest, step;
};

inline constexpr BarScale kSphereScale{
    [](std::int16_t p) { return format_power(scale_to_sphere(p)); },
    [](std::int16_t p) { return scale_to_sphere(p) + 0.0; }, -10.0, 10.0, 0.25};

inline constexpr BarScale kCylinderScale{
    [](std::int16_t p) { return format_power(scale_to_cylinder(p)); },
    [](std::int16_t p) { return scale_to_cylinder(p) + 0.0; }, -5.0, 0.0, 0.25};

inline constexpr BarScale kAxisScale{
    [](std::int16_t p) { return format_axis(scale_to_axis(p)); },
    [](std::int16_t p) {
      const int degrees = scale_to_axis(p);
      return degrees == 0 ? 180.0 : degrees;
    },
    1.0, 180.0, 1.0};

}  // namespace toric
