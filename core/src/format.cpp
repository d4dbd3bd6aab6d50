#include "toric/format.h"

#include <charconv>
#include <string>

namespace toric {

namespace {

// The signs, units and tags of one notation.
struct Glyphs {
  const char* plus;
  const char* dioptre;
  const char* degree;
  const char* sphere_tag;
  const char* zero_sphere_tag;  // a zero sphere has no sign
  const char* cylinder_tag;
  const char* axis_tag;
};

constexpr Glyphs kWindowGlyphs{"＋", "Ｄ", "°", "Ｓ", "Ｓ ", " Ｃ", " Ａ"};
constexpr Glyphs kPlainGlyphs{"+", "", "", "S", "S", " C", " A"};

const Glyphs& glyphs_of(Notation notation) {
  return notation == Notation::kPlain ? kPlainGlyphs : kWindowGlyphs;
}

// Two decimals, at least one digit before the point, "-" when negative.
// Always a point, whatever the process locale says: to_chars ignores it, and
// rounds the exact binary value as printf does.
std::string two_decimals(double value) {
  char text[320];  // room for any finite double written in full
  const auto written = std::to_chars(text, text + sizeof text, value,
                                     std::chars_format::fixed, 2);
  return std::string(text, written.ptr);
}

// A value that rounds to 0.00 reads as zero does: no sign at all.
bool rounds_to_zero(const std::string& digits) {
  return digits == "0.00" || digits == "-0.00";
}

// The signed number with its unit: "＋2.50Ｄ", "0.00Ｄ", "-2.50Ｄ"; empty
// digits for a zero, which the caller writes its own way.
std::string signed_number(double value, const Glyphs& g) {
  const std::string digits = two_decimals(value);
  if (rounds_to_zero(digits)) return {};
  return (value > 0 ? g.plus : "") + digits;
}

}  // namespace

std::string format_power(double dioptres) {
  const std::string number = signed_number(dioptres, kWindowGlyphs);
  return (number.empty() ? "0.00" : number) + kWindowGlyphs.dioptre;
}

std::string format_axis(int degrees) {
  return std::to_string(degrees == 0 ? 180 : degrees) + kWindowGlyphs.degree;
}

std::string format_result(const LensPower& result, Notation notation) {
  const Glyphs& g = glyphs_of(notation);
  const std::string sphere = signed_number(result.sphere, g);
  std::string text = sphere.empty()
                         ? std::string(g.zero_sphere_tag) + "0.00" + g.dioptre
                         : g.sphere_tag + sphere + g.dioptre;
  if (result.cylinder == 0) return text;
  const std::string cylinder = signed_number(result.cylinder, g);
  text += g.cylinder_tag + (cylinder.empty() ? "0.00" : cylinder) + g.dioptre;
  text += g.axis_tag + std::to_string(result.axis) + g.degree;
  return text;
}

}  // namespace toric
