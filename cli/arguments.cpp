#include "arguments.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
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

enum Option {
  kPlain,
  kCsv,
  kAny,
  kForm,
  kColumns,
  kVertex,
  kRotation,
  kStep,
  kExplain,
  kEncoding,
  kSeparator,
  kCheck,
  kHelp,
  kVersion,
};

struct OptionName {
  std::string_view name;
  Option option;
  bool takes_value;
  char short_name = '\0';
};

constexpr OptionName kOptions[] = {
    {"plain", kPlain, false},
    {"csv", kCsv, false},
    {"any", kAny, false},
    {"form", kForm, true},
    {"columns", kColumns, true},
    {"vertex", kVertex, true},
    {"rotation", kRotation, true},
    {"step", kStep, true},
    {"explain", kExplain, false},
    {"encoding", kEncoding, true},
    {"separator", kSeparator, true},
    {"check", kCheck, false},
    {"help", kHelp, false, 'h'},
    {"version", kVersion, false, 'v'},
};

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

}  // namespace

CommandRequest parse_command_line(std::span<const std::string> args) {
  CommandRequest request;
  ListOptions& options = request.options;
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
      if (!o->takes_value) {
        request.wrong = named + " takes no value";
        return request;
      }
      value = arg.substr(equals + 1);
    } else if (o->takes_value) {
      if (i + 1 == args.size()) {
        request.wrong = named + " needs a value";
        return request;
      }
      value = args[++i];
    }
    switch (o->option) {
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
    }
  }
  return request;
}

}  // namespace toric
