#pragma once
// What the readout above each kind of bar shows for a bar position: the one
// rule that both the readout labels and the bars' spoken values use.

#include <cstdint>
#include <string>

#include "toric/format.h"
#include "toric/lens_power.h"

namespace toric {

using BarReadout = std::string (*)(std::int16_t position);

inline std::string sphere_readout(std::int16_t position) {
  return format_power(scale_to_sphere(position));
}

inline std::string cylinder_readout(std::int16_t position) {
  return format_power(scale_to_cylinder(position));
}

inline std::string axis_readout(std::int16_t position) {
  return format_axis(scale_to_axis(position));
}

}  // namespace toric
