#include "list_stream.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string_view>

namespace toric {

namespace {

constexpr std::size_t kChunk = 1 << 16;
constexpr std::size_t kLongestLine = 1 << 20;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

class Output {
 public:
  Output(std::FILE* out, std::FILE* err, const std::string& name)
      : out_(out), err_(err), prefix_("toric-combine: " + name + ": ") {}

  std::string text;
  std::string errors;  // lines, each without the program's and list's name

  // Writes what has gathered; false when the results cannot be written.
  bool flush() {
    std::string_view rest = errors;
    while (!rest.empty()) {
      const std::size_t end = rest.find('\n') + 1;
      std::fputs(prefix_.c_str(), err_);
      std::fwrite(rest.data(), 1, end, err_);
      rest.remove_prefix(end);
    }
    errors.clear();
    const bool written =
        std::fwrite(text.data(), 1, text.size(), out_) == text.size() &&
        std::fflush(out_) == 0;
    text.clear();
    return written;
  }

  int fail(const std::string& why) {
    std::fputs((prefix_ + why + "\n").c_str(), err_);
    return 2;
  }

 private:
  std::FILE* out_;
  std::FILE* err_;
  std::string prefix_;
};

}  // namespace

int stream_list(int in, const std::string& name, const ListOptions& options,
                std::FILE* out, std::FILE* err) {
  Output output(out, err, name);
  ListCombiner combiner(options);
  std::string partial;  // a line whose end has not come yet
  char chunk[kChunk];
  bool first = true;
  int lines = 0;
  const auto take = [&](std::string_view line) {
    const bool crlf = line.ends_with('\r');
    if (crlf) line.remove_suffix(1);
    combiner.take_line(line, crlf ? "\r\n" : "\n", output.text, output.errors);
    ++lines;
  };
  const auto cannot_write = [&] {
    return output.fail(std::string("cannot write the results: ") +
                       std::strerror(errno));
  };
  while (true) {
    // Everything so far goes out before the next read may wait.
    if (!output.flush()) return cannot_write();
    const auto got = ::read(in, chunk, kChunk);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return output.fail(std::strerror(errno));
    if (got == 0) break;
    std::string_view data(chunk, static_cast<std::size_t>(got));
    // Text has no NUL byte: the lines before it are taken, and the list
    // ends there, its bytes never echoed.
    const void* nul = std::memchr(chunk, 0, data.size());
    if (nul != nullptr) {
      const std::string_view before(chunk,
                                    static_cast<const char*>(nul) - chunk);
      const std::size_t line_start = before.rfind('\n');
      data = data.substr(
          0, line_start == std::string_view::npos ? 0 : line_start + 1);
      partial.clear();
    }
    if (first && data.starts_with(kByteOrderMark)) {
      // Excel's mark of UTF-8; a CSV out keeps it for Excel.
      data.remove_prefix(kByteOrderMark.size());
      if (options.csv) output.text += kByteOrderMark;
    }
    first = false;
    while (!data.empty()) {
      const std::size_t end = data.find('\n');
      if (end == std::string_view::npos) {
        partial += data;
        if (partial.size() > kLongestLine) {
          output.flush();
          return output.fail("line " + std::to_string(lines + 1) +
                             " is longer than a megabyte: this is no list");
        }
        break;
      }
      if (partial.empty()) {
        take(data.substr(0, end));
      } else {
        partial += data.substr(0, end);
        take(partial);
        partial.clear();
      }
      data.remove_prefix(end + 1);
    }
    if (nul != nullptr) {
      output.flush();
      return output.fail("line " + std::to_string(lines + 1) +
                         ": a NUL byte: this is no text list");
    }
  }
  if (!partial.empty()) take(partial);
  combiner.finish(output.text, output.errors);
  if (!output.flush()) return cannot_write();
  return combiner.unread() == 0 ? 0 : 1;
}

}  // namespace toric
