#pragma once
// Pairs of lenses in, results out: the two lenses given on the command
// line, or a list taken a line at a time, as labs and spreadsheets keep
// them.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fitted_pair.h"
#include "lens_text.h"
#include "list_layout.h"
#include "toric/format.h"
#include "toric/lens_power.h"

namespace toric {

struct ListOptions {
  Notation notation = Notation::kWindow;
  Fitting fitting;  // vertex distance, rotation, step and cylinder form
  LensValues values = LensValues::kBars;
  // CSV out: every input column, then the result's sphere, cylinder, axis
  // and spherical equivalent as plain numbers (with a step, the exact
  // sphere and cylinder beside the rounded ones).
  bool csv = false;
  // Where the lenses are, counted from 0: two lens columns, or six columns
  // S, C, A, S, C, A. Empty: found from the header, else from the rows.
  LensColumns columns;
};

// A list, a line at a time. Records are split by the first record's
// separator (tab, ";" or ","), with RFC 4180 quotes. Blank lines, empty
// rows and lines starting with "#" are kept as they are, and so is a
// header row. Every other record gives one result (or, with `csv`, its
// columns and the result's); a record that cannot be read gives an empty
// result, and its reason, with its line number, goes to the errors. Each
// goes out with the line end it came with.
class ListCombiner {
 public:
  explicit ListCombiner(ListOptions options);

  // One line without its line end: "\n", "\r\n", "\r", or "" for a last
  // line without one. What it gives is added to `out` and `errors`.
  void take_line(std::string_view line, std::string_view line_end,
                 std::string& out, std::string& errors);
  // At the end of the list: a quote still open is an error of the line it
  // opened on, and the lines after it are read as rows.
  void finish(std::string& out, std::string& errors);

  int lines() const { return line_; }
  int unread() const { return unread_; }
  // Why the list is no list of pairs (its header names two eyes), with the
  // line; empty while it is one. Once set, further lines are not read.
  const std::string& refusal() const { return refusal_; }

 private:
  void take_record(std::string_view record, std::string_view line_end,
                   std::string& out, std::string& errors);
  // The quote opened on line pending_from_ is never closed.
  void unclosed(std::string& out, std::string& errors);
  bool take_header(std::string_view record, std::string_view line_end,
                   std::string& out);
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
  // A record that cannot be read: its reason with its line number, and an
  // empty result.
  void fail(const std::string& reason, std::string_view line_end,
            std::string& out, std::string& errors);

  ListOptions options_;
  char separator_ = '\0';
  bool data_seen_ = false;  // a first record has been met
  LensColumns columns_;     // chosen, named by the header or found
  int last_column_ = -1;
  std::vector<std::string> fields_;
  std::string lens_text_;
  FittedPair pair_;  // the row's lenses fitted and combined, where asked
  // The lines of a record open in quotes, with their ends, from line
  // pending_from_ on, and the record they make so far.
  std::vector<std::pair<std::string, std::string>> pending_;
  std::string pending_record_;
  int pending_from_ = 0;
  int line_ = 0;
  int record_line_ = 0;  // where the record being read starts
  int unread_ = 0;
  std::string refusal_;
};

}  // namespace toric
