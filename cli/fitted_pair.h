#pragma once
// A pair of lenses as fitters and students combine it: lens 2 carried over
// its vertex distance to lens 1, lens 1 where its mark settled on the eye,
// the result as the lens to order, rounded to a step. Without any of these
// it is the window's combination.

#include <string>

#include "toric/combine.h"
#include "toric/lens_power.h"

namespace toric {

// The cylinder form of the results: the window's rule (a plus cylinder is
// turned only when the sphere is negative), or every result in one form.
enum class CylinderForm { kWindow, kMinus, kPlus };

struct Fitting {
  double vertex_mm = 0;  // lens 2 sits this far in front of lens 1
  // Lens 1's mark settled this many degrees to the examiner's left (more
  // than 0) or right (less than 0).
  int rotation = 0;
  double step = 0;  // the result rounded to it; 0 for exact
  CylinderForm form = CylinderForm::kWindow;
};

struct FittedPair {
  LensPower lens1_sits;     // lens 1 where it sits: its axis less rotation
  LensPower lens2_carried;  // lens 2 at lens 1's plane
  CombinationSteps steps;   // the combination of the two
  LensPower exact;          // the lens to order: rotation added back, form
  LensPower ordered;        // the same rounded to the step (or exact)
};

// Fills `pair` for the two lenses; false, with `error` saying why, where
// lens 2 cannot be carried. A list reuses one FittedPair from row to row.
bool fit_pair(const LensPower& lens1, const LensPower& lens2,
              const Fitting& fitting, FittedPair& pair, std::string& error);

// The result in the chosen cylinder form.
LensPower in_form(const LensPower& result, CylinderForm form);

}  // namespace toric
