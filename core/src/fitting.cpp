#include "toric/fitting.h"

#include <cmath>

namespace toric {

std::optional<LensPower> carried(const LensPower& lens, double metres) {
  const auto meridian = [&](double power) -> std::optional<double> {
    const double divisor = 1 - metres * power;
    if (!(divisor > 0)) return std::nullopt;
    return power / divisor;
  };
  const std::optional<double> first = meridian(lens.sphere);
  const std::optional<double> second = meridian(lens.sphere + lens.cylinder);
  if (!first || !second) return std::nullopt;
  const double cylinder = lens.cylinder == 0 ? 0.0 : *second - *first;
  return LensPower{*first, cylinder, lens.axis};
}

LensPower turned(const LensPower& lens, int degrees) {
  if (lens.cylinder == 0) return lens;
  const int axis = ((lens.axis + degrees) % 180 + 180) % 180;
  return {lens.sphere, lens.cylinder, axis_read(axis)};
}

LensPower rounded_to_step(const LensPower& lens, double step) {
  const auto rounded = [&](double value) {
    return std::round(value / step) * step;
  };
  const double cylinder = rounded(lens.cylinder);
  return {rounded(lens.sphere), cylinder, cylinder == 0 ? 0 : lens.axis};
}

}  // namespace toric
