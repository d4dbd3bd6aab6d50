#include "toric/column_names.h"

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

}  // namespace toric
