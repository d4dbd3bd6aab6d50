#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <utility>

#include "list_reading.h"
#include "platform_io.h"

namespace toric {

namespace {

constexpr const char* kResultColumns[] = {"sphere", "cylinder", "axis",
                                          "spherical equivalent"};
// With a step, the exact values beside the rounded ones.
constexpr const char* kStepColumns[] = {"sphere",   "exact sphere",
                                        "cylinder", "exact cylinder",
                                        "axis",     "spherical equivalent"};

// A list, a line at a time: its lines are held until its reading is
// decided, then each is read that way. Blank lines, empty rows, titles,
// comments, notes and the header (wherever repeated) are kept as they came;
// every other record gives its result (with --csv, its cells and the
// result's), or an empty one and its reason, with the line, in `errors`.
// Each goes out to `out` with the line end it came with.
class ListCombiner {
 public:
  ListCombiner(ListOptions options, std::string& out, std::string& errors)
      : options_(std::move(options)), out_(out), errors_(errors) {}

  // One line without its line end: "\n", "\r\n", "\r", or "" for a last
  // line without one.
  void take_line(std::string_view line, std::string_view line_end) {
    if (decided_) return read_line(line, line_end);  // as most lines are
    ++line_;
    if (!refusal_.empty()) return;
    held_.push_back({std::string(line), std::string(line_end)});
    held_bytes_ += line.size() + line_end.size();
    const bool blank = trimmed(line).empty();
    if (!blank) ++held_rows_;
    const bool complete =
        held_rows_ >= kSampleRows || held_bytes_ >= kEncodingSample;
    if (!blank || complete) decide(complete);
  }
  // At the end of the list: the reading is decided from what there is, and
  // a quote still open is an error of the line it opened on, the lines
  // after it read as rows; where the list is `cut` short by a refusal, the
  // record is left unread.
  void finish(bool cut = false) {
    if (!decided_ && refusal_.empty()) decide(true);
    if (cut) pending_ = {};  // a record the list's end cut, not unclosed
    while (!pending_.lines.empty() && refusal_.empty()) unclosed();
  }

  int lines() const { return line_; }
  int unread() const { return unread_; }
  // Why the list is read no way, with the line; empty while it is read.
  // Once set, further lines are not read.
  const std::string& refusal() const { return refusal_; }
  // toric-combine --check: how the list is read and which of its rows fit,
  // as a lab looks at a new export before it trusts the results, once the
  // whole list has been through:
  //   encoding: Shift_JIS (code page 932)
  //   separator: ","
  //   header: line 2: No, S1, C1, A1, S2, C2, A2
  //   lens 1: columns 2, 3, 4 (S1, C1, A1)
  //   lens 2: columns 5, 6, 7 (S2, C2, A2)
  //   rows to combine: 12
  //   rows that do not fit: 2 (lines 7, 9)
  std::string described(const TextDecoder& decoder, bool encoding_given) const;

 private:
  void decide(bool complete) {
    ReadingDecision decision = decide_reading(held_, complete, options_);
    if (decision.state == ReadingDecision::kWaiting) return;
    if (decision.state == ReadingDecision::kRefused) {
      refusal_ = std::move(decision.refusal);
      return;
    }
    decided_ = true;
    reading_ = std::move(decision.reading);
    separator_ = reading_.separator;
    columns_ = reading_.columns;
    last_column_ = columns_.empty()
                       ? -1
                       : *std::max_element(columns_.begin(), columns_.end());
    // The columns a row's numbers may stand in: the lenses' as the rows told
    // them, or those the header names.
    covered_ = reading_.from == ListReading::kRows ? columns_ : LensColumns();
    for (int i = 0; reading_.from == ListReading::kHeader &&
                    i < static_cast<int>(reading_.header.size());
         ++i) {
      if (!trimmed(reading_.header[i]).empty()) covered_.push_back(i);
    }
    // The held lines, read as every later one is.
    line_ = 0;
    for (const ListLine& line : std::exchange(held_, {})) {
      read_line(line.text, line.end);
    }
  }
  void read_line(std::string_view line, std::string_view line_end) {
    ++line_;
    if (!pending_.lines.empty()) {
      if (pending_.add(line, line_end, separator_)) {
        const OpenRecord record = std::exchange(pending_, {});
        record_line_ = record.from;
        take_record(record.text, line_end);
      } else if (pending_.too_long()) {
        unclosed();
      }
      return;
    }
    // Blank lines, and comments where no row may start with "#", go out as
    // they came, a quote in them no quote.
    const std::string_view content = trimmed(line);
    const bool below_header =
        reading_.header_line != 0 && line_ > reading_.header_end;
    if (content.empty() || (content.front() == '#' && !below_header)) {
      return write_as_is(line, line_end);
    }
    if (ends_inside_quotes(line, separator_)) {
      pending_.from = line_;
      pending_.add(line, line_end, separator_);
      return;
    }
    record_line_ = line_;
    take_record(line, line_end);
  }
  void take_record(std::string_view record, std::string_view line_end) {
    split_fields(record, separator_, fields_);
    const bool above_data = reading_.header_line != 0
                                ? record_line_ < reading_.header_line
                                : record_line_ < reading_.first_data_line;
    const bool upper_header = reading_.header_line != 0 &&
                              record_line_ >= reading_.header_line &&
                              record_line_ < reading_.header_end;
    if (all_empty(fields_) || upper_header ||
        (above_data && (reading_.header_line != 0 || text_only(fields_)))) {
      // An empty row of a spreadsheet, a title above the list or the names
      // over merged cells above the header's last row, kept.
      return options_.csv && !above_data ? write_no_result(line_end)
                                         : write_as_is(record, line_end);
    }
    if (reading_.header_line != 0 && record_line_ == reading_.header_end) {
      return write_header(record, line_end);
    }
    // Below the header, "#" starts a row only where its cells are a row's;
    // a note or a footer ("End of list", "合計12件") is text in its first
    // cell alone, and no row split at another separator.
    const auto kept_as_is = [&] {
      return trimmed(record).front() == '#' ||
             (fields_[0].find_first_of(",;\t") == std::string::npos &&
              cell_of(fields_[0]).kind == CellKind::kOther &&
              std::all_of(
                  fields_.begin() + 1, fields_.end(),
                  [](const std::string& f) { return trimmed(f).empty(); }));
    };
    std::string reason;
    if (separator_ == '\0') {
      reason = "two lenses separated by \";\", \",\" or a tab expected";
    } else if (columns_.empty()) {
      reason =
          "no two columns read as lenses, and no six as S, C, A, S, C, A; name "
          "them with --columns";
    } else if (last_column_ >= static_cast<int>(fields_.size())) {
      if (!kept_as_is()) return fail(too_few_cells(record), line_end);
    } else if (!reading_.header.empty() && same_as_header()) {
      return write_header(record, line_end);
    } else if (combine_row(line_end, reason)) {
      ++combined_;
      return;
    }
    if (kept_as_is()) {
      write_as_is(record, line_end);
    } else if (!read_header(fields_).columns.empty()) {  // a header again
      write_header(record, line_end);
    } else {
      fail(at_line() + reason, line_end);
    }
  }
  // The quote that opened the pending record is never closed.
  void unclosed() {
    const OpenRecord record = std::exchange(pending_, {});
    const int last = line_;
    record_line_ = line_ = record.from;
    split_fields(record.lines[0].text, separator_, fields_);
    fail(at_line() +
             "a quote opens here and is never closed; the lines after it are "
             "read as rows",
         record.lines[0].end);
    for (std::size_t i = 1; i < record.lines.size(); ++i) {
      read_line(record.lines[i].text, record.lines[i].end);
    }
    line_ = std::max(line_, last);
  }
  // The record as it came, or with --csv its cells and the result names.
  void write_header(std::string_view record, std::string_view line_end) const {
    if (!options_.csv) return write_as_is(record, line_end);
    write_fields();
    for (const char* name : result_names()) {
      (out_ += output_separator()) += name;
    }
    out_ += line_end;
  }
  // The row's lenses, combined and written; false, with the reason, where
  // they cannot be.
  bool combine_row(std::string_view line_end, std::string& reason) {
    const std::optional<LensPower> lens1 = lens(0, reason);
    const std::optional<LensPower> lens2 = lens1 ? lens(1, reason) : lens1;
    if (!lens2) return false;
    // No number unread: none beside the columns the rows told, as in the
    // row that told them, and none in a column the header leaves unnamed.
    if (!covered_.empty() && fields_.size() > covered_.size()) {
      const int unread = unread_number(fields_, covered_);
      if (unread >= 0) {
        reason = "column " + std::to_string(unread + 1) + " holds " +
                 quoted(trimmed(fields_[unread])) +
                 ", which the lenses' columns " + columns_named(columns_) +
                 " leave unread";
        return false;
      }
    }
    if (!fit_pair(*lens1, *lens2, options_.fitting, pair_)) {
      reason = not_carried(options_.fitting);
      return false;
    }
    write_result(line_end);
    return true;
  }
  // The header again, as two exports pasted together have it: its names
  // ("S1", "Sph1") are never lenses. One cell is compared on most rows.
  bool same_as_header() const {
    const std::vector<std::string>& header = reading_.header;
    const auto same = [](const std::string& a, const std::string& b) {
      return trimmed(a) == trimmed(b);
    };
    const auto first = static_cast<std::size_t>(columns_[0]);
    return header.size() == fields_.size() && first < header.size() &&
           same(fields_[first], header[first]) &&
           std::equal(fields_.begin(), fields_.end(), header.begin(), same);
  }
  std::string too_few_cells(std::string_view record) const {
    std::string message = "line " + std::to_string(record_line_) + " has " +
                          std::to_string(fields_.size()) +
                          (fields_.size() == 1 ? " cell; " : " cells; ");
    if (reading_.from == ListReading::kHeader) {
      message += "the header on " + lines_named(reading_) + " names " +
                 std::to_string(reading_.header.size());
    } else {
      message += "the lenses are in columns " + columns_named(columns_);
    }
    const char own = separator_of(record);
    if (own != '\0' && own != separator_) {
      message += "; its cells are separated by " + separator_named(own) +
                 ", the list's by " + separator_named(separator_);
    }
    return message;
  }
  // Lens 1 or 2 of the row; a six-column row's sphere, cylinder and axis
  // as one lens text, a sphere alone where the cylinder's cell is empty.
  std::optional<LensPower> lens(int which, std::string& reason) {
    const bool six = columns_.size() == 6;
    const int first = six ? 3 * which : which;
    const std::string_view text = trimmed(fields_[columns_[first]]);
    const auto name = [&] {
      return "lens " + std::to_string(which + 1) + ": ";
    };
    if (text.empty()) {
      reason = name() + (six ? "no sphere in column " : "column ") +
               std::to_string(columns_[first] + 1) + (six ? "" : " is empty");
      return std::nullopt;
    }
    if (six) three_cells_lens_ = text;
    for (int k = 1; six && k < 3; ++k) {
      const std::string_view cell = trimmed(fields_[columns_[first + k]]);
      if (cell.empty()) break;
      (three_cells_lens_ += ' ') += cell;
    }
    LensReading reading = read_lens(
        six ? std::string_view(three_cells_lens_) : text, options_.values);
    if (!reading.lens) reason = name() + reading.error;
    return reading.lens;
  }

  // The result as ordered, and with a step the exact one beside it.
  void write_result(std::string_view line_end) const {
    const LensPower& result = pair_.ordered;
    if (!options_.csv) {
      append_result(out_, result, options_.notation);
      out_ += line_end;
      return;
    }
    const char separator = output_separator();
    const auto number = [&](double value) {
      out_ += separator;
      const std::size_t start = out_.size();
      append_decimal(out_, value);
      if (reading_.decimal_comma) {
        std::replace(out_.begin() + static_cast<std::ptrdiff_t>(start),
                     out_.end(), '.', ',');
      }
    };
    const bool step = options_.fitting.step != 0;
    write_fields();
    number(result.sphere);
    if (step) number(pair_.exact.sphere);
    number(result.cylinder);
    if (step) number(pair_.exact.cylinder);
    out_ += separator;
    if (result.cylinder != 0) out_ += std::to_string(result.axis);
    number(result.sphere + result.cylinder / 2);
    out_ += line_end;
  }
  // The names of a CSV's result columns: 4, or 6 with a step.
  std::span<const char* const> result_names() const {
    if (options_.fitting.step != 0) return kStepColumns;
    return kResultColumns;
  }
  // The list's separator, or a comma where it has none.
  char output_separator() const {
    return separator_ == '\0' ? ',' : separator_;
  }
  void write_fields() const {
    const char separator = output_separator();
    for (std::size_t i = 0; i < fields_.size(); ++i) {
      if (i > 0) out_ += separator;
      append_field(out_, fields_[i], separator);
    }
  }
  // A record that cannot be read: the message, and an empty result.
  void fail(const std::string& message, std::string_view line_end) {
    ++unread_;
    if (unfit_lines_.size() < kUnfitShown) unfit_lines_.push_back(record_line_);
    errors_ += message + "\n";
    if (!options_.csv) return write_as_is("", line_end);
    write_no_result(line_end);
  }
  void write_as_is(std::string_view record, std::string_view line_end) const {
    (out_ += record) += line_end;
  }
  // With --csv, the row's cells and an empty result.
  void write_no_result(std::string_view line_end) const {
    write_fields();
    out_.append(result_names().size(), output_separator());
    out_ += line_end;
  }
  std::string at_line() const {
    return "line " + std::to_string(record_line_) + ": ";
  }

  ListOptions options_;
  std::string& out_;
  std::string& errors_;
  ListReading reading_;
  bool decided_ = false;
  std::vector<ListLine> held_;  // the lines until the reading is decided
  int held_rows_ = 0;
  std::size_t held_bytes_ = 0;

  char separator_ = '\0';
  LensColumns columns_;
  LensColumns covered_;  // where a row's numbers may stand; empty for all
  int last_column_ = -1;
  std::vector<std::string> fields_;
  std::string three_cells_lens_;  // a six-column row's S, C, A as one lens
  FittedPair pair_;     // the row's lenses fitted and combined, where asked
  OpenRecord pending_;  // a record open in quotes, while it is
  int line_ = 0;
  int record_line_ = 0;  // where the record being read starts
  int unread_ = 0;
  int combined_ = 0;
  std::vector<int> unfit_lines_;  // the first lines of rows not read
  static constexpr std::size_t kUnfitShown = 20;
  std::string refusal_;
};

// "columns 2, 3, 4 (S1, C1, A1) as sphere, cylinder, axis".
std::string lens_columns(const ListReading& reading, int lens) {
  const std::size_t per_lens = reading.columns.size() / 2;
  std::vector<std::string> numbers;
  std::vector<std::string> names;
  for (std::size_t i = 0; i < per_lens; ++i) {
    const int column = reading.columns[lens * per_lens + i];
    numbers.push_back(std::to_string(column + 1));
    if (column < static_cast<int>(reading.header.size())) {
      names.push_back(reading.header[column]);
    }
  }
  std::string text =
      (per_lens == 1 ? "column " : "columns ") + joined(numbers, ", ", ", ");
  if (names.size() == per_lens && reading.from == ListReading::kHeader) {
    text += " (" + joined(names, ", ", ", ") + ")";
  }
  return per_lens == 3 ? text + " as sphere, cylinder, axis" : text;
}

std::string ListCombiner::described(const TextDecoder& decoder,
                                    bool encoding_given) const {
  const ListReading& reading = reading_;
  std::string report =
      "encoding: " + (decoder.ascii() ? "ASCII throughout (read as UTF-8)"
                                      : form_described(decoder.form()));
  if (!decoder.ascii() && encoding_given) report += ", as --encoding names it";
  report += "\nseparator: " + (reading.separator == '\0'
                                   ? std::string("none found")
                                   : separator_named(reading.separator));
  report += "\nheader: " + (reading.header_line == 0
                                ? std::string("none")
                                : lines_named(reading) + ": " +
                                      joined(reading.header, ", ", ", "));
  if (reading.columns.empty()) {
    report += "\nlenses: no columns read as lenses; name them with --columns";
  } else {
    for (const int lens : {0, 1}) {
      report += "\nlens " + std::to_string(lens + 1) + ": " +
                lens_columns(reading, lens);
    }
    report += std::string("\ncolumns from: ") +
              (reading.from == ListReading::kGiven ? "--columns"
               : reading.from == ListReading::kHeader
                   ? "the header"
                   : "the rows (one reading fits them)");
  }
  if (reading.decimal_comma) report += "\ndecimal mark: a comma";
  report += "\nrows to combine: " + std::to_string(combined_) +
            "\nrows that do not fit: " + std::to_string(unread_);
  std::vector<std::string> lines;
  for (const int line : unfit_lines_) lines.push_back(std::to_string(line));
  if (unread_ > static_cast<int>(lines.size())) lines.push_back("…");
  if (!lines.empty()) {
    report += (unfit_lines_.size() == 1 ? " (line " : " (lines ") +
              joined(lines, ", ", ", ") + ")";
  }
  return report + "\n";
}

constexpr std::size_t kLongestLine = 1 << 20;

// Takes the whole lines of `text`, each with its own end (LF, CRLF or CR);
// returns where the first line not yet whole starts. A CR at the very end
// waits: an LF may follow.
std::size_t take_lines(std::string_view text, bool last,
                       ListCombiner& combiner) {
  // LF alone, as most lists end their lines: one quick search a line.
  const bool lf_alone = text.find('\r') == std::string_view::npos;
  std::size_t start = 0;
  while (start < text.size()) {
    const std::size_t end =
        lf_alone ? text.find('\n', start) : text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      if (!last) break;
      combiner.take_line(text.substr(start), "");
      return text.size();
    }
    std::size_t length = 1;
    if (text[end] == '\r') {
      if (end + 1 == text.size() && !last) break;
      if (end + 1 < text.size() && text[end + 1] == '\n') length = 2;
    }
    combiner.take_line(text.substr(start, end - start),
                       text.substr(end, length));
    start = end + length;
  }
  return start;
}

}  // namespace

int stream_list(int in, const std::string& name, const ListOptions& options,
                std::FILE* out, std::FILE* err, std::size_t piece) {
  // Results and reasons gather as UTF-8, written before each read that may
  // wait; each reason is a line of its own, named.
  std::string results;
  std::string reasons;
  ListCombiner combiner(options, results, reasons);
  TextDecoder decoder =
      options.encoding ? TextDecoder(*options.encoding) : TextDecoder();
  const std::string prefix = "toric-combine: " + name + ": ";
  bool mark_written = false;
  // Writes what has gathered, a CSV in its own encoding; false when the
  // results cannot be written.
  const auto flush = [&] {
    std::string named;
    std::string_view rest = reasons;
    for (std::size_t end; !rest.empty(); rest.remove_prefix(end)) {
      end = rest.find('\n') + 1;
      (named += prefix) += rest.substr(0, end);
    }
    write_text(err, named);
    reasons.clear();
    if (options.check) results.clear();  // a check writes only its report
    if (results.empty()) return true;
    const TextForm form = decoder.form();
    const std::string_view mark = mark_written ? "" : byte_order_mark(form);
    mark_written = true;
    bool written;
    if (!options.csv || form.encoding == Encoding::kUtf8) {
      if (options.csv) results.insert(0, mark);
      written = write_text(out, results);
    } else {
      const std::string bytes = std::string(mark) + encoded(results, form);
      written = std::fwrite(bytes.data(), 1, bytes.size(), out) == bytes.size();
    }
    results.clear();
    return written && std::fflush(out) == 0;
  };
  const auto fail = [&](const std::string& why) {
    write_text(err, prefix + why + "\n");
    return 2;
  };
  const auto cannot_write = [&] {
    return write_failed(err, prefix, "the results");
  };
  // What has been read goes out, then why the list ends here.
  const auto ends = [&](const std::string& why) {
    combiner.finish(true);
    return flush() ? fail(why) : cannot_write();
  };
  const auto at_next_line = [&] {
    return "line " + std::to_string(combiner.lines() + 1);
  };
  std::string text;          // decoded, from the first line not yet taken
  std::size_t searched = 0;  // of it, what holds no line end
  std::vector<char> chunk(piece);
  while (true) {
    // What has been read goes out before the next read, which may wait.
    if (!flush()) return cannot_write();
    const auto got = ::read(in, chunk.data(), piece);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return fail(std::strerror(errno));
    const bool last = got == 0;
    decoder.decode(std::string_view(chunk.data(),
                                    static_cast<std::size_t>(last ? 0 : got)),
                   last, text);
    if (!decoder.refusal().empty()) {
      // The whole lines before the one it cannot read, then why.
      take_lines(text, false, combiner);
      return ends(at_next_line() + ": " + decoder.refusal());
    }
    // DOS's end-of-file mark after the last line is no line.
    if (last && text.ends_with('\x1A')) text.pop_back();
    // Text has no NUL: the lines before its line are taken, and the list
    // ends there, its bytes never echoed.
    const std::size_t nul = text.find('\0');
    std::string_view readable(text);
    if (nul != std::string::npos) {
      const std::size_t line_end = readable.substr(0, nul).find_last_of("\r\n");
      readable = readable.substr(
          0, line_end == std::string_view::npos ? 0 : line_end + 1);
    }
    // A line that grows a few bytes a read is searched for its end once.
    const bool line_ends =
        last || nul != std::string::npos ||
        readable.find('\n', searched) != std::string_view::npos ||
        readable.find('\r', searched) != std::string_view::npos;
    const std::size_t taken =
        line_ends
            ? take_lines(readable, last || nul != std::string::npos, combiner)
            : 0;
    searched = line_ends ? 0 : readable.size();
    if (!combiner.refusal().empty()) return ends(combiner.refusal());
    if (nul != std::string::npos) {
      return ends(at_next_line() +
                  ": a NUL byte: this is no text list, or UTF-16 without its "
                  "byte order mark (name it with --encoding utf-16 or "
                  "utf-16be)");
    }
    text.erase(0, taken);
    if (text.size() > kLongestLine) {
      return ends(at_next_line() +
                  " is longer than a megabyte: this is no list");
    }
    if (last) break;
  }
  combiner.finish();
  if (!combiner.refusal().empty()) return ends(combiner.refusal());
  if (!flush()) return cannot_write();
  if (options.check) {
    const std::string report =
        combiner.described(decoder, options.encoding.has_value());
    if (!write_text(out, report) || std::fflush(out) != 0) {
      return cannot_write();
    }
  }
  return combiner.unread() == 0 ? 0 : 1;
}

}  // namespace toric
