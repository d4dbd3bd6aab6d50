#pragma once
// A list read and written a line at a time, on one thread: memory stays
// the same however long the list (beyond the opening rows its reading is
// decided from, at most 100 rows or 64 KiB), and each result is written
// before the next line is waited for, so a program feeding a pipe gets its
// answers as it goes.

#include <cstdio>
#include <string>

#include "combine_lines.h"

namespace toric {

// Reads the list from the file descriptor `in` (named `name` in messages),
// in whichever encoding it came (text_encoding.h), and writes its results
// to `out`, the reasons for records that cannot be read to `err`. A CSV
// goes out in the encoding it came in; other results in UTF-8. Returns the
// exit status: 0, also when the reader of `out` has gone (a closed pipe);
// 1 when some records could not be read; 2 when the list cannot be read
// (no text: a NUL byte; an encoding its first 64 KiB cannot tell; a header
// naming two eyes; columns that more than one reading fits) or the results
// cannot be written. With --check, only the reading and the rows' errors.
// `piece` is the most bytes one read asks for: what is written is the same
// whatever it is.
int stream_list(int in, const std::string& name, const ListOptions& options,
                std::FILE* out, std::FILE* err, std::size_t piece = 1 << 16);

}  // namespace toric
