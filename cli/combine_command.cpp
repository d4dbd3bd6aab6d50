#include "combine_command.h"

#include <getopt.h>

#include <algorithm>
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
    "in six (S, C, A, S, C, A), named by its header or found in its first\n"
    "row; in UTF-8, UTF-16 or Shift_JIS (see toric-combine(1)).\n"
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

// Writes the whole of `text` to `out`: 0; quietly 0 when the reader has
// gone; else 2 with the reason.
int written(std::FILE* out, std::FILE* err, std::string_view text,
            const char* what) {
  if (write_text(out, text) && std::fflush(out) == 0) return 0;
  if (errno == EPIPE) return 0;
  write(err, std::string("toric-combine: cannot write ") + what + ": " +
                 std::strerror(errno) + "\n");
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
  return written(io.out, io.err, line, "the result");
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

// "2,3" or "2,3,4,5,6,7", counted from 1, into columns counted from 0;
// none may be 0, negative or given twice.
std::optional<LensColumns> columns_of(std::string_view text) {
  LensColumns columns;
  while (true) {
    const std::size_t end = text.find(',');
    const std::string_view number = text.substr(0, end);
    int column = 0;
    for (const char c : number) {
      if (c < '0' || c > '9' || column > 9999) return std::nullopt;
      column = column * 10 + (c - '0');
    }
    if (number.empty() || column == 0) return std::nullopt;
    if (std::find(columns.begin(), columns.end(), column - 1) !=
        columns.end()) {
      return std::nullopt;
    }
    columns.push_back(column - 1);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  if (columns.size() != 2 && columns.size() != 6) return std::nullopt;
  return columns;
}

// A lens such as "-1.25 -0.50 x180" or "-.50" starts with a minus, and is
// no option.
bool looks_like_lens(std::string_view arg) {
  return arg.size() > 1 && arg[0] == '-' &&
         ((arg[1] >= '0' && arg[1] <= '9') || arg[1] == '.' || arg[1] == ',');
}

enum Option : int {
  kOperand = 1,  // getopt's code for an argument that is no option
  kPlain = 'p',
  kCsv = 'c',
  kAny = 'a',
  kForm = 'f',
  kColumns = 'k',
  kHelp = 'h',
  kVersion = 'v',
};

constexpr option kOptions[] = {
    {"plain", no_argument, nullptr, kPlain},
    {"csv", no_argument, nullptr, kCsv},
    {"any", no_argument, nullptr, kAny},
    {"form", required_argument, nullptr, kForm},
    {"columns", required_argument, nullptr, kColumns},
    {"help", no_argument, nullptr, kHelp},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
};

std::string option_named(int code) {
  for (const option& o : kOptions) {
    if (o.name != nullptr && o.val == code) return std::string("--") + o.name;
  }
  return std::string{'-', static_cast<char>(code)};
}

// What the command line asks for.
struct Request {
  ListOptions options;
  std::vector<std::string> operands;
  int shows = 0;      // kHelp or kVersion
  std::string wrong;  // a usage error
};

// The arguments through getopt_long, in order ("-" first in its options):
// options may come before and after the lenses, "--" ends them, and an
// argument that looks like a lens is given to getopt with a space in front,
// so that it is an operand (or an option's value) and not options "-1".
Request parsed(std::span<const std::string> args) {
  std::vector<std::string> shown{"toric-combine"};
  for (const std::string& arg : args) {
    shown.push_back(looks_like_lens(arg) ? " " + arg : arg);
  }
  std::vector<char*> argv;
  for (std::string& arg : shown) argv.push_back(arg.data());
  argv.push_back(nullptr);
  const int argc = static_cast<int>(shown.size());
  // The argument getopt points at, as it was given.
  const auto given = [&](const char* text) {
    for (std::size_t i = 1; i < shown.size(); ++i) {
      if (text == shown[i].data()) return args[i - 1];
    }
    return std::string(text);
  };

  Request request;
  ListOptions& options = request.options;
  optind = 0;  // from the start, whatever an earlier call left
  opterr = 0;  // the messages are ours
  int code;
  while ((code = getopt_long(argc, argv.data(), "-:hv", kOptions, nullptr)) !=
         -1) {
    const std::string value = optarg != nullptr ? given(optarg) : "";
    switch (code) {
      case kOperand:
        request.operands.push_back(value);
        break;
      case kPlain:
        options.notation = Notation::kPlain;
        break;
      case kCsv:
        options.csv = true;
        break;
      case kAny:
        options.values = LensValues::kAny;
        break;
      case kForm:
        if (value == "minus") {
          options.form = CylinderForm::kMinus;
        } else if (value == "plus") {
          options.form = CylinderForm::kPlus;
        } else {
          request.wrong = "--form takes minus or plus";
          return request;
        }
        break;
      case kColumns:
        if (const auto columns = columns_of(value)) {
          options.columns = *columns;
        } else {
          request.wrong =
              "--columns takes two or six different column numbers from 1, "
              "such as 2,3";
          return request;
        }
        break;
      case kHelp:
      case kVersion:
        request.shows = code;
        return request;
      case ':':
        // MinGW's getopt_long says so too of a value given to an option
        // that takes none.
        request.wrong = option_named(optopt) +
                        (given(argv[optind - 1]).find('=') != std::string::npos
                             ? " takes no value"
                             : " needs a value");
        return request;
      default: {
        const std::string arg = given(argv[optind - 1]);
        if (arg.starts_with("--") && optopt != 0) {
          request.wrong = option_named(optopt) + " takes no value";
        } else if (arg.starts_with("--") || optopt == 0) {
          request.wrong = "unknown option " + arg.substr(0, arg.find('='));
        } else {
          request.wrong = "unknown option " + option_named(optopt);
        }
        return request;
      }
    }
  }
  for (int i = optind; i < argc; ++i) request.operands.push_back(args[i - 1]);
  return request;
}

}  // namespace

int run_combine_command(std::span<const std::string> args, std::FILE* in,
                        std::FILE* out, std::FILE* err) {
  const Streams io{in, out, err};
  const Request request = parsed(args);
  if (!request.wrong.empty()) return usage_error(err, request.wrong);
  if (request.shows == kHelp) return written(out, err, kUsage, "the help");
  if (request.shows == kVersion) {
    return written(out, err, "toric-combine " TORIC_VERSION "\n",
                   "the version");
  }
  const ListOptions& options = request.options;
  const std::vector<std::string>& operands = request.operands;
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
