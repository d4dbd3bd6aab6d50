#include "toric/column_names.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "toric/utf8.h"

namespace toric {

namespace {

// A field's words a header has that a lens is not written with.
std::optional<LensField> header_field(std::string_view word) {
  if (const auto field = field_named(word)) return field;
  static constexpr std::pair<std::string_view, LensField> kWords[] = {
      {"zyl", LensField::kCylinder},      {"zylinder", LensField::kCylinder},
      {"cil", LensField::kCylinder},      {"cilindro", LensField::kCylinder},
      {"cylindre", LensField::kCylinder}, {"achse", LensField::kAxis},
      {"axe", LensField::kAxis},          {"eje", LensField::kAxis},
      {"esf", LensField::kSphere},        {"esfera", LensField::kSphere},
  };
  for (const auto& [name, field] : kWords) {
    if (word == name) return field;
  }
  return std::nullopt;
}

void take_word(std::string_view word, ColumnName& name) {
  if (const auto field = header_field(word)) {
    const int f = static_cast<int>(*field);
    if (name.field >= 0 && name.field != f) name.known = false;
    name.field = f;
  } else if (word == "lens" || word == "rx" || word == "glas" ||
             word == "linse" || word == "lente" || word == "verre") {
    name.whole = true;
  } else if (word == "r" || word == "right" || word == "od" || word == "re" ||
             word == "rt") {
    name.eye = 'R';
  } else if (word == "l" || word == "left" || word == "os" || word == "le" ||
             word == "lt") {
    name.eye = 'L';
  } else if (word != "d" && word != "deg" && word != "dpt") {
    name.known = false;
  }
}

// Another character of a Japanese name: 度数, 1枚目, 第1レンズ, 右眼, 左.
void take_character(char32_t c, ColumnName& name) {
  switch (c) {
    case U'枚':
    case U'目':
    case U'第':
    case U'レ':
    case U'ン':
    case U'ズ':
      name.whole = true;
      return;
    case U'右':
      name.eye = 'R';
      return;
    case U'左':
      name.eye = 'L';
      return;
    case U'度':
    case U'数':
    case U'眼':
    case U'°':
      return;
    default:
      name.known = false;
  }
}

// The katakana U+FF66 to U+FF9D stand for, in order.
constexpr std::u32string_view kHalfWidthKana =
    U"ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノ"
    U"ハヒフヘホマミムメモヤユヨラリルレロワン";

// The kana `base` with a voiced (+1) or semi-voiced (+2) mark, or 0.
char32_t with_mark(char32_t base, bool semi) {
  // Hiragana as katakana, 0x60 lower.
  const char32_t k = base >= 0x3041 && base <= 0x3096 ? base + 0x60 : base;
  const bool ha = k >= U'ハ' && k <= U'ホ' && (k - U'ハ') % 3 == 0;
  const bool ka_to = (k >= U'カ' && k <= U'チ' && (k - U'カ') % 2 == 0) ||
                     (k >= U'ツ' && k <= U'ト' && (k - U'ツ') % 2 == 0);
  if (semi) return ha ? base + 2 : 0;
  if (k == U'ウ') return base + (U'ヴ' - U'ウ');
  return ka_to || ha ? base + 1 : 0;
}

bool blank(std::string_view text) {
  return text.find_first_not_of(" \t") == std::string_view::npos;
}

bool has_letters(const std::string& field) {
  return std::any_of(field.begin(), field.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x80 || ((u | 0x20) >= 'a' && (u | 0x20) <= 'z');
  });
}

}  // namespace

std::string width_folded(std::string_view text) {
  std::u32string codes;
  for (std::size_t i = 0; i < text.size();) {
    const Character ch = character_at(text, i);
    i += ch.length;
    char32_t c = ch.code;
    if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;  // full-width forms
    if (c == 0x3000) c = ' ';
    if (c >= 0xFF66 && c <= 0xFF9D) c = kHalfWidthKana[c - 0xFF66];
    const bool voiced = c == 0x3099 || c == 0xFF9E || c == 0x309B;
    const bool semi = c == 0x309A || c == 0xFF9F || c == 0x309C;
    if ((voiced || semi) && !codes.empty()) {
      if (const char32_t marked = with_mark(codes.back(), semi)) {
        codes.back() = marked;
        continue;
      }
    }
    codes += c;
  }
  std::string out;
  for (const char32_t c : codes) append_utf8(out, c);
  return out;
}

ColumnName column_name(std::string_view cell) {
  const std::string folded = width_folded(cell);
  const std::string_view text = folded;
  ColumnName name;
  std::string word;
  int digits = 0;
  int number = 0;
  bool sign = false;  // a sign or a point just before a digit: a value
  bool japanese_axis = false;
  char previous = ' ';
  const auto end_word = [&] {
    if (!word.empty()) take_word(word, name);
    word.clear();
  };
  for (std::size_t i = 0; i < text.size();) {
    if (const auto found = japanese_field_word(text.substr(i))) {
      end_word();
      if (found->field == LensField::kAxis) {
        japanese_axis = true;  // an axis wherever 軸 is ("乱視軸")
      } else if (name.field < 0) {
        name.field = static_cast<int>(found->field);
      }
      i += found->length;
      previous = 'x';
      continue;
    }
    // The lens worn and the lens added over it.
    const bool worn = text.substr(i).starts_with("現用");
    if (worn || text.substr(i).starts_with("追加")) {
      end_word();
      name.lens = worn ? 1 : 2;
      name.whole = true;
      i += std::string_view("現用").size();
      previous = 'x';
      continue;
    }
    const Character ch = character_at(text, i);
    i += ch.length;
    const char32_t c = ch.code;
    if (c >= '0' && c <= '9') {
      sign |= previous == '+' || previous == '-' || previous == '.';
      if (!(previous >= '0' && previous <= '9')) {
        end_word();
        ++digits;
        number = 0;
      }
      // A lens's number from 1 to 9 (3 for an answer's columns); a longer
      // number names no lens.
      if (number < 10) number = number * 10 + static_cast<int>(c - '0');
      if (number >= 10 || number == 0) name.known = false;
      name.lens = number;
    } else if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') {
      word += static_cast<char>(c | 0x20);
    } else {
      end_word();
      if (c >= 0x80) take_character(c, name);
    }
    previous = c < 0x80 ? static_cast<char>(c) : 'x';
  }
  end_word();
  if (japanese_axis) name.field = static_cast<int>(LensField::kAxis);
  if (digits > 1 || sign) name.known = false;
  if (name.field >= 0) name.whole = false;
  return name;
}

HeaderReading read_header(const std::vector<std::string>& fields) {
  HeaderReading reading;
  bool letters = false;
  std::vector<ColumnName> names;
  for (const std::string& field : fields) {
    names.push_back(column_name(field));
    const CellKind kind = cell_of(field).kind;
    // A value no header holds: a number, a lens, "pl".
    if (!names.back().names_lens_column() && kind != CellKind::kOther &&
        kind != CellKind::kEmpty) {
      return reading;
    }
    letters |= has_letters(field);
  }
  reading.header = letters;
  if (!letters) return reading;

  bool right = false, left = false;
  constexpr int kLenses = 10;  // numbered 1 to 9; 0 for unnumbered
  std::array<std::vector<int>, kLenses> whole;
  std::array<std::array<std::vector<int>, 3>, kLenses> named;  // by field
  for (int i = 0; i < static_cast<int>(names.size()); ++i) {
    const ColumnName& n = names[i];
    if (!n.known) continue;
    right |= n.eye == 'R';
    left |= n.eye == 'L';
    if (n.whole) whole[n.lens].push_back(i);
    if (n.field >= 0) named[n.lens][n.field].push_back(i);
  }
  if (right && left) {
    reading.refusal =
        "the header names the right and the left eye: a prescription for "
        "two eyes, not two lenses laid one on the other (--columns "
        "combines named columns all the same)";
    return reading;
  }
  // Lens 1 and lens 2 by their numbers; a third lens's columns (an
  // answer's) are copied.
  std::vector<LensColumns> found;
  if (whole[1].size() == 1 && whole[2].size() == 1) {
    found.push_back({whole[1][0], whole[2][0]});
  }
  LensColumns six;
  for (const int lens : {1, 2}) {
    for (int f = 0; f < 3; ++f) {
      if (named[lens][f].size() == 1) six.push_back(named[lens][f][0]);
    }
  }
  if (six.size() != 6) {
    // S, C, A, S, C, A without numbers: the first of each is lens 1's.
    six.clear();
    for (const int lens : {0, 1}) {
      for (int f = 0; f < 3; ++f) {
        if (named[0][f].size() == 2) six.push_back(named[0][f][lens]);
      }
    }
  }
  if (six.size() == 6) found.push_back(six);
  if (found.size() == 1) reading.columns = found[0];
  return reading;
}

std::vector<std::string> merged_header(const std::vector<std::string>& upper,
                                       const std::vector<std::string>& lower) {
  const bool lens_above =
      std::any_of(upper.begin(), upper.end(), [](const std::string& cell) {
        const ColumnName name = column_name(cell);
        return name.numbered_lens() && name.whole;
      });
  if (!lens_above || !read_header(lower).header) return {};
  std::vector<std::string> merged(std::max(upper.size(), lower.size()));
  std::string carried;  // a lens's name over the empty cells right of it
  for (std::size_t i = 0; i < merged.size(); ++i) {
    const std::string above = i < upper.size() ? upper[i] : std::string();
    const std::string below = i < lower.size() ? lower[i] : std::string();
    if (!blank(above)) {
      const ColumnName name = column_name(above);
      carried = name.known && name.whole ? above : std::string();
    }
    const std::string& over = blank(above) ? carried : above;
    merged[i] =
        blank(below) ? above : (over.empty() ? below : over + " " + below);
  }
  if (read_header(merged).columns.empty()) merged.clear();
  return merged;
}

}  // namespace toric
