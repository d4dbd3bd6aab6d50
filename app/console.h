#pragma once
// Where --help, --version and the command line's complaints are written.
// A Windows GUI program has no standard output of its own: it writes to
// the console it was started from. Elsewhere the terminal is already there.

namespace toric {

void attach_console();

}  // namespace toric
