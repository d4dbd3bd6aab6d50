#pragma once
// The words a list's header names its columns with, in every language and
// form the list reader takes: "S1", "Sph 1", "Zyl 2", "Achse 1", "lens 2",
// "Rx 1", "Glas 2", "球面1", "1枚目C", "レンズ2", "第1レンズ", "現用" and
// "追加" (the lens worn and the lens added), "右"/"左", "OD"/"OS". A cell
// is compared after its width and composition are folded as NFKC folds
// them: "Ｓｐｈ １", "ﾚﾝｽﾞ1" and decomposed kana name what "Sph 1" and
// "レンズ1" name.

#include <string>
#include <string_view>
#include <vector>

#include "toric/lens_notation.h"

namespace toric {

// What a header cell names.
struct ColumnName {
  bool known = true;   // every word of it is one of the vocabulary's
  int lens = 0;        // the lens's number, 1 to 9; 0 where it names none
  int field = -1;      // a LensField, or -1 for a whole lens or none
  bool whole = false;  // "lens 1", "レンズ", "1枚目": a lens in one cell
  char eye = 0;        // 'R' or 'L'
  // A name of a lens or of one of its fields, with the lens's number: a
  // header word wherever it stands ("S1", "Sph 2"), never a power.
  bool numbered_lens() const {
    return known && lens > 0 && (whole || field >= 0);
  }
  bool names_lens_column() const {
    return known && (field >= 0 || whole || eye != 0);
  }
};

ColumnName column_name(std::string_view cell);

// The lenses' columns, counted from 0: two columns of whole lenses, or six
// columns sphere, cylinder, axis of lens 1, then of lens 2.
using LensColumns = std::vector<int>;

struct HeaderReading {
  bool header = false;  // the record names its columns
  LensColumns columns;  // where its names put the lenses; empty for nowhere
  std::string refusal;  // why the list is no pair of lenses a row
};

// Reads a first record as a header: names such as "1枚目S", "S1", "sph 2",
// "円柱2", "lens 1", "レンズ2", "2枚目"; S, C, A twice over in order; or
// the two eyes (右/左, R/L, OD/OS), which is refused.
HeaderReading read_header(const std::vector<std::string>& fields);

// Two header rows as one: the names of a row over merged cells carried
// right over its empty cells, and put before the names under them
// ("1枚目" over "球面", "円柱", "軸"). Nothing where the upper row names
// no lens by its number, or the two name no lenses' columns.
std::vector<std::string> merged_header(const std::vector<std::string>& upper,
                                       const std::vector<std::string>& lower);

// The text with full-width letters, digits and signs as ASCII, half-width
// katakana as full-width, and a kana with a combining (semi-)voiced mark
// as the one character, as NFKC has them.
std::string width_folded(std::string_view text);

}  // namespace toric
