#include "toric/combine.h"

#include <array>
#include <cmath>

namespace toric {

namespace {

// Nearest whole number, an exact half going to the even neighbour
// (16.5 -> 16, 17.5 -> 18), whatever the floating-point rounding mode.
int round_half_even(double value) {
  double rounded = std::round(value);  // halves away from zero
  if (std::fabs(value - std::trunc(value)) == 0.5) {
    rounded = 2.0 * std::round(value / 2.0);
  }
  return static_cast<int>(rounded);
}

// The angle rounded to nine decimals. sin, cos and atan may differ in their
// last bit from one C library to another (MinGW's atan from glibc's), and
// at an angle of exactly a whole number and a half that bit would pick the
// axis. On this decimal grid an exact half is exactly a half, and every
// platform takes the same neighbour. Only the angle is rounded: the
// cylinder and the sphere keep every bit of the steps, and no cylinder comes
// near enough to a shown boundary for a last bit to change a digit.
double to_nine_decimals(double value) { return std::round(value * 1e9) / 1e9; }

// sin and cos of double_angle(a) for every axis from 0 to 180, taken once:
// the same values as taken at each use, without taking them again for
// every pair of a long list.
struct DoubleAngleTable {
  std::array<double, 181> sin, cos;
};

const DoubleAngleTable& double_angles() {
  static const DoubleAngleTable table = [] {
    DoubleAngleTable t;
    for (int a = 0; a <= 180; ++a) {
      t.sin[a] = std::sin(double_angle(a));
      t.cos[a] = std::cos(double_angle(a));
    }
    return t;
  }();
  return table;
}

// Two cylinders at neither equal nor right-angled axes: crossed cylinders
// by the double-angle formula.
[[gnu::always_inline]] inline LensPower combine_oblique(
    double spheres, double c1, int a1, double c2, int a2,
    CombinationSteps& steps) {
  const DoubleAngleTable& angles = double_angles();
  const double s1 = steps.sin1 = angles.sin[a1];
  const double s2 = steps.sin2 = angles.sin[a2];
  const double cos1 = steps.cos1 = angles.cos[a1];
  const double cos2 = steps.cos2 = angles.cos[a2];
  const double y = steps.sine_sum = c1 * s1 + c2 * s2;
  const double x = steps.cosine_sum = c1 * cos1 + c2 * cos2;
  const double t = y / x;
  const double angle = steps.half_angle =
      to_nine_decimals((std::atan(t) * 180.0) / TWO_PI_APPROX);

  LensPower result;
  result.axis = round_half_even(angle);
  if (result.axis <= 0) result.axis += 180;
  // The cylinder comes from the sine component at the rounded axis, except
  // within 15 degrees of 180 (combined axes near 90 or 180): there sin(2A) is
  // small, so the half-degree rounding of A would be magnified many times
  // (at 180 the sine is only about 1.5e-5), and the cosine component, close
  // to 1 in magnitude, gives the cylinder instead.
  steps.cylinder_from_cosine = result.axis >= 165 || result.axis <= 15;
  if (steps.cylinder_from_cosine) {
    steps.cylinder_divisor = angles.cos[result.axis];
    result.cylinder = x / steps.cylinder_divisor;
  } else {
    steps.cylinder_divisor = angles.sin[result.axis];
    result.cylinder = y / steps.cylinder_divisor;
  }
  result.sphere = spheres + ((c1 + c2) - result.cylinder) / 2;
  return result;
}

// Axes at right angles: the stronger cylinder goes into the sphere and the
// result keeps the weaker cylinder's axis, in plus-cylinder form.
LensPower combine_right_angled(double spheres, double c1, int a1, double c2,
                               int a2) {
  LensPower result;
  if (c1 < c2) {
    result = {spheres + c1, c2 - c1, a2};
  } else if (c1 > c2) {
    result = {spheres + c2, c1 - c2, a1};
  } else {
    result = {spheres + c1, 0.0, 0};
  }
  return result;
}

// A plus cylinder is turned into minus form, but only when the sphere is
// negative; a sphere of 0 or more keeps its plus cylinder.
LensPower transpose_if_sphere_negative(const LensPower& result) {
  return result.sphere < 0 && result.cylinder > 0 ? transpose(result) : result;
}

}  // namespace

double double_angle(int degrees) {
  return static_cast<double>(degrees * 2) * PI_APPROX / 180;
}

LensPower transpose(const LensPower& lens) {
  if (lens.cylinder == 0) return lens;
  return {lens.sphere + lens.cylinder, -lens.cylinder, axis_turned(lens.axis)};
}

namespace {

// The combination, its figures written into `steps`. Both entry points
// below run it; combine_lenses keeps only the result, and the compiler
// drops the figures nobody reads.
[[gnu::always_inline]] inline void work_out(const LensPower& lens1,
                                            const LensPower& lens2,
                                            CombinationSteps& steps) {
  const double c1 = lens1.cylinder;
  const double c2 = lens2.cylinder;
  const int a1 = steps.axis1 = axis_read(lens1.axis);
  const int a2 = steps.axis2 = axis_read(lens2.axis);
  const double spheres = lens1.sphere + lens2.sphere;

  // The first case that holds decides; the order matters (a spherical lens
  // at right angles to a cylinder is not a right-angled pair).
  using Case = CombinationSteps::Case;
  LensPower& result = steps.before_transposing;
  if (c1 == 0 && c2 == 0) {
    steps.kind = Case::kBothSpherical;
    result = {spheres, 0.0, 0};
  } else if (c1 == 0 && c2 < 0) {
    steps.kind = Case::kOneSpherical;
    result = {spheres, c2, a2};
  } else if (c2 == 0 && c1 < 0) {
    steps.kind = Case::kOneSpherical;
    result = {spheres, c1, a1};
  } else if (a1 == a2) {
    steps.kind = Case::kEqualAxes;
    result = {spheres, c1 + c2, a1};
  } else if (a1 == a2 + 90 || a2 == a1 + 90) {
    steps.kind = Case::kRightAngles;
    result = combine_right_angled(spheres, c1, a1, c2, a2);
  } else {
    steps.kind = Case::kOblique;
    result = combine_oblique(spheres, c1, a1, c2, a2, steps);
  }
  steps.result = transpose_if_sphere_negative(result);
  steps.transposed = steps.result.cylinder != result.cylinder;
}

}  // namespace

void combination_steps(const LensPower& lens1, const LensPower& lens2,
                       CombinationSteps& steps) {
  steps = CombinationSteps{};
  work_out(lens1, lens2, steps);
}

LensPower combine_lenses(const LensPower& lens1, const LensPower& lens2) {
  CombinationSteps steps;
  work_out(lens1, lens2, steps);
  return steps.result;
}

}  // namespace toric
