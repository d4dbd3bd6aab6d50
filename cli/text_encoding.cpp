#include "text_encoding.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "cp932_character.h"
#include "platform_io.h"
#include "utf8_character.h"

namespace toric {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

unsigned char byte(std::string_view text, std::size_t i) {
  return static_cast<unsigned char>(text[i]);
}

// How much text after the first byte that is no ASCII decides between
// UTF-8 and code page 932: up to the line's end, at most this much.
constexpr std::size_t kDecidingBytes = 1024;

// Whether `text` is UTF-8 throughout; a character cut at its end counts
// where `may_be_cut`.
bool is_utf8(std::string_view text, bool may_be_cut) {
  for (std::size_t i = 0; i < text.size();) {
    const unsigned char lead = byte(text, i);
    if (lead < 0x80) {
      ++i;
      continue;
    }
    const Character c = character_at(text, i);
    if (c.length > 1) {
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

}  // namespace

void TextDecoder::decode(std::string_view bytes, bool last, std::string& out) {
  std::string joined;
  if (!held_.empty()) {
    joined = std::move(held_);
    held_.clear();
    joined += bytes;
    bytes = joined;
  }
  if (state_ == State::kStart) {
    if (bytes.size() < kUtf8Mark.size() && !last) {
      held_.assign(bytes);
      return;
    }
    state_ = State::kDecided;
    if (bytes.starts_with(kUtf8Mark)) {
      form_ = {Encoding::kUtf8, true};
      bytes.remove_prefix(kUtf8Mark.size());
    } else if (bytes.starts_with(kUtf16LeMark)) {
      form_ = {Encoding::kUtf16Le, true};
      bytes.remove_prefix(kUtf16LeMark.size());
    } else if (bytes.starts_with(kUtf16BeMark)) {
      form_ = {Encoding::kUtf16Be, true};
      bytes.remove_prefix(kUtf16BeMark.size());
    } else {
      state_ = State::kAscii;
    }
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
    // The decision waits for the rest of the line (or kDecidingBytes), so
    // that it is the same however the input comes in pieces.
    std::size_t window = std::min(bytes.find_first_of("\r\n"), bytes.size());
    const bool limited = window >= kDecidingBytes;
    if (!limited && window == bytes.size() && !last) {
      held_.assign(bytes);
      return;
    }
    window = std::min(window, kDecidingBytes);
    form_.encoding = is_utf8(bytes.substr(0, window), limited)
                         ? Encoding::kUtf8
                         : Encoding::kCp932;
    state_ = State::kDecided;
  }
  switch (form_.encoding) {
    case Encoding::kUtf8:
      out.append(bytes);  // a character cut here joins up in `out`
      return;
    case Encoding::kUtf16Le:
    case Encoding::kUtf16Be:
      decode_utf16(bytes, last, out);
      return;
    case Encoding::kCp932: {
      std::size_t whole = 0;
      std::size_t length;
      while (whole < bytes.size() &&
             (length = cp932_character_length(bytes.substr(whole))) != 0) {
        whole += length;
      }
      if (whole < bytes.size() && !last) {
        held_.assign(1, bytes.back());  // a lead byte, its trail to come
        bytes.remove_suffix(1);
      }
      out += cp932_to_utf8(bytes);
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
    if (u >= 0xD800 && u <= 0xDBFF) {
      if (i + 3 >= bytes.size()) {
        if (!last) break;  // its other half comes with the next piece
        append_utf8(out, kReplacement);
        continue;
      }
      const char16_t low = unit(i + 2);
      if (low >= 0xDC00 && low <= 0xDFFF) {
        append_utf8(out, 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00));
        i += 2;
      } else {
        append_utf8(out, kReplacement);
      }
    } else if (u >= 0xDC00 && u <= 0xDFFF) {
      append_utf8(out, kReplacement);
    } else {
      append_utf8(out, u);
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
  if (!form.byte_order_mark) return {};
  switch (form.encoding) {
    case Encoding::kUtf8:
      return kUtf8Mark;
    case Encoding::kUtf16Le:
      return kUtf16LeMark;
    case Encoding::kUtf16Be:
      return kUtf16BeMark;
    case Encoding::kCp932:
      break;
  }
  return {};
}

}  // namespace toric
