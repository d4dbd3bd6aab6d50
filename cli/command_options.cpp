#include "command_options.h"

#include <getopt.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace toric {

namespace {

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
  kVertex = 'd',
  kRotation = 'r',
  kStep = 's',
  kExplain = 'e',
  kEncoding = 'n',
  kSeparator = 't',
  kCheck = 'K',
  kHelp = 'h',
  kVersion = 'v',
};

constexpr option kOptions[] = {
    {"plain", no_argument, nullptr, kPlain},
    {"csv", no_argument, nullptr, kCsv},
    {"any", no_argument, nullptr, kAny},
    {"form", required_argument, nullptr, kForm},
    {"columns", required_argument, nullptr, kColumns},
    {"vertex", required_argument, nullptr, kVertex},
    {"rotation", required_argument, nullptr, kRotation},
    {"step", required_argument, nullptr, kStep},
    {"explain", no_argument, nullptr, kExplain},
    {"encoding", required_argument, nullptr, kEncoding},
    {"separator", required_argument, nullptr, kSeparator},
    {"check", no_argument, nullptr, kCheck},
    {"help", no_argument, nullptr, kHelp},
    {"version", no_argument, nullptr, kVersion},
    {nullptr, 0, nullptr, 0},
};

// A decimal number and nothing else ("12", "-12", "0.125").
std::optional<double> number_of(const std::string& text) {
  if (text.empty() || text.size() > 12) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (*end != '\0' || !std::isfinite(value)) return std::nullopt;
  return value;
}

// "10L" or "10R": degrees to the examiner's left (more than 0) or right.
std::optional<int> rotation_of(std::string_view text) {
  if (text.size() < 2 || text.size() > 3) return std::nullopt;
  const char side = static_cast<char>(text.back() | 0x20);
  if (side != 'l' && side != 'r') return std::nullopt;
  int degrees = 0;
  for (const char c : text.substr(0, text.size() - 1)) {
    if (c < '0' || c > '9') return std::nullopt;
    degrees = degrees * 10 + (c - '0');
  }
  if (degrees > 90) return std::nullopt;
  return side == 'l' ? degrees : -degrees;
}

// "tab", ";" or "," (or their names), as --separator takes them.
char separator_of_option(std::string_view text) {
  if (text == "tab" || text == "\t" || text == "\\t") return '\t';
  if (text == ";" || text == "semicolon") return ';';
  if (text == "," || text == "comma") return ',';
  return '\0';
}

std::string option_named(int code) {
  for (const option& o : kOptions) {
    if (o.name != nullptr && o.val == code) return std::string("--") + o.name;
  }
  return std::string{'-', static_cast<char>(code)};
}

}  // namespace

// The arguments through getopt_long, in order ("-" first in its options):
// options may come before and after the lenses, "--" ends them, and an
// argument that looks like a lens is given to getopt with a space in front,
// so that it is an operand (or an option's value) and not options "-1".
CommandRequest parse_command_line(std::span<const std::string> args) {
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

  CommandRequest request;
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
          options.fitting.form = CylinderForm::kMinus;
        } else if (value == "plus") {
          options.fitting.form = CylinderForm::kPlus;
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
      case kVertex: {
        const auto mm = number_of(value);
        if (!mm || *mm < -50 || *mm > 50) {
          request.wrong =
              "--vertex takes millimetres from -50 to 50, such as 12";
          return request;
        }
        options.fitting.vertex_mm = *mm;
        break;
      }
      case kRotation:
        if (const auto degrees = rotation_of(value)) {
          options.fitting.rotation = *degrees;
        } else {
          request.wrong =
              "--rotation takes degrees from 0 to 90 and L or R, such as "
              "10L";
          return request;
        }
        break;
      case kStep: {
        const auto step = number_of(value);
        if (step != 0.125 && step != 0.25 && step != 0.5) {
          request.wrong = "--step takes 0.125, 0.25 or 0.50";
          return request;
        }
        options.fitting.step = *step;
        break;
      }
      case kExplain:
        request.explain = true;
        break;
      case kEncoding:
        options.encoding = encoding_named(value);
        if (!options.encoding) {
          request.wrong =
              "--encoding takes utf-8, utf-16, cp932 (shift_jis) or euc-jp";
          return request;
        }
        break;
      case kSeparator:
        if (const char separator = separator_of_option(value)) {
          options.separator = separator;
        } else {
          request.wrong = "--separator takes tab, \";\" or \",\"";
          return request;
        }
        break;
      case kCheck:
        options.check = true;
        break;
      case kHelp:
        request.shows = CommandRequest::kHelp;
        return request;
      case kVersion:
        request.shows = CommandRequest::kVersion;
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

}  // namespace toric
