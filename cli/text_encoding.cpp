#include "text_encoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <iterator>

#include "platform_io.h"
#include "toric/utf8.h"

namespace toric {

namespace {

// EUC-JP, as old Unix lab systems save lists, goes through Shift_JIS: both
// hold JIS X 0208 (the one by rows and cells, the other by a formula of
// them) and the half-width katakana, so it is read and written by the code
// page 932 converters each platform has, and reads the same on both.

// A pair in a row of Shift_JIS that holds no characters: code page 932
// reads it as one U+FFFD on both platforms.
constexpr std::string_view kNoCharacter = "\x85\x40";

bool in_row(unsigned char b) { return b >= 0xA1 && b <= 0xFE; }
bool half_width(unsigned char b) { return b >= 0xA1 && b <= 0xDF; }
unsigned char byte(std::string_view text, std::size_t i) {
  return static_cast<unsigned char>(text[i]);
}

// The length in bytes of the EUC-JP character that starts `rest` (not
// empty): 1, 2, or 3 for JIS X 0212; 0 where it is cut at the very end.
std::size_t euc_jp_character_length(std::string_view rest) {
  const unsigned char lead = byte(rest, 0);
  if (lead != 0x8E && lead != 0x8F && !in_row(lead)) return 1;
  const std::size_t wanted = lead == 0x8F ? 3 : 2;
  for (std::size_t k = 1; k < wanted; ++k) {
    if (k == rest.size()) return 0;
    const unsigned char b = byte(rest, k);
    if (lead == 0x8E ? !half_width(b) : !in_row(b)) return 1;
  }
  return wanted;
}

// What Shift_JIS has no place for (JIS X 0212, bytes that start no
// character) becomes a pair that code page 932 reads as U+FFFD.
std::string euc_jp_to_shift_jis(std::string_view euc) {
  std::string out;
  out.reserve(euc.size());
  for (std::size_t i = 0; i < euc.size();) {
    const std::size_t length = euc_jp_character_length(euc.substr(i));
    if (length == 0) {  // cut at the very end: no character
      out += kNoCharacter;
      break;
    }
    const unsigned char lead = byte(euc, i);
    if (length == 1 && lead < 0x80) {
      out += static_cast<char>(lead);
    } else if (length == 2 && lead == 0x8E) {
      out += euc[i + 1];
    } else if (length == 2) {
      // Row and cell from 0x21, into Shift_JIS's lead and trail.
      const int row = (lead & 0x7F) - 0x21;
      const int cell = (byte(euc, i + 1) & 0x7F) - 0x21;
      int sjis_lead = 0x81 + row / 2;
      if (sjis_lead > 0x9F) sjis_lead += 0x40;
      int trail = row % 2 == 0 ? 0x40 + cell : 0x9F + cell;
      if (row % 2 == 0 && trail >= 0x7F) ++trail;
      (out += static_cast<char>(sjis_lead)) += static_cast<char>(trail);
    } else {
      out += kNoCharacter;  // no character, or JIS X 0212 that Shift_JIS lacks
    }
    i += length;
  }
  return out;
}

// A character beyond JIS X 0208 and the half-width katakana (code page
// 932's own rows) becomes "?".
std::string shift_jis_to_euc_jp(std::string_view sjis) {
  std::string out;
  out.reserve(sjis.size() + sjis.size() / 2);
  for (std::size_t i = 0; i < sjis.size();) {
    std::size_t length = cp932_character_length(sjis.substr(i));
    if (length == 0) length = 1;
    const unsigned char lead = byte(sjis, i);
    if (length == 1 && lead < 0x80) {
      out += static_cast<char>(lead);
    } else if (length == 1 && half_width(lead)) {
      (out += '\x8E') += static_cast<char>(lead);
    } else if (length == 1 || lead >= 0xF0) {
      out += '?';  // no character, or code page 932's own rows
    } else {
      const unsigned char trail = byte(sjis, i + 1);
      const int pair = (lead >= 0xE0 ? lead - 0x40 : lead) - 0x81;
      const bool odd_row = trail >= 0x9F;
      const int row = pair * 2 + (odd_row ? 1 : 0);
      const int cell =
          odd_row ? trail - 0x9F : trail - 0x40 - (trail >= 0x80 ? 1 : 0);
      (out += static_cast<char>(0xA1 + row)) += static_cast<char>(0xA1 + cell);
    }
    i += length;
  }
  return out;
}

// The opening bytes that tell UTF-16 without a mark.
constexpr std::size_t kUtf16Sample = 256;
constexpr char32_t kReplacement = 0xFFFD;

// Each encoding as people and --encoding name it, and its byte order mark.
struct EncodingNames {
  Encoding encoding;
  std::string_view described;
  std::string_view mark;
  std::string_view names[4];
};

constexpr EncodingNames kEncodingNames[] = {
    {Encoding::kUtf8, "UTF-8", "\xEF\xBB\xBF", {"utf-8", "utf8"}},
    {Encoding::kUtf16Le,
     "UTF-16 little-endian",
     "\xFF\xFE",
     {"utf-16", "utf16", "utf-16le"}},
    {Encoding::kUtf16Be, "UTF-16 big-endian", "\xFE\xFF", {"utf-16be"}},
    {Encoding::kCp932,
     "Shift_JIS (code page 932)",
     {},
     {"cp932", "shift_jis", "sjis", "windows-31j"}},
    {Encoding::kEucJp, "EUC-JP", {}, {"euc-jp", "eucjp"}},
};

const EncodingNames& names_of(Encoding encoding) {
  return *std::find_if(
      std::begin(kEncodingNames), std::end(kEncodingNames),
      [&](const EncodingNames& e) { return e.encoding == encoding; });
}

// Whether `text` is UTF-8 throughout; a character cut at its end counts
// where `may_be_cut`.
bool is_utf8(std::string_view text, bool may_be_cut) {
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char lead = byte(text, i);
    const Character c = character_at(text, i);
    if (lead < 0x80 || c.length > 1) {
      i += c.length;
      continue;
    }
    // Cut at the end, or no UTF-8 at all.
    const std::size_t wanted = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    bool cut =
        may_be_cut && lead >= 0xC2 && lead <= 0xF4 && i + wanted > text.size();
    for (std::size_t k = i + 1; cut && k < text.size(); ++k) {
      cut = (byte(text, k) & 0xC0) == 0x80;
    }
    return cut;
  }
  return true;
}

void append_utf16(std::string& out, char16_t unit, bool little_endian) {
  const char low = static_cast<char>(unit & 0xFF);
  const char high = static_cast<char>(unit >> 8);
  out += little_endian ? low : high;
  out += little_endian ? high : low;
}

// Whether converted text holds only characters: no U+FFFD for bytes that
// stand for none, nor what Windows writes for code page 932's bytes that
// start none (U+0080, U+F8F0 to U+F8F3). A user-defined character (private
// use) is one: lab systems write rare names with them.
bool all_characters(std::string_view utf8) {
  for (std::size_t i = 0; i < utf8.size();) {
    const Character c = character_at(utf8, i);
    if (c.code == 0xFFFD || (c.code >= 0x80 && c.code < 0xA0) ||
        (c.code >= 0xF8F0 && c.code <= 0xF8F3)) {
      return false;
    }
    i += c.length;
  }
  return true;
}

// What EUC-JP's reading of a sample holds: its kana, symbols and full-width
// letters (rows 1 to 5, which code page 932 would read as half-width
// punctuation before another character); its first-level kanji; and what
// EUC-JP text rarely holds (Greek, Cyrillic, box drawing, empty rows,
// second-level kanji, JIS X 0212).
struct EucCharacters {
  int kana_and_symbols = 0;
  int common_kanji = 0;
  int rare = 0;
};

EucCharacters euc_characters(std::string_view sample) {
  EucCharacters found;
  for (std::size_t i = 0; i < sample.size();) {
    const std::size_t length =
        std::max<std::size_t>(euc_jp_character_length(sample.substr(i)), 1);
    const unsigned char lead = byte(sample, i);
    if (length > 1) {
      if (lead >= 0xA1 && lead <= 0xA5) {
        ++found.kana_and_symbols;
      } else if (lead >= 0xB0 && lead <= 0xCF) {
        ++found.common_kanji;
      } else if (lead != 0x8E) {
        ++found.rare;
      }
    }
    i += length;
  }
  return found;
}

std::string euc_jp_to_utf8(std::string_view bytes) {
  return cp932_to_utf8(euc_jp_to_shift_jis(bytes));
}

}  // namespace

TextDecoder::TextDecoder(Encoding given) : given_(given) {
  form_.encoding = given;
}

void TextDecoder::decode(std::string_view bytes, bool last, std::string& out) {
  if (state_ == State::kRefused) return;
  if (state_ == State::kSampling &&
      held_.size() + bytes.size() < kEncodingSample && !last) {
    held_ += bytes;  // the sample grows, copied once
    return;
  }
  std::string joined;
  if (!held_.empty()) {
    joined = std::move(held_);
    held_.clear();
    joined += bytes;
    bytes = joined;
  }
  if (state_ == State::kStart) {
    // The first line, to decide from: held whole, with the byte after its
    // end where it is blank or no printable ASCII (UTF-16's "\n\0"). A
    // printable line is a typed one, answered at once.
    const std::size_t lf = bytes.find('\n');
    const std::string_view line =
        lf == std::string_view::npos ? bytes : bytes.substr(0, lf + 1);
    // (A CR only before the LF: 名 in UTF-16 is "\r" and "T".)
    const std::string_view body = line.substr(0, line.find_first_of("\r\n"));
    const bool printable =
        !body.empty() &&
        std::all_of(
            body.begin(), body.end(),
            [](char c) { return (c >= 0x20 && c < 0x7F) || c == '\t'; }) &&
        line.size() - body.size() <= 2 &&
        (line.size() == body.size() || line.ends_with('\n'));
    if (!last && bytes.size() < kUtf16Sample &&
        (bytes.size() < 3 /* a mark */ || lf == std::string_view::npos ||
         (lf + 1 >= bytes.size() && !printable))) {
      held_.assign(bytes);
      return;
    }
    const bool utf16 =
        given_ == Encoding::kUtf16Le || given_ == Encoding::kUtf16Be;
    state_ = given_ ? State::kDecided : State::kAscii;
    for (const EncodingNames& e : kEncodingNames) {
      const bool mark_utf16 = e.mark.size() == 2;
      if (!e.mark.empty() && bytes.starts_with(e.mark) &&
          (!given_ || given_ == e.encoding || (utf16 && mark_utf16))) {
        form_ = {e.encoding, true};
        bytes.remove_prefix(e.mark.size());
        state_ = State::kDecided;
        break;
      }
    }
    // UTF-16 without a mark: text has no NUL, so NULs in the first line
    // are the high bytes of characters, at odd offsets in little-endian
    // order.
    const std::string_view opening = bytes.substr(
        0, lf == std::string_view::npos ? kUtf16Sample
                                        : std::min(kUtf16Sample, lf + 2));
    if (!given_ && state_ == State::kAscii && !printable &&
        opening.find('\0') != std::string_view::npos) {
      int odd = 0, even = 0;
      for (std::size_t i = 0; i < opening.size(); ++i) {
        if (opening[i] == '\0') ++(i % 2 == 1 ? odd : even);
      }
      form_ = {odd >= even ? Encoding::kUtf16Le : Encoding::kUtf16Be, false};
      state_ = State::kDecided;
    }
    if (state_ == State::kDecided) ascii_ = false;
  }
  if (state_ == State::kAscii) {
    std::size_t ascii = 0;
    // Eight bytes at a time while none has its top bit set.
    for (std::uint64_t word; ascii + 8 <= bytes.size(); ascii += 8) {
      std::memcpy(&word, bytes.data() + ascii, 8);
      if (word & 0x8080808080808080u) break;
    }
    while (ascii < bytes.size() && byte(bytes, ascii) < 0x80) ++ascii;
    out.append(bytes.substr(0, ascii));
    bytes.remove_prefix(ascii);
    if (bytes.empty()) return;
    state_ = State::kSampling;
  }
  if (state_ == State::kSampling) {
    // The sample grows until it is whole, so that the decision is the same
    // however the input comes in pieces.
    if (bytes.size() < kEncodingSample && !last) {
      held_.assign(bytes);
      return;
    }
    decide(bytes.substr(0, std::min(bytes.size(), kEncodingSample)),
           last && bytes.size() <= kEncodingSample);
    if (state_ == State::kRefused) return;
  }
  decode_decided(bytes, last, out);
}

void TextDecoder::decide(std::string_view sample, bool whole) {
  state_ = State::kDecided;
  ascii_ = false;
  if (!whole) {
    // A line end is never inside a character of any of them: the sample
    // ends at its last one, so that no character is cut.
    const std::size_t end = sample.find_last_of('\n');
    if (end != std::string_view::npos) sample = sample.substr(0, end + 1);
  }
  if (is_utf8(sample, !whole)) {
    form_.encoding = Encoding::kUtf8;
    return;
  }
  const bool cp932 = all_characters(cp932_to_utf8(sample));
  const bool euc = all_characters(euc_jp_to_utf8(sample));
  if (cp932 != euc) {
    form_.encoding = cp932 ? Encoding::kCp932 : Encoding::kEucJp;
    return;
  }
  if (cp932) {
    const EucCharacters found = euc_characters(sample);
    if (found.kana_and_symbols > 0 ||
        (found.rare == 0 && found.common_kanji >= 4)) {
      form_.encoding = Encoding::kEucJp;
      return;
    }
    if (found.rare > 0) {
      form_.encoding = Encoding::kCp932;
      return;
    }
  }
  state_ = State::kRefused;
  refusal_ = cp932 ? "its text reads as Shift_JIS (code page 932) and as "
                     "EUC-JP alike"
                   : "its text is neither UTF-8 nor Shift_JIS (code page "
                     "932) nor EUC-JP";
  refusal_ +=
      ": name its encoding with --encoding utf-8, utf-16, cp932 or euc-jp";
}

void TextDecoder::decode_decided(std::string_view bytes, bool last,
                                 std::string& out) {
  switch (form_.encoding) {
    case Encoding::kUtf8:
      out.append(bytes);  // a character cut here joins up in `out`
      return;
    case Encoding::kUtf16Le:
    case Encoding::kUtf16Be:
      decode_utf16(bytes, last, out);
      return;
    case Encoding::kCp932:
    case Encoding::kEucJp: {
      const bool euc = form_.encoding == Encoding::kEucJp;
      std::size_t whole = 0;
      std::size_t length;
      while (whole < bytes.size() &&
             (length = euc ? euc_jp_character_length(bytes.substr(whole))
                           : cp932_character_length(bytes.substr(whole))) !=
                 0) {
        whole += length;
      }
      if (whole < bytes.size() && !last) {
        held_.assign(bytes.substr(whole));  // a lead byte, its trail to come
        bytes = bytes.substr(0, whole);
      }
      out += euc ? euc_jp_to_utf8(bytes) : cp932_to_utf8(bytes);
      return;
    }
  }
}

void TextDecoder::decode_utf16(std::string_view bytes, bool last,
                               std::string& out) {
  const bool little = form_.encoding == Encoding::kUtf16Le;
  const auto unit = [&](std::size_t i) -> char16_t {
    const unsigned char a = byte(bytes, i);
    const unsigned char b = byte(bytes, i + 1);
    return static_cast<char16_t>(little ? a | (b << 8) : (a << 8) | b);
  };
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    const char16_t u = unit(i);
    const bool high = u >= 0xD800 && u <= 0xDBFF;
    const bool low_here = i + 3 < bytes.size();
    if (high && !low_here && !last) break;  // its low half comes next piece
    const char16_t low = high && low_here ? unit(i + 2) : 0;
    if (low >= 0xDC00 && low <= 0xDFFF) {
      append_utf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
      i += 2;
    } else {
      append_utf8(out, u >= 0xD800 && u <= 0xDFFF ? kReplacement : u);
    }
  }
  if (i < bytes.size()) {
    if (last) {
      append_utf8(out, kReplacement);
    } else {
      held_.assign(bytes.substr(i));
    }
  }
}

std::string encoded(std::string_view utf8, TextForm form) {
  switch (form.encoding) {
    case Encoding::kUtf8:
      return std::string(utf8);
    case Encoding::kCp932:
      return utf8_to_cp932(utf8);
    case Encoding::kEucJp:
      return shift_jis_to_euc_jp(utf8_to_cp932(utf8));
    case Encoding::kUtf16Le:
    case Encoding::kUtf16Be:
      break;
  }
  const bool little = form.encoding == Encoding::kUtf16Le;
  std::string out;
  out.reserve(utf8.size() * 2);
  for (std::size_t i = 0; i < utf8.size();) {
    const Character c = character_at(utf8, i);
    i += c.length;
    if (c.code >= 0x10000) {
      const char32_t v = c.code - 0x10000;
      append_utf16(out, static_cast<char16_t>(0xD800 + (v >> 10)), little);
      append_utf16(out, static_cast<char16_t>(0xDC00 + (v & 0x3FF)), little);
    } else {
      const bool whole = c.code < 0x80 || c.length > 1;
      append_utf16(out, whole ? static_cast<char16_t>(c.code) : u'\uFFFD',
                   little);
    }
  }
  return out;
}

std::string_view byte_order_mark(TextForm form) {
  return form.byte_order_mark ? names_of(form.encoding).mark
                              : std::string_view();
}

std::optional<Encoding> encoding_named(std::string_view name) {
  std::string lower;
  for (const char c : name) {
    lower += c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
  }
  for (const EncodingNames& e : kEncodingNames) {
    for (const std::string_view n : e.names) {
      if (!n.empty() && n == lower) return e.encoding;
    }
  }
  return std::nullopt;
}

std::string form_described(TextForm form) {
  std::string named(names_of(form.encoding).described);
  if (form.byte_order_mark) named += " with a byte order mark";
  return named;
}

}  // namespace toric
