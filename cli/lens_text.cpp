#include "lens_text.h"

#include <cstdint>
#include <cstdlib>
#include <string>

namespace toric {

namespace {

// The text in lower-case ASCII: fullwidth letters, digits and signs become
// their ASCII forms, the minus sign a hyphen, the degree sign goes.
std::string plain_ascii(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  const auto lower = [](char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  };
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto byte = [&](std::size_t k) {
      return static_cast<unsigned char>(text[i + k]);
    };
    const std::size_t left = text.size() - i;
    if (left >= 3 && byte(0) == 0xEF && (byte(1) == 0xBC || byte(1) == 0xBD)) {
      // U+FF01..U+FF5E are U+0021..U+007E moved up by 0xFEE0.
      const unsigned code =
          0xFF00u + ((byte(1) & 0x03u) << 6) + (byte(2) & 0x3Fu);
      if (code >= 0xFF01 && code <= 0xFF5E) {
        out += lower(static_cast<char>(code - 0xFEE0u));
        i += 2;
        continue;
      }
    }
    if (left >= 2 && byte(0) == 0xC2 && byte(1) == 0xB0) {  // °
      i += 1;
      continue;
    }
    if (left >= 3 && byte(0) == 0xE2 && byte(1) == 0x88 && byte(2) == 0x92) {
      out += '-';  // U+2212 minus sign
      i += 2;
      continue;
    }
    if (left >= 3 && byte(0) == 0xE3 && byte(1) == 0x80 && byte(2) == 0x80) {
      out += ' ';  // ideographic space
      i += 2;
      continue;
    }
    out += lower(text[i]);
  }
  return out;
}

// One value of the lens as written: its tag letter (0 when untagged) and
// its number, "pl" already read as 0.
struct Field {
  char tag = 0;
  std::string_view number;
};

// At most sphere, cylinder and axis, and one more to tell that there were
// too many.
struct Fields {
  Field field[4];
  int count = 0;
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_separator(char c) { return c == ' ' || c == '\t' || c == '/'; }

// Splits "s-1.25d c-0.50d a180" or "-1.25/-0.50x180" into its fields;
// nothing when the text does not have that shape.
std::optional<Fields> fields_of(std::string_view text) {
  Fields fields;
  std::size_t i = 0;
  const auto at = [&](std::size_t k) {
    return k < text.size() ? text[k] : '\0';
  };
  while (true) {
    while (is_separator(at(i))) ++i;
    if (i >= text.size()) break;
    Field field;
    if (std::string_view("scax@").find(at(i)) != std::string_view::npos &&
        at(i) != '\0') {
      field.tag = at(i++);
      while (at(i) == ' ') ++i;
    }
    if (text.substr(i).starts_with("plano")) {
      field.number = "0";
      i += 5;
    } else if (text.substr(i).starts_with("pl")) {
      field.number = "0";
      i += 2;
    } else {
      const std::size_t start = i;
      if (at(i) == '+' || at(i) == '-') ++i;
      const std::size_t digits = i;
      while (is_digit(at(i))) ++i;
      if (at(i) == '.') {
        ++i;
        while (is_digit(at(i))) ++i;
      }
      if (i == digits || (i == digits + 1 && at(digits) == '.')) {
        return std::nullopt;
      }
      field.number = text.substr(start, i - start);
    }
    if (at(i) == 'd') ++i;  // dioptres
    // A field ends at a separator, the end, or the next field's tag.
    if (i < text.size() && !is_separator(at(i)) && at(i) != 'x' &&
        at(i) != 'c' && at(i) != 'a' && at(i) != '@') {
      return std::nullopt;
    }
    fields.field[fields.count++] = field;
    if (fields.count == 4) break;
  }
  return fields;
}

// A number written with at most two decimals (more only as zeros), in
// hundredths; nothing otherwise.
std::optional<int> hundredths(std::string_view number) {
  std::size_t i = 0;
  const bool negative = number[0] == '-';
  if (number[0] == '+' || number[0] == '-') i = 1;
  long value = 0;
  int decimals = -1;
  for (; i < number.size(); ++i) {
    if (number[i] == '.') {
      decimals = 0;
      continue;
    }
    if (decimals >= 2) {
      if (number[i] != '0') return std::nullopt;
      continue;
    }
    value = value * 10 + (number[i] - '0');
    if (decimals >= 0) ++decimals;
    if (value > 100000000) return std::nullopt;
  }
  for (int d = decimals < 0 ? 0 : decimals; d < 2; ++d) value *= 10;
  return static_cast<int>(negative ? -value : value);
}

// Hundredths as the window writes a power: "+2.00", "-0.50", "0.00".
std::string signed_hundredths(int h) {
  const int magnitude = std::abs(h);
  std::string digits = std::to_string(magnitude / 100) + "." +
                       std::to_string(magnitude / 10 % 10) +
                       std::to_string(magnitude % 10);
  return (h > 0 ? "+" : h < 0 ? "-" : "") + digits;
}

LensReading failure(std::string why) { return {std::nullopt, std::move(why)}; }

}  // namespace

LensReading read_lens(std::string_view text) {
  const std::string ascii = plain_ascii(text);
  const auto fields = fields_of(ascii);
  const char* shape =
      " (write it as S-1.25 C-0.50 A180, -1.25/-0.50x180 or +2.00)";
  if (!fields || fields->count == 0 || fields->count > 3) {
    return failure("cannot read \"" + std::string(text) + "\" as a lens" +
                   shape);
  }
  const Field& sphere = fields->field[0];
  const Field& cylinder = fields->field[1];
  const Field& axis = fields->field[2];
  if ((sphere.tag != 0 && sphere.tag != 's') ||
      (cylinder.tag != 0 && cylinder.tag != 'c') ||
      (axis.tag != 0 && axis.tag != 'a' && axis.tag != 'x' &&
       axis.tag != '@')) {
    return failure("cannot read \"" + std::string(text) +
                   "\" as sphere, cylinder and axis in that order" + shape);
  }

  const auto s = hundredths(sphere.number);
  if (!s || *s % 25 != 0 || *s < -1000 || *s > 1000) {
    return failure("sphere " + std::string(sphere.number) +
                   " is not one the bars set: -10.00 to +10.00 in steps of "
                   "0.25");
  }
  const auto c = cylinder.number.empty() ? std::optional<int>(0)
                                         : hundredths(cylinder.number);
  if (!c || *c % 25 != 0 || *c < -500 || *c > 500) {
    return failure("cylinder " + std::string(cylinder.number) +
                   " is not one the bars set: 0.00 to -5.00 in steps of 0.25");
  }
  std::optional<int> a = 180;
  if (!axis.number.empty()) {
    const auto h = hundredths(axis.number);
    a = (h && *h % 100 == 0) ? std::optional<int>(*h / 100) : std::nullopt;
  }
  if (!a || *a < 0 || *a > 180 || axis.number.starts_with('+') ||
      (axis.number.empty() && *c != 0)) {
    return failure(*c != 0 && axis.number.empty()
                       ? "cylinder " + std::string(cylinder.number) +
                             " has no axis"
                       : "axis " + std::string(axis.number) +
                             " is not one the bars set: whole degrees from 1 "
                             "to 180 (0 is read as 180)");
  }
  const int degrees = *a == 0 ? 180 : *a;
  if (*c > 0) {
    // The bars hold minus cylinders only: say what to type instead.
    const int turned = degrees + 90 > 180 ? degrees - 90 : degrees + 90;
    return failure("cylinder " + std::string(cylinder.number) +
                   " is a plus cylinder; the bars set minus cylinders: this "
                   "lens is S" +
                   signed_hundredths(*s + *c) + " C" + signed_hundredths(-*c) +
                   " A" + std::to_string(turned));
  }
  // Decoded from the positions the window's bars would stand at. Quarter
  // dioptres are exact in hundredths and in doubles alike.
  return {LensPower{scale_to_sphere(sphere_to_scale(*s / 100.0)),
                    scale_to_cylinder(cylinder_to_scale(*c / 100.0)),
                    scale_to_axis(axis_to_scale(degrees))},
          {}};
}

}  // namespace toric
