#pragma once
// How toric-combine meets the system: arguments and file names in UTF-8,
// text out to a file, a pipe or a console, and code page 932 (iconv's on
// Linux; on Windows its own, through the wide calls).

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

namespace toric {

// Binary standard streams (Windows), so that a list's line ends go through
// as they came; a reader that goes away (a closed pipe) is a failed write
// (EPIPE) that the program ends on quietly, not a signal (Linux).
void prepare_standard_streams();

// The arguments after the program's name, in UTF-8.
std::vector<std::string> utf8_arguments(int argc, char** argv);

// Opens a file named in UTF-8 for reading; null, with errno set, if not.
std::FILE* open_for_reading(const std::string& utf8_name);

// Writes UTF-8 text to `stream`: to a console as its characters, leaving
// the console's code page as the user had it; elsewhere as the bytes they
// are. False when the text could not be written.
bool write_text(std::FILE* stream, std::string_view utf8);

// A write that failed: quietly 0 when the reader has gone (a closed pipe),
// else 2 with the reason, after `prefix`.
inline int write_failed(std::FILE* err, const std::string& prefix,
                        const char* what) {
  if (errno == EPIPE) return 0;
  write_text(err, prefix + "cannot write " + what + ": " +
                      std::strerror(errno) + "\n");
  return 2;
}

// Whether the user reads Japanese: a locale of LC_ALL, LC_MESSAGES or LANG
// (the first that is set) starting with "ja"; on Windows, the user's
// display language.
bool japanese_user();

// Shift_JIS as code page 932 has it, into UTF-8; a byte that starts no
// character becomes U+FFFD.
std::string cp932_to_utf8(std::string_view bytes);

// UTF-8 into code page 932; a character it has no place for becomes "?".
std::string utf8_to_cp932(std::string_view utf8);

// The length of the code page 932 character that starts `rest` (not empty):
// 2 for a lead and a trail byte, 1 otherwise, 0 for a lead byte whose trail
// may still come. The decoder and both converters cut text by it, so that
// it reads the same whole or in pieces.
inline std::size_t cp932_character_length(std::string_view rest) {
  const auto lead = static_cast<unsigned char>(rest[0]);
  if (!((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC))) {
    return 1;
  }
  if (rest.size() == 1) return 0;
  const auto trail = static_cast<unsigned char>(rest[1]);
  return (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC)
             ? 2
             : 1;
}

}  // namespace toric
