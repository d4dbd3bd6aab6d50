#include "list_record.h"

namespace toric {

namespace {

// Walks a record as RFC 4180 reads it: a field that begins with a quote is
// quoted up to the next lone quote, and a doubled quote inside stands for
// one; elsewhere a quote is a character like any other. Calls
// `character(c)` for each character of a field's value and `next()` at
// each separator; returns true when the record ends inside quotes.
template <class Character, class Next>
bool walk(std::string_view record, char separator, Character character,
          Next next) {
  bool quoted = false;
  bool field_start = true;
  for (std::size_t i = 0; i < record.size(); ++i) {
    const char c = record[i];
    if (quoted) {
      if (c != '"') {
        character(c);
      } else if (i + 1 < record.size() && record[i + 1] == '"') {
        character('"');
        ++i;
      } else {
        quoted = false;
      }
    } else if (c == separator) {
      next();
      field_start = true;
      continue;
    } else if (c == '"' && field_start) {
      quoted = true;
    } else {
      character(c);
    }
    field_start = false;
  }
  return quoted;
}

}  // namespace

char separator_of(std::string_view record) {
  bool tab = false;
  bool semicolon = false;
  bool comma = false;
  // Quotes are told by the separator; ';' and ',' inside a quoted field
  // are each looked at with the other as the separator.
  walk(
      record, '\t', [](char) {}, [&] { tab = true; });
  if (tab) return '\t';
  walk(
      record, ';', [](char) {}, [&] { semicolon = true; });
  if (semicolon) return ';';
  walk(
      record, ',', [](char) {}, [&] { comma = true; });
  return comma ? ',' : '\0';
}

bool ends_inside_quotes(std::string_view record, char separator) {
  return record.find('"') != std::string_view::npos &&
         walk(
             record, separator, [](char) {}, [] {});
}

void split_fields(std::string_view record, char separator,
                  std::vector<std::string>& fields) {
  std::size_t count = 0;
  const auto next_field = [&] {
    if (count == fields.size()) fields.emplace_back();
    fields[count++].clear();  // keeps its room for the next record
  };
  if (record.find('"') == std::string_view::npos) {
    // No quotes, as in most lists: the fields lie between the separators.
    while (true) {
      const std::size_t end = record.find(separator);
      next_field();
      fields[count - 1].assign(record.substr(0, end));
      if (end == std::string_view::npos) break;
      record.remove_prefix(end + 1);
    }
  } else {
    next_field();
    walk(
        record, separator, [&](char c) { fields[count - 1] += c; }, next_field);
  }
  fields.resize(count);
}

void append_field(std::string& out, std::string_view field, char separator) {
  const char special[] = {separator, '"', '\r', '\n'};
  if (field.find_first_of(std::string_view(special, 4)) ==
          std::string_view::npos &&
      !field.starts_with('"')) {
    out += field;
    return;
  }
  out += '"';
  for (const char c : field) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

}  // namespace toric
