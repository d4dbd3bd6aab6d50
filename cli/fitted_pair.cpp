#include "fitted_pair.h"

#include <cstdio>

#include "toric/fitting.h"

namespace toric {

LensPower in_form(const LensPower& result, CylinderForm form) {
  const bool turn = (form == CylinderForm::kMinus && result.cylinder > 0) ||
                    (form == CylinderForm::kPlus && result.cylinder < 0);
  return turn ? transpose(result) : result;
}

bool fit_pair(const LensPower& lens1, const LensPower& lens2,
              const Fitting& fitting, FittedPair& pair, std::string& error) {
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
    char distance[32];
    std::snprintf(distance, sizeof distance, "%g", fitting.vertex_mm);
    error = std::string("lens 2 cannot be carried ") + distance +
            " mm: 1 - dF is 0 or less for a meridian";
    return false;
  }
  pair.steps = combination_steps(pair.lens1_sits, pair.lens2_carried);
  const LensPower result = fitting.rotation == 0
                               ? pair.steps.result
                               : turned(pair.steps.result, fitting.rotation);
  pair.exact = in_form(result, fitting.form);
  pair.ordered = fitting.step == 0 ? pair.exact
                                   : rounded_to_step(pair.exact, fitting.step);
  return true;
}

}  // namespace toric
