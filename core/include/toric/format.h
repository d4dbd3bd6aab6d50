#pragma once
// The texts the user reads: the readouts above the bars and the result
// line. UTF-8, with fullwidth tags and signs ("Ｓ", "Ｃ", "Ａ", "Ｄ", "＋"),
// and the result line also in ASCII.

#include <string>

#include "toric/lens_power.h"

namespace toric {

// A power readout: "＋2.50Ｄ", "0.00Ｄ", "-2.50Ｄ".
std::string format_power(double dioptres);

// An axis readout: "45°"; 0 stands for 180 and reads "180°".
std::string format_axis(int degrees);

// How a result line is written: as the window shows it, or in ASCII for
// records and spreadsheets, with no units and no space after a zero
// sphere's tag.
enum class Notation { kWindow, kPlain };

// The result line: "Ｓ-1.25Ｄ Ｃ-0.50Ｄ Ａ180°" ("S-1.25 C-0.50 A180"), or
// the sphere alone ("Ｓ 0.00Ｄ", "S0.00") when the cylinder is 0.
std::string format_result(const LensPower& result,
                          Notation notation = Notation::kWindow);

// The same, added to the end of `out` (for long lists, without a string of
// its own for every line).
void append_result(std::string& out, const LensPower& result,
                   Notation notation);

// A power as a plain number for a spreadsheet: two decimals, a point, "-"
// when negative, and no sign for what rounds to zero: "-1.25", "0.00".
void append_decimal(std::string& out, double value);

}  // namespace toric
