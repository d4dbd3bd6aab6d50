#pragma once
// How a list is read, decided once from its opening rows and held to its
// last: the separator, the header and where the lenses are. The decision
// waits only as long as its evidence needs (a header and the row after it,
// or a row that one reading alone fits), and never past kSampleRows rows.

#include <string>
#include <string_view>
#include <vector>

#include "list_layout.h"

namespace toric {

// The most rows (lines that are not blank) the decision looks at.
constexpr int kSampleRows = 100;

// A record open in quotes spans at most this many lines; then the quote is
// one that was never closed, and the lines after it are rows.
constexpr std::size_t kLongestRecordLines = 64;

struct ListReading {
  char separator = '\0';  // tab, ';' or ','
  LensColumns columns;    // empty where no row places the lenses
  enum From { kNowhere, kGiven, kHeader, kRows } from = kNowhere;
  // The header: the row that names the lenses (or two rows, names over
  // merged cells above the names under them), or in a list without one a
  // row of text right above the first row of data; 0 for none.
  int header_line = 0;
  int header_end = 0;               // its last line
  std::vector<std::string> header;  // its names, two rows' merged
  int first_data_line = 0;          // 0 where none was sampled
  bool decimal_comma = false;       // its lenses write -1,25
};

struct ReadingDecision {
  enum State { kWaiting, kDecided, kRefused } state = kWaiting;
  ListReading reading;
  std::string refusal;  // why the list is read no way, with the line
};

// What the user gave: --separator and --columns (either may be empty).
struct ReadingGiven {
  char separator = '\0';
  LensColumns columns;
};

// Decides from the first lines of a list (each without its line end),
// which are all there will be where `complete` (the list's end, or
// kSampleRows rows). Rows above the header are titles; a line starting
// with "#" above the header or the first row of data is a comment.
ReadingDecision decide_reading(const std::vector<std::string>& lines,
                               bool complete, const ReadingGiven& given);

// The header's lines as a message names them: "line 2", "lines 2-3".
std::string lines_named(const ListReading& reading);

// The separator as a message names it: "\",\"" or "a tab".
std::string separator_named(char separator);

}  // namespace toric
