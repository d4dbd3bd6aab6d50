// The readout texts and the result line, character for character.
#include "toric/format.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "toric/lens_power.h"

namespace {

using toric::LensPower;

TEST(FormatPower, ReadoutsForBarPositions) {
  const struct {
    double dioptres;
    const char* text;
  } cases[] = {
      {toric::scale_to_sphere(0), "＋10.00Ｄ"},
      {toric::scale_to_sphere(39), "＋0.25Ｄ"},
      {toric::scale_to_sphere(40), "0.00Ｄ"},  // a negative zero
      {toric::scale_to_sphere(41), "-0.25Ｄ"},
      {toric::scale_to_sphere(80), "-10.00Ｄ"},
      {toric::scale_to_cylinder(0), "0.00Ｄ"},
      {toric::scale_to_cylinder(1), "-0.25Ｄ"},
      {toric::scale_to_cylinder(20), "-5.00Ｄ"},
      {0.0, "0.00Ｄ"},
      {2.5, "＋2.50Ｄ"},
      {-2.5, "-2.50Ｄ"},
      // Whatever rounds to 0.00 reads as zero, with no sign.
      {0.001, "0.00Ｄ"},
      {-0.0006, "0.00Ｄ"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(toric::format_power(c.dioptres), c.text) << c.dioptres;
  }
}

TEST(FormatAxis, ReadoutsForBarPositions) {
  const struct {
    int degrees;
    const char* text;
  } cases[] = {
      {toric::scale_to_axis(0), "180°"},
      {toric::scale_to_axis(90), "90°"},
      {toric::scale_to_axis(179), "1°"},
      {toric::scale_to_axis(180), "180°"},
      {45, "45°"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(toric::format_axis(c.degrees), c.text) << c.degrees;
  }
}

TEST(FormatResult, SpherePartCylinderPartAndAxisPartInBothNotations) {
  const struct {
    LensPower result;
    const char* window;
    const char* plain;
  } cases[] = {
      {{-1.25, -0.5, 180}, "Ｓ-1.25Ｄ Ｃ-0.50Ｄ Ａ180°", "S-1.25 C-0.50 A180"},
      {{0.0, 0.0, 0}, "Ｓ 0.00Ｄ", "S0.00"},
      {{-0.0, -0.0, 0}, "Ｓ 0.00Ｄ", "S0.00"},
      {{1.5, 0.75, 90}, "Ｓ＋1.50Ｄ Ｃ＋0.75Ｄ Ａ90°", "S+1.50 C+0.75 A90"},
      {{-2.0, -1.0, 5}, "Ｓ-2.00Ｄ Ｃ-1.00Ｄ Ａ5°", "S-2.00 C-1.00 A5"},
      // A sphere that rounds to 0.00 reads as an exact zero does.
      {{0.001, 0.0, 0}, "Ｓ 0.00Ｄ", "S0.00"},
      {{-0.0003, -1.9994, 180},
       "Ｓ 0.00Ｄ Ｃ-2.00Ｄ Ａ180°",
       "S0.00 C-2.00 A180"},
      // No cylinder: the axis is not shown.
      {{10.0, 0.0, 77}, "Ｓ＋10.00Ｄ", "S+10.00"},
      {{-20.0, -10.0, 1}, "Ｓ-20.00Ｄ Ｃ-10.00Ｄ Ａ1°", "S-20.00 C-10.00 A1"},
      {{0.0, -0.5, 180}, "Ｓ 0.00Ｄ Ｃ-0.50Ｄ Ａ180°", "S0.00 C-0.50 A180"},
      {{0.005001, 0.0, 0}, "Ｓ＋0.01Ｄ", "S+0.01"},
      {{0.0603, 1.8794, 140},
       "Ｓ＋0.06Ｄ Ｃ＋1.88Ｄ Ａ140°",
       "S+0.06 C+1.88 A140"},
      {{-0.5, 0.0004, 20}, "Ｓ-0.50Ｄ Ｃ0.00Ｄ Ａ20°", "S-0.50 C0.00 A20"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(toric::format_result(c.result), c.window) << c.window;
    EXPECT_EQ(toric::format_result(c.result, toric::Notation::kPlain), c.plain)
        << c.plain;
  }
}

// The hundredths are taken by a fast path for long lists; every value, ties
// and near-ties included, reads as to_chars rounds it.
TEST(FormatResult, TwoDecimalsAreToCharsOwn) {
  for (int i = -400000; i <= 400000; ++i) {
    const double exact = i / 16000.0;  // every 1/200 is a tie, some exact
    for (const double v : {exact, std::nextafter(exact, 1e9),
                           std::nextafter(exact, -1e9), exact * 1000003}) {
      char digits[64];
      const auto end = std::to_chars(digits, digits + sizeof digits, v,
                                     std::chars_format::fixed, 2);
      std::string number(digits, end.ptr);
      if (number == "0.00" || number == "-0.00")
        number = "0.00";
      else if (v > 0)
        number = "+" + number;
      ASSERT_EQ(toric::format_result({v, 0.0, 0}, toric::Notation::kPlain),
                "S" + number)
          << v;
    }
  }
}

// The window runs under the user's locale; a decimal-comma one must not
// reach the texts. Windows has German built in; on Linux the locale is
// built into a scratch folder of the test's. The process locale, LOCPATH
// and the folder are put back however the test ends.
class FormatUnderLocale : public testing::Test {
 protected:
  void TearDown() override {
    std::setlocale(LC_ALL, "C");
#ifndef _WIN32
    unsetenv("LOCPATH");
    if (!scratch_.empty()) std::filesystem::remove_all(scratch_);
#endif
  }

  // Puts a German locale, with its decimal comma, in force.
  bool use_decimal_comma_locale() {
#ifdef _WIN32
    return std::setlocale(LC_ALL, "German_Germany.1252") != nullptr;
#else
    if (std::system("command -v localedef >/dev/null 2>&1") != 0) return false;
    scratch_ = (std::filesystem::temp_directory_path() / "toric-locale-XXXXXX")
                   .string();
    if (mkdtemp(scratch_.data()) == nullptr) return false;
    // localedef exits non-zero on mere warnings: setlocale says whether the
    // locale is there.
    const std::string build = "localedef -i de_DE -f UTF-8 " + scratch_ +
                              "/de_DE.UTF-8 >/dev/null 2>&1";
    [[maybe_unused]] const int status = std::system(build.c_str());
    setenv("LOCPATH", scratch_.c_str(), 1);
    return std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
#endif
  }

  std::string scratch_;
};

TEST_F(FormatUnderLocale, DecimalCommaLocaleStillWritesAPoint) {
  ASSERT_TRUE(use_decimal_comma_locale()) << "no German locale " << scratch_;
  char printed[16];
  std::snprintf(printed, sizeof printed, "%.2f", -0.25);
  EXPECT_STREQ(printed, "-0,25");  // the locale is really in force
  EXPECT_EQ(toric::format_power(-0.25), "-0.25Ｄ");
  EXPECT_EQ(toric::format_result({-1.25, -0.5, 180}),
            "Ｓ-1.25Ｄ Ｃ-0.50Ｄ Ａ180°");
}

}  // namespace
