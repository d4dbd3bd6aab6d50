// The fuzz target's first inputs: every input of toric-combine's test
// table up to 128 KiB, and lists as labs save them, each after the byte
// that chooses its options, into the folder named by the one argument.
#include <cstdint>
#include <fstream>
#include <string>

#include "combine_runs.h"
#include "lab_exports.h"

int main(int argc, char** argv) {
  if (argc != 2) return 2;
  for (const auto& run : toric::test::kRuns) {
    // A megabyte line is the reader's bound, not a shape to grow from: as
    // a seed it would make every input the fuzzer tries that long.
    if (run.input.size() > (1 << 17)) continue;
    std::uint8_t choice = 0;
    std::string lenses;  // two lenses on the command line, as one pair
    for (const std::string& arg : run.args) {
      if (arg == "--csv") choice |= 1;
      if (arg == "--plain") choice |= 2;
      if (arg == "--any") choice |= 4;
      if (arg == "3,1") choice |= 0x20;
      if (arg == "--vertex" || arg == "--rotation" || arg == "--step") {
        choice |= 0x80;
      }
      if (!arg.starts_with("--") && arg != "-" && arg != "3,1") {
        lenses += (lenses.empty() ? "" : ";") + arg;
      }
    }
    std::ofstream seed(std::string(argv[1]) + "/" + run.name, std::ios::binary);
    seed << static_cast<char>(choice)
         << (run.input.empty() ? lenses + "\n" : run.input);
    if (!seed) return 1;
  }
  std::mt19937_64 random(1);
  for (int i = 0; i < 200; ++i) {
    const std::string list = toric::test::make_lab_export(random).bytes;
    std::ofstream seed(
        std::string(argv[1]) + "/lab_export_" + std::to_string(i),
        std::ios::binary);
    seed << static_cast<char>(i % 8 == 0 ? 1 : 2) << list;
    if (!seed) return 1;
  }
  return 0;
}
