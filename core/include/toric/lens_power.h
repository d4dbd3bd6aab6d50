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

// Sphere bar, positions 0 to 80: 0 is +10.00 D, 40 is 0.00 D, 80 is -10.00 D.
double scale_to_sphere(std::int16_t position);

// Cylinder bar, positions 0 to 20: 0 is 0.00 D, 20 is -5.00 D.
double scale_to_cylinder(std::int16_t position);

// Axis bar, positions 0 to 180: 0 is 180, 90 is 90, 180 is 0 (read as 180).
int scale_to_axis(std::int16_t position);

// The other way: the position at which a bar shows a value it can set (a
// sphere or cylinder on the quarter-dioptre grid within the bar's range,
// an axis from 0 to 180). sphere_to_scale(-1.25) == 45.
std::int16_t sphere_to_scale(double dioptres);
std::int16_t cylinder_to_scale(double dioptres);
std::int16_t axis_to_scale(int degrees);

}  // namespace toric
