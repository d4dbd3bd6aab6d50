// toric-combine: the window's combination of two lenses for typed
// prescriptions and whole lists. See toric-combine(1).
#include <cstdio>

#include "combine_command.h"
#include "platform_io.h"

int main(int argc, char* argv[]) {
  toric::prepare_standard_streams();
  return toric::run_combine_command(toric::utf8_arguments(argc, argv), stdin,
                                    stdout, stderr);
}
