#include "combine_command.h"

#include <cerrno>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "combine_lines.h"
#include "lens_text.h"
#include "list_stream.h"
#include "platform_io.h"

namespace toric {

namespace {

constexpr const char* kUsage =
    "Usage: toric-combine [OPTION]... LENS1 LENS2\n"
    "       toric-combine [OPTION]... FILE|-\n"
    "Combines two toric lenses into the one prescription they equal, as the\n"
    "window does. A lens is written S-1.25 C-0.50 A180, -1.25 -0.50 x180,\n"
    "-1.25/-0.50x180, -1.25DS/-0.50DC AX180, sph -1.25 cyl -0.50 ax 180, pl\n"
    "or a sphere alone (+2.00); a result line copied from the window reads\n"
    "too. A list (FILE, or - for standard input) has a pair a line: two\n"
    "lenses separated by ; or a tab, or CSV with the lenses in two columns or\n"
    "in six (S, C, A, S, C, A), with or without a header row.\n"
    "\n"
    "  --plain                 write results in ASCII (S-1.25 C-0.50 A180)\n"
    "  --csv                   write the list's columns, then the result's\n"
    "                          sphere, cylinder, axis and spherical "
    "equivalent\n"
    "  --form minus|plus       write every result in that cylinder form\n"
    "  --any                   take any power, not only those the bars set\n"
    "  --columns N,M           the lenses are in columns N and M (from 1)\n"
    "  --columns S,C,A,S,C,A   or their values are in these six columns\n"
    "  -h, --help              show this help\n"
    "  -v, --version           show the version\n";

void write(std::FILE* stream, std::string_view text) {
  write_text(stream, text);
}

int usage_error(std::FILE* err, const std::string& why) {
  write(err, "toric-combine: " + why + " (see toric-combine --help)\n");
  return 2;
}

struct Streams {
  std::FILE* in;
  std::FILE* out;
  std::FILE* err;
};

int combine_two(const std::string& first, const std::string& second,
                const ListOptions& options, const Streams& io) {
  const LensReading lens1 = read_lens(first, options.values);
  const LensReading lens2 =
      lens1.lens ? read_lens(second, options.values) : LensReading{};
  if (!lens1.lens || !lens2.lens) {
    const int which = lens1.lens ? 2 : 1;
    write(io.err, "toric-combine: lens " + std::to_string(which) + ": " +
                      (lens1.lens ? lens2.error : lens1.error) + "\n");
    return 2;
  }
  const std::string line =
      result_line(*lens1.lens, *lens2.lens, options.notation, options.form) +
      "\n";
  if (!write_text(io.out, line) || std::fflush(io.out) != 0) {
    write(io.err, std::string("toric-combine: cannot write the result: ") +
                      std::strerror(errno) + "\n");
    return 2;
  }
  return 0;
}

int combine_file(const std::string& name, const ListOptions& options,
                 const Streams& io) {
  std::FILE* in = name == "-" ? io.in : open_for_reading(name);
  if (in == nullptr) {
    write(io.err,
          "toric-combine: " + name + ": " + std::strerror(errno) + "\n");
    return 2;
  }
  const int status = stream_list(fileno(in), name, options, io.out, io.err);
  if (in != io.in) std::fclose(in);
  return status;
}

// "2,3" or "2,3,4,5,6,7", counted from 1, into columns counted from 0.
std::optional<std::vector<int>> columns_of(std::string_view text) {
  std::vector<int> columns;
  while (!text.empty()) {
    const std::size_t end = text.find(',');
    const std::string_view number = text.substr(0, end);
    int column = 0;
    for (const char c : number) {
      if (c < '0' || c > '9' || column > 9999) return std::nullopt;
      column = column * 10 + (c - '0');
    }
    if (number.empty() || column == 0) return std::nullopt;
    columns.push_back(column - 1);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  if (columns.size() != 2 && columns.size() != 6) return std::nullopt;
  return columns;
}

}  // namespace

int run_combine_command(std::span<const std::string> args, std::FILE* in,
                        std::FILE* out, std::FILE* err) {
  const Streams io{in, out, err};
  ListOptions options;
  std::vector<std::string> operands;
  bool options_done = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    std::string arg = args[i];
    // "-1.25 -0.50 x180" is a lens, not an option.
    const bool option = !options_done && arg.size() > 1 && arg[0] == '-' &&
                        !(arg[1] >= '0' && arg[1] <= '9') && arg[1] != '.';
    if (!option) {
      operands.push_back(arg);
      continue;
    }
    // An option's value after "=" or as the next argument.
    std::optional<std::string> value;
    if (const std::size_t equals = arg.find('='); equals != std::string::npos) {
      value = arg.substr(equals + 1);
      arg.resize(equals);
    }
    const auto take_value = [&]() -> std::optional<std::string> {
      if (value) return value;
      if (i + 1 < args.size()) return args[++i];
      return std::nullopt;
    };
    if (arg == "--") {
      options_done = true;
    } else if (arg == "--plain") {
      options.notation = Notation::kPlain;
    } else if (arg == "--csv") {
      options.csv = true;
    } else if (arg == "--any") {
      options.values = LensValues::kAny;
    } else if (arg == "--form") {
      const auto form = take_value();
      if (form == "minus") {
        options.form = CylinderForm::kMinus;
      } else if (form == "plus") {
        options.form = CylinderForm::kPlus;
      } else {
        return usage_error(err, "--form takes minus or plus");
      }
    } else if (arg == "--columns") {
      const auto text = take_value();
      const auto columns = text ? columns_of(*text) : std::nullopt;
      if (!columns) {
        return usage_error(err,
                           "--columns takes two or six column numbers, "
                           "such as 2,3");
      }
      options.columns = *columns;
    } else if (arg == "-h" || arg == "--help") {
      write(out, kUsage);
      return 0;
    } else if (arg == "-v" || arg == "--version") {
      write(out, "toric-combine " TORIC_VERSION "\n");
      return 0;
    } else {
      return usage_error(err, "unknown option " + args[i]);
    }
  }
  if (operands.size() == 2) {
    if (options.csv || !options.columns.empty()) {
      return usage_error(err, "--csv and --columns are for lists");
    }
    return combine_two(operands[0], operands[1], options, io);
  }
  if (operands.size() == 1) return combine_file(operands[0], options, io);
  return usage_error(err, operands.empty() ? "two lenses or a list expected"
                                           : "too many arguments");
}

}  // namespace toric
