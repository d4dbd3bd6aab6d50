// What the page asks of the core: the result line for the six bars'
// positions, each bar's readout and value, and, once while the page is
// built, the window's controls. Texts are UTF-8 in a buffer that lives
// until the next call.

#include <emscripten/emscripten.h>

#include <cstdint>
#include <string>

#include "bar_readouts.h"
#include "controls_json.h"
#include "toric/combine.h"
#include "toric/format.h"
#include "toric/lens_power.h"

namespace {

std::string& answer() {
  static std::string text;
  return text;
}

const char* answered(std::string text) {
  answer() = std::move(text);
  return answer().c_str();
}

std::int16_t position_of(int position) {
  return static_cast<std::int16_t>(position);
}

bool is_bar(int bar) { return bar >= 0 && bar < toric::kBarCount; }

}  // namespace

extern "C" {

// The window's line for the bars at these positions, as 計 算 writes it.
EMSCRIPTEN_KEEPALIVE const char* toric_result(int p1, int p2, int p3, int p4,
                                              int p5, int p6) {
  return answered(toric::format_result(toric::combine_lenses(
      toric::lens_on_bars(position_of(p1), position_of(p2), position_of(p3)),
      toric::lens_on_bars(position_of(p4), position_of(p5), position_of(p6)))));
}

// The readout above bar `bar` (0 to 5, HScroll1 to HScroll6).
EMSCRIPTEN_KEEPALIVE const char* toric_readout(int bar, int position) {
  if (!is_bar(bar)) return answered({});
  return answered(
      toric::kBarReadouts[bar].scale.readout(position_of(position)));
}

// The number in that readout: dioptres, or degrees with 0 read as 180.
EMSCRIPTEN_KEEPALIVE double toric_bar_value(int bar, int position) {
  if (!is_bar(bar)) return 0;
  return toric::kBarReadouts[bar].scale.value(position_of(position));
}

// The controls, the bars' wiring and the stand-in faces as JSON.
EMSCRIPTEN_KEEPALIVE const char* toric_controls() {
  return answered(toric::controls_json());
}

}  // extern "C"
