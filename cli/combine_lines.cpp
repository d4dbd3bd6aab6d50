#include "combine_lines.h"

#include <utility>

#include "list_record.h"
#include "toric/combine.h"

namespace toric {

namespace {

constexpr const char* kResultColumns[] = {"sphere", "cylinder", "axis",
                                          "spherical equivalent"};
// A record open in quotes takes at most this many lines; after them the
// quote was a stray one, and the record is read as it is.
constexpr int kLongestRecord = 64;

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
    text.remove_suffix(1);
  return text;
}

// Blank lines and comments go out as they came; true when `line` is one.
bool kept_as_is(std::string_view line, std::string_view line_end,
                std::string& out) {
  const std::string_view content = trimmed(line);
  if (!content.empty() && content.front() != '#') return false;
  out += line;
  out += line_end;
  return true;
}

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// An id or a count: digits alone.
bool is_count(std::string_view field) {
  field = trimmed(field);
  if (field.empty()) return false;
  for (const char c : field) {
    if (!is_digit(c)) return false;
  }
  return true;
}

// A plain number: [+-] digits [(.|,) digits].
bool is_number(std::string_view field) {
  field = trimmed(field);
  if (!field.empty() && (field.front() == '+' || field.front() == '-'))
    field.remove_prefix(1);
  const std::size_t point = field.find_first_of(".,");
  const std::string_view whole = field.substr(0, point);
  const std::string_view decimals =
      point == std::string_view::npos ? "" : field.substr(point + 1);
  if (whole.empty() && decimals.empty()) return false;
  for (const char c : whole) {
    if (!is_digit(c)) return false;
  }
  for (const char c : decimals) {
    if (!is_digit(c)) return false;
  }
  return point == std::string_view::npos || !decimals.empty();
}

bool is_axis(std::string_view field) {
  return is_count(field) && trimmed(field).size() <= 3 &&
         std::stoi(std::string(trimmed(field))) <= 180;
}

bool reads_as_lens(std::string_view field) {
  return read_lens(trimmed(field), LensValues::kAny).lens.has_value();
}

// A header names its columns: some text, and nothing written as a power
// (no sign, no decimals, no "pl").
bool is_header(const std::vector<std::string>& fields) {
  bool text = false;
  for (const std::string& field : fields) {
    for (std::size_t i = 0; i < field.size(); ++i) {
      const unsigned char c = static_cast<unsigned char>(field[i]);
      if (c == '+' || c == '-' ||
          ((c == '.' || c == ',') && i + 1 < field.size() &&
           is_digit(field[i + 1]))) {
        return false;
      }
      text |= c >= 0x80 || ((c | 0x20) >= 'a' && (c | 0x20) <= 'z');
    }
    const std::string_view value = trimmed(field);
    if (value == "pl" || value == "PL" || value == "plano") return false;
  }
  return text;
}

// Where the lenses of a row are: two columns that read as lenses (an id
// column of digits beside them is no lens), or six numbers S, C, A, S, C,
// A whose axes are whole degrees.
std::vector<int> lens_columns(const std::vector<std::string>& fields,
                              std::string& reason) {
  std::vector<int> lenses;
  std::vector<int> not_counts;
  for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
    if (!reads_as_lens(fields[i])) continue;
    lenses.push_back(i);
    if (!is_count(fields[i])) not_counts.push_back(i);
  }
  if (lenses.size() == 2) return lenses;
  if (lenses.size() > 2 && not_counts.size() == 2) return not_counts;
  std::vector<int> six;
  int found = 0;
  for (int k = 0; k + 6 <= static_cast<int>(fields.size()); ++k) {
    bool numbers = true;
    for (int j = k; j < k + 6; ++j) numbers &= is_number(fields[j]);
    if (numbers && is_axis(fields[k + 2]) && is_axis(fields[k + 5])) {
      ++found;
      six = {k, k + 1, k + 2, k + 3, k + 4, k + 5};
    }
  }
  if (found == 1) return six;
  reason = found > 1
               ? "more than one set of six columns could be S, C, A, S, C, A"
               : "no two columns read as lenses, and no six as S, C, A, S, "
                 "C, A";
  reason += "; name the columns with --columns";
  return {};
}

}  // namespace

LensPower combined(const LensPower& lens1, const LensPower& lens2,
                   CylinderForm form) {
  const LensPower result = combine_lenses(lens1, lens2);
  const bool turn = (form == CylinderForm::kMinus && result.cylinder > 0) ||
                    (form == CylinderForm::kPlus && result.cylinder < 0);
  return turn ? transpose(result) : result;
}

std::string result_line(const LensPower& lens1, const LensPower& lens2,
                        Notation notation, CylinderForm form) {
  return format_result(combined(lens1, lens2, form), notation);
}

ListCombiner::ListCombiner(ListOptions options)
    : options_(std::move(options)), columns_(options_.columns) {}

void ListCombiner::take_line(std::string_view line, std::string_view line_end,
                             std::string& out, std::string& errors) {
  ++line_;
  if (!pending_.empty()) {
    pending_ += '\n';
    pending_ += line;
    if (ends_inside_quotes(pending_, separator_) &&
        line_ - pending_from_ < kLongestRecord) {
      return;
    }
    const std::string record = std::exchange(pending_, {});
    const int last_line = std::exchange(line_, pending_from_);
    take_record(record, line_end, out, errors);
    line_ = last_line;
    return;
  }
  if (kept_as_is(line, line_end, out)) return;
  if (separator_ == '\0') separator_ = separator_of(line);
  if (ends_inside_quotes(line, separator_)) {
    pending_ = line;
    pending_from_ = line_;
    return;
  }
  take_record(line, line_end, out, errors);
}

void ListCombiner::take_settled_line(std::string_view line, int number,
                                     std::string_view line_end,
                                     std::string& out, std::string& errors) {
  line_ = number;
  if (!kept_as_is(line, line_end, out))
    take_record(line, line_end, out, errors);
}

void ListCombiner::finish(std::string& out, std::string& errors) {
  if (pending_.empty()) return;
  const std::string record = std::exchange(pending_, {});
  line_ = pending_from_;
  take_record(record, "\n", out, errors);
}

void ListCombiner::take_record(std::string_view record,
                               std::string_view line_end, std::string& out,
                               std::string& errors) {
  split_fields(record, separator_, fields_);
  // A list typed by hand may mix ";" and tabs from line to line.
  if (fields_.size() < 2 && separator_ != ',') {
    if (const char own = separator_of(record); own != '\0') {
      split_fields(record, own, fields_);
    }
  }
  const bool first = !data_seen_;
  data_seen_ = true;
  if (first && is_header(fields_)) {
    if (options_.csv) {
      write_fields(out);
      for (const char* name : kResultColumns) {
        out += output_separator();
        out += name;
      }
    } else {
      out += record;
    }
    out += line_end;
    return;
  }
  if (separator_ == '\0') {
    fail("two lenses separated by \";\", \",\" or a tab expected", line_end,
         out, errors);
    return;
  }
  if (columns_.empty()) {
    std::string reason;
    columns_ = lens_columns(fields_, reason);
    if (columns_.empty()) {
      fail(reason, line_end, out, errors);
      return;
    }
  }
  if (columns_.back() >= static_cast<int>(fields_.size())) {
    fail("the row has " + std::to_string(fields_.size()) +
             " columns, and the lenses are in column " +
             std::to_string(columns_.back() + 1),
         line_end, out, errors);
    return;
  }
  std::string reason;
  const std::optional<LensPower> lens1 = lens(0, reason);
  const std::optional<LensPower> lens2 = lens1 ? lens(1, reason) : lens1;
  if (!lens2) {
    fail(reason, line_end, out, errors);
    return;
  }
  const LensPower result = combined(*lens1, *lens2, options_.form);
  if (!options_.csv) {
    append_result(out, result, options_.notation);
    out += line_end;
    return;
  }
  write_fields(out);
  out += separator_;
  append_decimal(out, result.sphere);
  out += separator_;
  append_decimal(out, result.cylinder);
  out += separator_;
  if (result.cylinder != 0) out += std::to_string(result.axis);
  out += separator_;
  append_decimal(out, result.sphere + result.cylinder / 2);
  out += line_end;
}

std::optional<LensPower> ListCombiner::lens(int which, std::string& reason) {
  if (columns_.size() == 2) {
    lens_text_ = trimmed(fields_[columns_[which]]);
  } else {
    // Sphere, cylinder and axis from three columns, as one lens text.
    const int first = 3 * which;
    lens_text_ = trimmed(fields_[columns_[first]]);
    const std::string_view cylinder = trimmed(fields_[columns_[first + 1]]);
    const std::string_view axis = trimmed(fields_[columns_[first + 2]]);
    if (!cylinder.empty()) {
      (lens_text_ += " C") += cylinder;
      if (!axis.empty()) (lens_text_ += " A") += axis;
    }
  }
  LensReading reading = read_lens(lens_text_, options_.values);
  if (!reading.lens)
    reason = "lens " + std::to_string(which + 1) + ": " + reading.error;
  return reading.lens;
}

char ListCombiner::output_separator() const {
  return separator_ == '\0' ? ',' : separator_;
}

void ListCombiner::write_fields(std::string& out) const {
  const char separator = output_separator();
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    if (i > 0) out += separator;
    append_field(out, fields_[i], separator);
  }
}

void ListCombiner::fail(const std::string& reason, std::string_view line_end,
                        std::string& out, std::string& errors) {
  ++unread_;
  errors += "line " + std::to_string(line_) + ": " + reason + "\n";
  if (options_.csv) {
    write_fields(out);
    out.append(4, output_separator());
  }
  out += line_end;
}

}  // namespace toric
