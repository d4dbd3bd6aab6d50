#pragma once
// One character of UTF-8 text, the one decoder for every reader of text
// (lenses, headers, lists and their encodings): its code point and its
// length, without failing on bytes that are no UTF-8.

#include <cstddef>
#include <string_view>

namespace toric {

struct Character {
  char32_t code;
  std::size_t length;  // in bytes
};

// The character that starts at byte `i` of `text`; a byte that starts no
// valid character reads as itself, one byte long. Valid as Unicode has it:
// no overlong form, no surrogate, nothing past U+10FFFF.
inline Character character_at(std::string_view text, std::size_t i) {
  const auto byte = [&](std::size_t k) {
    return static_cast<unsigned char>(text[i + k]);
  };
  const unsigned char lead = byte(0);
  const std::size_t left = text.size() - i;
  const std::size_t length = lead < 0x80    ? 1
                             : lead >= 0xF0 ? 4
                             : lead >= 0xE0 ? 3
                                            : 2;
  if (lead < 0x80 || lead < 0xC2 || lead > 0xF4 || length > left) {
    return {lead, 1};
  }
  char32_t code = lead & (0x7F >> length);
  for (std::size_t k = 1; k < length; ++k) {
    if ((byte(k) & 0xC0) != 0x80) return {lead, 1};
    code = (code << 6) | (byte(k) & 0x3F);
  }
  constexpr char32_t kLeast[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < kLeast[length] || code > 0x10FFFF ||
      (code >= 0xD800 && code <= 0xDFFF)) {
    return {lead, 1};
  }
  return {code, length};
}

// Appends the UTF-8 form of `code` to `out`.
template <class String>
void append_utf8(String& out, char32_t code) {
  if (code < 0x80) {
    out += static_cast<char>(code);
  } else if (code < 0x800) {
    out += static_cast<char>(0xC0 | (code >> 6));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else if (code < 0x10000) {
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (code >> 18));
    out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
  }
}

}  // namespace toric
