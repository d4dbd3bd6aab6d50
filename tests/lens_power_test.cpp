// Scroll bar positions decoded into lens values, and back.
#include "toric/lens_power.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>

namespace {

struct PowerCase {
  std::int16_t position;
  double dioptres;
};

TEST(ScaleToSphere, EndsStartAndOneStepEachWay) {
  const PowerCase cases[] = {{0, 10.0},   {1, 9.75},   {39, 0.25}, {40, 0.0},
                             {41, -0.25}, {79, -9.75}, {80, -10.0}};
  for (const auto& c : cases) {
    EXPECT_EQ(toric::scale_to_sphere(c.position), c.dioptres)
        << "position " << c.position;
  }
}

TEST(ScaleToSphere, EveryPositionIsAQuarterDioptreBelowTheLast) {
  for (std::int16_t p = 1; p <= 80; ++p) {
    EXPECT_EQ(toric::scale_to_sphere(p), toric::scale_to_sphere(p - 1) - 0.25);
  }
}

TEST(ScaleToCylinder, EndsAndOneStep) {
  const PowerCase cases[] = {
      {0, 0.0}, {1, -0.25}, {2, -0.5}, {19, -4.75}, {20, -5.0}};
  for (const auto& c : cases) {
    EXPECT_EQ(toric::scale_to_cylinder(c.position), c.dioptres)
        << "position " << c.position;
  }
}

TEST(ScaleToPower, StartPositionsGiveANegativeZeroThatEqualsZero) {
  const double sphere = toric::scale_to_sphere(40);
  const double cylinder = toric::scale_to_cylinder(0);
  EXPECT_TRUE(std::signbit(sphere));
  EXPECT_TRUE(std::signbit(cylinder));
  EXPECT_EQ(sphere, 0.0);
  EXPECT_EQ(cylinder, 0.0);
}

TEST(ScaleToAxis, EndsStartAndOneStep) {
  const struct {
    std::int16_t position;
    int degrees;
  } cases[] = {{0, 180}, {1, 179}, {90, 90}, {179, 1}, {180, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(toric::scale_to_axis(c.position), c.degrees)
        << "position " << c.position;
  }
}

TEST(ScaleFromValue, EveryPositionComesBackFromTheValueItShows) {
  for (std::int16_t p = 0; p <= 80; ++p) {
    EXPECT_EQ(toric::sphere_to_scale(toric::scale_to_sphere(p)), p);
  }
  for (std::int16_t p = 0; p <= 20; ++p) {
    EXPECT_EQ(toric::cylinder_to_scale(toric::scale_to_cylinder(p)), p);
  }
  for (std::int16_t p = 0; p <= 180; ++p) {
    EXPECT_EQ(toric::axis_to_scale(toric::scale_to_axis(p)), p);
  }
}

}  // namespace
