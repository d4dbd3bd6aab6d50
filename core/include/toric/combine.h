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

// The working of one combination, as a student writes it down: which case
// holds and, for oblique axes, each figure of the double-angle method.
// The result is the one combine_lenses gives, computed by the same steps.
struct CombinationSteps {
  enum class Case {
    kBothSpherical,  // no cylinder: the spheres add
    kOneSpherical,   // one cylinder: it is the result's
    kEqualAxes,      // the cylinders add
    kRightAngles,    // the stronger cylinder goes into the sphere
    kOblique,        // crossed cylinders by the double angles
  };
  Case kind = Case::kBothSpherical;
  int axis1 = 0, axis2 = 0;  // the lenses' axes, 0 read as 180
  // The oblique case's figures: sine and cosine of each double angle, the
  // sums of the cylinder components on the two double-angle axes, and the
  // half of their arctangent in degrees (between -45 and 45).
  double sin1 = 0, cos1 = 0, sin2 = 0, cos2 = 0;
  double sine_sum = 0, cosine_sum = 0;
  double half_angle = 0;
  // Near 90 or 180 (the rounded axis within 15 degrees of 180) the cylinder
  // is taken from the cosine sum, elsewhere from the sine sum.
  bool cylinder_from_cosine = false;
  double cylinder_divisor = 0;   // sin or cos of the rounded axis's double
  LensPower before_transposing;  // what the case gives
  bool transposed = false;       // a negative sphere's plus cylinder turned
  LensPower result;
};

// The combination's figures, written into `steps` whole (a list reuses
// one from row to row).
void combination_steps(const LensPower& lens1, const LensPower& lens2,
                       CombinationSteps& steps);

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
