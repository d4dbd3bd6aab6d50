#pragma once
// How toric-combine meets the system: its arguments and the names of its
// lists in UTF-8 whatever the system's code page, its text out to a file,
// a pipe or a console, and whether more input is there. Linux's text is
// UTF-8 throughout; Windows' twin goes through the wide (UTF-16) calls.

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace toric {

// Binary standard streams (Windows), so that a list's line ends, LF or
// CRLF, go through as they came; a reader that goes away (a closed pipe)
// is a write error the program reports, not a signal that ends it
// silently (Linux).
void prepare_standard_streams();

// The arguments after the program's name, in UTF-8.
std::vector<std::string> utf8_arguments(int argc, char** argv);

// Opens a file named in UTF-8 for reading; null, with errno set, when it
// cannot be.
std::FILE* open_for_reading(const std::string& utf8_name);

// Writes UTF-8 text to `stream`: to a console as its characters, leaving
// the console's code page as the user had it; elsewhere as the bytes they
// are. False when the text could not be written.
bool write_text(std::FILE* stream, std::string_view utf8);

// True when reading `fd` now would not wait: more of the input is there, or
// its end. Where that cannot be told, false.
bool input_waiting(int fd);

}  // namespace toric
