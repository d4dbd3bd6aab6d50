#pragma once
// Where a list's lenses are, as its rows tell them (its header's names
// are the core's: toric/column_names.h).

#include <string>
#include <vector>

#include "toric/column_names.h"

namespace toric {

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
