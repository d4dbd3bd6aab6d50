#include "toric/lens_power.h"

namespace toric {

namespace {
// Every step on a power bar is a quarter dioptre towards minus.
constexpr double kPositionsPerDioptre = -4.0;
// The sphere bar shows 0.00 D here; the axis bar counts down from 180.
constexpr std::int16_t kSphereZero = 40;
constexpr std::int16_t kAxisZero = 180;
}  // namespace

double scale_to_sphere(std::int16_t position) {
  const auto offset = static_cast<std::int16_t>(position - kSphereZero);
  return static_cast<double>(offset) / kPositionsPerDioptre;
}

double scale_to_cylinder(std::int16_t position) {
  // Position 0 gives -0.0; every test downstream treats it as zero.
  return static_cast<double>(position) / kPositionsPerDioptre;
}

int scale_to_axis(std::int16_t position) {
  return static_cast<std::int16_t>(kAxisZero - position);
}

std::int16_t sphere_to_scale(double dioptres) {
  return static_cast<std::int16_t>(kSphereZero +
                                   dioptres * kPositionsPerDioptre);
}

std::int16_t cylinder_to_scale(double dioptres) {
  return static_cast<std::int16_t>(dioptres * kPositionsPerDioptre);
}

std::int16_t axis_to_scale(int degrees) {
  return static_cast<std::int16_t>(kAxisZero - degrees);
}

}  // namespace toric
