#pragma once
// EUC-JP, as old Unix lab systems save lists, through Shift_JIS: both hold
// JIS X 0208 (the one by rows and cells, the other by a formula of them)
// and the half-width katakana, so a list in EUC-JP is read and written by
// the code page 932 converters each platform has, and reads the same on
// Linux and Windows.

#include <cstddef>
#include <string>
#include <string_view>

namespace toric {

// The length in bytes of the EUC-JP character that starts `rest` (not
// empty): 1, 2, or 3 for JIS X 0212; 0 where it is cut at the very end.
std::size_t euc_jp_character_length(std::string_view rest);

// EUC-JP into Shift_JIS. What Shift_JIS has no place for (JIS X 0212,
// bytes that start no character) becomes a pair that code page 932 reads
// as U+FFFD.
std::string euc_jp_to_shift_jis(std::string_view euc);

// Shift_JIS into EUC-JP; a character beyond JIS X 0208 and the
// half-width katakana (code page 932's own rows) becomes "?".
std::string shift_jis_to_euc_jp(std::string_view sjis);

}  // namespace toric
