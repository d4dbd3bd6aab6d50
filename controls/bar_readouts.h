#pragma once
// What the readout above each kind of bar shows for a bar position: the one
// rule that the readout labels, the bars' spoken text and their values for
// assistive tools all use.

#include <cstdint>
#include <string>
#include <string_view>

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
    [](std::int16_t p) { return scale_to_sphere(p) + 0.0; },
    span_lowest(kSphereSpan), span_highest(kSphereSpan),
    span_step(kSphereSpan)};

inline constexpr BarScale kCylinderScale{
    [](std::int16_t p) { return format_power(scale_to_cylinder(p)); },
    [](std::int16_t p) { return scale_to_cylinder(p) + 0.0; },
    span_lowest(kCylinderSpan), span_highest(kCylinderSpan),
    span_step(kCylinderSpan)};

// The axis reads 180 at both ends, so its values run from one step above
// 0 to 180.
inline constexpr BarScale kAxisScale{
    [](std::int16_t p) { return format_axis(scale_to_axis(p)); },
    [](std::int16_t p) {
      return static_cast<double>(axis_read(scale_to_axis(p)));
    },
    span_lowest(kAxisSpan) + span_step(kAxisSpan), span_highest(kAxisSpan),
    span_step(kAxisSpan)};

// Each bar with the readout above it and what that readout shows, in the
// order the lens arithmetic reads the bars: lens 1's sphere, cylinder and
// axis, then lens 2's.
struct BarReadout {
  const char* bar;
  const char* readout;
  const BarScale& scale;
};

inline constexpr int kBarCount = 6;
inline constexpr BarReadout kBarReadouts[kBarCount] = {
    {"HScroll1", "Label7", kSphereScale},
    {"HScroll2", "Label8", kCylinderScale},
    {"HScroll3", "Label9", kAxisScale},
    {"HScroll4", "Label10", kSphereScale},
    {"HScroll5", "Label11", kCylinderScale},
    {"HScroll6", "Label12", kAxisScale},
};

// The scale of the bar named `bar`, or null for a name not listed.
constexpr const BarScale* scale_of_bar(std::string_view bar) {
  for (const BarReadout& wiring : kBarReadouts) {
    if (wiring.bar == bar) return &wiring.scale;
  }
  return nullptr;
}

}  // namespace toric
