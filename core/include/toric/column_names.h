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

#include "toric/lens_notation.h"

namespace toric {

// What a header cell names.
struct ColumnName {
  bool known = true;  // every word of it is one of the vocabulary's
  int lens = 0;       // the lens's number, 1 to 9; 0 where it names none
  int field = -1;     // a LensField, or -1 for a whole lens or none
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

// The text with full-width letters, digits and signs as ASCII, half-width
// katakana as full-width, and a kana with a combining (semi-)voiced mark
// as the one character, as NFKC has them.
std::string width_folded(std::string_view text);

}  // namespace toric
