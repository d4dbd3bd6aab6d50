// What fitters and students ask of a pair, worked by hand: a lens carried
// over its vertex distance, lens 1 turned where its mark settled and the
// lens to order, the powers rounded to a step, and the working shown.
#include "toric/fitting.h"

#include <gtest/gtest.h>

#include <string>

#include "explain.h"
#include "toric/format.h"

namespace {

using toric::Fitting;
using toric::LensPower;

struct Worked {
  const char* name;
  LensPower lens1, lens2;
  Fitting fitting;
  const char* ordered;  // the result line, plain
};

const Worked kWorked[] = {
    // A spectacle prescription carried 12 mm to the cornea: each meridian
    // F / (1 - dF), -8.00 to -7.30 and -10.00 to -8.93 (a textbook example
    // of contact-lens power from the spectacle prescription).
    {"vertex_spectacles_to_cornea",
     {0, 0, 180},
     {-8.0, -2.0, 180},
     {12, 0, 0},
     "S-7.30 C-1.63 A180"},
    // Plus powers gain: +10.00 at 12 mm is +10 / 0.88 = +11.36.
    {"vertex_plus_gains", {0, 0, 180}, {10.0, 0, 180}, {12, 0, 0}, "S+11.36"},
    // A toric lens settled 10 degrees to the left sits at 170; an
    // over-refraction along 170 adds there, and the lens to order is at
    // 170 + 10 (left add).
    {"rotation_left_adds",
     {-1.0, -1.25, 180},
     {0, -0.75, 170},
     {0, 10, 0},
     "S-1.00 C-2.00 A180"},
    // Settled 10 to the right it sits at 95 + 10 = 105; ordered at
    // 105 - 10 (right subtract).
    {"rotation_right_subtracts",
     {-1.0, -1.25, 95},
     {0, -0.75, 105},
     {0, -10, 0},
     "S-1.00 C-2.00 A95"},
    // Across 180: 175 turned 10 to the right sits at 5, and back.
    {"rotation_across_180",
     {-1.0, -1.25, 175},
     {0, -0.5, 5},
     {0, -10, 0},
     "S-1.00 C-1.75 A175"},
    // The oblique pair of the double-angle method (S -0.0570, C -1.3860,
    // A 17) rounded to the quarter dioptre (-1.50) and to the eighth.
    {"step_quarter",
     {0, -1.0, 10},
     {0, -0.5, 30},
     {0, 0, 0.25},
     "S0.00 C-1.50 A17"},
    {"step_eighth",
     {0, -1.0, 10},
     {0, -0.5, 30},
     {0, 0, 0.125},
     "S0.00 C-1.38 A17"},  // -1.375, in two decimals as the window writes
};

class Fitted : public testing::TestWithParam<Worked> {};

TEST_P(Fitted, GivesTheLensWorkedByHand) {
  const Worked& w = GetParam();
  toric::FittedPair pair;
  ASSERT_TRUE(toric::fit_pair(w.lens1, w.lens2, w.fitting, pair));
  EXPECT_EQ(toric::format_result(pair.ordered, toric::Notation::kPlain),
            w.ordered);
}

INSTANTIATE_TEST_SUITE_P(Cases, Fitted, testing::ValuesIn(kWorked),
                         [](const auto& info) { return info.param.name; });

std::string working(LensPower lens1, LensPower lens2,
                    toric::Language language = toric::Language::kEnglish,
                    const toric::Fitting& fitting = {}) {
  toric::FittedPair pair;
  toric::fit_pair(lens1, lens2, fitting, pair);
  return toric::explained(lens1, lens2, fitting, pair, toric::Notation::kPlain,
                          language);
}

// The oblique pair a student checks: 2a = 33.08, a = 16.54, A = 17, and
// the cylinder from the rounded axis.
TEST(Explain, ShowsEachFigureOfAnObliquePair) {
  EXPECT_EQ(working({0, -1.0, 10}, {0, -0.5, 30}),
            "Lens 1: S+0.0000 C-1.0000 A10\n"
            "Lens 2: S+0.0000 C-0.5000 A30\n"
            "Case: oblique axes; crossed cylinders by the double angles, "
            "with 3.1416 for pi.\n"
            "  2A1 = 2 x 10 = 20: sin 0.342021, cos 0.939692\n"
            "  2A2 = 2 x 30 = 60: sin 0.866027, cos 0.499998\n"
            "  The cylinders' components on the double-angle axes:\n"
            "  X = C1 cos 2A1 + C2 cos 2A2 = (-1.00) x 0.939692 + (-0.50) x "
            "0.499998 = -1.189691\n"
            "  Y = C1 sin 2A1 + C2 sin 2A2 = (-1.00) x 0.342021 + (-0.50) x "
            "0.866027 = -0.775034\n"
            "  2a = arctan(Y / X) = 33.082488, a = 16.541244\n"
            "  A = a to a whole degree (180 added to 0 or less) = 17\n"
            "  C = Y / sin 2A = -0.775034 / 0.559194 = -1.3860\n"
            "  S = S1 + S2 + ((C1 + C2) - C) / 2 = 0.00 + 0.00 + (((-1.00) "
            "+ (-0.50)) - (-1.3860)) / 2 = -0.0570\n"
            "Result: S-0.06 C-1.39 A17\n");
}

// Right angles: the stronger cylinder into the sphere, the difference as
// a plus cylinder, transposed because the sphere is negative.
TEST(Explain, ShowsARightAngledPairInJapanese) {
  EXPECT_EQ(working({0, -2.0, 30}, {0, -1.0, 120}, toric::Language::kJapanese),
            "レンズ１：S+0.0000 C-2.0000 A30\n"
            "レンズ２：S+0.0000 C-1.0000 A120\n"
            "場合：軸度が直交（30 と 120）。強い方の円柱度数を球面度数に"
            "入れ、円柱度数の差を弱い方の軸度のプラス円柱とする。\n"
            "  S = 0.00 + 0.00 + (-2.00) = -2.0000\n"
            "  C = |(-2.00) - (-1.00)| = +1.0000, A = 120\n"
            "球面度数がマイナスでプラス円柱なので転換する（S + C、-C、A + "
            "90）：S-1.0000 C-1.0000 A30\n"
            "結果：S-1.00 C-1.00 A30\n");
}

// A fitter's pair: lens 2 carried 12 mm (d in metres), lens 1 where its
// mark settled to the left, the rotation added back, then rounded (the
// exact lens before the rounded one).
TEST(Explain, ShowsTheVertexTheRotationAndTheRounding) {
  EXPECT_EQ(working({-1.0, -1.25, 180}, {0.5, -0.75, 170},
                    toric::Language::kEnglish, {12, 10, 0.25}),
            "Lens 1: S-1.0000 C-1.2500 A180\n"
            "Lens 2: S+0.5000 C-0.7500 A170\n"
            "Vertex distance: lens 2 sits 12 mm in front of lens 1; each "
            "principal meridian F becomes F / (1 - dF), d = 0.012 m.\n"
            "  0.50 / (1 - 0.012 x 0.50) = +0.5030\n"
            "  (-0.25) / (1 - 0.012 x (-0.25)) = -0.2493\n"
            "  Lens 2 at lens 1: S+0.5030 C-0.7523 A170\n"
            "Rotation: lens 1's mark settled 10 deg to the examiner's left; "
            "it sits at axis 180 - 10, that is 170.\n"
            "Case: the same axis (170); the spheres add and the cylinders "
            "add.\n"
            "  S = (-1.00) + 0.5030 = -0.4970\n"
            "  C = (-1.25) + (-0.7523) = -2.0023\n"
            "The lens to order turns back (left add, right subtract): axis "
            "170 + 10 = 180.\n"
            "Rounded to 0.25 D steps: S-0.4970 C-2.0023 A180 -> S-0.5000 "
            "C-2.0000 A180\n"
            "Result: S-0.50 C-2.00 A180\n");
}

// A mark to the right is subtracted back; a spherical result has no axis
// to turn back.
TEST(Explain, TurnsBackToTheRightAndNeverASphere) {
  const std::string right = working({-1.0, -1.0, 90}, {0.5, -1.0, 180},
                                    toric::Language::kEnglish, {0, -5, 0});
  EXPECT_NE(right.find("examiner's right; it sits at axis 90 + 5, that is "
                       "95.\n"),
            std::string::npos)
      << right;
  EXPECT_NE(right.find("axis 138 - 5 = 133.\n"), std::string::npos) << right;
  const std::string sphere = working({-1.0, -1.0, 90}, {1.0, -1.0, 170},
                                     toric::Language::kEnglish, {0, 10, 0});
  EXPECT_EQ(sphere.find("turns back"), std::string::npos) << sphere;
  EXPECT_NE(sphere.find("Result: S-1.00\n"), std::string::npos) << sphere;
}

}  // namespace
