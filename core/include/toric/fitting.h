#pragma once
// What a contact-lens fitter does to a lens before and after combining:
// carry it over a vertex distance, turn it where its mark settled, round
// the result to the steps lenses are made in.

#include <optional>
#include <string>

#include "toric/combine.h"
#include "toric/lens_power.h"

namespace toric {

// The lens as it acts `metres` further on towards the eye: each principal
// meridian F (the sphere, and the sphere plus the cylinder) becomes
// F / (1 - dF). None where 1 - dF is 0 or less for a meridian.
// carried({-8.0, -2.0, 180}, 0.012) is about {-7.2993, -1.6293, 180}.
std::optional<LensPower> carried(const LensPower& lens, double metres);

// The lens turned by `degrees` (counterclockwise as the examiner sees it,
// the way axes are counted): its axis plus `degrees`, from 1 to 180. A lens
// without cylinder is returned as it is.
// turned({-1.0, -0.5, 175}, 10) == LensPower{-1.0, -0.5, 5}.
LensPower turned(const LensPower& lens, int degrees);

// Sphere and cylinder each rounded to the nearest multiple of `step`
// (halves away from zero); a cylinder that rounds to 0 leaves no axis.
// rounded_to_step({-0.0152, -1.9696, 15}, 0.25) == LensPower{0, -2.0, 15}.
LensPower rounded_to_step(const LensPower& lens, double step);

// The cylinder form of the results: the window's rule (a plus cylinder is
// turned only when the sphere is negative), or every result in one form.
enum class CylinderForm { kWindow, kMinus, kPlus };

// The result in the chosen cylinder form.
LensPower in_form(const LensPower& result, CylinderForm form);

// How a fitter or a student combines a pair: lens 2 carried over its
// vertex distance to lens 1, lens 1 where its mark settled on the eye, the
// result as the lens to order, rounded to a step. With none of these it is
// the window's combination.
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

// The one way from a pair to its result, for a typed pair and every row of
// a list: fills `pair`; false where lens 2 cannot be carried (1 - dF is 0
// or less for a meridian). A list reuses one FittedPair from row to row.
bool fit_pair(const LensPower& lens1, const LensPower& lens2,
              const Fitting& fitting, FittedPair& pair);

// Why fit_pair could not carry lens 2: "lens 2 cannot be carried 50 mm:
// 1 - dF is 0 or less for a meridian".
std::string not_carried(const Fitting& fitting);

}  // namespace toric
