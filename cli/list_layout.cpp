#include "list_layout.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "toric/lens_notation.h"
#include "toric/utf8.h"

namespace toric {

namespace {

enum Field { kNoField = -1, kSphere = 0, kCylinder = 1, kAxis = 2 };

// What a header cell names.
struct Role {
  bool known = true;  // every word of it is one of a lens column's
  int lens = 0;       // 1 or 2; 0 where it names none
  Field field = kNoField;
  bool whole = false;  // "lens", "レンズ", "枚目": a column of whole lenses
  char eye = 0;        // 'R' or 'L'
};

void take_word(std::string_view word, Role& role) {
  if (const auto named = field_named(word)) {
    const auto f = static_cast<Field>(*named);
    if (role.field != kNoField && role.field != f) role.known = false;
    role.field = f;
    return;
  }
  if (word == "lens") {
    role.whole = true;
  } else if (word == "r" || word == "right" || word == "od" || word == "re" ||
             word == "rt") {
    role.eye = 'R';
  } else if (word == "l" || word == "left" || word == "os" || word == "le" ||
             word == "lt") {
    role.eye = 'L';
  } else if (word != "d" && word != "deg" && word != "no") {
    role.known = false;
  }
}

// A Japanese word for a field (球面, 円柱, 乱視, 軸): an axis wherever 軸
// is ("乱視軸"), else the first named.
void take_field_word(LensField field, bool& japanese_axis, Role& role) {
  if (field == LensField::kAxis) {
    japanese_axis = true;
  } else if (role.field == kNoField) {
    role.field = static_cast<Field>(field);
  }
}

// Another character of a Japanese name: 度数, 1枚目, 第1レンズ, 右眼, 左.
void take_character(char32_t c, Role& role) {
  switch (c) {
    case U'枚':
    case U'目':
    case U'第':
    case U'レ':
    case U'ン':
    case U'ズ':
      role.whole = true;
      return;
    case U'右':
      role.eye = 'R';
      return;
    case U'左':
      role.eye = 'L';
      return;
    case U'度':
    case U'数':
    case U'眼':
    case U'°':
      return;
    default:
      role.known = false;
  }
}

Role role_of(std::string_view cell) {
  Role role;
  std::string word;
  int digits = 0;
  int number = 0;
  bool sign = false;  // a sign or a point just before a digit: a value
  bool japanese_axis = false;
  char previous = ' ';
  const auto end_word = [&] {
    if (!word.empty()) take_word(word, role);
    word.clear();
  };
  for (std::size_t i = 0; i < cell.size();) {
    if (const auto word = japanese_field_word(cell.substr(i))) {
      end_word();
      take_field_word(word->field, japanese_axis, role);
      i += word->length;
      previous = 'x';
      continue;
    }
    const Character ch = character_at(cell, i);
    i += ch.length;
    char32_t c = ch.code;
    if (c >= 0xFF01 && c <= 0xFF5E) c -= 0xFEE0;  // fullwidth forms
    if (c >= '0' && c <= '9') {
      sign |= previous == '+' || previous == '-' || previous == '.';
      if (!(previous >= '0' && previous <= '9')) {
        end_word();
        ++digits;
        number = 0;
      }
      // Lens 1 or 2; any other number names no lens (and stops growing).
      if (number <= 2) number = number * 10 + static_cast<int>(c - '0');
      if (number > 2 || number == 0) role.known = false;
      role.lens = number;
    } else if ((c | 0x20) >= 'a' && (c | 0x20) <= 'z') {
      word += static_cast<char>(c | 0x20);
    } else {
      end_word();
      if (c >= 0x80) take_character(c, role);
    }
    previous = c < 0x80 ? static_cast<char>(c) : 'x';
  }
  end_word();
  if (japanese_axis) role.field = kAxis;
  if (digits > 1 || sign) role.known = false;
  if (role.field != kNoField) role.whole = false;
  return role;
}

bool has_letters(const std::string& field) {
  return std::any_of(field.begin(), field.end(), [](char c) {
    const auto u = static_cast<unsigned char>(c);
    return u >= 0x80 || ((u | 0x20) >= 'a' && (u | 0x20) <= 'z');
  });
}

std::string candidates_named(const std::vector<LensColumns>& candidates) {
  std::string named;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    if (i > 0) named += i + 1 == candidates.size() ? " or " : ", ";
    named += columns_named(candidates[i]);
  }
  return named;
}

}  // namespace

std::string columns_named(const LensColumns& columns) {
  std::string named;
  for (const int column : columns) {
    if (!named.empty()) named += ',';
    named += std::to_string(column + 1);
  }
  return named;
}

HeaderReading read_header(const std::vector<std::string>& fields) {
  HeaderReading reading;
  bool letters = false;
  std::vector<Role> roles;
  for (const std::string& field : fields) {
    roles.push_back(role_of(field));
    const Role& role = roles.back();
    const bool names =
        role.known && (role.field != kNoField || role.whole || role.eye != 0);
    const CellKind kind = cell_of(field).kind;
    // A value no header holds: a number, a lens, "pl".
    if (!names && kind != CellKind::kOther && kind != CellKind::kEmpty) {
      return reading;
    }
    letters |= has_letters(field);
  }
  reading.header = letters;
  if (!letters) return reading;

  bool right = false, left = false;
  std::array<std::vector<int>, 3> whole;                 // by lens 0, 1, 2
  std::array<std::array<std::vector<int>, 3>, 3> named;  // by lens, field
  for (int i = 0; i < static_cast<int>(roles.size()); ++i) {
    const Role& r = roles[i];
    if (!r.known) continue;
    right |= r.eye == 'R';
    left |= r.eye == 'L';
    if (r.whole) whole[r.lens].push_back(i);
    if (r.field != kNoField) named[r.lens][r.field].push_back(i);
  }
  if (right && left) {
    reading.refusal =
        "the header names the right and the left eye: a prescription for "
        "two eyes, not two lenses laid one on the other (--columns "
        "combines named columns all the same)";
    return reading;
  }
  std::vector<LensColumns> found;
  if (whole[1].size() == 1 && whole[2].size() == 1) {
    found.push_back({whole[1][0], whole[2][0]});
  }
  LensColumns six;
  for (const int lens : {1, 2}) {
    for (const Field f : {kSphere, kCylinder, kAxis}) {
      if (named[lens][f].size() == 1) six.push_back(named[lens][f][0]);
    }
  }
  if (six.size() != 6) {
    // S, C, A, S, C, A without numbers: the first of each is lens 1's.
    six.clear();
    for (const int lens : {0, 1}) {
      for (const Field f : {kSphere, kCylinder, kAxis}) {
        if (named[0][f].size() == 2) six.push_back(named[0][f][lens]);
      }
    }
  }
  if (six.size() == 6) found.push_back(six);
  if (found.size() == 1) reading.columns = found[0];
  return reading;
}

bool text_only(const std::vector<std::string>& fields) {
  return std::all_of(fields.begin(), fields.end(), [](const std::string& f) {
    const CellKind kind = cell_of(f).kind;
    return kind == CellKind::kOther || kind == CellKind::kEmpty;
  });
}

std::string readings_named(const std::vector<LensColumns>& readings) {
  return "columns " + candidates_named(readings);
}

RowReadings readings_of_row(const std::vector<std::string>& fields) {
  const int n = static_cast<int>(fields.size());
  std::vector<Cell> cells;
  cells.reserve(fields.size());
  for (const std::string& field : fields) cells.push_back(cell_of(field));
  const auto number = [&](int i) {
    return cells[i].kind == CellKind::kCount ||
           cells[i].kind == CellKind::kPower;
  };
  const auto empty = [&](int i) { return cells[i].kind == CellKind::kEmpty; };

  std::vector<LensColumns> sixes;
  for (int k = 0; k + 6 <= n; ++k) {
    bool fits = true;
    for (const int lens : {k, k + 3}) {
      fits = fits && number(lens) && (number(lens + 1) || empty(lens + 1)) &&
             (cells[lens + 2].degrees >= 0 || empty(lens + 2));
    }
    if (fits) sixes.push_back({k, k + 1, k + 2, k + 3, k + 4, k + 5});
  }
  std::vector<int> lenses;  // lens texts and powers
  std::vector<int> counts;
  bool whole_lens_cell = false;
  int filled = 0;
  for (int i = 0; i < n; ++i) {
    filled += !empty(i);
    if (cells[i].kind == CellKind::kLens || cells[i].kind == CellKind::kPower) {
      lenses.push_back(i);
      whole_lens_cell |= cells[i].kind == CellKind::kLens;
    }
    if (cells[i].kind == CellKind::kCount) counts.push_back(i);
  }

  if (sixes.size() == 1 && !whole_lens_cell) return {sixes, true};
  RowReadings row{sixes, true};
  // Two bare powers (no lens written whole, "-1.25 -0.50 x180") with an
  // axis-like number right after one are a lens written in three cells, not
  // a pair.
  const auto axis_after = [&](int i) {
    return !whole_lens_cell && i + 1 < n &&
           cells[i + 1].kind == CellKind::kCount && cells[i + 1].degrees >= 0;
  };
  if (lenses.size() == 2 && !axis_after(lenses[0]) && !axis_after(lenses[1])) {
    row.readings.push_back(lenses);
  } else if (lenses.size() + counts.size() == 2 && filled == 2) {
    // A pair and nothing else: whole numbers are spheres here.
    LensColumns two = lenses;
    two.insert(two.end(), counts.begin(), counts.end());
    std::sort(two.begin(), two.end());
    row.readings.push_back(two);
  } else if (lenses.size() == 1) {
    // A whole number beside a lens may be an id, or a sphere as a
    // spreadsheet writes +2.00: never taken for either.
    row.certain = false;
    for (const int count : counts) {
      row.readings.push_back(
          {std::min(lenses[0], count), std::max(lenses[0], count)});
    }
  }
  return row;
}

}  // namespace toric
