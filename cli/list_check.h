#pragma once
// toric-combine --check: how a list is read and which of its rows fit, as
// a lab looks at a new export before it trusts the results.

#include <string>

#include "combine_lines.h"
#include "text_encoding.h"

namespace toric {

// The report, once the whole list has been through `combiner`:
//   encoding: Shift_JIS (code page 932)
//   separator: ","
//   header: line 2: No, S1, C1, A1, S2, C2, A2
//   lens 1: columns 2, 3, 4 (S1, C1, A1)
//   lens 2: columns 5, 6, 7 (S2, C2, A2)
//   rows to combine: 12
//   rows that do not fit: 2 (lines 7, 9)
std::string reading_described(const ListCombiner& combiner,
                              const TextDecoder& decoder, bool encoding_given);

}  // namespace toric
