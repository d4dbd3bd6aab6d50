#include "combine_command.h"

#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

#include "arguments.h"
#include "explain.h"
#include "list_reading.h"
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

int usage_error(std::FILE* err, const std::string& why) {
  write_text(err, "toric-combine: " + why + " (see toric-combine --help)\n");
  return 2;
}

// Writes the whole of `text` to `out`: 0, or as write_failed says.
int written(std::FILE* out, std::FILE* err, std::string_view text,
            const char* what) {
  if (write_text(out, text) && std::fflush(out) == 0) return 0;
  return write_failed(err, "toric-combine: ", what);
}

struct Streams {
  std::FILE* in;
  std::FILE* out;
  std::FILE* err;
};

int combine_two(const std::string& first, const std::string& second,
                const PairOptions& options, bool explain, const Streams& io) {
  const LensReading lens1 = read_lens(first, options.values);
  const LensReading lens2 =
      lens1.lens ? read_lens(second, options.values) : LensReading{};
  if (!lens1.lens || !lens2.lens) {
    const int which = lens1.lens ? 2 : 1;
    write_text(io.err, "toric-combine: lens " + std::to_string(which) + ": " +
                           (lens1.lens ? lens2.error : lens1.error) + "\n");
    return 2;
  }
  FittedPair pair;
  if (!fit_pair(*lens1.lens, *lens2.lens, options.fitting, pair)) {
    write_text(io.err, "toric-combine: " + not_carried(options.fitting) + "\n");
    return 2;
  }
  if (explain) {
    return written(
        io.out, io.err,
        explained(*lens1.lens, *lens2.lens, options.fitting, pair,
                  options.notation,
                  japanese_user() ? Language::kJapanese : Language::kEnglish),
        "the working");
  }
  return written(io.out, io.err,
                 format_result(pair.ordered, options.notation) + "\n",
                 "the result");
}

int combine_file(const std::string& name, const ListOptions& options,
                 const Streams& io) {
  std::FILE* in = name == "-" ? io.in : open_for_reading(name);
  if (in == nullptr) {
    write_text(io.err,
               "toric-combine: " + name + ": " + std::strerror(errno) + "\n");
    return 2;
  }
  const int status = stream_list(fileno(in), name, options, io.out, io.err);
  if (in != io.in) std::fclose(in);
  return status;
}

}  // namespace

int run_combine_command(std::span<const std::string> args, std::FILE* in,
                        std::FILE* out, std::FILE* err) {
  const Streams io{in, out, err};
  const CommandRequest request = parse_command_line(args);
  if (!request.wrong.empty()) return usage_error(err, request.wrong);
  if (request.shows == CommandRequest::kHelp)
    return written(out, err, kUsage, "the help");
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
    return combine_two(operands[0], operands[1], options, request.explain, io);
  }
  if (request.explain) return usage_error(err, "--explain is for one pair");
  if (operands.size() == 1) return combine_file(operands[0], options, io);
  return usage_error(err, operands.empty() ? "two lenses or a list expected"
                                           : "too many arguments");
}

}  // namespace toric
