// toric-combine: the window's combination of two lenses for typed
// prescriptions and whole lists. See toric-combine(1).
#include <cstdio>
#include <string>
#include <vector>

#include "combine_command.h"
#include "console_output.h"

int main(int argc, char* argv[]) {
  toric::prepare_console_output();
  const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
  return toric::run_combine_command(args, stdin, stdout, stderr);
}
