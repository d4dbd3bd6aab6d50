#include "combine_command.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>

#include "explain.h"
#include "list_reading.h"
#include "platform_io.h"

namespace toric {

namespace {

struct CommandRequest {
  enum Shows { kNothing, kHelp, kVersion };
  ListOptions options;
  std::vector<std::string> operands;  // two lenses, or a list
  Shows shows = kNothing;
  bool explain = false;  // the working of one pair, step by step
  std::string wrong;     // a usage error, without the program's name
};

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

// A decimal number and nothing else ("12", "-12", "0.125").
std::optional<double> number_of(const std::string& text) {
  if (text.empty() || text.size() > 12) return std::nullopt;
  char* end = nullptr;
  const double value = std::strtod(text.c_str(), &end);
  if (*end != '\0' || !std::isfinite(value)) return std::nullopt;
  return value;
}

struct OptionName {
  std::string_view name;
  const char* takes = nullptr;  // what a value must be; none for no value
  char short_name = '\0';
};

constexpr OptionName kOptions[] = {
    {"plain"},
    {"csv"},
    {"any"},
    {"form", "--form takes minus or plus"},
    {"columns",
     "--columns takes two or six different column numbers from 1, such as "
     "2,3"},
    {"vertex", "--vertex takes millimetres from -50 to 50, such as 12"},
    {"rotation",
     "--rotation takes degrees from 0 to 90 and L or R, such as 10L"},
    {"step", "--step takes 0.125, 0.25 or 0.50"},
    {"explain"},
    {"encoding", "--encoding takes utf-8, utf-16, cp932 (shift_jis) or euc-jp"},
    {"separator", "--separator takes tab, \";\" or \",\""},
    {"check"},
    {"help", nullptr, 'h'},
    {"version", nullptr, 'v'},
};

// Sets what the option `name` asks in `request`, from its value `v` where
// it takes one; false where the value is none it takes.
bool set_option(std::string_view name, const std::string& v,
                CommandRequest& request) {
  ListOptions& o = request.options;
  if (name == "plain") o.notation = Notation::kPlain;
  if (name == "csv") o.csv = true;
  if (name == "any") o.values = LensValues::kAny;
  if (name == "explain") request.explain = true;
  if (name == "check") o.check = true;
  if (name == "help") request.shows = CommandRequest::kHelp;
  if (name == "version") request.shows = CommandRequest::kVersion;
  if (name == "form") {
    o.fitting.form = v == "plus" ? CylinderForm::kPlus : CylinderForm::kMinus;
    return v == "minus" || v == "plus";
  }
  if (name == "columns") {
    o.columns = columns_of(v).value_or(LensColumns());
    return !o.columns.empty();
  }
  if (name == "vertex") {
    const auto mm = number_of(v);
    o.fitting.vertex_mm = mm.value_or(0);
    return mm && std::abs(*mm) <= 50;
  }
  if (name == "rotation") {
    const auto degrees = rotation_of(v);
    o.fitting.rotation = degrees.value_or(0);
    return degrees.has_value();
  }
  if (name == "step") {
    o.fitting.step = number_of(v).value_or(0);
    return o.fitting.step == 0.125 || o.fitting.step == 0.25 ||
           o.fitting.step == 0.5;
  }
  if (name == "encoding") {
    o.encoding = encoding_named(v);
    return o.encoding.has_value();
  }
  if (name == "separator") {  // "tab", ";" or "," (or their names)
    o.separator = v == "tab" || v == "\t" || v == "\\t" ? '\t'
                  : v == ";" || v == "semicolon"        ? ';'
                  : v == "," || v == "comma"            ? ','
                                                        : '\0';
    return o.separator != '\0';
  }
  return true;
}

// The option a long name names, whole or by a prefix of it no other
// shares ("--pl" for --plain); a prefix several share names them in
// `shared` ("--csv, --columns or --check" for "--c"), as getopt does.
const OptionName* long_option(std::string_view name, std::string& shared) {
  std::vector<const OptionName*> found;
  for (const OptionName& o : kOptions) {
    if (o.name == name) return &o;
    if (o.name.starts_with(name)) found.push_back(&o);
  }
  for (std::size_t i = 0; found.size() > 1 && i < found.size(); ++i) {
    shared += i == 0 ? "--" : i + 1 == found.size() ? " or --" : ", --";
    shared += found[i]->name;
  }
  return found.size() == 1 ? found[0] : nullptr;
}

const OptionName* short_option(char name) {
  for (const OptionName& o : kOptions) {
    if (o.short_name == name) return &o;
  }
  return nullptr;
}

constexpr const char* kUsage =
    "Usage: toric-combine [OPTION]... LENS1 LENS2\n"
    "       toric-combine [OPTION]... FILE|-\n"
    "Combines two toric lenses into the one prescription they equal, as the\n"
    "window does. A lens is written S-1.25 C-0.50 A180, -1.25 -0.50 x180,\n"
    "-1.25/-0.50x180, -1.25DS/-0.50DC AX180, sph -1.25 cyl -0.50 ax 180, pl\n"
    "or a sphere alone (+2.00); a result line copied from the window reads\n"
    "too. A list (FILE, or - for standard input) has a pair a line: two\n"
    "lenses separated by ; or a tab, or CSV with the lenses in two columns or\n"
    "in six (S, C, A, S, C, A), named by its header or found from its first\n"
    "rows; in UTF-8, UTF-16, Shift_JIS or EUC-JP. Its reading is decided\n"
    "once and held to its last row; --check shows it (see toric-combine(1)).\n"
    "\n"
    "  --plain                 write results in ASCII (S-1.25 C-0.50 A180)\n"
    "  --csv                   write the list's columns, then the result's\n"
    "                          sphere, cylinder, axis and spherical "
    "equivalent\n"
    "  --form minus|plus       write every result in that cylinder form\n"
    "  --any                   take any power, not only those the bars set\n"
    "  --columns N,M           the lenses are in columns N and M (from 1)\n"
    "  --columns S,C,A,S,C,A   or their values are in these six columns\n"
    "  --vertex MM             lens 2 sits MM millimetres in front of lens 1\n"
    "  --rotation N(L|R)       lens 1's mark settled N degrees to the\n"
    "                          examiner's left or right; the result is the\n"
    "                          lens to order\n"
    "  --step 0.125|0.25|0.50  round the result's powers to that step\n"
    "  --explain               show the working of one pair, step by step\n"
    "  --check                 show how a list is read and which rows fit;\n"
    "                          combine nothing\n"
    "  --encoding NAME         the list is utf-8, utf-16, cp932 (shift_jis)\n"
    "                          or euc-jp\n"
    "  --separator tab|;|,     the list's cells are separated by it\n"
    "  -h, --help              show this help\n"
    "  -v, --version           show the version\n";

// Why the command fails, with status 2.
int failed(std::FILE* err, const std::string& why) {
  write_text(err, "toric-combine: " + why + "\n");
  return 2;
}

int usage_error(std::FILE* err, const std::string& why) {
  return failed(err, why + " (see toric-combine --help)");
}

// Writes the whole of `text` to `out`: 0, or as write_failed says.
int written(std::FILE* out, std::FILE* err, std::string_view text,
            const char* what) {
  if (write_text(out, text) && std::fflush(out) == 0) return 0;
  return write_failed(err, "toric-combine: ", what);
}

int combine_two(const std::string& first, const std::string& second,
                const PairOptions& options, bool explain, std::FILE* out,
                std::FILE* err) {
  const LensReading lens1 = read_lens(first, options.values);
  const LensReading lens2 =
      lens1.lens ? read_lens(second, options.values) : LensReading{};
  if (!lens1.lens || !lens2.lens) {
    return failed(
        err, lens1.lens ? "lens 2: " + lens2.error : "lens 1: " + lens1.error);
  }
  FittedPair pair;
  if (!fit_pair(*lens1.lens, *lens2.lens, options.fitting, pair)) {
    return failed(err, not_carried(options.fitting));
  }
  if (explain) {
    return written(
        out, err,
        explained(*lens1.lens, *lens2.lens, options.fitting, pair,
                  options.notation,
                  japanese_user() ? Language::kJapanese : Language::kEnglish),
        "the working");
  }
  return written(out, err, format_result(pair.ordered, options.notation) + "\n",
                 "the result");
}

// Options may come before and after the operands, "--" ends them, and a
// lens that starts with a minus or a point ("-1.25 -0.50 x180", "-.50")
// is an operand. parse_command_line({"--plain", "-.50", "pl"}).operands
// holds "-.50" and "pl".
CommandRequest parse_command_line(std::span<const std::string> args) {
  CommandRequest request;
  bool options_end = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (options_end || arg == "-" || !arg.starts_with('-') ||
        looks_like_lens(arg)) {
      request.operands.push_back(arg);
      continue;
    }
    if (arg == "--") {
      options_end = true;
      continue;
    }
    // --name, --name=value or -h; a value may be the next argument.
    const bool long_form = arg.starts_with("--");
    const std::size_t equals = arg.find('=');
    std::string shared;
    const OptionName* o =
        long_form
            ? long_option(
                  std::string_view(arg).substr(
                      2, equals == std::string::npos ? equals : equals - 2),
                  shared)
            : (arg.size() == 2 ? short_option(arg[1]) : nullptr);
    if (o == nullptr) {
      const std::string named = long_form ? arg.substr(0, equals) : arg;
      request.wrong = shared.empty()
                          ? "unknown option " + named
                          : "ambiguous option " + named + ": " + shared;
      return request;
    }
    const std::string named = "--" + std::string(o->name);
    std::string value;
    if (long_form && equals != std::string::npos) {
      if (o->takes == nullptr) {
        request.wrong = named + " takes no value";
        return request;
      }
      value = arg.substr(equals + 1);
    } else if (o->takes != nullptr) {
      if (i + 1 == args.size()) {
        request.wrong = named + " needs a value";
        return request;
      }
      value = args[++i];
    }
    if (!set_option(o->name, value, request)) request.wrong = o->takes;
    if (!request.wrong.empty() || request.shows != CommandRequest::kNothing) {
      return request;
    }
  }
  return request;
}

}  // namespace

int run_combine_command(std::span<const std::string> args, std::FILE* in,
                        std::FILE* out, std::FILE* err) {
  const CommandRequest request = parse_command_line(args);
  if (!request.wrong.empty()) return usage_error(err, request.wrong);
  if (request.shows == CommandRequest::kHelp) {
    return written(out, err, kUsage, "the help");
  }
  if (request.shows == CommandRequest::kVersion) {
    return written(out, err, "toric-combine " TORIC_VERSION "\n",
                   "the version");
  }
  const ListOptions& options = request.options;
  const std::vector<std::string>& operands = request.operands;
  if (operands.size() == 2) {
    if (options.csv || !options.columns.empty() || options.check ||
        options.encoding || options.separator != '\0') {
      return usage_error(
          err,
          "--csv, --columns, --check, --encoding and --separator are for "
          "lists");
    }
    return combine_two(operands[0], operands[1], options, request.explain, out,
                       err);
  }
  if (request.explain) return usage_error(err, "--explain is for one pair");
  if (operands.size() != 1) {
    return usage_error(err, operands.empty() ? "two lenses or a list expected"
                                             : "too many arguments");
  }
  const std::string& name = operands[0];
  std::FILE* list = name == "-" ? in : open_for_reading(name);
  if (list == nullptr) return failed(err, name + ": " + std::strerror(errno));
  const int status = stream_list(fileno(list), name, options, out, err);
  if (list != in) std::fclose(list);
  return status;
}

}  // namespace toric
