#pragma once
// A lens as people write it in a record or a spreadsheet, read into the
// values the bars can set: "S-1.25 C-0.50 A180", "-1.25 -0.50 x180",
// "-1.25/-0.50x180", "-1.25 -0.50 180", "pl", "+2.00", and the window's own
// result line ("Ｓ-1.25Ｄ Ｃ-0.50Ｄ Ａ180°").

#include <optional>
#include <string>
#include <string_view>

#include "toric/lens_power.h"

namespace toric {

// A lens, or the one line that says why the text is not one the bars can
// set.
struct LensReading {
  std::optional<LensPower> lens;
  std::string error;
};

// Reads one lens. Its values are decoded from bar positions exactly as the
// window decodes them, so the combination is the window's to the bit.
// read_lens("-1.25/-0.50x180").lens == LensPower{-1.25, -0.5, 180}.
LensReading read_lens(std::string_view text);

}  // namespace toric
