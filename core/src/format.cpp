#include "toric/format.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

namespace toric {

namespace {

// The signs, units and tags of one notation.
struct Glyphs {
  std::string_view plus;
  std::string_view dioptre;
  std::string_view degree;
  std::string_view sphere_tag;
  std::string_view zero_sphere_tag;  // a zero sphere has no sign
  std::string_view cylinder_tag;
  std::string_view axis_tag;
};

constexpr Glyphs kWindowGlyphs{"＋", "Ｄ", "°", "Ｓ", "Ｓ ", " Ｃ", " Ａ"};
constexpr Glyphs kPlainGlyphs{"+", "", "", "S", "S", " C", " A"};

// `value` with two decimals into `text`, as to_chars writes it: the exact
// binary value rounded, an exact tie to the even hundredth. Hundredths
// taken by multiplying are the same unless the product lies within a
// hair of a tie, where to_chars itself decides; that keeps long lists
// fast.
std::string_view two_decimals(double value, char* text, std::size_t size) {
  const double hundredths = value * 100;
  const double rounded = std::nearbyint(hundredths);
  const double from_tie = std::fabs(std::fabs(hundredths - rounded) - 0.5);
  if (std::fabs(hundredths) < 1e12 && from_tie > 1e-6) {
    auto whole = static_cast<long long>(std::fabs(rounded));
    char* end = text + size;
    char* p = end;
    for (int i = 0; i < 2; ++i, whole /= 10)
      *--p = static_cast<char>('0' + whole % 10);
    *--p = '.';
    do {
      *--p = static_cast<char>('0' + whole % 10);
      whole /= 10;
    } while (whole > 0);
    if (std::signbit(value)) *--p = '-';
    return {p, static_cast<std::size_t>(end - p)};
  }
#ifdef __EMSCRIPTEN__
  // The page's C++ library has no to_chars for a double with a precision.
  // Its printf rounds the exact binary value, a tie to the even hundredth,
  // as to_chars does, and the page never sets a locale.
  const int written = std::snprintf(text, size, "%.2f", value);
  return {text, static_cast<std::size_t>(written)};
#else
  const auto written =
      std::to_chars(text, text + size, value, std::chars_format::fixed, 2);
  return {text, static_cast<std::size_t>(written.ptr - text)};
#endif
}

// Two decimals, at least one digit before the point, "-" when negative,
// in `text`; empty for what rounds to 0.00. Always a point, whatever the
// process locale says: to_chars ignores it, and rounds the exact binary
// value as printf does.
constexpr std::size_t kNumberRoom = 320;  // any finite double in full
std::string_view nonzero_decimal(double value, char (&text)[kNumberRoom]) {
  const std::string_view digits = two_decimals(value, text, kNumberRoom);
  if (digits == "0.00" || digits == "-0.00") return {};
  return digits;
}

bool append_nonzero_decimal(std::string& out, double value,
                            std::string_view plus) {
  char text[kNumberRoom];
  const std::string_view digits = nonzero_decimal(value, text);
  if (digits.empty()) return false;
  if (value > 0) out += plus;
  out += digits;
  return true;
}

// A result line put together on the stack and added to its string at
// once: long lists write a million of them.
class Pieces {
 public:
  Pieces& operator+=(std::string_view piece) {
    std::memcpy(end_, piece.data(), piece.size());
    end_ += piece.size();
    return *this;
  }
  std::string_view text() const {
    return {text_, static_cast<std::size_t>(end_ - text_)};
  }

 private:
  // Two numbers and the tags, signs and units around them.
  char text_[2 * kNumberRoom + 64];
  char* end_ = text_;
};

}  // namespace

std::string format_power(double dioptres) {
  std::string text;
  if (!append_nonzero_decimal(text, dioptres, kWindowGlyphs.plus)) {
    text = "0.00";
  }
  return text.append(kWindowGlyphs.dioptre);
}

std::string format_axis(int degrees) {
  return std::to_string(axis_read(degrees)).append(kWindowGlyphs.degree);
}

std::string format_result(const LensPower& result, Notation notation) {
  std::string text;
  append_result(text, result, notation);
  return text;
}

namespace {

// One notation's line: its glyphs are constants here, so that copying them
// takes a move or two each, not a call.
template <const Glyphs& g>
void append_result_in(std::string& out, const LensPower& result) {
  Pieces line;
  char number[kNumberRoom];
  const std::string_view sphere = nonzero_decimal(result.sphere, number);
  if (sphere.empty()) {
    // A zero is written with its own tag: no sign, and a space in the
    // window's notation.
    line += g.zero_sphere_tag;
    line += "0.00";
  } else {
    line += g.sphere_tag;
    if (result.sphere > 0) line += g.plus;
    line += sphere;
  }
  line += g.dioptre;
  if (result.cylinder != 0) {
    line += g.cylinder_tag;
    const std::string_view cylinder = nonzero_decimal(result.cylinder, number);
    if (cylinder.empty()) {
      line += "0.00";
    } else {
      if (result.cylinder > 0) line += g.plus;
      line += cylinder;
    }
    line += g.dioptre;
    line += g.axis_tag;
    char axis[8];
    line += std::string_view(
        axis, std::to_chars(axis, axis + sizeof axis, result.axis).ptr - axis);
    line += g.degree;
  }
  out += line.text();
}

}  // namespace

void append_result(std::string& out, const LensPower& result,
                   Notation notation) {
  if (notation == Notation::kPlain) {
    append_result_in<kPlainGlyphs>(out, result);
  } else {
    append_result_in<kWindowGlyphs>(out, result);
  }
}

void append_decimal(std::string& out, double value) {
  if (!append_nonzero_decimal(out, value, "")) out += "0.00";
}

}  // namespace toric
