#pragma once
// Where a character of Shift_JIS as code page 932 ends: a lead byte and a
// trail byte are one character, any other byte one alone. The decoder cuts
// its pieces by this rule and both platforms' converters pass over what
// stands for no character by it, so a text reads the same whole or in
// pieces.

#include <cstddef>
#include <string_view>

namespace toric {

// The length in bytes of the character that starts `rest` (not empty): 2
// for a lead and a trail byte, 1 otherwise; 0 for a lead byte at the very
// end, whose trail may still come.
inline std::size_t cp932_character_length(std::string_view rest) {
  const auto lead = static_cast<unsigned char>(rest[0]);
  if (!((lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC))) {
    return 1;
  }
  if (rest.size() == 1) return 0;
  const auto trail = static_cast<unsigned char>(rest[1]);
  return (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC)
             ? 2
             : 1;
}

}  // namespace toric
