#pragma once
// Where a list's lenses are: named by its header, or told by its rows.
// A header that names two eyes is said so, never guessed.

#include <string>
#include <vector>

namespace toric {

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
// ("1枚目" over "球面", "円柱", "軸").
std::vector<std::string> merged_header(const std::vector<std::string>& upper,
                                       const std::vector<std::string>& lower);

// The readings a row of data fits: six numbers S, C, A, S, C, A win over
// two plain numbers; any two cells that read as lenses, or the row's only
// two numbers. Digits alone (an id) are never a lens beside others, and a
// header's word ("S1") never a power. A reading leaves no number unread
// where a cylinder or an axis could stand.
struct RowReadings {
  std::vector<LensColumns> readings;
  int lenses = 0;       // cells that read as lenses or powers
  LensColumns numbers;  // the cells that hold numbers or lenses
};
RowReadings readings_of_row(const std::vector<std::string>& fields);

// The first column outside `reading` whose number it leaves unread (a
// power, a lens or an axis, or a whole number right after a sphere alone,
// where a cylinder or an axis could stand); -1 for none.
int unread_number(const std::vector<std::string>& fields,
                  const LensColumns& reading);

// Whether every cell is text or empty: a title, a note, a header that
// names no lens.
bool text_only(const std::vector<std::string>& fields);

// "columns 1,2,3,4,5,6 or 2,3,4,5,6,7".
std::string readings_named(const std::vector<LensColumns>& readings);

// "3,4" or "3,4,5,6,7,8", counted from 1.
std::string columns_named(const LensColumns& columns);

}  // namespace toric
