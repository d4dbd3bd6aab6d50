// Typed lenses and lists for toric-combine: each notation reads as the lens
// the bars would set, a result line copied from the window reads back as
// its lens, and what the bars cannot set is named with its range.
#include "toric/lens_notation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>

#include "same_lens_bits.h"
#include "toric/column_names.h"
#include "toric/combine.h"
#include "toric/format.h"
#include "toric/utf8.h"

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
    {"axis_tag_of_japanese_records", "-1.25 -0.50 AX180", 45, 2, 0},
    {"axis_tag_spaced", "-1.25 -0.50 Ax 180", 45, 2, 0},
    {"axis_word", "-1.25 -0.50 axis 180", 45, 2, 0},
    {"multiplication_sign", "-1.25 -0.50 ×180", 45, 2, 0},
    {"units_ds_dc", "-1.25DS/-0.50DC ×180", 45, 2, 0},
    {"unit_after_a_space", "S-1.25 D C-0.50 D A180", 45, 2, 0},
    {"words", "sph -1.25 cyl -0.50 ax 180", 45, 2, 0},
    // The words a list's header names its columns with read in a lens.
    {"words_of_a_header", "spherical -1.25 cylindrical -0.50 axis 180", 45, 2,
     0},
    {"japanese_words_of_a_header", "球面-1.25 円柱度数-0.50 軸180", 45, 2, 0},
    {"japanese_words_with_units", "球面度数 -1.25D 乱視 -0.50D 軸度 180°", 45,
     2, 0},
    {"decimal_comma", "-1,25 -0,50 x180", 45, 2, 0},
    {"unicode_minus", "−1.25 −0.50 x180", 45, 2, 0},
    {"en_dash", "–1.25 –0.50 x180", 45, 2, 0},
    {"long_vowel_mark_of_an_input_method", "ー1.25 ー0.50 x180", 45, 2, 0},
    {"plus_cylinder_transposed", "-1.75 +0.50 x90", 45, 2, 0},
    {"plano", "plano", 40, 0, 0},
    {"plano_short", "pl", 40, 0, 0},
    {"plano_as_japanese_records_write_it", "S±0.00D C-0.50D A90", 40, 2, 90},
    {"abbreviations_with_a_full_stop", "Sph.1.00 Cyl.-0.50 Ax.180", 36, 2, 0},
    {"plano_sign_before_a_cylinder", "±0 -0.50 x90", 40, 2, 90},
    {"zero", "0", 40, 0, 0},
    {"sphere_alone", "+2.00 DS", 32, 0, 0},
    {"window_line", "Ｓ＋1.50Ｄ Ｃ-0.75Ｄ Ａ90°", 34, 3, 90},
    {"window_zero_sphere", "Ｓ 0.00Ｄ Ｃ-5.00Ｄ Ａ1°", 40, 20, 179},
    {"window_plus_cylinder", "Ｓ＋0.50Ｄ Ｃ＋1.00Ｄ Ａ10°", 34, 4, 80},
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
     "sphere -10.25 is not one the bars set: -10.00 to +10.00 (--any takes "
     "it)"},
    {"sphere_off_the_steps", "+1.10",
     "sphere +1.10 is not one the bars set: steps of 0.25"},
    {"cylinder_beyond_the_bar", "0 -5.25 90",
     "cylinder -5.25 is not one the bars set: 0.00 to -5.00"},
    {"transposed_beyond_the_bar", "+9.50 +1.00 90",
     "sphere +10.50 (in minus-cylinder form) is not one the bars set"},
    {"axis_beyond_the_bar", "0 -1 181",
     "axis 181 is not a whole degree from 1 to 180"},
    {"axis_not_whole", "0 -1 90.5", "axis 90.5 is not a whole degree"},
    {"cylinder_without_axis", "-1 -0.5", "cylinder -0.50 has no axis"},
    {"plus_minus_before_a_power", "±1.00", "at \"±\": expected a sign"},
    {"not_a_lens", "abc",
     "cannot read \"abc\" at \"a\": expected a sphere such as -1.25, S-1.25 "
     "or pl"},
    {"out_of_order", "C-0.50 S-1.25 A180", "at \"C\": expected a sphere"},
    {"stray_character", "-1.25 -0.50 x180 !",
     "at \"!\": expected nothing after the axis"},
    {"unknown_character", "-1.25 -0.50 x180★",
     "at \"★\": expected a sign, a digit"},
    {"long_text_quoted_in_part",
     "-1.25 -0.50 x180 and a long remark that goes on and on",
     "cannot read \"-1.25 -0.50 x180 and a long remark that …\" at \"a\""},
    {"control_character_never_echoed", "-1.25\x1b[2J",
     "cannot read \"-1.25U+001B[2J\" at U+001B"},
    // Plain text is folded eight bytes at a time: a DEL opening the second
    // eight, and a control character closing it.
    {"delete_opening_the_second_eight", "-1.25 -0\x7F.50 x90",
     "cannot read \"-1.25 -0U+007F.50 x90\" at U+007F: expected a sign"},
    {"control_character_closing_the_second_eight", "-1.25 -0.50 x90\x1F",
     "cannot read \"-1.25 -0.50 x90U+001F\" at U+001F: expected a sign"},
    // A byte that is no character is shown as its value, never as "?".
    {"byte_no_character_shown_as_its_value", "-1.25 \xFF",
     "cannot read \"-1.25 \\xFF\" at \"\\xFF\""},
};

// The bars' ranges and steps are the core's scales: a lens at each end
// reads, one step past an end is refused naming the range, and a value
// between two steps is refused naming the step.
TEST(ReadLens, TakesTheBarsRangesFromTheirScales) {
  const auto power = [](double value) {
    char text[16];
    std::snprintf(text, sizeof text, "%+.2f", value + 0.0);
    return std::string(value == 0 ? "0.00" : text);
  };
  for (const auto& [span, lens_of] :
       {std::pair{toric::kSphereSpan, +[](const std::string& p) { return p; }},
        std::pair{toric::kCylinderSpan,
                  +[](const std::string& p) { return "0 " + p + " x90"; }}}) {
    const double step = toric::span_step(span);
    const double lowest = toric::span_lowest(span);
    const double highest = toric::span_highest(span);
    for (const double end : {lowest, highest}) {
      EXPECT_TRUE(toric::read_lens(lens_of(power(end))).lens) << power(end);
    }
    const toric::LensReading past =
        toric::read_lens(lens_of(power(lowest - step)));
    EXPECT_FALSE(past.lens);
    EXPECT_NE(past.error.find(power(lowest)), std::string::npos) << past.error;
    const toric::LensReading between =
        toric::read_lens(lens_of(power(lowest + step / 2)));
    char steps[32];
    std::snprintf(steps, sizeof steps, "steps of %g", step);
    EXPECT_NE(between.error.find(steps), std::string::npos) << between.error;
  }
}

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
          const auto result_line = [&](const LensPower& read) {
            return toric::format_result(toric::combine_lenses(read, plano),
                                        notation);
          };
          const std::string line = result_line(lens);
          const auto back = toric::read_lens(line);
          ASSERT_TRUE(back.lens) << line << ": " << back.error;
          ASSERT_EQ(result_line(*back.lens), line);
        }
      }
    }
  }
}

// With --any, every line the window can show reads back, such as a result
// off the quarter-dioptre grid; without it, that is refused.
TEST(ReadLens, AnyValueTakesTheWindowsOwnResultLines) {
  const char* line = "Ｓ-0.06Ｄ Ｃ-1.39Ｄ Ａ17°";
  const auto any = toric::read_lens(line, toric::LensValues::kAny);
  ASSERT_TRUE(any.lens) << any.error;
  EXPECT_TRUE(toric::test::same_bits(*any.lens, LensPower{-0.06, -1.39, 17}));
  EXPECT_FALSE(toric::read_lens(line).lens);
}

// A header's names as labs write them, in any width or composition: the
// lens's number and field, or a whole lens; anything else names no lens.
TEST(ColumnName, ReadsTheLensAndFieldAfterFoldingWidths) {
  const struct {
    const char* cell;
    int lens, field;  // field -1: a whole lens, or none where lens is 0
  } kNames[] = {
      {"Sph 1", 1, 0},
      {"Zyl 2", 2, 1},
      {"Achse 1", 1, 2},
      {"Ｓｐｈ １", 1, 0},
      {"1枚目乱視軸", 1, 2},
      {"ﾚﾝｽﾞ2", 2, -1},
      {"レンス\u3099"
       "1",
       1, -1},
      {"追加", 2, -1},
      {"S3", 3, 0},
      {"Sph. 2", 2, 0},
      {"PD", 0, -1},
      {"S-1", 0, -1},
      {"No", 0, -1},
      {"Rx 12", 0, -1},
  };
  for (const auto& n : kNames) {
    const toric::ColumnName name = toric::column_name(n.cell);
    EXPECT_EQ(name.numbered_lens() ? name.lens : 0, n.lens) << n.cell;
    if (n.lens != 0) {
      EXPECT_EQ(name.field, n.field) << n.cell;
    }
  }
}

// A header is read by its names: the lenses by their numbers wherever their
// columns stand, and two eyes refused, never one.
TEST(ReadHeader, PlacesTheLensesByTheirNumbers) {
  const struct {
    std::vector<std::string> cells;
    toric::LensColumns columns;
    bool refused;
  } kHeaders[] = {
      {{"Nr", "Sph 2", "Zyl 2", "Achse 2", "Sph 1", "Zyl 1", "Achse 1"},
       {4, 5, 6, 1, 2, 3},
       false},
      {{"No", "S1", "C1", "A1", "S2", "C2", "A2", "S3", "C3", "A3"},
       {1, 2, 3, 4, 5, 6},
       false},
      {{"ID", "OD lens 1", "OD lens 2"}, {1, 2}, false},
      {{"氏名", "右", "左"}, {}, true},
  };
  for (const auto& h : kHeaders) {
    const toric::HeaderReading reading = toric::read_header(h.cells);
    EXPECT_EQ(reading.columns, h.columns) << h.cells[1];
    EXPECT_EQ(!reading.refusal.empty(), h.refused) << h.cells[1];
  }
}

// The one UTF-8 decoder: a valid character whole, and a byte that starts
// none (overlong, a surrogate, past U+10FFFF, cut short) as itself alone.
TEST(CharacterAt, ReadsValidUtf8AndEveryOtherByteAlone) {
  const struct {
    const char* bytes;
    char32_t code;
    std::size_t length;
  } kBytes[] = {
      {"a", U'a', 1},
      {"\xC2\xA0", 0xA0, 2},
      {"\xE3\x81\x82", U'あ', 3},
      {"\xF0\x9F\x91\x93", 0x1F453, 4},
      {"\xF4\x8F\xBF\xBF", 0x10FFFF, 4},
      {"\xC0\xAF", 0xC0, 1},          // overlong "/"
      {"\xE0\x80\xAF", 0xE0, 1},      // overlong "/" in three
      {"\xED\xA0\x80", 0xED, 1},      // a surrogate
      {"\xF4\x90\x80\x80", 0xF4, 1},  // past U+10FFFF
      {"\xF5\x80\x80\x80", 0xF5, 1},  // no lead byte
      {"\xE3\x81", 0xE3, 1},          // cut short
      {"\xE3"
       "a",
       0xE3, 1},  // a lead without its trail
  };
  for (const auto& b : kBytes) {
    const toric::Character c = toric::character_at(b.bytes, 0);
    EXPECT_EQ(c.code, b.code) << toric::quoted(b.bytes);
    EXPECT_EQ(c.length, b.length) << toric::quoted(b.bytes);
  }
}

}  // namespace
