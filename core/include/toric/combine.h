#pragma once
// The single prescription that equals two lenses laid one on the other.
// Pure arithmetic over `LensPower` values: no state, no errors.

#include "toric/lens_power.h"

namespace toric {

// The optician's 3.1416 for pi, not the exact value: results depend on it.
inline constexpr double PI_APPROX = 3.1416;
inline constexpr double TWO_PI_APPROX = 6.2832;

// Twice the angle `degrees` in radians, with 3.1416 for pi:
// ((degrees * 2) * 3.1416) / 180, the integer product formed first.
// double_angle(90) == 3.1416.
double double_angle(int degrees);

// Combines two lenses. Symmetric bit for bit: swapping the lenses gives the
// same result. The result may be in plus-cylinder form when its sphere is
// not negative. Example: 0.00/-2.00/30 with 0.00/-1.00/120 gives
// -1.00/-1.00/30.
LensPower combine_lenses(const LensPower& lens1, const LensPower& lens2);

// The same lens with its cylinder in the other form: the sphere plus the
// cylinder, the cylinder's sign turned, the axis a right angle round (1 to
// 180). A lens without cylinder is returned as it is.
// transpose({0.5, 1.0, 10}) == LensPower{1.5, -1.0, 100}.
LensPower transpose(const LensPower& lens);

}  // namespace toric
