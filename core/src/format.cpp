#include "toric/format.h"

#include <charconv>
#include <string>

namespace toric {

namespace {

constexpr const char* kPlus = "＋";
constexpr const char* kDioptre = "Ｄ";
constexpr const char* kDegree = "°";

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

// The signed number with its unit, as the readouts show it: "＋2.50Ｄ",
// "0.00Ｄ", "-2.50Ｄ".
std::string signed_dioptres(double value) {
  const std::string digits = two_decimals(value);
  if (rounds_to_zero(digits)) return std::string("0.00") + kDioptre;
  return (value > 0 ? kPlus : "") + digits + kDioptre;
}

std::string sphere_part(double sphere) {
  const std::string power = signed_dioptres(sphere);
  // Zero is written with a space after the tag instead of a sign.
  return (power == std::string("0.00") + kDioptre ? "Ｓ " : "Ｓ") + power;
}

}  // namespace

std::string format_power(double dioptres) { return signed_dioptres(dioptres); }

std::string format_axis(int degrees) {
  if (degrees == 0) return std::string("180") + kDegree;
  return std::to_string(degrees) + kDegree;
}

std::string format_result(const LensPower& result) {
  std::string text = sphere_part(result.sphere);
  if (result.cylinder == 0) return text;
  text += " Ｃ" + signed_dioptres(result.cylinder);
  text += " Ａ" + std::to_string(result.axis) + kDegree;
  return text;
}

}  // namespace toric
