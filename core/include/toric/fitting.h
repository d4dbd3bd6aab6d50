#pragma once
// What a contact-lens fitter does to a lens before and after combining:
// carry it over a vertex distance, turn it where its mark settled, round
// the result to the steps lenses are made in.

#include <optional>

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

}  // namespace toric
