#pragma once
// How a lens is written, the one notation for every reader of lenses: a
// typed lens or a list's cell, and the words of a list's header. A lens as
// people write it in a record or a spreadsheet is read into the values the
// window's arithmetic takes: "S-1.25 C-0.50 A180", "-1.25 -0.50 x180",
// "-1.25/-0.50x180", "-1.25DS/-0.50DC ×180", "sph -1.25 cyl -0.50 ax 180",
// "-1,25 -0,50 AX180", "pl", "+2.00", and the window's own result line
// ("Ｓ-1.25Ｄ Ｃ-0.50Ｄ Ａ180°").

#include <optional>
#include <string>
#include <string_view>

#include "toric/lens_power.h"

namespace toric {

// Which values are taken: only those the window's bars can set (their
// scales in toric/lens_power.h), or any the arithmetic takes (any power,
// whole degrees from 0 to 180).
enum class LensValues { kBars, kAny };

// A lens, or the one line that says why the text is not one.
struct LensReading {
  std::optional<LensPower> lens;
  std::string error;
};

// Reads one lens. A plus cylinder is turned into minus form, exactly. Values
// the bars can set are decoded from bar positions exactly as the window
// decodes them, so the combination is the window's to the bit.
// read_lens("-1.25/-0.50x180").lens == LensPower{-1.25, -0.5, 180}.
LensReading read_lens(std::string_view text,
                      LensValues values = LensValues::kBars);

// The words that name a lens's sphere, cylinder and axis, in a lens
// ("sph -1.25", "spherical -1.25") and in a list's header ("Sph1") alike.
enum class LensField { kSphere, kCylinder, kAxis };

// Whether a lower-case word names `field`: names_field(kCylinder, "cyl").
// The one list of the words. Inline: the lens reader asks it of every tag
// of a long list.
inline bool names_field(LensField field, std::string_view word) {
  if (word.empty()) return false;  // most lenses have no tags
  switch (field) {
    case LensField::kSphere:
      return word[0] == 's' && (word.size() == 1 || word == "sph" ||
                                word == "sphere" || word == "spherical");
    case LensField::kCylinder:
      return word[0] == 'c' && (word.size() == 1 || word == "cyl" ||
                                word == "cylinder" || word == "cylindrical");
    case LensField::kAxis:
      return word == "x" ||
             (word[0] == 'a' &&
              (word.size() == 1 || word == "ax" || word == "axis"));
  }
  return false;
}

// A Japanese word for a field at the start of `text`, and its length in
// bytes: 球面 or 球面度数 (sphere), 円柱 or 乱視 with or without 度数
// (cylinder), 軸 or 軸度 (axis). In a lens ("球面-1.25 円柱-0.50 軸180")
// and in a header ("1枚目乱視軸") alike.
struct FieldWord {
  LensField field;
  std::size_t length;
};
std::optional<FieldWord> japanese_field_word(std::string_view text);

// The field a lower-case word names, if any.
inline std::optional<LensField> field_named(std::string_view word) {
  for (const LensField field :
       {LensField::kSphere, LensField::kCylinder, LensField::kAxis}) {
    if (names_field(field, word)) return field;
  }
  return std::nullopt;
}

// What a list's cell holds, seen alone, for finding the lenses' columns.
enum class CellKind {
  kEmpty,  // nothing, or spaces
  kOther,  // no lens: a name, a remark, a lens with words after it
  kCount,  // digits alone: an id, or a sphere as a spreadsheet writes +2.00
  kPower,  // one number with a sign or decimals
  kLens,   // a lens written in one of the notations, "pl" too
};

struct Cell {
  CellKind kind = CellKind::kEmpty;
  int degrees = -1;  // a whole degree from 0 to 180 ("90", "90°", "×90")
};

// cell_of("-0.5").kind == CellKind::kPower; cell_of("×90").degrees == 90.
Cell cell_of(std::string_view text);

// The text as an error message quotes it: at most 40 characters, a tab or
// line break as \t, \n, \r, another control character as U+001B, a byte
// that is no character as \xFF.
std::string quoted(std::string_view text);

}  // namespace toric
