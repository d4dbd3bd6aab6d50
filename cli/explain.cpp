#include "explain.h"

#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace toric {

namespace {

// printf into a string; numbers with a point whatever the locale (the
// program never sets one).
std::string formatted(const char* format, ...) {
  char text[256];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(text, sizeof text, format, arguments);
  va_end(arguments);
  return text;
}

// A power as a term of a sum: two decimals where that is all of it, else
// four; in brackets when negative. term(-0.5) == "(-0.50)".
std::string term(double power) {
  power += 0.0;  // no minus before a zero
  const double hundredths = power * 100;
  const int places = hundredths == std::round(hundredths) ? 2 : 4;
  const std::string digits = formatted("%.*f", places, power);
  return power < 0 ? "(" + digits + ")" : digits;
}

// A lens with four decimals, enough to check by hand: "S-7.2993 C-1.6293 A180".
std::string lens_named(const LensPower& lens) {
  std::string named = formatted("S%+.4f", lens.sphere + 0.0);
  if (lens.cylinder != 0) {
    named += formatted(" C%+.4f A%d", lens.cylinder, axis_read(lens.axis));
  }
  return named;
}

class Working {
 public:
  explicit Working(Language language)
      : japanese_(language == Language::kJapanese) {}

  // One line, in the reader's language.
  void line(const std::string& english, const std::string& japanese) {
    (text_ += japanese_ ? japanese : english) += '\n';
  }
  // One line from a format in each language, both given the same figures
  // (at least one: a line without figures is no format).
  template <class First, class... Figures>
  void line(const char* english, const char* japanese, First first,
            Figures... figures) {
    text_ += formatted(japanese_ ? japanese : english, first, figures...);
    text_ += '\n';
  }
  // A line that reads the same in both: a formula.
  void same(const std::string& formula) { line(formula, formula); }
  std::string text() const { return text_; }

 private:
  bool japanese_;
  std::string text_;
};

void explain_vertex(const LensPower& lens2, const Fitting& fitting,
                    const FittedPair& pair, Working& w) {
  const double d = fitting.vertex_mm / 1000;
  w.line(
      "Vertex distance: lens 2 sits %g mm in front of lens 1; each principal "
      "meridian F becomes F / (1 - dF), d = %g m.",
      "頂点間距離：レンズ２はレンズ１の %g mm 前にある。"
      "主経線の度数 F はそれぞれ F / (1 - dF)（d = %g m）になる。",
      fitting.vertex_mm, d);
  // Each meridian as typed, and as the combination got it.
  const LensPower& there = pair.lens2_carried;
  const double meridians[][2] = {
      {lens2.sphere, there.sphere},
      {lens2.sphere + lens2.cylinder, there.sphere + there.cylinder}};
  for (int i = 0; i < (lens2.cylinder == 0 ? 1 : 2); ++i) {
    const double f = meridians[i][0];
    w.same(formatted("  %s / (1 - %g x %s) = %+.4f", term(f).c_str(), d,
                     term(f).c_str(), meridians[i][1]));
  }
  w.line("  Lens 2 at lens 1: " + lens_named(there),
         "  レンズ１の位置でのレンズ２：" + lens_named(there));
}

void explain_oblique(const LensPower& l1, const LensPower& l2,
                     const CombinationSteps& s, Working& w) {
  const LensPower& r = s.before_transposing;
  w.line(
      "Case: oblique axes; crossed cylinders by the double angles, with "
      "3.1416 for pi.",
      "場合：斜交。２倍角で円柱を合成する（π は 3.1416）。");
  const int axes[] = {s.axis1, s.axis2};
  const double sines[] = {s.sin1, s.sin2};
  const double cosines[] = {s.cos1, s.cos2};
  for (int i = 0; i < 2; ++i) {
    w.same(formatted("  2A%d = 2 x %d = %d: sin %.6f, cos %.6f", i + 1, axes[i],
                     2 * axes[i], sines[i], cosines[i]));
  }
  w.line("  The cylinders' components on the double-angle axes:",
         "  ２倍角の軸への円柱度数の成分の和：");
  w.same(
      formatted("  X = C1 cos 2A1 + C2 cos 2A2 = %s x %.6f + %s x %.6f = "
                "%+.6f",
                term(l1.cylinder).c_str(), s.cos1, term(l2.cylinder).c_str(),
                s.cos2, s.cosine_sum));
  w.same(
      formatted("  Y = C1 sin 2A1 + C2 sin 2A2 = %s x %.6f + %s x %.6f = "
                "%+.6f",
                term(l1.cylinder).c_str(), s.sin1, term(l2.cylinder).c_str(),
                s.sin2, s.sine_sum));
  w.same(formatted("  2a = arctan(Y / X) = %.6f, a = %.6f", 2 * s.half_angle,
                   s.half_angle));
  w.line("  A = a to a whole degree (180 added to 0 or less) = %d",
         "  A = a を整数に丸める（0 以下なら 180 を足す）= %d", r.axis);
  w.same(formatted("  C = %s / %s 2A = %+.6f / %.6f = %+.4f",
                   s.cylinder_from_cosine ? "X" : "Y",
                   s.cylinder_from_cosine ? "cos" : "sin",
                   s.cylinder_from_cosine ? s.cosine_sum : s.sine_sum,
                   s.cylinder_divisor, r.cylinder));
  w.same(
      formatted("  S = S1 + S2 + ((C1 + C2) - C) / 2 = %s + %s + ((%s + "
                "%s) - %s) / 2 = %+.4f",
                term(l1.sphere).c_str(), term(l2.sphere).c_str(),
                term(l1.cylinder).c_str(), term(l2.cylinder).c_str(),
                term(r.cylinder).c_str(), r.sphere));
}

void explain_case(const FittedPair& pair, Working& w) {
  const CombinationSteps& s = pair.steps;
  const LensPower& l1 = pair.lens1_sits;
  const LensPower& l2 = pair.lens2_carried;
  const LensPower& r = s.before_transposing;
  const std::string spheres =
      formatted("  S = %s + %s = %+.4f", term(l1.sphere).c_str(),
                term(l2.sphere).c_str(), r.sphere + 0.0);
  using Case = CombinationSteps::Case;
  switch (s.kind) {
    case Case::kBothSpherical:
      w.line("Case: no cylinder; the spheres add.",
             "場合：円柱度数がない。球面度数を足す。");
      w.same(spheres);
      break;
    case Case::kOneSpherical:
      w.line(
          "Case: one lens has no cylinder; the spheres add and the other "
          "lens's cylinder stays as it is.",
          "場合：一方のレンズに円柱度数がない。球面度数を足し、"
          "もう一方の円柱度数と軸度はそのまま。");
      w.same(spheres);
      break;
    case Case::kEqualAxes:
      w.line("Case: the same axis (%d); the spheres add and the cylinders add.",
             "場合：軸度が同じ（%d）。球面度数どうし、円柱度数どうしを足す。",
             s.axis1);
      w.same(spheres);
      w.same(formatted("  C = %s + %s = %+.4f", term(l1.cylinder).c_str(),
                       term(l2.cylinder).c_str(), r.cylinder));
      break;
    case Case::kRightAngles:
      w.line(
          "Case: axes at right angles (%d and %d); the stronger cylinder goes "
          "into the sphere, and the difference of the cylinders is a plus "
          "cylinder at the weaker one's axis.",
          "場合：軸度が直交（%d と %d）。強い方の円柱度数を球面度数に入れ、"
          "円柱度数の差を弱い方の軸度のプラス円柱とする。",
          s.axis1, s.axis2);
      w.same(formatted("  S = %s + %s + %s = %+.4f", term(l1.sphere).c_str(),
                       term(l2.sphere).c_str(),
                       term(std::fmin(l1.cylinder, l2.cylinder)).c_str(),
                       r.sphere + 0.0));
      w.same(formatted("  C = |%s - %s| = %+.4f, A = %d",
                       term(l1.cylinder).c_str(), term(l2.cylinder).c_str(),
                       r.cylinder + 0.0, r.axis));
      break;
    case Case::kOblique:
      explain_oblique(l1, l2, s, w);
      break;
  }
  if (s.transposed) {
    w.line(
        "Transposed, as the sphere is negative and the cylinder plus "
        "(S + C, -C, A + 90): " +
            lens_named(s.result),
        "球面度数がマイナスでプラス円柱なので転換する"
        "（S + C、-C、A + 90）：" +
            lens_named(s.result));
  }
}

}  // namespace

std::string explained(const LensPower& lens1, const LensPower& lens2,
                      const Fitting& fitting, const FittedPair& pair,
                      Notation notation, Language language) {
  Working w(language);
  w.line("Lens 1: " + lens_named(lens1), "レンズ１：" + lens_named(lens1));
  w.line("Lens 2: " + lens_named(lens2), "レンズ２：" + lens_named(lens2));
  if (fitting.vertex_mm != 0) explain_vertex(lens2, fitting, pair, w);
  const int n = std::abs(fitting.rotation);
  const bool left = fitting.rotation > 0;
  if (n != 0) {
    w.line(formatted("Rotation: lens 1's mark settled %d deg to the "
                     "examiner's %s; it sits at axis %d %s %d, that is "
                     "%d.",
                     n, left ? "left" : "right", axis_read(lens1.axis),
                     left ? "-" : "+", n, pair.lens1_sits.axis),
           formatted("回転：レンズ１の印が検者から見て%sに %d° 回っている。"
                     "レンズ１は軸度 %d %s %d、つまり %d にある。",
                     left ? "左" : "右", n, axis_read(lens1.axis),
                     left ? "-" : "+", n, pair.lens1_sits.axis));
  }
  explain_case(pair, w);
  if (n != 0 && pair.steps.result.cylinder != 0) {
    w.line(
        "The lens to order turns back (left add, right subtract): axis %d %s "
        "%d = %d.",
        "注文するレンズは回転を戻す（左は足し、右は引く）：軸度 %d %s %d = "
        "%d。",
        pair.steps.result.axis, left ? "+" : "-", n, pair.exact.axis);
  }
  if (fitting.step != 0) {
    w.line(formatted("Rounded to %g D steps: ", fitting.step) +
               lens_named(pair.exact) + " -> " + lens_named(pair.ordered),
           formatted("%g D 刻みに丸める：", fitting.step) +
               lens_named(pair.exact) + " → " + lens_named(pair.ordered));
  }
  w.line("Result: " + format_result(pair.ordered, notation),
         "結果：" + format_result(pair.ordered, notation));
  return w.text();
}

}  // namespace toric
