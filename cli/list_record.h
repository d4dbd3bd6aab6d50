#pragma once
// One record of a list, as spreadsheets keep them (RFC 4180): fields split
// by a comma, a semicolon or a tab; a field that begins with a double quote
// may hold the separator, line ends and doubled quotes.

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

// Adds a field to `out`, in quotes where it holds the separator, a quote or
// a line end.
void append_field(std::string& out, std::string_view field, char separator);

}  // namespace toric
