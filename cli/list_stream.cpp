#include "list_stream.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>
#include <vector>

#include "list_check.h"
#include "platform_io.h"
#include "text_encoding.h"

namespace toric {

namespace {

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

  // A failed write: quietly 0 when the reader has gone, else 2 with why.
  int cannot_write() {
    if (errno == EPIPE) return 0;
    return fail(std::string("cannot write the results: ") +
                std::strerror(errno));
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

}  // namespace toric
