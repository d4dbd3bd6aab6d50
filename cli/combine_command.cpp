#include "combine_command.h"

#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

#include "combine_lines.h"
#include "lens_text.h"

namespace toric {

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

void write(std::FILE* stream, std::string_view text) {
  std::fwrite(text.data(), 1, text.size(), stream);
}

int usage_error(std::FILE* err, const std::string& why) {
  write(err, "toric-combine: " + why + " (see toric-combine --help)\n");
  return 2;
}

// The whole of a list, or false when it cannot be read.
bool read_all(std::FILE* in, std::string& text) {
  char buffer[1 << 16];
  std::size_t got;
  while ((got = std::fread(buffer, 1, sizeof buffer, in)) > 0) {
    text.append(buffer, got);
  }
  return std::ferror(in) == 0;
}

struct Streams {
  std::FILE* in;
  std::FILE* out;
  std::FILE* err;
};

int combine_two(const std::string& first, const std::string& second,
                Notation notation, const Streams& io) {
  const LensReading lens1 = read_lens(first);
  const LensReading lens2 = lens1.lens ? read_lens(second) : LensReading{};
  if (!lens1.lens || !lens2.lens) {
    const int which = lens1.lens ? 2 : 1;
    write(io.err, "toric-combine: lens " + std::to_string(which) + ": " +
                      (lens1.lens ? lens2.error : lens1.error) + "\n");
    return 2;
  }
  write(io.out, result_line(*lens1.lens, *lens2.lens, notation) + "\n");
  return 0;
}

int combine_file(const std::string& name, Notation notation,
                 const Streams& io) {
  std::FILE* in = name == "-" ? io.in : std::fopen(name.c_str(), "rb");
  std::string list;
  const bool read = in != nullptr && read_all(in, list);
  const std::string why = read ? "" : std::strerror(errno);
  if (in != nullptr && in != io.in) std::fclose(in);
  if (!read) {
    write(io.err, "toric-combine: " + name + ": " + why + "\n");
    return 2;
  }
  std::string out;
  std::string errors;
  out.reserve(list.size() * 2);
  const int unread = combine_list(list, notation, out, errors);
  write(io.out, out);
  std::string_view rest = errors;
  while (!rest.empty()) {  // each reason as its own line, named
    const std::size_t end = rest.find('\n') + 1;
    write(io.err, "toric-combine: " + name + ": ");
    write(io.err, rest.substr(0, end));
    rest.remove_prefix(end);
  }
  return unread == 0 ? 0 : 1;
}

}  // namespace

int run_combine_command(std::span<const std::string> args, std::FILE* in,
                        std::FILE* out, std::FILE* err) {
  const Streams io{in, out, err};
  Notation notation = Notation::kWindow;
  std::vector<std::string> operands;
  bool options_done = false;
  for (const std::string& arg : args) {
    // "-1.25 -0.50 x180" is a lens, not an option.
    const bool option = !options_done && arg.size() > 1 && arg[0] == '-' &&
                        !(arg[1] >= '0' && arg[1] <= '9') && arg[1] != '.';
    if (!option) {
      operands.push_back(arg);
    } else if (arg == "--") {
      options_done = true;
    } else if (arg == "--plain") {
      notation = Notation::kPlain;
    } else if (arg == "-h" || arg == "--help") {
      write(out, kUsage);
      return 0;
    } else if (arg == "-v" || arg == "--version") {
      write(out, "toric-combine " TORIC_VERSION "\n");
      return 0;
    } else {
      return usage_error(err, "unknown option " + arg);
    }
  }
  if (operands.size() == 2)
    return combine_two(operands[0], operands[1], notation, io);
  if (operands.size() == 1) return combine_file(operands[0], notation, io);
  return usage_error(err, operands.empty() ? "two lenses or a list expected"
                                           : "too many arguments");
}

}  // namespace toric
