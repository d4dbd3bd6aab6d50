#include "toric/lens_power.h"

namespace toric {

namespace {

// A value on `span`'s grid as its position.
std::int16_t position_of(const BarSpan& span, double value) {
  return static_cast<std::int16_t>(span.zero + value / span.per_position);
}

}  // namespace

double scale_to_sphere(std::int16_t position) {
  return span_value(kSphereSpan, position);
}

double scale_to_cylinder(std::int16_t position) {
  // Position 0 gives -0.0; every test downstream treats it as zero.
  return span_value(kCylinderSpan, position);
}

int scale_to_axis(std::int16_t position) {
  // Whole degrees a position: in integers.
  return (position - kAxisSpan.zero) * static_cast<int>(kAxisSpan.per_position);
}

LensPower lens_on_bars(std::int16_t sphere, std::int16_t cylinder,
                       std::int16_t axis) {
  return {scale_to_sphere(sphere), scale_to_cylinder(cylinder),
          scale_to_axis(axis)};
}

std::int16_t sphere_to_scale(double dioptres) {
  return position_of(kSphereSpan, dioptres);
}

std::int16_t cylinder_to_scale(double dioptres) {
  return position_of(kCylinderSpan, dioptres);
}

std::int16_t axis_to_scale(int degrees) {
  return static_cast<std::int16_t>(
      kAxisSpan.zero + degrees / static_cast<int>(kAxisSpan.per_position));
}

}  // namespace toric
