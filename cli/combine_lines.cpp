#include "combine_lines.h"

#include "lens_text.h"
#include "toric/combine.h"

namespace toric {

namespace {

std::string_view trimmed(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\r'))
    text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\r'))
    text.remove_suffix(1);
  return text;
}

// The result line for one line of a list, or the reason it has none.
LensReading pair_result(std::string_view line, Notation notation,
                        std::string& result) {
  const std::size_t split = line.find_first_of(";\t");
  if (split == std::string_view::npos) {
    return {std::nullopt, "two lenses separated by \";\" or a tab expected"};
  }
  const LensReading lens1 = read_lens(trimmed(line.substr(0, split)));
  if (!lens1.lens) return lens1;
  const LensReading lens2 = read_lens(trimmed(line.substr(split + 1)));
  if (!lens2.lens) return lens2;
  result = result_line(*lens1.lens, *lens2.lens, notation);
  return lens1;
}

}  // namespace

std::string result_line(const LensPower& lens1, const LensPower& lens2,
                        Notation notation) {
  return format_result(combine_lenses(lens1, lens2), notation);
}

int combine_list(std::string_view list, Notation notation, std::string& out,
                 std::string& errors) {
  int unread = 0;
  int number = 0;
  while (!list.empty()) {
    const std::size_t end = list.find('\n');
    const std::string_view line = list.substr(0, end);
    list.remove_prefix(end == std::string_view::npos ? list.size() : end + 1);
    ++number;
    const std::string_view content = trimmed(line);
    if (content.empty() || content.front() == '#') {
      out += line;
    } else {
      std::string result;
      const LensReading reading = pair_result(content, notation, result);
      if (reading.lens) {
        out += result;
      } else {
        ++unread;
        errors +=
            "line " + std::to_string(number) + ": " + reading.error + "\n";
      }
    }
    out += '\n';
  }
  return unread;
}

}  // namespace toric
