// toric-combine's readers on whatever bytes come: a list in any encoding
// with any options, and a lens text alone. Built with AddressSanitizer and
// UBSan, so that no input may crash them, read outside their memory or
// overflow; and the decoder must read the same text however the bytes
// are cut into pieces.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "combine_lines.h"
#include "lens_text.h"
#include "list_stream.h"
#include "text_encoding.h"

namespace {

// The options a command line could give, chosen by the first byte.
toric::ListOptions options_of(std::uint8_t choice) {
  toric::ListOptions options;
  options.csv = choice & 1;
  if (choice & 2) options.notation = toric::Notation::kPlain;
  if (choice & 4) options.values = toric::LensValues::kAny;
  options.fitting.form = static_cast<toric::CylinderForm>((choice >> 3) % 3);
  if (choice & 0x80) {
    options.fitting = {12, 10, 0.25, options.fitting.form};
  }
  if ((choice & 0x60) == 0x20) options.columns = {2, 0};
  if ((choice & 0x60) == 0x40) options.columns = {0, 1, 2, 3, 4, 5};
  return options;
}

void decode_in_pieces(std::string_view bytes, std::size_t piece) {
  toric::TextDecoder whole;
  std::string text;
  whole.decode(bytes, true, text);
  toric::TextDecoder pieced;
  std::string pieced_text;
  for (std::size_t at = 0; at < bytes.size(); at += piece) {
    pieced.decode(bytes.substr(at, piece), false, pieced_text);
  }
  pieced.decode({}, true, pieced_text);
  if (pieced_text != text) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data,
                                      std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t choice = data[0];
  const std::string_view bytes(reinterpret_cast<const char*>(data + 1),
                               size - 1);
  toric::read_lens(
      bytes, (choice & 4) ? toric::LensValues::kAny : toric::LensValues::kBars);
  toric::cell_of(bytes);
  decode_in_pieces(bytes, 1 + (choice >> 5));

  // The list through the program's own reader, from a file in memory.
  static const int list = ::memfd_create("list", 0);
  static std::FILE* sink = std::fopen("/dev/null", "w");
  if (list < 0 || sink == nullptr) std::abort();
  if (::ftruncate(list, 0) != 0 ||
      ::pwrite(list, bytes.data(), bytes.size(), 0) !=
          static_cast<ssize_t>(bytes.size()) ||
      ::lseek(list, 0, SEEK_SET) != 0) {
    std::abort();
  }
  toric::stream_list(list, "fuzz", options_of(choice), sink, sink);
  return 0;
}
