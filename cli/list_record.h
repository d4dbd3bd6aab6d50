#pragma once
// One record of a list, as spreadsheets keep them (RFC 4180): fields split
// by a comma, a semicolon or a tab; a field that begins with a double quote
// may hold the separator, line ends and doubled quotes.

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace toric {

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

}  // namespace toric
