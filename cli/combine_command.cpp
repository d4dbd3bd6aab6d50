#include "combine_command.h"

#include <unistd.h>

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

// A write that failed: quietly 0 when the reader has gone (a closed pipe),
// else 2 with the reason.
int cannot_write(std::FILE* err, const std::string& prefix, const char* what) {
  if (errno == EPIPE) return 0;
  write_text(err, prefix + "cannot write " + what + ": " +
                      std::strerror(errno) + "\n");
  return 2;
}

// Writes the whole of `text` to `out`: 0, or as cannot_write says.
int written(std::FILE* out, std::FILE* err, std::string_view text,
            const char* what) {
  if (write_text(out, text) && std::fflush(out) == 0) return 0;
  return cannot_write(err, "toric-combine: ", what);
}

constexpr std::size_t kLongestLine = 1 << 20;

// Where results and reasons go: gathered as UTF-8, written before each
// read that may wait.
class Output {
 public:
  Output(std::FILE* out, std::FILE* err, const std::string& name, bool csv,
         bool check)
      : out_(out),
        err_(err),
        prefix_("toric-combine: " + name + ": "),
        csv_(csv),
        check_(check) {}

  std::string text;
  std::string errors;  // lines, each without the program's and list's name

  // Writes what has gathered, a CSV in `form`; false when the results
  // cannot be written.
  bool flush(TextForm form) {
    std::string named;  // each reason as a line of its own, named
    std::string_view rest = errors;
    while (!rest.empty()) {
      const std::size_t end = rest.find('\n') + 1;
      (named += prefix_) += rest.substr(0, end);
      rest.remove_prefix(end);
    }
    errors.clear();
    write_text(err_, named);
    if (check_) text.clear();  // a check writes only its report
    if (text.empty()) return true;
    bool written = true;
    if (!csv_ || form.encoding == Encoding::kUtf8) {
      if (csv_ && !mark_written_) {
        text.insert(0, byte_order_mark(form));
      }
      written = write_text(out_, text);
    } else {
      const std::string bytes =
          std::string(mark_written_ ? "" : byte_order_mark(form)) +
          encoded(text, form);
      written =
          std::fwrite(bytes.data(), 1, bytes.size(), out_) == bytes.size();
    }
    mark_written_ = true;
    text.clear();
    return written && std::fflush(out_) == 0;
  }

  int fail(const std::string& why) {
    write_text(err_, prefix_ + why + "\n");
    return 2;
  }

  int cannot_write() {
    return toric::cannot_write(err_, prefix_, "the results");
  }

 private:
  std::FILE* out_;
  std::FILE* err_;
  std::string prefix_;
  bool csv_;
  bool check_;
  bool mark_written_ = false;
};

// Takes the whole lines of `text`, each with its own end (LF, CRLF or CR);
// returns where the first line not yet whole starts. A CR at the very end
// waits: an LF may follow.
std::size_t take_lines(std::string_view text, bool last, ListCombiner& combiner,
                       Output& output) {
  std::size_t start = 0;
  if (text.find('\r', start) == std::string_view::npos) {
    // LF alone, as most lists end their lines: one search a line.
    while (true) {
      const std::size_t lf = text.find('\n', start);
      if (lf == std::string_view::npos) break;
      combiner.take_line(text.substr(start, lf - start), "\n", output.text,
                         output.errors);
      start = lf + 1;
    }
    if (!last || start == text.size()) return start;
  }
  while (start < text.size()) {
    const std::string_view rest = text.substr(start);
    const std::size_t lf = rest.find('\n');
    const std::string_view head =
        lf == std::string_view::npos ? rest : rest.substr(0, lf);
    const std::size_t cr = head.find('\r');
    std::size_t end;
    std::size_t length;
    if (cr != std::string_view::npos &&
        (cr + 1 < head.size() || lf == std::string_view::npos)) {
      // A CR alone ends the line, unless an LF may still follow it.
      if (cr + 1 == rest.size() && !last) return start;
      end = cr;
      length = 1;
    } else if (lf != std::string_view::npos) {
      const bool crlf = cr != std::string_view::npos;
      end = crlf ? cr : lf;
      length = crlf ? 2 : 1;
    } else {
      if (!last) return start;
      end = rest.size();
      length = 0;
    }
    combiner.take_line(rest.substr(0, end), rest.substr(end, length),
                       output.text, output.errors);
    start += end + length;
  }
  return start;
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

int stream_list(int in, const std::string& name, const ListOptions& options,
                std::FILE* out, std::FILE* err, std::size_t piece) {
  Output output(out, err, name, options.csv, options.check);
  ListCombiner combiner(options);
  TextDecoder decoder =
      options.encoding ? TextDecoder(*options.encoding) : TextDecoder();
  // What has been read goes out, then why the list ends here.
  const auto ends = [&](const std::string& why) {
    combiner.finish(output.text, output.errors, true);
    if (!output.flush(decoder.form())) return output.cannot_write();
    return output.fail(why);
  };
  const auto at_next_line = [&] {
    return "line " + std::to_string(combiner.lines() + 1);
  };
  std::string text;          // decoded, from the first line not yet taken
  std::size_t searched = 0;  // of it, what holds no line end
  std::vector<char> chunk(piece);
  while (true) {
    // What has been read goes out before the next read, which may wait.
    if (!output.flush(decoder.form())) return output.cannot_write();
    const auto got = ::read(in, chunk.data(), piece);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return output.fail(std::strerror(errno));
    const bool last = got == 0;
    decoder.decode(std::string_view(chunk.data(),
                                    static_cast<std::size_t>(last ? 0 : got)),
                   last, text);
    if (!decoder.refusal().empty()) {
      // The whole lines before the one it cannot read, then why.
      take_lines(text, false, combiner, output);
      return ends(at_next_line() + ": " + decoder.refusal());
    }
    // DOS's end-of-file mark after the last line is no line.
    if (last && text.ends_with('\x1A')) text.pop_back();
    // Text has no NUL: the lines before its line are taken, and the list
    // ends there, its bytes never echoed.
    const std::size_t nul = text.find('\0');
    std::string_view readable(text);
    if (nul != std::string::npos) {
      const std::size_t line_end = readable.substr(0, nul).find_last_of("\r\n");
      readable = readable.substr(
          0, line_end == std::string_view::npos ? 0 : line_end + 1);
    }
    // A line that grows a few bytes a read is searched for its end once.
    const bool line_ends =
        last || nul != std::string::npos ||
        readable.find('\n', searched) != std::string_view::npos ||
        readable.find('\r', searched) != std::string_view::npos;
    const std::size_t taken =
        line_ends ? take_lines(readable, last || nul != std::string::npos,
                               combiner, output)
                  : 0;
    searched = line_ends ? 0 : readable.size();
    if (!combiner.refusal().empty()) return ends(combiner.refusal());
    if (nul != std::string::npos) {
      return ends(at_next_line() +
                  ": a NUL byte: this is no text list, or UTF-16 without its "
                  "byte order mark (name it with --encoding utf-16 or "
                  "utf-16be)");
    }
    text.erase(0, taken);
    if (text.size() > kLongestLine) {
      return ends(at_next_line() +
                  " is longer than a megabyte: this is no list");
    }
    if (last) break;
  }
  combiner.finish(output.text, output.errors);
  if (!combiner.refusal().empty()) return ends(combiner.refusal());
  if (!output.flush(decoder.form())) return output.cannot_write();
  if (options.check) {
    const std::string report =
        reading_described(combiner, decoder, options.encoding.has_value());
    if (!write_text(out, report) || std::fflush(out) != 0) {
      return output.cannot_write();
    }
  }
  return combiner.unread() == 0 ? 0 : 1;
}

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
