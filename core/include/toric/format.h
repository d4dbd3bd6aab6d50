#pragma once
// The texts the user reads: the readouts above the bars and the result
// line. UTF-8, with fullwidth tags and signs ("Ｓ", "Ｃ", "Ａ", "Ｄ", "＋").

#include <string>

#include "toric/lens_power.h"

namespace toric {

// A power readout: "＋2.50Ｄ", "0.00Ｄ", "-2.50Ｄ".
std::string format_power(double dioptres);

// An axis readout: "45°"; 0 stands for 180 and reads "180°".
std::string format_axis(int degrees);

// The result line: "Ｓ-1.25Ｄ Ｃ-0.50Ｄ Ａ180°", or the sphere alone
// ("Ｓ 0.00Ｄ") when the cylinder is 0.
std::string format_result(const LensPower& result);

}  // namespace toric
