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

// Sets what an option asks in `request`, from its value where it takes
// one; false where the value is none it takes.
using Setter = bool (*)(const std::string& value, CommandRequest& request);

struct OptionName {
  std::string_view name;
  Setter set;
  const char* takes = nullptr;  // what a value must be; none for no value
  char short_name = '\0';
};

constexpr OptionName kOptions[] = {
    {"plain",
     [](const std::string&, CommandRequest& r) {
       r.options.notation = Notation::kPlain;
       return true;
     }},
    {"csv", [](const std::string&,
               CommandRequest& r) { return r.options.csv = true; }},
    {"any",
     [](const std::string&, CommandRequest& r) {
       r.options.values = LensValues::kAny;
       return true;
     }},
    {"form",
     [](const std::string& v, CommandRequest& r) {
       r.options.fitting.form =
           v == "plus" ? CylinderForm::kPlus : CylinderForm::kMinus;
       return v == "minus" || v == "plus";
     },
     "--form takes minus or plus"},
    {"columns",
     [](const std::string& v, CommandRequest& r) {
       const auto columns = columns_of(v);
       r.options.columns = columns.value_or(LensColumns());
       return columns.has_value();
     },
     "--columns takes two or six different column numbers from 1, such as "
     "2,3"},
    {"vertex",
     [](const std::string& v, CommandRequest& r) {
       const auto mm = number_of(v);
       r.options.fitting.vertex_mm = mm.value_or(0);
       return mm && *mm >= -50 && *mm <= 50;
     },
     "--vertex takes millimetres from -50 to 50, such as 12"},
    {"rotation",
     [](const std::string& v, CommandRequest& r) {
       const auto degrees = rotation_of(v);
       r.options.fitting.rotation = degrees.value_or(0);
       return degrees.has_value();
     },
     "--rotation takes degrees from 0 to 90 and L or R, such as 10L"},
    {"step",
     [](const std::string& v, CommandRequest& r) {
       const auto step = number_of(v);
       r.options.fitting.step = step.value_or(0);
       return step == 0.125 || step == 0.25 || step == 0.5;
     },
     "--step takes 0.125, 0.25 or 0.50"},
    {"explain",
     [](const std::string&, CommandRequest& r) { return r.explain = true; }},
    {"encoding",
     [](const std::string& v, CommandRequest& r) {
       r.options.encoding = encoding_named(v);
       return r.options.encoding.has_value();
     },
     "--encoding takes utf-8, utf-16, cp932 (shift_jis) or euc-jp"},
    {"separator",
     [](const std::string& v, CommandRequest& r) {
       // "tab", ";" or "," (or their names).
       r.options.separator = v == "tab" || v == "\t" || v == "\\t" ? '\t'
                             : v == ";" || v == "semicolon"        ? ';'
                             : v == "," || v == "comma"            ? ','
                                                                   : '\0';
       return r.options.separator != '\0';
     },
     "--separator takes tab, \";\" or \",\""},
    {"check", [](const std::string&,
                 CommandRequest& r) { return r.options.check = true; }},
    {"help",
     [](const std::string&, CommandRequest& r) {
       r.shows = CommandRequest::kHelp;
       return true;
     },
     nullptr, 'h'},
    {"version",
     [](const std::string&, CommandRequest& r) {
       r.shows = CommandRequest::kVersion;
       return true;
     },
     nullptr, 'v'},
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

}  // namespace

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
    if (!o->set(value, request)) request.wrong = o->takes;
    if (!request.wrong.empty() || request.shows != CommandRequest::kNothing) {
      return request;
    }
  }
  return request;
}

}  // namespace toric
