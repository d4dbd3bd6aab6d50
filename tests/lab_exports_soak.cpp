// make soak: a million generated lists, and every wrong answer among them
// printed with the list that gave it. Not a test: it runs for minutes.
//   lab_exports_soak [lists [seed]]
// With SOAK_REFUSALS set, every refusal's first reason is printed too.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "lab_exports.h"

int main(int argc, char** argv) {
  const long lists = argc > 1 ? std::atol(argv[1]) : 1'000'000;
  const unsigned long long seed =
      argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;
  const toric::test::SoakResult result = toric::test::run_lab_exports(
      seed, lists, std::getenv("SOAK_REFUSALS") != nullptr ? lists : 50);
  for (const std::string& wrong : result.shown) {
    std::printf("%s\n\n", wrong.c_str());
  }
  if (std::getenv("SOAK_REFUSALS") != nullptr) {
    for (const std::string& why : result.refusals) {
      std::printf("%s\n", why.c_str());
    }
  }
  std::printf(
      "%ld lists from seed %llu: %ld read, %ld with rows refused, "
      "%ld refused whole; %ld wrong answers\n",
      lists, seed, result.statuses[0], result.statuses[1], result.statuses[2],
      result.wrong);
  return result.wrong == 0 ? 0 : 1;
}
