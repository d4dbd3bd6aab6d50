#include "list_check.h"

namespace toric {

namespace {

std::string joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) {
    if (!text.empty()) text += ", ";
    text += item;
  }
  return text;
}

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
  std::string text = (per_lens == 1 ? "column " : "columns ") + joined(numbers);
  if (names.size() == per_lens && reading.from == ListReading::kHeader) {
    text += " (" + joined(names) + ")";
  }
  if (per_lens == 3) text += " as sphere, cylinder, axis";
  return text;
}

}  // namespace

std::string reading_described(const ListCombiner& combiner,
                              const TextDecoder& decoder, bool encoding_given) {
  const ListReading& reading = combiner.reading();
  std::string report = "encoding: ";
  if (decoder.ascii()) {
    report += "ASCII throughout (read as UTF-8)";
  } else {
    report += form_described(decoder.form());
    if (encoding_given) report += ", as --encoding names it";
  }
  report += "\nseparator: ";
  report += reading.separator == '\0' ? std::string("none found")
                                      : separator_named(reading.separator);
  report += "\nheader: ";
  if (reading.header_line == 0) {
    report += "none";
  } else {
    report += lines_named(reading) + ": " + joined(reading.header);
  }
  report += '\n';
  if (reading.columns.empty()) {
    report += "lenses: no columns read as lenses; name them with --columns\n";
  } else {
    for (const int lens : {0, 1}) {
      report += "lens " + std::to_string(lens + 1) + ": " +
                lens_columns(reading, lens) + "\n";
    }
    report += "columns from: ";
    switch (reading.from) {
      case ListReading::kGiven:
        report += "--columns";
        break;
      case ListReading::kHeader:
        report += "the header";
        break;
      default:
        report += "the rows (one reading fits them)";
    }
    report += '\n';
  }
  if (reading.decimal_comma) report += "decimal mark: a comma\n";
  report += "rows to combine: " + std::to_string(combiner.combined()) + "\n";
  report += "rows that do not fit: " + std::to_string(combiner.unread());
  const std::vector<int>& lines = combiner.unfit_lines();
  if (!lines.empty()) {
    std::vector<std::string> numbers;
    for (const int line : lines) numbers.push_back(std::to_string(line));
    report += std::string(lines.size() == 1 ? " (line " : " (lines ") +
              joined(numbers);
    if (combiner.unread() > static_cast<int>(lines.size())) report += ", …";
    report += ")";
  }
  report += '\n';
  return report;
}

}  // namespace toric
