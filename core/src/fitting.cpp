#include "toric/fitting.h"

#include <cmath>
#include <cstdio>

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

LensPower in_form(const LensPower& result, CylinderForm form) {
  const bool turn = (form == CylinderForm::kMinus && result.cylinder > 0) ||
                    (form == CylinderForm::kPlus && result.cylinder < 0);
  return turn ? transpose(result) : result;
}

bool fit_pair(const LensPower& lens1, const LensPower& lens2,
              const Fitting& fitting, FittedPair& pair) {
  // A mark settled to the examiner's left leaves the lens at its axis less
  // the rotation, to the right at its axis plus the rotation; the lens to
  // order has the rotation added back ("left add, right subtract").
  pair.lens1_sits =
      fitting.rotation == 0 ? lens1 : turned(lens1, -fitting.rotation);
  if (fitting.vertex_mm == 0) {
    pair.lens2_carried = lens2;
  } else if (const auto there = carried(lens2, fitting.vertex_mm / 1000)) {
    pair.lens2_carried = *there;
  } else {
    return false;
  }
  combination_steps(pair.lens1_sits, pair.lens2_carried, pair.steps);
  const LensPower result = fitting.rotation == 0
                               ? pair.steps.result
                               : turned(pair.steps.result, fitting.rotation);
  pair.exact = in_form(result, fitting.form);
  pair.ordered = fitting.step == 0 ? pair.exact
                                   : rounded_to_step(pair.exact, fitting.step);
  return true;
}

std::string not_carried(const Fitting& fitting) {
  char distance[32];
  std::snprintf(distance, sizeof distance, "%g", fitting.vertex_mm);
  return std::string("lens 2 cannot be carried ") + distance +
         " mm: 1 - dF is 0 or less for a meridian";
}

}  // namespace toric
