// toric-combine: the window's combination of two lenses for typed
// prescriptions and whole lists. See toric-combine(1).
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "combine_lines.h"
#include "console_output.h"
#include "lens_text.h"

namespace {

constexpr const char* kUsage =
    "Usage: toric-combine [--plain] LENS1 LENS2\n"
    "       toric-combine [--plain] FILE|-\n"
    "Combines two toric lenses into the one prescription they equal, as the\n"
    "window does. A lens is written S-1.25 C-0.50 A180, -1.25 -0.50 x180,\n"
    "-1.25/-0.50x180, -1.25 -0.50 180, pl or a sphere alone (+2.00). A list\n"
    "(FILE, or - for standard input) has one pair a line, the two lenses\n"
    "separated by ; or a tab.\n\n"
    "  --plain    write results in ASCII (S-1.25 C-0.50 A180)\n"
    "  -h, --help     show this help\n"
    "  -v, --version  show the version\n";

int usage_error(const std::string& why) {
  std::fprintf(stderr, "toric-combine: %s (see toric-combine --help)\n",
               why.c_str());
  return 2;
}

void write(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

// The whole of a list, or false when it cannot be read.
bool read_all(const std::string& name, std::string& text) {
  std::FILE* in = name == "-" ? stdin : std::fopen(name.c_str(), "rb");
  if (in == nullptr) return false;
  char buffer[1 << 16];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
    text.append(buffer, got);
  }
  const bool ok = std::ferror(in) == 0;
  if (in != stdin) std::fclose(in);
  return ok;
}

int lens_error(int which, const std::string& why) {
  std::fprintf(stderr, "toric-combine: lens %d: %s\n", which, why.c_str());
  return 2;
}

int combine_two(const std::string& first, const std::string& second,
                toric::Notation notation) {
  const toric::LensReading lens1 = toric::read_lens(first);
  if (!lens1.lens) return lens_error(1, lens1.error);
  const toric::LensReading lens2 = toric::read_lens(second);
  if (!lens2.lens) return lens_error(2, lens2.error);
  write(stdout, toric::result_line(*lens1.lens, *lens2.lens, notation) + "\n");
  return 0;
}

int combine_file(const std::string& name, toric::Notation notation) {
  std::string list;
  if (!read_all(name, list)) {
    std::perror(("toric-combine: " + name).c_str());
    return 2;
  }
  std::string out;
  std::string errors;
  out.reserve(list.size() * 2);
  const int unread = toric::combine_list(list, notation, out, errors);
  write(stdout, out);
  std::string_view rest = errors;
  while (!rest.empty()) {  // each reason as its own line, named
    const std::size_t end = rest.find('\n') + 1;
    write(stderr, "toric-combine: " + name + ": ");
    write(stderr, rest.substr(0, end));
    rest.remove_prefix(end);
  }
  return unread == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char* argv[]) {
  toric::use_utf8_console();
  toric::Notation notation = toric::Notation::kWindow;
  std::vector<std::string> operands;
  bool options_done = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    // "-1.25 -0.50 x180" is a lens, not an option.
    const bool option = !options_done && arg.size() > 1 && arg[0] == '-' &&
                        !(arg[1] >= '0' && arg[1] <= '9') && arg[1] != '.';
    if (!option) {
      operands.push_back(arg);
    } else if (arg == "--") {
      options_done = true;
    } else if (arg == "--plain") {
      notation = toric::Notation::kPlain;
    } else if (arg == "-h" || arg == "--help") {
      write(stdout, kUsage);
      return 0;
    } else if (arg == "-v" || arg == "--version") {
      write(stdout, "toric-combine " TORIC_VERSION "\n");
      return 0;
    } else {
      return usage_error("unknown option " + arg);
    }
  }
  if (operands.size() == 2)
    return combine_two(operands[0], operands[1], notation);
  if (operands.size() == 1) return combine_file(operands[0], notation);
  return usage_error(operands.empty() ? "two lenses or a list expected"
                                      : "too many arguments");
}
