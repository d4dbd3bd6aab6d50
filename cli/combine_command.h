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

}  // namespace toric
