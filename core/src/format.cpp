#include "toric/format.h"

#include <cstdio>
#include <string>

namespace toric {

namespace {

constexpr const char* kPlus = "＋";
constexpr const char* kDioptre = "Ｄ";
constexpr const char* kDegree = "°";

// Two decimals, at least one digit before the point, "-" when negative.
// A negative value that rounds to zero is written "0.00", never "-0.00".
std::string two_decimals(double value) {
  char text[32];
  std::snprintf(text, sizeof text, "%.2f", value);
  std::string result(text);
  if (result == "-0.00") result = "0.00";
  return result;
}

// The signed number with its unit, as the readouts show it.
std::string signed_dioptres(double value) {
  if (value > 0) return kPlus + two_decimals(value) + kDioptre;
  if (value == 0) return std::string("0.00") + kDioptre;
  return two_decimals(value) + kDioptre;
}

std::string sphere_part(double sphere) {
  // Zero is written with a space after the tag instead of a sign.
  if (sphere == 0) return std::string("Ｓ 0.00") + kDioptre;
  return "Ｓ" + signed_dioptres(sphere);
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
