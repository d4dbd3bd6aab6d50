#pragma once
// Pairs of lenses in, result lines out: the two lenses given on the command
// line, or a whole list, one pair a line.

#include <string>
#include <string_view>

#include "toric/lens_power.h"

namespace toric {

// The result line: the window's ("Ｓ-1.25Ｄ Ｃ-0.50Ｄ Ａ180°"), or in ASCII
// for records and spreadsheets ("S-1.25 C-0.50 A180").
enum class Notation { kWindow, kPlain };
std::string result_line(const LensPower& lens1, const LensPower& lens2,
                        Notation notation);

// One pair a line, the lenses separated by ";" or a tab: one result line a
// line into `out`, in order. Blank lines and lines starting with "#" are
// copied as they are. A line that cannot be read gives an empty result line
// and its reason, with its line number, in `errors`. Returns how many lines
// could not be read.
int combine_list(std::string_view list, Notation notation, std::string& out,
                 std::string& errors);

}  // namespace toric
