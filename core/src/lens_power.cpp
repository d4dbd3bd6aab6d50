#include "toric/lens_power.h"

namespace toric {

namespace {
// Every step on a power bar is a quarter dioptre towards minus.
constexpr double kDioptresPerPosition = -4.0;
}  // namespace

double scale_to_sphere(std::int16_t position) {
  const auto offset = static_cast<std::int16_t>(position - 40);
  return static_cast<double>(offset) / kDioptresPerPosition;
}

double scale_to_cylinder(std::int16_t position) {
  // Position 0 gives -0.0; every test downstream treats it as zero.
  return static_cast<double>(position) / kDioptresPerPosition;
}

int scale_to_axis(std::int16_t position) {
  return static_cast<std::int16_t>(180 - position);
}

}  // namespace toric
