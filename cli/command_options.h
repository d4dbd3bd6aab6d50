#pragma once
// toric-combine's options and operands, read from its arguments: what the
// command line asks for, or why it cannot be done.

#include <span>
#include <string>
#include <vector>

#include "combine_options.h"

namespace toric {

struct CommandRequest {
  enum Shows { kNothing, kHelp, kVersion };
  ListOptions options;
  std::vector<std::string> operands;  // two lenses, or a list
  Shows shows = kNothing;
  bool explain = false;  // the working of one pair, step by step
  std::string wrong;     // a usage error, without the program's name
};

// Options may come before and after the operands, "--" ends them, and a
// lens that starts with a minus or a point ("-1.25 -0.50 x180", "-.50")
// is an operand. parse_command_line({"--plain", "-.50", "pl"}).operands
// holds "-.50" and "pl".
CommandRequest parse_command_line(std::span<const std::string> args);

}  // namespace toric
