// Every cylinder and axis the bars can set, for both lenses: about 14.4
// million pairs per sphere pair. Each result must be usable (finite, with an
// axis exactly when there is a cylinder) and independent of lens order;
// outside the oblique case it must equal the exact optical sum, and inside it
// the cylinder must stay within 0.30 D of the exact one.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <functional>
#include <numbers>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "same_lens_bits.h"
#include "toric/combine.h"
#include "toric/lens_power.h"

namespace {

using toric::LensPower;
using toric::test::same_bits;

constexpr std::int16_t kCylinderPositions = 21;
constexpr std::int16_t kAxisPositions = 181;

std::vector<LensPower> every_cylinder_and_axis(double sphere) {
  std::vector<LensPower> lenses;
  for (std::int16_t c = 0; c < kCylinderPositions; ++c) {
    for (std::int16_t a = 0; a < kAxisPositions; ++a) {
      lenses.push_back(
          {sphere, toric::scale_to_cylinder(c), toric::scale_to_axis(a)});
    }
  }
  return lenses;
}

std::string describe(const LensPower& l) {
  std::ostringstream out;
  out << l.sphere << "/" << l.cylinder << "/" << l.axis;
  return out.str();
}

// Runs `check` on every (lens1, lens2) pair, the lens-1 list split between
// the cores; returns the first few failures.
std::vector<std::string> sweep(
    const std::vector<LensPower>& first, const std::vector<LensPower>& second,
    const std::function<std::string(const LensPower&, const LensPower&)>&
        check) {
  const unsigned workers = std::max(1u, std::thread::hardware_concurrency());
  std::vector<std::vector<std::string>> failures(workers);
  std::vector<std::thread> threads;
  for (unsigned w = 0; w < workers; ++w) {
    threads.emplace_back([&, w] {
      for (std::size_t i = w; i < first.size(); i += workers) {
        for (const LensPower& lens2 : second) {
          std::string failure = check(first[i], lens2);
          if (!failure.empty() && failures[w].size() < 5) {
            failures[w].push_back(describe(first[i]) + " with " +
                                  describe(lens2) + ": " + failure);
          }
        }
      }
    });
  }
  for (auto& t : threads) t.join();
  std::vector<std::string> all;
  for (const auto& f : failures) all.insert(all.end(), f.begin(), f.end());
  return all;
}

std::string check_usable_and_symmetric(const LensPower& lens1,
                                       const LensPower& lens2) {
  const LensPower r = toric::combine_lenses(lens1, lens2);
  if (!std::isfinite(r.sphere) || !std::isfinite(r.cylinder))
    return "not finite: " + describe(r);
  if (r.cylinder != 0 && (r.axis < 1 || r.axis > 180))
    return "axis out of 1..180: " + describe(r);
  if (r.cylinder == 0 && r.axis != 0) return "axis without cylinder";
  if (!same_bits(r, toric::combine_lenses(lens2, lens1)))
    return "differs with the lenses swapped";
  return {};
}

// Power vector (M, J0, J45) of a lens, with the exact pi.
struct PowerVector {
  double m, j0, j45;
};

PowerVector power_vector(const LensPower& l) {
  const double angle = 2 * l.axis * std::numbers::pi / 180;
  return {l.sphere + l.cylinder / 2, -(l.cylinder / 2) * std::cos(angle),
          -(l.cylinder / 2) * std::sin(angle)};
}

// Plus-cylinder results turned into minus-cylinder form.
LensPower minus_cylinder_form(LensPower l) {
  if (l.cylinder > 0) {
    l = {l.sphere + l.cylinder, -l.cylinder,
         l.axis > 90 ? l.axis - 90 : l.axis + 90};
  }
  return l;
}

bool is_oblique(const LensPower& lens1, const LensPower& lens2) {
  const int a1 = lens1.axis == 0 ? 180 : lens1.axis;
  const int a2 = lens2.axis == 0 ? 180 : lens2.axis;
  return lens1.cylinder != 0 && lens2.cylinder != 0 && a1 != a2 &&
         a1 != a2 + 90 && a2 != a1 + 90;
}

std::string check_exact_outside_oblique(const LensPower& lens1,
                                        const LensPower& lens2) {
  if (is_oblique(lens1, lens2)) return {};
  const LensPower r = minus_cylinder_form(toric::combine_lenses(lens1, lens2));
  if (r.cylinder > 0) return "still plus cylinder";
  const PowerVector got = power_vector(r);
  const PowerVector p1 = power_vector(lens1);
  const PowerVector p2 = power_vector(lens2);
  constexpr double kTolerance = 1e-9;
  if (std::fabs(got.m - (p1.m + p2.m)) > kTolerance ||
      std::fabs(got.j0 - (p1.j0 + p2.j0)) > kTolerance ||
      std::fabs(got.j45 - (p1.j45 + p2.j45)) > kTolerance)
    return "not the exact sum: " + describe(r);
  return {};
}

// In the oblique case the axis is rounded to a whole degree and feeds the
// cylinder; its magnitude must still stay near the exact combined cylinder.
std::string check_oblique_cylinder_near_exact(const LensPower& lens1,
                                              const LensPower& lens2) {
  if (!is_oblique(lens1, lens2)) return {};
  const LensPower r = toric::combine_lenses(lens1, lens2);
  const PowerVector p1 = power_vector(lens1);
  const PowerVector p2 = power_vector(lens2);
  const double exact = 2 * std::hypot(p1.j0 + p2.j0, p1.j45 + p2.j45);
  constexpr double kTolerance = 0.30;
  if (std::fabs(std::fabs(r.cylinder) - exact) > kTolerance) {
    return "cylinder " + describe(r) + " against exact " +
           std::to_string(exact);
  }
  return {};
}

// Sphere pairs: a small minus sum makes every plus-cylinder result go
// through the final transposition; a plus sum keeps them.
struct SpherePair {
  double lens1, lens2;
};
const SpherePair kSpheres[] = {{-0.25, 0.0}, {5.0, 2.5}};

TEST(CombineGrid, EveryPairIsUsableAndIndependentOfLensOrder) {
  for (const auto& s : kSpheres) {
    const auto failures =
        sweep(every_cylinder_and_axis(s.lens1),
              every_cylinder_and_axis(s.lens2), check_usable_and_symmetric);
    EXPECT_TRUE(failures.empty()) << failures.front();
  }
}

TEST(CombineGrid, OutsideTheObliqueCaseEqualsTheExactOpticalSum) {
  for (const auto& s : kSpheres) {
    const auto failures =
        sweep(every_cylinder_and_axis(s.lens1),
              every_cylinder_and_axis(s.lens2), check_exact_outside_oblique);
    EXPECT_TRUE(failures.empty()) << failures.front();
  }
}

TEST(CombineGrid, ObliqueCylinderIsWithinThirtyHundredthsOfTheExactOne) {
  const auto lenses = every_cylinder_and_axis(0.0);
  const auto failures =
      sweep(lenses, lenses, check_oblique_cylinder_near_exact);
  EXPECT_TRUE(failures.empty()) << failures.front();
}

}  // namespace
