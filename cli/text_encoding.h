#pragma once
// The encodings lists come in: UTF-8 with or without Excel's byte order
// mark, UTF-16 (Excel's "Unicode text"), Shift_JIS as code page 932
// (Japanese Excel's CSV) and EUC-JP (old Unix lab systems). A list is read
// as UTF-8, and a CSV is written back in the form it came in.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace toric {

enum class Encoding { kUtf8, kUtf16Le, kUtf16Be, kCp932, kEucJp };

struct TextForm {
  Encoding encoding = Encoding::kUtf8;
  bool byte_order_mark = false;
};

// How much of a list past its first byte that is no ASCII tells its
// encoding: 64 KiB, or all of it where it is shorter.
constexpr std::size_t kEncodingSample = 64 * 1024;

// Turns a list's bytes into UTF-8 as they arrive, in one encoding from the
// first byte to the last. A byte order mark, or NULs in the first line, tell
// UTF-8 and UTF-16. Else ASCII goes through at once, and from the first other
// byte on a sample of kEncodingSample bytes (or all) decides: UTF-8 where it
// is valid UTF-8, else code page 932 or EUC-JP where only one reads it, else
// as their byte patterns show. Where it cannot tell, refusal() says so. The
// decision is the same however the bytes come in pieces.
class TextDecoder {
 public:
  TextDecoder() = default;
  // An encoding the user named: the sample decides nothing. UTF-16's byte
  // order mark still tells its byte order (little-endian without one).
  explicit TextDecoder(Encoding given);

  // Appends the UTF-8 of `bytes`, the next piece of the input, to `out`.
  // A character cut at the piece's end waits for the next piece; `last`
  // says there is none.
  void decode(std::string_view bytes, bool last, std::string& out);
  TextForm form() const { return form_; }
  // No byte order mark, and no byte that is no ASCII so far.
  bool ascii() const { return ascii_; }
  // Why the encoding cannot be told; empty while it can.
  const std::string& refusal() const { return refusal_; }

 private:
  void decide(std::string_view sample, bool whole);
  void decode_decided(std::string_view bytes, bool last, std::string& out);
  void decode_utf16(std::string_view bytes, bool last, std::string& out);

  enum class State { kStart, kAscii, kSampling, kDecided, kRefused };
  State state_ = State::kStart;
  std::optional<Encoding> given_;
  TextForm form_;
  bool ascii_ = true;
  std::string held_;  // bytes of a character cut at a piece's end, or the
                      // sample while it grows
  std::string refusal_;
};

// `utf8` in `form`'s encoding, without a byte order mark. A character code
// page 932 or EUC-JP has no place for is written "?".
std::string encoded(std::string_view utf8, TextForm form);

// The byte order mark of `form`, or nothing.
std::string_view byte_order_mark(TextForm form);

// The encoding as --encoding names it ("utf-8", "utf-16", "cp932",
// "shift_jis", "euc-jp"), or nothing.
std::optional<Encoding> encoding_named(std::string_view name);

// The form as a person reads it: "Shift_JIS (code page 932)".
std::string form_described(TextForm form);

}  // namespace toric
