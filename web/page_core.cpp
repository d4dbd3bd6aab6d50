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

toric::LensPower lens_at(int sphere, int cylinder, int axis) {
  return {toric::scale_to_sphere(position_of(sphere)),
          toric::scale_to_cylinder(position_of(cylinder)),
          toric::scale_to_axis(position_of(axis))};
}

bool is_bar(int bar) { return bar >= 0 && bar < toric::kBarCount; }

}  // namespace

extern "C" {

// The window's line for the bars at these positions, as 計 算 writes it.
EMSCRIPTEN_KEEPALIVE const char* toric_result(int p1, int p2, int p3, int p4,
                                              int p5, int p6) {
  return answered(toric::format_result(
      toric::combine_lenses(lens_at(p1, p2, p3), lens_at(p4, p5, p6))));
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
