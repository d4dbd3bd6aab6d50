#pragma once
// toric-combine as a function of its arguments and streams: the options,
// the two lenses or the list, what is written where, and the exit status.

#include <cstdio>
#include <span>
#include <string>

#include "arguments.h"

namespace toric {

// Runs toric-combine with `args`, the program's name left out. Result lines
// go to `out`, help and the version too; usage errors and lines that cannot
// be read go to `err`. A list named "-" is read from `in`. Returns the exit
// status: 0, 1 when some lines of a list could not be read, 2 for a usage
// error, a lens that cannot be read or a list that cannot be opened.
int run_combine_command(std::span<const std::string> args, std::FILE* in,
                        std::FILE* out, std::FILE* err);

// Reads the list from the file descriptor `in` (named `name` in messages),
// in whichever encoding it came, a line at a time on one thread, and writes its
// results to `out`, the reasons for records that cannot be read to `err`. A CSV
// goes out in the encoding it came in; other results in UTF-8. Returns the
// exit status: 0, also when the reader of `out` has gone (a closed pipe);
// 1 when some records could not be read; 2 when the list cannot be read
// (no text: a NUL byte; an encoding its first 64 KiB cannot tell; a header
// naming two eyes; columns that more than one reading fits) or the results
// cannot be written. With --check, only the reading and the rows' errors.
// Memory stays the same however long the list (beyond the opening rows its
// reading is decided from), and each result is written before the next
// line is waited for, so a program feeding a pipe gets its answers as it
// goes. `piece` is the most bytes one read asks for: what is written is
// the same whatever it is.
int stream_list(int in, const std::string& name, const ListOptions& options,
                std::FILE* out, std::FILE* err, std::size_t piece = 1 << 16);

}  // namespace toric
