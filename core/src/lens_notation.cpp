#include "toric/lens_notation.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>

#include "toric/utf8.h"

namespace toric {

namespace {

constexpr char kDropped = '\x01';  // a character that reads as nothing

// The ASCII character a character of a lens text stands for, lower-case;
// kDropped for the degree sign; 0 for one that has no place in a lens.
char ascii_form(char32_t c) {
  if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;  // fullwidth forms
  if (c >= 'A' && c <= 'Z') return static_cast<char>(c - 'A' + 'a');
  if (c >= 0x20 && c < 0x7F) return static_cast<char>(c);
  switch (c) {
    case '\t':
    case '\n':  // a line break inside a spreadsheet's cell
    case '\r':
    case 0x00A0:  // no-break space
    case 0x3000:  // ideographic space
      return ' ';
    case 0x2010:  // hyphen
    case 0x2011:  // non-breaking hyphen
    case 0x2012:  // figure dash
    case 0x2013:  // en dash
    case 0x2014:  // em dash
    case 0x2015:  // horizontal bar
    case 0x2212:  // minus sign
    case 0x30FC:  // the long vowel mark a Japanese input method types for -
    case 0xFE63:  // small hyphen-minus
    case 0xFF70:  // halfwidth long vowel mark
      return '-';
    case 0x00D7:  // multiplication sign, "×180"
      return 'x';
    case 0x00B0:  // degree sign
    case 0x02DA:  // ring above, typed for a degree sign
      return kDropped;
    default:
      return 0;
  }
}

// A field's letter in the folded text, which the parser takes as its tag.
char tag_letter(LensField field) {
  return field == LensField::kSphere     ? 's'
         : field == LensField::kCylinder ? 'c'
                                         : 'a';
}

constexpr std::size_t kLongest = 160;  // characters in a lens text

// The text in lower-case ASCII, each character with the offset of the input
// character it stands for.
struct Folded {
  // Only the first `size` characters are set, then two NULs (room for a
  // last word of eight).
  std::array<char, kLongest + 8> text;
  std::array<std::uint16_t, kLongest + 1> from;
  bool identity = false;  // each character stands for the one at its offset
  std::size_t size = 0;
  std::size_t offset_of(std::size_t i) const { return identity ? i : from[i]; }
};

// Why a text cannot be read: where, and what was expected there.
struct Stop {
  std::size_t at;  // byte offset in the input; npos for its end
  const char* expected;
};

constexpr const char* kSphere = "a sphere such as -1.25, S-1.25 or pl";
constexpr const char* kCylinder = "a cylinder such as -0.50 or C-0.50";
constexpr const char* kAxis = "an axis such as x180, A180 or 180";
constexpr const char* kNothingMore = "nothing after the axis";
constexpr const char* kLensCharacter =
    "a sign, a digit, a point or comma, a space or /, or S, C, A, x, D";

std::optional<Stop> fold(std::string_view text, Folded& folded) {
  // Printable ASCII, as most lists are: lower-cased, one for one, eight
  // characters at a time in a 64-bit word (the text padded with spaces).
  bool plain = text.size() <= kLongest;
  if (plain) {
    constexpr std::uint64_t kEach = 0x0101010101010101u;
    constexpr std::uint64_t kHigh = 0x8080808080808080u;
    const std::size_t words = (text.size() + 7) / 8;
    if (words > 0)
      std::memcpy(folded.text.data() + 8 * (words - 1), "        ", 8);
    std::memcpy(folded.text.data(), text.data(), text.size());
    std::uint64_t unprintable = 0;
    for (std::size_t k = 0; k < words; ++k) {
      std::uint64_t w;
      std::memcpy(&w, folded.text.data() + 8 * k, 8);
      // A byte of 0x80 or more, below 0x20, or 0x7F.
      const std::uint64_t low7 = w & ~kHigh;
      unprintable |=
          w | ~(low7 + kEach * (0x80 - 0x20)) | (low7 + kEach * (0x80 - 0x7F));
      // The top bit of each byte from 'A' to 'Z', moved to 0x20.
      const std::uint64_t upper =
          (low7 + kEach * (0x80 - 'A')) & ~(low7 + kEach * (0x80 - 'Z' - 1));
      w |= (upper & kHigh) >> 2;
      std::memcpy(folded.text.data() + 8 * k, &w, 8);
    }
    plain = (unprintable & kHigh) == 0;
    folded.identity = plain;
    folded.size = plain ? text.size() : 0;
  }
  for (std::size_t i = 0; !plain && i < text.size();) {
    const auto byte = static_cast<unsigned char>(text[i]);
    const auto word =
        byte < 0x80 ? std::nullopt : japanese_field_word(text.substr(i));
    const Character c = word          ? Character{0, word->length}
                        : byte < 0x80 ? Character{byte, 1}
                                      : character_at(text, i);
    // "±0.00", as Japanese records write plano; ± before any other
    // number has no place in a lens.
    const std::string_view after = text.substr(i + c.length);
    const std::size_t zeros = after.find_first_not_of("0.,");
    const bool plano_sign = c.code == 0xB1 && after.starts_with('0') &&
                            (zeros == std::string_view::npos ||
                             after[zeros] < '1' || after[zeros] > '9');
    const char ascii = word         ? tag_letter(word->field)
                       : plano_sign ? '+'
                                    : ascii_form(c.code);
    if (ascii == 0) return Stop{i, kLensCharacter};
    if (ascii != kDropped) {
      if (folded.size == kLongest) return Stop{i, kNothingMore};
      folded.from[folded.size] = static_cast<std::uint16_t>(i);
      folded.text[folded.size++] = ascii;
    }
    i += c.length;
  }
  if (!folded.identity) {
    folded.from[folded.size] = static_cast<std::uint16_t>(text.size());
  }
  folded.text[folded.size] = folded.text[folded.size + 1] = '\0';
  return std::nullopt;
}

// A number as written, in millionths of its unit: exact for every value
// written with up to six decimals.
using Millionths = std::int64_t;
constexpr Millionths kOne = 1'000'000;

using Field = LensField;

struct Written {
  std::optional<Millionths> value[3];  // sphere, cylinder, axis
};

bool is_digit(char c) { return c >= '0' && c <= '9'; }
bool is_letter(char c) { return c >= 'a' && c <= 'z'; }

class Parser {
 public:
  explicit Parser(const Folded& folded) : f_(folded) {}

  // Inlined where the parser is made, so that its place in the text can
  // stay in a register (a long list reads two lenses a row).
  [[gnu::always_inline]] std::optional<Stop> parse(Written& written) {
    for (const Field field : {Field::kSphere, Field::kCylinder, Field::kAxis}) {
      skip_separators();
      if (at_end()) return std::nullopt;
      if (auto stop = parse_field(field, written.value[int(field)])) {
        return stop;
      }
    }
    skip_separators();
    if (!at_end()) return stop_here(kNothingMore);
    return std::nullopt;
  }

 private:
  // Past the end reads NUL: the text ends in two, and no step reads
  // further than the character after a NUL.
  char at(std::size_t k) const { return f_.text[k]; }
  bool at_end() const { return i_ >= f_.size; }
  Stop stop_here(const char* expected) const {
    return {at_end() ? std::string_view::npos : f_.offset_of(i_), expected};
  }

  void skip_spaces() {
    while (at(i_) == ' ') ++i_;
  }
  // Between fields: spaces, a slash, or a comma that is no decimal comma.
  void skip_separators() {
    while (at(i_) == ' ' || at(i_) == '/' ||
           (at(i_) == ',' && !is_digit(at(i_ + 1)))) {
      ++i_;
    }
  }

  std::string_view letters_at(std::size_t k) const {
    std::size_t end = k;
    while (is_letter(at(end))) ++end;
    return {f_.text.data() + k, end - k};
  }

  static const char* expected(Field field) {
    return field == Field::kSphere     ? kSphere
           : field == Field::kCylinder ? kCylinder
                                       : kAxis;
  }

  std::optional<Stop> parse_field(Field field,
                                  std::optional<Millionths>& value) {
    const std::string_view word = letters_at(i_);
    if (names_field(field, word)) {
      i_ += word.size();
      if (word.size() > 1 && at(i_) == '.') ++i_;  // "Sph.1.00"
      skip_spaces();
    } else if (field == Field::kAxis && at(i_) == '@') {
      ++i_;
      skip_spaces();
    }
    if (field == Field::kSphere) {
      const std::string_view plano = letters_at(i_);
      if (plano == "pl" || plano == "plano") {
        i_ += plano.size();
        value = 0;
        return unit_after(field);
      }
    }
    if (auto stop = number(field, value)) return stop;
    return unit_after(field);
  }

  // [+-] digits [(.|,) digits]
  std::optional<Stop> number(Field field, std::optional<Millionths>& value) {
    const std::size_t start = i_;
    const bool negative = at(i_) == '-';
    if (at(i_) == '+' || at(i_) == '-') ++i_;
    Millionths whole = 0;
    int digits = 0;
    for (; is_digit(at(i_)); ++i_, ++digits) {
      if (digits == 6) return stop_here(expected(field));  // a million D
      whole = whole * 10 + (at(i_) - '0');
    }
    Millionths fraction = 0;
    if ((at(i_) == '.' || at(i_) == ',') && is_digit(at(i_ + 1))) {
      ++i_;
      for (Millionths place = kOne / 10; is_digit(at(i_)); ++i_, place /= 10) {
        if (place == 0) {
          if (at(i_) != '0') return stop_here("at most six decimals");
          continue;
        }
        fraction += (at(i_) - '0') * place;
      }
    } else if (digits == 0) {
      i_ = start;
      return stop_here(expected(field));
    }
    const Millionths magnitude = whole * kOne + fraction;
    value = negative ? -magnitude : magnitude;
    return std::nullopt;
  }

  // "D", "DS" after a sphere, "DC" after a cylinder, with or without a
  // space; the next field's tag may follow at once ("-1.25DC-0.50").
  std::optional<Stop> unit_after(Field field) {
    if (field == Field::kAxis) return std::nullopt;
    const std::size_t number_end = i_;
    skip_spaces();
    if (at(i_) != 'd') {
      i_ = number_end;
      return std::nullopt;
    }
    const std::string_view word = letters_at(i_);
    const Field next =
        field == Field::kSphere ? Field::kCylinder : Field::kAxis;
    const std::string_view unit = field == Field::kSphere ? "ds" : "dc";
    for (const std::string_view u : {unit, std::string_view("d")}) {
      if (word.starts_with(u) && (word.size() == u.size() ||
                                  names_field(next, word.substr(u.size())))) {
        i_ += u.size();
        return std::nullopt;
      }
    }
    i_ = number_end;
    return std::nullopt;
  }

  const Folded& f_;
  std::size_t i_ = 0;
};

// A value as a message names it: "+1.10", "-0.50", "90.5" (axes unsigned).
std::string named_value(Millionths m, bool signed_power) {
  const Millionths magnitude = std::llabs(m);
  std::string text = std::to_string(magnitude / kOne);
  std::string decimals = std::to_string(kOne + magnitude % kOne).substr(1);
  while (decimals.size() > (signed_power ? 2u : 0u) && decimals.back() == '0')
    decimals.pop_back();
  if (!decimals.empty()) text += "." + decimals;
  if (!signed_power) return (m < 0 ? "-" : "") + text;
  return (m > 0 ? "+" : m < 0 ? "-" : "") + text;
}

std::string power_named(Millionths m) { return named_value(m, true); }

LensReading failure(std::string why) { return {std::nullopt, std::move(why)}; }

std::string character_named(std::string_view text, std::size_t at) {
  if (at == std::string_view::npos || at >= text.size()) return "the end";
  const Character c = character_at(text, at);
  if (c.code < 0x20 || c.code == 0x7F) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c.code));
    return code;
  }
  return quoted(text.substr(at, c.length));
}

// A power bar's scale in millionths.
struct PowerSpan {
  Millionths step, lowest, highest;
  const char* name;

  constexpr PowerSpan(const BarSpan& span, const char* named)
      : step(in_millionths(span_step(span))),
        lowest(in_millionths(span_lowest(span))),
        highest(in_millionths(span_highest(span))),
        name(named) {}

  static constexpr Millionths in_millionths(double value) {
    return static_cast<Millionths>(value * kOne + (value < 0 ? -0.5 : 0.5));
  }
  constexpr bool on_step(Millionths value) const { return value % step == 0; }
  constexpr bool holds(Millionths value) const {
    return on_step(value) && value >= lowest && value <= highest;
  }
  // "-10.00 to +10.00", "0.00 to -5.00": the end nearer zero first.
  std::string range() const {
    const bool high_first = std::llabs(highest) < std::llabs(lowest);
    return power_named(high_first ? highest : lowest) + " to " +
           power_named(high_first ? lowest : highest);
  }
  // The value exactly, from the position the bar would stand at.
  constexpr double value(Millionths m) const {
    return static_cast<double>(m / step) * (static_cast<double>(step) / kOne);
  }
};

// Worked out once, so that a long list's checks divide by constants.
constexpr PowerSpan kSphereBar(kSphereSpan, "sphere ");
constexpr PowerSpan kCylinderBar(kCylinderSpan, "cylinder ");

}  // namespace

std::optional<FieldWord> japanese_field_word(std::string_view text) {
  // Longer words first: 球面度数 before 球面.
  static constexpr std::pair<std::string_view, LensField> kWords[] = {
      {"球面度数", LensField::kSphere},   {"球面", LensField::kSphere},
      {"円柱度数", LensField::kCylinder}, {"円柱", LensField::kCylinder},
      {"乱視度数", LensField::kCylinder}, {"乱視", LensField::kCylinder},
      {"軸度", LensField::kAxis},         {"軸", LensField::kAxis},
  };
  for (const auto& [word, field] : kWords) {
    if (text.starts_with(word)) return FieldWord{field, word.size()};
  }
  return std::nullopt;
}

std::string quoted(std::string_view text) {
  constexpr int kShown = 40;
  std::string out = "\"";
  int shown = 0;
  std::size_t i = 0;
  for (; i < text.size() && shown < kShown; ++shown) {
    const Character c = character_at(text, i);
    const bool whole = c.length > 1 || c.code < 0x80;
    char code[16];
    if (!whole) {
      std::snprintf(code, sizeof code, "\\x%02X",
                    static_cast<unsigned>(c.code));
      out += code;
    } else if (c.code == '\t' || c.code == '\n' || c.code == '\r') {
      out += c.code == '\t' ? "\\t" : c.code == '\n' ? "\\n" : "\\r";
    } else if (c.code < 0x20 || c.code == 0x7F ||
               (c.code >= 0x80 && c.code < 0xA0)) {
      std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c.code));
      out += code;
    } else {
      out += text.substr(i, c.length);
    }
    i += c.length;
  }
  out += i < text.size() ? "…\"" : "\"";
  return out;
}

Cell cell_of(std::string_view text) {
  Folded folded;
  if (fold(text, folded)) return {CellKind::kOther};
  std::string_view ascii(folded.text.data(), folded.size);
  while (ascii.starts_with(' ')) ascii.remove_prefix(1);
  while (ascii.ends_with(' ')) ascii.remove_suffix(1);
  if (ascii.empty()) return {CellKind::kEmpty};
  const auto digits = [](std::string_view t) {
    std::size_t n = 0;
    while (n < t.size() && is_digit(t[n])) ++n;
    return n;
  };
  std::string_view number = ascii;
  const bool axis_tag = number.starts_with('x');
  if (axis_tag) number.remove_prefix(1);
  const std::size_t whole = digits(number);
  if (whole > 0 && whole == number.size()) {
    const int value = whole <= 3 ? std::stoi(std::string(number)) : 999;
    const int degrees = value <= 180 ? value : -1;
    return {axis_tag ? CellKind::kOther : CellKind::kCount, degrees};
  }
  if (!axis_tag) {
    // [+-] digits [(.|,) digits], with a sign or decimals.
    std::string_view rest = ascii;
    const bool sign = rest.starts_with('+') || rest.starts_with('-');
    if (sign) rest.remove_prefix(1);
    const std::size_t before = digits(rest);
    rest.remove_prefix(before);
    bool decimals = false;
    if (!rest.empty() && (rest[0] == '.' || rest[0] == ',')) {
      const std::size_t after = digits(rest.substr(1));
      decimals = after > 0;
      if (decimals) rest.remove_prefix(1 + after);
    }
    if (rest.empty() && (before > 0 || decimals) && (sign || decimals)) {
      return {CellKind::kPower};
    }
  }
  return {read_lens(text, LensValues::kAny).lens ? CellKind::kLens
                                                 : CellKind::kOther};
}

LensReading read_lens(std::string_view text, LensValues values) {
  Folded folded;
  Written written;
  std::optional<Stop> stop = fold(text, folded);
  if (!stop) stop = Parser(folded).parse(written);
  if (stop) {
    return failure("cannot read " + quoted(text) + " at " +
                   character_named(text, stop->at) + ": expected " +
                   stop->expected);
  }
  if (!written.value[0]) {
    return failure("cannot read " + quoted(text) + ": expected " + kSphere);
  }
  Millionths sphere = *written.value[0];
  Millionths cylinder = written.value[1].value_or(0);
  if (cylinder != 0 && !written.value[2]) {
    return failure("cylinder " + power_named(cylinder) + " has no axis");
  }
  const Millionths axis_written = written.value[2].value_or(0);
  if (axis_written % kOne != 0 || axis_written < 0 ||
      axis_written > 180 * kOne) {
    return failure("axis " + named_value(axis_written, false) +
                   " is not a whole degree from 1 to 180 (0 is read as 180)");
  }
  // No axis, or 0, is 180, as on the bars.
  int axis = axis_read(static_cast<int>(axis_written / kOne));
  const bool bars = values == LensValues::kBars;
  // Each bar's own scale, named outright so that its numbers are constants.
  const auto off_step = [&](const PowerSpan& bar, Millionths value) {
    return failure(bar.name + power_named(value) +
                   " is not one the bars set: steps of " +
                   named_value(bar.step, false) + " (--any takes it)");
  };
  if (bars && !kSphereBar.on_step(sphere)) return off_step(kSphereBar, sphere);
  if (bars && !kCylinderBar.on_step(cylinder)) {
    return off_step(kCylinderBar, cylinder);
  }
  const bool turned = cylinder > 0;
  if (turned) {
    // A plus cylinder in minus form, in exact decimals.
    sphere += cylinder;
    cylinder = -cylinder;
    axis = axis_turned(axis);
  }
  const std::string_view form = turned ? " (in minus-cylinder form)" : "";
  const auto off_range = [&](const PowerSpan& bar, Millionths value) {
    return failure(bar.name + power_named(value) + std::string(form) +
                   " is not one the bars set: " + bar.range() +
                   " (--any takes it)");
  };
  const bool sphere_on_the_bars = kSphereBar.holds(sphere);
  const bool cylinder_on_the_bars = kCylinderBar.holds(cylinder);
  if (bars && !sphere_on_the_bars) return off_range(kSphereBar, sphere);
  if (bars && !cylinder_on_the_bars) return off_range(kCylinderBar, cylinder);
  if (sphere_on_the_bars && cylinder_on_the_bars) {
    // Decoded from the positions the window's bars would stand at.
    return {lens_on_bars(sphere_to_scale(kSphereBar.value(sphere)),
                         cylinder_to_scale(kCylinderBar.value(cylinder)),
                         axis_to_scale(axis)),
            {}};
  }
  return {LensPower{static_cast<double>(sphere) / kOne,
                    static_cast<double>(cylinder) / kOne, axis},
          {}};
}

}  // namespace toric
