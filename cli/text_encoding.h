#pragma once
// The encodings lists come in, as labs' spreadsheets save them: UTF-8 with
// or without Excel's byte order mark, UTF-16 with a mark (Excel's "Unicode
// text") and Shift_JIS as Windows extends it (code page 932, Japanese
// Excel's CSV). A list is read as UTF-8 whatever it came in, and a CSV is
// written back in the form it came in.

#include <string>
#include <string_view>

namespace toric {

enum class Encoding { kUtf8, kUtf16Le, kUtf16Be, kCp932 };

struct TextForm {
  Encoding encoding = Encoding::kUtf8;
  bool byte_order_mark = false;
};

// Turns a list's bytes into UTF-8, as they arrive. The form is told by a
// byte order mark at the start; without one, the text is UTF-8 as long as
// it is ASCII, and from its first other byte on it is UTF-8 if the rest of
// that line (at most 1 KiB of it) is valid UTF-8, else code page 932.
class TextDecoder {
 public:
  // Appends the UTF-8 of `bytes`, the next piece of the input, to `out`.
  // A character cut at the piece's end waits for the next piece; `last`
  // says there is none.
  void decode(std::string_view bytes, bool last, std::string& out);
  TextForm form() const { return form_; }

 private:
  void decode_utf16(std::string_view bytes, bool last, std::string& out);

  enum class State { kStart, kAscii, kDecided };
  State state_ = State::kStart;
  TextForm form_;
  std::string held_;  // bytes of a character cut at a piece's end
};

// `utf8` in `form`'s encoding, without a byte order mark. A character code
// page 932 has no place for is written "?".
std::string encoded(std::string_view utf8, TextForm form);

// The byte order mark of `form`, or nothing.
std::string_view byte_order_mark(TextForm form);

}  // namespace toric
