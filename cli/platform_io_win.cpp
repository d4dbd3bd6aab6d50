// windows.h first: the other Windows headers build on it.
#include <windows.h>
//
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <algorithm>

#include "platform_io.h"

namespace toric {

namespace {

// Text in a code page (UTF-8 or 932) into UTF-16 and back; a character the
// code page has no place for is written "?".
std::wstring wide(std::string_view text, UINT code_page = CP_UTF8) {
  const int size = MultiByteToWideChar(
      code_page, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(code_page, 0, text.data(), static_cast<int>(text.size()),
                      out.data(), size);
  return out;
}

std::string narrow(const std::wstring& text, UINT code_page) {
  const char* fallback = code_page == CP_UTF8 ? nullptr : "?";
  const int size = WideCharToMultiByte(code_page, 0, text.data(),
                                       static_cast<int>(text.size()), nullptr,
                                       0, fallback, nullptr);
  std::string out(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(code_page, 0, text.data(), static_cast<int>(text.size()),
                      out.data(), size, fallback, nullptr);
  return out;
}

}  // namespace

void prepare_standard_streams() {
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
}

// The command line as Windows keeps it, in UTF-16: argv has it in the
// system's code page, which may not hold every character typed.
std::vector<std::string> utf8_arguments(int /*argc*/, char** /*argv*/) {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> out;
  for (int i = 1; i < count; ++i) out.push_back(narrow(arguments[i], CP_UTF8));
  LocalFree(arguments);
  return out;
}

std::FILE* open_for_reading(const std::string& utf8_name) {
  return _wfopen(wide(utf8_name).c_str(), L"rb");
}

bool write_text(std::FILE* stream, std::string_view utf8) {
  const auto console =
      reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode = 0;
  if (console == INVALID_HANDLE_VALUE || !GetConsoleMode(console, &mode)) {
    return std::fwrite(utf8.data(), 1, utf8.size(), stream) == utf8.size();
  }
  std::fflush(stream);  // what went before, first
  const std::wstring text = wide(utf8);
  DWORD written = 0;
  return WriteConsoleW(console, text.data(), static_cast<DWORD>(text.size()),
                       &written, nullptr) != 0;
}

bool japanese_user() {
  return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_JAPANESE;
}

// Code page 932 strictly: false where a byte or pair stands for no
// character.
bool strictly_wide(std::string_view text, std::wstring& out) {
  const int size =
      MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text.data(),
                          static_cast<int>(text.size()), nullptr, 0);
  if (size == 0) return text.empty();
  const std::size_t start = out.size();
  out.resize(start + static_cast<std::size_t>(size));
  MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text.data(),
                      static_cast<int>(text.size()), out.data() + start, size);
  return true;
}

// Windows would write "・" or a private character for a byte that stands
// for none: such a text is taken a character at a time, as the Linux twin
// takes it, and a lead byte and a trail byte that stand for nothing, or
// any other byte alone, become U+FFFD.
std::string cp932_to_utf8(std::string_view bytes) {
  std::wstring text;
  if (!strictly_wide(bytes, text)) {
    text.clear();
    for (std::size_t i = 0; i < bytes.size();) {
      const std::size_t length =
          std::max<std::size_t>(cp932_character_length(bytes.substr(i)), 1);
      if (!strictly_wide(bytes.substr(i, length), text)) text += L'\uFFFD';
      i += length;
    }
  }
  return narrow(text, CP_UTF8);
}

std::string utf8_to_cp932(std::string_view utf8) {
  return narrow(wide(utf8, CP_UTF8), 932);
}

}  // namespace toric
