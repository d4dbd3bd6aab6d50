// The desktop's result line for bar positions read from standard input,
// six to a line (HScroll1 to HScroll6), one line out for each: what the
// page's results are compared with.
#include <cstdint>
#include <iostream>
#include <string>

#include "toric/combine.h"
#include "toric/format.h"
#include "toric/lens_power.h"

int main() {
  std::ios::sync_with_stdio(false);
  std::int16_t p[6];
  std::string out;
  while (std::cin >> p[0] >> p[1] >> p[2] >> p[3] >> p[4] >> p[5]) {
    out += toric::format_result(
        toric::combine_lenses(toric::lens_on_bars(p[0], p[1], p[2]),
                              toric::lens_on_bars(p[3], p[4], p[5])));
    out += '\n';
  }
  std::cout << out;
  return std::cin.eof() ? 0 : 1;
}
