#pragma once
// A list of pairs in, results out, a line at a time, as labs and
// spreadsheets keep them: read one way from its first row to its last.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "combine_options.h"
#include "list_reading.h"
#include "toric/lens_power.h"

namespace toric {

// A list, a line at a time. Its lines are held until its reading is
// decided (list_reading.h), then every line is read that way: blank lines
// and empty rows are kept as they are, and so are rows above the header,
// comments ("#" above the header or in a list without one) and the header
// itself, wherever it is repeated. Every other record gives one result
// (or, with `csv`, its columns and the result's); a record that cannot be
// read gives an empty result, and its reason, with its line number, goes
// to the errors. Each goes out with the line end it came with.
class ListCombiner {
 public:
  explicit ListCombiner(ListOptions options);

  // One line without its line end: "\n", "\r\n", "\r", or "" for a last
  // line without one. What it gives is added to `out` and `errors`.
  void take_line(std::string_view line, std::string_view line_end,
                 std::string& out, std::string& errors);
  // At the end of the list: the reading is decided from what there is, and
  // a quote still open is an error of the line it opened on, the lines
  // after it read as rows; where the list is `cut` short by a refusal, the
  // record is left unread.
  void finish(std::string& out, std::string& errors, bool cut = false);

  int lines() const { return line_; }
  int unread() const { return unread_; }
  // Why the list is read no way, with the line; empty while it is read.
  // Once set, further lines are not read.
  const std::string& refusal() const { return refusal_; }
  const ListReading& reading() const { return reading_; }
  int combined() const { return combined_; }
  // The first lines of rows that could not be read (at most kUnfitShown).
  const std::vector<int>& unfit_lines() const { return unfit_lines_; }
  static constexpr std::size_t kUnfitShown = 20;

 private:
  void decide(bool complete, std::string& out, std::string& errors);
  void read_line(std::string_view line, std::string_view line_end,
                 std::string& out, std::string& errors);
  void take_record(std::string_view record, std::string_view line_end,
                   std::string& out, std::string& errors);
  // The quote opened on line pending_from_ is never closed.
  void unclosed(std::string& out, std::string& errors);
  // The record as it came, or with --csv its cells and the result names.
  void write_header(std::string_view record, std::string_view line_end,
                    std::string& out) const;
  bool combine_row(std::string_view line_end, std::string& out,
                   std::string& reason);
  bool same_as_header() const;
  bool repeats_header() const;
  std::string too_few_cells(std::string_view record) const;
  std::optional<LensPower> lens(int which, std::string& reason);
  // The result as ordered, and with a step the exact one beside it.
  void write_result(const LensPower& result, const LensPower& exact,
                    std::string_view line_end, std::string& out) const;
  // The names of a CSV's result columns: 4, or 6 with a step.
  std::span<const char* const> result_names() const;
  void set_columns(LensColumns columns);
  // The list's separator, or a comma where it has none.
  char output_separator() const;
  void write_fields(std::string& out) const;
  // A record that cannot be read: the message, and an empty result.
  void fail(const std::string& message, std::string_view line_end,
            std::string& out, std::string& errors);
  std::string at_line() const;

  ListOptions options_;
  ListReading reading_;
  bool decided_ = false;
  // The lines held until the reading is decided, with their ends.
  std::vector<std::string> held_;
  std::vector<std::string> held_ends_;
  int held_rows_ = 0;
  std::size_t held_bytes_ = 0;

  char separator_ = '\0';
  LensColumns columns_;
  LensColumns covered_;  // where a row's numbers may stand; empty for all
  int last_column_ = -1;
  std::vector<std::string> fields_;
  std::string three_cells_lens_;  // a six-column row's S, C, A as one lens
  FittedPair pair_;  // the row's lenses fitted and combined, where asked
  // The lines of a record open in quotes, with their ends, from line
  // pending_from_ on, and the record they make so far.
  std::vector<std::pair<std::string, std::string>> pending_;
  std::string pending_record_;
  int pending_from_ = 0;
  int line_ = 0;
  int record_line_ = 0;  // where the record being read starts
  int unread_ = 0;
  int combined_ = 0;
  std::vector<int> unfit_lines_;
  std::string refusal_;
};

}  // namespace toric
