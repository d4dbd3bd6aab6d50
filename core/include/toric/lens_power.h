#pragma once
// One sphero-cylindrical lens, and how a scroll bar position becomes one of
// its three values. The readouts and the calculate command both decode
// positions here, so the two always agree.

#include <cstdint>

namespace toric {

// A lens, or the combination of two. `axis` is in whole degrees: 0 to 180 on
// input, where 0 stands for 180; in a result 1 to 180, or 0 for "no axis"
// when the cylinder is 0.
struct LensPower {
  double sphere = 0.0;    // dioptres
  double cylinder = 0.0;  // dioptres, minus form (<= 0) on input
  int axis = 0;           // whole degrees
};

// A bar's scale, the one table the window's bars, their readouts, their
// values for assistive tools and toric-combine's range messages read:
// positions run from 0 to `last`; position `zero` reads 0 and each position
// further reads `per_position` more; the bar starts at `start` and a page
// (Page Up, Page Down) is `page` positions.
struct BarSpan {
  std::int16_t last;
  std::int16_t zero;
  double per_position;  // dioptres, or whole degrees
  std::int16_t start;
  std::int16_t page;
};

inline constexpr BarSpan kSphereSpan{80, 40, -0.25, 40, 4};
inline constexpr BarSpan kCylinderSpan{20, 0, -0.25, 0, 4};
inline constexpr BarSpan kAxisSpan{180, 180, -1.0, 90, 15};

// What `span` reads at a position: dioptres, or degrees from 0 to 180.
constexpr double span_value(const BarSpan& span, std::int16_t position) {
  return static_cast<double>(position - span.zero) * span.per_position;
}

// An axis of 0 reads as 180, on the bars and wherever a lens is written.
constexpr int axis_read(int degrees) { return degrees == 0 ? 180 : degrees; }

// The axis a right angle round, from 1 to 180: what a cylinder's axis
// becomes when the cylinder changes form. axis_turned(135) == 45.
constexpr int axis_turned(int degrees) {
  const int turned = axis_read(degrees) + 90;
  return turned > 180 ? turned - 180 : turned;
}

// The value of one step of `span`, without its sign.
constexpr double span_step(const BarSpan& span) {
  return span.per_position < 0 ? -span.per_position : span.per_position;
}

// The lowest and highest value a power bar sets.
constexpr double span_lowest(const BarSpan& span) {
  const double a = span_value(span, 0), b = span_value(span, span.last);
  return a < b ? a : b;
}
constexpr double span_highest(const BarSpan& span) {
  const double a = span_value(span, 0), b = span_value(span, span.last);
  return a < b ? b : a;
}

// Sphere bar, positions 0 to 80: 0 is +10.00 D, 40 is 0.00 D, 80 is -10.00 D.
double scale_to_sphere(std::int16_t position);

// Cylinder bar, positions 0 to 20: 0 is 0.00 D, 20 is -5.00 D.
double scale_to_cylinder(std::int16_t position);

// Axis bar, positions 0 to 180: 0 is 180, 90 is 90, 180 is 0 (read as 180).
int scale_to_axis(std::int16_t position);

// The lens that a sphere, a cylinder and an axis bar set at these positions.
LensPower lens_on_bars(std::int16_t sphere, std::int16_t cylinder,
                       std::int16_t axis);

// The other way: the position at which a bar shows a value it can set (a
// sphere or cylinder on the quarter-dioptre grid within the bar's range,
// an axis from 0 to 180). sphere_to_scale(-1.25) == 45.
std::int16_t sphere_to_scale(double dioptres);
std::int16_t cylinder_to_scale(double dioptres);
std::int16_t axis_to_scale(int degrees);

}  // namespace toric
