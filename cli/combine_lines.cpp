#include "combine_lines.h"

#include <algorithm>
#include <span>
#include <utility>

#include "list_record.h"
#include "toric/combine.h"

namespace toric {

namespace {

constexpr const char* kResultColumns[] = {"sphere", "cylinder", "axis",
                                          "spherical equivalent"};
// With a step, the exact values beside the rounded ones.
constexpr const char* kStepColumns[] = {"sphere",   "exact sphere",
                                        "cylinder", "exact cylinder",
                                        "axis",     "spherical equivalent"};
// A record open in quotes spans at most this many lines, or bytes; then
// the quote is one that was never closed.
constexpr std::size_t kLongestRecordLines = 64;
constexpr std::size_t kLongestRecordBytes = 1 << 20;

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

bool all_empty(const std::vector<std::string>& fields) {
  return std::all_of(fields.begin(), fields.end(),
                     [](const std::string& f) { return trimmed(f).empty(); });
}

}  // namespace

ListCombiner::ListCombiner(ListOptions options) : options_(std::move(options)) {
  set_columns(options_.columns);
}

void ListCombiner::set_columns(LensColumns columns) {
  columns_ = std::move(columns);
  last_column_ = columns_.empty()
                     ? -1
                     : *std::max_element(columns_.begin(), columns_.end());
}

void ListCombiner::take_line(std::string_view line, std::string_view line_end,
                             std::string& out, std::string& errors) {
  ++line_;
  if (!refusal_.empty()) return;
  if (!pending_.empty()) {
    // The record so far, its last line's end now inside it.
    (pending_record_ += pending_.back().second) += line;
    pending_.emplace_back(line, line_end);
    if (!ends_inside_quotes(pending_record_, separator_)) {
      const std::string record = std::exchange(pending_record_, {});
      pending_.clear();
      record_line_ = pending_from_;
      take_record(record, line_end, out, errors);
    } else if (pending_.size() >= kLongestRecordLines ||
               pending_record_.size() > kLongestRecordBytes) {
      unclosed(out, errors);
    }
    return;
  }
  if (kept_as_is(line, line_end, out)) return;
  if (separator_ == '\0') separator_ = separator_of(line);
  if (ends_inside_quotes(line, separator_)) {
    pending_.emplace_back(line, line_end);
    pending_record_ = line;
    pending_from_ = line_;
    return;
  }
  record_line_ = line_;
  take_record(line, line_end, out, errors);
}

void ListCombiner::finish(std::string& out, std::string& errors) {
  while (!pending_.empty() && refusal_.empty()) unclosed(out, errors);
}

void ListCombiner::unclosed(std::string& out, std::string& errors) {
  auto lines = std::exchange(pending_, {});
  pending_record_.clear();
  const int last = line_;
  record_line_ = pending_from_;
  split_fields(lines[0].first, separator_, fields_);
  fail(
      "a quote opens here and is never closed; the lines after it are "
      "read as rows",
      lines[0].second, out, errors);
  line_ = pending_from_;
  for (std::size_t i = 1; i < lines.size(); ++i) {
    take_line(lines[i].first, lines[i].second, out, errors);
  }
  line_ = std::max(line_, last);
}

bool ListCombiner::take_header(std::string_view record,
                               std::string_view line_end, std::string& out) {
  const HeaderReading header = read_header(fields_);
  if (!header.header) return false;
  if (columns_.empty()) {
    if (!header.refusal.empty()) {
      refusal_ = "line " + std::to_string(record_line_) + ": " + header.refusal;
      return true;
    }
    set_columns(header.columns);
  }
  if (options_.csv) {
    write_fields(out);
    for (const char* name : result_names()) {
      out += output_separator();
      out += name;
    }
  } else {
    out += record;
  }
  out += line_end;
  return true;
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
  if (all_empty(fields_)) {
    // An empty row of a spreadsheet, kept as one.
    if (options_.csv) {
      write_fields(out);
      out.append(result_names().size(), output_separator());
    } else {
      out += record;
    }
    out += line_end;
    return;
  }
  const bool first = !data_seen_;
  data_seen_ = true;
  if (first && take_header(record, line_end, out)) return;
  if (separator_ == '\0') {
    fail("two lenses separated by \";\", \",\" or a tab expected", line_end,
         out, errors);
    return;
  }
  if (columns_.empty()) {
    RowLayout layout = layout_of_row(fields_);
    if (layout.columns.empty()) {
      fail(layout.error, line_end, out, errors);
      return;
    }
    set_columns(std::move(layout.columns));
  }
  if (last_column_ >= static_cast<int>(fields_.size())) {
    fail("the row has " + std::to_string(fields_.size()) +
             " columns, and the lenses are in columns " +
             columns_named(columns_),
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
  const Fitting& fitting = options_.fitting;
  if (fitting.vertex_mm == 0 && fitting.rotation == 0 && fitting.step == 0) {
    // The window's combination, as a long list mostly asks.
    const LensPower result =
        in_form(combine_lenses(*lens1, *lens2), fitting.form);
    write_result(result, result, line_end, out);
    return;
  }
  if (!fit_pair(*lens1, *lens2, fitting, pair_, reason)) {
    fail(reason, line_end, out, errors);
    return;
  }
  write_result(pair_.ordered, pair_.exact, line_end, out);
}

void ListCombiner::write_result(const LensPower& result, const LensPower& exact,
                                std::string_view line_end,
                                std::string& out) const {
  if (!options_.csv) {
    append_result(out, result, options_.notation);
    out += line_end;
    return;
  }
  const char separator = output_separator();
  const bool step = options_.fitting.step != 0;
  write_fields(out);
  out += separator;
  append_decimal(out, result.sphere);
  if (step) {
    out += separator;
    append_decimal(out, exact.sphere);
  }
  out += separator;
  append_decimal(out, result.cylinder);
  if (step) {
    out += separator;
    append_decimal(out, exact.cylinder);
  }
  out += separator;
  if (result.cylinder != 0) out += std::to_string(result.axis);
  out += separator;
  append_decimal(out, result.sphere + result.cylinder / 2);
  out += line_end;
}

std::optional<LensPower> ListCombiner::lens(int which, std::string& reason) {
  const auto name = [&] { return "lens " + std::to_string(which + 1) + ": "; };
  std::string_view text;
  if (columns_.size() == 2) {
    text = trimmed(fields_[columns_[which]]);
    if (text.empty()) {
      reason = name() + "column " + std::to_string(columns_[which] + 1) +
               " is empty";
      return std::nullopt;
    }
  } else {
    // Sphere, cylinder and axis from three cells, as one lens text; a
    // sphere alone where the cylinder's cell is empty.
    const int first = 3 * which;
    const std::string_view sphere = trimmed(fields_[columns_[first]]);
    const std::string_view cylinder = trimmed(fields_[columns_[first + 1]]);
    const std::string_view axis = trimmed(fields_[columns_[first + 2]]);
    if (sphere.empty()) {
      reason =
          name() + "no sphere in column " + std::to_string(columns_[first] + 1);
      return std::nullopt;
    }
    lens_text_ = sphere;
    if (!cylinder.empty()) {
      (lens_text_ += ' ') += cylinder;
      if (!axis.empty()) (lens_text_ += ' ') += axis;
    }
    text = lens_text_;
  }
  LensReading reading = read_lens(text, options_.values);
  if (!reading.lens) reason = name() + reading.error;
  return reading.lens;
}

std::span<const char* const> ListCombiner::result_names() const {
  if (options_.fitting.step != 0) return kStepColumns;
  return kResultColumns;
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
  errors += "line " + std::to_string(record_line_) + ": " + reason + "\n";
  if (options_.csv) {
    write_fields(out);
    out.append(result_names().size(), output_separator());
  }
  out += line_end;
}

}  // namespace toric
