#include "platform_io.h"

#include <iconv.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string_view>

#include "toric/utf8.h"

namespace toric {

// With SIGPIPE ignored, writing to a closed pipe fails with EPIPE, on which
// the program ends quietly.
void prepare_standard_streams() { std::signal(SIGPIPE, SIG_IGN); }

std::vector<std::string> utf8_arguments(int argc, char** argv) {
  return std::vector<std::string>(argv + (argc > 0 ? 1 : 0), argv + argc);
}

std::FILE* open_for_reading(const std::string& utf8_name) {
  return std::fopen(utf8_name.c_str(), "rb");
}

bool write_text(std::FILE* stream, std::string_view utf8) {
  return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
}

bool japanese_user() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value != nullptr && *value != '\0') {
      return std::string_view(value).starts_with("ja");
    }
  }
  return false;
}

namespace {

// `in` from one encoding into another with iconv; where iconv stops at a
// sequence it cannot convert, `bad` is written and `skip(in)` bytes are
// passed over.
template <class Skip>
std::string converted(std::string_view in, const char* to, const char* from,
                      std::string_view bad, Skip skip) {
  std::string out;
  // glibc always has both converters.
  const iconv_t cd = ::iconv_open(to, from);
  out.resize(in.size() * 3 / 2 + 16);
  char* source = const_cast<char*>(in.data());
  std::size_t source_left = in.size();
  std::size_t written = 0;
  while (source_left > 0) {
    if (out.size() - written < 8 + bad.size()) out.resize(out.size() * 2);
    char* target = out.data() + written;
    std::size_t target_left = out.size() - written;
    const std::size_t done =
        ::iconv(cd, &source, &source_left, &target, &target_left);
    written = out.size() - target_left;
    if (done != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // EILSEQ or EINVAL: a sequence that cannot be converted, or is cut;
    // iconv may have filled the room up to it.
    if (out.size() - written < bad.size()) out.resize(out.size() * 2);
    std::copy(bad.begin(), bad.end(), out.begin() + written);
    written += bad.size();
    const std::size_t n =
        std::min(skip(std::string_view(source, source_left)), source_left);
    source += n;
    source_left -= n;
  }
  ::iconv_close(cd);
  out.resize(written);
  return out;
}

}  // namespace

std::string cp932_to_utf8(std::string_view bytes) {
  // What stands for no character is passed over a character at a time.
  return converted(
      bytes, "UTF-8", "CP932", "\xEF\xBF\xBD", [](std::string_view rest) {
        return std::max<std::size_t>(cp932_character_length(rest), 1);
      });
}

std::string utf8_to_cp932(std::string_view utf8) {
  // What code page 932 has no character for is passed over a character at
  // a time.
  return converted(utf8, "CP932", "UTF-8", "?", [](std::string_view rest) {
    return character_at(rest, 0).length;
  });
}

}  // namespace toric
