#include "list_reading.h"

namespace toric {

namespace {
// Walks a record as RFC 4180 reads it: a field that begins with a quote is
// quoted up to the next lone quote, and a doubled quote inside stands for
// one; elsewhere a quote is a character like any other. Calls
// `character(c)` for each character of a field's value and `next()` at
// each separator; returns true when the record ends inside quotes.
template <class Character, class Next>
bool walk(std::string_view record, char separator, Character character,
          Next next) {
  bool quoted = false;
  bool field_start = true;
  for (std::size_t i = 0; i < record.size(); ++i) {
    const char c = record[i];
    if (quoted) {
      if (c != '"') {
        character(c);
      } else if (i + 1 < record.size() && record[i + 1] == '"') {
        character('"');
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == separator) {
      next();
      field_start = true;
      continue;
    } else if (c == '"' && field_start) {
      quoted = true;
    } else {
      character(c);
    }
    field_start = false;
  }
  return quoted;
}

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

struct Record {
  int line;  // where it starts, from 1
  std::string text;
};

// "columns 1,2,3,4,5,6 or 2,3,4,5,6,7".
std::string readings_named(const std::vector<LensColumns>& readings) {
  std::vector<std::string> named;
  for (const LensColumns& reading : readings) {
    named.push_back(columns_named(reading));
  }
  return "columns " + joined(named, ", ", " or ");
}

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

// The records of `lines` under `separator`, a record open in quotes joined
// with the lines it spans. False where the last one is still open and its
// quote may yet close; a quote never closed leaves its line a record alone.
bool records_of(const std::vector<ListLine>& lines, char separator,
                bool complete, std::vector<Record>& records) {
  for (std::size_t i = 0; i < lines.size();) {
    OpenRecord open;
    bool closed = false;
    for (std::size_t k = i; k < lines.size() && !closed && !open.too_long();
         ++k) {
      closed = open.add(lines[k].text, "\n", separator);
    }
    const int line = static_cast<int>(i) + 1;
    if (closed) {
      records.push_back({line, std::move(open.text)});
      i += open.lines.size();
    } else if (!complete && !open.too_long()) {
      return false;
    } else {
      records.push_back({line, lines[i++].text});
    }
  }
  return true;
}

// Whether the row's lens cells write their decimals with a comma, a point,
// or neither.
std::optional<bool> decimal_comma_in(const std::vector<std::string>& fields,
                                     const LensColumns& columns) {
  for (const int column : columns) {
    if (column >= static_cast<int>(fields.size())) continue;
    const std::string& cell = fields[column];
    for (std::size_t i = 1; i + 1 < cell.size(); ++i) {
      const auto digit = [](char c) { return c >= '0' && c <= '9'; };
      if ((cell[i] == ',' || cell[i] == '.') && digit(cell[i - 1]) &&
          digit(cell[i + 1])) {
        return cell[i] == ',';
      }
    }
  }
  return std::nullopt;
}

struct Analysis {
  // The header, or the first row that holds a lens or a power: the
  // separator under which a list shows its form first is its separator.
  int evidence_line = 0;
  int open_from = 0;  // a quote still open at the end of the lines
  ReadingDecision decision;
};

// The list's reading with `separator`.
Analysis analyse(const std::vector<ListLine>& lines, char separator,
                 bool complete, const ListOptions& given) {
  Analysis analysis;
  ReadingDecision& decision = analysis.decision;
  ListReading& reading = decision.reading;
  reading.separator = separator;
  std::vector<Record> records;
  if (!records_of(lines, separator, complete, records)) {
    complete = false;
    // No later than the line after the last whole record begins.
    analysis.open_from = records.empty() ? 1 : records.back().line + 1;
  }

  const auto decided = [&](ListReading::From from) {
    reading.from = from;
    decision.state = ReadingDecision::kDecided;
    // The decimal mark from the first lens cell of the sample that has one.
    if (separator == ',') return;
    std::vector<std::string> fields;
    for (const Record& record : records) {
      if (record.line < reading.first_data_line) continue;
      split_fields(record.text, separator, fields);
      if (const auto comma = decimal_comma_in(fields, reading.columns)) {
        reading.decimal_comma = *comma;
        return;
      }
    }
  };
  const auto refused = [&](std::string why) {
    decision.state = ReadingDecision::kRefused;
    decision.refusal = std::move(why);
  };

  // The cells a row needs for the columns given.
  const int needed =
      given.columns.empty()
          ? 0
          : *std::max_element(given.columns.begin(), given.columns.end()) + 1;
  std::vector<std::string> fields;
  int text_line = 0;  // a row of text right above, a header naming no lens
  std::vector<std::string> text_row;
  std::vector<LensColumns> common;  // the readings every data row fits
  // The first row of numbers that no reading fits, and its numbers.
  int unread_line = 0;
  RowReadings unread;
  int unread_rows = 0, fitting_rows = 0;
  // The row above as the header of a list without one that names the
  // lenses, from the first row of data.
  const auto first_data = [&](int line) {
    reading.first_data_line = line;
    if (text_line != 0) {
      reading.header_line = reading.header_end = text_line;
      reading.header = text_row;
    }
  };
  const auto take_header = [&](int first, int last,
                               const std::vector<std::string>& names) {
    if (analysis.evidence_line == 0) analysis.evidence_line = first;
    reading.header_line = first;
    reading.header_end = last;
    reading.header = names;
    reading.columns =
        given.columns.empty() ? read_header(names).columns : given.columns;
  };
  // The row as the names under `upper`'s merged cells, from line `first`.
  const auto merges = [&](const std::vector<std::string>& upper, int first,
                          int line) {
    const std::vector<std::string> merged = merged_header(upper, fields);
    if (!merged.empty()) take_header(first, line, merged);
    return !merged.empty();
  };
  for (const Record& record : records) {
    const std::string_view content = trimmed(record.text);
    split_fields(record.text, separator, fields);
    if (content.empty() || all_empty(fields)) {
      text_line = 0;
      continue;
    }
    const bool comment = content.front() == '#';
    if (reading.header_line != 0 && reading.first_data_line == 0) {
      if (reading.header_end == reading.header_line && !comment &&
          merges(reading.header, reading.header_line, record.line)) {
        continue;
      }
      // The first row under the header shows its decimal mark.
      reading.first_data_line = record.line;
      decided(given.columns.empty() ? ListReading::kHeader
                                    : ListReading::kGiven);
      return analysis;
    }
    const bool enough = static_cast<int>(fields.size()) >= needed;
    if (reading.first_data_line == 0 && !comment) {
      const HeaderReading header = read_header(fields);
      const bool names = !header.columns.empty() || !header.refusal.empty();
      if (text_line != 0 && merges(text_row, text_line, record.line)) continue;
      if (given.columns.empty() ? names : header.header && enough) {
        if (given.columns.empty() && !header.refusal.empty()) {
          analysis.evidence_line = record.line;
          refused("line " + std::to_string(record.line) + ": " +
                  header.refusal);
          return analysis;
        }
        take_header(record.line, record.line, fields);
        continue;
      }
    }
    if (!given.columns.empty()) {
      if (comment || !enough) continue;
      analysis.evidence_line = record.line;
      reading.columns = given.columns;
      first_data(record.line);
      decided(ListReading::kGiven);
      return analysis;
    }
    if (comment) continue;  // a list without a header has comments
    RowReadings row = readings_of_row(fields);
    if ((row.lenses > 0 || !row.readings.empty()) &&
        analysis.evidence_line == 0) {
      analysis.evidence_line = record.line;
    }
    if (row.readings.empty()) {
      unread_rows += row.lenses > 0;
      if (row.lenses > 0 && unread_line == 0) {
        unread_line = record.line;
        unread = std::move(row);
      }
      text_line = text_only(fields) ? record.line : 0;
      if (text_line != 0) text_row = fields;
      continue;
    }
    if (reading.first_data_line == 0) {
      first_data(record.line);
      common = std::move(row.readings);
    } else {
      const std::vector<LensColumns> before = common;
      std::erase_if(common, [&](const LensColumns& reading) {
        return std::find(row.readings.begin(), row.readings.end(), reading) ==
               row.readings.end();
      });
      if (common.empty()) {
        refused("line " + std::to_string(reading.first_data_line) +
                " places the lenses in " + readings_named(before) + ", line " +
                std::to_string(record.line) + " in " +
                readings_named(row.readings) + "; name them with --columns");
        return analysis;
      }
    }
    ++fitting_rows;
    // Rows no reading fits above it leave the reading in doubt until the
    // rows it fits outnumber them; so do cells it leaves aside (an id, or a
    // sphere as a spreadsheet writes +10.00; an add, or a cylinder) until
    // a second row agrees.
    const auto filled = [](const std::string& f) {
      return !trimmed(f).empty();
    };
    const bool aside =
        common.size() == 1 &&
        std::count_if(fields.begin(), fields.end(), filled) >
            std::count_if(common[0].begin(), common[0].end(),
                          [&](int column) { return filled(fields[column]); });
    if (common.size() == 1 && fitting_rows > unread_rows &&
        (!aside || fitting_rows > 1)) {
      reading.columns = common[0];
      decided(ListReading::kRows);
      return analysis;
    }
  }
  if (!complete) return analysis;
  const auto unread_named = [&](const std::string& besides) {
    return "line " + std::to_string(unread_line) +
           (unread.lenses == 1
                ? " holds one lens, not two"
                : " has numbers in " + readings_named({unread.numbers}) +
                      " that no two lenses and no six columns S, C, A, S, "
                      "C, A read whole") +
           besides + "; name the lenses' columns with --columns";
  };
  if (reading.header_line != 0 && reading.first_data_line == 0) {
    decided(given.columns.empty() ? ListReading::kHeader : ListReading::kGiven);
  } else if (reading.first_data_line == 0 && unread_line != 0) {
    refused(unread_named(""));
  } else if (common.size() == 1 && fitting_rows <= unread_rows) {
    refused(unread_named(" (rows so: " + std::to_string(unread_rows) +
                         "; rows " + readings_named(common) +
                         " fit: " + std::to_string(fitting_rows) + ")"));
  } else if (common.size() == 1) {
    reading.columns = common[0];
    decided(ListReading::kRows);
  } else if (reading.first_data_line == 0) {
    decided(ListReading::kNowhere);
  } else {
    refused("the lenses could be in " + readings_named(common) +
            " (from line " + std::to_string(reading.first_data_line) +
            "); name them with --columns");
  }
  return analysis;
}

}  // namespace

char separator_of(std::string_view record) {
  // Quotes are told by the separator; ';' and ',' inside a quoted field
  // are each looked at with the other as the separator.
  for (const char separator : {'\t', ';', ','}) {
    bool found = false;
    walk(
        record, separator, [](char) {}, [&] { found = true; });
    if (found) return separator;
  }
  return '\0';
}

bool ends_inside_quotes(std::string_view record, char separator) {
  return record.find('"') != std::string_view::npos &&
         walk(
             record, separator, [](char) {}, [] {});
}

void split_fields(std::string_view record, char separator,
                  std::vector<std::string>& fields) {
  std::size_t count = 0;
  const auto next_field = [&] {
    if (count == fields.size()) fields.emplace_back();
    fields[count++].clear();  // keeps its room for the next record
  };
  if (record.find('"') == std::string_view::npos) {
    // No quotes, as in most lists: the fields lie between the separators.
    while (true) {
      const std::size_t end = record.find(separator);
      next_field();
      fields[count - 1].assign(record.substr(0, end));
      if (end == std::string_view::npos) break;
      record.remove_prefix(end + 1);
    }
  } else {
    next_field();
    walk(
        record, separator, [&](char c) { fields[count - 1] += c; }, next_field);
  }
  fields.resize(count);
}

bool OpenRecord::add(std::string_view line, std::string_view end,
                     char separator) {
  if (!lines.empty()) text += lines.back().end;
  text += line;
  lines.push_back({std::string(line), std::string(end)});
  return !ends_inside_quotes(text, separator);
}

void append_field(std::string& out, std::string_view field, char separator) {
  const char special[] = {separator, '"', '\r', '\n'};
  if (field.find_first_of(std::string_view(special, 4)) ==
          std::string_view::npos &&
      !field.starts_with('"')) {
    out += field;
    return;
  }
  out += '"';
  for (const char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

std::string joined(std::span<const std::string> items, std::string_view between,
                   std::string_view last) {
  std::string text;
  for (std::size_t i = 0; i < items.size(); ++i) {
    if (i > 0) text += i + 1 == items.size() ? last : between;
    text += items[i];
  }
  return text;
}

std::string columns_named(const LensColumns& columns) {
  std::vector<std::string> numbers;
  for (const int column : columns)
    numbers.push_back(std::to_string(column + 1));
  return joined(numbers, ",", ",");
}

bool text_only(const std::vector<std::string>& fields) {
  return std::all_of(fields.begin(), fields.end(), [](const std::string& f) {
    const CellKind kind = cell_of(f).kind;
    return kind == CellKind::kOther || kind == CellKind::kEmpty;
  });
}

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

ReadingDecision decide_reading(const std::vector<ListLine>& lines,
                               bool complete, const ListOptions& given) {
  static constexpr char kSeparators[] = {'\t', ';', ','};
  std::optional<Analysis> best;
  int open_from = 0;  // the first quote still open under any separator
  for (const char separator : kSeparators) {
    if (given.separator != '\0' && separator != given.separator) continue;
    Analysis analysis = analyse(lines, separator, complete, given);
    if (analysis.open_from != 0 &&
        (open_from == 0 || analysis.open_from < open_from)) {
      open_from = analysis.open_from;
    }
    if (analysis.evidence_line == 0) continue;
    // Where two show it on the same line, a tab before ";" before ",": a
    // decimal comma splits a row at ",", never at a tab.
    if (!best || analysis.evidence_line < best->evidence_line) {
      best = std::move(analysis);
    }
  }
  // A quote still open may yet close on a record that shows its
  // separator before the best one's evidence.
  if (open_from != 0 && (!best || open_from <= best->evidence_line)) {
    return ReadingDecision{};
  }
  if (best) return best->decision;
  ReadingDecision nowhere;
  if (!complete) return nowhere;
  // No row places the lenses: each is an error of its own, its cells split
  // as its first line's are.
  nowhere.state = ReadingDecision::kDecided;
  nowhere.reading.separator = given.separator;
  for (const ListLine& line : lines) {
    if (nowhere.reading.separator == '\0' && !trimmed(line.text).empty()) {
      nowhere.reading.separator = separator_of(line.text);
    }
  }
  return nowhere;
}

std::string lines_named(const ListReading& reading) {
  const std::string first = std::to_string(reading.header_line);
  if (reading.header_end == reading.header_line) return "line " + first;
  return "lines " + first + "-" + std::to_string(reading.header_end);
}

std::string separator_named(char separator) {
  if (separator == '\t') return "a tab";
  return std::string("\"") + separator + "\"";
}

}  // namespace toric
