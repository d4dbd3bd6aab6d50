#pragma once
// Pairs of lenses in, results out: the two lenses given on the command
// line, or a list taken a line at a time, as labs and spreadsheets keep
// them.

#include <string>
#include <string_view>
#include <vector>

#include "lens_text.h"
#include "toric/format.h"
#include "toric/lens_power.h"

namespace toric {

// The cylinder form of the results: the window's rule (a plus cylinder is
// turned only when the sphere is negative), or every result in one form.
enum class CylinderForm { kWindow, kMinus, kPlus };

struct ListOptions {
  Notation notation = Notation::kWindow;
  CylinderForm form = CylinderForm::kWindow;
  LensValues values = LensValues::kBars;
  // CSV out: every input column, then the result's sphere, cylinder, axis
  // and spherical equivalent as plain numbers.
  bool csv = false;
  // Where the lenses are, counted from 0: two lens columns, or six columns
  // S, C, A, S, C, A. Empty: found from the first row of lenses.
  std::vector<int> columns;
};

// The combination of two lenses in the chosen form.
LensPower combined(const LensPower& lens1, const LensPower& lens2,
                   CylinderForm form);

// The result line of two lenses.
std::string result_line(const LensPower& lens1, const LensPower& lens2,
                        Notation notation,
                        CylinderForm form = CylinderForm::kWindow);

// A list, a line at a time. Records are split by the first data line's
// separator (tab, ";" or ","), with RFC 4180 quotes. Blank lines and lines
// starting with "#" are kept as they are, and so is a header row. Every
// other line gives one result (or, with `csv`, its columns and the
// result's); a line that cannot be read gives an empty result, and its
// reason, with its line number, goes to the errors.
class ListCombiner {
 public:
  explicit ListCombiner(ListOptions options);

  // One line without its line end; what it gives is added to `out`, ending
  // in `line_end`.
  void take_line(std::string_view line, std::string_view line_end,
                 std::string& out, std::string& errors);
  // At the end of the list: a record still open in quotes is taken as it
  // is.
  void finish(std::string& out, std::string& errors);
  int unread() const { return unread_; }

  // Once the separator and the lens columns are known and no record is
  // open in quotes, every line stands on its own: a copy of the combiner
  // can take any of the lines that follow, given its number, as long as
  // the line opens no quotes (ends_inside_quotes).
  bool settled() const {
    return separator_ != '\0' && !columns_.empty() && pending_.empty();
  }
  // Counts a line that a copy takes.
  void skip_line() { ++line_; }
  int line() const { return line_; }
  void take_settled_line(std::string_view line, int number,
                         std::string_view line_end, std::string& out,
                         std::string& errors);
  char separator() const { return separator_; }

 private:
  void take_record(std::string_view record, std::string_view line_end,
                   std::string& out, std::string& errors);
  bool find_columns(int line, std::string& errors);
  std::optional<LensPower> lens(int which, std::string& reason);
  // The list's separator, or a comma where it has none.
  char output_separator() const;
  void write_fields(std::string& out) const;
  // A line that cannot be read: its reason with the line's number, and an
  // empty result.
  void fail(const std::string& reason, std::string_view line_end,
            std::string& out, std::string& errors);

  ListOptions options_;
  char separator_ = '\0';
  bool data_seen_ = false;    // a first data row or header has been met
  std::vector<int> columns_;  // chosen or found
  std::vector<std::string> fields_;
  std::string lens_text_;
  std::string pending_;   // a record open in quotes, with its line ends
  int pending_from_ = 0;  // the line it started on
  int line_ = 0;
  int unread_ = 0;
};

}  // namespace toric
