#pragma once
// A list read and written a line at a time: memory stays the same however
// long the list, and each result is written before the next line is waited
// for, so a program feeding a pipe gets its answers as it goes.

#include <cstdio>
#include <string>

#include "combine_lines.h"

namespace toric {

// Reads the list from the file descriptor `in` (named `name` in messages)
// and writes its results to `out`, the reasons for lines that cannot be
// read to `err`. Returns the exit status: 0, 1 when some lines could not
// be read, 2 when the list cannot be read (or holds a NUL byte: no text)
// or the results cannot be written (a full disk, a closed pipe).
int stream_list(int in, const std::string& name, const ListOptions& options,
                std::FILE* out, std::FILE* err);

}  // namespace toric
