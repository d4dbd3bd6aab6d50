#pragma once
// Pairs of lenses in, result lines out: the two lenses given on the command
// line, or a whole list, one pair a line.

#include <string>
#include <string_view>

#include "toric/format.h"
#include "toric/lens_power.h"

namespace toric {

// The result line of two lenses, in the window's notation or plain.
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
