// Typed lenses and lists for toric-combine: each notation reads as the lens
// the bars would set, a result line copied from the window reads back as
// its lens, and what the bars cannot set is named with its range.
#include "lens_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "combine_lines.h"
#include "same_lens_bits.h"
#include "toric/combine.h"
#include "toric/format.h"

namespace {

using toric::LensPower;

struct Notation {
  const char* name;
  const char* text;
  std::int16_t sphere_position, cylinder_position, axis_position;
};

const Notation kNotations[] = {
    {"tagged", "S-1.25 C-0.50 A180", 45, 2, 0},
    {"spaced_with_x", "-1.25 -0.50 x180", 45, 2, 0},
    {"slashed", "-1.25/-0.50x180", 45, 2, 0},
    {"three_numbers", "-1.25 -0.50 180", 45, 2, 0},
    {"axis_zero_is_180", "+0.75 -1.00 0", 37, 4, 0},
    {"axis_after_an_at_sign", "-1.25 -0.50 @180", 45, 2, 0},
    {"plano", "plano", 40, 0, 0},
    {"plano_short", "pl", 40, 0, 0},
    {"zero", "0", 40, 0, 0},
    {"sphere_alone", "+2.00", 32, 0, 0},
    {"window_line", "Ｓ＋1.50Ｄ Ｃ-0.75Ｄ Ａ90°", 34, 3, 90},
    {"window_zero_sphere", "Ｓ 0.00Ｄ Ｃ-5.00Ｄ Ａ1°", 40, 20, 179},
};

class ReadLens : public testing::TestWithParam<Notation> {};

TEST_P(ReadLens, GivesTheLensTheBarsSet) {
  const Notation& n = GetParam();
  const toric::LensReading reading = toric::read_lens(n.text);
  ASSERT_TRUE(reading.lens) << reading.error;
  const LensPower bars{toric::scale_to_sphere(n.sphere_position),
                       toric::scale_to_cylinder(n.cylinder_position),
                       toric::scale_to_axis(n.axis_position)};
  EXPECT_TRUE(toric::test::same_bits(*reading.lens, bars))
      << toric::format_result(*reading.lens);
}

INSTANTIATE_TEST_SUITE_P(Notations, ReadLens, testing::ValuesIn(kNotations),
                         [](const auto& info) { return info.param.name; });

struct Refusal {
  const char* name;
  const char* text;
  const char* says;
};

const Refusal kRefusals[] = {
    {"sphere_beyond_the_bar", "-10.25",
     "sphere -10.25 is not one the bars set: -10.00 to +10.00"},
    {"sphere_off_the_steps", "+1.10", "sphere +1.10 is not one the bars set"},
    {"cylinder_beyond_the_bar", "0 -5.25 90",
     "cylinder -5.25 is not one the bars set: 0.00 to -5.00"},
    {"axis_beyond_the_bar", "0 -1 181",
     "axis 181 is not one the bars set: whole degrees from 1 to 180"},
    {"axis_not_whole", "0 -1 90.5", "axis 90.5 is not"},
    {"cylinder_without_axis", "-1 -0.5", "cylinder -0.5 has no axis"},
    {"plus_cylinder_told_its_minus_form", "-1.00 +0.50 90",
     "this lens is S-0.50 C-0.50 A180"},
    {"not_a_lens", "abc", "cannot read \"abc\" as a lens"},
    {"out_of_order", "C-0.50 S-1.25 A180", "in that order"},
};

class RefuseLens : public testing::TestWithParam<Refusal> {};

TEST_P(RefuseLens, NamesTheValueAndTheRange) {
  const toric::LensReading reading = toric::read_lens(GetParam().text);
  EXPECT_FALSE(reading.lens);
  EXPECT_NE(reading.error.find(GetParam().says), std::string::npos)
      << reading.error;
}

INSTANTIATE_TEST_SUITE_P(Refusals, RefuseLens, testing::ValuesIn(kRefusals),
                         [](const auto& info) { return info.param.name; });

// Every lens the bars can set, combined with a plano lens, shows its own
// values in the result line; that line, copied from the window or written
// plain, reads back as the same lens.
TEST(ReadLens, ResultLinesReadBackAsTheirLens) {
  const LensPower plano{0.0, 0.0, 0};
  for (std::int16_t s = 0; s <= 80; ++s) {
    for (std::int16_t c = 0; c <= 20; ++c) {
      // 180 is the same as 0, and a sphere alone has no axis to vary.
      const std::int16_t axes = c == 0 ? 1 : 180;
      for (std::int16_t a = 0; a < axes; ++a) {
        const LensPower lens{toric::scale_to_sphere(s),
                             toric::scale_to_cylinder(c),
                             toric::scale_to_axis(a)};
        for (const auto notation :
             {toric::Notation::kWindow, toric::Notation::kPlain}) {
          const std::string line = toric::result_line(lens, plano, notation);
          const auto back = toric::read_lens(line);
          ASSERT_TRUE(back.lens) << line << ": " << back.error;
          ASSERT_EQ(toric::result_line(*back.lens, plano, notation), line);
        }
      }
    }
  }
}

TEST(CombineList, KeepsEveryLineInPlaceAndNamesTheOnesItCannotRead) {
  const std::string list =
      "# lab order 12\n"
      "-1.25 -0.50 x180;pl\n"
      "\n"
      "+1.00\t-1.00 +0.50 90\n"
      "S-1.00 C-1.00 A10; S0 C-0.50 A30\n";
  std::string out, errors;
  EXPECT_EQ(toric::combine_list(list, toric::Notation::kPlain, out, errors), 1);
  EXPECT_EQ(out,
            "# lab order 12\n"
            "S-1.25 C-0.50 A180\n"
            "\n"
            "\n"
            "S-1.06 C-1.39 A17\n");
  EXPECT_EQ(errors,
            "line 4: cylinder +0.50 is a plus cylinder; the bars set "
            "minus cylinders: this lens is S-0.50 C-0.50 A180\n");
}

}  // namespace
