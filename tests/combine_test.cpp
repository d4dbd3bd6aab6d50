// Two lenses combined into one: every case of the combination, the final
// transposition, the band within 15 degrees of axis 180 where the cylinder
// comes from the cosine component, and the ties where a last bit would
// change the line (these run on Windows as well).
#include "toric/combine.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "same_lens_bits.h"
#include "toric/format.h"

namespace {

using toric::LensPower;
using toric::test::same_bits;

struct CombineCase {
  const char* name;
  LensPower lens1;
  LensPower lens2;
  LensPower expected;
  double tolerance;  // 0: exact; otherwise the last digit of a 4-decimal value
  const char* text;  // the result line the user reads
};

constexpr double kExact = 0.0;
constexpr double kFourDecimals = 0.00005;
constexpr double kElevenDecimals = 0.000000000005;

const CombineCase kCases[] = {
    {"both_spherical_ignores_axes",
     {1.0, 0.0, 90},
     {-2.5, 0.0, 45},
     {-1.5, 0.0, 0},
     kExact,
     "Ｓ-1.50Ｄ"},
    {"lens1_spherical_takes_lens2_cylinder",
     {0.0, 0.0, 30},
     {-1.0, -0.75, 120},
     {-1.0, -0.75, 120},
     kExact,
     "Ｓ-1.00Ｄ Ｃ-0.75Ｄ Ａ120°"},
    {"lens2_spherical_takes_lens1_cylinder",
     {-0.5, -1.25, 15},
     {0.25, 0.0, 90},
     {-0.25, -1.25, 15},
     kExact,
     "Ｓ-0.25Ｄ Ｃ-1.25Ｄ Ａ15°"},
    {"equal_axes_add_cylinders",
     {-1.0, -0.5, 180},
     {-0.5, -0.75, 180},
     {-1.5, -1.25, 180},
     kExact,
     "Ｓ-1.50Ｄ Ｃ-1.25Ｄ Ａ180°"},
    {"axis_0_equals_axis_180",
     {0.0, -0.5, 0},
     {0.0, -0.25, 180},
     {0.0, -0.75, 180},
     kExact,
     "Ｓ 0.00Ｄ Ｃ-0.75Ｄ Ａ180°"},
    {"right_angles_stronger_lens1_then_transposed",
     {0.0, -2.0, 30},
     {0.0, -1.0, 120},
     {-1.0, -1.0, 30},
     kExact,
     "Ｓ-1.00Ｄ Ｃ-1.00Ｄ Ａ30°"},
    {"right_angles_plus_cylinder_kept_for_plus_sphere",
     {1.0, -0.5, 10},
     {1.0, -1.5, 100},
     {0.5, 1.0, 10},
     kExact,
     "Ｓ＋0.50Ｄ Ｃ＋1.00Ｄ Ａ10°"},
    // A sphere of exactly 0 is not negative: the plus cylinder stays.
    {"right_angles_plus_cylinder_kept_for_zero_sphere",
     {1.0, -1.0, 90},
     {0.0, -0.5, 180},
     {0.0, 0.5, 180},
     kExact,
     "Ｓ 0.00Ｄ Ｃ＋0.50Ｄ Ａ180°"},
    {"right_angles_equal_cylinders_cancel",
     {0.0, -1.0, 45},
     {0.0, -1.0, 135},
     {-1.0, 0.0, 0},
     kExact,
     "Ｓ-1.00Ｄ"},
    {"right_angles_through_axis_0",
     {0.0, -1.0, 0},
     {0.0, -2.0, 90},
     {-1.0, -1.0, 90},
     kExact,
     "Ｓ-1.00Ｄ Ｃ-1.00Ｄ Ａ90°"},
    {"spherical_lens_at_right_angles_is_not_case_five",
     {2.0, 0.0, 90},
     {0.0, -1.0, 180},
     {2.0, -1.0, 180},
     kExact,
     "Ｓ＋2.00Ｄ Ｃ-1.00Ｄ Ａ180°"},
    {"oblique_minus_result",
     {0.0, -1.0, 10},
     {0.0, -1.0, 20},
     {-0.0152, -1.9696, 15},
     kFourDecimals,
     "Ｓ-0.02Ｄ Ｃ-1.97Ｄ Ａ15°"},
    {"oblique_plus_result_transposed",
     {0.0, -1.0, 40},
     {0.0, -1.0, 60},
     {-0.0603, -1.8794, 50},
     kFourDecimals,
     "Ｓ-0.06Ｄ Ｃ-1.88Ｄ Ａ50°"},
    {"oblique_plus_result_kept",
     {1.0, -1.0, 40},
     {1.0, -1.0, 60},
     {0.0603, 1.8794, 140},
     kFourDecimals,
     "Ｓ＋0.06Ｄ Ｃ＋1.88Ｄ Ａ140°"},
    {"oblique_rounded_axis_feeds_cylinder",
     {0.0, -1.0, 10},
     {0.0, -0.5, 30},
     {-0.0570, -1.3860, 17},
     kFourDecimals,
     "Ｓ-0.06Ｄ Ｃ-1.39Ｄ Ａ17°"},
    // Within 15 degrees of 180 the cylinder comes from the cosine
    // component: the sine of the rounded axis is small there and would
    // magnify its rounding.
    {"oblique_one_degree_apart_at_180",
     {0.0, -1.0, 180},
     {0.0, -1.0, 179},
     {-0.0003, -1.9994, 180},
     kFourDecimals,
     "Ｓ 0.00Ｄ Ｃ-2.00Ｄ Ａ180°"},
    {"oblique_symmetric_about_180",
     {0.0, -1.0, 10},
     {0.0, -1.0, 170},
     {-0.0603, -1.8794, 180},
     kFourDecimals,
     "Ｓ-0.06Ｄ Ｃ-1.88Ｄ Ａ180°"},
    {"oblique_symmetric_about_90_transposed",
     {0.0, -1.0, 80},
     {0.0, -1.0, 100},
     {-0.0603, -1.8794, 90},
     kFourDecimals,
     "Ｓ-0.06Ｄ Ｃ-1.88Ｄ Ａ90°"},
    {"oblique_near_90_transposed",
     {0.0, -5.0, 88},
     {0.0, -5.0, 89},
     {-0.0046, -9.9909, 89},
     kFourDecimals,
     "Ｓ 0.00Ｄ Ｃ-9.99Ｄ Ａ89°"},
    {"oblique_near_180",
     {0.0, -1.0, 1},
     {0.0, -1.0, 2},
     {0.0009, -2.0018, 2},
     kFourDecimals,
     "Ｓ 0.00Ｄ Ｃ-2.00Ｄ Ａ2°"},
    {"oblique_at_the_edge_of_the_band",
     {0.0, -5.0, 14},
     {0.0, -4.75, 17},
     {-0.0526, -9.6448, 15},
     kFourDecimals,
     "Ｓ-0.05Ｄ Ｃ-9.64Ｄ Ａ15°"},
    {"oblique_just_outside_the_band",
     {0.0, -5.0, 16},
     {0.0, -5.0, 17},
     {0.1381, -10.2762, 16},
     kFourDecimals,
     "Ｓ＋0.14Ｄ Ｃ-10.28Ｄ Ａ16°"},
    {"oblique_unequal_across_180",
     {0.0, -0.75, 170},
     {0.0, -1.25, 2},
     {-0.0218, -1.9565, 178},
     kFourDecimals,
     "Ｓ-0.02Ｄ Ｃ-1.96Ｄ Ａ178°"},
    {"oblique_unequal_with_spheres_across_180",
     {1.5, -3.0, 5},
     {-2.0, -4.0, 175},
     {-0.5511, -6.8979, 179},
     kFourDecimals,
     "Ｓ-0.55Ｄ Ｃ-6.90Ｄ Ａ179°"},
    // Equal cylinders whose axes add up to an odd number: the angle is an
    // exact half here (2.5 and 3.5, or 15.5 for -5.00 at 14 and 17, which
    // gives 16), and goes to the even neighbour on every platform.
    {"oblique_half_degree_rounds_down_to_even",
     {0.0, -0.25, 1},
     {0.0, -0.25, 4},
     {-0.0007, -0.4986, 2},
     kFourDecimals,
     "Ｓ 0.00Ｄ Ｃ-0.50Ｄ Ａ2°"},
    {"oblique_half_degree_rounds_up_to_even",
     {0.0, -0.25, 2},
     {0.0, -0.25, 5},
     {0.0002, -0.5005, 4},
     kFourDecimals,
     "Ｓ 0.00Ｄ Ｃ-0.50Ｄ Ａ4°"},
    // glibc's last bits put this half a hair above 44.5, and gave 45.
    {"oblique_half_degree_taken_even_whatever_the_last_bits",
     {0.0, -0.25, 88},
     {0.0, -0.25, 1},
     {-0.2369, -0.0262, 44},
     kFourDecimals,
     "Ｓ-0.24Ｄ Ｃ-0.03Ｄ Ａ44°"},
    // Spheres a hair from a shown tie: the line follows the steps' own
    // doubles (-0.37499999997, -3.33500000005), not the exact optics.
    {"oblique_sphere_just_inside_a_tie",
     {0.0, -0.75, 30},
     {0.0, -0.75, 90},
     {-0.37499999997, -0.75000000005, 60},
     kElevenDecimals,
     "Ｓ-0.37Ｄ Ｃ-0.75Ｄ Ａ60°"},
    {"oblique_sphere_just_outside_a_tie",
     {0.0, -3.75, 116},
     {0.0, -4.0, 18},
     {-3.33500000005, -1.07999999990, 163},
     kElevenDecimals,
     "Ｓ-3.34Ｄ Ｃ-1.08Ｄ Ａ163°"},
};

class CombineLenses : public testing::TestWithParam<CombineCase> {};

TEST_P(CombineLenses, GivesTheWorkedResult) {
  const CombineCase& c = GetParam();
  const LensPower result = toric::combine_lenses(c.lens1, c.lens2);
  if (c.tolerance == kExact) {
    EXPECT_EQ(result.sphere, c.expected.sphere);
    EXPECT_EQ(result.cylinder, c.expected.cylinder);
  } else {
    EXPECT_NEAR(result.sphere, c.expected.sphere, c.tolerance);
    EXPECT_NEAR(result.cylinder, c.expected.cylinder, c.tolerance);
  }
  EXPECT_EQ(result.axis, c.expected.axis);
  EXPECT_EQ(toric::format_result(result), c.text);
}

TEST_P(CombineLenses, IsTheSameBitForBitWithTheLensesSwapped) {
  const CombineCase& c = GetParam();
  EXPECT_TRUE(same_bits(toric::combine_lenses(c.lens1, c.lens2),
                        toric::combine_lenses(c.lens2, c.lens1)));
}

INSTANTIATE_TEST_SUITE_P(WorkedExamples, CombineLenses,
                         testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<CombineCase>& info) {
                           return std::string(info.param.name);
                         });

TEST(DoubleAngle, UsesThePiOfTheTradeNotTheExactOne) {
  EXPECT_DOUBLE_EQ(toric::double_angle(90), 3.1416);
  EXPECT_DOUBLE_EQ(toric::double_angle(180), 6.2832);
  EXPECT_EQ(toric::double_angle(0), 0.0);
  EXPECT_EQ(toric::TWO_PI_APPROX, 2 * toric::PI_APPROX);
  // With 3.1416 the sine at axis 180 is not zero.
  EXPECT_NEAR(std::sin(toric::double_angle(180)), 1.4693e-5, 1e-9);
}

TEST(CombineLenses, EqualCylindersTakeTheMeanAxis) {
  const struct {
    int axis1, axis2, mean;
  } cases[] = {
      {20, 40, 30}, {2, 4, 3}, {150, 170, 160}, {100, 120, 110}, {1, 45, 23}};
  for (const auto& c : cases) {
    const LensPower result =
        toric::combine_lenses({0.0, -1.0, c.axis1}, {0.0, -1.0, c.axis2});
    EXPECT_EQ(result.axis, c.mean) << c.axis1 << " and " << c.axis2;
    EXPECT_LT(result.cylinder, 0.0) << c.axis1 << " and " << c.axis2;
  }
}

}  // namespace
