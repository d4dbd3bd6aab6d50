#include "euc_jp.h"

#include "cp932_character.h"

namespace toric {

namespace {

// A pair in a row of Shift_JIS that holds no characters: code page 932
// reads it as one U+FFFD on both platforms.
constexpr std::string_view kNoCharacter = "\x85\x40";

bool in_row(unsigned char b) { return b >= 0xA1 && b <= 0xFE; }
bool half_width(unsigned char b) { return b >= 0xA1 && b <= 0xDF; }
unsigned char at(std::string_view text, std::size_t i) {
  return static_cast<unsigned char>(text[i]);
}

}  // namespace

std::size_t euc_jp_character_length(std::string_view rest) {
  const unsigned char lead = at(rest, 0);
  if (lead != 0x8E && lead != 0x8F && !in_row(lead)) return 1;
  const std::size_t wanted = lead == 0x8F ? 3 : 2;
  for (std::size_t k = 1; k < wanted; ++k) {
    if (k == rest.size()) return 0;
    const unsigned char b = at(rest, k);
    if (lead == 0x8E ? !half_width(b) : !in_row(b)) return 1;
  }
  return wanted;
}

std::string euc_jp_to_shift_jis(std::string_view euc) {
  std::string out;
  out.reserve(euc.size());
  for (std::size_t i = 0; i < euc.size();) {
    const std::size_t length = euc_jp_character_length(euc.substr(i));
    if (length == 0) {  // cut at the very end: no character
      out += kNoCharacter;
      break;
    }
    const unsigned char lead = at(euc, i);
    if (length == 1) {
      if (lead < 0x80) {
        out += static_cast<char>(lead);
      } else {
        out += kNoCharacter;
      }
    } else if (lead == 0x8E) {
      out += euc[i + 1];
    } else if (length == 2) {
      // Row and cell from 0x21, into Shift_JIS's lead and trail.
      const int row = (lead & 0x7F) - 0x21;
      const int cell = (at(euc, i + 1) & 0x7F) - 0x21;
      int sjis_lead = 0x81 + row / 2;
      if (sjis_lead > 0x9F) sjis_lead += 0x40;
      int trail = row % 2 == 0 ? 0x40 + cell : 0x9F + cell;
      if (row % 2 == 0 && trail >= 0x7F) ++trail;
      out += static_cast<char>(sjis_lead);
      out += static_cast<char>(trail);
    } else {
      out += kNoCharacter;  // JIS X 0212, which Shift_JIS lacks
    }
    i += length;
  }
  return out;
}

std::string shift_jis_to_euc_jp(std::string_view sjis) {
  std::string out;
  out.reserve(sjis.size() + sjis.size() / 2);
  for (std::size_t i = 0; i < sjis.size();) {
    std::size_t length = cp932_character_length(sjis.substr(i));
    if (length == 0) length = 1;
    const unsigned char lead = at(sjis, i);
    if (length == 1) {
      if (lead < 0x80) {
        out += static_cast<char>(lead);
      } else if (half_width(lead)) {
        (out += '\x8E') += static_cast<char>(lead);
      } else {
        out += '?';
      }
    } else if (lead >= 0xF0) {
      out += '?';  // code page 932's own rows
    } else {
      const unsigned char trail = at(sjis, i + 1);
      const int pair = (lead >= 0xE0 ? lead - 0x40 : lead) - 0x81;
      const bool odd_row = trail >= 0x9F;
      const int row = pair * 2 + (odd_row ? 1 : 0);
      const int cell =
          odd_row ? trail - 0x9F : trail - 0x40 - (trail >= 0x80 ? 1 : 0);
      out += static_cast<char>(0xA1 + row);
      out += static_cast<char>(0xA1 + cell);
    }
    i += length;
  }
  return out;
}

}  // namespace toric
