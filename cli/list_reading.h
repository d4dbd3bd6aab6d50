#pragma once
// A list of pairs as labs and spreadsheets keep them (RFC 4180 records split
// by a comma, a semicolon or a tab), read one way from its first row to its
// last: the reading decided from its opening rows, every line read that way.

#include <algorithm>
#include <cstdio>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "combine_command.h"
#include "text_encoding.h"
#include "toric/column_names.h"
#include "toric/lens_power.h"

namespace toric {

// A line of a list and its end: "\n", "\r\n", "\r", or "" for the last.
struct ListLine {
  std::string text;
  std::string end;
};

// The separator of a list, told from its first record: a tab if it has
// one, else a semicolon, else a comma (outside quotes); 0 for none.
char separator_of(std::string_view record);

// True while `record` ends inside a quoted field, so that the next line
// belongs to it.
bool ends_inside_quotes(std::string_view record, char separator);

// The fields of a record into `fields`, quotes taken off; the strings keep
// their room from one record to the next.
void split_fields(std::string_view record, char separator,
                  std::vector<std::string>& fields);

// The text without the spaces and tabs around it (inline: every lens cell
// of a long list is trimmed).
inline std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
    text.remove_prefix(1);
  }
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
    text.remove_suffix(1);
  }
  return text;
}

// Whether every field is empty or spaces: an empty row of a spreadsheet.
inline bool all_empty(const std::vector<std::string>& fields) {
  return std::all_of(fields.begin(), fields.end(),
                     [](const std::string& f) { return trimmed(f).empty(); });
}

// Adds a field to `out`, in quotes where it holds the separator, a quote or
// a line end.
void append_field(std::string& out, std::string_view field, char separator);

// The first column outside `reading` whose number it leaves unread (a
// power, a lens or an axis, or a whole number right after a sphere alone,
// where a cylinder or an axis could stand); -1 for none.
int unread_number(const std::vector<std::string>& fields,
                  const LensColumns& reading);

// Whether every cell is text or empty: a title, a note, a header that
// names no lens.
bool text_only(const std::vector<std::string>& fields);

// The items of a list as a message names them: joined({"a", "b", "c"},
// ", ", " or ") == "a, b or c".
std::string joined(std::span<const std::string> items, std::string_view between,
                   std::string_view last);

// "3,4" or "3,4,5,6,7,8", counted from 1.
std::string columns_named(const LensColumns& columns);

// The most rows (lines that are not blank) the decision looks at.
constexpr int kSampleRows = 100;

// A record open in quotes spans at most this many lines; then the quote is
// one that was never closed, and the lines after it are rows.
constexpr std::size_t kLongestRecordLines = 64;
constexpr std::size_t kLongestRecordBytes = 1 << 20;

// A record open in quotes, gathered a line at a time until its quote closes.
struct OpenRecord {
  int from = 0;                 // its first line
  std::vector<ListLine> lines;  // the lines it spans so far
  std::string text;             // their record, the line ends inside it

  // Adds the record's next line; true where it closes the record.
  bool add(std::string_view line, std::string_view end, char separator);
  bool too_long() const {
    return lines.size() >= kLongestRecordLines ||
           text.size() > kLongestRecordBytes;
  }
};

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

// Decides how a list is read (its separator, its header and where its
// lenses are) from its first lines, which are all there will be where
// `complete` (the list's end, or kSampleRows rows), with what the user gave
// (--separator and --columns, either may be unset). The decision waits only
// as long as its evidence needs: a header and the row after it, or a row
// that one reading alone fits. Rows above the header are titles; a line
// starting with "#" above the header or the first row of data is a comment.
ReadingDecision decide_reading(const std::vector<ListLine>& lines,
                               bool complete, const ListOptions& given);

// The header's lines as a message names them: "line 2", "lines 2-3".
std::string lines_named(const ListReading& reading);

// The separator as a message names it: "\",\"" or "a tab".
std::string separator_named(char separator);

// Reads the list from the file descriptor `in` (named `name` in messages)
// in whichever encoding it came, a line at a time, writing each result to
// `out` (a CSV in its own encoding, else UTF-8) before the next line is
// waited for, and the reasons for records that cannot be read to `err`.
// With --check, only the reading and the rows' errors. Returns 0 (also when
// the reader of `out` has gone), 1 when some records could not be read, 2
// when the list cannot be read or the results cannot be written. `piece`,
// the most bytes one read asks for, changes nothing that is written.
int stream_list(int in, const std::string& name, const ListOptions& options,
                std::FILE* out, std::FILE* err, std::size_t piece = 1 << 16);

}  // namespace toric
