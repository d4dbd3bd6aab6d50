#pragma once
// What the program says to its command line before any window: --help and
// --version answer and end, an unknown option ends with status 2. Qt's own
// options (-platform, -style, ...) are left for Qt.

#include <optional>

namespace toric {

// The exit status when the command line has been answered; nothing when
// the window is to open.
std::optional<int> answer_command_line(int argc, char** argv);

}  // namespace toric
