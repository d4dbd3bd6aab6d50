#include "list_layout.h"

#include <algorithm>
#include <string_view>

#include "list_record.h"
#include "toric/column_names.h"

namespace toric {

std::string columns_named(const LensColumns& columns) {
  std::string named;
  for (const int column : columns) {
    if (!named.empty()) named += ',';
    named += std::to_string(column + 1);
  }
  return named;
}

bool text_only(const std::vector<std::string>& fields) {
  return std::all_of(fields.begin(), fields.end(), [](const std::string& f) {
    const CellKind kind = cell_of(f).kind;
    return kind == CellKind::kOther || kind == CellKind::kEmpty;
  });
}

std::string readings_named(const std::vector<LensColumns>& readings) {
  std::string named = "columns ";
  for (std::size_t i = 0; i < readings.size(); ++i) {
    if (i > 0) named += i + 1 == readings.size() ? " or " : ", ";
    named += columns_named(readings[i]);
  }
  return named;
}

namespace {

// A cell of a row of data. "S1", "Sph 2": a header's word wherever it
// stands, never a power. A tab in a cell is a tab-separated row split at
// another separator.
Cell cell_in_row(const std::string& field) {
  const Cell cell = cell_of(field);
  if (field.find('\t') != std::string::npos ||
      (cell.kind == CellKind::kLens && column_name(field).numbered_lens())) {
    return {CellKind::kOther};
  }
  return cell;
}

bool holds_number(const Cell& cell) {
  return cell.kind == CellKind::kPower || cell.kind == CellKind::kLens ||
         cell.kind == CellKind::kCount || cell.degrees >= 0;
}

}  // namespace

int unread_number(const std::vector<std::string>& fields,
                  const LensColumns& reading) {
  const auto used = [&](int i) {
    return std::find(reading.begin(), reading.end(), i) != reading.end();
  };
  // A sphere alone, which a cylinder could follow in the next cell.
  const auto bare = [&](int i) {
    const auto lens = read_lens(fields[i], LensValues::kAny).lens;
    return !lens || lens->cylinder == 0;
  };
  for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
    if (used(i) || trimmed(fields[i]).empty()) continue;
    const Cell here = cell_in_row(fields[i]);
    if (here.kind == CellKind::kCount
            ? i > 0 && used(i - 1) && reading.size() == 2 && bare(i - 1)
            : holds_number(here)) {
      return i;
    }
  }
  return -1;
}

RowReadings readings_of_row(const std::vector<std::string>& fields) {
  const int n = static_cast<int>(fields.size());
  std::vector<Cell> cells;
  cells.reserve(fields.size());
  for (const std::string& field : fields) cells.push_back(cell_in_row(field));
  const auto number = [&](int i) {
    return cells[i].kind == CellKind::kCount ||
           cells[i].kind == CellKind::kPower;
  };
  const auto empty = [&](int i) { return cells[i].kind == CellKind::kEmpty; };
  const auto reads_every_number = [&](const LensColumns& reading) {
    return unread_number(fields, reading) < 0;
  };

  RowReadings row;
  for (int k = 0; k + 6 <= n; ++k) {
    bool fits = true;
    // A cylinder is a power, or 0 as a spreadsheet writes it; one that is
    // not 0 has its axis.
    const auto zero = [&](int i) {
      return fields[i].find_first_of("123456789") == std::string::npos;
    };
    for (const int lens : {k, k + 3}) {
      fits =
          fits && number(lens) &&
          (cells[lens + 1].kind == CellKind::kPower ||
           cells[lens + 1].degrees == 0 || empty(lens + 1)) &&
          (cells[lens + 2].degrees >= 0 || (empty(lens + 2) && zero(lens + 1)));
    }
    const LensColumns six{k, k + 1, k + 2, k + 3, k + 4, k + 5};
    if (fits && reads_every_number(six)) row.readings.push_back(six);
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
    if (holds_number(cells[i])) row.numbers.push_back(i);
  }
  row.lenses = static_cast<int>(lenses.size());
  if (row.readings.size() == 1 && !whole_lens_cell) return row;
  for (std::size_t a = 0; a < lenses.size(); ++a) {
    for (std::size_t b = a + 1; b < lenses.size(); ++b) {
      const LensColumns pair{lenses[a], lenses[b]};
      if (reads_every_number(pair)) row.readings.push_back(pair);
    }
  }
  if (lenses.empty() && counts.size() == 2 && filled == 2) {
    // Two whole numbers and nothing else are spheres, as a spreadsheet
    // writes +2.00; beside a lens a whole number is an id.
    row.readings.push_back(counts);
  }
  return row;
}

}  // namespace toric
